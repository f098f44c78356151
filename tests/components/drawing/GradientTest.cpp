#include "DrawTestSupport.h"
#include "components/drawing/kitdrawmath.h"
#include "components/drawing/kitgradient.h"
#include "components/drawing/kitpalette.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Band bounds of the horizontal gradient: round(i * w / n), halves up.
int BandEdge(int i, int w, int n) {
    return (2 * i * w + n) / (2 * n);
}

class MainWindowGradient : public ::testing::Test {
protected:
    void SetUp() override { MakeGradientColors(clLime, clRed, 236, &Colors); }
    TList Colors;
    // The scale's 292 x 20 client area, with a sentinel margin around it.
    const RECT Area{10, 7, 302, 27};
};

void ExpectMainWindowBands(TBitmap& bitmap, const RECT& area) {
    const int w = area.right - area.left;
    int checked = 0;
    for (int i = 0; i < 236; ++i) {
        const int red = (i * 255 * 2 + 235) / (2 * 235);
        const COLORREF expected = RGB(red, 255 - red, 0);
        for (int x = BandEdge(i, w, 236); x < BandEdge(i + 1, w, 236); ++x) {
            for (int y = area.top; y < area.bottom; ++y) {
                ASSERT_EQ(PixelAt(bitmap, area.left + x, y), expected)
                    << "band " << i << " at x " << x << " y " << y;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 292 * 20);
    EXPECT_EQ(PixelAt(bitmap, area.left, area.top), RGB(0, 255, 0));
    EXPECT_EQ(PixelAt(bitmap, area.right - 1, area.bottom - 1), RGB(255, 0, 0));
    EXPECT_EQ(PaintedOutside(bitmap, area), 0);
}

} // namespace

TEST_F(MainWindowGradient, OffscreenPathPaintsEveryBandInItsColour) {
    auto bitmap = FilledBitmap(312, 34);
    FillGradient(*bitmap->Canvas(), Area, gstHorizontal, &Colors, nullptr, kgOffscreen, 0);
    ExpectMainWindowBands(*bitmap, Area);
}

TEST_F(MainWindowGradient, DirectPathPaintsEveryBandInItsColour) {
    auto bitmap = FilledBitmap(312, 34);
    FillGradient(*bitmap->Canvas(), Area, gstHorizontal, &Colors, nullptr, 0, 0);
    ExpectMainWindowBands(*bitmap, Area);
}

TEST_F(MainWindowGradient, PaletteFlagGivesTheSameColoursOnATrueColourBitmap) {
    HPALETTE palette = CreateGradientPalette(&Colors);
    ASSERT_NE(palette, nullptr);
    auto bitmap = FilledBitmap(312, 34);
    FillGradient(*bitmap->Canvas(), Area, gstHorizontal, &Colors, palette, kgOffscreen | KitPaletteFlag,
                 0);
    ExpectMainWindowBands(*bitmap, Area);
    bitmap.reset();
    DeleteKitPalette(palette);
    EXPECT_EQ(palette, nullptr);
}

TEST(GradientColors, SystemColoursAreInterpolatedFromTheirCurrentValue) {
    TList colors;
    MakeGradientColors(clBtnFace, clBtnFace, 4, &colors);
    ASSERT_EQ(colors.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(GradientColorAt(colors, i), ::GetSysColor(COLOR_BTNFACE));
}

TEST(GradientColors, NilListOrCountZeroDoNothing) {
    MakeGradientColors(clLime, clRed, 10, nullptr);
    TList colors;
    AddGradientColor(colors, 7);
    MakeGradientColors(clLime, clRed, 0, &colors);
    ASSERT_EQ(colors.Count(), 1);
    EXPECT_EQ(GradientColorAt(colors, 0), 7u);
}

TEST(GradientPalette, OneNoCollapseEntryPerColour) {
    TList colors;
    MakeGradientColors(clBlack, clWhite, 5, &colors);
    HPALETTE palette = CreateGradientPalette(&colors);
    ASSERT_NE(palette, nullptr);
    std::vector<PALETTEENTRY> entries(8);
    ASSERT_EQ(::GetPaletteEntries(palette, 0, 8, entries.data()), 5u);
    for (int i = 0; i < 5; ++i) {
        const std::uint32_t rgb = GradientColorAt(colors, i);
        EXPECT_EQ(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue), rgb);
    }
    ::DeleteObject(palette);
    EXPECT_EQ(CreateGradientPalette(nullptr), nullptr);
    TList empty;
    EXPECT_EQ(CreateGradientPalette(&empty), nullptr);
}

TEST(FillGradient, MoreEntriesThanPixelsSkipsColours) {
    TList colors;
    MakeGradientColors(clBlack, clWhite, 200, &colors);
    auto bitmap = FilledBitmap(50, 4);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 50, 4}, gstHorizontal, &colors, nullptr, 0, 0);
    // Each x shows the last entry whose band starts at or before it.
    for (int x = 0; x < 50; ++x) {
        int entry = -1;
        for (int i = 0; i < 200; ++i)
            if (BandEdge(i, 50, 200) <= x && x < BandEdge(i + 1, 50, 200))
                entry = i;
        ASSERT_GE(entry, 0);
        EXPECT_EQ(PixelAt(*bitmap, x, 2), GradientColorAt(colors, entry)) << x;
    }
}

TEST(FillGradient, VerticalBandsRunTopToBottom) {
    TList colors;
    MakeGradientColors(clBlue, clYellow, 4, &colors);
    auto bitmap = FilledBitmap(6, 10);
    FillGradient(*bitmap->Canvas(), RECT{1, 1, 5, 9}, gstVertical, &colors, nullptr, 0, 0);
    for (int i = 0; i < 4; ++i)
        for (int y = 1 + BandEdge(i, 8, 4); y < 1 + BandEdge(i + 1, 8, 4); ++y)
            EXPECT_EQ(PixelAt(*bitmap, 3, y), GradientColorAt(colors, i)) << y;
    EXPECT_EQ(PaintedOutside(*bitmap, RECT{1, 1, 5, 9}), 0);
}

TEST(FillGradient, NothingForEmptyInputs) {
    TList colors;
    MakeGradientColors(clLime, clRed, 4, &colors);
    TList empty;
    auto bitmap = FilledBitmap(20, 20);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 20, 20}, gstHorizontal, nullptr, nullptr, 0, 0);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 20, 20}, gstHorizontal, &empty, nullptr, 0, 0);
    FillGradient(*bitmap->Canvas(), RECT{5, 5, 5, 15}, gstHorizontal, &colors, nullptr, 0, 0);
    FillGradient(*bitmap->Canvas(), RECT{5, 5, 15, 2}, gstSquare, &colors, nullptr, kgOffscreen, 0);
    EXPECT_EQ(CountColor(*bitmap, Sentinel), 400);
}

TEST(FillGradient, SquareReachesFurtherRightAndDownThanLeftAndUp) {
    TList colors;
    MakeGradientColors(clRed, clBlue, 2, &colors);
    auto bitmap = FilledBitmap(20, 10);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 20, 10}, gstSquare, &colors, nullptr, kgOffscreen,
                 0);
    // Entry 0 is Rectangle(5, 3, 17, 9) around the centre (10, 5); a clear
    // pen leaves out its last column and row.
    const COLORREF inner = RGB(255, 0, 0);
    const COLORREF outer = RGB(0, 0, 255);
    EXPECT_EQ(PixelAt(*bitmap, 10, 5), inner);
    EXPECT_EQ(PixelAt(*bitmap, 5, 3), inner);
    EXPECT_EQ(PixelAt(*bitmap, 4, 5), outer);
    EXPECT_EQ(PixelAt(*bitmap, 10, 2), outer);
    EXPECT_EQ(PixelAt(*bitmap, 15, 7), inner);
    EXPECT_EQ(PixelAt(*bitmap, 16, 5), outer);
    EXPECT_EQ(PixelAt(*bitmap, 10, 8), outer);
    EXPECT_EQ(CountColor(*bitmap, inner) + CountColor(*bitmap, outer), 200);
}

TEST(FillGradient, CornerStylesGrowFromTheirCorner) {
    TList colors;
    MakeGradientColors(clRed, clBlue, 4, &colors);
    const COLORREF first = GradientColorAt(colors, 0);
    const COLORREF last = GradientColorAt(colors, 3);
    struct Case {
        TKitGradientStyle Style;
        POINT Near; // the corner the low entries lie on
        POINT Far;
    };
    const Case cases[] = {{gstTopLeft, {0, 0}, {39, 19}},
                          {gstTopRight, {39, 0}, {0, 19}},
                          {gstBottomLeft, {0, 19}, {39, 0}},
                          {gstBottomRight, {39, 19}, {0, 0}}};
    for (const Case& c : cases) {
        auto bitmap = FilledBitmap(40, 20);
        FillGradient(*bitmap->Canvas(), RECT{0, 0, 40, 20}, c.Style, &colors, nullptr, kgOffscreen,
                     0);
        const int style = static_cast<int>(c.Style);
        EXPECT_EQ(PixelAt(*bitmap, c.Near.x, c.Near.y), first) << style;
        EXPECT_EQ(PixelAt(*bitmap, c.Far.x, c.Far.y), last) << style;
        EXPECT_EQ(CountColor(*bitmap, Sentinel), 0) << style;
    }
}

TEST(FillGradient, EllipticIsSymmetricAboutTheCentre) {
    TList colors;
    MakeGradientColors(clRed, clBlue, 6, &colors);
    auto bitmap = FilledBitmap(41, 21);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 40, 20}, gstElliptic, &colors, nullptr, kgOffscreen,
                 0);
    EXPECT_EQ(PixelAt(*bitmap, 20, 10), GradientColorAt(colors, 0));
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), GradientColorAt(colors, 5));
    EXPECT_EQ(PixelAt(*bitmap, 39, 19), GradientColorAt(colors, 5));
    EXPECT_EQ(PaintedOutside(*bitmap, RECT{0, 0, 40, 20}), 0);
}

TEST(FillGradient, ClippedDirectAndOffscreenPathsAgreeForEveryStyle) {
    TList colors;
    MakeGradientColors(clLime, clRed, 12, &colors);
    const RECT area{6, 4, 56, 34};
    for (int s = 0; s <= static_cast<int>(gstBottomRight); ++s) {
        const auto style = static_cast<TKitGradientStyle>(s);
        auto direct = FilledBitmap(62, 40);
        auto offscreen = FilledBitmap(62, 40);
        FillGradient(*direct->Canvas(), area, style, &colors, nullptr, kgClip, 0);
        FillGradient(*offscreen->Canvas(), area, style, &colors, nullptr, kgOffscreen | kgClip, 0);
        EXPECT_TRUE(SamePixels(*direct, *offscreen)) << "style " << s;
        EXPECT_EQ(PaintedOutside(*direct, area), 0) << "style " << s;
        EXPECT_EQ(CountColor(*direct, Sentinel, area), 0) << "style " << s;
    }
}

// Every shape paints every pixel of its rectangle and none outside, on both
// paths, for sizes from one pixel up, odd and even, few and many entries.
TEST(FillGradient, EveryStyleCoversExactlyItsRectangleOnBothPaths) {
    const int widths[] = {1, 2, 3, 4, 5, 8, 13, 16, 37, 64, 101};
    const int heights[] = {1, 2, 3, 6, 11, 23, 40};
    const int margin = 3;
    TList few;
    MakeGradientColors(clLime, clRed, 3, &few);
    TList many;
    MakeGradientColors(clLime, clRed, 60, &many);
    int failures = 0;
    for (const TList* colors : {&few, &many})
        for (int w : widths)
            for (int h : heights)
                for (int s = 0; s <= static_cast<int>(gstBottomRight); ++s) {
                    const auto style = static_cast<TKitGradientStyle>(s);
                    const RECT area{margin, margin, margin + w, margin + h};
                    for (std::uint16_t flags : {std::uint16_t{0}, kgOffscreen}) {
                        auto bitmap = FilledBitmap(w + 2 * margin, h + 2 * margin);
                        FillGradient(*bitmap->Canvas(), area, style, colors, nullptr, flags, 0);
                        const TPixelGrid grid(*bitmap);
                        const int missed = grid.Count(Sentinel, area);
                        const int outside = grid.PaintedOutside(area);
                        EXPECT_EQ(missed + outside, 0)
                            << missed << " missed, " << outside << " outside: style " << s
                            << ", " << w << " x " << h << ", " << colors->Count()
                            << " colours, flags " << flags;
                        failures += missed + outside != 0;
                    }
                    ASSERT_LT(failures, 20) << "stopping after many failures";
                }
}

// A control without a window paints on its parent's context with the window
// origin moved to it: the shapes stay inside it there too.
TEST(FillGradient, DirectPathKeepsToTheRectangleWithAMovedOrigin) {
    TList colors;
    MakeGradientColors(clLime, clRed, 30, &colors);
    for (int s = 0; s <= static_cast<int>(gstBottomRight); ++s) {
        auto bitmap = FilledBitmap(40, 30);
        HDC dc = bitmap->Canvas()->Handle();
        POINT old{};
        ::SetWindowOrgEx(dc, -10, -5, &old);
        FillGradient(*bitmap->Canvas(), RECT{0, 0, 21, 13}, static_cast<TKitGradientStyle>(s),
                     &colors, nullptr, 0, 0);
        ::SetWindowOrgEx(dc, old.x, old.y, nullptr);
        const TPixelGrid grid(*bitmap);
        const RECT placed{10, 5, 31, 18};
        EXPECT_EQ(grid.Count(Sentinel, placed), 0) << "style " << s;
        EXPECT_EQ(grid.PaintedOutside(placed), 0) << "style " << s;
    }
}

TEST(FillGradient, ClipOffsetMovesTheClipRegionBothWays) {
    TList colors;
    MakeGradientColors(clLime, clRed, 4, &colors);
    const RECT area{10, 2, 30, 8};
    auto right = FilledBitmap(40, 10);
    FillGradient(*right->Canvas(), area, gstHorizontal, &colors, nullptr, kgClip, PackOffset(5, 0));
    const RECT leftStrip{10, 2, 15, 8};
    EXPECT_EQ(CountColor(*right, Sentinel, leftStrip), 5 * 6);
    EXPECT_EQ(CountColor(*right, Sentinel, area), 5 * 6);

    auto left = FilledBitmap(40, 10);
    FillGradient(*left->Canvas(), area, gstHorizontal, &colors, nullptr, kgClip, PackOffset(-5, 0));
    const RECT rightStrip{25, 2, 30, 8};
    EXPECT_EQ(CountColor(*left, Sentinel, rightStrip), 5 * 6);
    EXPECT_EQ(CountColor(*left, Sentinel, area), 5 * 6);
}

TEST(FillGradient, ClippingPutsTheCallersClipRegionBack) {
    TList colors;
    MakeGradientColors(clLime, clRed, 4, &colors);
    auto bitmap = FilledBitmap(40, 10);
    HDC dc = bitmap->Canvas()->Handle();
    EXPECT_FALSE(HasClipRegion(dc));
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 20, 10}, gstHorizontal, &colors, nullptr, kgClip, 0);
    EXPECT_FALSE(HasClipRegion(dc));

    HRGN own = ::CreateRectRgn(0, 0, 25, 5);
    ::SelectClipRgn(dc, own);
    ::DeleteObject(own);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 40, 10}, gstHorizontal, &colors, nullptr, kgClip, 0);
    RECT box{};
    ASSERT_TRUE(HasClipRegion(dc, &box));
    EXPECT_EQ(box.right, 25);
    EXPECT_EQ(box.bottom, 5);
    // Painting stayed inside the caller's region too.
    const RECT outside{25, 0, 40, 10};
    EXPECT_EQ(CountColor(*bitmap, Sentinel, outside), 15 * 10);
    ::SelectClipRgn(dc, nullptr);
}

TEST(FillGradient, DirectPaintingLeavesTheLastBrushAndAClearPen) {
    TList colors;
    MakeGradientColors(clLime, clRed, 3, &colors);
    auto bitmap = FilledBitmap(30, 5);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 30, 5}, gstHorizontal, &colors, nullptr, 0, 0);
    EXPECT_EQ(bitmap->Canvas()->Brush()->Style(), bsSolid);
    EXPECT_EQ(bitmap->Canvas()->Brush()->Color(), clRed);
    EXPECT_EQ(bitmap->Canvas()->Pen()->Style(), psClear);
}
