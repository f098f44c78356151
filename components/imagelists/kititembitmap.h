#pragma once
// Bitmaps as data blocks of list items (see kititemstream.h): the payload is
// a bitmap file image, either the bitmap's own or one made by the kit's
// bitmap-file writer with a given number of colours.

#include <cstdint>

class TStream;
class TBitmap;

// Colour count that keeps the bitmap's own stream form.
inline constexpr int OwnBitmapFormat = -1;

// Colours: OwnBitmapFormat, or 2, 16 or 256 for the bitmap-file writer.
// Compressed, a monochrome bitmap is always written with 2 colours.
void WriteBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed, int Colours);
// Loads Bitmap from the data block read. A damaged block or image raises and
// leaves Bitmap as it was; the stream is then not positioned after the block.
void ReadBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed);
