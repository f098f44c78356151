#include "platform/graphics/Bitmap.h"

#include "platform/graphics/BitmapLayout.h"

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

using namespace bitmap_layout;

const TClassInfo& TBitmap::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBitmap>("TBitmap");
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() = default;

void TBitmap::FreeCanvasContext() {
    if (FCanvas)
        FCanvas->FreeHandle();
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
