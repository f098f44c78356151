// The drag members of TControl; the drag itself lives in DragDrop.

#include "platform/controls/Control.h"
#include "platform/controls/DragDrop.h"

#include <cstdlib>

const TEnumNames& DragModeNames() {
    static const TEnumNames names = {"dmManual", "dmAutomatic"};
    return names;
}

const TEnumNames& DragKindNames() {
    static const TEnumNames names = {"dkDrag", "dkDock"};
    return names;
}

void TControl::BeginDrag(bool immediate, int threshold) {
    POINT p{};
    ::GetCursorPos(&p);
    StartDrag(this, p, immediate, threshold);
}

void TControl::EndDrag(bool drop) {
    if (Dragging())
        FinishDrag(drop);
}

bool TControl::Dragging() const {
    return DragSource() == this;
}

void TControl::DoStartDrag() {
    OnStartDrag(this);
}

void TControl::DoStartDock() {
    OnStartDock(this);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
    OnEndDrag(this, target, x, y);
}

void TControl::DoEndDock(TObject* target, int x, int y) {
    OnEndDock(this, target, x, y);
}
