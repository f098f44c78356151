#pragma once
// Hidden utility windows: a window with no visible part whose messages go to
// a method (timers, notifications). Every message goes to the method, which
// calls DefWindowProcA itself for what it does not take.

#include "platform/controls/Messages.h"

#include <windows.h>

// Makes a hidden window that hands its messages to Method; EOSError when
// Windows cannot make it.
HWND AllocateHWnd(const TWndMethod& method);
// Destroys a window made by AllocateHWnd; ignores null.
void DeallocateHWnd(HWND window);
