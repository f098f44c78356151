#include "platform/stdctrls/ToolBar.h"

#include "platform/stdctrls/StandardProperties.h"

#include <commctrl.h>

namespace {
const TEnumNames& ToolButtonStyleNames() {
    static const TEnumNames names = {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
                                     "tbsDivider"};
    return names;
}

constexpr int DropDownArrowWidth = 12;
} // namespace

// --- TToolBar ------------------------------------------------------------------

const TClassInfo& TToolBar::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TToolBar>("TToolBar", [](TPropertyTable& t) {
        TPropertyBuilder<TToolBar> p(t);
        StandardProperties<TToolBar>::Bounds(p);
        p.Boolean("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent, false);
        StandardProperties<TToolBar>::Common(p);
    });
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    FControlStyle.Include(csAcceptsControls);
    FWidth = 150;
    FHeight = 29;
}

DWORD TToolBar::TransparencyStyle() const {
    return FTransparent ? TBSTYLE_FLAT | TBSTYLE_TRANSPARENT : 0;
}

void TToolBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, TOOLBARCLASSNAMEA);
    // The layer places the bar; the control must not move itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TransparencyStyle();
}

void TToolBar::SetTransparent(bool value) {
    if (value == FTransparent)
        return;
    FTransparent = value;
    // The bar follows a change of its window style (WM_STYLECHANGED), so
    // its window, and whatever replaced its procedure, stays.
    if (HandleAllocated()) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrA(WindowHandle(), GWL_STYLE));
        const DWORD kept = style & ~DWORD{TBSTYLE_FLAT | TBSTYLE_TRANSPARENT};
        ::SetWindowLongPtrA(WindowHandle(), GWL_STYLE, static_cast<LONG_PTR>(kept | TransparencyStyle()));
        Invalidate();
    }
}

void TToolBar::Dispatch(TMessage& message) {
    // A transparent bar lets the system draw the parent's background.
    if (message.Msg == WM_ERASEBKGND && FTransparent) {
        DefaultHandler(message);
        return;
    }
    TWinControl::Dispatch(message);
}

// --- TToolButton ---------------------------------------------------------------

const TClassInfo& TToolButton::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TToolButton>("TToolButton", [](TPropertyTable& t) {
        TPropertyBuilder<TToolButton> p(t);
        StandardProperties<TToolButton>::Bounds(p);
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        p.Boolean("Down", &TToolButton::Down, &TToolButton::SetDown, false);
        p.Enum("Style", ToolButtonStyleNames(), &TToolButton::Style, &TToolButton::SetStyle,
               std::optional<TToolButtonStyle>(tbsButton));
        StandardProperties<TToolButton>::Common(p);
        p.Event("OnClick", &TControl::OnClick);
    });
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FWidth = 23;
    FHeight = 22;
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    if (FStyle != tbsCheck)
        FDown = false;
    Invalidate();
}

void TToolButton::SetDown(bool value) {
    if (FStyle != tbsCheck)
        value = false;
    if (value == FDown)
        return;
    FDown = value;
    Invalidate();
}

void TToolButton::Click() {
    if (IsSpacer())
        return;
    if (FStyle == tbsCheck)
        SetDown(!FDown);
    TGraphicControl::Click();
}

void TToolButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseInControl = message.Msg == CM_MOUSEENTER;
        if (!IsSpacer() && Enabled())
            Invalidate();
        break;
    case WM_LBUTTONDOWN:
        if (Enabled() && !IsSpacer()) {
            FPressing = true;
            Invalidate();
        }
        break;
    case WM_LBUTTONUP:
        if (FPressing) {
            FPressing = false;
            Invalidate();
        }
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(message);
}

void TToolButton::Paint() {
    const HDC dc = Canvas()->Handle();
    RECT rect = ClientRect();
    if (FStyle == tbsSeparator)
        return;
    if (FStyle == tbsDivider) {
        RECT line{rect.right / 2 - 1, rect.top, rect.right / 2 + 1, rect.bottom};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
        return;
    }
    const bool sunken = FPressing || FDown;
    if (sunken || (FMouseInControl && Enabled()))
        ::DrawEdge(dc, &rect, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    if (FStyle == tbsDropDown) {
        // A small arrow at the right, the rest for the caption.
        const int x = rect.right - DropDownArrowWidth / 2 - 3;
        const int y = (rect.top + rect.bottom) / 2 - 1;
        const HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
        for (int i = 0; i < 3; ++i) {
            ::MoveToEx(dc, x - 2 + i, y + i, nullptr);
            ::LineTo(dc, x + 3 - i, y + i);
        }
        ::SelectObject(dc, oldPen);
        rect.right -= DropDownArrowWidth;
    }
    const HGDIOBJ oldFont = ::SelectObject(dc, Font()->Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    const std::string& text = Caption();
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, oldFont);
}
