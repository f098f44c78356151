#include "components/drawing/kitdiblayout.h"

#include "components/codec/kiterrors.h"

#include <limits>

namespace {

void PutLittleEndian(std::uint8_t* dest, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        dest[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

int KitDibBitCount(int colorCount, int ownBits) {
    switch (colorCount) {
    case 2:
        return 1;
    case 16:
        return 4;
    case 256:
        return 8;
    default:
        break;
    }
    if (ownBits == 1 || ownBits == 4 || ownBits == 8)
        return ownBits;
    return 24;
}

TKitDibLayout KitDibLayout(int width, int height, int bitCount) {
    if (width <= 0 || height <= 0)
        RaiseInvalidBitmap();
    TKitDibLayout layout;
    layout.Width = width;
    layout.Height = height;
    layout.BitCount = bitCount;
    layout.ColorTableEntries = bitCount <= 8 ? (1u << bitCount) : 0u;
    layout.InfoSize = KitBitmapInfoHeaderSize + 4 * layout.ColorTableEntries;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t imageSize = rowBytes * static_cast<std::uint64_t>(height);
    const std::uint64_t fileSize = KitBitmapFileHeaderSize + layout.InfoSize + imageSize;
    // The size fields are 32 bits, and readers take the file size as signed.
    if (fileSize > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        RaiseInvalidBitmap();
    layout.ImageSize = static_cast<std::uint32_t>(imageSize);
    layout.FileSize = static_cast<std::uint32_t>(fileSize);
    layout.PixelOffset = KitBitmapFileHeaderSize + layout.InfoSize;
    return layout;
}

void WriteKitFileHeader(const TKitDibLayout& layout, std::uint8_t* dest) {
    PutLittleEndian(dest, 0x4D42, 2);
    PutLittleEndian(dest + 2, layout.FileSize, 4);
    PutLittleEndian(dest + 6, 0, 4);
    PutLittleEndian(dest + 10, layout.PixelOffset, 4);
}
