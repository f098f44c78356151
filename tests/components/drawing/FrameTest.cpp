#include "DrawTestSupport.h"
#include "components/drawing/kitframe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

constexpr COLORREF Light = RGB(250, 240, 10);
constexpr COLORREF Shadow = RGB(20, 30, 200);
constexpr COLORREF Border = RGB(200, 0, 200);

struct TBevelRun {
    std::unique_ptr<TBitmap> Bitmap;
    RECT Rect;
    bool Result;
};

TBevelRun RunBevel(TKitBevelStyle style, int width) {
    TBevelRun run{FilledBitmap(24, 24), RECT{2, 2, 22, 22}, false};
    run.Result = DrawBevelFrame(*run.Bitmap->Canvas(), run.Rect, style, Light, Shadow, width);
    return run;
}

bool SameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != 0;
}

} // namespace

TEST(DrawBevelFrame, NothingForWidthZeroNoneAndShadow) {
    for (auto [style, width] : {std::pair{bvRaised, 0}, std::pair{bvNone, 3},
                                std::pair{bvShadow, 3}, std::pair{bvFrameLowered, 0}}) {
        TBevelRun run = RunBevel(style, width);
        EXPECT_FALSE(run.Result);
        EXPECT_TRUE(SameRect(run.Rect, RECT{2, 2, 22, 22}));
        EXPECT_EQ(CountColor(*run.Bitmap, Sentinel), 24 * 24);
    }
}

TEST(DrawBevelFrame, WidthOneBevelsShrinkByOneWithTheirColours) {
    struct Case {
        TKitBevelStyle Style;
        COLORREF UpperLeft, LowerRight;
    };
    for (const Case& c : {Case{bvLowered, Shadow, Light}, Case{bvRaised, Light, Shadow},
                          Case{bvNormal, RGB(0, 0, 0), RGB(0, 0, 0)}}) {
        TBevelRun run = RunBevel(c.Style, 1);
        const int style = static_cast<int>(c.Style);
        EXPECT_TRUE(run.Result);
        EXPECT_TRUE(SameRect(run.Rect, RECT{3, 3, 21, 21})) << style;
        EXPECT_EQ(PixelAt(*run.Bitmap, 2, 12), c.UpperLeft) << style;
        EXPECT_EQ(PixelAt(*run.Bitmap, 12, 2), c.UpperLeft) << style;
        EXPECT_EQ(PixelAt(*run.Bitmap, 21, 12), c.LowerRight) << style;
        EXPECT_EQ(PixelAt(*run.Bitmap, 12, 21), c.LowerRight) << style;
        // The ring is one pixel: inside and outside stay as they were.
        EXPECT_EQ(CountColor(*run.Bitmap, Sentinel, run.Rect), 18 * 18) << style;
        EXPECT_EQ(PaintedOutside(*run.Bitmap, RECT{2, 2, 22, 22}), 0) << style;
    }
}

TEST(DrawBevelFrame, WideBevelsShrinkByTheirWidth) {
    struct Case {
        TKitBevelStyle Style;
        COLORREF UpperLeft, LowerRight;
    };
    for (const Case& c : {Case{bvLowered, Shadow, Light}, Case{bvRaised, Light, Shadow},
                          Case{bvNormal, RGB(0, 0, 0), RGB(0, 0, 0)}}) {
        TBevelRun run = RunBevel(c.Style, 2);
        const int style = static_cast<int>(c.Style);
        EXPECT_TRUE(run.Result);
        EXPECT_TRUE(SameRect(run.Rect, RECT{4, 4, 20, 20})) << style;
        for (int d = 0; d < 2; ++d) {
            EXPECT_EQ(PixelAt(*run.Bitmap, 2 + d, 12), c.UpperLeft) << style << " left " << d;
            EXPECT_EQ(PixelAt(*run.Bitmap, 12, 2 + d), c.UpperLeft) << style << " top " << d;
            EXPECT_EQ(PixelAt(*run.Bitmap, 21 - d, 12), c.LowerRight) << style << " right " << d;
            EXPECT_EQ(PixelAt(*run.Bitmap, 12, 21 - d), c.LowerRight) << style << " bottom " << d;
        }
        // The lower-right polygon's top edge is the first row of the inner
        // rectangle; everything further in stays untouched.
        const RECT untouched{4, 4, 20, 19};
        EXPECT_EQ(CountColor(*run.Bitmap, Sentinel, untouched), 16 * 15) << style;
        EXPECT_EQ(PaintedOutside(*run.Bitmap, RECT{2, 2, 22, 22}), 0) << style;
    }
}

TEST(DrawBevelFrame, FrameStylesShrinkByWidthPlusOne) {
    struct Case {
        TKitBevelStyle Style;
        COLORREF UpperLeft, LowerRight;
    };
    for (const Case& c :
         {Case{bvFrameLowered, Shadow, Light}, Case{bvFrameRaised, Light, Shadow}}) {
        for (int width : {1, 2}) {
            TBevelRun run = RunBevel(c.Style, width);
            const int style = static_cast<int>(c.Style);
            EXPECT_TRUE(run.Result);
            const int inset = width + 1;
            EXPECT_TRUE(SameRect(run.Rect, RECT{2 + inset, 2 + inset, 22 - inset, 22 - inset}))
                << style << " width " << width;
            EXPECT_EQ(PixelAt(*run.Bitmap, 2, 2), c.UpperLeft) << style;
            EXPECT_EQ(PixelAt(*run.Bitmap, 2, 12), c.UpperLeft) << style;
            EXPECT_EQ(PixelAt(*run.Bitmap, 21, 21), c.LowerRight) << style;
            EXPECT_EQ(PixelAt(*run.Bitmap, 21, 12), c.LowerRight) << style;
            // The second line of the frame: the lower-right colour inside the
            // upper-left line, and the other way round.
            EXPECT_EQ(PixelAt(*run.Bitmap, 3, 12), c.LowerRight) << style;
            EXPECT_EQ(PixelAt(*run.Bitmap, 20, 12), c.UpperLeft) << style;
            const int inner = 20 - 2 * inset;
            EXPECT_EQ(CountColor(*run.Bitmap, Sentinel, run.Rect), inner * inner) << style;
            EXPECT_EQ(PaintedOutside(*run.Bitmap, RECT{2, 2, 22, 22}), 0) << style;
        }
    }
}

TEST(DrawShadowFrame, ShadowStripsCornersAndLightRings) {
    auto bitmap = FilledBitmap(20, 20);
    RECT rect{0, 0, 20, 20};
    EXPECT_TRUE(DrawShadowFrame(*bitmap->Canvas(), rect, Light, Shadow, Border, 3, 2, false));
    EXPECT_TRUE(SameRect(rect, RECT{2, 2, 15, 15}));
    EXPECT_EQ(PixelAt(*bitmap, 18, 10), Shadow);
    EXPECT_EQ(PixelAt(*bitmap, 10, 18), Shadow);
    EXPECT_EQ(PixelAt(*bitmap, 19, 19), Shadow);
    EXPECT_EQ(PixelAt(*bitmap, 18, 1), Border);
    EXPECT_EQ(PixelAt(*bitmap, 1, 18), Border);
    EXPECT_EQ(PixelAt(*bitmap, 0, 10), Light);
    EXPECT_EQ(PixelAt(*bitmap, 1, 10), Light);
    EXPECT_EQ(PixelAt(*bitmap, 16, 10), Light);
    EXPECT_EQ(CountColor(*bitmap, Sentinel), 13 * 13);
    EXPECT_EQ(bitmap->Canvas()->Pen()->Width(), 1);
}

TEST(DrawShadowFrame, TransparentLeavesTheCornersAndNoRingsWithCountZero) {
    auto bitmap = FilledBitmap(20, 20);
    RECT rect{0, 0, 20, 20};
    EXPECT_TRUE(DrawShadowFrame(*bitmap->Canvas(), rect, Light, Shadow, Border, 3, 0, true));
    EXPECT_TRUE(SameRect(rect, RECT{0, 0, 17, 17}));
    const RECT corner1{17, 0, 20, 3};
    const RECT corner2{0, 17, 3, 20};
    EXPECT_EQ(CountColor(*bitmap, Sentinel, corner1), 9);
    EXPECT_EQ(CountColor(*bitmap, Sentinel, corner2), 9);
    EXPECT_EQ(CountColor(*bitmap, Shadow), 3 * 17 + 3 * 17 - 9);
    EXPECT_EQ(CountColor(*bitmap, Sentinel), 17 * 17 + 18);
}

TEST(StandardBorder, WidthsByStyle) {
    EXPECT_EQ(StandardBorderWidth(lsNone), 0);
    EXPECT_EQ(StandardBorderWidth(lsSingle), 1);
    EXPECT_EQ(StandardBorderWidth(lsSingleRaised), 1);
    EXPECT_EQ(StandardBorderWidth(lsSingleLowered), 1);
    EXPECT_EQ(StandardBorderWidth(lsLowered), 2);
    EXPECT_EQ(StandardBorderWidth(lsWindowBorder), 2);
    EXPECT_EQ(StandardBorderWidth(lsDoubleLowered), 2);
}

TEST(StandardBorder, EveryStyleLeavesItsInnerRectangle) {
    struct Case {
        TKitBorderStyle Style;
        RECT Inner; // from (0, 0, 30, 30)
    };
    const Case cases[] = {
        {lsNone, {0, 0, 30, 30}},          {lsSingle, {1, 1, 30, 30}},
        {lsLowered, {2, 2, 28, 28}},       {lsRaised, {2, 2, 28, 28}},
        {lsRaisedspb, {1, 1, 28, 28}},     {lsLoweredspb, {2, 2, 29, 29}},
        {lsRaisedExt, {2, 2, 28, 28}},     {lsLoweredExt, {2, 2, 28, 28}},
        {lsFrameInset, {2, 2, 28, 28}},    {lsFrameOffset, {2, 2, 28, 28}},
        {lsWindowBorder, {2, 2, 28, 28}},  {lsSingleRaised, {1, 1, 29, 29}},
        {lsSingleLowered, {1, 1, 29, 29}}, {lsDoubleRaised, {2, 2, 28, 28}},
        {lsDoubleLowered, {2, 2, 28, 28}},
    };
    for (const Case& c : cases) {
        auto bitmap = FilledBitmap(30, 30);
        RECT rect{0, 0, 30, 30};
        const int style = static_cast<int>(c.Style);
        EXPECT_TRUE(DrawStandardBorder(*bitmap->Canvas(), rect, c.Style, 0));
        EXPECT_TRUE(SameRect(rect, c.Inner)) << style << ": " << rect.left << "," << rect.top << ","
                                             << rect.right << "," << rect.bottom;
        // The width the bevel reserves is the widest side.
        const int widest = std::max({rect.left, rect.top, 30 - rect.right, 30 - rect.bottom});
        EXPECT_EQ(StandardBorderWidth(c.Style), widest) << style;
        // Nothing is drawn inside what is left, except by lsSingle, whose
        // lower-right edge lies inside.
        if (c.Style == lsSingle)
            continue;
        EXPECT_EQ(CountColor(*bitmap, Sentinel, rect),
                  (rect.right - rect.left) * (rect.bottom - rect.top))
            << style;
    }
}

TEST(StandardBorder, SingleDrawsItsLowerRightEdgeInsideTheRectangle) {
    auto bitmap = FilledBitmap(30, 30);
    RECT rect{0, 0, 30, 30};
    DrawStandardBorder(*bitmap->Canvas(), rect, lsSingle, 0);
    EXPECT_TRUE(::EqualRect(&rect, std::array{RECT{1, 1, 30, 30}}.data()));
    EXPECT_NE(PixelAt(*bitmap, 0, 15), Sentinel);
    EXPECT_NE(PixelAt(*bitmap, 15, 0), Sentinel);
    // A raised outer edge: dark shadow on the right and bottom.
    EXPECT_EQ(PixelAt(*bitmap, 29, 15), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(PixelAt(*bitmap, 15, 29), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(PixelAt(*bitmap, 28, 15), Sentinel);
}

TEST(StandardBorder, RingColoursOfTheSingleAndDoubleEdges) {
    struct Case {
        TKitBorderStyle Style;
        int Rings;
        TColor UpperLeft, LowerRight;
    };
    for (const Case& c : {Case{lsSingleLowered, 1, clBtnShadow, clBtnHighlight},
                          Case{lsDoubleLowered, 2, clBtnShadow, clBtnHighlight},
                          Case{lsSingleRaised, 1, clBtnHighlight, clBtnShadow},
                          Case{lsDoubleRaised, 2, clBtnHighlight, clBtnShadow}}) {
        auto bitmap = FilledBitmap(30, 30);
        RECT rect{0, 0, 30, 30};
        DrawStandardBorder(*bitmap->Canvas(), rect, c.Style, 0);
        const int style = static_cast<int>(c.Style);
        for (int d = 0; d < c.Rings; ++d) {
            EXPECT_EQ(PixelAt(*bitmap, d, 15), ColorToRGB(c.UpperLeft)) << style << " " << d;
            EXPECT_EQ(PixelAt(*bitmap, 15, d), ColorToRGB(c.UpperLeft)) << style << " " << d;
            EXPECT_EQ(PixelAt(*bitmap, 29 - d, 15), ColorToRGB(c.LowerRight)) << style << " " << d;
            EXPECT_EQ(PixelAt(*bitmap, 15, 29 - d), ColorToRGB(c.LowerRight)) << style << " " << d;
        }
    }
}
