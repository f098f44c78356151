#pragma once
// TCanvas: drawing on a device context with the settings objects Font, Brush
// and Pen. The canvas selects its tools into the context whenever the handle
// is used and again after a tool changed; it puts the context's own objects
// back when the handle is changed or dropped. The base canvas only draws on
// a context it is given (SetHandle) and never owns it; derived canvases make
// their own in CreateHandle and give it back in FreeHandle.

#include "platform/classes/Event.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Set.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObjects.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <windows.h>

using TRect = RECT;
using TPoint = POINT;
using TSize = SIZE;

// A raster operation for CopyRect and graphics drawing (SRCCOPY, SRCAND, ...).
using TCopyMode = std::uint32_t;

enum class TCanvasStateFlag { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateFlag>;

class TGraphic;
class TBitmap;

class TCanvas : public TPersistent {
    TESSARO_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The device context with the current tools selected. Without one the
    // canvas asks CreateHandle; the base canvas has none to give and raises
    // EInvalidOperation ("Canvas erlaubt kein Zeichnen").
    HDC Handle();
    // Draws on Value, a context the canvas does not own (null: none). The
    // objects of the previous context are put back first.
    void SetHandle(HDC value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* Font() const;
    TBrush* Brush() const;
    TPen* Pen() const;
    // Copy the settings of Value into the canvas's own tool.
    void SetFont(TFont* value);
    void SetBrush(TBrush* value);
    void SetPen(TPen* value);

    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode value) { FCopyMode = value; }
    TPoint PenPos();
    void SetPenPos(TPoint value) { MoveTo(value.x, value.y); }
    // The colour at (X, Y); clNone outside the clipping area.
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);
    TRect ClipRect();
    TCanvasState State() const { return FState; }

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& rect) { Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);
    // Text at (X, Y); the pen position moves to the end of the text.
    void TextOut(int x, int y, const std::string& text);
    // Text at (X, Y) clipped to Rect, whose background the brush fills
    // unless it is clear.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    TSize TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    void DrawFocusRect(const TRect& rect);
    // Draws Graphic at its own size with its top-left corner at (X, Y).
    void Draw(int x, int y, TGraphic* graphic);
    // Draws Graphic scaled into Rect.
    void StretchDraw(const TRect& rect, TGraphic* graphic);
    // Copies Source's SrcRect into Dest (scaled) with CopyMode.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& srcRect);
    // Copies Source's SrcRect of Bitmap into Dest, with the pixels of Color
    // replaced by the canvas's brush.
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color);

    // Nesting count for code that must keep the context while it draws.
    void Lock() { ++FLockCount; }
    void Unlock();
    int LockCount() const { return FLockCount; }
    // Puts the context's own objects back; the tools are selected again on
    // the next use of the handle.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changing();
    virtual void Changed();
    // Asked for a context when the canvas has none; a derived canvas makes
    // one and passes it to SetHandleInternal. The base has none.
    virtual void CreateHandle();
    // Drops the context; a derived canvas calls the base first and then
    // gives back what it made. Derived destructors must call it themselves.
    virtual void FreeHandle();
    // Switches to Value (null: none) without asking FreeHandle: the objects
    // of the previous context are put back, the tools are not yet selected.
    void SetHandleInternal(HDC value);
    // Makes sure of the handle and of the tools in Required.
    void RequiredState(TCanvasState required);

private:
    template <class> friend class TCanvasTool;
    void FontChanged(TObject* sender);
    void PenChanged(TObject* sender);
    void BrushChanged(TObject* sender);
    // Puts back the context's own object for Flag's tool.
    void DeselectTool(TCanvasStateFlag flag);
    void DeselectTools();

    HDC FHandle = nullptr;
    TCanvasState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    // The context's objects found when the tools were first selected.
    HGDIOBJ FOriginalFont = nullptr;
    HGDIOBJ FOriginalPen = nullptr;
    HGDIOBJ FOriginalBrush = nullptr;
    int FOriginalRop2 = 0; // the mix mode before the pen's, 0: none saved
    TCopyMode FCopyMode = SRCCOPY;
    int FLockCount = 0;
};

// Lends Canvas a context it does not own for one scope (a paint, an
// owner-draw item); the canvas lets go of it on every path.
class TCanvasDCScope {
public:
    TCanvasDCScope(TCanvas& canvas, HDC dc) : FCanvas(canvas) { FCanvas.SetHandle(dc); }
    ~TCanvasDCScope() { FCanvas.SetHandle(nullptr); }
    TCanvasDCScope(const TCanvasDCScope&) = delete;
    TCanvasDCScope& operator=(const TCanvasDCScope&) = delete;

private:
    TCanvas& FCanvas;
};
