#include "tests/e2e/TrackBar.h"

#include "tests/e2e/WindowQuery.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace e2e {

namespace {

#ifndef TBM_SETPOSNOTIFY
constexpr UINT TBM_SETPOSNOTIFY = WM_USER + 34;
#endif

// What the control sends its parent when the user lets go of the slider.
void NotifyDragEnd(HWND trackBar, int position) {
    const bool vertical = (GetWindowLongPtrA(trackBar, GWL_STYLE) & TBS_VERT) != 0;
    const UINT scroll = vertical ? WM_VSCROLL : WM_HSCROLL;
    HWND parent = GetAncestor(trackBar, GA_PARENT);
    const auto self = reinterpret_cast<LPARAM>(trackBar);
    SendWithTimeout(parent, scroll, MAKEWPARAM(TB_THUMBPOSITION, position), self);
    SendWithTimeout(parent, scroll, MAKEWPARAM(TB_ENDTRACK, 0), self);
}

} // namespace

int TrackBarPosition(HWND trackBar) {
    RequireWindow(trackBar, "read the position of");
    return static_cast<int>(SendWithTimeout(trackBar, TBM_GETPOS, 0, 0));
}

TTrackBarRange TrackBarRange(HWND trackBar) {
    RequireWindow(trackBar, "read the range of");
    return {static_cast<int>(SendWithTimeout(trackBar, TBM_GETRANGEMIN, 0, 0)),
            static_cast<int>(SendWithTimeout(trackBar, TBM_GETRANGEMAX, 0, 0))};
}

void DragTrackBarTo(HWND trackBar, int position) {
    RequireWindow(trackBar, "drag");
    if (!IsWindowVisible(trackBar) || !IsWindowEnabled(trackBar))
        throw std::runtime_error("cannot drag " + Describe(trackBar) + ": it is " +
                                 (IsWindowVisible(trackBar) ? "disabled" : "hidden"));
    const TTrackBarRange range = TrackBarRange(trackBar);
    const int target = std::clamp(position, range.Min, range.Max);
    const int before = TrackBarPosition(trackBar);
    if (target != before) {
        // Newer common controls move and notify in one message; where the
        // message is unknown (Wine 8) the position stays and we do it below.
        SendWithTimeout(trackBar, TBM_SETPOSNOTIFY, 0, target);
        if (TrackBarPosition(trackBar) == target)
            return;
        SendWithTimeout(trackBar, TBM_SETPOS, TRUE, target);
    }
    NotifyDragEnd(trackBar, target);

    const int now = TrackBarPosition(trackBar);
    if (now != target)
        throw std::runtime_error("dragged " + Describe(trackBar) + " to " + std::to_string(target) +
                                 " but it shows " + std::to_string(now));
}

} // namespace e2e
