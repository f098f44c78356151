#include "platform/controls/GraphicControl.h"

#include "platform/graphics/HandleCount.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<TControlCanvas*>& CanvasesWithContext() {
    static std::vector<TControlCanvas*> list;
    return list;
}

// Paints through Canvas on a context handed over for one paint.
template <class Paint> void PaintOn(TControlCanvas& canvas, HDC dc, Paint paint) {
    canvas.ReleaseContext();
    const TCanvasDCScope scope(canvas, dc);
    paint();
}
} // namespace

void FreeDeviceContexts() {
    for (TControlCanvas* c : std::vector<TControlCanvas*>(CanvasesWithContext()))
        c->ReleaseContext();
}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::CreateHandle() {
    // A windowed control draws on its own window; any other on its parent's,
    // with the origin moved to the control and the clip cut to it.
    auto* win = dynamic_cast<TWinControl*>(FControl);
    TWinControl* host = win ? win : FControl->Parent();
    if (!host || !host->HandleAllocated())
        return; // nothing to draw on yet
    FWindow = host->Handle();
    FOwnDC = ::GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!FOwnDC)
        return;
    CountHandle(THandleKind::DeviceContext, +1);
    if (!win) {
        ::SetWindowOrgEx(FOwnDC, -FControl->Left(), -FControl->Top(), nullptr);
        ::IntersectClipRect(FOwnDC, 0, 0, FControl->Width(), FControl->Height());
    }
    CanvasesWithContext().push_back(this);
    SetHandleInternal(FOwnDC);
}

void TControlCanvas::FreeHandle() {
    TCanvas::FreeHandle();
    if (FOwnDC) {
        ::ReleaseDC(FWindow, FOwnDC);
        CountHandle(THandleKind::DeviceContext, -1);
        FOwnDC = nullptr;
        FWindow = nullptr;
        std::erase(CanvasesWithContext(), this);
    }
}

// --- TGraphicControl ---------------------------------------------------------

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TGraphicControl>("TGraphicControl");
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& message) {
    // Painted only into a context its parent hands over.
    if (message.Msg == WM_PAINT) {
        if (message.WParam)
            PaintOn(*FCanvas, reinterpret_cast<HDC>(message.WParam), [this] { Paint(); });
        return;
    }
    TControl::Dispatch(message);
}

// --- TCustomControl ----------------------------------------------------------

const TClassInfo& TCustomControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomControl>("TCustomControl");
    return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this)) {
    FControlState.Include(csCustomPaint);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
    PaintOn(*FCanvas, dc, [this] { Paint(); });
}
