#include "platform/stdctrls/ScrollBox.h"

#include "platform/stdctrls/ScrollBars.h"
#include "platform/stdctrls/StandardProperties.h"

#include <algorithm>

namespace {
// What one arrow click scrolls.
constexpr int LineStep = 8;
} // namespace

const TClassInfo& TScrollingWinControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TScrollingWinControl>("TScrollingWinControl");
    return info;
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {
    FControlStyle.Include(csAcceptsControls);
}

void TScrollingWinControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    // Scroll bars come and go with the range; the client size changes then.
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TScrollingWinControl::CreateHandleDone() {
    UpdateScrollBars();
}

int TScrollingWinControl::Last(const TAxis& axis, int page) const {
    return std::max(0, axis.Range - page);
}

void TScrollingWinControl::UpdateScrollBars(const TControl* leaving) {
    if (FAdjusting)
        return;
    int right = 0;
    int bottom = 0;
    for (TControl* child : ControlList()) {
        if (!child->Visible() || child == leaving)
            continue;
        right = std::max(right, child->Left() + child->Width() + FHorz.Position);
        bottom = std::max(bottom, child->Top() + child->Height() + FVert.Position);
    }
    FHorz.Range = right;
    FVert.Range = bottom;
    if (!HandleAllocated())
        return;
    FAdjusting = true;
    // Twice: a bar that appears narrows the client area for the other.
    for (int pass = 0; pass < 2; ++pass) {
        const RECT client = ClientRect();
        SetWindowScrollBar(WindowHandle(), SB_HORZ, 0, FHorz.Range - 1, client.right, FHorz.Position);
        SetWindowScrollBar(WindowHandle(), SB_VERT, 0, FVert.Range - 1, client.bottom, FVert.Position);
    }
    FAdjusting = false;
    // A grown client area may leave nothing to scroll to.
    const RECT client = ClientRect();
    ScrollTo(std::min(FHorz.Position, Last(FHorz, client.right)),
             std::min(FVert.Position, Last(FVert, client.bottom)));
}

void TScrollingWinControl::ScrollTo(int horz, int vert) {
    const int dx = FHorz.Position - horz;
    const int dy = FVert.Position - vert;
    if (dx == 0 && dy == 0)
        return;
    FHorz.Position = horz;
    FVert.Position = vert;
    FAdjusting = true;
    for (TControl* child : std::vector<TControl*>(ControlList()))
        child->SetBounds(child->Left() + dx, child->Top() + dy, child->Width(), child->Height());
    FAdjusting = false;
    if (HandleAllocated()) {
        ::SetScrollPos(WindowHandle(), SB_HORZ, horz, TRUE);
        ::SetScrollPos(WindowHandle(), SB_VERT, vert, TRUE);
        ::InvalidateRect(WindowHandle(), nullptr, TRUE);
    }
}

void TScrollingWinControl::SetHorzPosition(int value) {
    const RECT client = ClientRect();
    ScrollTo(std::clamp(value, 0, Last(FHorz, client.right)), FVert.Position);
}

void TScrollingWinControl::SetVertPosition(int value) {
    const RECT client = ClientRect();
    ScrollTo(FHorz.Position, std::clamp(value, 0, Last(FVert, client.bottom)));
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (!control || control->Parent() != this)
        return;
    const RECT client = ClientRect();
    const int width = client.right;
    const int height = client.bottom;
    int horz = FHorz.Position;
    int vert = FVert.Position;
    if (control->Left() < 0)
        horz += control->Left();
    else if (control->Left() + control->Width() > width)
        horz += std::min(control->Left(), control->Left() + control->Width() - width);
    if (control->Top() < 0)
        vert += control->Top();
    else if (control->Top() + control->Height() > height)
        vert += std::min(control->Top(), control->Top() + control->Height() - height);
    ScrollTo(std::clamp(horz, 0, Last(FHorz, width)), std::clamp(vert, 0, Last(FVert, height)));
}

void TScrollingWinControl::ChildBoundsChanged(TControl*) {
    UpdateScrollBars();
}

void TScrollingWinControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        if (message.LParam)
            break; // a scroll bar control's notification: reflected as usual
        const bool horizontal = message.Msg == WM_HSCROLL;
        const RECT client = ClientRect();
        const TAxis& axis = horizontal ? FHorz : FVert;
        const int page = horizontal ? client.right : client.bottom;
        const int target =
            ScrollRequestPosition(WindowHandle(), horizontal ? SB_HORZ : SB_VERT, LOWORD(message.WParam),
                                  axis.Position, 0, Last(axis, page), LineStep, page);
        if (horizontal)
            ScrollTo(target, FVert.Position);
        else
            ScrollTo(FHorz.Position, target);
        message.Result = 0;
        return;
    }
    case WM_SIZE:
        TWinControl::Dispatch(message);
        UpdateScrollBars();
        return;
    case CM_CONTROLLISTCHANGE:
        TWinControl::Dispatch(message);
        // A control leaving is still listed while it is announced.
        UpdateScrollBars(message.LParam ? nullptr : reinterpret_cast<TControl*>(message.WParam));
        return;
    default:
        break;
    }
    TWinControl::Dispatch(message);
}

// --- TScrollBox --------------------------------------------------------------

const TClassInfo& TScrollBox::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TScrollBox>("TScrollBox", [](TPropertyTable& t) {
        TPropertyBuilder<TScrollBox> p(t);
        StandardProperties<TScrollBox>::Bounds(p);
        p.Enum("BorderStyle", BorderStyleNames(), &TScrollBox::BorderStyle,
               &TScrollBox::SetBorderStyle, std::optional<TBorderStyle>(bsSingle));
        p.Integer("Color", &TControl::Color, &TControl::SetColor, clBtnFace, &ColorIdents())
            .Stored = [](TObject& o) { return !static_cast<TControl&>(o).ParentColor(); };
        StandardProperties<TScrollBox>::Common(p);
        p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
        StandardProperties<TScrollBox>::Tabbing(p, false);
    });
    return info;
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
    Brush()->SetColor(FColor);
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    if (FBorderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}
