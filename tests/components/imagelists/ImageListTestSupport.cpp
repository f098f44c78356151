#include "ImageListTestSupport.h"

#include "platform/classes/Component.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"

#include <windows.h>

#include <cstdio>

TColor PatternColor(int x, int y, int seed) {
    return static_cast<TColor>(RGB((x * 37 + seed * 11) & 0xFF, (y * 53 + seed * 7) & 0xFF,
                                   (x * y + seed * 29 + 5) & 0xFF));
}

std::unique_ptr<TBitmap> PatternBitmap(int width, int height, int seed) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    TCanvas& canvas = *bitmap->Canvas();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.SetPixels(x, y, PatternColor(x, y, seed));
    return bitmap;
}

std::unique_ptr<TBitmap> BlackWhiteBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    TCanvas& canvas = *bitmap->Canvas();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.SetPixels(x, y, (x * 3 + y) % 5 < 2 ? 0x000000 : 0xFFFFFF);
    return bitmap;
}

void FillWith(TBitmap& bitmap, TColor color) {
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

bool SamePixels(TBitmap& a, TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y))
                return false;
    return true;
}

std::string FormText(const std::vector<std::uint8_t>& form) {
    TReadOnlyMemoryStream in(form.data(), static_cast<std::int64_t>(form.size()));
    return ObjectBinaryToText(in);
}

std::vector<std::uint8_t> FormFromText(const std::string& text) {
    TMemoryStream stream;
    ObjectTextToBinary(text, stream);
    return stream.Bytes();
}

std::string HexOf(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0xF];
    }
    return text;
}

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(fileName.c_str(), "wb");
    if (file == nullptr)
        throw std::runtime_error("cannot create " + fileName);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::vector<std::uint8_t> BytesOf(const TMemoryStream& stream, std::int64_t from) {
    const auto& all = stream.Bytes();
    return {all.begin() + from, all.end()};
}

#include "components/imagelists/kitimagelist.h"
#include "components/imagelists/kititembitmap.h"
#include "components/codec/kititemstream.h"

TColor ImagePixel(const TKitImageListItem& item, int n, int x, int y, int seed) {
    if (item.Masked() && x < item.Width() / 2)
        return 0;
    return PatternColor(x, y, seed + n);
}

void FillImageItem(TKitImageListItem& item, int count, int seed) {
    const int w = item.Width();
    const int h = item.Height();
    TBitmap strip;
    strip.SetSize(count * w, h);
    TBitmap mask;
    mask.SetSize(count * w, h);
    for (int n = 0; n < count; ++n)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                strip.Canvas()->SetPixels(n * w + x, y, ImagePixel(item, n, x, y, seed));
                mask.Canvas()->SetPixels(n * w + x, y, x < w / 2 ? 0xFFFFFF : 0x000000);
            }
    TMemoryStream stream;
    WriteInt32(stream, count);
    WriteBitmap(stream, strip, item.Compressed(), OwnBitmapFormat);
    if (item.Masked())
        WriteBitmap(stream, mask, item.Compressed(), 2);
    stream.SetPosition(0);
    item.ReadStrip(stream);
}
