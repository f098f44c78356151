// The window of a windowed control: its class, its making and its end, and
// the procedure that takes every message of it to the control.

#include "platform/controls/WinControl.h"

#include "platform/controls/ExceptionHook.h"
#include "platform/controls/GraphicControl.h"
#include "platform/controls/Hints.h"
#include "platform/controls/MouseTracking.h"
#include "platform/graphics/HandleCount.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <vector>

namespace {
// The control whose window is being made, for the first message it gets.
thread_local TWinControl* creationControl = nullptr;
int nextControlId = 100;

HINSTANCE Instance() {
    return ::GetModuleHandleA(nullptr);
}
} // namespace

LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The class procedure of every window of this layer: binds the window to the
// control being created, then hands over to StdWndProc for good.
LRESULT CALLBACK InitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = creationControl;
    if (!control)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    creationControl = nullptr;
    control->AttachHandle(hwnd);
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StdWndProc));
    return StdWndProc(hwnd, msg, wParam, lParam);
}

// Every message of a window of this layer goes through its control's
// WindowProc. Nothing thrown there crosses into the system.
LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!control)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WindowProc(m);
    } catch (...) {
        HandleCurrentException();
    }
    FreeDeviceContexts();
    if (msg == WM_NCDESTROY && control->FHandle == hwnd) {
        ForgetAreaHints(hwnd);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        control->FHandle = nullptr;
        CountHandle(THandleKind::Window, -1);
    }
    return m.Result;
}

TWinControl* TWinControl::FindControl(HWND handle) {
    // Only windows of the layer's classes carry a control in their user
    // data; a child a system control made carries what that control put.
    if (!handle || ::GetClassLongPtrA(handle, GCLP_WNDPROC) !=
                       reinterpret_cast<ULONG_PTR>(&InitWndProc))
        return nullptr;
    return reinterpret_cast<TWinControl*>(::GetWindowLongPtrA(handle, GWLP_USERDATA));
}

void TWinControl::AttachHandle(HWND handle) {
    FHandle = handle;
    // Read back on every message: the window's own memory, unlike a window
    // property, which costs a round trip to the window server under Wine.
    ::SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    CountHandle(THandleKind::Window, +1);
}

HWND TWinControl::Handle() {
    if (!FHandle)
        CreateHandle();
    return FHandle;
}

void TWinControl::CreateHandle() {
    if (FHandle)
        return;
    if (FParent) {
        FParent->HandleNeeded(); // makes ours too, among its children
        if (FHandle)
            return;
    }
    CreateWnd();
    ::SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
    for (TWinControl* child : std::vector<TWinControl*>(FTabList))
        child->CreateHandle();
    UpdateTabOrderZ();
    ApplyHint();
    for (TControl* c : FControls)
        if (!dynamic_cast<TWinControl*>(c))
            c->ApplyHint();
    CreateHandleDone();
}

std::string TWinControl::ClassNameForWindow(const TCreateParams& params) {
    return params.WinClassName;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params = TCreateParams();
    params.Caption = FText;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (FControlStyle.Contains(csAcceptsControls))
        params.ExStyle |= WS_EX_CONTROLPARENT;
    if (FVisible)
        params.Style |= WS_VISIBLE;
    if (!FEnabled)
        params.Style |= WS_DISABLED;
    if (FTabStop)
        params.Style |= WS_TABSTOP;
    params.ExStyle |= BiDiExStyle();
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    if (FParent)
        params.WndParent = FParent->Handle();
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WindowClass.lpfnWndProc = &::DefWindowProcA;
    params.WindowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    params.WinClassName = ClassName();
}

DWORD TWinControl::BiDiExStyle() const {
    DWORD style = 0;
    if (UseRightToLeftReading())
        style |= WS_EX_RTLREADING;
    if (UseRightToLeftScrollBar())
        style |= WS_EX_LEFTSCROLLBAR;
    if (UseRightToLeftAlignment()) {
        if (ControlsAlignment() == taLeftJustify)
            style |= WS_EX_RIGHT;
        else if (ControlsAlignment() == taRightJustify)
            style |= WS_EX_LEFT;
    }
    return style;
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* systemClassName) {
    WNDCLASSA wc{};
    if (!::GetClassInfoA(nullptr, systemClassName, &wc))
        throw EOSError(std::string("Fensterklasse ") + systemClassName + " fehlt");
    params.WindowClass = wc;
    params.WindowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    FSystemClassName = systemClassName;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Das Steuerelement " + Name() + " hat kein übergeordnetes Fenster");
    FDefWndProc = params.WindowClass.lpfnWndProc;
    const std::string className = ClassNameForWindow(params);
    WNDCLASSA existing{};
    if (!::GetClassInfoA(Instance(), className.c_str(), &existing)) {
        WNDCLASSA wc = params.WindowClass;
        wc.lpfnWndProc = &InitWndProc;
        wc.hInstance = Instance();
        wc.lpszClassName = className.c_str();
        if (!::RegisterClassA(&wc))
            throw EOSError("Fensterklasse " + className + " kann nicht registriert werden");
    }
    CreateWindowHandle(params);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
    if (!FControlId && (params.Style & WS_CHILD))
        FControlId = nextControlId++;
    creationControl = this;
    HWND handle = ::CreateWindowExA(
        params.ExStyle, ClassNameForWindow(params).c_str(), params.Caption.c_str(), params.Style,
        params.X, params.Y, params.Width, params.Height, params.WndParent,
        (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(FControlId))
                                  : nullptr,
        Instance(), nullptr);
    creationControl = nullptr;
    if (!handle || handle != FHandle)
        throw EOSError("Das Fenster von " + Name() + " kann nicht erstellt werden (Fehler " +
                       IntToStr(::GetLastError()) + ")");
}

void TWinControl::DestroyWnd() {
    if (FHandle)
        ::DestroyWindow(FHandle);
}

void TWinControl::DestroyHandle() {
    if (!FHandle)
        return;
    FControlState.Include(csDestroyingHandle);
    for (TWinControl* child : std::vector<TWinControl*>(FTabList))
        child->DestroyHandle();
    MouseControlGone(this);
    DestroyWnd();
    FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
    if (FHandle)
        Perform(CM_RECREATEWND);
}

void TWinControl::RecreateWindow() {
    if (!FHandle)
        return;
    const bool wasFocused = Focused();
    struct TRecreatingScope {
        TControlState& State;
        explicit TRecreatingScope(TControlState& state) : State(state) {
            State.Include(csRecreating);
        }
        ~TRecreatingScope() { State.Exclude(csRecreating); }
    } recreating(FControlState);
    DestroyHandle();
    CreateHandle();
    if (wasFocused && FHandle)
        ::SetFocus(FHandle);
}
