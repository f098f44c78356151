#pragma once
// A memory device context with its own 32-bit bitmap, filled with one colour
// at the start, for drawing tests that work on a raw DC rather than a TBitmap.

#include <windows.h>

#include <vector>

class TMemoryCanvas {
public:
    TMemoryCanvas(int width, int height, COLORREF fill);
    ~TMemoryCanvas();
    TMemoryCanvas(const TMemoryCanvas&) = delete;
    TMemoryCanvas& operator=(const TMemoryCanvas&) = delete;

    HDC DC() const { return FDC; }
    RECT Bounds() const { return {0, 0, FWidth, FHeight}; }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(FDC, x, y); }
    // Every pixel, row by row.
    std::vector<COLORREF> Pixels() const;
    // Whether some pixel of Area has exactly Colour.
    bool Contains(const RECT& area, COLORREF colour) const;
    // Pixels of Area whose colour is not Colour.
    int CountOtherThan(COLORREF colour, const RECT& area) const;

private:
    HDC FDC;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOld = nullptr;
    int FWidth;
    int FHeight;
};
