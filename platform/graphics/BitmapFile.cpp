#include "platform/graphics/BitmapFile.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string>

namespace {

enum : std::uint32_t { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3 };

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t MaskBytes = 12;

[[noreturn]] void Invalid(const std::string& reason) {
    throw EInvalidGraphic("Ungültiges Bitmap: " + reason);
}

std::string Num(std::int64_t value) {
    return std::to_string(value);
}

std::uint16_t Get16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

bool SupportedHeaderSize(std::uint32_t size) {
    return size == CoreHeaderSize || size == InfoHeaderSize || size == 52 || size == 56 ||
           size == 108 || size == 124;
}

bool SupportedBitCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Each mask non-empty, one run of bits, inside the pixel, and no two overlapping.
bool ValidMasks(const std::array<std::uint32_t, 3>& masks, int bitCount) {
    const std::uint64_t limit = (std::uint64_t{1} << bitCount) - 1;
    std::uint32_t seen = 0;
    for (const std::uint32_t mask : masks) {
        if (mask == 0 || mask > limit || (mask & seen) != 0)
            return false;
        const std::uint64_t run = mask >> std::countr_zero(mask);
        if ((run & (run + 1)) != 0)
            return false;
        seen |= mask;
    }
    return true;
}

// Expands RLE8 or RLE4 data into the (bottom-up) rows of Image. A missing
// end marker ends the picture; any pixel outside it is an error.
void DecodeRle(const std::uint8_t* data, std::uint64_t size, int bitCount, std::uint64_t rowSize,
               TBitmapFileImage& image) {
    const std::int64_t width = image.Width;
    const std::int64_t height = image.Height;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::uint64_t pos = 0;
    auto put = [&](unsigned index) {
        if (x >= width || y >= height)
            Invalid("die RLE-Daten reichen über das Bild hinaus");
        std::uint8_t* row = image.Pixels.data() + static_cast<std::uint64_t>(y) * rowSize;
        if (bitCount == 8) {
            row[x] = static_cast<std::uint8_t>(index);
        } else {
            std::uint8_t& byte = row[x / 2];
            byte = x % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                              : static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F));
        }
        ++x;
    };
    auto nibble = [](std::uint8_t byte, int i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; };

    while (pos + 2 <= size) {
        const std::uint8_t count = data[pos];
        const std::uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(bitCount == 8 ? value : static_cast<unsigned>(nibble(value, i)));
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++y;
            break;
        case 1: // end of bitmap
            return;
        case 2: // move right and up
            if (pos + 2 > size)
                Invalid("die RLE-Daten sind abgeschnitten");
            x += data[pos];
            y += data[pos + 1];
            pos += 2;
            if (x > width || y > height)
                Invalid("die RLE-Daten reichen über das Bild hinaus");
            break;
        default: { // a run of literal pixels, padded to a 16-bit boundary
            const std::uint64_t bytes = bitCount == 8 ? value : (value + 1u) / 2;
            if (pos + bytes > size)
                Invalid("die RLE-Daten sind abgeschnitten");
            for (int i = 0; i < value; ++i)
                put(bitCount == 8 ? data[pos + static_cast<unsigned>(i)]
                                  : static_cast<unsigned>(
                                        nibble(data[pos + static_cast<unsigned>(i) / 2], i)));
            pos += std::min<std::uint64_t>((bytes + 1) & ~std::uint64_t{1}, size - pos);
            break;
        }
        }
    }
}

// Reads the info header at Dib and what follows it. PixelOffset (from the
// start of the info header) comes from the file header; without one the
// pixels follow the colour table.
TBitmapFileImage ReadDib(const std::uint8_t* dib, std::uint64_t size,
                         std::optional<std::uint64_t> pixelOffset) {
    if (size < 4)
        Invalid("der Bitmap-Kopf ist abgeschnitten");
    const std::uint32_t headerSize = Get32(dib);
    if (!SupportedHeaderSize(headerSize))
        Invalid("Kopfgröße " + Num(headerSize) + " wird nicht unterstützt");
    if (size < headerSize)
        Invalid("der Bitmap-Kopf ist abgeschnitten");

    const bool core = headerSize == CoreHeaderSize;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int planes = 0;
    int bitCount = 0;
    std::uint32_t compression = BiRgb;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
    if (core) {
        width = Get16(dib + 4);
        height = Get16(dib + 6);
        planes = Get16(dib + 8);
        bitCount = Get16(dib + 10);
    } else {
        width = static_cast<std::int32_t>(Get32(dib + 4));
        height = static_cast<std::int32_t>(Get32(dib + 8));
        planes = Get16(dib + 12);
        bitCount = Get16(dib + 14);
        compression = Get32(dib + 16);
        sizeImage = Get32(dib + 20);
        colorsUsed = Get32(dib + 32);
    }

    if (planes != 1)
        Invalid("die Ebenenzahl ist " + Num(planes) + " statt 1");
    if (!SupportedBitCount(bitCount) || (core && (bitCount == 16 || bitCount == 32)))
        Invalid(Num(bitCount) + " Bit pro Pixel werden nicht unterstützt");
    switch (compression) {
    case BiRgb:
        break;
    case BiRle8:
        if (bitCount != 8)
            Invalid("RLE8 verlangt 8 Bit pro Pixel");
        break;
    case BiRle4:
        if (bitCount != 4)
            Invalid("RLE4 verlangt 4 Bit pro Pixel");
        break;
    case BiBitfields:
        if (bitCount != 16 && bitCount != 32)
            Invalid("Farbmasken verlangen 16 oder 32 Bit pro Pixel");
        break;
    default:
        Invalid("Kompression " + Num(compression) + " wird nicht unterstützt");
    }
    const bool rle = compression == BiRle8 || compression == BiRle4;

    if (width <= 0)
        Invalid("Breite " + Num(width) + " ist ungültig");
    if (height == 0)
        Invalid("Höhe 0 ist ungültig");
    const bool topDown = height < 0;
    const std::int64_t rows = topDown ? -height : height;
    if (width > MaxBitmapDimension || rows > MaxBitmapDimension)
        Invalid(Num(width) + " × " + Num(rows) + " Pixel sind zu groß");
    if (topDown && rle)
        Invalid("ein komprimiertes Bitmap kann nicht von oben nach unten gespeichert sein");
    const std::uint64_t rowSize = BitmapRowSize(width, bitCount);
    const std::uint64_t pixelBytes = rowSize * static_cast<std::uint64_t>(rows);
    if (pixelBytes > MaxBitmapPixelBytes)
        Invalid("mehr als 256 MiB Pixeldaten");

    TBitmapFileImage image;
    image.Width = static_cast<std::int32_t>(width);
    image.Height = static_cast<std::int32_t>(rows);
    image.BitCount = static_cast<std::uint16_t>(bitCount);
    image.TopDown = topDown;

    std::uint64_t tableOffset = headerSize;
    if (compression == BiBitfields) {
        // A plain info header is followed by the masks; the later headers hold them.
        const std::uint8_t* masks = dib + InfoHeaderSize;
        if (headerSize == InfoHeaderSize) {
            if (size < InfoHeaderSize + MaskBytes)
                Invalid("die Farbmasken sind abgeschnitten");
            tableOffset += MaskBytes;
        }
        image.ColorMasks = {Get32(masks), Get32(masks + 4), Get32(masks + 8)};
        if (!ValidMasks(image.ColorMasks, bitCount))
            Invalid("die Farbmasken sind ungültig");
        image.HasColorMasks = true;
    }

    const std::uint64_t maxColors = std::uint64_t{1} << bitCount;
    const std::uint64_t colors = bitCount <= 8 && colorsUsed == 0 ? maxColors : colorsUsed;
    if (colors > maxColors)
        Invalid("die Farbtabelle hat " + Num(colors) + " Einträge für " + Num(bitCount) +
                " Bit pro Pixel");
    const std::uint64_t entrySize = core ? 3 : 4;
    const std::uint64_t tableEnd = tableOffset + colors * entrySize;
    if (bitCount <= 8) {
        if (tableEnd > size)
            Invalid("die Farbtabelle ist abgeschnitten");
        image.Palette.resize(colors);
        const std::uint8_t* entry = dib + tableOffset;
        for (TBitmapFileColor& color : image.Palette) {
            color = {entry[0], entry[1], entry[2], 0};
            entry += entrySize;
        }
    }

    std::uint64_t offset = tableEnd;
    if (pixelOffset) {
        offset = *pixelOffset;
        // Above 8 bits a colour table is only a display hint; it is skipped.
        if (offset < (bitCount <= 8 ? tableEnd : tableOffset))
            Invalid("die Pixeldaten überlappen Kopf oder Farbtabelle");
    }
    if (offset > size)
        Invalid("die Pixeldaten liegen außerhalb der Datei");
    const std::uint64_t available = size - offset;

    if (rle) {
        const std::uint64_t compressed =
            sizeImage != 0 && sizeImage < available ? sizeImage : available;
        image.Pixels.assign(pixelBytes, 0);
        DecodeRle(dib + offset, compressed, bitCount, rowSize, image);
    } else {
        if (available < pixelBytes)
            Invalid("die Pixeldaten sind abgeschnitten");
        image.Pixels.assign(dib + offset, dib + offset + pixelBytes);
    }
    return image;
}

} // namespace

std::vector<TBitmapFileColor> BlackAndWhitePalette() {
    return {TBitmapFileColor{0, 0, 0, 0}, TBitmapFileColor{255, 255, 255, 0}};
}

bool IsMonochromeImage(const TBitmapFileImage& image) {
    return image.BitCount == 1 && image.Palette == BlackAndWhitePalette();
}

std::uint64_t BitmapRowSize(std::int64_t width, int bitCount) {
    if (width <= 0 || bitCount <= 0)
        return 0;
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32 * 4;
}

TBitmapFileImage ReadBitmapFile(const std::uint8_t* data, std::size_t size) {
    if (size < FileHeaderSize)
        Invalid("die Datei ist kürzer als der Dateikopf");
    if (data[0] != 'B' || data[1] != 'M')
        Invalid("die Kennung \"BM\" fehlt");
    const std::uint32_t pixelOffset = Get32(data + 10);
    if (pixelOffset < FileHeaderSize)
        Invalid("die Pixeldaten überlappen Kopf oder Farbtabelle");
    return ReadDib(data + FileHeaderSize, size - FileHeaderSize, pixelOffset - FileHeaderSize);
}

TBitmapFileImage ReadPackedBitmap(const std::uint8_t* data, std::size_t size) {
    return ReadDib(data, size, std::nullopt);
}

void CheckBitmapImage(const TBitmapFileImage& image) {
    if (image.Width <= 0 || image.Height <= 0 || image.Width > MaxBitmapDimension ||
        image.Height > MaxBitmapDimension)
        Invalid("Größe " + Num(image.Width) + " × " + Num(image.Height) + " ist ungültig");
    if (!SupportedBitCount(image.BitCount))
        Invalid(Num(image.BitCount) + " Bit pro Pixel werden nicht unterstützt");
    const std::uint64_t rowSize = BitmapRowSize(image.Width, image.BitCount);
    const std::uint64_t pixelBytes = rowSize * static_cast<std::uint64_t>(image.Height);
    if (pixelBytes > MaxBitmapPixelBytes)
        Invalid("mehr als 256 MiB Pixeldaten");
    if (image.HasColorMasks && ((image.BitCount != 16 && image.BitCount != 32) ||
                                !ValidMasks(image.ColorMasks, image.BitCount)))
        Invalid("die Farbmasken sind ungültig");
    const std::uint64_t colors = image.Palette.size();
    if (image.BitCount <= 8 ? colors == 0 || colors > (std::uint64_t{1} << image.BitCount)
                            : colors != 0)
        Invalid("die Farbtabelle hat " + Num(static_cast<std::int64_t>(colors)) + " Einträge für " +
                Num(image.BitCount) + " Bit pro Pixel");
    if (image.Pixels.size() != pixelBytes)
        Invalid("die Pixeldaten haben die falsche Länge");
}

std::vector<std::uint8_t> WriteBitmapFile(const TBitmapFileImage& image) {
    CheckBitmapImage(image);
    const std::uint32_t colors = static_cast<std::uint32_t>(image.Palette.size());
    const std::uint32_t pixelOffset = static_cast<std::uint32_t>(FileHeaderSize) + InfoHeaderSize +
                                      (image.HasColorMasks ? MaskBytes : 0) + colors * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(image.Pixels.size());
    const bool fullTable = image.BitCount <= 8 && colors == (1u << image.BitCount);

    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pixelBytes);
    Put32(out, 0);
    Put32(out, pixelOffset);

    Put32(out, InfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(image.Width));
    Put32(out, static_cast<std::uint32_t>(image.TopDown ? -image.Height : image.Height));
    Put16(out, 1);
    Put16(out, image.BitCount);
    Put32(out, image.HasColorMasks ? BiBitfields : BiRgb);
    Put32(out, pixelBytes);
    Put32(out, 0); // resolution
    Put32(out, 0);
    Put32(out, fullTable ? 0 : colors);
    Put32(out, 0); // all colours important

    if (image.HasColorMasks)
        for (const std::uint32_t mask : image.ColorMasks)
            Put32(out, mask);
    for (const TBitmapFileColor& color : image.Palette) {
        out.push_back(color.Blue);
        out.push_back(color.Green);
        out.push_back(color.Red);
        out.push_back(0);
    }
    out.insert(out.end(), image.Pixels.begin(), image.Pixels.end());
    return out;
}
