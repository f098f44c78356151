// The bevel: defaults, shadow coupling, extents of every mode, the rectangle
// PaintBevel leaves for the content and its notification rules.

#include "SettingsTestSupport.h"
#include "components/settings/kitbevel.h"
#include "components/settings/kitgradientobject.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TRect Shrunk(const TRect& r, int left, int top, int right, int bottom) {
    return TRect{r.left + left, r.top + top, r.right - right, r.bottom - bottom};
}

void ExpectRect(const TRect& expected, const TRect& actual) {
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

const TRect Area{0, 0, 40, 30};

} // namespace

TEST(KitBevel, NewBevelHasTheDeclaredDefaultsAndNoExtent) {
    TKitBevel bevel;
    EXPECT_EQ(bvNone, bevel.StyleInner());
    EXPECT_EQ(bvNone, bevel.StyleOuter());
    EXPECT_EQ(1, bevel.WidthInner());
    EXPECT_EQ(1, bevel.WidthOuter());
    EXPECT_EQ(clBtnFace, bevel.BorderColor());
    EXPECT_EQ(AllFrameSides, bevel.BorderSides());
    EXPECT_EQ(0, bevel.BorderWidth());
    EXPECT_EQ(0, bevel.BorderInnerWidth());
    EXPECT_EQ(etEtched, bevel.EdgeStyle());
    EXPECT_EQ(clBtnHighlight, bevel.LightColor());
    EXPECT_EQ(bmCustom, bevel.Mode());
    EXPECT_EQ(clBtnShadow, bevel.ShadowColor());
    EXPECT_EQ(lsSingleLowered, bevel.StandardStyle());
    EXPECT_EQ(0, bevel.Extent());
    EXPECT_EQ(0, bevel.GetBevelExtent());
}

TEST(KitBevel, ShadowIsTheStyleOfBothRingsOrOfNeither) {
    TKitBevel bevel;
    TChangeCounter changes;
    bevel.OnChange = changes.Event();

    bevel.SetStyleOuter(bvShadow);
    EXPECT_EQ(bvShadow, bevel.StyleInner());
    EXPECT_EQ(1, changes.Count());

    bevel.SetStyleInner(bvRaised);
    EXPECT_EQ(bvRaised, bevel.StyleInner());
    EXPECT_EQ(bvNone, bevel.StyleOuter());

    bevel.SetStyleInner(bvShadow);
    EXPECT_EQ(bvShadow, bevel.StyleOuter());
    bevel.SetStyleOuter(bvLowered);
    EXPECT_EQ(bvNone, bevel.StyleInner());
    EXPECT_EQ(bvLowered, bevel.StyleOuter());
    EXPECT_EQ(4, changes.Count());

    // Other styles leave the other ring alone.
    bevel.SetStyleInner(bvFrameRaised);
    EXPECT_EQ(bvLowered, bevel.StyleOuter());
}

TEST(KitBevel, SettersReportOnlyRealChanges) {
    TKitBevel bevel;
    TChangeCounter changes;
    bevel.OnChange = changes.Event();
    bevel.SetWidthOuter(1);
    bevel.SetBorderColor(clBtnFace);
    bevel.SetLightColor(clBtnHighlight);
    bevel.SetShadowColor(clBtnShadow);
    bevel.SetMode(bmCustom);
    bevel.SetBorderSides(AllFrameSides);
    EXPECT_EQ(0, changes.Count());

    bevel.SetBorderColor(clRed);
    bevel.SetLightColor(clWhite);
    bevel.SetShadowColor(clBlack);
    EXPECT_EQ(3, changes.Count());
    EXPECT_EQ(&bevel, changes.LastSender());
    // The three colours share one setter; each keeps its own value.
    EXPECT_EQ(clRed, bevel.BorderColor());
    EXPECT_EQ(clWhite, bevel.LightColor());
    EXPECT_EQ(clBlack, bevel.ShadowColor());
}

TEST(KitBevel, CustomExtentAddsRingsBordersAndFrameLines) {
    TKitBevel bevel;
    bevel.SetStyleOuter(bvFrameRaised);
    bevel.SetWidthOuter(2);
    bevel.SetStyleInner(bvLowered);
    bevel.SetWidthInner(1);
    bevel.SetBorderWidth(3);
    bevel.SetBorderInnerWidth(1);
    EXPECT_EQ(8, bevel.Extent());

    auto bitmap = FilledBitmap(40, 30);
    const TRect inner = bevel.PaintBevel(*bitmap->Canvas(), Area, false);
    ExpectRect(Shrunk(Area, 8, 8, 8, 8), inner);
    // The plain border of 3 follows the 3 pixels of the outer frame, the
    // inner border ring lies just inside the inner bevel; the content stays.
    const COLORREF border = ColorToRGB(clBtnFace);
    for (int x : {3, 4, 5, 7})
        EXPECT_EQ(border, PixelAt(*bitmap, x, 15)) << x;
    EXPECT_EQ(0, CountColor(*bitmap, border, TRect{9, 9, 31, 21}));
    EXPECT_EQ(24 * 14, CountColor(*bitmap, Sentinel, inner));
}

TEST(KitBevel, TransparentBorderTakesItsRoomButPaintsNothing) {
    TKitBevel bevel;
    bevel.SetBorderWidth(3);
    bevel.SetBorderInnerWidth(2);
    EXPECT_EQ(5, bevel.Extent());
    auto bitmap = FilledBitmap(40, 30);
    const TRect inner = bevel.PaintBevel(*bitmap->Canvas(), Area, true);
    ExpectRect(Shrunk(Area, 5, 5, 5, 5), inner);
    EXPECT_EQ(0, PaintedOutside(*bitmap, TRect{0, 0, 0, 0}));

    auto opaque = FilledBitmap(40, 30);
    bevel.PaintBevel(*opaque->Canvas(), Area, false);
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelAt(*opaque, 0, 0));
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelAt(*opaque, 4, 10));
    EXPECT_EQ(Sentinel, PixelAt(*opaque, 5, 10));
}

TEST(KitBevel, FrameStyleOfWidthZeroStillAddsItsLine) {
    TKitBevel bevel;
    bevel.SetStyleOuter(bvFrameLowered);
    bevel.SetWidthOuter(0);
    EXPECT_EQ(1, bevel.Extent());
    bevel.SetStyleOuter(bvLowered);
    EXPECT_EQ(0, bevel.Extent());
}

TEST(KitBevel, ShadowTakesMoreFromRightAndBottom) {
    TKitBevel bevel;
    bevel.SetStyleOuter(bvShadow);
    bevel.SetWidthInner(2);
    bevel.SetWidthOuter(4);
    bevel.SetBorderInnerWidth(1);
    bevel.SetBorderWidth(9); // not painted with a shadow
    EXPECT_EQ(3, bevel.Extent());
    auto bitmap = FilledBitmap(40, 30);
    ExpectRect(Shrunk(Area, 3, 3, 7, 7), bevel.PaintBevel(*bitmap->Canvas(), Area, false));
    EXPECT_EQ(ColorToRGB(clBtnShadow), PixelAt(*bitmap, 38, 15));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), PixelAt(*bitmap, 0, 10));
}

TEST(KitBevel, EdgeModeDrawsTheSidesAskedForAndShrinksAllSides) {
    // Each side alone, and the middle pixel of each edge of the area.
    const TKitFrameSide sides[] = {fsTop, fsLeft, fsRight, fsBottom};
    const POINT middles[] = {{20, 0}, {0, 15}, {39, 15}, {20, 29}};
    for (int s = 0; s < 4; ++s) {
        TKitBevel bevel;
        bevel.SetMode(bmEdge);
        bevel.SetBorderSides(TKitFrameSides{sides[s]});
        EXPECT_EQ(2, bevel.Extent());
        auto bitmap = FilledBitmap(40, 30);
        ExpectRect(Shrunk(Area, 2, 2, 2, 2), bevel.PaintBevel(*bitmap->Canvas(), Area, false));
        for (int m = 0; m < 4; ++m)
            EXPECT_EQ(m == s, Sentinel != PixelAt(*bitmap, middles[m].x, middles[m].y))
                << "side " << s << ", edge " << m;
    }
    TKitBevel bevel;
    bevel.SetMode(bmEdge);
    bevel.SetBorderInnerWidth(3);
    bevel.SetBorderSides(TKitFrameSides{});
    EXPECT_EQ(3, bevel.Extent());
}

TEST(KitBevel, WindowsAndStandardModesUseTheBorderWidths) {
    TKitBevel bevel;
    bevel.SetBorderInnerWidth(1);
    bevel.SetMode(bmWindows);
    EXPECT_EQ(3, bevel.Extent());
    auto bitmap = FilledBitmap(40, 30);
    ExpectRect(Shrunk(Area, 3, 3, 3, 3), bevel.PaintBevel(*bitmap->Canvas(), Area, false));

    bevel.SetMode(bmStandard);
    EXPECT_EQ(2, bevel.Extent()); // lsSingleLowered is 1 wide
    bevel.SetStandardStyle(lsLowered);
    EXPECT_EQ(3, bevel.Extent());
    bevel.SetStandardStyle(lsNone);
    EXPECT_EQ(1, bevel.Extent());
}

TEST(KitBevel, StandardStyleReportsOnlyInStandardMode) {
    TKitBevel bevel;
    TChangeCounter changes;
    bevel.OnChange = changes.Event();
    bevel.SetStandardStyle(lsDoubleRaised);
    EXPECT_EQ(lsDoubleRaised, bevel.StandardStyle());
    EXPECT_EQ(0, changes.Count());
    EXPECT_EQ(0, bevel.Extent());

    bevel.SetMode(bmStandard);
    EXPECT_EQ(1, changes.Count());
    EXPECT_EQ(2, bevel.Extent());
    bevel.SetStandardStyle(lsSingle);
    EXPECT_EQ(2, changes.Count());
    EXPECT_EQ(1, bevel.Extent());
}

TEST(KitBevel, ZeroExtentPaintsNothingInAnyMode) {
    TKitBevel bevel;
    bevel.SetStyleOuter(bvRaised);
    bevel.SetWidthOuter(0);
    bevel.SetMode(bmEdge);
    bevel.SetBorderSides(TKitFrameSides{});
    ASSERT_EQ(0, bevel.Extent());
    auto bitmap = FilledBitmap(40, 30);
    ExpectRect(Area, bevel.PaintBevel(*bitmap->Canvas(), Area, false));
    EXPECT_EQ(0, PaintedOutside(*bitmap, TRect{0, 0, 0, 0}));
}

TEST(KitBevel, ExtentIsRecomputedWhileUpdating) {
    TKitBevel bevel;
    TChangeCounter changes;
    bevel.OnChange = changes.Event();
    bevel.BeginUpdate();
    bevel.SetBorderWidth(4);
    EXPECT_EQ(4, bevel.Extent());
    bevel.EndUpdate(false);
    EXPECT_EQ(0, changes.Count());
}

TEST(KitBevel, CopyTakesEverySettingAndReportsOnce) {
    TKitBevel source;
    source.SetStyleOuter(bvFrameRaised);
    source.SetStyleInner(bvNormal);
    source.SetWidthInner(3);
    source.SetWidthOuter(4);
    source.SetBorderSides(TKitFrameSides{fsLeft});
    source.SetBorderInnerWidth(5);
    source.SetBorderWidth(6);
    source.SetBorderColor(clRed);
    source.SetLightColor(clLime);
    source.SetShadowColor(clBlue);
    source.SetEdgeStyle(etBump);
    source.SetStandardStyle(lsRaised);
    source.SetMode(bmStandard);

    TKitBevel target;
    TChangeCounter changes;
    target.OnChange = changes.Event();
    target.Assign(&source);
    EXPECT_EQ(1, changes.Count());
    EXPECT_EQ(bvFrameRaised, target.StyleOuter());
    EXPECT_EQ(bvNormal, target.StyleInner());
    EXPECT_EQ(3, target.WidthInner());
    EXPECT_EQ(4, target.WidthOuter());
    EXPECT_EQ(TKitFrameSides{fsLeft}, target.BorderSides());
    EXPECT_EQ(5, target.BorderInnerWidth());
    EXPECT_EQ(6, target.BorderWidth());
    EXPECT_EQ(clRed, target.BorderColor());
    EXPECT_EQ(clLime, target.LightColor());
    EXPECT_EQ(clBlue, target.ShadowColor());
    EXPECT_EQ(etBump, target.EdgeStyle());
    EXPECT_EQ(lsRaised, target.StandardStyle());
    EXPECT_EQ(bmStandard, target.Mode());
    EXPECT_EQ(source.Extent(), target.Extent());

    target.Assign(&target);
    EXPECT_EQ(1, changes.Count());
}

TEST(KitBevel, CopyFromAnotherKindFailsAsThePlatformDoes) {
    TKitBevel bevel;
    TKitGradient gradient;
    EXPECT_THROW(bevel.Assign(&gradient), EConvertError);
}
