// TBitmap's files: reading and writing bitmap files, streams, resources and
// the form data of a picture.

#include "platform/graphics/BitmapLayout.h"

#include "platform/classes/ResourceStream.h"
#include "platform/classes/Stream.h"
#include "platform/graphics/DeviceContext.h"

#include <cstring>

using namespace bitmap_layout;

// --- Files and streams -------------------------------------------------------

TBitmapFileImage TBitmap::ToFileImage() {
    TBitmapFileImage image;
    image.Width = FWidth;
    image.Height = FHeight;
    const std::uint8_t* bits = DibBits();
    if (bits) {
        image.BitCount = static_cast<std::uint16_t>(FLayout.BitCount);
        image.HasColorMasks = FLayout.ColorMasks != std::array<std::uint32_t, 3>{};
        image.ColorMasks = FLayout.ColorMasks;
        image.Palette = FLayout.Colors;
        const std::uint64_t rowSize = BitmapRowSize(FWidth, FLayout.BitCount);
        image.Pixels.resize(rowSize * static_cast<std::uint64_t>(FHeight));
        // Always written bottom-up.
        for (int row = 0; row < FHeight; ++row) {
            const int from = FLayout.TopDown ? FHeight - 1 - row : row;
            std::memcpy(image.Pixels.data() + row * rowSize, bits + from * rowSize, rowSize);
        }
        return image;
    }
    // A device bitmap is read through GetDIBits, which wants it out of any context.
    FreeCanvasContext();
    image.BitCount = FLayout.Monochrome ? 1 : 24;
    const std::uint64_t rowSize = BitmapRowSize(FWidth, image.BitCount);
    image.Pixels.resize(rowSize * static_cast<std::uint64_t>(FHeight));
    TDibInfo info{};
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = FWidth;
    info.Header.biHeight = FHeight;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = image.BitCount;
    info.Header.biCompression = BI_RGB;
    TWindowDC screen;
    if (::GetDIBits(screen.Get(), FImage.Get(), 0, static_cast<UINT>(FHeight), image.Pixels.data(),
                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0)
        OutOfResources();
    if (FLayout.Monochrome)
        image.Palette = BlackAndWhitePalette();
    return image;
}

void TBitmap::LoadFromFileImage(const TBitmapFileImage& image) {
    CheckBitmapImage(image);
    TLayout layout;
    layout.BitCount = image.BitCount;
    layout.ColorMasks = image.HasColorMasks ? image.ColorMasks : std::array<std::uint32_t, 3>{};
    layout.Colors = image.Palette;
    layout.Format = FormatOf(layout.BitCount, layout.ColorMasks);
    void* bits = nullptr;
    TGdiObject<HBITMAP> created = CreateImage(layout, image.Width, image.Height, &bits);
    const std::uint64_t rowSize = BitmapRowSize(image.Width, image.BitCount);
    for (int row = 0; row < image.Height; ++row) {
        const int from = image.TopDown ? image.Height - 1 - row : row;
        std::memcpy(static_cast<std::uint8_t*>(bits) + row * rowSize,
                    image.Pixels.data() + from * rowSize, rowSize);
    }
    ReplaceImage(std::move(created), layout, image.Width, image.Height);
    Changed();
}

void TBitmap::LoadFromStream(TStream& stream) {
    const std::int64_t remaining = StreamRemaining(stream);
    if (remaining == 0) {
        MakeEmpty();
        Changed();
        return;
    }
    if (remaining < 14)
        throw EInvalidGraphic("Ungültiges Bitmap: die Datei ist kürzer als der Dateikopf");
    std::uint8_t header[14];
    stream.ReadBuffer(header, sizeof header);
    // The file header knows the file's length; without a usable one the
    // rest of the stream is the file.
    const std::uint32_t fileSize =
        static_cast<std::uint32_t>(header[2]) | static_cast<std::uint32_t>(header[3]) << 8 |
        static_cast<std::uint32_t>(header[4]) << 16 | static_cast<std::uint32_t>(header[5]) << 24;
    const std::uint64_t count = fileSize >= sizeof header && fileSize <= remaining
                                    ? fileSize
                                    : static_cast<std::uint64_t>(remaining);
    if (count > MaxBitmapFileBytes)
        throw EInvalidGraphic("Ungültiges Bitmap: die Datei ist zu groß");
    std::vector<std::uint8_t> data(count);
    std::memcpy(data.data(), header, sizeof header);
    stream.ReadBuffer(data.data() + sizeof header,
                      static_cast<std::int32_t>(count - sizeof header));
    LoadFromFileImage(ReadBitmapFile(data.data(), data.size()));
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty())
        return;
    const std::vector<std::uint8_t> data = WriteBitmapFile(ToFileImage());
    stream.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    TResourceStream stream(instance, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
    std::vector<std::uint8_t> data(static_cast<std::size_t>(stream.GetSize()));
    stream.ReadBuffer(data.data(), static_cast<std::int32_t>(data.size()));
    LoadFromFileImage(ReadPackedBitmap(data.data(), data.size()));
}

void TBitmap::ReadData(TStream& stream) {
    const std::int32_t size = stream.ReadInt32();
    if (size < 0 || size > StreamRemaining(stream))
        throw EInvalidGraphic("Ungültiges Bitmap: die Datengröße " + std::to_string(size) +
                              " passt nicht zu den vorhandenen Daten");
    if (size == 0) {
        MakeEmpty();
        Changed();
        return;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    stream.ReadBuffer(data.data(), size);
    LoadFromFileImage(ReadBitmapFile(data.data(), data.size()));
}

void TBitmap::WriteData(TStream& stream) {
    std::vector<std::uint8_t> data;
    if (!Empty())
        data = WriteBitmapFile(ToFileImage());
    stream.WriteInt32(static_cast<std::int32_t>(data.size()));
    if (!data.empty())
        stream.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
}
