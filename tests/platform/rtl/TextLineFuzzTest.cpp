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

// The comparison is only as good as its reference: on these inputs both the
// reference and the splitter (through the comparison) give the lines written
// here. Rules byte 0 is the plain rules, 3 has LF end lines and CTRL+Z end the
// input only at its tail; buffers of 2 bytes, chunks of 1.
TEST(TextLineFuzz, ReferenceAndSplitterGiveTheLinesOfTheRules) {
    using Lines = std::vector<std::string>;
    const struct {
        std::uint8_t Rules;
        std::string Data;
        Lines Expected;
    } cases[] = {
        {0, "a\r\nb\rc\nd", {"a", "b", "c\nd"}},
        {3, "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {0, "a\x1A" "b\r\x1A\x1A", {"a"}},
        {3, "a\x1A" "b\r\x1A\x1A", {"a\x1A" "b"}},
        {0, "", {}},
    };
    for (const auto& c : cases) {
        const TTextLineRules rules{(c.Rules & 1) != 0, (c.Rules & 2) != 0};
        EXPECT_EQ(ReferenceLines(c.Data, rules), c.Expected) << c.Data;
        std::vector<std::uint8_t> input{c.Rules, 1, 0};
        input.insert(input.end(), c.Data.begin(), c.Data.end());
        EXPECT_EQ(LineSplitMismatch(input.data(), input.size()), "");
    }
}

} // namespace
