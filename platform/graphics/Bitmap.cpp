#include "platform/graphics/Bitmap.h"

#include "platform/classes/ResourceStream.h"
#include "platform/classes/Stream.h"
#include "platform/graphics/DeviceContext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

// The canvas of a bitmap: a memory context with the picture and its palette
// selected, made on first use and given back before the picture changes.
class TBitmapCanvas final : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override { FreeHandle(); }

    void FreeHandle() override {
        TCanvas::FreeHandle();
        FPaletteSelection.reset();
        FImageSelection.reset();
        FContext.reset();
    }

protected:
    void CreateHandle() override {
        auto context = std::make_unique<TMemoryDC>();
        if (FBitmap.FImage)
            FImageSelection.emplace(context->Get(), FBitmap.FImage.Get());
        if (FBitmap.FPalette)
            FPaletteSelection.emplace(context->Get(), FBitmap.FPalette.Get(), true);
        FContext = std::move(context);
        SetHandleInternal(FContext->Get());
    }

    void Changed() override {
        TCanvas::Changed();
        FBitmap.Changed();
    }

private:
    TBitmap& FBitmap;
    std::unique_ptr<TMemoryDC> FContext;
    std::optional<TObjectSelection> FImageSelection;
    std::optional<TPaletteSelection> FPaletteSelection;
};

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr std::array<std::uint32_t, 3> Masks565 = {0xF800, 0x07E0, 0x001F};

// A BITMAPINFO with room for a full colour table or the three masks.
struct TDibInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[256];
};

TBitmapFileColor FileColor(int red, int green, int blue) {
    return {static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green),
            static_cast<std::uint8_t>(red), 0};
}

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

} // namespace

const TClassInfo& TBitmap::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBitmap>("TBitmap");
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() = default;

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

void TBitmap::FreeCanvasContext() {
    if (FCanvas)
        FCanvas->FreeHandle();
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

// --- Size and format ---------------------------------------------------------

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0)
        throw EInvalidGraphic("Ungültige Bitmapgröße " + std::to_string(width) + " × " +
                              std::to_string(height));
    if (width == FWidth && height == FHeight)
        return;
    TLayout layout = FLayout;
    layout.TopDown = false;
    TGdiObject<HBITMAP> image;
    if (width > 0 && height > 0)
        image = ConvertedImage(layout, width, height);
    ReplaceImage(std::move(image), layout, width, height);
    Changed();
}

TPixelFormat TBitmap::PixelFormat() const {
    return FLayout.Monochrome ? pf1bit : FLayout.Format;
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == pfCustom || value == PixelFormat())
        return;
    Convert(LayoutOf(value));
}

TBitmapHandleType TBitmap::HandleType() const {
    return FLayout.Monochrome || FLayout.Format == pfDevice ? bmDDB : bmDIB;
}

bool TBitmap::Monochrome() const {
    return FLayout.Monochrome || (FLayout.Format == pf1bit && FLayout.Colors == BlackAndWhitePalette());
}

void TBitmap::SetMonochrome(bool value) {
    if (value == Monochrome())
        return;
    Convert(value ? MonochromeLayout() : LayoutOf(pf24bit));
}

// --- Handles -----------------------------------------------------------------

TCanvas* TBitmap::Canvas() {
    if (!FCanvas)
        FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return FCanvas.get();
}

void TBitmap::SetHandle(HBITMAP value) {
    if (value == FImage.Get())
        return;
    TLayout layout;
    int width = 0;
    int height = 0;
    if (value) {
        DIBSECTION section{};
        const int size = ::GetObjectA(value, sizeof section, &section);
        if (size < static_cast<int>(sizeof(BITMAP)))
            throw EInvalidGraphic("Ungültiges Bitmap: das Handle ist kein Bitmap");
        width = section.dsBm.bmWidth;
        height = std::abs(section.dsBm.bmHeight);
        if (size == sizeof section && section.dsBm.bmBits) {
            layout.BitCount = section.dsBmih.biBitCount;
            layout.TopDown = section.dsBmih.biHeight < 0;
            layout.ColorMasks = {};
            if (section.dsBmih.biCompression == BI_BITFIELDS)
                layout.ColorMasks = {section.dsBitfields[0], section.dsBitfields[1],
                                     section.dsBitfields[2]};
            if (layout.BitCount <= 8) {
                TMemoryDC context;
                TObjectSelection selected(context.Get(), value);
                RGBQUAD table[256];
                const UINT count = ::GetDIBColorTable(context.Get(), 0, 256, table);
                for (UINT i = 0; i < count; ++i)
                    layout.Colors.push_back(
                        FileColor(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
            }
            layout.Format = FormatOf(layout.BitCount, layout.ColorMasks);
        } else if (section.dsBm.bmBitsPixel == 1 && section.dsBm.bmPlanes == 1) {
            layout = MonochromeLayout();
        } else {
            layout = LayoutOf(pfDevice);
        }
    }
    ReplaceImage(TGdiObject<HBITMAP>(value), layout, width, height);
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeCanvasContext();
    FMask.Reset();
    HBITMAP image = FImage.Release();
    FWidth = 0;
    FHeight = 0;
    Changed();
    return image;
}

TGdiObject<HBITMAP> TBitmap::MakeMask(TColor color) {
    TGdiObject<HBITMAP> mask(::CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
    if (!mask)
        OutOfResources();
    HDC source = Canvas()->Handle();
    TMemoryDC context;
    TObjectSelection selected(context.Get(), mask.Get());
    const COLORREF rgb = ColorToRGB(color);
    if (FLayout.Monochrome) {
        // Already black and white: the mask is the picture, inverted for black.
        ::BitBlt(context.Get(), 0, 0, FWidth, FHeight, source, 0, 0,
                 rgb == Black ? NOTSRCCOPY : SRCCOPY);
    } else {
        // Colour to monochrome: the background colour becomes white.
        const COLORREF oldBk = ::SetBkColor(source, rgb);
        ::BitBlt(context.Get(), 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
        ::SetBkColor(source, oldBk);
    }
    return mask;
}

HBITMAP TBitmap::MaskHandle() {
    if (!FMask && !Empty())
        FMask = MakeMask(TransparentColor());
    return FMask.Get();
}

HBITMAP TBitmap::ReleaseMaskHandle() {
    MaskHandle();
    return FMask.Release();
}

void TBitmap::SetPalette(HPALETTE value) {
    if (value == FPalette.Get())
        return;
    FreeCanvasContext();
    FPalette.Reset(value);
    FExplicitPalette = value != nullptr;
    // A DIB with a colour table takes the palette's colours.
    if (value && FImage && HandleType() == bmDIB && FLayout.BitCount <= 8) {
        PALETTEENTRY entries[256];
        const UINT count =
            std::min<UINT>(::GetPaletteEntries(value, 0, 256, entries), 1u << FLayout.BitCount);
        if (count > 0) {
            RGBQUAD table[256];
            FLayout.Colors.clear();
            for (UINT i = 0; i < count; ++i) {
                table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
                FLayout.Colors.push_back(
                    FileColor(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
            }
            TMemoryDC context;
            TObjectSelection selected(context.Get(), FImage.Get());
            ::SetDIBColorTable(context.Get(), 0, count, table);
        }
    }
    Changed();
}

HPALETTE TBitmap::ReleasePalette() {
    FreeCanvasContext();
    FExplicitPalette = false;
    return FPalette.Release();
}

void TBitmap::Mask(TColor transparentColor) {
    if (Empty())
        return;
    TGdiObject<HBITMAP> mask = MakeMask(transparentColor);
    ReplaceImage(std::move(mask), MonochromeLayout(), FWidth, FHeight);
    Changed();
}

void* TBitmap::ScanLine(int row) {
    std::uint8_t* bits = HandleType() == bmDIB ? DibBits() : nullptr;
    if (!bits)
        throw EInvalidOperation("Zeilenzugriff gibt es nur bei geräteunabhängigen Bitmaps");
    if (row < 0 || row >= FHeight)
        throw EInvalidOperation("Zeile " + std::to_string(row) + " liegt außerhalb des Bitmaps");
    const std::uint64_t rowSize = BitmapRowSize(FWidth, FLayout.BitCount);
    const int stored = FLayout.TopDown ? row : FHeight - 1 - row;
    return bits + static_cast<std::uint64_t>(stored) * rowSize;
}

// --- Transparency ------------------------------------------------------------

TColor TBitmap::TransparentColor() {
    if (FTransparentMode == tmFixed)
        return FTransparentColor;
    if (Empty())
        return clNone;
    return Canvas()->Pixels(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
    const TTransparentMode mode = value == clDefault ? tmAuto : tmFixed;
    if (value == FTransparentColor && mode == FTransparentMode)
        return;
    FTransparentColor = value;
    FTransparentMode = mode;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == FTransparentMode)
        return;
    // Fixing the mode keeps the colour that was in use.
    FTransparentColor = value == tmFixed ? TransparentColor() : clDefault;
    FTransparentMode = value;
    Changed();
}

// --- Copying -----------------------------------------------------------------

void TBitmap::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (!source) {
        MakeEmpty();
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        CopyFrom(*bitmap);
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::CopyFrom(TBitmap& source) {
    TLayout layout = source.FLayout;
    layout.TopDown = false;
    TGdiObject<HBITMAP> image;
    if (!source.Empty()) {
        void* bits = nullptr;
        image = CreateImage(layout, source.FWidth, source.FHeight, &bits);
        const std::uint8_t* sourceBits = source.DibBits();
        if (bits && sourceBits) {
            // Byte for byte, so that no colour is matched again.
            const std::uint64_t rowSize = BitmapRowSize(source.FWidth, layout.BitCount);
            for (int row = 0; row < source.FHeight; ++row) {
                const int from = source.FLayout.TopDown ? source.FHeight - 1 - row : row;
                std::memcpy(static_cast<std::uint8_t*>(bits) + row * rowSize,
                            sourceBits + from * rowSize, rowSize);
            }
        } else {
            TMemoryDC context;
            TObjectSelection selected(context.Get(), image.Get());
            ::BitBlt(context.Get(), 0, 0, source.FWidth, source.FHeight, source.Canvas()->Handle(),
                     0, 0, SRCCOPY);
        }
    }
    TGdiObject<HPALETTE> palette;
    if (source.FExplicitPalette && source.FPalette) {
        PALETTEENTRY entries[256];
        const UINT count = ::GetPaletteEntries(source.FPalette.Get(), 0, 256, entries);
        std::vector<TBitmapFileColor> colors;
        for (UINT i = 0; i < count; ++i)
            colors.push_back(FileColor(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
        palette = PaletteOf(colors);
    }
    ReplaceImage(std::move(image), layout, source.FWidth, source.FHeight);
    if (palette) {
        FPalette = std::move(palette);
        FExplicitPalette = true;
    }
    FTransparent = source.FTransparent;
    FTransparentColor = source.FTransparentColor;
    FTransparentMode = source.FTransparentMode;
    Changed();
}

// --- Files and streams -------------------------------------------------------

TBitmapFileImage TBitmap::ToFileImage() {
    TBitmapFileImage image;
    image.Width = FWidth;
    image.Height = FHeight;
    const std::uint8_t* bits = DibBits();
    if (bits) {
        image.BitCount = static_cast<std::uint16_t>(FLayout.BitCount);
        image.HasColorMasks = FLayout.ColorMasks != std::array<std::uint32_t, 3>{};
        image.ColorMasks = FLayout.ColorMasks;
        image.Palette = FLayout.Colors;
        const std::uint64_t rowSize = BitmapRowSize(FWidth, FLayout.BitCount);
        image.Pixels.resize(rowSize * static_cast<std::uint64_t>(FHeight));
        // Always written bottom-up.
        for (int row = 0; row < FHeight; ++row) {
            const int from = FLayout.TopDown ? FHeight - 1 - row : row;
            std::memcpy(image.Pixels.data() + row * rowSize, bits + from * rowSize, rowSize);
        }
        return image;
    }
    // A device bitmap is read through GetDIBits, which wants it out of any context.
    FreeCanvasContext();
    image.BitCount = FLayout.Monochrome ? 1 : 24;
    const std::uint64_t rowSize = BitmapRowSize(FWidth, image.BitCount);
    image.Pixels.resize(rowSize * static_cast<std::uint64_t>(FHeight));
    TDibInfo info{};
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = FWidth;
    info.Header.biHeight = FHeight;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = image.BitCount;
    info.Header.biCompression = BI_RGB;
    TWindowDC screen;
    if (::GetDIBits(screen.Get(), FImage.Get(), 0, static_cast<UINT>(FHeight), image.Pixels.data(),
                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0)
        OutOfResources();
    if (FLayout.Monochrome)
        image.Palette = BlackAndWhitePalette();
    return image;
}

void TBitmap::LoadFromFileImage(const TBitmapFileImage& image) {
    CheckBitmapImage(image);
    TLayout layout;
    layout.BitCount = image.BitCount;
    layout.ColorMasks = image.HasColorMasks ? image.ColorMasks : std::array<std::uint32_t, 3>{};
    layout.Colors = image.Palette;
    layout.Format = FormatOf(layout.BitCount, layout.ColorMasks);
    void* bits = nullptr;
    TGdiObject<HBITMAP> created = CreateImage(layout, image.Width, image.Height, &bits);
    const std::uint64_t rowSize = BitmapRowSize(image.Width, image.BitCount);
    for (int row = 0; row < image.Height; ++row) {
        const int from = image.TopDown ? image.Height - 1 - row : row;
        std::memcpy(static_cast<std::uint8_t*>(bits) + row * rowSize,
                    image.Pixels.data() + from * rowSize, rowSize);
    }
    ReplaceImage(std::move(created), layout, image.Width, image.Height);
    Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
    const std::int64_t remaining = StreamRemaining(stream);
    if (remaining == 0) {
        MakeEmpty();
        Changed();
        return;
    }
    if (remaining < 14)
        throw EInvalidGraphic("Ungültiges Bitmap: die Datei ist kürzer als der Dateikopf");
    std::uint8_t header[14];
    stream.ReadBuffer(header, sizeof header);
    // The file header knows the file's length; without a usable one the
    // rest of the stream is the file.
    const std::uint32_t fileSize =
        static_cast<std::uint32_t>(header[2]) | static_cast<std::uint32_t>(header[3]) << 8 |
        static_cast<std::uint32_t>(header[4]) << 16 | static_cast<std::uint32_t>(header[5]) << 24;
    const std::uint64_t count = fileSize >= sizeof header && fileSize <= remaining
                                    ? fileSize
                                    : static_cast<std::uint64_t>(remaining);
    if (count > MaxBitmapFileBytes)
        throw EInvalidGraphic("Ungültiges Bitmap: die Datei ist zu groß");
    std::vector<std::uint8_t> data(count);
    std::memcpy(data.data(), header, sizeof header);
    stream.ReadBuffer(data.data() + sizeof header,
                      static_cast<std::int32_t>(count - sizeof header));
    LoadFromFileImage(ReadBitmapFile(data.data(), data.size()));
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty())
        return;
    const std::vector<std::uint8_t> data = WriteBitmapFile(ToFileImage());
    stream.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    TResourceStream stream(instance, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
    std::vector<std::uint8_t> data(static_cast<std::size_t>(stream.GetSize()));
    stream.ReadBuffer(data.data(), static_cast<std::int32_t>(data.size()));
    LoadFromFileImage(ReadPackedBitmap(data.data(), data.size()));
}

void TBitmap::ReadData(TStream& stream) {
    const std::int32_t size = stream.ReadInt32();
    if (size < 0 || size > StreamRemaining(stream))
        throw EInvalidGraphic("Ungültiges Bitmap: die Datengröße " + std::to_string(size) +
                              " passt nicht zu den vorhandenen Daten");
    if (size == 0) {
        MakeEmpty();
        Changed();
        return;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    stream.ReadBuffer(data.data(), size);
    LoadFromFileImage(ReadBitmapFile(data.data(), data.size()));
}

void TBitmap::WriteData(TStream& stream) {
    std::vector<std::uint8_t> data;
    if (!Empty())
        data = WriteBitmapFile(ToFileImage());
    stream.WriteInt32(static_cast<std::int32_t>(data.size()));
    if (!data.empty())
        stream.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
}

// --- Drawing -----------------------------------------------------------------

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) {
    if (Empty())
        return;
    HBITMAP mask = Transparent() ? MaskHandle() : nullptr;
    HDC source = Canvas()->Handle();
    HDC dest = canvas.Handle();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    TPaletteSelection palette(dest, FPalette.Get(), true);
    const int oldMode = ::SetStretchBltMode(dest, COLORONCOLOR);
    if (mask) {
        // Dest xor picture, cleared where the mask is black (opaque), xor
        // picture again: the picture where opaque, the old pixels elsewhere.
        TMemoryDC maskContext;
        TObjectSelection selected(maskContext.Get(), mask);
        const COLORREF oldText = ::SetTextColor(dest, Black);
        const COLORREF oldBk = ::SetBkColor(dest, White);
        ::StretchBlt(dest, rect.left, rect.top, width, height, source, 0, 0, FWidth, FHeight,
                     SRCINVERT);
        ::StretchBlt(dest, rect.left, rect.top, width, height, maskContext.Get(), 0, 0, FWidth,
                     FHeight, SRCAND);
        ::StretchBlt(dest, rect.left, rect.top, width, height, source, 0, 0, FWidth, FHeight,
                     SRCINVERT);
        ::SetTextColor(dest, oldText);
        ::SetBkColor(dest, oldBk);
    } else {
        ::StretchBlt(dest, rect.left, rect.top, width, height, source, 0, 0, FWidth, FHeight,
                     canvas.CopyMode());
    }
    ::SetStretchBltMode(dest, oldMode);
}

void TBitmap::Changed() {
    FMask.Reset();
    TGraphic::Changed();
}
