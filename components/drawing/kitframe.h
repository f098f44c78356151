#pragma once
// Frames of the kit's bevels: custom bevel rings, the drop-shadow frame and
// the standard Windows borders. Each painting routine takes the rectangle by
// reference and leaves in it the area inside the frame.

#include "platform/graphics/Canvas.h"

#include <cstdint>

enum class TKitBevelStyle {
    bvNone,
    bvLowered,
    bvRaised,
    bvFrameLowered,
    bvFrameRaised,
    bvNormal,
    bvShadow
};
using enum TKitBevelStyle;

enum class TKitBorderStyle {
    lsNone,
    lsSingle,
    lsLowered,
    lsRaised,
    lsRaisedspb,
    lsLoweredspb,
    lsRaisedExt,
    lsLoweredExt,
    lsFrameInset,
    lsFrameOffset,
    lsWindowBorder,
    lsSingleRaised,
    lsSingleLowered,
    lsDoubleRaised,
    lsDoubleLowered
};
using enum TKitBorderStyle;

// One bevel ring of Width pixels; False (nothing drawn, Rect unchanged) for
// Width 0, bvNone and bvShadow.
bool DrawBevelFrame(TCanvas& canvas, TRect& rect, TKitBevelStyle style, TColor lightColor,
                    TColor shadowColor, int width);

// A shadow of ShadowWidth pixels on the right and bottom, then FrameCount
// rings in LightColor inside the rest. Unless Transparent, the two corners
// the shadow leaves open get BorderColor. Always True.
bool DrawShadowFrame(TCanvas& canvas, TRect& rect, TColor lightColor, TColor shadowColor,
                     TColor borderColor, std::uint8_t shadowWidth, std::uint8_t frameCount,
                     bool transparent);

// Pixels a standard border takes from each side: 0, 1 or 2.
int StandardBorderWidth(TKitBorderStyle style);

// A standard Windows border (DrawEdge); ExtraFlags are added to the border
// flags of the calls that take them. Always True.
bool DrawStandardBorder(TCanvas& canvas, TRect& rect, TKitBorderStyle style,
                        std::uint16_t extraFlags);

// The dashed black one-pixel frame around Width x Height from (0, 0) that a
// kit control shows while designed and empty; the brush goes clear.
void DrawKitDesignFrame(TCanvas& canvas, int width, int height);
