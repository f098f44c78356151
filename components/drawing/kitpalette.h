#pragma once
// The palette rule of the kit's painting and the bookkeeping that lets a
// palette be deleted safely: Windows refuses to delete a palette that is
// still selected into a device context, and the kit's painting leaves its
// palettes selected.

#include <cstdint>
#include <windows.h>

// The bit that asks for a palette, the same in the flag words of the bitmap
// and the gradient routines.
inline constexpr std::uint16_t KitPaletteFlag = 0x1000;

// Whether a palette asked for by Flags is used: not when the kit
// application's aoLowColorNoPalette is set and the display has 8 bits per
// pixel or less.
bool KitPaletteWanted(std::uint16_t flags);

// SelectPalette (foreground) and RealizePalette on DC; DC is remembered so
// DeleteKitPalette can take the palette out again. A null palette selects
// nothing.
void SelectKitPalette(HDC dc, HPALETTE palette);

// Takes Palette out of every context the kit selected it into, deletes it
// and clears the variable. Nothing for a null palette.
void DeleteKitPalette(HPALETTE& palette);
