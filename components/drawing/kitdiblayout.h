#pragma once
// The layout of a bitmap-file image as the kit's writer produces it: file
// header, 40-byte info header, colour table for 1, 4 and 8 bits per pixel,
// pixel rows padded to 4 bytes. Sizes are computed in 64 bits; an image
// whose size does not fit the file format's 32-bit fields is refused.

#include <cstdint>

inline constexpr std::uint32_t KitBitmapFileHeaderSize = 14;
inline constexpr std::uint32_t KitBitmapInfoHeaderSize = 40;

struct TKitDibLayout {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    std::uint32_t ColorTableEntries = 0;
    std::uint32_t InfoSize = 0;  // info header plus colour table
    std::uint32_t ImageSize = 0; // pixel rows
    std::uint32_t FileSize = 0;  // file header, info and pixels
    std::uint32_t PixelOffset = 0;
};

// Bits per pixel for ColorCount: 2, 16 and 256 give 1, 4 and 8 bits; any
// other count keeps the bitmap's own depth (OwnBits = bits per pixel times
// planes). 16 and 32 bits, and depths the format has no table for, are
// written as 24.
int KitDibBitCount(int colorCount, int ownBits);

// The layout of a Width x Height image of BitCount bits per pixel. Raises
// Exception ("Bitmap ist ungültig") for negative or zero sizes and for
// images whose sizes overflow 32 bits.
TKitDibLayout KitDibLayout(int width, int height, int bitCount);

// Writes the 14-byte file header of Layout to Dest.
void WriteKitFileHeader(const TKitDibLayout& layout, std::uint8_t* dest);
