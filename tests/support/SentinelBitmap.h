#pragma once
// Memory bitmaps for painting tests: pre-filled with a sentinel colour no
// routine under test paints, read back pixel by pixel.

#include "platform/graphics/Bitmap.h"

#include <memory>
#include <windows.h>

inline constexpr COLORREF Sentinel = RGB(0x12, 0x34, 0x56);

// A bitmap of Width x Height in the screen's format, filled with Color.
std::unique_ptr<TBitmap> FilledBitmap(int width, int height, COLORREF color = Sentinel);

COLORREF PixelAt(TBitmap& bitmap, int x, int y);

// Pixels of Bitmap that have Color, inside Area or in the whole bitmap.
int CountColor(TBitmap& bitmap, COLORREF color, const RECT& area);
int CountColor(TBitmap& bitmap, COLORREF color);

// Pixels outside Area that are not the sentinel.
int PaintedOutside(TBitmap& bitmap, const RECT& area);
