#pragma once
// Memory bitmaps for the drawing tests: pre-filled with a sentinel colour no
// routine under test paints, read back pixel by pixel.

#include "platform/graphics/Bitmap.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

inline constexpr COLORREF Sentinel = RGB(0x12, 0x34, 0x56);

// A 24-bit bitmap of Width x Height filled with Color.
std::unique_ptr<TBitmap> FilledBitmap(int width, int height, COLORREF color = Sentinel);

COLORREF PixelAt(TBitmap& bitmap, int x, int y);

// Pixels of Bitmap that have Color, inside Area (whole bitmap when null).
int CountColor(TBitmap& bitmap, COLORREF color, const RECT* area = nullptr);

// Pixels outside Area that are not the sentinel.
int PaintedOutside(TBitmap& bitmap, const RECT& area);

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
