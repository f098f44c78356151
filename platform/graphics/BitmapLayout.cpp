// The layouts of TBitmap's pictures: the pixel formats with their colour
// tables and masks, making a picture of a layout, and converting to another.

#include "platform/graphics/BitmapLayout.h"

#include "platform/graphics/DeviceContext.h"

#include <algorithm>
#include <cstring>

namespace bitmap_layout {
TBitmapFileColor FileColor(int red, int green, int blue) {
    return {static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green),
            static_cast<std::uint8_t>(red), 0};
}

namespace {
// The sixteen standard colours, in the order of the system palette.
std::vector<TBitmapFileColor> SixteenColors() {
    return {FileColor(0, 0, 0),      FileColor(128, 0, 0),     FileColor(0, 128, 0),
            FileColor(128, 128, 0),  FileColor(0, 0, 128),     FileColor(128, 0, 128),
            FileColor(0, 128, 128),  FileColor(128, 128, 128), FileColor(192, 192, 192),
            FileColor(255, 0, 0),    FileColor(0, 255, 0),     FileColor(255, 255, 0),
            FileColor(0, 0, 255),    FileColor(255, 0, 255),   FileColor(0, 255, 255),
            FileColor(255, 255, 255)};
}

// The sixteen standard colours, a 6 × 6 × 6 colour cube and 24 greys.
std::vector<TBitmapFileColor> ColorCube() {
    std::vector<TBitmapFileColor> colors = SixteenColors();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colors.push_back(FileColor(r * 51, g * 51, b * 51));
    for (int i = 1; i <= 24; ++i)
        colors.push_back(FileColor(i * 10, i * 10, i * 10));
    return colors;
}

} // namespace

TGdiObject<HPALETTE> PaletteOf(const std::vector<TBitmapFileColor>& colors) {
    struct {
        WORD Version;
        WORD Count;
        PALETTEENTRY Entries[256];
    } logPalette{};
    logPalette.Version = 0x300;
    logPalette.Count = static_cast<WORD>(std::min<std::size_t>(colors.size(), 256));
    for (WORD i = 0; i < logPalette.Count; ++i)
        logPalette.Entries[i] = {colors[i].Red, colors[i].Green, colors[i].Blue, 0};
    return TGdiObject<HPALETTE>(::CreatePalette(reinterpret_cast<LOGPALETTE*>(&logPalette)));
}

TPixelFormat FormatOf(int bitCount, const std::array<std::uint32_t, 3>& masks) {
    const bool noMasks = masks == std::array<std::uint32_t, 3>{};
    switch (bitCount) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return noMasks ? pf15bit : masks == Masks565 ? pf16bit : pfCustom;
    case 24:
        return pf24bit;
    default:
        return noMasks ? pf32bit : pfCustom;
    }
}

[[noreturn]] void OutOfResources() {
    throw EOutOfMemory("Nicht genügend Systemressourcen für ein Bitmap");
}
} // namespace bitmap_layout

using namespace bitmap_layout;

// --- Layouts and images ------------------------------------------------------

TBitmap::TLayout TBitmap::LayoutOf(TPixelFormat format) {
    TLayout layout;
    layout.Format = format;
    switch (format) {
    case pfDevice:
        layout.BitCount = 0;
        break;
    case pf1bit:
        layout.BitCount = 1;
        layout.Colors = BlackAndWhitePalette();
        break;
    case pf4bit:
        layout.BitCount = 4;
        layout.Colors = SixteenColors();
        break;
    case pf8bit:
        layout.BitCount = 8;
        layout.Colors = ColorCube();
        break;
    case pf15bit:
        layout.BitCount = 16;
        break;
    case pf16bit:
        layout.BitCount = 16;
        layout.ColorMasks = Masks565;
        break;
    case pf24bit:
    case pfCustom:
        layout.Format = pf24bit;
        layout.BitCount = 24;
        break;
    case pf32bit:
        layout.BitCount = 32;
        break;
    }
    return layout;
}

TBitmap::TLayout TBitmap::MonochromeLayout() {
    TLayout layout;
    layout.Format = pf1bit;
    layout.Monochrome = true;
    layout.BitCount = 1;
    return layout;
}

TGdiObject<HBITMAP> TBitmap::CreateImage(const TLayout& layout, int width, int height,
                                         void** bits) {
    *bits = nullptr;
    HBITMAP image = nullptr;
    if (layout.Monochrome) {
        image = ::CreateBitmap(width, height, 1, 1, nullptr);
    } else if (layout.Format == pfDevice) {
        TWindowDC screen;
        image = ::CreateCompatibleBitmap(screen.Get(), width, height);
    } else {
        TDibInfo info{};
        info.Header.biSize = sizeof(BITMAPINFOHEADER);
        info.Header.biWidth = width;
        info.Header.biHeight = height;
        info.Header.biPlanes = 1;
        info.Header.biBitCount = static_cast<WORD>(layout.BitCount);
        const bool masked = layout.ColorMasks != std::array<std::uint32_t, 3>{};
        info.Header.biCompression = masked ? BI_BITFIELDS : BI_RGB;
        info.Header.biClrUsed = static_cast<DWORD>(layout.Colors.size());
        if (masked)
            std::memcpy(info.Colors, layout.ColorMasks.data(), sizeof layout.ColorMasks);
        for (std::size_t i = 0; i < layout.Colors.size() && i < 256; ++i)
            info.Colors[i] = {layout.Colors[i].Blue, layout.Colors[i].Green, layout.Colors[i].Red,
                              0};
        image = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   bits, nullptr, 0);
    }
    if (!image)
        OutOfResources();
    return TGdiObject<HBITMAP>(image);
}

void TBitmap::ReplaceImage(TGdiObject<HBITMAP> image, const TLayout& layout, int width,
                           int height) {
    // Neither the picture nor the palette can be deleted while selected.
    FreeCanvasContext();
    FMask.Reset();
    FImage = std::move(image);
    FLayout = layout;
    FWidth = width;
    FHeight = height;
    if (!layout.Colors.empty()) {
        FPalette = PaletteOf(layout.Colors);
        FExplicitPalette = false;
    } else if (!FExplicitPalette) {
        FPalette.Reset();
    }
}

TGdiObject<HBITMAP> TBitmap::ConvertedImage(const TLayout& layout, int width, int height) {
    void* bits = nullptr;
    TGdiObject<HBITMAP> image = CreateImage(layout, width, height, &bits);
    TMemoryDC context;
    TObjectSelection selected(context.Get(), image.Get());
    const RECT all{0, 0, width, height};
    ::FillRect(context.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (FImage) {
        HDC source = Canvas()->Handle();
        // Colour to monochrome: white stays white, everything else turns black.
        const COLORREF oldBk = ::SetBkColor(source, White);
        ::BitBlt(context.Get(), 0, 0, std::min(width, FWidth), std::min(height, FHeight), source, 0,
                 0, SRCCOPY);
        ::SetBkColor(source, oldBk);
    }
    return image;
}

void TBitmap::Convert(const TLayout& layout) {
    TLayout target = layout;
    target.TopDown = false;
    TGdiObject<HBITMAP> image;
    if (!Empty())
        image = ConvertedImage(target, FWidth, FHeight);
    ReplaceImage(std::move(image), target, FWidth, FHeight);
    Changed();
}

void TBitmap::MakeEmpty() {
    ReplaceImage(TGdiObject<HBITMAP>(), FLayout, 0, 0);
}

std::uint8_t* TBitmap::DibBits() const {
    DIBSECTION section{};
    if (!FImage || ::GetObjectA(FImage.Get(), sizeof section, &section) != sizeof section)
        return nullptr;
    ::GdiFlush();
    return static_cast<std::uint8_t*>(section.dsBm.bmBits);
}
