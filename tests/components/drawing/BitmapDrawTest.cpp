#include "DrawTestSupport.h"
#include "components/drawing/kitbitmap.h"
#include "components/drawing/kitdrawmath.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF Ink = RGB(200, 10, 20);
constexpr COLORREF Paper = RGB(255, 0, 255);

bool SameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != 0;
}

// The area of Bitmap whose pixels are Color, as a bounding rectangle.
RECT BoundsOf(TBitmap& bitmap, COLORREF color) {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (PixelAt(bitmap, x, y) == color) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

} // namespace

TEST(DrawBitmapExt, NaturalSizeAtTheTopLeftCorner) {
    auto image = FilledBitmap(6, 4, Ink);
    auto target = FilledBitmap(20, 20);
    RECT painted{};
    DrawBitmapExt(*target->Canvas(), RECT{3, 5, 18, 18}, *image, 0, clNone, painted);
    EXPECT_TRUE(SameRect(painted, RECT{3, 5, 9, 9}));
    EXPECT_TRUE(SameRect(BoundsOf(*target, Ink), RECT{3, 5, 9, 9}));
    EXPECT_EQ(CountColor(*target, Ink), 24);
}

TEST(DrawBitmapExt, CentredTenInFifteenLiesAtTwoTwo) {
    auto image = FilledBitmap(10, 10, Ink);
    auto target = FilledBitmap(15, 15);
    RECT painted{};
    DrawBitmapExt(*target->Canvas(), RECT{0, 0, 15, 15}, *image, kdCenter, clNone, painted);
    EXPECT_TRUE(SameRect(painted, RECT{2, 2, 12, 12}));
    EXPECT_TRUE(SameRect(BoundsOf(*target, Ink), RECT{2, 2, 12, 12}));
}

TEST(DrawBitmapExt, StretchKeepingWidthOrFitting) {
    auto image = FilledBitmap(40, 20, Ink);
    struct Case {
        std::uint16_t Flags;
        RECT Expected;
    };
    for (const Case& c :
         {Case{kdStretch, {0, 0, 100, 100}}, Case{kdStretch | kdKeepWidth, {0, 0, 100, 50}},
          Case{kdStretch | kdFit, {0, 0, 100, 50}},
          Case{kdStretch | kdKeepHeight, {0, 0, 200, 100}}}) {
        auto target = FilledBitmap(220, 110);
        RECT painted{};
        DrawBitmapExt(*target->Canvas(), RECT{0, 0, 100, 100}, *image, c.Flags, clNone, painted);
        EXPECT_TRUE(SameRect(painted, c.Expected)) << c.Flags;
        EXPECT_TRUE(SameRect(BoundsOf(*target, Ink), c.Expected)) << c.Flags;
    }
}

TEST(DrawBitmapCore, StretchingAZeroSizeSourcePaintsNothing) {
    auto source = FilledBitmap(10, 10, Ink);
    auto target = FilledBitmap(30, 30);
    RECT painted{1, 1, 2, 2};
    DrawBitmapCore(*target->Canvas(), RECT{0, 0, 30, 30}, source->Canvas(), RECT{0, 0, 0, 10},
                   kdStretch | kdKeepWidth, clNone, nullptr, nullptr, painted);
    EXPECT_TRUE(::IsRectEmpty(&painted));
    DrawBitmapCore(*target->Canvas(), RECT{0, 0, 30, 30}, source->Canvas(), RECT{0, 0, 10, 0},
                   kdStretch | kdKeepHeight, clNone, nullptr, nullptr, painted);
    DrawBitmapCore(*target->Canvas(), RECT{0, 0, 30, 30}, source->Canvas(), RECT{0, 0, 0, 0},
                   kdStretch | kdFit, clNone, nullptr, nullptr, painted);
    EXPECT_EQ(CountColor(*target, Sentinel), 900);
}

TEST(DrawBitmapCore, EmptyDestinationPaintsNothing) {
    auto source = FilledBitmap(10, 10, Ink);
    auto target = FilledBitmap(30, 30);
    RECT painted{1, 1, 2, 2};
    DrawBitmapCore(*target->Canvas(), RECT{5, 5, 5, 20}, source->Canvas(), RECT{0, 0, 10, 10}, 0,
                   clNone, nullptr, nullptr, painted);
    EXPECT_TRUE(::IsRectEmpty(&painted));
    EXPECT_EQ(CountColor(*target, Sentinel), 900);
}

TEST(DrawBitmapClipped, TilesReachPastTheDestinationWithoutClip) {
    auto image = FilledBitmap(30, 10, Ink);
    image->Canvas()->SetPixels(0, 0, clBlue); // marks each tile's corner
    auto target = FilledBitmap(200, 30);
    DrawBitmapClipped(*target->Canvas(), RECT{0, 0, 100, 10}, *image, kdTile, 0, clNone);
    for (int column : {0, 30, 60, 90, 120})
        EXPECT_EQ(PixelAt(*target, column, 0), RGB(0, 0, 255)) << column;
    EXPECT_EQ(PixelAt(*target, 149, 5), Ink);
    EXPECT_EQ(PixelAt(*target, 150, 5), Sentinel);
    // Rows: 10 div 10 + 1 = 2, both bounds included: three rows of tiles.
    EXPECT_EQ(PixelAt(*target, 0, 20), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(*target, 5, 29), Ink);
}

TEST(DrawBitmapClipped, ClipKeepsTilesInsideAndPutsTheClipBack) {
    auto image = FilledBitmap(30, 10, Ink);
    auto target = FilledBitmap(200, 30);
    HDC dc = target->Canvas()->Handle();
    DrawBitmapClipped(*target->Canvas(), RECT{0, 0, 100, 10}, *image, kdTile | kdClip, 0, clNone);
    EXPECT_TRUE(SameRect(BoundsOf(*target, Ink), RECT{0, 0, 100, 10}));
    EXPECT_FALSE(HasClipRegion(dc));
}

TEST(DrawBitmapClipped, OffsetShiftsOnlyTheClip) {
    auto image = FilledBitmap(30, 10, Ink);
    auto target = FilledBitmap(200, 30);
    DrawBitmapClipped(*target->Canvas(), RECT{0, 0, 100, 10}, *image, kdTile | kdClip,
                      PackOffset(20, 0), clNone);
    EXPECT_TRUE(SameRect(BoundsOf(*target, Ink), RECT{20, 0, 120, 10}));
}

TEST(DrawBitmapExt, TransparentColourLeavesTheBackground) {
    auto image = FilledBitmap(8, 8, Paper);
    image->Canvas()->Brush()->SetColor(static_cast<TColor>(Ink));
    image->Canvas()->FillRect(RECT{2, 2, 6, 6});
    auto target = FilledBitmap(10, 10);
    RECT painted{};
    DrawBitmapExt(*target->Canvas(), RECT{1, 1, 9, 9}, *image, kdTransparent,
                  static_cast<TColor>(Paper), painted);
    EXPECT_EQ(CountColor(*target, Paper), 0);
    EXPECT_TRUE(SameRect(BoundsOf(*target, Ink), RECT{3, 3, 7, 7}));
    EXPECT_EQ(CountColor(*target, Sentinel), 100 - 16);
}

TEST(DrawBitmapExt, MaskFlagWithoutAMaskFallsThroughToTransparency) {
    auto image = FilledBitmap(8, 8, Paper);
    image->Canvas()->Brush()->SetColor(static_cast<TColor>(Ink));
    image->Canvas()->FillRect(RECT{2, 2, 6, 6});
    auto target = FilledBitmap(10, 10);
    RECT painted{};
    DrawBitmapExt(*target->Canvas(), RECT{0, 0, 10, 10}, *image, kdMasked | kdTransparent,
                  static_cast<TColor>(Paper), painted);
    EXPECT_EQ(CountColor(*target, Paper), 0);
    EXPECT_EQ(CountColor(*target, Ink), 16);
    // Without 0x0040 either, it is a plain copy.
    auto plain = FilledBitmap(10, 10);
    DrawBitmapExt(*plain->Canvas(), RECT{0, 0, 10, 10}, *image, kdMasked, clNone, painted);
    EXPECT_EQ(CountColor(*plain, Paper), 64 - 16);
}

TEST(DrawBitmapExt, BrushCopyReplacesTheTransparentColour) {
    auto image = FilledBitmap(8, 8, Paper); // bottom-left pixel: the transparent colour
    image->Canvas()->Brush()->SetColor(static_cast<TColor>(Ink));
    image->Canvas()->FillRect(RECT{2, 2, 6, 6});
    auto target = FilledBitmap(10, 10);
    RECT painted{};
    DrawBitmapExt(*target->Canvas(), RECT{0, 0, 10, 10}, *image, kdBrushCopy, clYellow, painted);
    EXPECT_TRUE(SameRect(painted, RECT{0, 0, 8, 8}));
    EXPECT_EQ(CountColor(*target, Ink), 16);
    EXPECT_EQ(CountColor(*target, RGB(255, 255, 0)), 64 - 16);
    EXPECT_EQ(target->Canvas()->Brush()->Color(), clYellow);
}

TEST(DrawCanvasImage, MaskedCopyThroughAMaskCanvas) {
    auto image = FilledBitmap(8, 8, Ink);
    // Mask: white where the target shows through, black where the image goes.
    auto mask = FilledBitmap(8, 8, RGB(255, 255, 255));
    mask->Canvas()->Brush()->SetColor(clBlack);
    mask->Canvas()->FillRect(RECT{0, 0, 4, 8});
    // The image must be black where the mask is white for an OR copy.
    image->Canvas()->Brush()->SetColor(clBlack);
    image->Canvas()->FillRect(RECT{4, 0, 8, 8});
    auto target = FilledBitmap(10, 10);
    const COLORREF textBefore = ::GetTextColor(target->Canvas()->Handle());
    DrawCanvasImage(*target->Canvas(), RECT{0, 0, 10, 10}, image->Canvas(), RECT{0, 0, 8, 8},
                    kdMasked, 0, clNone, mask->Canvas());
    EXPECT_EQ(CountColor(*target, Ink), 32);
    const RECT through{4, 0, 8, 8};
    EXPECT_EQ(CountColor(*target, Sentinel, through), 32);
    EXPECT_EQ(target->Canvas()->CopyMode(), static_cast<TCopyMode>(SRCCOPY));
    EXPECT_EQ(::GetTextColor(target->Canvas()->Handle()), textBefore);
}

TEST(DrawBitmapExt, PenAtMinusOneMeansDoNotDraw) {
    auto image = FilledBitmap(8, 8, Ink);
    image->Canvas()->MoveTo(-1, 0);
    auto target = FilledBitmap(10, 10);
    RECT painted{1, 1, 5, 5};
    DrawBitmapExt(*target->Canvas(), RECT{0, 0, 10, 10}, *image, 0, clNone, painted);
    EXPECT_TRUE(::IsRectEmpty(&painted));
    DrawBitmapClipped(*target->Canvas(), RECT{0, 0, 10, 10}, *image, 0, 0, clNone);
    EXPECT_EQ(CountColor(*target, Sentinel), 100);
}

TEST(FillBitmap, SizesAndFills) {
    TBitmap bitmap;
    FillBitmap(&bitmap, RECT{5, 5, 12, 9}, clRed);
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(bitmap.Height(), 4);
    EXPECT_EQ(CountColor(bitmap, RGB(255, 0, 0)), 28);
    FillBitmap(&bitmap, RECT{0, 0, 0, 3}, clBlue);
    EXPECT_EQ(bitmap.Width(), 7);
    FillBitmap(nullptr, RECT{0, 0, 3, 3}, clBlue);
}

TEST(MakeTransparentMask, BlackImageAndWhiteMaskWhereTheColourWas) {
    auto source = FilledBitmap(6, 6, Paper);
    source->Canvas()->SetPixels(2, 3, static_cast<TColor>(Ink));
    TBitmap mask;
    TBitmap image;
    MakeTransparentMask(*source->Canvas(), RECT{1, 1, 5, 5}, &mask, &image,
                        static_cast<TColor>(Paper));
    ASSERT_EQ(image.Width(), 4);
    ASSERT_EQ(mask.Height(), 4);
    EXPECT_EQ(PixelAt(image, 1, 2), Ink);
    EXPECT_EQ(PixelAt(image, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(mask, 1, 2), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(mask, 0, 0), RGB(255, 255, 255));
    MakeTransparentMask(*source->Canvas(), RECT{0, 0, 6, 6}, nullptr, &image, clBlack);
    EXPECT_EQ(image.Width(), 4);
}
