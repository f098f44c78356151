#include "components/drawing/kitdrawmath.h"
#include "platform/classes/List.h"

#include <gtest/gtest.h>

#include <climits>

TEST(KitMulDiv, RoundsToNearestWithHalvesAwayFromZero) {
    EXPECT_EQ(KitMulDiv(1, 292, 236), 1); // 1.237
    EXPECT_EQ(KitMulDiv(2, 292, 236), 2); // 2.475
    EXPECT_EQ(KitMulDiv(3, 292, 236), 4); // 3.712
    EXPECT_EQ(KitMulDiv(1, 1, 2), 1);     // 0.5 up
    EXPECT_EQ(KitMulDiv(-1, 1, 2), -1);   // -0.5 away from zero
    EXPECT_EQ(KitMulDiv(3, -255, 235), -3);
    EXPECT_EQ(KitMulDiv(235, 255, 235), 255);
}

TEST(KitMulDiv, UsesA64BitProduct) {
    EXPECT_EQ(KitMulDiv(100000, 100000, 100000), 100000);
    EXPECT_EQ(KitMulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
}

TEST(KitMulDiv, ZeroDivisorAndOverflowGiveMinusOne) {
    EXPECT_EQ(KitMulDiv(5, 7, 0), -1);
    EXPECT_EQ(KitMulDiv(INT_MAX, 4, 2), -1);
    EXPECT_EQ(KitMulDiv(0, 5, 0), -1);
}

TEST(KitOffset, HalvesAreSigned16BitNumbers) {
    EXPECT_EQ(OffsetX(PackOffset(9, 71)), 9);
    EXPECT_EQ(OffsetY(PackOffset(9, 71)), 71);
    EXPECT_EQ(OffsetX(PackOffset(-5, 3)), -5);
    EXPECT_EQ(OffsetY(PackOffset(7, -12)), -12);
    EXPECT_EQ(OffsetX(0), 0);
    EXPECT_EQ(OffsetY(0), 0);
    EXPECT_EQ(PackOffset(9, 71), 71 << 16 | 9);
}

TEST(KitOffset, TextPositionsClampInsteadOfWrapping) {
    EXPECT_EQ(ClampToWord(-1), 0);
    EXPECT_EQ(ClampToWord(-70000), 0);
    EXPECT_EQ(ClampToWord(0), 0);
    EXPECT_EQ(ClampToWord(1234), 1234);
    EXPECT_EQ(ClampToWord(65535), 65535);
    EXPECT_EQ(ClampToWord(65536), 65535);
}

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r | g << 8 | b << 16);
}

} // namespace

TEST(GradientTable, LimeToRedOver236Entries) {
    TList colors;
    InterpolateGradientColors(Rgb(0, 255, 0), Rgb(255, 0, 0), 236, colors);
    ASSERT_EQ(colors.Count(), 236);
    EXPECT_EQ(GradientColorAt(colors, 0), Rgb(0, 255, 0));
    EXPECT_EQ(GradientColorAt(colors, 235), Rgb(255, 0, 0));
    for (int i = 0; i < 236; ++i) {
        // red = round(i * 255 / 235), green the rest, blue 0.
        const int red = (i * 255 * 2 + 235) / (2 * 235);
        ASSERT_EQ(GradientColorAt(colors, i), Rgb(red, 255 - red, 0)) << "entry " << i;
    }
}

TEST(GradientTable, EveryChannelInterpolatesBothWays) {
    TList colors;
    InterpolateGradientColors(Rgb(10, 200, 100), Rgb(20, 100, 0), 3, colors);
    ASSERT_EQ(colors.Count(), 3);
    EXPECT_EQ(GradientColorAt(colors, 0), Rgb(10, 200, 100));
    EXPECT_EQ(GradientColorAt(colors, 1), Rgb(15, 150, 50));
    EXPECT_EQ(GradientColorAt(colors, 2), Rgb(20, 100, 0));
}

TEST(GradientTable, CountZeroLeavesTheListAlone) {
    TList colors;
    AddGradientColor(colors, 0x123456);
    InterpolateGradientColors(Rgb(0, 0, 0), Rgb(255, 255, 255), 0, colors);
    ASSERT_EQ(colors.Count(), 1);
    EXPECT_EQ(GradientColorAt(colors, 0), 0x123456u);
}

TEST(GradientTable, CountOneGivesTheStartColour) {
    TList colors;
    AddGradientColor(colors, 0x123456);
    AddGradientColor(colors, 0x654321);
    InterpolateGradientColors(Rgb(1, 2, 3), Rgb(255, 255, 255), 1, colors);
    ASSERT_EQ(colors.Count(), 1);
    EXPECT_EQ(GradientColorAt(colors, 0), Rgb(1, 2, 3));
}

TEST(GradientTable, TwoColoursAreExactlyTheEnds) {
    TList colors;
    InterpolateGradientColors(Rgb(255, 0, 7), Rgb(0, 255, 9), 2, colors);
    ASSERT_EQ(colors.Count(), 2);
    EXPECT_EQ(GradientColorAt(colors, 0), Rgb(255, 0, 7));
    EXPECT_EQ(GradientColorAt(colors, 1), Rgb(0, 255, 9));
}
