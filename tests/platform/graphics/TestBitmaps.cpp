#include "TestBitmaps.h"

namespace {
void Add16(TBytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Add32(TBytes& out, std::uint32_t v) {
    Add16(out, v & 0xFFFF);
    Add16(out, v >> 16);
}
} // namespace

TBitmapFileImage PatternImage(int width, int height, int bitCount, bool topDown, int colors) {
    TBitmapFileImage image;
    image.Width = width;
    image.Height = height;
    image.BitCount = static_cast<std::uint16_t>(bitCount);
    image.TopDown = topDown;
    if (bitCount <= 8) {
        const int count = colors > 0 ? colors : 1 << bitCount;
        for (int i = 0; i < count; ++i)
            image.Palette.push_back({static_cast<std::uint8_t>(i * 7),
                                     static_cast<std::uint8_t>(255 - i),
                                     static_cast<std::uint8_t>(i * 3 + 1), 0});
    }
    const std::uint64_t rowSize = BitmapRowSize(width, bitCount);
    image.Pixels.resize(rowSize * static_cast<std::uint64_t>(height));
    const int usedBits = width * bitCount;
    const int count = bitCount <= 8 ? static_cast<int>(image.Palette.size()) : 256;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < usedBits / 8 + (usedBits % 8 ? 1 : 0); ++x) {
            std::uint8_t value = static_cast<std::uint8_t>((x * 31 + y * 17 + 5) % 256);
            if (bitCount <= 8) {
                // Every index of the byte must name a palette entry.
                const int perByte = 8 / bitCount;
                std::uint8_t packed = 0;
                for (int i = 0; i < perByte; ++i)
                    packed =
                        static_cast<std::uint8_t>(packed << bitCount | (value + i * 3) % count);
                value = packed;
            }
            image.Pixels[static_cast<std::size_t>(y) * rowSize + static_cast<std::size_t>(x)] =
                value;
        }
    return image;
}

TBytes BuildBitmapFile(const TRawBitmap& raw) {
    TBytes info;
    Add32(info, raw.HeaderSize);
    if (raw.HeaderSize == 12) {
        Add16(info, static_cast<std::uint32_t>(raw.Width));
        Add16(info, static_cast<std::uint32_t>(raw.Height));
        Add16(info, raw.Planes);
        Add16(info, raw.BitCount);
    } else {
        Add32(info, static_cast<std::uint32_t>(raw.Width));
        Add32(info, static_cast<std::uint32_t>(raw.Height));
        Add16(info, raw.Planes);
        Add16(info, raw.BitCount);
        Add32(info, raw.Compression);
        Add32(info, raw.SizeImage);
        Add32(info, 2835);
        Add32(info, 2835);
        Add32(info, raw.ColorsUsed);
        Add32(info, 0);
        for (const std::uint32_t mask : raw.Masks)
            Add32(info, mask);
        while (info.size() < raw.HeaderSize)
            info.push_back(0);
    }
    info.insert(info.end(), raw.Palette.begin(), raw.Palette.end());
    const std::uint32_t offset =
        raw.PixelOffset.value_or(static_cast<std::uint32_t>(14 + info.size()));
    TBytes file = {'B', 'M'};
    Add32(file, static_cast<std::uint32_t>(14 + info.size() + raw.Pixels.size()));
    Add32(file, 0);
    Add32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), raw.Pixels.begin(), raw.Pixels.end());
    return file;
}

void Put32At(TBytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4 && offset + static_cast<std::size_t>(i) < bytes.size(); ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Get32At(const TBytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}
