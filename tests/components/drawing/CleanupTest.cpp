// Every path out of the drawing routines, exceptions included, gives back
// the temporary bitmaps and puts the context's clip region back.

#include "DrawTestSupport.h"
#include "components/drawing/kitbitmap.h"
#include "components/drawing/kitgradient.h"
#include "components/drawing/kitgraph.h"
#include "components/drawing/kittext.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/HandleCount.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/GdiCensus.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// A canvas on a memory context that fails after a number of drawing calls,
// as a damaged graphics object would.
class TFailingCanvas : public TCanvas {
public:
    explicit TFailingCanvas(int callsBeforeFailure) : FLeft(callsBeforeFailure) {
        FBitmap = ::CreateCompatibleBitmap(FScreen.Get(), 40, 20);
        FOld = ::SelectObject(FMemory.Get(), FBitmap);
        SetHandle(FMemory.Get());
    }
    ~TFailingCanvas() override {
        SetHandle(nullptr);
        ::SelectObject(FMemory.Get(), FOld);
        ::DeleteObject(FBitmap);
    }
    HDC DC() const { return FMemory.Get(); }

protected:
    void Changed() override {
        TCanvas::Changed();
        if (--FLeft == 0)
            throw Exception("Zeichenfehler");
    }

private:
    TWindowDC FScreen;
    TMemoryDC FMemory;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
    int FLeft;
};

} // namespace

TEST(Cleanup, GradientFailureRemovesTheClipRegion) {
    TList colors;
    MakeGradientColors(clLime, clRed, 8, &colors);
    const auto objects = LiveHandleCount(THandleKind::GdiObject);
    {
        TFailingCanvas canvas(3);
        EXPECT_THROW(
            FillGradient(canvas, RECT{0, 0, 40, 20}, gstHorizontal, &colors, nullptr, kgClip, 0),
            Exception);
        EXPECT_FALSE(HasClipRegion(canvas.DC()));
    }
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), objects);
}

TEST(Cleanup, GradientFailureKeepsTheCallersOwnClip) {
    TList colors;
    MakeGradientColors(clLime, clRed, 8, &colors);
    TFailingCanvas canvas(2);
    HRGN own = ::CreateRectRgn(1, 2, 30, 15);
    ::SelectClipRgn(canvas.DC(), own);
    ::DeleteObject(own);
    EXPECT_THROW(FillGradient(canvas, RECT{0, 0, 40, 20}, gstVertical, &colors, nullptr, kgClip, 0),
                 Exception);
    RECT box{};
    ASSERT_TRUE(HasClipRegion(canvas.DC(), &box));
    EXPECT_TRUE(::EqualRect(&box, std::array{RECT{1, 2, 30, 15}}.data()));
}

TEST(Cleanup, OffscreenGradientFailureFreesTheBitmap) {
    TList colors;
    MakeGradientColors(clLime, clRed, 8, &colors);
    // The off-screen bitmap is painted first; the failure comes on the final draw.
    const auto objects = LiveHandleCount(THandleKind::GdiObject);
    const auto contexts = LiveHandleCount(THandleKind::DeviceContext);
    {
        TFailingCanvas canvas(1);
        EXPECT_THROW(
            FillGradient(canvas, RECT{0, 0, 40, 20}, gstSquare, &colors, nullptr, kgOffscreen, 0),
            Exception);
    }
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), objects);
    EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), contexts);
}

TEST(Cleanup, TransparentBitmapFailureFreesTheTemporaryBitmaps) {
    const auto objects = LiveHandleCount(THandleKind::GdiObject);
    const auto contexts = LiveHandleCount(THandleKind::DeviceContext);
    {
        auto image = FilledBitmap(8, 8, RGB(255, 0, 255));
        TFailingCanvas canvas(1);
        RECT painted{};
        EXPECT_THROW(DrawBitmapExt(canvas, RECT{0, 0, 20, 20}, *image, kdTransparent | kdTile,
                                   clFuchsia, painted),
                     Exception);
    }
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), objects);
    EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), contexts);
}

TEST(Cleanup, ClippedBitmapFailureRemovesTheClipRegion) {
    auto image = FilledBitmap(8, 8, RGB(1, 2, 3));
    TFailingCanvas canvas(1);
    EXPECT_THROW(DrawBitmapClipped(canvas, RECT{0, 0, 20, 20}, *image, kdClip | kdTile, 0, clNone),
                 Exception);
    EXPECT_FALSE(HasClipRegion(canvas.DC()));
}

TEST(Cleanup, RepeatedPaintingLeavesNoHandlesBehind) {
    ASSERT_TRUE(GdiCensusSeesALeakedBrush());
    TList colors;
    MakeGradientColors(clLime, clRed, 30, &colors);
    auto target = FilledBitmap(60, 40);
    auto image = FilledBitmap(7, 5, RGB(255, 0, 255));
    TKit3DCaption fx;
    fx.SetStyle(tdRaisedShadow);
    fx.SetTracing(1);
    auto paint = [&](int round) {
        for (int s = 0; s <= static_cast<int>(gstBottomRight); ++s)
            FillGradient(*target->Canvas(), RECT{2, 2, 50, 30}, static_cast<TKitGradientStyle>(s),
                         &colors, nullptr, round % 2 ? kgOffscreen : kgClip, 0);
        RECT painted{};
        DrawBitmapExt(*target->Canvas(), RECT{0, 0, 60, 40}, *image, kdTransparent | kdTile,
                      clFuchsia, painted);
        DrawBitmapClipped(*target->Canvas(), RECT{0, 0, 30, 20}, *image, kdClip | kdStretch, 0,
                          clNone);
        DrawEffectText(*target->Canvas(), "Text", &fx, RECT{0, 0, 60, 40}, DT_SINGLELINE,
                       ktEnabled | ktClip, nullptr);
        RECT measured{0, 0, 60, 40};
        MeasureEffectText("Text", &fx, measured, *target->Canvas()->Font(), false, false, 0, 0);
    };
    paint(0);
    paint(1); // the first rounds make the system's caches and the canvas's tools
    const int objects = ProcessGdiObjects();
    for (int round = 0; round < 20; ++round)
        paint(round);
    EXPECT_FALSE(HasClipRegion(target->Canvas()->Handle()));
    EXPECT_EQ(ProcessGdiObjects(), objects);
}
