#pragma once
// The Windows-free half of reading an image-list item record: the fields
// after the header and the strip part, read and checked before any bitmap
// is made from them (kitimagelist.h makes the bitmaps).

#include "platform/classes/Stream.h"
#include "platform/graphics/BitmapFile.h"

#include <cstdint>

class TKitListItem;

// Left edges are kept as 16-bit offsets, which bounds a strip to this width.
inline constexpr int MaxStripWidth = 0x8000;

struct TKitImageRecordFields {
    std::int32_t Height = 0;
    std::int32_t Width = 0;
    std::int32_t AllocBy = 0;
    bool Masked = false;
};

// Height, Width, AllocBy and Masked. A size below one pixel or beyond what a
// strip can hold raises EReadError: no writer produces one.
TKitImageRecordFields ReadImageRecordFields(TStream& stream);

// The strip part: the image count and, when it is positive, the strip and
// (when Masked) the mask strip as bitmap file images.
struct TKitImageStripData {
    std::int32_t Count = 0;
    TMemoryStream Strip;
    TMemoryStream Mask;
};
void ReadImageStripData(TStream& stream, bool compressed, bool masked, TKitImageStripData& data);

// An image item's whole record up to its pictures: the header into Item,
// the fields, and the strip part. The image list item makes its strips
// from Strip.
struct TKitImageRecord {
    std::uint8_t Flags = 0;
    TKitImageRecordFields Fields;
    TKitImageStripData Strip;
};
void ReadImageRecord(TKitListItem& item, TStream& stream, TKitImageRecord& record);

// The pictures of a strip part, as the bitmap file reader makes them and
// the image list item adopts them.
struct TKitImageStripImages {
    TBitmapFileImage Strip;
    TBitmapFileImage Mask; // empty unless Masked
};

// Makes the pictures of Data (nothing when its count is below one) and
// checks them before any bitmap is made: every one of the Count cells of
// Width x Height lies in the strip and, when Masked, in the mask, its left
// edge fits a 16-bit offset, and the mask is monochrome. EReadError
// "Ungültige Bildliste im Stream" otherwise; EInvalidGraphic for a damaged
// bitmap file.
TKitImageStripImages MakeImageStrip(const TKitImageStripData& data, std::int32_t width,
                                    std::int32_t height, bool masked);
