// Runs the fuzz entry of the bitmap-file reader over thousands of
// deterministic mutations of valid files, so every build exercises it, not
// only the clang fuzzer build.

#include "BitmapFileCheck.h"
#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TBytes Rle8File() {
    TRawBitmap raw;
    raw.Width = 4;
    raw.Height = 3;
    raw.BitCount = 8;
    raw.Compression = 1;
    raw.ColorsUsed = 8;
    raw.Palette.assign(8 * 4, 0x40);
    raw.Pixels = {3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 1, 7, 0, 0, 0, 2, 1, 0, 2, 4, 0, 1};
    return BuildBitmapFile(raw);
}

TBytes Rle4File() {
    TRawBitmap raw;
    raw.Width = 5;
    raw.Height = 2;
    raw.BitCount = 4;
    raw.Compression = 2;
    raw.Palette.assign(16 * 4, 0x80);
    raw.Pixels = {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 2, 0x0F, 0, 1};
    return BuildBitmapFile(raw);
}

TBytes CoreHeaderFile() {
    TRawBitmap raw;
    raw.HeaderSize = 12;
    raw.Width = 3;
    raw.Height = 2;
    raw.BitCount = 8;
    raw.Palette.assign(256 * 3, 0x11);
    raw.Pixels.assign(8, 7);
    return BuildBitmapFile(raw);
}

TBytes V5MaskedFile() {
    TRawBitmap raw;
    raw.HeaderSize = 124;
    raw.Width = 3;
    raw.Height = -2;
    raw.BitCount = 32;
    raw.Compression = 3;
    raw.Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    raw.Pixels.assign(24, 0x5A);
    return BuildBitmapFile(raw);
}

std::vector<TBytes> Seeds() {
    std::vector<TBytes> seeds;
    for (const int bits : {1, 4, 8, 24, 32})
        for (const bool topDown : {false, true})
            seeds.push_back(WriteBitmapFile(PatternImage(5 + bits % 3, 4, bits, topDown)));
    TBitmapFileImage masked = PatternImage(3, 3, 16);
    masked.HasColorMasks = true;
    masked.ColorMasks = {0xF800, 0x07E0, 0x001F};
    seeds.push_back(WriteBitmapFile(masked));
    seeds.push_back(WriteBitmapFile(PatternImage(4, 2, 8, false, 20)));
    seeds.push_back(Rle8File());
    seeds.push_back(Rle4File());
    seeds.push_back(CoreHeaderFile());
    seeds.push_back(V5MaskedFile());
    return seeds;
}

// Values that sit on the edges the reader checks.
constexpr std::uint32_t Interesting[] = {
    0,       1,          2,          3,          4,          5,         8,      12,
    16,      24,         32,         40,         52,         54,        56,     108,
    124,     255,        256,        257,        0x7FFF,     0x8000,    0x8001, 0xFFFF,
    0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFF8000, 0xFFFFFFFE};
// Offsets of the file and info header fields.
constexpr std::size_t Fields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46, 54, 58};

TBytes Mutate(const TBytes& seed, std::mt19937& random) {
    TBytes input = seed;
    const int steps = 1 + static_cast<int>(random() % 3);
    for (int step = 0; step < steps; ++step) {
        const std::size_t size = input.size();
        switch (random() % 7) {
        case 0: // a bit in the headers
            if (size > 0)
                input[random() % std::min<std::size_t>(size, 70)] ^=
                    static_cast<std::uint8_t>(1u << random() % 8);
            break;
        case 1: // any byte
            if (size > 0)
                input[random() % size] = static_cast<std::uint8_t>(random());
            break;
        case 2:
        case 3: { // a header field set to an edge value
            const std::size_t field = Fields[random() % std::size(Fields)];
            const std::uint32_t value = Interesting[random() % std::size(Interesting)];
            if (field == 26 || field == 28) {
                if (field + 1 < size) {
                    input[field] = static_cast<std::uint8_t>(value);
                    input[field + 1] = static_cast<std::uint8_t>(value >> 8);
                }
            } else {
                Put32At(input, field, value);
            }
            break;
        }
        case 4: // cut short
            input.resize(random() % (size + 1));
            break;
        case 5: // trailing garbage
            for (int i = static_cast<int>(random() % 40); i > 0; --i)
                input.push_back(static_cast<std::uint8_t>(random()));
            break;
        default: // a run of one byte, as RLE commands would repeat it
            if (size > 0) {
                const std::size_t from = random() % size;
                const std::size_t length = std::min<std::size_t>(random() % 16, size - from);
                std::fill_n(input.begin() + static_cast<std::ptrdiff_t>(from), length,
                            static_cast<std::uint8_t>(random() % 4));
            }
            break;
        }
    }
    return input;
}

TEST(BitmapFileFuzz, SeedsAreValidFiles) {
    for (const TBytes& seed : Seeds()) {
        bool accepted = false;
        EXPECT_EQ(BitmapFileMismatch(seed.data(), seed.size(), &accepted), "");
        EXPECT_TRUE(accepted);
    }
}

TEST(BitmapFileFuzz, MutationsAreRefusedCleanlyOrReadConsistently) {
    std::mt19937 random(20240612);
    int accepted = 0;
    int refused = 0;
    const std::vector<TBytes> seeds = Seeds();
    for (std::size_t s = 0; s < seeds.size(); ++s) {
        for (int round = 0; round < 400; ++round) {
            const TBytes input = Mutate(seeds[s], random);
            bool ok = false;
            ASSERT_EQ(BitmapFileMismatch(input.data(), input.size(), &ok), "")
                << "seed " << s << " round " << round;
            EXPECT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0);
            ++(ok ? accepted : refused);
        }
    }
    // Both ways through the reader are exercised.
    EXPECT_GT(accepted, 500);
    EXPECT_GT(refused, 500);
}

TEST(BitmapFileFuzz, EveryPrefixOfAFileIsHandled) {
    for (const TBytes& seed : Seeds())
        for (std::size_t size = 0; size <= seed.size(); ++size)
            EXPECT_EQ(LLVMFuzzerTestOneInput(seed.data(), size), 0);
}

} // namespace
