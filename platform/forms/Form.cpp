#include "platform/forms/Form.h"

#include "platform/classes/ResourceStream.h"
#include "platform/filer/Reader.h"
#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

namespace {
const TEnumNames BorderIconNames = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
const TEnumNames PositionNames = {"poDesigned",        "poDefault",        "poDefaultPosOnly",
                                  "poDefaultSizeOnly", "poScreenCenter",   "poDesktopCenter",
                                  "poMainFormCenter",  "poOwnerFormCenter"};
} // namespace

const TClassInfo& TCustomForm::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomForm>("TCustomForm");
    return info;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TForm>("TForm", [](TPropertyTable& t) {
        TPropertyBuilder<TForm> p(t);
        p.Integer("Left", &TControl::Left, &TControl::SetLeft, 0);
        p.Integer("Top", &TControl::Top, &TControl::SetTop, 0);
        p.Set("BorderIcons", BorderIconNames, &TForm::BorderIcons, &TForm::SetBorderIcons,
              std::optional<TBorderIcons>(TBorderIcons{biSystemMenu, biMinimize, biMaximize}));
        p.Enum("BorderStyle", FormBorderStyleNames(), &TForm::BorderStyle, &TForm::SetBorderStyle,
               std::optional<TFormBorderStyle>(bsSizeable));
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        p.Integer("ClientHeight", &TForm::ClientHeightValue, &TForm::SetClientHeight);
        p.Integer("ClientWidth", &TForm::ClientWidthValue, &TForm::SetClientWidth);
        p.Integer("Color", &TControl::Color, &TControl::SetColor, clBtnFace, &ColorIdents());
        p.Object("Font", &TControl::Font);
        p.Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false);
        p.Enum("Position", PositionNames, &TForm::Position, &TForm::SetPosition,
               std::optional<TPosition>(poDesigned));
        p.Integer("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch);
        p.Event("OnClose", &TForm::OnClose);
        p.Event("OnCloseQuery", &TForm::OnCloseQuery);
    });
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csDoubleClicks};
    FVisible = false;
    FParentColor = false;
    FParentFont = false;
    FParentShowHint = false;
    FColor = clBtnFace;
    Brush()->SetColor(FColor);
    FWidth = 320;
    FHeight = 240;
    if (Screen)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    if (Screen)
        Screen->RemoveForm(this);
}

void TCustomForm::BeforeDestruction() {
    if (Screen)
        Screen->RemoveForm(this);
    TWinControl::BeforeDestruction();
}

bool TCustomForm::HasFormResource() const {
    const std::string name = UpperCase(ClassName());
    return ::FindResourceA(::GetModuleHandleA(nullptr), name.c_str(), MAKEINTRESOURCEA(10)) !=
           nullptr;
}

void TCustomForm::ReadFormResource() {
    if (FResourceRead)
        return;
    FResourceRead = true;
    if (&ClassType() == &TForm::StaticClassInfo() && !HasFormResource())
        return; // a plain form made in code has no resource
    TResourceStream stream(::GetModuleHandleA(nullptr), UpperCase(ClassName()));
    TReader reader(stream);
    reader.ReadRootComponent(this);
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
    if (value == FBorderIcons)
        return;
    FBorderIcons = value;
    RecreateWnd();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_CONTROLPARENT | BiDiExStyle();
    params.WndParent = nullptr;
    switch (FBorderStyle) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_CAPTION | DS_MODALFRAME;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
        params.ExStyle |= WS_EX_TOOLWINDOW;
    if (FBorderStyle != bsNone) {
        if (FBorderIcons.Contains(biSystemMenu))
            params.Style |= WS_SYSMENU;
        if (FBorderIcons.Contains(biMinimize) && FBorderStyle != bsDialog)
            params.Style |= WS_MINIMIZEBOX;
        if (FBorderIcons.Contains(biMaximize) && FBorderStyle != bsDialog)
            params.Style |= WS_MAXIMIZEBOX;
    }
    if (!FEnabled)
        params.Style |= WS_DISABLED;
    if (FParent) {
        // A form placed on another control is a child window inside it.
        params.Style = (params.Style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
        if (FVisible)
            params.Style |= WS_VISIBLE;
        params.WndParent = FParent->Handle();
    }
    params.WindowClass.hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), "MAINICON");
    if (!params.WindowClass.hIcon)
        params.WindowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
}

SIZE TCustomForm::FrameSize() const {
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    return {r.right - r.left, r.bottom - r.top};
}

RECT TCustomForm::ClientRect() const {
    if (WindowHandle())
        return TWinControl::ClientRect();
    const SIZE frame = FrameSize();
    return {0, 0, FWidth - frame.cx, FHeight - frame.cy};
}

void TCustomForm::SetClientWidth(int value) {
    if (WindowHandle()) {
        SetWidth(FWidth + value - ClientWidth());
        return;
    }
    SetWidth(value + FrameSize().cx);
}

void TCustomForm::SetClientHeight(int value) {
    if (WindowHandle()) {
        SetHeight(FHeight + value - ClientHeight());
        return;
    }
    SetHeight(value + FrameSize().cy);
}

bool TCustomForm::Showing() const {
    return FVisible && WindowHandle() && ::IsWindowVisible(WindowHandle());
}

void TCustomForm::VisibleChanging() {
    if (!FVisible)
        ApplyPosition();
}

void TCustomForm::ApplyPosition() {
    if (FPosition == poDesktopCenter || FPosition == poScreenCenter ||
        (FPosition == poMainFormCenter && (!Application || Application->MainForm() == this))) {
        RECT work{};
        if (FPosition == poScreenCenter || !::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
            work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        SetBounds(work.left + (work.right - work.left - FWidth) / 2,
                  work.top + (work.bottom - work.top - FHeight) / 2, FWidth, FHeight);
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    ::SetForegroundWindow(Handle());
}

void TCustomForm::CreateHandleDone() {
    ::SetWindowTextA(WindowHandle(), FText.c_str());
    // A form made again while it is shown comes back shown, with its
    // controls already in place.
    if (FVisible && !::IsWindowVisible(WindowHandle()))
        ::ShowWindow(WindowHandle(), SW_SHOWNA);
}

void TCustomForm::FocusFirstControl() {
    if (FActiveControl && FActiveControl->CanFocus()) {
        FActiveControl->SetFocus();
        return;
    }
    // The first control that takes the focus, in tab order, depth first.
    std::function<TWinControl*(TWinControl*)> first = [&](TWinControl* parent) -> TWinControl* {
        for (TWinControl* c : parent->TabList()) {
            if (!c->CanFocus())
                continue;
            if (c->TabStop())
                return c;
            if (TWinControl* inner = first(c))
                return inner;
        }
        return nullptr;
    };
    if (TWinControl* c = first(this))
        c->SetFocus();
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (!CloseQuery())
        return;
    TCloseAction action = (Application && Application->MainForm() == this) ? caFree : caHide;
    OnClose(this, action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == caMinimize)
        ::ShowWindow(Handle(), SW_MINIMIZE);
    else
        Hide();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == FActiveControl)
        FActiveControl = nullptr;
}

void TCustomForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_VISIBLECHANGED:
        if (FVisible) {
            ::ShowWindow(Handle(), SW_SHOWNORMAL);
            FocusFirstControl();
        } else if (WindowHandle()) {
            ::ShowWindow(WindowHandle(), SW_HIDE);
        }
        return;
    case WM_QUERYNEWPALETTE:
        // The form became active: its controls' palettes take the screen.
        message.Result = PaletteChanged(true) ? TRUE : FALSE;
        return;
    case WM_PALETTECHANGED:
        // Another window realised its palette: ours follow in the background.
        if (reinterpret_cast<HWND>(message.WParam) != WindowHandle())
            PaletteChanged(false);
        message.Result = 0;
        return;
    case WM_GETMINMAXINFO: {
        // The user's resizing stays within the constraints too.
        DefaultHandler(message);
        auto* info = reinterpret_cast<MINMAXINFO*>(message.LParam);
        const TSizeConstraints& c = *Constraints();
        if (c.MinWidth() > 0)
            info->ptMinTrackSize.x = c.MinWidth();
        if (c.MinHeight() > 0)
            info->ptMinTrackSize.y = c.MinHeight();
        if (c.MaxWidth() > 0)
            info->ptMaxTrackSize.x = info->ptMaxSize.x = c.MaxWidth();
        if (c.MaxHeight() > 0)
            info->ptMaxTrackSize.y = info->ptMaxSize.y = c.MaxHeight();
        message.Result = 0;
        return;
    }
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) == WA_INACTIVE) {
            // Remember where the focus was, to give it back on return.
            if (TWinControl* focused = FindControl(::GetFocus());
                focused && ContainsControl(focused))
                FActiveControl = focused;
        } else if (FActiveControl && FActiveControl->CanFocus()) {
            FActiveControl->SetFocus();
            message.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::Dispatch(message);
}
