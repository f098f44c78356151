#pragma once
// The kit's bitmap-file writer: a bitmap handle turned into the bytes of a
// Windows bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER, colour table,
// pixel rows), as the kit's list items store bitmaps in streams.

#include "platform/classes/Stream.h"
#include "platform/graphics/Bitmap.h"

#include <cstdint>
#include <vector>
#include <windows.h>

// The file image of Bitmap. ColorCount 2, 16 and 256 ask for 1, 4 and 8 bits
// per pixel, 0 for the bitmap's own depth (16 and 32 bits become 24).
// Palette, when given, is realised while the pixels are read. Raises
// Exception ("Bitmap ist ungültig") for a null or unreadable handle and for
// an image too large for the format.
std::vector<std::uint8_t> BuildDIB(HBITMAP bitmap, HPALETTE palette, int colorCount);

// BuildDIB written to Stream, after its size as a 32-bit integer when
// WithSize.
void WriteDIB(TStream& stream, HBITMAP bitmap, HPALETTE palette, bool withSize, int colorCount);

// WriteDIB of Bitmap's handle and palette, with the bitmap selected into no
// device context while its pixels are read.
void WriteBitmapDIB(TStream& stream, TBitmap& bitmap, bool withSize, int colorCount);

// Bitmap written to Stream as a file image without size prefix (monochrome
// bitmaps always with 1 bit per pixel); the stream is left at position 0.
void BitmapToStream(TMemoryStream& stream, TBitmap& bitmap, int colorCount);
