#pragma once
// The Windows-free half of reading a bitmap from a list item: the data block
// whose payload is a bitmap file image, bounded by what the image's own
// header says it needs, and charged with what the picture made from it will
// take. The bitmap itself is made from the payload by TBitmap
// (kititembitmap.h).

#include <cstddef>
#include <cstdint>

class TStream;
class TMemoryStream;
class TKitListItem;

// The most bytes a bitmap file can need whose first bytes are Head: its
// headers and colour table, then its rows as the header sizes them (for the
// run-length formats what their worst case takes). A head that is no bitmap
// file header allows no more than the head itself, so the bitmap reader can
// still name the fault.
std::int64_t BitmapFileSizeBound(const std::uint8_t* head, std::size_t size);

// The bytes of the uncompressed rows the header of the bitmap file Head
// describes, whatever the file's own length (a run-length file's end marker
// stands for all of them); 0 for a head the bitmap reader refuses before it
// makes any row.
std::int64_t BitmapFilePixelBytes(const std::uint8_t* head, std::size_t size);

// Charges the open decode budget (kititemstream.h) with what making a
// picture of a bitmap file of Size bytes starting with Head takes: a copy
// of the file, the decoded rows and the bitmap that holds them.
void ChargeBitmapFile(const std::uint8_t* head, std::size_t headSize, std::int64_t size);

// The same for a bitmap's form data at Stream's position (a 32-bit size,
// then that many bytes of a bitmap file), before the bitmap reads it; the
// position is kept. A size the stream cannot hold is left for the bitmap to
// refuse.
void ChargeBitmapData(TStream& Stream);

// Reads a bitmap data block into Payload (a bitmap file image), bounded as
// above. Charged to the open decode budget (kititemstream.h): the payload,
// and before any picture is made from it what making one takes (a copy of
// the file, the decoded rows and the bitmap that holds them).
void ReadBitmapBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload);

// A bitmap item's record up to its picture: the header into Item, then, when
// its flags say data follows (ItemFlagData), the bitmap block into Image
// (otherwise Image is empty). Returns the flags. The bitmap list item makes
// its bitmap from Image.
std::uint8_t ReadBitmapRecord(TKitListItem& Item, TStream& Stream, TMemoryStream& Image);
