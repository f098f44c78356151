#pragma once
// Bitmap files for the tests: pictures with a known pattern and raw files
// whose every header field the test chooses.

#include "platform/graphics/BitmapFile.h"

#include <cstdint>
#include <optional>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// A picture of Width × Height with a byte pattern that differs from row to
// row and column to column; up to 8 bits a palette of Colors entries
// (0: 2^BitCount) of distinct colours.
TBitmapFileImage PatternImage(int width, int height, int bitCount, bool topDown = false,
                              int colors = 0);

// A bitmap file assembled field by field, for damaged and unusual files.
struct TRawBitmap {
    std::uint32_t HeaderSize = 40;
    std::int32_t Width = 2;
    std::int32_t Height = 2;
    std::uint16_t Planes = 1;
    std::uint16_t BitCount = 24;
    std::uint32_t Compression = 0;
    std::uint32_t SizeImage = 0;
    std::uint32_t ColorsUsed = 0;
    // Written after a 40-byte header, inside a longer one.
    std::vector<std::uint32_t> Masks;
    TBytes Palette; // as stored (3 or 4 bytes an entry)
    TBytes Pixels;  // as stored
    // Default: right after the colour table.
    std::optional<std::uint32_t> PixelOffset;
};
TBytes BuildBitmapFile(const TRawBitmap& raw);

// Little-endian field access on a file, for mutations.
void Put32At(TBytes& bytes, std::size_t offset, std::uint32_t value);
std::uint32_t Get32At(const TBytes& bytes, std::size_t offset);
