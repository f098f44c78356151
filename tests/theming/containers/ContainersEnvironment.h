#pragma once
// The units the themed handlers need, a switch for the themed state and a
// bitmap that shows which pixels a drawing changed.

#include "platform/dialogs/SystemSeams.h"

#include <optional>
#include <windows.h>

#include "tests/support/ControlThemes.h"

// A colour no theme and no system colour uses.
constexpr COLORREF Sentinel = RGB(255, 0, 255);

// A memory DC with its own 32-bit bitmap, filled with the sentinel.
class SentinelBitmap {
public:
    SentinelBitmap(int width, int height);
    ~SentinelBitmap();
    SentinelBitmap(const SentinelBitmap&) = delete;
    SentinelBitmap& operator=(const SentinelBitmap&) = delete;

    HDC DC() const { return FDC; }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(FDC, x, y); }
    // Changed pixels in row Y between Left and Right (exclusive).
    int ChangedInRow(int y, int left, int right) const;

private:
    HDC FDC;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOld = nullptr;
};

// The bounding box of DC's clip region; empty when it has none.
RECT ClipBox(HDC dc);
bool HasClipRegion(HDC dc);
