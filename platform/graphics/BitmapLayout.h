#pragma once
// What the parts of TBitmap share about bitmap layouts: the colours a
// standard palette holds, the DIB header with room for its colour table, and
// the mapping from a file's bit count to a pixel format.

#include "platform/graphics/Bitmap.h"

namespace bitmap_layout {
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr std::array<std::uint32_t, 3> Masks565 = {0xF800, 0x07E0, 0x001F};

// A BITMAPINFO with room for a full colour table or the three masks.
struct TDibInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
};

TBitmapFileColor FileColor(int red, int green, int blue);
TGdiObject<HPALETTE> PaletteOf(const std::vector<TBitmapFileColor>& colors);
TPixelFormat FormatOf(int bitCount, const std::array<std::uint32_t, 3>& masks);
[[noreturn]] void OutOfResources();
} // namespace bitmap_layout
