#include "platform/graphics/Canvas.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Exceptions.h"

// A tool of a canvas. Before a change drops the tool's handle the canvas
// takes it out of the context, since a selected object cannot be deleted.
template <class Base> class TCanvasTool final : public Base {
public:
    TCanvasTool(TCanvas& canvas, TCanvasStateFlag flag) : FCanvas(canvas), FFlag(flag) {}

protected:
    void Changed() override {
        FCanvas.DeselectTool(FFlag);
        Base::Changed();
    }

private:
    TCanvas& FCanvas;
    TCanvasStateFlag FFlag;
};

namespace {
SIZE SizeOf(const TRect& r) {
    return {r.right - r.left, r.bottom - r.top};
}
} // namespace

const TClassInfo& TCanvas::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCanvas>("TCanvas");
    return info;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TCanvasTool<TFont>>(*this, TCanvasStateFlag::csFontValid)),
      FBrush(std::make_unique<TCanvasTool<TBrush>>(*this, TCanvasStateFlag::csBrushValid)),
      FPen(std::make_unique<TCanvasTool<TPen>>(*this, TCanvasStateFlag::csPenValid)) {
    // The font colour changes without a new handle, so the event is needed too.
    FFont->OnChange = TNotifyEvent::Of<&TCanvas::FontChanged>(this);
    FBrush->OnChange = TNotifyEvent::Of<&TCanvas::BrushChanged>(this);
    FPen->OnChange = TNotifyEvent::Of<&TCanvas::PenChanged>(this);
}

TCanvas::~TCanvas() {
    SetHandleInternal(nullptr);
}

TFont* TCanvas::Font() const {
    return FFont.get();
}

TBrush* TCanvas::Brush() const {
    return FBrush.get();
}

TPen* TCanvas::Pen() const {
    return FPen.get();
}

void TCanvas::SetFont(TFont* value) {
    FFont->Assign(value);
}

void TCanvas::SetBrush(TBrush* value) {
    FBrush->Assign(value);
}

void TCanvas::SetPen(TPen* value) {
    FPen->Assign(value);
}

HDC TCanvas::Handle() {
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                   TCanvasStateFlag::csPenValid, TCanvasStateFlag::csBrushValid});
    return FHandle;
}

void TCanvas::SetHandle(HDC value) {
    if (value == FHandle)
        return;
    FreeHandle();
    SetHandleInternal(value);
}

void TCanvas::CreateHandle() {}

void TCanvas::FreeHandle() {
    SetHandleInternal(nullptr);
}

void TCanvas::SetHandleInternal(HDC value) {
    if (value == FHandle)
        return;
    DeselectTools();
    FHandle = value;
    FState = value ? TCanvasState{TCanvasStateFlag::csHandleValid} : TCanvasState{};
}

void TCanvas::RequiredState(TCanvasState required) {
    using enum TCanvasStateFlag;
    const TCanvasState needed = required - FState;
    if (needed.Empty())
        return;
    if (needed.Contains(csHandleValid)) {
        CreateHandle();
        if (!FHandle)
            throw EInvalidOperation("Canvas erlaubt kein Zeichnen");
    }
    if (needed.Contains(csFontValid)) {
        HGDIOBJ previous = ::SelectObject(FHandle, FFont->Handle());
        if (!FOriginalFont)
            FOriginalFont = previous;
        ::SetTextColor(FHandle, ColorToRGB(FFont->Color()));
        FState.Include(csFontValid);
    }
    if (needed.Contains(csPenValid)) {
        HGDIOBJ previous = ::SelectObject(FHandle, FPen->Handle());
        if (!FOriginalPen)
            FOriginalPen = previous;
        const int previousRop = ::SetROP2(FHandle, PenModeRop2(FPen->Mode()));
        if (!FOriginalRop2)
            FOriginalRop2 = previousRop;
        FState.Include(csPenValid);
    }
    if (needed.Contains(csBrushValid)) {
        HGDIOBJ previous = ::SelectObject(FHandle, FBrush->Handle());
        if (!FOriginalBrush)
            FOriginalBrush = previous;
        if (FBrush->Style() == bsClear) {
            ::SetBkMode(FHandle, TRANSPARENT);
        } else {
            ::SetBkColor(FHandle, ColorToRGB(FBrush->Color()));
            ::SetBkMode(FHandle, OPAQUE);
        }
        FState.Include(csBrushValid);
    }
}

void TCanvas::DeselectTool(TCanvasStateFlag flag) {
    using enum TCanvasStateFlag;
    HGDIOBJ* original = flag == csFontValid  ? &FOriginalFont
                        : flag == csPenValid ? &FOriginalPen
                                             : &FOriginalBrush;
    if (FHandle && *original)
        ::SelectObject(FHandle, *original);
    *original = nullptr;
    if (flag == csPenValid) {
        if (FHandle && FOriginalRop2)
            ::SetROP2(FHandle, FOriginalRop2);
        FOriginalRop2 = 0;
    }
    FState.Exclude(flag);
}

void TCanvas::DeselectTools() {
    using enum TCanvasStateFlag;
    DeselectTool(csFontValid);
    DeselectTool(csPenValid);
    DeselectTool(csBrushValid);
}

void TCanvas::FontChanged(TObject*) {
    FState.Exclude(TCanvasStateFlag::csFontValid);
}

void TCanvas::PenChanged(TObject*) {
    FState.Exclude(TCanvasStateFlag::csPenValid);
}

void TCanvas::BrushChanged(TObject*) {
    FState.Exclude(TCanvasStateFlag::csBrushValid);
}

void TCanvas::Refresh() {
    DeselectTools();
}

void TCanvas::Unlock() {
    if (FLockCount > 0)
        --FLockCount;
}

void TCanvas::Changing() {
    OnChanging(this);
}

void TCanvas::Changed() {
    OnChange(this);
}

// --- Queries -----------------------------------------------------------------

TPoint TCanvas::PenPos() {
    RequiredState({TCanvasStateFlag::csHandleValid});
    POINT p{};
    ::GetCurrentPositionEx(FHandle, &p);
    return p;
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState({TCanvasStateFlag::csHandleValid});
    const COLORREF color = ::GetPixel(FHandle, x, y);
    return color == CLR_INVALID ? clNone : static_cast<TColor>(color);
}

TRect TCanvas::ClipRect() {
    RequiredState({TCanvasStateFlag::csHandleValid});
    RECT r{};
    ::GetClipBox(FHandle, &r);
    return r;
}

TSize TCanvas::TextExtent(const std::string& text) {
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    SIZE size{};
    ::GetTextExtentPoint32A(FHandle, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

// --- Drawing -----------------------------------------------------------------

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid});
    ::SetPixel(FHandle, x, y, ColorToRGB(color));
    Changed();
}

void TCanvas::FillRect(const TRect& rect) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csBrushValid});
    ::FillRect(FHandle, &rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csBrushValid});
    ::FrameRect(FHandle, &rect, FBrush->Handle());
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid,
                   TCanvasStateFlag::csBrushValid});
    ::Rectangle(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid,
                   TCanvasStateFlag::csBrushValid});
    ::RoundRect(FHandle, x1, y1, x2, y2, x3, y3);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid,
                   TCanvasStateFlag::csBrushValid});
    ::Ellipse(FHandle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    RequiredState({TCanvasStateFlag::csHandleValid});
    ::MoveToEx(FHandle, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid,
                   TCanvasStateFlag::csBrushValid});
    ::LineTo(FHandle, x, y);
    Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid,
                   TCanvasStateFlag::csBrushValid});
    ::Polyline(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csPenValid,
                   TCanvasStateFlag::csBrushValid});
    ::Polygon(FHandle, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                   TCanvasStateFlag::csBrushValid});
    ::ExtTextOutA(FHandle, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    MoveTo(x + TextWidth(text), y);
    Changed();
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                   TCanvasStateFlag::csBrushValid});
    UINT options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear)
        options |= ETO_OPAQUE;
    ::ExtTextOutA(FHandle, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()),
                  nullptr);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csBrushValid});
    ::DrawFocusRect(FHandle, &rect);
    Changed();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    StretchDraw({x, y, x + graphic->Width(), y + graphic->Height()}, graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->Empty())
        return;
    Changing();
    // The font and brush colours are the colours a monochrome graphic shows.
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                   TCanvasStateFlag::csBrushValid});
    graphic->Draw(*this, rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect) {
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid,
                   TCanvasStateFlag::csBrushValid});
    source.RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csBrushValid});
    const SIZE d = SizeOf(dest);
    const SIZE s = SizeOf(srcRect);
    ::StretchBlt(FHandle, dest.left, dest.top, d.cx, d.cy, source.FHandle, srcRect.left,
                 srcRect.top, s.cx, s.cy, FCopyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) {
    if (!bitmap || bitmap->Empty())
        return;
    Changing();
    RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csBrushValid});
    const SIZE d = SizeOf(dest);
    const SIZE s = SizeOf(source);
    if (s.cx <= 0 || s.cy <= 0) {
        Changed();
        return;
    }
    HDC src = bitmap->Canvas()->Handle();

    // Mask of the source area: white where the bitmap has Color.
    TMemoryDC maskDC;
    TGdiObject<HBITMAP> mask(::CreateBitmap(s.cx, s.cy, 1, 1, nullptr));
    if (!mask)
        throw EOutOfMemory("Nicht genügend Systemressourcen für ein Bitmap");
    {
        TObjectSelection selected(maskDC.Get(), mask.Get());
        const COLORREF oldBk = ::SetBkColor(src, ColorToRGB(color));
        ::BitBlt(maskDC.Get(), 0, 0, s.cx, s.cy, src, source.left, source.top, SRCCOPY);
        ::SetBkColor(src, oldBk);

        ::StretchBlt(FHandle, dest.left, dest.top, d.cx, d.cy, src, source.left, source.top, s.cx,
                     s.cy, SRCCOPY);
        // Where the mask is white the brush, elsewhere what is there (DSPDxax).
        const COLORREF oldText = ::SetTextColor(FHandle, RGB(0, 0, 0));
        const COLORREF oldBkDest = ::SetBkColor(FHandle, RGB(255, 255, 255));
        ::StretchBlt(FHandle, dest.left, dest.top, d.cx, d.cy, maskDC.Get(), 0, 0, s.cx, s.cy,
                     0x00E20746);
        ::SetTextColor(FHandle, oldText);
        ::SetBkColor(FHandle, oldBkDest);
    }
    Changed();
}
