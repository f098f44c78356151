#pragma once
// The mouse as controls report it: the button, the keys and buttons held,
// and the event types of the mouse events.

#include "platform/classes/Event.h"
#include "platform/classes/Set.h"

#include <windows.h>

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
using enum TShiftStateFlag;

// Sender, button, shift state, X, Y in the control's client coordinates.
using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

// The shift state of a mouse message's key flags; Alt is read from the
// keyboard state, since mouse messages do not carry it.
TShiftState MouseShiftState(WPARAM keys);
// The point a mouse message carries (signed, client coordinates).
POINT MouseMessagePoint(LPARAM lParam);
