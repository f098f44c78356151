#include "components/drawing/kitdiblayout.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <array>

TEST(DibBitCount, ColourCountsPickTheDepth) {
    EXPECT_EQ(KitDibBitCount(2, 24), 1);
    EXPECT_EQ(KitDibBitCount(16, 24), 4);
    EXPECT_EQ(KitDibBitCount(256, 1), 8);
    EXPECT_EQ(KitDibBitCount(0, 1), 1);
    EXPECT_EQ(KitDibBitCount(0, 4), 4);
    EXPECT_EQ(KitDibBitCount(0, 8), 8);
    EXPECT_EQ(KitDibBitCount(0, 24), 24);
    EXPECT_EQ(KitDibBitCount(0, 16), 24);
    EXPECT_EQ(KitDibBitCount(0, 32), 24);
    // Counts the kit never passes keep the bitmap's own depth.
    EXPECT_EQ(KitDibBitCount(3, 8), 8);
    EXPECT_EQ(KitDibBitCount(1000, 32), 24);
}

TEST(DibLayout, SizesForEveryDepth) {
    struct Case {
        int Bits, Width, Height;
        std::uint32_t Info, Image;
    };
    const std::array<Case, 5> cases{{
        {1, 10, 3, 40 + 8, 4 * 3},   // 10 bits -> 4-byte rows
        {4, 9, 2, 40 + 64, 8 * 2},   // 36 bits -> 8-byte rows
        {8, 5, 4, 40 + 1024, 8 * 4}, // 5 bytes -> 8
        {24, 3, 2, 40, 12 * 2},      // 9 bytes -> 12
        {24, 4, 1, 40, 12},          // exactly 12
    }};
    for (const Case& c : cases) {
        const TKitDibLayout layout = KitDibLayout(c.Width, c.Height, c.Bits);
        EXPECT_EQ(layout.InfoSize, c.Info) << c.Bits;
        EXPECT_EQ(layout.ImageSize, c.Image) << c.Bits;
        EXPECT_EQ(layout.PixelOffset, 14 + c.Info) << c.Bits;
        EXPECT_EQ(layout.FileSize, 14 + c.Info + c.Image) << c.Bits;
    }
}

TEST(DibLayout, MonochromePixelsStartAt62) {
    EXPECT_EQ(KitDibLayout(16, 16, 1).PixelOffset, 62u);
}

TEST(DibLayout, FileHeaderBytes) {
    const TKitDibLayout layout = KitDibLayout(3, 2, 24);
    std::array<std::uint8_t, 14> header{};
    WriteKitFileHeader(layout, header.data());
    const std::array<std::uint8_t, 14> expected{'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    EXPECT_EQ(header, expected);
}

TEST(DibLayout, OverflowingSizesAreRefused) {
    try {
        KitDibLayout(70000, 70000, 24); // about 14.7 GB of pixels
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Bitmap ist ungültig");
    }
    // The product overflows 32 bits even though each factor is small.
    EXPECT_THROW(KitDibLayout(0x10000, 0x8000, 8), Exception);
    EXPECT_NO_THROW(KitDibLayout(4096, 4096, 24));
}

TEST(DibLayout, EmptyOrNegativeSizesAreRefused) {
    EXPECT_THROW(KitDibLayout(0, 5, 24), Exception);
    EXPECT_THROW(KitDibLayout(5, 0, 24), Exception);
    EXPECT_THROW(KitDibLayout(-3, 5, 8), Exception);
}
