#pragma once
// Gradients of the kit: the table of interpolated colours, a logical palette
// made from it and the painting of the table in one of eight shapes.

#include "components/drawing/kitdrawmath.h"
#include "components/drawing/kitpalette.h"
#include "platform/classes/List.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <windows.h>

enum class TKitGradientStyle {
    gstHorizontal,
    gstVertical,
    gstSquare,
    gstElliptic,
    gstTopLeft,
    gstTopRight,
    gstBottomLeft,
    gstBottomRight
};
using enum TKitGradientStyle;

// Flags of FillGradient.
inline constexpr std::uint16_t kgClip = 0x0001;      // clip to the rectangle (not off-screen)
inline constexpr std::uint16_t kgOffscreen = 0x0004; // paint through a bitmap
// KitPaletteFlag (kitpalette.h): select and realise Palette.

// Replaces the entries of Colors by Count colours from StartColor to
// EndColor (system colours by their current value). Nil Colors or Count 0
// leave the list alone; Count 1 gives the start colour.
void MakeGradientColors(TColor startColor, TColor endColor, std::uint8_t count, TList* colors);

// A palette with one entry per table colour (PC_NOCOLLAPSE), owned by the
// caller (free it with DeleteKitPalette); null for a nil or empty table or
// when Windows refuses.
HPALETTE CreateGradientPalette(const TList* colors);

// Paints Colors into Rect in Style: every pixel of Rect and none outside,
// whatever its size. Offset (low word x, high word y) moves only the clip
// region of kgClip. Nothing for a nil or empty table or an empty rect.
void FillGradient(TCanvas& canvas, const TRect& rect, TKitGradientStyle style, const TList* colors,
                  HPALETTE palette, std::uint16_t flags, std::int32_t offset);
