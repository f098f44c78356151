#pragma once
// Placing and painting caption text: nine-way placement of a rectangle,
// measuring and placing effect text (3D depth, letter spacing, rotation)
// and painting it with the passes of its 3D style.

#include "platform/graphics/Canvas.h"

#include <cstdint>
#include <string>
#include <windows.h>

// Row = ordinal / 3 (top, centre, bottom), column = ordinal % 3 (left,
// centre, right).
enum class TKitAlignment {
    agTopLeft,
    agTopCenter,
    agTopRight,
    agCenterLeft,
    agCenter,
    agCenterRight,
    agBottomLeft,
    agBottomCenter,
    agBottomRight
};
using enum TKitAlignment;

// Flags of DrawEffectText and DrawCaption.
inline constexpr std::uint16_t ktDisabled = 0x0001;   // set by a disabled control; read by none
inline constexpr std::uint16_t ktEnabled = 0x0002;    // normal colours
inline constexpr std::uint16_t ktAutoSunken = 0x0004; // dsAuto draws disabled text sunken
inline constexpr std::uint16_t ktClip = 0x0008;       // clip to ClipRect (or Rect)
inline constexpr std::uint16_t ktShowPrefix = 0x0010; // "&" marks an accelerator

class TKit3DCaption;

// Result gets Inner's size, placed in Outer at Alignment; an Inner larger
// than Outer sticks out (by the same amount on both sides when centred).
void AlignRect(TKitAlignment alignment, const TRect& inner, const TRect& outer, TRect& result);

// Replaces Rect by the rectangle Text needs in Font with the effects of
// FontFx, grown by 2 * (Margin + 1). For a rotated TKitFxCaption the text
// origin (PosX, PosY) is set as well; an unrotated one gets origin 0, 0.
void MeasureEffectText(const std::string& text, TKit3DCaption* fontFx, TRect& rect, TFont& font,
                       bool multiLine, bool showPrefix, int margin, UINT format);

// Measures Text within Bounds and aligns the measured rectangle in Bounds.
void PlaceEffectText(TKitAlignment alignment, const std::string& text, TKit3DCaption* fontFx,
                     const TRect& bounds, TFont& font, bool multiLine, bool showPrefix, UINT format,
                     TRect& result);

// Paints Text into Rect with the 3D passes of FontFx (plain DrawText without
// one). A rotated caption leaves its rotated font in the canvas's font.
void DrawEffectText(TCanvas& canvas, const std::string& text, TKit3DCaption* fontFx,
                    const TRect& rect, UINT format, std::uint16_t flags, const TRect* clipRect);

// Whether Font is a TrueType font (only those can be rotated).
bool IsTrueTypeFont(TFont& font);
