#pragma once
// Dragging a control onto another, and docking it into a dock site.
//
// A drag holds the mouse through a hidden window of its own: every move
// finds the control under the mouse (with dkDock the nearest windowed
// control that is a DockSite), asks it through DragOver whether it takes
// the source, and shows the source's DragCursor where it does and the
// no-drop cursor elsewhere. Releasing the left button drops, Escape or
// losing the mouse cancels. One drag at a time.

#include <windows.h>

class TControl;

// Starts dragging Source; Start is the screen point where it was grabbed.
// Immediate: the drag follows the mouse at once, else only after the mouse
// moved Threshold pixels (-1: the system's drag distance).
void StartDrag(TControl* source, POINT start, bool immediate, int threshold);
// Whether To lies more than Threshold pixels from From on either axis (-1:
// the system's drag distance, which may differ between the axes).
bool PastDragDistance(POINT from, POINT to, int threshold = -1);
// Ends the drag: a drop on the control that accepted, otherwise nothing
// happens to the source.
void FinishDrag(bool drop);
// The control being dragged, or null.
TControl* DragSource();
// Control is being destroyed: the drag lets go of it without telling it.
void DragControlGone(TControl* control);
