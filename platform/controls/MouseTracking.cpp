#include "platform/controls/MouseTracking.h"

#include "platform/controls/Mouse.h"
#include "platform/controls/WinControl.h"

namespace {
// One GUI thread: the mouse has one position.
TControl* mouseControl = nullptr;
HWND trackedWindow = nullptr;
TControl* captureControl = nullptr;

bool IsInside(const TControl* inner, const TControl* outer) {
    for (const TControl* c = inner; c; c = c->Parent())
        if (c == outer)
            return true;
    return false;
}

void SetMouseControl(TControl* control) {
    if (control == mouseControl)
        return;
    TControl* old = mouseControl;
    mouseControl = control;
    // A control on its way out hears nothing more.
    if (old && !old->ComponentState().Contains(csDestroying))
        old->Perform(CM_MOUSELEAVE);
    // A leave handler may have moved things on.
    if (control && mouseControl == control)
        control->Perform(CM_MOUSEENTER);
}
} // namespace

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT)
        s.Include(ssShift);
    if (keys & MK_CONTROL)
        s.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        s.Include(ssLeft);
    if (keys & MK_RBUTTON)
        s.Include(ssRight);
    if (keys & MK_MBUTTON)
        s.Include(ssMiddle);
    if (::GetKeyState(VK_MENU) < 0)
        s.Include(ssAlt);
    return s;
}

POINT MouseMessagePoint(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void MouseMovedIn(TWinControl* window, TControl* target) {
    HWND handle = window->Handle();
    if (trackedWindow != handle) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle, 0};
        if (::TrackMouseEvent(&track))
            trackedWindow = handle;
    }
    SetMouseControl(target);
}

void MouseLeftWindow(TWinControl* window) {
    if (window->HandleAllocated() && trackedWindow == window->Handle())
        trackedWindow = nullptr;
    // A late report, after the mouse reached another window, says nothing.
    if (mouseControl && (mouseControl == window ||
                         (!dynamic_cast<TWinControl*>(mouseControl) &&
                          mouseControl->Parent() == window)))
        SetMouseControl(nullptr);
}

void MouseControlGone(TControl* control) {
    if (captureControl && IsInside(captureControl, control))
        SetCaptureControl(nullptr);
    if (auto* win = dynamic_cast<TWinControl*>(control);
        win && win->HandleAllocated() && trackedWindow == win->Handle())
        trackedWindow = nullptr;
    if (mouseControl && IsInside(mouseControl, control))
        SetMouseControl(nullptr);
}

void ForgetControl(TControl* control) {
    if (captureControl == control)
        SetCaptureControl(nullptr);
    if (mouseControl == control)
        mouseControl = nullptr;
}

TControl* CaptureControl() {
    return captureControl;
}

void SetCaptureControl(TControl* control) {
    captureControl = nullptr;
    TWinControl* host = control ? control->HostWindow() : nullptr;
    if (!host || !host->HandleAllocated()) {
        if (::GetCapture() && TWinControl::FindControl(::GetCapture()))
            ::ReleaseCapture();
        return;
    }
    if (::GetCapture() != host->Handle())
        ::SetCapture(host->Handle());
    captureControl = control;
}

void CaptureLost(TWinControl* window) {
    if (captureControl &&
        (captureControl == window ||
         (!dynamic_cast<TWinControl*>(captureControl) && captureControl->Parent() == window)))
        captureControl = nullptr;
}
