#pragma once
// Hints of windowed controls, shown by one tooltip control of the process.

#include <string>
#include <windows.h>

// Shows Text as the hint of Control's window; an empty text removes it.
void SetWindowHint(HWND control, const std::string& text);
// Destroys the tooltip control (at shutdown).
void ReleaseHints();
