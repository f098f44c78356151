#pragma once
// Acting on another program's windows as a user would: clicks and keys.

#include "tests/e2e/Wait.h"

#include <windows.h>

#include <string_view>

namespace e2e {

// How a message the driver sent on behalf of the user came out.
enum class TSendResult {
    Handled,      // the window procedure returned
    WindowOpened, // it is still running, and a new window of the program showed
                  // (a message box or a dialog, which runs its own loop)
    StillBusy,    // it is still running after the settle time (a long job)
};

// Sends message without blocking on it and waits until one of the results
// above is true. The window may run a modal loop before it returns, so a
// plain SendMessage could hang the driver.
TSendResult SendAndSettle(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          TDuration settle = 5s);

// Clicks a push button, check box or radio button (BM_CLICK: the button is
// pressed and released, takes the focus and tells its parent BN_CLICKED).
// Raises std::runtime_error for a hidden or disabled button, which a user
// cannot click.
TSendResult Click(HWND button, TDuration settle = 5s);

// Posts a left click (button down and up) at a point in window's client
// coordinates; for controls that are not buttons, e.g. to focus an edit.
// A click, a key press and a typed text are one action each: one that closes
// its window on the way has succeeded.
void ClickAt(HWND window, int x, int y);
void ClickCentre(HWND window);

// Moves the system's mouse pointer onto a point in window's client
// coordinates, as a hand on the mouse does (the window under it is asked for
// its cursor), and returns the cursor the foreground program shows there
// once settle has passed. Cursor handles are the showing process's own:
// compare them only with others read the same way.
HCURSOR CursorShownAt(HWND window, int x, int y, TDuration settle = 300ms);

// Posts a key press (WM_KEYDOWN, WM_KEYUP) to target; the target's message
// loop turns it into WM_CHAR where the key makes one.
void PressKey(HWND target, WORD virtualKey);
// Posts Alt+key (WM_SYSKEYDOWN and WM_SYSKEYUP with the Alt bit); for a
// letter accelerator pass the upper-case letter, e.g. 'S'.
void PressAltKey(HWND target, WORD virtualKey);
// Posts one WM_CHAR per byte: the text arrives as typed, whatever the
// program's keyboard state.
void TypeText(HWND target, std::string_view text);

// The lParam of a key message: repeat count 1, scan code, extended-key bit,
// and for the key-up form the previous-state and transition bits.
LPARAM KeyMessageParam(WORD virtualKey, bool keyUp, bool altDown);

} // namespace e2e
