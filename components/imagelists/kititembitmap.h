#pragma once
// Bitmaps as data blocks of list items (see kititemstream.h): the payload is
// a bitmap file image, either the bitmap's own or one made by the kit's
// bitmap-file writer with a given number of colours.

#include "platform/graphics/Bitmap.h"

#include <cstdint>

class TStream;

// The bitmap of a list item. Its form data ("Data", the published Bitmap of
// a bitmap-list item) is charged to the open decode budget before anything
// is made of it, as the item's own records are: a form read counts it with
// everything else it decodes.
class TKitItemBitmap : public TBitmap {
    TESSARO_CLASS(TKitItemBitmap, TBitmap)
public:
    void ReadData(TStream& stream) override;
};

// Colour count that keeps the bitmap's own stream form.
inline constexpr int OwnBitmapFormat = -1;

// Colours: OwnBitmapFormat, or 2, 16 or 256 for the bitmap-file writer.
// Compressed, a monochrome bitmap is always written with 2 colours.
void WriteBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed, int Colours);
// Loads Bitmap from the data block read. A damaged block or image raises and
// leaves Bitmap as it was; the stream is then not positioned after the block.
void ReadBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed);
