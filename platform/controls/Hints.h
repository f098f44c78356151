#pragma once
// Hints of controls, shown by one tooltip control of the process: a
// windowed control's hint is the tool of its window, a hint of a control
// without a window the tool of its area on the parent's window.

#include <string>
#include <windows.h>

// Shows Text as the hint of Control's window; an empty text removes it.
void SetWindowHint(HWND control, const std::string& text);
// Shows Text as the hint of Area (client coordinates) of Window, the tool
// named Id; an empty text removes it.
void SetAreaHint(HWND window, UINT_PTR id, const RECT& area, const std::string& text);
// Removes every area hint of Window (as its window goes).
void ForgetAreaHints(HWND window);
// Hands a mouse message of Window to the tooltip when Window has area
// hints: the tooltip does not watch the parent's messages itself, as its
// subclassing would sit in the chain of the window's procedures.
void RelayHintMouse(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Destroys the tooltip control (at shutdown).
void ReleaseHints();
