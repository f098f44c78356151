// Runs the fuzz entry over deterministic pseudo-random inputs, so every build
// exercises it, not only the clang fuzzer build.

#include "LineSplitCheck.h"

#include <gtest/gtest.h>

#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Mostly the bytes the rules care about, so that their combinations occur often.
std::vector<std::uint8_t> RandomInput(std::mt19937& random) {
    static constexpr std::uint8_t interesting[] = {'\r', '\n', 26, 'a', 'b', 0, 0xE4};
    std::vector<std::uint8_t> input(3 + random() % 120);
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto pick = random();
        input[i] = i < 3 || pick % 8 == 0 ? static_cast<std::uint8_t>(pick >> 8)
                                          : interesting[(pick >> 8) % std::size(interesting)];
    }
    return input;
}

TEST(TextLineFuzz, AgreesWithReferenceOnRandomInputs) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 600; ++round) {
        const std::vector<std::uint8_t> input = RandomInput(random);
        ASSERT_EQ(LineSplitMismatch(input.data(), input.size()), "") << "round " << round;
        EXPECT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0);
    }
}

TEST(TextLineFuzz, ShortInputsAreAccepted) {
    const std::uint8_t input[] = {3, 1, 1};
    for (std::size_t size = 0; size <= sizeof input; ++size) {
        EXPECT_EQ(LLVMFuzzerTestOneInput(input, size), 0);
    }
}

TEST(TextLineFuzz, ReferenceFollowsTheRules) {
    const TTextLineRules plain;
    const TTextLineRules lfAndTail{true, true};
    using Lines = std::vector<std::string>;
    EXPECT_EQ(ReferenceLines("a\r\nb\rc\nd", plain), (Lines{"a", "b", "c\nd"}));
    EXPECT_EQ(ReferenceLines("a\r\nb\rc\nd", lfAndTail), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(ReferenceLines("a\x1A"
                             "b\r\x1A\x1A",
                             plain),
              (Lines{"a"}));
    EXPECT_EQ(ReferenceLines("a\x1A"
                             "b\r\x1A\x1A",
                             lfAndTail),
              (Lines{"a\x1A"
                     "b"}));
    EXPECT_EQ(ReferenceLines("", plain), Lines{});
}

} // namespace
