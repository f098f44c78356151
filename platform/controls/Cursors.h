#pragma once
// The screen's cursor table and the cursor that overrides every control's
// own (the hourglass during a long operation). TScreen publishes both; they
// live here so controls can answer WM_SETCURSOR without knowing the screen.

#include "platform/controls/Control.h"

#include <windows.h>

// The cursor shown for Cursor: a registered one, else the standard arrow.
HCURSOR CursorHandle(TCursor cursor);
// Registers a cursor handle under an identifier (the table owns it when
// Owned is true).
void SetCursorHandle(TCursor cursor, HCURSOR handle, bool owned);
// Destroys the cursors the table owns.
void ReleaseCursorTable();

// The screen-wide cursor; crDefault lets every control show its own.
TCursor ScreenCursor();
void SetScreenCursor(TCursor cursor);
