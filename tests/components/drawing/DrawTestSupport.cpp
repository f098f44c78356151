#include "DrawTestSupport.h"

#include <cstdint>
#include <cstdio>

bool SamePixels(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (PixelAt(a, x, y) != PixelAt(b, x, y))
                return false;
    return true;
}

bool HasClipRegion(HDC dc, RECT* box) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const bool has = ::GetClipRgn(dc, region) == 1;
    if (has && box)
        ::GetRgnBox(region, box);
    ::DeleteObject(region);
    return has;
}

std::string ColorText(COLORREF color) {
    char text[32];
    std::snprintf(text, sizeof text, "(%u, %u, %u)", GetRValue(color), GetGValue(color),
                  GetBValue(color));
    return text;
}

TPixelGrid::TPixelGrid(TBitmap& bitmap) : FWidth(bitmap.Width()), FHeight(bitmap.Height()) {
    // Drawing may still be queued; the rows must show all of it.
    ::GdiFlush();
    FPixels.reserve(static_cast<std::size_t>(FWidth * FHeight));
    for (int y = 0; y < FHeight; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < FWidth; ++x)
            FPixels.push_back(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
}

int TPixelGrid::Count(COLORREF color, const RECT& area) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(x, y) == color)
                ++count;
    return count;
}

int TPixelGrid::PaintedOutside(const RECT& area) const {
    int count = 0;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            if (!::PtInRect(&area, POINT{x, y}) && At(x, y) != Sentinel)
                ++count;
    return count;
}
