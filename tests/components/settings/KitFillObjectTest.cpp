// The fill objects: defaults, emptiness and transparency by style, the
// notification rules of the placement, copying, and what each style paints.

#include "SettingsTestSupport.h"
#include "components/settings/kitfillobject.h"
#include "components/base/kitsysinfo.h"

#include <gtest/gtest.h>

namespace {

// A bitmap of one colour.
std::unique_ptr<TBitmap> Picture(int width, int height, COLORREF color) {
    return FilledBitmap(width, height, color);
}

const TRect Area{4, 3, 36, 23};
constexpr COLORREF Background = RGB(0x20, 0xA0, 0x60);

// Restores a platform flag a test changes.
class TFlagScope {
public:
    TFlagScope(bool& flag, bool value) : FFlag(flag), FSaved(flag) { FFlag = value; }
    ~TFlagScope() { FFlag = FSaved; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FSaved;
};

} // namespace

TEST(KitShapeFill, NewShapeFillPaintsWithTheBrushAndTiles) {
    TKitShapeFill shape;
    EXPECT_EQ(sfBrush, shape.Style());
    EXPECT_EQ(tmTile, shape.TileMode());
    EXPECT_TRUE(shape.Bitmap()->Empty());
    EXPECT_TRUE(shape.ListBitmap()->Empty());
    EXPECT_EQ(16, shape.Gradient()->ColorCount());
    EXPECT_FALSE(shape.IsEmpty());
}

TEST(KitFillObject, NewFillObjectIsEmptyAndTransparent) {
    TKitFillObject fill;
    EXPECT_EQ(sfNone, fill.Style());
    EXPECT_EQ(tmTile, fill.TileMode());
    EXPECT_EQ(agTopLeft, fill.Alignment());
    EXPECT_EQ(0, fill.OffsetX());
    EXPECT_EQ(0, fill.OffsetY());
    EXPECT_EQ((TKitFillOptions{foFillInner, foGrUseBitmap}), fill.Options());
    EXPECT_EQ(bsSolid, fill.Brush()->Style());
    EXPECT_EQ(clWhite, fill.Brush()->Color());
    EXPECT_TRUE(fill.IsEmpty());
    EXPECT_TRUE(fill.IsTransparent());
    EXPECT_EQ(nullptr, fill.FillPalette());
}

TEST(KitFillObject, IsEmptyByStyle) {
    TKitFillObject fill;
    fill.SetStyle(sfBitmap);
    EXPECT_TRUE(fill.IsEmpty());
    auto picture = Picture(4, 4, RGB(1, 2, 3));
    fill.SetBitmap(picture.get());
    EXPECT_FALSE(fill.IsEmpty());

    fill.SetStyle(sfBitmapList);
    EXPECT_TRUE(fill.IsEmpty());
    fill.SetListBitmap(picture.get());
    EXPECT_FALSE(fill.IsEmpty());
    fill.SetListBitmap(nullptr);
    EXPECT_TRUE(fill.IsEmpty());

    for (TKitFillStyle style : {sfBrushBitmap, sfBrush, sfGradient}) {
        fill.SetStyle(style);
        EXPECT_FALSE(fill.IsEmpty());
    }
}

TEST(KitFillObject, IsTransparentMatrix) {
    TKitFillObject fill;
    const TKitFillOptions inner{foFillInner};
    const TKitFillOptions none{};

    fill.SetStyle(sfBrush);
    fill.SetOptions(none);
    EXPECT_FALSE(fill.IsTransparent()); // solid brush
    fill.Brush()->SetStyle(bsDiagCross);
    EXPECT_TRUE(fill.IsTransparent());
    fill.Brush()->SetStyle(bsClear);
    EXPECT_TRUE(fill.IsTransparent());
    fill.SetOptions(inner);
    EXPECT_FALSE(fill.IsTransparent());

    for (TKitFillStyle style : {sfBitmap, sfBitmapList}) {
        fill.SetStyle(style);
        for (TKitTileMode mode : {tmNone, tmCenter, tmStretch, tmTile}) {
            fill.SetTileMode(mode);
            fill.SetOptions(none);
            const bool showsBackground = mode == tmNone || mode == tmCenter;
            EXPECT_EQ(showsBackground, fill.IsTransparent()) << static_cast<int>(mode);
            fill.SetOptions(inner);
            EXPECT_FALSE(fill.IsTransparent());
        }
    }

    for (TKitFillStyle style : {sfBrushBitmap, sfGradient}) {
        fill.SetStyle(style);
        fill.SetOptions(none);
        EXPECT_FALSE(fill.IsTransparent());
    }
    fill.SetStyle(sfNone);
    fill.SetOptions(inner);
    EXPECT_TRUE(fill.IsTransparent());
}

TEST(KitFillObject, PlacementReportsOnlyWhileItShows) {
    TKitFillObject fill;
    TChangeCounter changes;
    fill.OnChange = changes.Event();
    fill.SetStyle(sfGradient);
    changes.Reset();

    fill.SetAlignment(agBottomRight);
    fill.SetOffsetX(5);
    fill.SetOffsetY(-3);
    EXPECT_EQ(agBottomRight, fill.Alignment());
    EXPECT_EQ(5, fill.OffsetX());
    EXPECT_EQ(-3, fill.OffsetY());
    EXPECT_EQ(0, changes.Count());

    fill.SetStyle(sfBitmap); // tmTile: placement still hidden
    changes.Reset();
    fill.SetAlignment(agCenter);
    EXPECT_EQ(0, changes.Count());

    fill.SetTileMode(tmNone);
    changes.Reset();
    fill.SetAlignment(agTopCenter);
    fill.SetOffsetX(6);
    fill.SetOffsetY(7);
    fill.SetOffsetY(7);
    EXPECT_EQ(3, changes.Count());
}

TEST(KitFillObject, SubObjectChangesReachTheOwnerAsItsOwn) {
    TKitFillObject fill;
    TChangeCounter changes;
    fill.OnChange = changes.Event();
    fill.Brush()->SetColor(clRed);
    EXPECT_EQ(1, changes.Count());
    // Copying a whole gradient in reports once at the owner.
    TKitGradient other;
    other.SetColor(clRed);
    other.SetStyle(gstSquare);
    other.SetColorCount(40);
    fill.SetGradient(&other);
    EXPECT_EQ(2, changes.Count());
    EXPECT_EQ(gstSquare, fill.Gradient()->Style());
    auto picture = Picture(3, 3, RGB(9, 9, 9));
    fill.SetBitmap(picture.get());
    EXPECT_GE(changes.Count(), 3);
    EXPECT_EQ(&fill, changes.LastSender());

    // The list bitmap has no change event.
    changes.Reset();
    fill.SetListBitmap(picture.get());
    EXPECT_EQ(0, changes.Count());
}

TEST(KitFillObject, CopyLeavesPlacementAndReportsOnce) {
    TKitFillObject source;
    source.SetStyle(sfBitmap);
    source.SetTileMode(tmStretch);
    source.SetOptions(TKitFillOptions{foQuickDraw});
    source.Brush()->SetColor(clRed);
    source.Brush()->SetStyle(bsCross);
    source.Gradient()->SetColorCount(3);
    auto picture = Picture(5, 4, RGB(1, 2, 3));
    source.SetBitmap(picture.get());
    source.SetListBitmap(picture.get());
    source.SetAlignment(agBottomRight);
    source.SetOffsetX(9);

    TKitFillObject target;
    target.SetAlignment(agCenter);
    target.SetOffsetY(4);
    TChangeCounter changes;
    target.OnChange = changes.Event();
    target.Assign(&source);
    EXPECT_EQ(1, changes.Count());
    EXPECT_EQ(sfBitmap, target.Style());
    EXPECT_EQ(tmStretch, target.TileMode());
    EXPECT_EQ(TKitFillOptions{foQuickDraw}, target.Options());
    EXPECT_EQ(clRed, target.Brush()->Color());
    EXPECT_EQ(bsCross, target.Brush()->Style());
    EXPECT_EQ(3, target.Gradient()->ColorCount());
    EXPECT_EQ(5, target.Bitmap()->Width());
    EXPECT_EQ(4, target.ListBitmap()->Height());
    EXPECT_NE(source.Bitmap()->Handle(), target.Bitmap()->Handle());
    EXPECT_EQ(agCenter, target.Alignment());
    EXPECT_EQ(0, target.OffsetX());
    EXPECT_EQ(4, target.OffsetY());
}

TEST(KitFillObject, CopyFromAShapeFillTakesTheShapeOnly) {
    TKitShapeFill shape; // sfBrush, tmTile
    shape.SetTileMode(tmCenter);
    TKitFillObject fill;
    fill.SetOptions(TKitFillOptions{});
    TChangeCounter changes;
    fill.OnChange = changes.Event();
    fill.Assign(&shape);
    EXPECT_EQ(1, changes.Count());
    EXPECT_EQ(sfBrush, fill.Style());
    EXPECT_EQ(tmCenter, fill.TileMode());
    EXPECT_EQ(TKitFillOptions{}, fill.Options());
}

TEST(KitFillObject, FillPaletteByStyle) {
    TKitFillObject fill;
    fill.Gradient()->SetPaletteRealize(true);
    fill.SetStyle(sfGradient);
    EXPECT_EQ(fill.Gradient()->Palette(), fill.FillPalette());
    EXPECT_NE(nullptr, fill.FillPalette());
    fill.SetStyle(sfBrush);
    EXPECT_EQ(nullptr, fill.FillPalette());
    auto picture = Picture(2, 2, RGB(0, 0, 0));
    picture->SetPixelFormat(pf8bit);
    fill.SetBitmap(picture.get());
    fill.SetStyle(sfBitmap);
    EXPECT_EQ(fill.Bitmap()->Palette(), fill.FillPalette());
}

// --- painting ----------------------------------------------------------------

TEST(KitFillObjectPaint, NoneAndEmptyBitmapPaintOnlyWhatFillInnerAsks) {
    TKitFillObject fill;
    auto target = FilledBitmap(40, 26);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(0, PaintedOutside(*target, TRect{}));

    fill.SetStyle(sfBitmap);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(32 * 20, CountColor(*target, Background, Area));
    EXPECT_EQ(0, PaintedOutside(*target, Area));

    fill.SetOptions(TKitFillOptions{});
    auto untouched = FilledBitmap(40, 26);
    fill.FillObjectPaint(*untouched->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(0, PaintedOutside(*untouched, TRect{}));
}

TEST(KitFillObjectPaint, SolidBrushFillsTheRectangle) {
    TKitFillObject fill;
    fill.SetStyle(sfBrush);
    fill.Brush()->SetColor(clRed);
    auto target = FilledBitmap(40, 26);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(32 * 20, CountColor(*target, RGB(255, 0, 0), Area));
    EXPECT_EQ(0, PaintedOutside(*target, Area));
}

TEST(KitFillObjectPaint, NonSolidBrushWithFillInnerPaintsTheBackgroundFirst) {
    TKitFillObject fill;
    fill.SetStyle(sfBrush);
    fill.Brush()->SetStyle(bsClear);
    ASSERT_FALSE(fill.IsTransparent());
    auto target = FilledBitmap(40, 26);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    // Reported opaque, so no pixel of the area may keep what lay below.
    EXPECT_EQ(32 * 20, CountColor(*target, Background, Area));

    fill.Brush()->SetStyle(bsDiagCross);
    fill.Brush()->SetColor(clBlack);
    auto hatched = FilledBitmap(40, 26);
    fill.FillObjectPaint(*hatched->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(0, CountColor(*hatched, Sentinel, Area));
    EXPECT_GT(CountColor(*hatched, RGB(0, 0, 0), Area), 0);
    EXPECT_GT(CountColor(*hatched, Background, Area), 0);
    EXPECT_EQ(0, PaintedOutside(*hatched, Area));

    // Without foFillInner a clear brush leaves the area as it was.
    fill.SetOptions(TKitFillOptions{});
    fill.Brush()->SetStyle(bsClear);
    auto clear = FilledBitmap(40, 26);
    fill.FillObjectPaint(*clear->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(0, PaintedOutside(*clear, TRect{}));
}

TEST(KitFillObjectPaint, UntiledBitmapIsAlignedMovedAndClipped) {
    TKitFillObject fill;
    fill.SetStyle(sfBitmap);
    fill.SetTileMode(tmNone);
    fill.SetAlignment(agBottomRight);
    fill.SetOffsetX(-2);
    fill.SetOptions(TKitFillOptions{});
    const COLORREF ink = RGB(200, 10, 10);
    auto picture = Picture(6, 5, ink);
    fill.SetBitmap(picture.get());

    auto target = FilledBitmap(40, 26);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    // Bottom-right corner 2 pixels left of Area's bottom-right corner.
    const TRect expected{Area.right - 2 - 6, Area.bottom - 5, Area.right - 2, Area.bottom};
    EXPECT_EQ(30, CountColor(*target, ink, expected));
    EXPECT_EQ(0, PaintedOutside(*target, expected));

    // Moved past the left edge: what lies outside Area is clipped.
    fill.SetAlignment(agTopLeft);
    fill.SetOffsetX(-4);
    auto clipped = FilledBitmap(40, 26);
    fill.FillObjectPaint(*clipped->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(2 * 5, CountColor(*clipped, ink, Area));
    EXPECT_EQ(0, PaintedOutside(*clipped, Area));
}

TEST(KitFillObjectPaint, CentredBitmapGetsTheBackgroundAroundIt) {
    TKitFillObject fill;
    fill.SetStyle(sfBitmap);
    fill.SetTileMode(tmCenter);
    const COLORREF ink = RGB(10, 10, 200);
    auto picture = Picture(10, 10, ink);
    fill.SetBitmap(picture.get());
    auto target = FilledBitmap(40, 26);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(100, CountColor(*target, ink, Area));
    EXPECT_EQ(32 * 20 - 100, CountColor(*target, Background, Area));
    EXPECT_EQ(ink, PixelAt(*target, Area.left + 11, Area.top + 5));
}

TEST(KitFillObjectPaint, TiledAndStretchedBitmapsCoverTheAreaAndStopAtItsEdge) {
    // 7 x 6 pixels with a marked first column: tiles repeat it every 7
    // pixels, stretching widens it at the left only.
    const COLORREF ink = RGB(10, 200, 10), mark = RGB(200, 10, 200);
    auto picture = Picture(7, 6, ink);
    picture->Canvas()->Brush()->SetColor(static_cast<TColor>(mark));
    picture->Canvas()->FillRect({0, 0, 1, 6});
    for (const TKitTileMode mode : {tmTile, tmStretch}) {
        TKitFillObject fill;
        fill.SetStyle(sfBitmap);
        fill.SetTileMode(mode);
        fill.SetBitmap(picture.get());
        auto target = FilledBitmap(40, 26);
        fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
        EXPECT_EQ(32 * 20, CountColor(*target, ink, Area) + CountColor(*target, mark, Area));
        EXPECT_EQ(0, PaintedOutside(*target, Area));
        const bool tiled = mode == tmTile;
        EXPECT_EQ(mark, PixelAt(*target, Area.left, Area.top + 8)) << tiled;
        for (const int x : {7, 14})
            EXPECT_EQ(tiled ? mark : ink, PixelAt(*target, Area.left + x, Area.top + 8))
                << tiled << " at " << x;
    }
}

TEST(KitFillObjectPaint, AGradientPaintsWithItsPaletteOnlyWhenItRealisesOne) {
    for (const bool realise : {false, true}) {
        TKitFillObject fill;
        fill.SetStyle(sfGradient);
        fill.Gradient()->SetPaletteRealize(realise);
        auto target = FilledBitmap(40, 26);
        fill.FillObjectPaint(*target->Canvas(), Area, clWindow, 0);
        const HGDIOBJ selected = ::GetCurrentObject(target->Canvas()->Handle(), OBJ_PAL);
        EXPECT_EQ(realise, selected == fill.Gradient()->Palette()) << realise;
    }
}

TEST(KitFillObjectPaint, ClipRegionOfTheContextIsPutBack) {
    TKitFillObject fill;
    fill.SetStyle(sfBrush);
    auto target = FilledBitmap(40, 26);
    HDC dc = target->Canvas()->Handle();
    HRGN own = ::CreateRectRgn(0, 0, 20, 26);
    ::SelectClipRgn(dc, own);
    ::DeleteObject(own);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    RECT box{};
    EXPECT_EQ(SIMPLEREGION, ::GetClipBox(dc, &box));
    EXPECT_EQ(0, box.left);
    EXPECT_EQ(20, box.right);
    // The fill was clipped by both: nothing right of x = 20.
    EXPECT_EQ(Sentinel, PixelAt(*target, 25, 10));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(*target, 15, 10));
}

TEST(KitFillObjectPaint, OffsetMovesOnlyTheClipRegionAndMayBeNegative) {
    TKitFillObject fill;
    fill.SetStyle(sfBrush);
    auto target = FilledBitmap(40, 26);
    // The control sits 2 pixels left of and 1 above its parent's origin:
    // its clip region lies that far up-left of Area in device coordinates.
    const std::int32_t packed = static_cast<std::int32_t>((0xFFFFu << 16) | 0xFFFEu);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), packed);
    const TRect painted{Area.left, Area.top, Area.right - 2, Area.bottom - 1};
    EXPECT_EQ(30 * 19, CountColor(*target, RGB(255, 255, 255), painted));
    EXPECT_EQ(0, PaintedOutside(*target, painted));
}

TEST(KitFillObjectPaint, BrushBitmapOutsideNtUsesTheTopLeftEightPixels) {
    TFlagScope platform(IsWinNT, false);
    TKitFillObject fill;
    fill.SetStyle(sfBrushBitmap);
    auto picture = Picture(16, 16, RGB(0, 0, 255));
    // Only the top-left 8 x 8 block is red: the pattern must be all red.
    picture->Canvas()->Brush()->SetColor(clRed);
    picture->Canvas()->FillRect(TRect{0, 0, 8, 8});
    fill.SetBitmap(picture.get());
    auto target = FilledBitmap(40, 26);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(32 * 20, CountColor(*target, RGB(255, 0, 0), Area));
    EXPECT_EQ(nullptr, target->Canvas()->Brush()->Bitmap());
}

TEST(KitFillObjectPaint, BrushBitmapOnNtUsesTheWholeBitmap) {
    TFlagScope platform(IsWinNT, true);
    TKitFillObject fill;
    fill.SetStyle(sfBrushBitmap);
    auto picture = Picture(8, 8, RGB(0, 0, 255));
    picture->Canvas()->Brush()->SetColor(clRed);
    picture->Canvas()->FillRect(TRect{0, 0, 4, 8});
    fill.SetBitmap(picture.get());
    auto target = FilledBitmap(40, 26);
    fill.FillObjectPaint(*target->Canvas(), Area, static_cast<TColor>(Background), 0);
    EXPECT_EQ(32 * 10, CountColor(*target, RGB(255, 0, 0), Area));
    EXPECT_EQ(32 * 10, CountColor(*target, RGB(0, 0, 255), Area));
    EXPECT_EQ(nullptr, target->Canvas()->Brush()->Bitmap());
}

TEST(KitFillObjectPaint, MainWindowScaleIsTheLimeToRedGradient) {
    TKitFillObject fill;
    fill.SetStyle(sfGradient);
    fill.Gradient()->SetColor(clLime);
    fill.Gradient()->SetColorCount(236);
    fill.Gradient()->SetStyle(gstHorizontal);
    fill.Gradient()->SetEndColor(clRed);
    fill.SetAlignment(agTopRight);
    ASSERT_FALSE(fill.IsTransparent());

    auto target = FilledBitmap(300, 26);
    const TRect client{4, 3, 296, 23}; // 292 x 20
    fill.FillObjectPaint(*target->Canvas(), client, clWindow, 0);
    EXPECT_EQ(RGB(0, 255, 0), PixelAt(*target, client.left, client.top));
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(*target, client.right - 1, client.bottom - 1));
    for (int i = 0; i < 236; ++i) {
        const int red = ::MulDiv(i, 255, 235);
        const COLORREF colour = RGB(red, 255 - red, 0);
        for (int x = ::MulDiv(i, 292, 236); x < ::MulDiv(i + 1, 292, 236); ++x)
            ASSERT_EQ(colour, PixelAt(*target, client.left + x, client.top + 10))
                << "band " << i << " x " << x;
    }
    EXPECT_EQ(0, PaintedOutside(*target, client));

    // The direct path (no off-screen bitmap, clipped) paints the same.
    fill.SetOptions(TKitFillOptions{foFillInner});
    auto direct = FilledBitmap(300, 26);
    fill.FillObjectPaint(*direct->Canvas(), client, clWindow, 0);
    for (int x = 0; x < 300; ++x)
        ASSERT_EQ(PixelAt(*target, x, 12), PixelAt(*direct, x, 12)) << x;
    EXPECT_EQ(0, PaintedOutside(*direct, client));
}
