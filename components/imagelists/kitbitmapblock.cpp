#include "components/imagelists/kitbitmapblock.h"

#include "components/codec/kitcompressedstream.h"
#include "components/codec/kititemstream.h"
#include "platform/classes/Stream.h"
#include "platform/graphics/BitmapFile.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::uint32_t CoreHeaderBytes = 12;
constexpr std::uint32_t Rle8 = 1;
constexpr std::uint32_t Rle4 = 2;
// Headers, masks and a full colour table of any bitmap version fit in this;
// a file whose pixels start further out is not one the kit writes or reads.
constexpr std::int64_t MaxHeaderBytes = 64 * 1024;

std::uint32_t Get(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

} // namespace

std::int64_t BitmapFileSizeBound(const std::uint8_t* head, std::size_t size) {
    const auto refused = static_cast<std::int64_t>(size);
    if (size < FileHeaderBytes + 4 || head[0] != 'B' || head[1] != 'M')
        return refused;
    const std::uint32_t pixelOffset = Get(head + 10, 4);
    const std::uint32_t infoSize = Get(head + 14, 4);
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    if (infoSize == CoreHeaderBytes) {
        if (size < FileHeaderBytes + CoreHeaderBytes)
            return refused;
        width = Get(head + 18, 2);
        height = Get(head + 20, 2);
        bitCount = static_cast<int>(Get(head + 24, 2));
    } else {
        if (size < FileHeaderBytes + 20)
            return refused;
        width = static_cast<std::int32_t>(Get(head + 18, 4));
        height = std::llabs(static_cast<std::int32_t>(Get(head + 22, 4)));
        bitCount = static_cast<int>(Get(head + 28, 2));
        compression = Get(head + 30, 4);
    }
    if (width <= 0 || height <= 0 || width > MaxBitmapDimension || height > MaxBitmapDimension ||
        bitCount <= 0 || bitCount > 32)
        return refused;
    std::int64_t rows = 0;
    if (compression == Rle8 || compression == Rle4) {
        // At worst every pixel sits in an absolute run of its own row: two
        // bytes of run header per pixel pair, an end-of-line per row.
        rows = (2 * static_cast<std::int64_t>(BitmapRowSize(width, 8)) + 4) * height + 2;
    } else {
        rows = static_cast<std::int64_t>(BitmapRowSize(width, bitCount)) * height;
    }
    const std::int64_t headers = std::min<std::int64_t>(
        std::max<std::int64_t>(pixelOffset, FileHeaderBytes + infoSize), MaxHeaderBytes);
    return std::min<std::int64_t>(headers + rows, MaxBitmapFileBytes);
}

void ReadBitmapBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload) {
    ReadDataBlock(Stream, Compressed, Payload, &BitmapFileSizeBound);
}
