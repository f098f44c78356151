#pragma once
// Helpers of the drawing tests beside the sentinel-filled bitmaps.

#include "tests/support/SentinelBitmap.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

// Whether both bitmaps have the same size and pixels.
bool SamePixels(TBitmap& a, TBitmap& b);

// Whether DC has a clip region, and its box when it does.
bool HasClipRegion(HDC dc, RECT* box = nullptr);

std::string ColorText(COLORREF color);

// The pixels of a 24-bit bitmap read at once from its rows, for tests that
// look at many bitmaps pixel by pixel.
class TPixelGrid {
public:
    TPixelGrid() = default;
    explicit TPixelGrid(TBitmap& bitmap);
    COLORREF At(int x, int y) const { return FPixels[static_cast<std::size_t>(y * FWidth + x)]; }
    // Pixels inside Area that have Color.
    int Count(COLORREF color, const RECT& area) const;
    // Pixels outside Area that are not the sentinel.
    int PaintedOutside(const RECT& area) const;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<COLORREF> FPixels;
};
