#include "components/drawing/kitdib.h"

#include "components/drawing/kitdiblayout.h"
#include "components/codec/kiterrors.h"
#include "platform/graphics/DeviceContext.h"

#include <cstring>

std::vector<std::uint8_t> BuildDIB(HBITMAP bitmap, HPALETTE palette, int colorCount) {
    BITMAP info{};
    if (!bitmap || ::GetObjectA(bitmap, sizeof(info), &info) == 0)
        RaiseInvalidBitmap();
    const int bitCount = KitDibBitCount(colorCount, info.bmBitsPixel * info.bmPlanes);
    const TKitDibLayout layout = KitDibLayout(info.bmWidth, info.bmHeight, bitCount);

    std::vector<std::uint8_t> image(layout.FileSize, 0);
    WriteKitFileHeader(layout, image.data());
    BITMAPINFOHEADER header{};
    header.biSize = KitBitmapInfoHeaderSize;
    header.biWidth = layout.Width;
    header.biHeight = layout.Height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = layout.ImageSize;
    std::memcpy(image.data() + KitBitmapFileHeaderSize, &header, sizeof(header));

    // The pixels are read through the focus window's context, as the palette
    // the user sees belongs to it.
    TWindowDC dc(::GetFocus());
    TPaletteSelection selection(dc.Get(), palette, false);
    auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(image.data() + KitBitmapFileHeaderSize);
    const int lines = ::GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(layout.Height),
                                  image.data() + layout.PixelOffset, bitmapInfo, DIB_RGB_COLORS);
    if (lines != layout.Height)
        RaiseInvalidBitmap();
    return image;
}

void WriteDIB(TStream& stream, HBITMAP bitmap, HPALETTE palette, bool withSize, int colorCount) {
    const std::vector<std::uint8_t> image = BuildDIB(bitmap, palette, colorCount);
    const auto size = static_cast<std::int32_t>(image.size());
    if (withSize)
        stream.WriteInt32(size);
    stream.WriteBuffer(image.data(), size);
}

void WriteBitmapDIB(TStream& stream, TBitmap& bitmap, bool withSize, int colorCount) {
    bitmap.FreeCanvasContext();
    WriteDIB(stream, bitmap.Handle(), bitmap.Palette(), withSize, colorCount);
}

void BitmapToStream(TMemoryStream& stream, TBitmap& bitmap, int colorCount) {
    if (bitmap.Monochrome())
        colorCount = 2;
    WriteBitmapDIB(stream, bitmap, false, colorCount);
    stream.SetPosition(0);
}
