#include "platform/controls/WinControl.h"

#include "platform/controls/Cursors.h"
#include "platform/controls/GraphicControl.h"
#include "platform/controls/ExceptionHook.h"
#include "platform/controls/Hints.h"
#include "platform/controls/MouseTracking.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/HandleCount.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

namespace {
// The control whose window is being made, for the first message it gets.
thread_local TWinControl* creationControl = nullptr;
int nextControlId = 100;

// The control of each window of this layer, looked up on every message. Kept
// in the process: a window property costs a round trip to the window server
// under Wine, about 50 microseconds per message.
class TControlsByWindow {
public:
    void Add(HWND window, TWinControl* control) {
        const std::lock_guard lock(FLock);
        FControls[window] = control;
    }
    void Remove(HWND window) {
        const std::lock_guard lock(FLock);
        FControls.erase(window);
    }
    TWinControl* Find(HWND window) {
        const std::lock_guard lock(FLock);
        const auto it = FControls.find(window);
        return it == FControls.end() ? nullptr : it->second;
    }

private:
    std::mutex FLock;
    std::unordered_map<HWND, TWinControl*> FControls;
};

TControlsByWindow& ControlsByWindow() {
    // Never destroyed: windows may go after the statics of this file.
    static auto* const controls = new TControlsByWindow;
    return *controls;
}

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
    TWinControl* control = TWinControl::FindControl(hwnd);
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
        ControlsByWindow().Remove(hwnd);
        control->FHandle = nullptr;
        CountHandle(THandleKind::Window, -1);
    }
    return m.Result;
}

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TWinControl>("TWinControl");
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() {
    DestroyHandle();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->FParent = nullptr;
}

void TWinControl::BeforeDestruction() {
    MarkDestroying();
    DestroyHandle();
    // Children still here when their parent goes are freed with it.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        Free(c);
        if (!FControls.empty() && FControls.back() == c)
            RemoveControl(c);
    }
    TControl::BeforeDestruction();
}

TWinControl* TWinControl::FindControl(HWND handle) {
    if (!handle)
        return nullptr;
    return ControlsByWindow().Find(handle);
}

void TWinControl::AttachHandle(HWND handle) {
    FHandle = handle;
    ControlsByWindow().Add(handle, this);
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

void TWinControl::TakeBiDiMode(TBiDiMode mode) {
    TControl::TakeBiDiMode(mode);
    for (TControl* c : FControls)
        if (c->FParentBiDiMode && c->FBiDiMode != mode) {
            c->TakeBiDiMode(mode);
            if (!dynamic_cast<TWinControl*>(c))
                c->Invalidate();
        }
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

void TWinControl::InsertControl(TControl* control) {
    control->FParent = this;
    FControls.push_back(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        FTabList.push_back(win);
        if (FHandle) {
            win->CreateHandle();
            UpdateTabOrderZ();
        }
    } else {
        control->Invalidate();
        control->ApplyHint();
    }
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
}

void TWinControl::RemoveControl(TControl* control) {
    if (std::find(FControls.begin(), FControls.end(), control) == FControls.end())
        return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
    // Compared as TControl: a control leaving from its destructor is no
    // longer known as a TWinControl.
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        win->DestroyHandle();
    } else {
        control->Invalidate();
        if (FHandle)
            SetAreaHint(FHandle, reinterpret_cast<UINT_PTR>(control), {}, std::string());
    }
    std::erase_if(FTabList, [&](TWinControl* w) { return static_cast<TControl*>(w) == control; });
    std::erase(FControls, control);
    control->FParent = nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(POINT p) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        const RECT r = c->BoundsRect();
        if (::PtInRect(&r, p))
            return c;
    }
    return nullptr;
}

int TWinControl::TabOrder() const {
    if (!FParent)
        return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
        // Siblings read later may still come before: order them in Loaded.
        FReadTabOrder = value;
        return;
    }
    if (!FParent)
        return;
    auto& list = FParent->FTabList;
    std::erase(list, this);
    const int index = std::clamp(value, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + index, this);
    FParent->UpdateTabOrderZ();
}

void TWinControl::UpdateTabOrderZ() {
    if (!FHandle)
        return;
    HWND after = HWND_TOP;
    for (TWinControl* c : FTabList) {
        if (!c->FHandle)
            continue;
        ::SetWindowPos(c->FHandle, after, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = c->FHandle;
    }
}

void TWinControl::SetTabStop(bool value) {
    if (value == FTabStop)
        return;
    FTabStop = value;
    if (FHandle) {
        LONG_PTR style = ::GetWindowLongPtrA(FHandle, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        ::SetWindowLongPtrA(FHandle, GWL_STYLE, style);
    }
    Perform(CM_TABSTOPCHANGED);
}

void TWinControl::Loaded() {
    TControl::Loaded();
    std::stable_sort(FTabList.begin(), FTabList.end(), [](TWinControl* a, TWinControl* b) {
        const int ka = a->FReadTabOrder < 0 ? INT32_MAX : a->FReadTabOrder;
        const int kb = b->FReadTabOrder < 0 ? INT32_MAX : b->FReadTabOrder;
        return ka < kb;
    });
    for (TWinControl* c : FTabList)
        c->FReadTabOrder = -1;
    UpdateTabOrderZ();
    Realign();
}

bool TWinControl::Focused() const {
    return FHandle && ::GetFocus() == FHandle;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

RECT TWinControl::ClientRect() const {
    if (FHandle) {
        RECT r{};
        ::GetClientRect(FHandle, &r);
        return r;
    }
    return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() const {
    if (FHandle) {
        POINT p{0, 0};
        ::ClientToScreen(FHandle, &p);
        return p;
    }
    return TControl::ClientOrigin();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    ConstrainSize(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle)
        ::SetWindowPos(FHandle, nullptr, left, top, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    // A window lays its children out when it hears of its new size.
    if (resized && !FHandle)
        Realign();
    BoundsChanged();
    if (FParent)
        FParent->ChildBoundsChanged(this);
}

void TWinControl::SetEnabled(bool value) {
    if (value == FEnabled)
        return;
    FEnabled = value;
    if (FHandle)
        ::EnableWindow(FHandle, value);
    Perform(CM_ENABLEDCHANGED);
}

void TWinControl::SetText(const std::string& value) {
    if (value == FText)
        return;
    FText = value;
    if (FHandle)
        ::SetWindowTextA(FHandle, FText.c_str());
    Perform(CM_TEXTCHANGED);
}

void TWinControl::ApplyHint() {
    if (FHandle)
        SetWindowHint(FHandle, FShowHint ? FHint : std::string());
}

bool TWinControl::PaletteChanged(bool foreground) {
    bool realised = false;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
        if ((*it)->PaletteChanged(foreground && !realised))
            realised = true;
    if (TControl::PaletteChanged(foreground && !realised))
        realised = true;
    return realised;
}

void TWinControl::Invalidate() {
    if (FHandle)
        ::InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
    if (FHandle)
        ::UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    if (FHandle)
        ::RedrawWindow(FHandle, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::FontChanged() {
    if (FHandle)
        ::SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), TRUE);
    TControl::FontChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->ParentFontChanged();
}

void TWinControl::ColorChanged() {
    FBrush->SetColor(FColor);
    TControl::ColorChanged();
    for (TControl* c : std::vector<TControl*>(FControls))
        c->ParentColorChanged();
}

void TWinControl::PaintWindow(HDC dc) {
    // A window of no system class has nothing of its own to paint, and the
    // default procedure's WM_PAINT ignores the DC: it would validate the
    // window's update region, throwing away a repaint still due when the DC
    // is another one (WM_PRINTCLIENT from a child asking for its background).
    if (!IsSystemClass())
        return;
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    auto it = FControls.begin();
    if (first) {
        it = std::find(FControls.begin(), FControls.end(), first);
        if (it == FControls.end())
            it = FControls.begin();
    }
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        const RECT r = c->BoundsRect();
        if (!::RectVisible(dc, &r))
            continue;
        const int saved = ::SaveDC(dc);
        POINT org{};
        ::GetWindowOrgEx(dc, &org);
        ::SetWindowOrgEx(dc, org.x - c->Left(), org.y - c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        ::RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& message) {
    if (HDC dc = reinterpret_cast<HDC>(message.WParam)) {
        PaintWindow(dc);
        PaintControls(dc);
        return;
    }
    const TPaintDC paint(FHandle);
    PaintWindow(paint.Get());
    PaintControls(paint.Get());
}

void TWinControl::PaintBuffered() {
    const TPaintDC paint(FHandle);
    const RECT client = ClientRect();
    if (!paint.Get() || client.right <= 0 || client.bottom <= 0)
        return;
    TGdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    if (!bitmap) {
        // Too large for a bitmap, or the system is short of them: painted
        // directly, with flicker rather than not at all.
        PaintInto(paint.Get());
        return;
    }
    const TMemoryDC memory(paint.Get());
    const TObjectSelection selection(memory.Get(), bitmap.Get());
    PaintInto(memory.Get());
    const RECT& r = paint.Area();
    ::BitBlt(paint.Get(), r.left, r.top, r.right - r.left, r.bottom - r.top, memory.Get(), r.left,
             r.top, SRCCOPY);
}

void TWinControl::PaintInto(HDC dc) {
    // Erase and paint with the context as both parameters: the erase draws.
    const auto context = reinterpret_cast<WPARAM>(dc);
    Perform(WM_ERASEBKGND, context, static_cast<LPARAM>(context));
    TMessage inner{WM_PAINT, context, 0, 0};
    PaintHandler(inner);
}

void TWinControl::SetDoubleBuffered(bool value) {
    if (value == FDoubleBuffered)
        return;
    FDoubleBuffered = value;
    Invalidate();
}

bool TWinControl::ReflectNotification(TMessage& message) {
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        child = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
        break;
    case WM_DELETEITEM:
        child = reinterpret_cast<DELETEITEMSTRUCT*>(message.LParam)->hwndItem;
        break;
    case WM_COMPAREITEM:
        child = reinterpret_cast<COMPAREITEMSTRUCT*>(message.LParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        child = ::GetDlgItem(FHandle, static_cast<int>(message.WParam));
        break;
    default:
        return false;
    }
    TWinControl* target = FindControl(child);
    if (!target || target == this)
        return false;
    message.Result = target->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::DoEnter() {
    OnEnter(this);
}

void TWinControl::DoExit() {
    OnExit(this);
}

void TWinControl::WndProc(TMessage& message) {
    if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MBUTTONDBLCLK) {
        RelayHintMouse(FHandle, message.Msg, message.WParam, message.LParam);
        if (ForwardMouse(message))
            return;
    }
    TControl::WndProc(message);
}

bool TWinControl::ContextMenuKey(TMessage& message) {
    const bool appsKey = message.WParam == VK_APPS;
    const bool shiftF10 = message.WParam == VK_F10 && ::GetKeyState(VK_SHIFT) < 0;
    if (message.Msg == WM_KEYUP) {
        // The release of the key answered here asks for nothing more.
        const bool spent = appsKey && FContextKeyDown;
        FContextKeyDown = false;
        return spent;
    }
    if (!appsKey && !shiftF10)
        return false;
    FContextKeyDown = appsKey;
    return Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle), -1) != 0;
}

bool TWinControl::ForwardMouse(TMessage& message) {
    const POINT p = MouseMessagePoint(message.LParam);
    TControl* target = nullptr;
    TControl* captured = CaptureControl();
    if (captured && captured != this && captured->Parent() == this &&
        !dynamic_cast<TWinControl*>(captured))
        target = captured;
    if (message.Msg == WM_MOUSEMOVE) {
        const RECT client = ClientRect();
        TControl* over = ControlAtPos(p);
        MouseMovedIn(this, over ? over : ::PtInRect(&client, p) ? this : nullptr);
    }
    if (!target) {
        target = ControlAtPos(p);
        if (!target || !target->Enabled())
            return false;
    }
    UINT msg = message.Msg;
    // A control that takes no double clicks gets a second press instead.
    if (!target->ControlStyle().Contains(csDoubleClicks) &&
        (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK))
        msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    message.Result =
        target->Perform(msg, message.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
    // The system makes the context menu request from the release.
    if (msg == WM_RBUTTONUP && FHandle)
        DefaultHandler(message);
    return true;
}

void TWinControl::Dispatch(TMessage& message) {
    if (ReflectNotification(message))
        return;
    switch (message.Msg) {
    case WM_PAINT:
        if (FDoubleBuffered && !message.WParam)
            PaintBuffered();
        else if (FControls.empty() && !FControlState.Contains(csCustomPaint) && !message.WParam)
            DefaultHandler(message);
        else
            PaintHandler(message);
        return;
    case WM_ERASEBKGND: {
        // A buffered window erases into its bitmap while it paints.
        if (FDoubleBuffered && message.LParam != static_cast<LPARAM>(message.WParam)) {
            message.Result = 1;
            return;
        }
        RECT r = ClientRect();
        ::FillRect(reinterpret_cast<HDC>(message.WParam), &r, FBrush->Handle());
        message.Result = 1;
        return;
    }
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSCROLLBAR: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        ::SetTextColor(dc, ColorToRGB(FFont->Color()));
        ::SetBkColor(dc, ColorToRGB(FBrush->Color()));
        message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
        return;
    }
    case WM_SETCURSOR:
        if (ScreenCursor() != crDefault) {
            ::SetCursor(CursorHandle(ScreenCursor()));
            message.Result = TRUE;
            return;
        }
        if (LOWORD(message.LParam) == HTCLIENT && FCursor != crDefault) {
            ::SetCursor(CursorHandle(FCursor));
            message.Result = TRUE;
            return;
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(message.LParam);
        if (!(wp->flags & SWP_NOMOVE) || !(wp->flags & SWP_NOSIZE)) {
            RECT r{};
            ::GetWindowRect(FHandle, &r);
            if (HWND parent = ::GetParent(FHandle);
                parent && (::GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD))
                ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
            FLeft = r.left;
            FTop = r.top;
            FWidth = r.right - r.left;
            FHeight = r.bottom - r.top;
        }
        break;
    }
    case CM_SHOWHINTCHANGED:
        ApplyHint();
        for (TControl* c : std::vector<TControl*>(FControls))
            if (c->ParentShowHint()) {
                c->FShowHint = FShowHint;
                c->Perform(CM_SHOWHINTCHANGED);
            }
        return;
    case CM_VISIBLECHANGED:
        if (FHandle)
            ::ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
        return;
    case CM_CONTROLLISTCHANGE:
        // Every change in a form's tree reaches the form.
        if (FParent)
            FParent->Perform(message.Msg, message.WParam, message.LParam);
        return;
    case CM_RECREATEWND:
        RecreateWindow();
        return;
    case CM_BIDIMODECHANGED:
        // The window styles carry the mode. The children that follow it take
        // it first, so that making this window again makes each of theirs
        // once, mirrored.
        TakeBiDiMode(BiDiMode());
        RecreateWnd();
        break;
    case WM_SIZE:
        Realign();
        break;
    case WM_CONTEXTMENU:
        // A request from this window's area may concern a child without a
        // window; one it leaves unanswered is the window's own.
        if (reinterpret_cast<HWND>(message.WParam) == FHandle && message.LParam != -1) {
            const POINT p = ScreenToClient(MouseMessagePoint(message.LParam));
            if (TControl* c = ControlAtPos(p); c && c->Enabled()) {
                message.Result = c->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
                if (message.Result)
                    return;
            }
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
        if (ContextMenuKey(message))
            return;
        break;
    case WM_MOUSELEAVE:
        MouseLeftWindow(this);
        break;
    case WM_CAPTURECHANGED:
        CaptureLost(this);
        break;
    case WM_SETFOCUS:
        DefaultHandler(message);
        Perform(CM_ENTER);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        // A window being destroyed no longer runs the focus steps.
        if (!FControlState.Contains(csDestroyingHandle))
            Perform(CM_EXIT);
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it; every control of the tree should.
        DefaultHandler(message);
        Perform(CM_SYSCOLORCHANGE);
        return;
    case CM_SYSCOLORCHANGE:
        for (TControl* c : std::vector<TControl*>(FControls))
            c->Perform(CM_SYSCOLORCHANGE);
        return;
    case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        Perform(WM_ERASEBKGND, message.WParam, 0);
        TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        PaintHandler(paint);
        message.Result = 0;
        return;
    }
    default:
        break;
    }
    TControl::Dispatch(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!FHandle) {
        TControl::DefaultHandler(message);
        return;
    }
    if (message.Msg >= CM_BASE && message.Msg < 0xC000) {
        // The layer's own messages mean nothing to the system's procedures.
        return;
    }
    DefWndProc(message);
}

void TWinControl::DefWndProc(TMessage& message) {
    message.Result = ::CallWindowProcA(FDefWndProc ? FDefWndProc : &::DefWindowProcA, FHandle,
                                       message.Msg, message.WParam, message.LParam);
}
