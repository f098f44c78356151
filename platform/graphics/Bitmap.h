#pragma once
// TBitmap: a picture in memory, normally a DIB section (24 bits per pixel
// unless asked otherwise), with a canvas over a memory device context that
// selects it. It reads and writes bitmap files, draws itself stretched and,
// when Transparent, through a mask of its transparent colour. OnChange fires
// when the picture or its settings change, never on reading them.

#include "platform/graphics/BitmapFile.h"
#include "platform/graphics/GdiObject.h"
#include "platform/graphics/Graphic.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

enum class TPixelFormat {
    pfDevice, // a bitmap in the screen's format
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit, // 16 bits: 5 red, 5 green, 5 blue
    pf16bit, // 16 bits: 5 red, 6 green, 5 blue
    pf24bit,
    pf32bit,
    pfCustom // colour masks of a loaded file that fit none of the above
};
using enum TPixelFormat;

enum class TTransparentMode {
    tmAuto, // the transparent colour is the bottom-left pixel
    tmFixed // the transparent colour is TransparentColor
};
using enum TTransparentMode;

enum class TBitmapHandleType { bmDIB, bmDDB };
using enum TBitmapHandleType;

class TBitmapCanvas;

class TBitmap : public TGraphic {
    TESSARO_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;

    // Copies a bitmap (pixels, format, palette, transparency) into a picture
    // of its own; null empties this bitmap.
    void Assign(TPersistent* source) override;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int Width() const override { return FWidth; }
    void SetWidth(int value) override { SetSize(value, FHeight); }
    int Height() const override { return FHeight; }
    void SetHeight(int value) override { SetSize(FWidth, value); }
    // Keeps the picture where it fits; new areas are white. Negative sizes
    // raise EInvalidGraphic.
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const;
    // Converts the picture; pfCustom cannot be asked for and is ignored.
    void SetPixelFormat(TPixelFormat value);
    TBitmapHandleType HandleType() const;
    // One bit per pixel in black and white. Switching it on makes a
    // monochrome device bitmap (white stays white, everything else turns
    // black); switching it off gives 24 bits per pixel.
    bool Monochrome() const;
    void SetMonochrome(bool value);

    // The canvas drawing on the picture; drawing through it fires OnChange.
    TCanvas* Canvas();
    // The picture's bitmap (null while empty); still owned by this object.
    HBITMAP Handle() const { return FImage.Get(); }
    // Takes ownership of Value and adopts its size and format.
    void SetHandle(HBITMAP value);
    // Gives up the bitmap to the caller, who must delete it; the bitmap is
    // empty afterwards.
    HBITMAP ReleaseHandle();
    // A monochrome mask of the transparent colour (white where the picture
    // has it), made on demand and kept until the picture changes.
    HBITMAP MaskHandle();
    HBITMAP ReleaseMaskHandle();
    // The logical palette of the colour table (1, 4 and 8 bits), or one set
    // through SetPalette, which takes ownership.
    HPALETTE Palette() const { return FPalette.Get(); }
    void SetPalette(HPALETTE value);
    HPALETTE ReleasePalette();
    // Gives back the canvas's device context, so the picture and its palette
    // are selected into none (GetDIBits must not read a selected bitmap);
    // the canvas makes a new one on its next use.
    void FreeCanvasContext();
    // Turns the picture into a monochrome mask of Color: white where the
    // picture has Color, black elsewhere.
    void Mask(TColor transparentColor);
    // The pixel bytes of a row (0 = top) of a DIB; writing through the
    // pointer fires nothing. EInvalidOperation for device bitmaps and rows
    // outside the picture.
    void* ScanLine(int row);

    TColor TransparentColor();
    // A colour fixes the mode to tmFixed; clDefault returns to tmAuto.
    void SetTransparentColor(TColor value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode value);

    // A bitmap file; an empty stream gives an empty bitmap, damaged data
    // raise EInvalidGraphic and leave the bitmap as it was.
    void LoadFromStream(TStream& stream) override;
    // Writes nothing while empty.
    void SaveToStream(TStream& stream) override;
    // The picture a bitmap file reader made (ReadBitmapFile), for callers
    // that check it before it becomes a bitmap.
    void LoadFromFileImage(const TBitmapFileImage& image);
    // A bitmap resource (RT_BITMAP) of a module; EResNotFound when missing.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    // Form data: a 32-bit little-endian size and that many bytes of a
    // bitmap file (size 0 for an empty bitmap).
    void ReadData(TStream& stream) override;
    void WriteData(TStream& stream) override;

    void Draw(TCanvas& canvas, const TRect& rect) override;

protected:
    void Changed() override;

private:
    friend class TBitmapCanvas;

    // How the picture is made.
    struct TLayout {
        TPixelFormat Format = pf24bit;
        bool Monochrome = false;                   // a monochrome device bitmap
        int BitCount = 24;                         // of a DIB
        std::array<std::uint32_t, 3> ColorMasks{}; // all zero: none
        std::vector<TBitmapFileColor> Colors;      // colour table up to 8 bits
        bool TopDown = false;                      // only adopted DIBs
    };
    static TLayout LayoutOf(TPixelFormat format);
    static TLayout MonochromeLayout();
    static TGdiObject<HBITMAP> CreateImage(const TLayout& layout, int width, int height,
                                           void** bits);

    void ReplaceImage(TGdiObject<HBITMAP> image, const TLayout& layout, int width, int height);
    // A new picture of Layout and size, white, with the current one copied in.
    TGdiObject<HBITMAP> ConvertedImage(const TLayout& layout, int width, int height);
    void Convert(const TLayout& layout);
    void CopyFrom(TBitmap& source);
    TGdiObject<HBITMAP> MakeMask(TColor color);
    std::uint8_t* DibBits() const;
    TBitmapFileImage ToFileImage();
    void MakeEmpty();

    TGdiObject<HBITMAP> FImage;
    TGdiObject<HBITMAP> FMask;
    TGdiObject<HPALETTE> FPalette;
    bool FExplicitPalette = false;
    TLayout FLayout;
    int FWidth = 0;
    int FHeight = 0;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};
