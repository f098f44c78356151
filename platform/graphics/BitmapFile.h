#pragma once
// Bitmap files (.bmp) read defensively into a plain description and written
// back. Nothing here touches the system, so the reader runs natively under
// the sanitizers and the fuzzer; the Windows side turns the description into
// a DIB section (TBitmap).

#include "platform/rtl/Exceptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// A graphic whose data cannot be used; the message says why.
DECLARE_EXCEPTION(EInvalidGraphic, Exception);

// One colour table entry in the order of the file (RGBQUAD).
struct TBitmapFileColor {
    std::uint8_t Blue = 0;
    std::uint8_t Green = 0;
    std::uint8_t Red = 0;
    std::uint8_t Reserved = 0;
    bool operator==(const TBitmapFileColor&) const = default;
};

// An uncompressed device-independent bitmap.
struct TBitmapFileImage {
    std::int32_t Width = 0;      // 1 .. MaxBitmapDimension
    std::int32_t Height = 0;     // 1 .. MaxBitmapDimension
    std::uint16_t BitCount = 24; // 1, 4, 8, 16, 24 or 32
    bool TopDown = false;        // the first row of Pixels is the top row
    // BI_BITFIELDS (16 and 32 bits only): the red, green and blue masks.
    bool HasColorMasks = false;
    std::array<std::uint32_t, 3> ColorMasks{};
    // 1 .. 2^BitCount entries for 1, 4 and 8 bits; empty otherwise.
    std::vector<TBitmapFileColor> Palette;
    // Height rows of BitmapRowSize(Width, BitCount) bytes each.
    std::vector<std::uint8_t> Pixels;

    bool operator==(const TBitmapFileImage&) const = default;
};

// Limits beyond which a file is refused as absurd: either side, the bytes of
// the uncompressed pixels, and the whole file.
inline constexpr std::int64_t MaxBitmapDimension = 32768;
inline constexpr std::uint64_t MaxBitmapPixelBytes = std::uint64_t{256} << 20;
inline constexpr std::uint64_t MaxBitmapFileBytes = 2 * MaxBitmapPixelBytes + 65536;

// Black, then white: the colour table of a monochrome bitmap.
std::vector<TBitmapFileColor> BlackAndWhitePalette();
// One bit per pixel with that table, as TBitmap::Monochrome sees it.
bool IsMonochromeImage(const TBitmapFileImage& image);

// Bytes of one stored row: BitCount bits per pixel, padded to 4 bytes.
std::uint64_t BitmapRowSize(std::int64_t width, int bitCount);

// Reads a whole bitmap file: file header, info header (12, 40, 52, 56, 108
// or 124 bytes), colour masks, colour table and pixels, uncompressed, RLE8,
// RLE4 or BI_BITFIELDS. Damaged or hostile data raise EInvalidGraphic
// ("Ungültiges Bitmap: ...").
TBitmapFileImage ReadBitmapFile(const std::uint8_t* data, std::size_t size);
// Reads a bitmap without the file header (info header first, pixels right
// after the colour table), as bitmap resources hold it.
TBitmapFileImage ReadPackedBitmap(const std::uint8_t* data, std::size_t size);

// Raises EInvalidGraphic unless Image is consistent (sizes, bit count,
// palette, masks, pixel bytes), as the writer needs it.
void CheckBitmapImage(const TBitmapFileImage& image);
// The bitmap file of Image: a 40-byte info header, the masks, the colour
// table (its count stored only when short of 2^BitCount) and the pixel rows;
// the height is negative when TopDown.
std::vector<std::uint8_t> WriteBitmapFile(const TBitmapFileImage& image);
