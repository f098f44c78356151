#pragma once
// The window scroll bars of a control that scrolls its own content (scroll
// box, grid, rich edit): which of them it has, and the common arithmetic of
// a scroll request.

#include "platform/classes/Properties.h"

#include <windows.h>

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;
const TEnumNames& ScrollStyleNames();

bool HasHorizontalBar(TScrollStyle style);
bool HasVerticalBar(TScrollStyle style);

// Sets Bar (SB_HORZ or SB_VERT) of Window to the range Min..Max with Page
// positions showing and Position first. The system shows the bar only while
// the range does not fit the page.
void SetWindowScrollBar(HWND window, int bar, int min, int max, int page, int position);

// The position a WM_HSCROLL or WM_VSCROLL request (its low word Code) asks
// for, starting at Position and kept within Min..Last; Line and Page are the
// steps of the arrows and of the track.
int ScrollRequestPosition(HWND window, int bar, WORD code, int position, int min, int last,
                          int line, int page);
