// The canvas: drawing checked by reading the pixels back, the selection of
// its tools after changes, contexts it is given and gives back, and its
// change events.

#include "platform/classes/Component.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr TColor White = clWhite;

std::unique_ptr<TBitmap> Surface(int width = 20, int height = 20) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    return bitmap;
}

// Pixels of Rect (in Bitmap) that are not Color.
int CountOther(TBitmap& bitmap, const TRect& rect, TColor color) {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += bitmap.Canvas()->Pixels(x, y) != color;
    return count;
}

// A 24-bit DIB the test owns, for a context the canvas does not own.
TGdiObject<HBITMAP> RawDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    return TGdiObject<HBITMAP>(
        ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

struct TContextObjects {
    HGDIOBJ Font, Pen, Brush;
    explicit TContextObjects(HDC dc)
        : Font(::GetCurrentObject(dc, OBJ_FONT)), Pen(::GetCurrentObject(dc, OBJ_PEN)),
          Brush(::GetCurrentObject(dc, OBJ_BRUSH)) {}
    bool operator==(const TContextObjects&) const = default;
};

struct TEventLog : TComponent {
    using TComponent::TComponent;
    std::string Log;
    void Changing(TObject*) { Log += "<"; }
    void Changed(TObject*) { Log += ">"; }
};

} // namespace

TEST(CanvasContext, BaseCanvasWithoutContextRefusesToDraw) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    try {
        canvas.Handle();
        FAIL() << "no context";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Canvas erlaubt kein Zeichnen");
    }
    EXPECT_THROW(canvas.FillRect({0, 0, 1, 1}), EInvalidOperation);
    EXPECT_THROW(canvas.TextWidth("x"), EInvalidOperation);
    EXPECT_THROW(canvas.Pixels(0, 0), EInvalidOperation);
    // The settings live without a context.
    canvas.Font()->SetHeight(-20);
    EXPECT_EQ(canvas.Font()->Height(), -20);
}

TEST(CanvasContext, ExternalContextGetsItsOwnObjectsBack) {
    TMemoryDC dc;
    TGdiObject<HBITMAP> dib = RawDib(10, 10);
    TObjectSelection selected(dc.Get(), dib.Get());
    const TContextObjects original(dc.Get());
    {
        TCanvas canvas;
        canvas.SetHandle(dc.Get());
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect({0, 0, 5, 5});
        EXPECT_EQ(::GetPixel(dc.Get(), 2, 2), RGB(255, 0, 0));
        EXPECT_EQ(canvas.Handle(), dc.Get());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), canvas.Font()->Handle());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_PEN), canvas.Pen()->Handle());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BRUSH), canvas.Brush()->Handle());
        canvas.SetHandle(nullptr);
        EXPECT_FALSE(canvas.HandleAllocated());
        EXPECT_EQ(TContextObjects(dc.Get()), original) << "released";

        // Moving to another context gives the first one back.
        TMemoryDC other;
        canvas.SetHandle(dc.Get());
        canvas.Handle();
        canvas.SetHandle(other.Get());
        EXPECT_EQ(TContextObjects(dc.Get()), original) << "changed";
        canvas.Handle();
        canvas.SetHandle(dc.Get());
        canvas.Handle();
    }
    EXPECT_EQ(TContextObjects(dc.Get()), original) << "destroyed";
}

TEST(CanvasContext, RefreshPutsTheObjectsBackUntilTheNextUse) {
    TMemoryDC dc;
    const TContextObjects original(dc.Get());
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    canvas.Handle();
    canvas.Refresh();
    EXPECT_EQ(TContextObjects(dc.Get()), original);
    EXPECT_EQ(canvas.State(), TCanvasState{TCanvasStateFlag::csHandleValid});
    canvas.Handle();
    EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_FONT), canvas.Font()->Handle());
    canvas.SetHandle(nullptr);
}

TEST(CanvasTools, ChangedToolsAreSelectedAgainAndTheOldOnesDeleted) {
    auto bitmap = Surface();
    TCanvas* canvas = bitmap->Canvas();
    HDC dc = canvas->Handle();
    const std::int64_t before = LiveHandleCount(THandleKind::GdiObject);

    HFONT oldFont = canvas->Font()->Handle();
    ASSERT_EQ(::GetCurrentObject(dc, OBJ_FONT), oldFont);
    canvas->Font()->SetHeight(-30);
    EXPECT_FALSE(canvas->State().Contains(TCanvasStateFlag::csFontValid));
    // Taken out of the context before deletion, so it is really gone.
    EXPECT_EQ(::GetObjectType(oldFont), 0u);
    EXPECT_EQ(canvas->Handle(), dc);
    LOGFONTA lf{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -30);

    HPEN oldPen = canvas->Pen()->Handle();
    canvas->Pen()->SetWidth(3);
    EXPECT_EQ(::GetObjectType(oldPen), 0u);
    canvas->Handle();
    LOGPEN lp{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_PEN), sizeof lp, &lp);
    EXPECT_EQ(lp.lopnWidth.x, 3);

    HBRUSH oldBrush = canvas->Brush()->Handle();
    canvas->Brush()->SetColor(clBlue);
    EXPECT_EQ(::GetObjectType(oldBrush), 0u);
    canvas->Handle();
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_BRUSH), canvas->Brush()->Handle());
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), before) << "one handle per tool";
}

TEST(CanvasTools, ColoursAndBackgroundModeFollowFontAndBrush) {
    auto bitmap = Surface();
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font()->SetColor(clRed);
    HDC dc = canvas->Handle();
    EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
    canvas->Font()->SetColor(clBtnText);
    canvas->Handle();
    EXPECT_EQ(::GetTextColor(dc), ::GetSysColor(COLOR_BTNTEXT));

    canvas->Brush()->SetStyle(bsClear);
    canvas->Handle();
    EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);
    canvas->Brush()->SetColor(clAqua);
    canvas->Handle();
    EXPECT_EQ(::GetBkMode(dc), OPAQUE);
    EXPECT_EQ(::GetBkColor(dc), RGB(0, 255, 255));
}

TEST(CanvasTools, SetToolsCopyTheSettings) {
    TCanvas canvas;
    TFont font;
    font.SetName("Arial");
    font.SetColor(clGreen);
    canvas.SetFont(&font);
    EXPECT_EQ(canvas.Font()->Name(), "Arial");
    EXPECT_EQ(canvas.Font()->Color(), clGreen);
    EXPECT_NE(canvas.Font(), &font);
    TPen pen;
    pen.SetWidth(4);
    canvas.SetPen(&pen);
    EXPECT_EQ(canvas.Pen()->Width(), 4);
    TBrush brush;
    brush.SetStyle(bsCross);
    canvas.SetBrush(&brush);
    EXPECT_EQ(canvas.Brush()->Style(), bsCross);
    EXPECT_EQ(canvas.Font()->ClassName(), "TFont");
}

TEST(CanvasDrawing, RectanglesUseBrushAndPen) {
    auto bitmap = Surface();
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(clRed);
    c->FillRect({2, 2, 6, 6});
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    EXPECT_EQ(c->Pixels(5, 5), clRed);
    EXPECT_EQ(c->Pixels(6, 6), White) << "right and bottom edges are outside";

    c->Brush()->SetColor(clBlue);
    c->FrameRect({10, 10, 16, 16});
    EXPECT_EQ(c->Pixels(10, 10), clBlue);
    EXPECT_EQ(c->Pixels(15, 15), clBlue);
    EXPECT_EQ(c->Pixels(12, 12), White);

    c->Pen()->SetColor(clLime);
    c->Brush()->SetColor(clYellow);
    c->Rectangle(0, 10, 8, 18);
    EXPECT_EQ(c->Pixels(0, 10), clLime);
    EXPECT_EQ(c->Pixels(7, 17), clLime);
    EXPECT_EQ(c->Pixels(4, 14), clYellow);

    c->Brush()->SetStyle(bsClear);
    c->Rectangle({16, 0, 20, 4});
    EXPECT_EQ(c->Pixels(17, 2), White) << "a clear brush leaves the inside";
    EXPECT_EQ(c->Pixels(16, 2), clLime);
}

TEST(CanvasDrawing, EllipseAndRoundRectFillTheMiddleNotTheCorners) {
    auto bitmap = Surface();
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(clRed);
    c->Ellipse({0, 0, 20, 20});
    EXPECT_EQ(c->Pixels(10, 10), clRed);
    EXPECT_EQ(c->Pixels(0, 0), White);
    EXPECT_EQ(c->Pixels(19, 19), White);

    auto other = Surface();
    other->Canvas()->Brush()->SetColor(clBlue);
    other->Canvas()->RoundRect(0, 0, 20, 20, 10, 10);
    EXPECT_EQ(other->Canvas()->Pixels(10, 10), clBlue);
    EXPECT_EQ(other->Canvas()->Pixels(0, 0), White);
    EXPECT_EQ(other->Canvas()->Pixels(10, 0), clBlack) << "the pen draws the straight edge";
}

TEST(CanvasDrawing, LinesFollowAndMoveThePenPosition) {
    auto bitmap = Surface();
    TCanvas* c = bitmap->Canvas();
    c->MoveTo(1, 1);
    EXPECT_EQ(c->PenPos().x, 1);
    c->LineTo(10, 1);
    EXPECT_EQ(c->Pixels(1, 1), clBlack);
    EXPECT_EQ(c->Pixels(9, 1), clBlack);
    EXPECT_EQ(c->Pixels(10, 1), White) << "the end point is not drawn";
    EXPECT_EQ(c->PenPos().x, 10);
    c->SetPenPos({3, 3});
    EXPECT_EQ(c->PenPos().y, 3);

    const TPoint path[] = {{0, 5}, {5, 5}, {5, 10}};
    c->Polyline(path);
    EXPECT_EQ(c->Pixels(2, 5), clBlack);
    EXPECT_EQ(c->Pixels(5, 8), clBlack);

    c->Brush()->SetColor(clRed);
    const TPoint triangle[] = {{10, 10}, {19, 10}, {10, 19}};
    c->Polygon(triangle);
    EXPECT_EQ(c->Pixels(12, 12), clRed);
    EXPECT_EQ(c->Pixels(18, 18), White);
}

TEST(CanvasDrawing, PixelsAreReadAndWritten) {
    auto bitmap = Surface(5, 5);
    TCanvas* c = bitmap->Canvas();
    c->SetPixels(3, 4, clRed);
    EXPECT_EQ(c->Pixels(3, 4), clRed);
    c->SetPixels(0, 0, clBtnFace);
    EXPECT_EQ(static_cast<COLORREF>(c->Pixels(0, 0)), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c->Pixels(-1, 0), clNone);
    EXPECT_EQ(c->Pixels(5, 0), clNone);
    const TRect clip = c->ClipRect();
    EXPECT_EQ(clip.right, 5);
    EXPECT_EQ(clip.bottom, 5);
}

TEST(CanvasDrawing, FocusRectIsUndoneByDrawingItAgain) {
    auto bitmap = Surface();
    TCanvas* c = bitmap->Canvas();
    c->DrawFocusRect({2, 2, 12, 12});
    EXPECT_GT(CountOther(*bitmap, {0, 0, 20, 20}, White), 0);
    EXPECT_EQ(CountOther(*bitmap, {3, 3, 11, 11}, White), 0) << "only the frame";
    c->DrawFocusRect({2, 2, 12, 12});
    EXPECT_EQ(CountOther(*bitmap, {0, 0, 20, 20}, White), 0);
}

TEST(CanvasText, TextOutDrawsInTheFontColourAndMovesThePen) {
    auto bitmap = Surface(200, 40);
    TCanvas* c = bitmap->Canvas();
    c->Font()->SetColor(clRed);
    c->Brush()->SetStyle(bsClear);
    const TSize extent = c->TextExtent("Hallo");
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    c->TextOut(4, 4, "Hallo");
    EXPECT_EQ(c->PenPos().x, 4 + extent.cx);
    EXPECT_EQ(c->PenPos().y, 4);
    const TRect box{4, 4, 4 + extent.cx, 4 + extent.cy};
    const int inked = CountOther(*bitmap, box, White);
    EXPECT_GT(inked, 0);
    EXPECT_LT(inked, extent.cx * extent.cy) << "a clear brush leaves the background";
    EXPECT_EQ(CountOther(*bitmap, {0, 0, 200, 40}, White), inked) << "nothing outside the text";

    // An opaque brush fills the text's background.
    auto opaque = Surface(200, 40);
    opaque->Canvas()->Brush()->SetColor(clYellow);
    opaque->Canvas()->TextOut(4, 4, "Hallo");
    EXPECT_EQ(CountOther(*opaque, box, White), extent.cx * extent.cy);
}

TEST(CanvasText, TextRectClipsToTheRectangle) {
    auto bitmap = Surface(100, 40);
    TCanvas* c = bitmap->Canvas();
    c->Brush()->SetColor(clBlue);
    const TRect rect{10, 5, 30, 25};
    c->TextRect(rect, 0, 5, "WWWWWWWWWWWWWWW");
    EXPECT_EQ(CountOther(*bitmap, {0, 0, 100, 40}, White),
              (rect.right - rect.left) * (rect.bottom - rect.top))
        << "exactly the rectangle is painted";
    EXPECT_EQ(CountOther(*bitmap, rect, White), 400);
}

TEST(CanvasText, ExtentGrowsWithTextAndFont) {
    TBitmap bitmap;
    TCanvas* c = bitmap.Canvas();
    EXPECT_EQ(c->TextWidth(""), 0);
    const int one = c->TextWidth("W");
    EXPECT_GT(one, 0);
    EXPECT_EQ(c->TextWidth("WWW"), 3 * one);
    const int height = c->TextHeight("W");
    c->Font()->SetHeight(-40);
    EXPECT_GT(c->TextHeight("W"), height);
}

TEST(CanvasCopy, CopyRectStretchesWithTheCopyMode) {
    auto source = Surface(10, 10);
    source->Canvas()->Brush()->SetColor(clRed);
    source->Canvas()->FillRect({0, 0, 10, 10});
    auto dest = Surface(20, 20);
    TCanvas* c = dest->Canvas();
    EXPECT_EQ(c->CopyMode(), static_cast<TCopyMode>(SRCCOPY));
    c->CopyRect({0, 0, 20, 20}, *source->Canvas(), {0, 0, 5, 5});
    EXPECT_EQ(CountOther(*dest, {0, 0, 20, 20}, clRed), 0);
    c->SetCopyMode(NOTSRCCOPY);
    c->CopyRect({0, 0, 10, 10}, *source->Canvas(), {0, 0, 10, 10});
    EXPECT_EQ(c->Pixels(5, 5), clAqua) << "the inverse of red";
    EXPECT_EQ(c->Pixels(15, 15), clRed);
}

TEST(CanvasCopy, BrushCopyReplacesTheColourByTheBrush) {
    auto source = Surface(6, 6);
    source->Canvas()->Brush()->SetColor(clRed);
    source->Canvas()->FillRect({0, 0, 6, 6});
    source->Canvas()->Brush()->SetColor(clBlue);
    source->Canvas()->FillRect({2, 2, 4, 4});
    auto dest = Surface(12, 12);
    dest->Canvas()->Brush()->SetColor(clLime);
    dest->Canvas()->BrushCopy({0, 0, 12, 12}, source.get(), {0, 0, 6, 6}, clRed);
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), clLime);
    EXPECT_EQ(dest->Canvas()->Pixels(11, 11), clLime);
    EXPECT_EQ(dest->Canvas()->Pixels(5, 5), clBlue) << "stretched to twice the size";
    EXPECT_EQ(source->Canvas()->Pixels(0, 0), clRed) << "the source is left alone";
}

TEST(CanvasCopy, DrawAndStretchDrawPlaceTheGraphic) {
    auto picture = Surface(4, 4);
    picture->Canvas()->Brush()->SetColor(clRed);
    picture->Canvas()->FillRect({0, 0, 4, 4});
    auto dest = Surface();
    TCanvas* c = dest->Canvas();
    c->Draw(5, 5, picture.get());
    EXPECT_EQ(c->Pixels(5, 5), clRed);
    EXPECT_EQ(c->Pixels(8, 8), clRed);
    EXPECT_EQ(c->Pixels(9, 9), White);
    EXPECT_EQ(c->Pixels(4, 4), White);
    c->StretchDraw({0, 0, 20, 20}, picture.get());
    EXPECT_EQ(CountOther(*dest, {0, 0, 20, 20}, clRed), 0);

    // Nothing and empty graphics draw nothing and report no change.
    TEventLog log(nullptr);
    c->OnChange = TNotifyEvent::Of<&TEventLog::Changed>(&log);
    TBitmap empty;
    c->Draw(0, 0, nullptr);
    c->Draw(0, 0, &empty);
    c->StretchDraw({0, 0, 5, 5}, &empty);
    EXPECT_EQ(log.Log, "");
}

TEST(CanvasEvents, DrawingReportsChangingThenChangedAndQueriesNothing) {
    auto bitmap = Surface();
    TCanvas* c = bitmap->Canvas();
    TEventLog log(nullptr);
    c->OnChanging = TNotifyEvent::Of<&TEventLog::Changing>(&log);
    c->OnChange = TNotifyEvent::Of<&TEventLog::Changed>(&log);
    c->Pixels(1, 1);
    c->TextExtent("abc");
    c->PenPos();
    c->MoveTo(2, 2);
    c->ClipRect();
    c->Handle();
    c->Refresh();
    EXPECT_EQ(log.Log, "");
    c->FillRect({0, 0, 2, 2});
    EXPECT_EQ(log.Log, "<>");
    c->LineTo(5, 5);
    c->SetPixels(0, 0, clRed);
    c->TextOut(0, 0, "x");
    EXPECT_EQ(log.Log, "<><><><>");
}

TEST(CanvasEvents, LockCountsNestedLocks) {
    TCanvas canvas;
    canvas.Lock();
    canvas.Lock();
    EXPECT_EQ(canvas.LockCount(), 2);
    canvas.Unlock();
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

TEST(CanvasTools, ThePenModeMixesThePenWithTheSurface) {
    constexpr std::uint32_t P = 0x00F0A050; // pen
    constexpr std::uint32_t D = 0x003060C0; // surface
    constexpr std::uint32_t M = 0x00FFFFFF;
    const std::uint32_t expected[] = {
        0,         M,         D,         ~D & M,    P,         ~P & M,        (P | ~D) & M,
        P & ~D,    (~P | D) & M, ~P & D, P | D,     ~(P | D) & M, P & D,     ~(P & D) & M,
        P ^ D,     ~(P ^ D) & M,
    };
    ASSERT_EQ(std::size(expected), PenModeNames().size());
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(PenModeNames()[i]);
        auto bitmap = Surface();
        TCanvas* c = bitmap->Canvas();
        c->Brush()->SetColor(static_cast<TColor>(D));
        c->FillRect({0, 0, 20, 20});
        c->Pen()->SetColor(static_cast<TColor>(P));
        c->Pen()->SetMode(static_cast<TPenMode>(i));
        c->MoveTo(0, 5);
        c->LineTo(20, 5);
        EXPECT_EQ(static_cast<std::uint32_t>(c->Pixels(10, 5)), expected[i]);
        EXPECT_EQ(static_cast<std::uint32_t>(c->Pixels(10, 6)), D) << "beside the line";
    }
}

TEST(CanvasTools, AGivenContextGetsItsMixModeBack) {
    auto dib = RawDib(10, 10);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, dib.Get());
    ::SetROP2(dc, R2_NOTXORPEN);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Pen()->SetMode(pmXor);
        canvas.LineTo(5, 5);
        EXPECT_EQ(::GetROP2(dc), R2_XORPEN);
        TPen copy;
        copy.Assign(canvas.Pen());
        EXPECT_EQ(copy.Mode(), pmXor) << "the mode is copied with the pen";
        canvas.SetHandle(nullptr);
    }
    EXPECT_EQ(::GetROP2(dc), R2_NOTXORPEN);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
}
