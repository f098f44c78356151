#include "tests/support/MemoryCanvas.h"

TMemoryCanvas::TMemoryCanvas(int width, int height, COLORREF fill)
    : FDC(::CreateCompatibleDC(nullptr)), FWidth(width), FHeight(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = ::CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FOld = ::SelectObject(FDC, FBitmap);
    const HBRUSH brush = ::CreateSolidBrush(fill);
    const RECT all = Bounds();
    ::FillRect(FDC, &all, brush);
    ::DeleteObject(brush);
}

TMemoryCanvas::~TMemoryCanvas() {
    ::SelectObject(FDC, FOld);
    ::DeleteObject(FBitmap);
    ::DeleteDC(FDC);
}

std::vector<COLORREF> TMemoryCanvas::Pixels() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            pixels.push_back(Pixel(x, y));
    return pixels;
}

bool TMemoryCanvas::Contains(const RECT& area, COLORREF colour) const {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (Pixel(x, y) == colour)
                return true;
    return false;
}

int TMemoryCanvas::CountOtherThan(COLORREF colour, const RECT& area) const {
    int other = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            other += Pixel(x, y) != colour ? 1 : 0;
    return other;
}
