// The messages of a windowed control: notifications reflected to the child
// they concern, then one handler per family (painting, the window, input,
// focus, system colours); the rest goes to TControl.

#include "platform/controls/WinControl.h"

#include "platform/controls/Cursors.h"
#include "platform/controls/Hints.h"
#include "platform/controls/MouseTracking.h"

#include <vector>

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
    if (ReflectNotification(message) || PaintMessage(message) || WindowMessage(message) ||
        InputMessage(message) || FocusMessage(message) || SystemColorMessage(message))
        return;
    TControl::Dispatch(message);
}

bool TWinControl::WindowMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        WindowMoved(*reinterpret_cast<const WINDOWPOS*>(message.LParam));
        return false;
    case WM_SIZE:
        Realign();
        return false;
    case CM_SHOWHINTCHANGED:
        ApplyHint();
        for (TControl* c : std::vector<TControl*>(FControls))
            if (c->ParentShowHint()) {
                c->FShowHint = FShowHint;
                c->Perform(CM_SHOWHINTCHANGED);
            }
        return true;
    case CM_VISIBLECHANGED:
        if (FHandle)
            ::ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
        return true;
    case CM_CONTROLLISTCHANGE:
        // Every change in a form's tree reaches the form.
        if (FParent)
            FParent->Perform(message.Msg, message.WParam, message.LParam);
        return true;
    case CM_RECREATEWND:
        RecreateWindow();
        return true;
    case CM_BIDIMODECHANGED:
        // The window styles carry the mode. The children that follow it take
        // it first, so that making this window again makes each of theirs
        // once, mirrored.
        TakeBiDiMode(BiDiMode());
        RecreateWnd();
        return false;
    default:
        return false;
    }
}

void TWinControl::WindowMoved(const WINDOWPOS& position) {
    if ((position.flags & SWP_NOMOVE) && (position.flags & SWP_NOSIZE))
        return;
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

bool TWinControl::InputMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETCURSOR:
        return CursorMessage(message);
    case WM_CONTEXTMENU:
        return ContextMenuOfChild(message);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
        return ContextMenuKey(message);
    case WM_MOUSELEAVE:
        MouseLeftWindow(this);
        return false;
    case WM_CAPTURECHANGED:
        CaptureLost(this);
        return false;
    default:
        return false;
    }
}

bool TWinControl::CursorMessage(TMessage& message) {
    if (ScreenCursor() != crDefault) {
        ::SetCursor(CursorHandle(ScreenCursor()));
        message.Result = TRUE;
        return true;
    }
    if (LOWORD(message.LParam) == HTCLIENT && FCursor != crDefault) {
        ::SetCursor(CursorHandle(FCursor));
        message.Result = TRUE;
        return true;
    }
    return false;
}

bool TWinControl::ContextMenuOfChild(TMessage& message) {
    // A request from this window's area may concern a child without a
    // window; one it leaves unanswered is the window's own.
    if (reinterpret_cast<HWND>(message.WParam) != FHandle || message.LParam == -1)
        return false;
    const POINT p = ScreenToClient(MouseMessagePoint(message.LParam));
    TControl* c = ControlAtPos(p);
    if (!c || !c->Enabled())
        return false;
    message.Result = c->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
    return message.Result != 0;
}

bool TWinControl::FocusMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        DefaultHandler(message);
        Perform(CM_ENTER);
        return true;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        // A window being destroyed no longer runs the focus steps.
        if (!FControlState.Contains(csDestroyingHandle))
            Perform(CM_EXIT);
        return true;
    case CM_ENTER:
        DoEnter();
        return true;
    case CM_EXIT:
        DoExit();
        return true;
    default:
        return false;
    }
}

bool TWinControl::SystemColorMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SYSCOLORCHANGE:
        // Only top-level windows hear of it; every control of the tree should.
        DefaultHandler(message);
        Perform(CM_SYSCOLORCHANGE);
        return true;
    case CM_SYSCOLORCHANGE:
        for (TControl* c : std::vector<TControl*>(FControls))
            c->Perform(CM_SYSCOLORCHANGE);
        return true;
    default:
        return false;
    }
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
