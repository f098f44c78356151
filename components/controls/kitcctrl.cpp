#include "components/controls/kitcctrl.h"

#include "components/global/kitcont.h"
#include "components/drawing/kitframe.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObject.h"

#include <vector>

namespace {
RECT WindowRectAtOrigin(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    return r;
}

TGdiObject<HBRUSH> SystemColorBrush(int index) {
    return TGdiObject<HBRUSH>(::CreateSolidBrush(::GetSysColor(index)));
}
} // namespace

const TClassInfo& TKitCustomControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitCustomControl>("TKitCustomControl");
    return info;
}

TKitCustomControl::TKitCustomControl(TComponent* owner)
    // Called through the virtual, so a descendant's override is notified.
    : TCustomControl(owner),
      FImageLink(*this, TNotifyEvent::Of<&TKitCustomControl::ImageListChanged>(this)) {
    SetBounds(Left(), Top(), 100, 40);
    SetTabStop(false);
}

TKitCustomControl::~TKitCustomControl() = default;

void TKitCustomControl::SetImageList(TKitCustomImageList* value) {
    // Also for the same list: the link is registered afresh and the
    // control told, so a caller can force a refresh this way.
    FImageLink.Attach(value);
    ImageListChanged(nullptr);
}

void TKitCustomControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (FImageLink.IsRemoval(component, operation))
        SetImageList(nullptr);
}

void TKitCustomControl::DefineProperties(TFiler& filer) {
    TCustomControl::DefineProperties(filer);
    FImageLink.DefineProperty(filer, [this](TKitCustomImageList* list) { SetImageList(list); });
}

void TKitCustomControl::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    // The border follows the focus, not the size: no full redraw on resize.
    params.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW | CS_HREDRAW);
}

bool TKitCustomControl::PaintsTransparent() const {
    return FTransparent && HasBackground();
}

bool TKitCustomControl::DrawBackground(TCanvas& /*canvas*/, const RECT& /*rect*/,
                                       unsigned /*flags*/, POINT /*origin*/) {
    return false;
}

TKitCustomControl* TKitCustomControl::ParentBackgroundSource() const {
    if (HasBackground())
        return nullptr;
    if (auto* parent = dynamic_cast<TKitCustomControl*>(Parent()))
        return parent->BackgroundSource();
    return nullptr;
}

void TKitCustomControl::ObjectChanged(TObject* /*sender*/) {
    if (FRepaintOnChange)
        Invalidate();
}

void TKitCustomControl::ImageListChanged(TObject* sender) {
    ObjectChanged(sender);
}

void TKitCustomControl::MouseEnter() {
    OnMouseEnter(this);
    FMouseOver = true;
}

void TKitCustomControl::MouseLeave() {
    FMouseOver = false;
    if (!FHasFocus)
        DrawNormalBorder();
    OnMouseLeave(this);
}

void TKitCustomControl::Paint() {
    const TComponentState state = ComponentState();
    if (state.Contains(csLoading))
        return;
    PaintBackground();
    if (state.Contains(csDesigning)) {
        if (IsEmpty())
            DrawDesignFrame();
    } else {
        DrawNormalBorder();
    }
}

void TKitCustomControl::PaintBackground() {
    TCanvas& canvas = *Canvas();
    if (PaintsTransparent() && DrawBackground(canvas, ClientRect(), 0, POINT{Left(), Top()}))
        return;
    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
}

void TKitCustomControl::DrawDesignFrame() {
    DrawKitDesignFrame(*Canvas(), Width(), Height());
}

void TKitCustomControl::DrawNormalBorder() {
    if (Focused() || !FFlatBorder || FMouseOver || !HandleAllocated())
        return;
    TGdiObject<HBRUSH> face = SystemColorBrush(COLOR_BTNFACE);
    TNonClientDC dc(WindowHandle());
    if (!dc.Get() || !face)
        return;
    RECT r = WindowRectAtOrigin(WindowHandle());
    if (FCtl3D) {
        ::FrameRect(dc.Get(), &r, face.Get());
        ::InflateRect(&r, -1, -1);
    }
    ::FrameRect(dc.Get(), &r, face.Get());
}

void TKitCustomControl::DrawFocusBorder() {
    if (!HandleAllocated())
        return;
    TGdiObject<HBRUSH> face = SystemColorBrush(COLOR_BTNFACE);
    TGdiObject<HBRUSH> frame = SystemColorBrush(COLOR_WINDOWFRAME);
    TNonClientDC dc(WindowHandle());
    if (!dc.Get() || !face || !frame)
        return;
    RECT r = WindowRectAtOrigin(WindowHandle());
    if (FCtl3D) {
        RECT inner{r.left + 1, r.top + 1, r.right, r.bottom};
        ::FrameRect(dc.Get(), &inner, frame.Get());
        RECT outer{r.left, r.top, r.right - 1, r.bottom - 1};
        ::FrameRect(dc.Get(), &outer, face.Get());
        ::DrawEdge(dc.Get(), &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else {
        ::FrameRect(dc.Get(), &r, frame.Get());
    }
}

void TKitCustomControl::DoEnter() {
    TCustomControl::DoEnter();
    FHasFocus = true;
    if (FFlatBorder)
        DrawFocusBorder();
}

void TKitCustomControl::DoExit() {
    FHasFocus = false;
    DrawNormalBorder();
    TCustomControl::DoExit();
}

void TKitCustomControl::RepaintAndTellChildren(UINT msg) {
    Repaint();
    for (TControl* c : std::vector<TControl*>(ControlList()))
        c->Perform(msg);
}

void TKitCustomControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SIZE:
        TCustomControl::Dispatch(message);
        if (PaintsTransparent())
            RepaintAndTellChildren(WM_PAINT);
        else
            Invalidate();
        return;
    case WM_MOVE:
        TCustomControl::Dispatch(message);
        if (PaintsTransparent()) {
            Repaint();
            PaintControls(Canvas()->Handle());
        }
        return;
    case WM_SETFOCUS:
        TCustomControl::Dispatch(message);
        // Delivered by the message loop, after the focus change has settled.
        if (HandleAllocated())
            ::PostMessageA(WindowHandle(), CM_KITGOTFOCUS, 0, 0);
        return;
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        if (HandleAllocated())
            ::PostMessageA(WindowHandle(), CM_KITLOSTFOCUS, 0, 0);
        return;
    case WM_ERASEBKGND:
        if (PaintsTransparent()) {
            message.Result = 1;
            return;
        }
        break;
    case CM_MOUSEENTER:
        TCustomControl::Dispatch(message);
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        TCustomControl::Dispatch(message);
        MouseLeave();
        return;
    case CM_SYSCOLORCHANGE:
        TCustomControl::Dispatch(message);
        if (!FTransparent)
            Invalidate();
        return;
    case CM_KITBACKCHANGED:
        if (Loading())
            return;
        if (PaintsTransparent())
            RepaintAndTellChildren(CM_KITBACKCHANGED);
        else
            Invalidate();
        return;
    case CM_KITGOTFOCUS:
        OnGotFocus(this);
        return;
    case CM_KITLOSTFOCUS:
        OnLostFocus(this);
        return;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}
