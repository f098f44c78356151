#pragma once
// Messages pumped, and the mouse and keyboard driven as the user drives them:
// through the system's input queue, so the messages arrive where and in the
// order the system routes them.

#include <windows.h>

#include <initializer_list>

// Dispatches every pending message of the thread through the application.
void PumpMessages();
// Pumps for Milliseconds, so the system's timers (mouse-leave tracking, the
// double-click time) get their turn.
void PumpFor(int milliseconds);

// Moves the real cursor to a point of the screen and pumps for half a second,
// long enough for the enter and leave notes that follow.
void MoveCursorTo(POINT screen);
// Moves the mouse to a point of the screen with the button Flags
// (MOUSEEVENTF_LEFTDOWN and the like, or 0), then pumps for 100 ms.
void SendMouseInput(DWORD flags, POINT screen);

struct TKeyStroke {
    WORD Key;
    bool Up;
};
// Keys pressed and released in this order, then 100 ms of pumping.
void SendKeys(std::initializer_list<TKeyStroke> strokes);
// One key pressed and released.
void SendKeyPress(WORD key);
