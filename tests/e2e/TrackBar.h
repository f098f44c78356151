#pragma once
// Reading and moving a track bar (msctls_trackbar32) of another program.

#include <windows.h>

namespace e2e {

struct TTrackBarRange {
    int Min = 0;
    int Max = 0;
};

int TrackBarPosition(HWND trackBar);
TTrackBarRange TrackBarRange(HWND trackBar);

// Moves the slider to position (clamped into the range) and notifies the
// parent as a drag with the mouse does: TBM_SETPOSNOTIFY where the control
// knows it, else TBM_SETPOS (which alone notifies nobody) and WM_HSCROLL
// (WM_VSCROLL for a vertical bar) with TB_THUMBPOSITION, then TB_ENDTRACK.
// A drag that ends where it started still notifies. The parent's handlers
// have run when this returns.
void DragTrackBarTo(HWND trackBar, int position);

} // namespace e2e
