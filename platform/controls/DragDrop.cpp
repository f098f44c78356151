#include "platform/controls/DragDrop.h"

#include "platform/controls/Cursors.h"
#include "platform/controls/UtilityWindow.h"
#include "platform/controls/WinControl.h"

#include <cstdlib>
#include <optional>

namespace {
struct TDragOperation {
    TControl* Source = nullptr;
    TControl* Target = nullptr;
    bool Accepted = false;
    bool Started = false;
    POINT Start{};
    POINT Grab{}; // the grab point inside the source
    int Threshold = 0;
    HWND Window = nullptr; // holds the mouse during the drag
    HHOOK KeyHook = nullptr; // sees Escape wherever the focus is
    unsigned Serial = 0;     // tells this drag from one a handler started
};
std::optional<TDragOperation> drag;
unsigned dragSerial = 0;
// The ends of a drag being finished, while its events run; a control freed
// meanwhile is cleared here.
TControl* finishingSource = nullptr;
TControl* finishingTarget = nullptr;

void DragMessage(TMessage& message);

POINT CursorPos() {
    POINT p{};
    ::GetCursorPos(&p);
    return p;
}

// The enabled control under the screen point P, windowed or not.
TControl* ControlAtScreen(POINT p) {
    HWND h = ::WindowFromPoint(p);
    TWinControl* window = nullptr;
    while (h && !(window = TWinControl::FindControl(h)))
        h = ::GetParent(h);
    if (!window)
        return nullptr;
    if (TControl* child = window->ControlAtPos(window->ScreenToClient(p)); child && child->Enabled())
        return child;
    TControl* c = window;
    while (c && !c->Enabled())
        c = c->Parent();
    return c;
}

// Where a drag of Source over the screen point P may end.
TControl* FindTarget(const TDragOperation& op, POINT p) {
    TControl* c = ControlAtScreen(p);
    if (op.Source->DragKind() == dkDrag)
        return c;
    // Docking: the nearest dock site that is neither the source nor in it.
    auto* sourceWindow = dynamic_cast<TWinControl*>(op.Source);
    for (; c; c = c->Parent()) {
        auto* site = dynamic_cast<TWinControl*>(c);
        if (site && site->DockSite() && site != op.Source &&
            !(sourceWindow && sourceWindow->ContainsControl(site)))
            return site;
    }
    return nullptr;
}

bool AskTarget(TControl* target, POINT screen, TDragState state) {
    const POINT p = target->ScreenToClient(screen);
    TControl* source = drag->Source;
    if (source->DragKind() == dkDock)
        return true; // a dock site takes every control
    bool accept = false;
    target->DragOver(source, p.x, p.y, state, accept);
    return accept;
}

void ShowDragCursor() {
    ::SetCursor(CursorHandle(drag->Accepted ? drag->Source->DragCursor() : crNoDrop));
}

void MoveTo(POINT p) {
    if (!drag->Started) {
        if (!PastDragDistance(drag->Start, p, drag->Threshold))
            return;
        drag->Started = true;
    }
    // The targets' handlers may end this drag, free its source or any
    // control (another target among them), and even start a new drag.
    const unsigned serial = drag->Serial;
    const auto goesOn = [serial] { return drag && drag->Serial == serial; };
    TControl* target = FindTarget(*drag, p);
    if (target != drag->Target) {
        if (TControl* old = drag->Target) {
            drag->Target = nullptr;
            AskTarget(old, p, dsDragLeave);
            if (!goesOn())
                return;
            target = FindTarget(*drag, p); // what lies under the mouse now
        }
        drag->Target = target;
        const bool accepted = target && AskTarget(target, p, dsDragEnter);
        if (!goesOn())
            return;
        drag->Accepted = accepted && drag->Target == target;
    } else if (target) {
        const bool accepted = AskTarget(target, p, dsDragMove);
        if (!goesOn())
            return;
        drag->Accepted = accepted && drag->Target == target;
    }
    ShowDragCursor();
}

void DragMessage(TMessage& message) {
    if (!drag) {
        message.Result = ::DefWindowProcA(nullptr, message.Msg, message.WParam, message.LParam);
        return;
    }
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        MoveTo(CursorPos());
        return;
    case WM_LBUTTONUP:
        FinishDrag(true);
        return;
    case WM_RBUTTONDOWN:
        FinishDrag(false);
        return;
    case WM_SETCURSOR:
        ShowDragCursor();
        message.Result = TRUE;
        return;
    case WM_CANCELMODE:
        FinishDrag(false);
        return;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag is over.
        if (reinterpret_cast<HWND>(message.LParam) != drag->Window)
            FinishDrag(false);
        return;
    default:
        message.Result = ::DefWindowProcA(drag->Window, message.Msg, message.WParam, message.LParam);
        return;
    }
}

// Escape cancels the drag, also where a dialog's navigation would take it.
LRESULT CALLBACK DragKeyHook(int code, WPARAM key, LPARAM flags) {
    const bool pressed = (flags & 0x80000000) == 0;
    if (code == HC_ACTION && key == VK_ESCAPE && drag) {
        if (pressed)
            ::PostMessageA(drag->Window, WM_CANCELMODE, 0, 0);
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, key, flags);
}

// Lets go of the mouse and the keyboard hook of a finished drag.
void Release(const TDragOperation& op) {
    if (op.KeyHook)
        ::UnhookWindowsHookEx(op.KeyHook);
    if (::GetCapture() == op.Window)
        ::ReleaseCapture();
    DeallocateHWnd(op.Window);
}

class TDragWindowProc {
public:
    void Handle(TMessage& message) { DragMessage(message); }
};
TDragWindowProc dragWindowProc;
} // namespace

bool PastDragDistance(POINT from, POINT to, int threshold) {
    const int dx = threshold >= 0 ? threshold : ::GetSystemMetrics(SM_CXDRAG);
    const int dy = threshold >= 0 ? threshold : ::GetSystemMetrics(SM_CYDRAG);
    return std::abs(to.x - from.x) > dx || std::abs(to.y - from.y) > dy;
}

void StartDrag(TControl* source, POINT start, bool immediate, int threshold) {
    if (drag || !source)
        return;
    // The window first: a drag that cannot hold the mouse never starts.
    const HWND window = AllocateHWnd(TWndMethod::Of<&TDragWindowProc::Handle>(&dragWindowProc));
    drag.emplace();
    const unsigned serial = drag->Serial = ++dragSerial;
    drag->Source = source;
    drag->Window = window;
    drag->Start = start;
    drag->Grab = source->ScreenToClient(start);
    drag->Threshold = threshold;
    try {
        if (source->DragKind() == dkDock)
            source->DoStartDock();
        else
            source->DoStartDrag();
    } catch (...) {
        // A handler that raises ends the drag it was asked to start.
        if (drag && drag->Serial == serial) {
            const TDragOperation op = *drag;
            drag.reset();
            Release(op);
        }
        throw;
    }
    if (!drag || drag->Serial != serial)
        return; // a handler ended it
    ::SetCapture(drag->Window);
    drag->KeyHook = ::SetWindowsHookExA(WH_KEYBOARD, &DragKeyHook, nullptr, ::GetCurrentThreadId());
    if (immediate) {
        drag->Started = true;
        MoveTo(CursorPos());
    }
}

void FinishDrag(bool drop) {
    if (!drag)
        return;
    TDragOperation op = *drag;
    drag.reset();
    Release(op);
    ::SetCursor(CursorHandle(crDefault));
    const POINT screen = CursorPos();
    const bool accepted = drop && op.Started && op.Target && op.Accepted;
    finishingSource = op.Source;
    finishingTarget = op.Target;
    POINT at{};
    if (op.Target)
        at = op.Target->ScreenToClient(screen);
    if (!accepted)
        at = {};
    if (op.Source->DragKind() == dkDock) {
        auto* site = accepted ? static_cast<TWinControl*>(op.Target) : nullptr;
        if (site) {
            op.Source->SetParent(site);
            op.Source->SetBounds(at.x - op.Grab.x, at.y - op.Grab.y, op.Source->Width(),
                                 op.Source->Height());
        }
        if (finishingSource)
            op.Source->DoEndDock(finishingTarget ? site : nullptr, at.x, at.y);
    } else {
        if (accepted) {
            op.Target->DragDrop(op.Source, at.x, at.y);
        } else if (op.Target) {
            const POINT p = op.Target->ScreenToClient(screen);
            bool ignored = false;
            op.Target->DragOver(op.Source, p.x, p.y, dsDragLeave, ignored);
        }
        if (finishingSource)
            op.Source->DoEndDrag(accepted && finishingTarget ? op.Target : nullptr, at.x, at.y);
    }
    finishingSource = nullptr;
    finishingTarget = nullptr;
}

TControl* DragSource() {
    return drag ? drag->Source : nullptr;
}

void DragControlGone(TControl* control) {
    if (finishingSource == control)
        finishingSource = nullptr;
    if (finishingTarget == control)
        finishingTarget = nullptr;
    if (!drag)
        return;
    if (drag->Target == control) {
        drag->Target = nullptr;
        drag->Accepted = false;
    }
    if (drag->Source == control) {
        TDragOperation op = *drag;
        drag.reset();
        Release(op);
    }
}
