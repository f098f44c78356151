#pragma once
// Bitmaps on a canvas: one core routine places a source image in a
// destination (as is, centred, stretched or tiled) and copies it plainly,
// through a mask, with a transparent colour or with its transparent colour
// replaced by a brush; the entry points prepare its arguments.

#include "components/drawing/kitpalette.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <windows.h>

// The drawing flag word of the kit's bitmap routines.
inline constexpr std::uint16_t kdClip = 0x0001;        // clip to Dest moved by the offset
inline constexpr std::uint16_t kdCenter = 0x0008;      // centre at natural size
inline constexpr std::uint16_t kdStretch = 0x0010;     // stretch (see kdKeepHeight/Width)
inline constexpr std::uint16_t kdTile = 0x0020;        // tile over Dest
inline constexpr std::uint16_t kdTransparent = 0x0040; // mask made from Color
inline constexpr std::uint16_t kdBrushCopy = 0x0080;   // transparent colour becomes Color
inline constexpr std::uint16_t kdMasked = 0x0100;      // copy through a given mask canvas
inline constexpr std::uint16_t kdKeepHeight = 0x0200;  // stretch: Dest's height, scaled width
inline constexpr std::uint16_t kdKeepWidth = 0x0400;   // stretch: Dest's width, scaled height
inline constexpr std::uint16_t kdFit = 0x0600;         // stretch: fit, keeping the aspect
// KitPaletteFlag (kitpalette.h): select and realise the bitmap's palette.

// Pins Canvas's background to white and its text colour to black for the
// scope, so a monochrome mask copied onto it keeps its black and white
// whatever colours the canvas had; puts them and the copy mode back after.
class TKitMaskColors {
public:
    explicit TKitMaskColors(TCanvas& canvas);
    ~TKitMaskColors();
    TKitMaskColors(const TKitMaskColors&) = delete;
    TKitMaskColors& operator=(const TKitMaskColors&) = delete;

private:
    TCanvas& FCanvas;
    HDC FDC;
    COLORREF FBack;
    COLORREF FText;
    TCopyMode FCopyMode;
};

// Places SrcRect of SrcCanvas in Dest of Canvas. Image is the TBitmap for
// kdBrushCopy and the mask TCanvas for kdMasked. Color is the brush colour
// of kdBrushCopy and the transparent colour of kdTransparent; Palette goes
// to the temporary image of kdTransparent. Painted gets the area drawn
// (empty when nothing was).
void DrawBitmapCore(TCanvas& canvas, const TRect& dest, TCanvas* srcCanvas, const TRect& srcRect,
                    std::uint16_t flags, TColor color, HPALETTE palette, TObject* image,
                    TRect& painted);

// Bitmap drawn into Dest; nothing when the pen of the bitmap's canvas
// stands at x = -1. With the palette flag the bitmap's palette is realised
// for the draw and the canvas's own palette put back after it.
void DrawBitmapExt(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, std::uint16_t flags,
                   TColor color, TRect& painted);

// Like DrawBitmapExt, clipped to Dest moved by Offset when Flags hold kdClip.
void DrawBitmapClipped(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, std::uint16_t flags,
                       std::int32_t offset, TColor color);

// SrcRect of SrcCanvas into Dest, through Mask (a mask canvas, or the bitmap
// for kdBrushCopy), clipped when Flags hold kdClip.
void DrawCanvasImage(TCanvas& canvas, const TRect& dest, TCanvas* srcCanvas, const TRect& srcRect,
                     std::uint16_t flags, std::int32_t offset, TColor color, TObject* mask);

// Bitmap sized to Rect's width and height and filled with Color; nothing
// for a nil bitmap or an empty rectangle.
void FillBitmap(TBitmap* bitmap, const TRect& rect, TColor color);

// Image gets SrcRect of SrcCanvas, black where it has TransparentColor; Mask
// becomes the monochrome mask of that colour (white there). Nothing when
// Mask or Image is nil.
void MakeTransparentMask(TCanvas& srcCanvas, const TRect& srcRect, TBitmap* mask, TBitmap* image,
                         TColor transparentColor);
