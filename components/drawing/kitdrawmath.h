#pragma once
// Integer arithmetic of the kit's drawing routines, free of Windows so it is
// also checked natively: the MulDiv rounding the band geometry relies on,
// the packed clip offset and the gradient colour table.

#include <cstdint>

class TList;

// a * b / c with a 64-bit product, rounded to the nearest integer (halves
// away from zero), as the Windows function does; -1 when c is 0 or the
// result does not fit 32 bits.
int KitMulDiv(int a, int b, int c);

// The two halves of a packed clip offset (low word x, high word y), read as
// signed 16-bit numbers so a control left of or above its parent's origin
// still gets the right clip position.
int OffsetX(std::int32_t offset);
int OffsetY(std::int32_t offset);
std::int32_t PackOffset(int x, int y);

// A text position stored in 16 bits: negative values become 0 instead of
// wrapping to 65535, values past the range 65535.
std::uint16_t ClampToWord(long long value);

// Colour tables hold 32-bit RGB values (red in the low byte) in a TList.
std::uint32_t GradientColorAt(const TList& colors, int index);
void AddGradientColor(TList& colors, std::uint32_t rgb);

// Replaces the entries of Colors by Count colours from StartRgb to EndRgb
// (plain RGB values), interpolated per channel. Count 0 leaves the list as
// it is; Count 1 gives the start colour alone.
void InterpolateGradientColors(std::uint32_t startRgb, std::uint32_t endRgb, int count,
                               TList& colors);
