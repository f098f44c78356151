#pragma once
// Which control the mouse is over and which control holds the mouse.
//
// Windows reports entering and leaving per window; a control without a
// window shares its parent's. The parent's mouse moves therefore decide
// which single control, windowed or not, the mouse is over; a change sends
// CM_MOUSELEAVE to the old one and CM_MOUSEENTER to the new one, so every
// enter is followed by exactly one leave. TrackMouseEvent reports when the
// mouse leaves a window altogether.
//
// Capture: a windowed control captures with its own window; a control
// without one captures through its parent's window, which then hands it
// every mouse message until the capture ends.

class TControl;
class TWinControl;

// A mouse move reached Window; Target is the control under the mouse (the
// window itself, one of its non-windowed children, or null when the point
// lies outside the window, as it may while captured).
void MouseMovedIn(TWinControl* window, TControl* target);
// Windows reported that the mouse left Window.
void MouseLeftWindow(TWinControl* window);
// Control is hidden or loses its window: when the mouse counted as over it
// (or over a control inside it) it hears the leave now.
void MouseControlGone(TControl* control);
// Control is being destroyed: forgotten without another message.
void ForgetControl(TControl* control);

TControl* CaptureControl();
// Null ends the capture.
void SetCaptureControl(TControl* control);
// The system took the capture from Window.
void CaptureLost(TWinControl* window);
