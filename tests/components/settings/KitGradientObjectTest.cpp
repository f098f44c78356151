// The gradient settings object: its colour table and palette follow every
// change, the colour count stays in 2..236, and copies report once.

#include "SettingsTestSupport.h"
#include "components/drawing/kitdrawmath.h"
#include "components/settings/kitgradientobject.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Entry(const TKitGradient& gradient, int index) {
    return GradientColorAt(gradient.Colors(), index);
}

} // namespace

TEST(KitGradient, NewGradientHoldsSixteenColoursFromBlueToBlackWithoutPalette) {
    TKitGradient gradient;
    EXPECT_EQ(clBlue, gradient.Color());
    EXPECT_EQ(16, gradient.ColorCount());
    EXPECT_EQ(gstVertical, gradient.Style());
    EXPECT_EQ(clBlack, gradient.EndColor());
    EXPECT_FALSE(gradient.PaletteRealize());
    ASSERT_EQ(16, gradient.Colors().Count());
    EXPECT_EQ(0xFF0000u, Entry(gradient, 0));
    EXPECT_EQ(0x000000u, Entry(gradient, 15));
    EXPECT_EQ(nullptr, gradient.Palette());
}

TEST(KitGradient, PaletteFollowsPaletteRealize) {
    TKitGradient gradient;
    gradient.SetPaletteRealize(true);
    ASSERT_NE(nullptr, gradient.Palette());
    EXPECT_EQ(OBJ_PAL, static_cast<int>(::GetObjectType(gradient.Palette())));
    PALETTEENTRY entries[16]{};
    ASSERT_EQ(16u, ::GetPaletteEntries(gradient.Palette(), 0, 16, entries));
    EXPECT_EQ(0xFF, entries[0].peBlue);

    const HPALETTE old = gradient.Palette();
    gradient.SetColorCount(4); // rebuilt: a new palette of four entries
    ASSERT_NE(nullptr, gradient.Palette());
    EXPECT_EQ(4u, ::GetPaletteEntries(gradient.Palette(), 0, 0, nullptr));
    EXPECT_EQ(0u, ::GetObjectType(old));

    const HPALETTE last = gradient.Palette();
    gradient.SetPaletteRealize(false);
    EXPECT_EQ(nullptr, gradient.Palette());
    EXPECT_EQ(0u, ::GetObjectType(last));
}

TEST(KitGradient, PaletteStillSelectedSomewhereIsDeletedOnRebuild) {
    TKitGradient gradient;
    gradient.SetPaletteRealize(true);
    auto bitmap = FilledBitmap(8, 8);
    TRect rect{0, 0, 8, 8};
    FillGradient(*bitmap->Canvas(), rect, gstVertical, &gradient.Colors(), gradient.Palette(),
                 KitPaletteFlag, 0);
    const HPALETTE selected = gradient.Palette();
    gradient.SetEndColor(clWhite);
    EXPECT_EQ(0u, ::GetObjectType(selected));
    EXPECT_NE(selected, ::GetCurrentObject(bitmap->Canvas()->Handle(), OBJ_PAL));
}

TEST(KitGradient, TwoColoursAreExactlyTheEndColours) {
    TKitGradient gradient;
    gradient.SetColor(clLime);
    gradient.SetEndColor(clRed);
    gradient.SetColorCount(2);
    ASSERT_EQ(2, gradient.Colors().Count());
    EXPECT_EQ(0x00FF00u, Entry(gradient, 0));
    EXPECT_EQ(0x0000FFu, Entry(gradient, 1));
}

TEST(KitGradient, ColorCountIsKeptInItsRange) {
    TKitGradient gradient;
    gradient.SetColorCount(1);
    EXPECT_EQ(2, gradient.ColorCount());
    EXPECT_EQ(2, gradient.Colors().Count());
    gradient.SetColorCount(0);
    EXPECT_EQ(2, gradient.ColorCount());
    gradient.SetColorCount(255);
    EXPECT_EQ(236, gradient.ColorCount());
    EXPECT_EQ(236, gradient.Colors().Count());
    gradient.SetColorCount(237);
    EXPECT_EQ(236, gradient.ColorCount());
}

TEST(KitGradient, EqualValuesReportNothingNewOnesOnce) {
    TKitGradient gradient;
    TChangeCounter changes;
    gradient.OnChange = changes.Event();
    gradient.SetColor(clBlue);
    gradient.SetColorCount(16);
    gradient.SetStyle(gstVertical);
    gradient.SetEndColor(clBlack);
    gradient.SetPaletteRealize(false);
    EXPECT_EQ(0, changes.Count());

    gradient.SetStyle(gstElliptic);
    gradient.SetColor(clWhite);
    EXPECT_EQ(2, changes.Count());
    EXPECT_EQ(&gradient, changes.LastSender());
    EXPECT_EQ(0xFFFFFFu, Entry(gradient, 0));
}

TEST(KitGradient, TableIsRebuiltAlsoWhileUpdating) {
    TKitGradient gradient;
    TChangeCounter changes;
    gradient.OnChange = changes.Event();
    gradient.BeginUpdate();
    gradient.SetColorCount(5);
    gradient.SetColor(clRed);
    EXPECT_EQ(5, gradient.Colors().Count());
    EXPECT_EQ(0x0000FFu, Entry(gradient, 0));
    gradient.EndUpdate(false);
    EXPECT_EQ(0, changes.Count());
}

TEST(KitGradient, SystemColoursAreTakenAtTheirCurrentValue) {
    TKitGradient gradient;
    gradient.SetColor(clBtnFace);
    EXPECT_EQ(static_cast<std::uint32_t>(ColorToRGB(clBtnFace)), Entry(gradient, 0));
}

TEST(KitGradient, CopyTakesAllSettingsAndReportsOnce) {
    TKitGradient source;
    source.SetColor(clLime);
    source.SetColorCount(236);
    source.SetStyle(gstHorizontal);
    source.SetEndColor(clRed);
    source.SetPaletteRealize(true);

    TKitGradient target;
    TChangeCounter changes;
    target.OnChange = changes.Event();
    target.Assign(&source);
    EXPECT_EQ(1, changes.Count());
    EXPECT_EQ(clLime, target.Color());
    EXPECT_EQ(236, target.ColorCount());
    EXPECT_EQ(gstHorizontal, target.Style());
    EXPECT_EQ(clRed, target.EndColor());
    EXPECT_TRUE(target.PaletteRealize());
    ASSERT_EQ(236, target.Colors().Count());
    EXPECT_EQ(0x0000FFu, Entry(target, 235));
    EXPECT_NE(nullptr, target.Palette());
    EXPECT_NE(source.Palette(), target.Palette());
}
