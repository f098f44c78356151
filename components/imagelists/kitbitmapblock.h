#pragma once
// The Windows-free half of reading a bitmap from a list item: the data block
// whose payload is a bitmap file image, bounded by what the image's own
// header says it needs. The bitmap itself is made from the payload by
// TBitmap (kititembitmap.h).

#include <cstddef>
#include <cstdint>

class TStream;
class TMemoryStream;

// The most bytes a bitmap file can need whose first bytes are Head: its
// headers and colour table, then its rows as the header sizes them (for the
// run-length formats what their worst case takes). A head that is no bitmap
// file header allows no more than the head itself, so the bitmap reader can
// still name the fault.
std::int64_t BitmapFileSizeBound(const std::uint8_t* head, std::size_t size);

// Reads a bitmap data block into Payload (a bitmap file image), bounded as
// above and by the open decode budget (kititemstream.h).
void ReadBitmapBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload);
