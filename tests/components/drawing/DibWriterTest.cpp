#include "DrawTestSupport.h"
#include "components/drawing/kitdib.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// A 5 x 3 picture of colours every standard palette holds.
std::unique_ptr<TBitmap> Sample() {
    auto bitmap = FilledBitmap(5, 3, RGB(255, 255, 255));
    TCanvas* c = bitmap->Canvas();
    c->SetPixels(0, 0, clBlack);
    c->SetPixels(4, 0, clRed);
    c->SetPixels(2, 1, clBlue);
    c->SetPixels(0, 2, clLime);
    c->SetPixels(4, 2, clBlack);
    return bitmap;
}

void ExpectHeader(const std::vector<std::uint8_t>& image, int width, int height, int bits) {
    const std::uint32_t table = bits <= 8 ? 4u << bits : 0u;
    const std::uint32_t row = ((width * bits + 31) / 32) * 4;
    ASSERT_GE(image.size(), 54u);
    EXPECT_EQ(U16(image, 0), 0x4D42);
    EXPECT_EQ(U32(image, 2), image.size());
    EXPECT_EQ(U32(image, 2), 54 + table + row * height);
    EXPECT_EQ(U32(image, 6), 0u);
    EXPECT_EQ(U32(image, 10), 54 + table);
    EXPECT_EQ(U32(image, 14), 40u);
    EXPECT_EQ(U32(image, 18), static_cast<std::uint32_t>(width));
    EXPECT_EQ(U32(image, 22), static_cast<std::uint32_t>(height));
    EXPECT_EQ(U16(image, 26), 1);
    EXPECT_EQ(U16(image, 28), bits);
    EXPECT_EQ(U32(image, 30), 0u);
}

// Reads the file image back through the platform's bitmap loader.
std::unique_ptr<TBitmap> ReadBack(const std::vector<std::uint8_t>& image) {
    TMemoryStream stream;
    stream.WriteBuffer(image.data(), static_cast<std::int32_t>(image.size()));
    stream.SetPosition(0);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}

} // namespace

TEST(BuildDIB, TwentyFourBitRowsArePaddedBottomUp) {
    auto bitmap = FilledBitmap(3, 2, RGB(255, 255, 255));
    bitmap->Canvas()->SetPixels(0, 0, clRed);  // top row, first pixel
    bitmap->Canvas()->SetPixels(2, 1, clBlue); // bottom row, last pixel
    const std::vector<std::uint8_t> image = BuildDIB(bitmap->Handle(), nullptr, 0);
    ExpectHeader(image, 3, 2, 24);
    EXPECT_EQ(U32(image, 34), 24u);
    ASSERT_EQ(image.size(), 54u + 24u);
    // The bottom row comes first: white, white, blue (BGR), 3 padding bytes.
    const std::uint8_t bottom[12] = {255, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0};
    const std::uint8_t top[12] = {0, 0, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0};
    EXPECT_EQ(std::memcmp(image.data() + 54, bottom, 12), 0);
    EXPECT_EQ(std::memcmp(image.data() + 66, top, 12), 0);
}

TEST(BuildDIB, EveryDepthReadsBackToTheSamePixels) {
    auto source = Sample();
    for (auto [count, bits] :
         {std::pair{2, 1}, std::pair{16, 4}, std::pair{256, 8}, std::pair{0, 24}}) {
        const std::vector<std::uint8_t> image = BuildDIB(source->Handle(), nullptr, count);
        ExpectHeader(image, 5, 3, bits);
        auto back = ReadBack(image);
        ASSERT_EQ(back->Width(), 5);
        ASSERT_EQ(back->Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const COLORREF expected = PixelAt(*source, x, y);
                // One bit per pixel keeps black and white only.
                if (bits == 1 && expected != RGB(0, 0, 0) && expected != RGB(255, 255, 255))
                    continue;
                EXPECT_EQ(PixelAt(*back, x, y), expected) << bits << " bits at " << x << "," << y;
            }
    }
}

TEST(BuildDIB, ColourTableHoldsThePixelsColours) {
    auto source = Sample();
    const std::vector<std::uint8_t> image = BuildDIB(source->Handle(), nullptr, 256);
    // Pixel (4, 0) is red; rows are bottom-up with 8-byte rows from 1078.
    const std::uint8_t index = image[54 + 1024 + 2 * 8 + 4];
    const std::size_t entry = 54 + 4 * index;
    EXPECT_EQ(image[entry], 0);       // blue
    EXPECT_EQ(image[entry + 1], 0);   // green
    EXPECT_EQ(image[entry + 2], 255); // red
}

TEST(BuildDIB, InvalidHandlesRaise) {
    try {
        BuildDIB(nullptr, nullptr, 0);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Bitmap ist ungültig");
    }
    HBITMAP gone = ::CreateBitmap(4, 4, 1, 1, nullptr);
    ::DeleteObject(gone);
    EXPECT_THROW(BuildDIB(gone, nullptr, 0), Exception);
}

TEST(WriteDIB, SizePrefixComesFirst) {
    auto source = Sample();
    TMemoryStream withSize;
    WriteDIB(withSize, source->Handle(), nullptr, true, 0);
    TMemoryStream without;
    WriteDIB(without, source->Handle(), nullptr, false, 0);
    EXPECT_EQ(withSize.GetSize(), without.GetSize() + 4);
    withSize.SetPosition(0);
    EXPECT_EQ(withSize.ReadInt32(), without.GetSize());
}

TEST(BitmapToStream, MonochromeBitmapsAreWrittenWithOneBit) {
    auto bitmap = FilledBitmap(16, 4, RGB(255, 255, 255));
    bitmap->Canvas()->SetPixels(3, 1, clBlack);
    bitmap->SetMonochrome(true);
    TMemoryStream stream;
    BitmapToStream(stream, *bitmap, 0);
    EXPECT_EQ(stream.GetPosition(), 0);
    std::vector<std::uint8_t> image(static_cast<std::size_t>(stream.GetSize()));
    stream.ReadBuffer(image.data(), static_cast<std::int32_t>(image.size()));
    ExpectHeader(image, 16, 4, 1);
    EXPECT_EQ(U32(image, 10), 62u);
    auto back = ReadBack(image);
    EXPECT_EQ(PixelAt(*back, 3, 1), RGB(0, 0, 0));
    EXPECT_EQ(PixelAt(*back, 4, 1), RGB(255, 255, 255));
}

TEST(BitmapToStream, ColourCountChoosesTheDepth) {
    auto bitmap = Sample();
    TMemoryStream stream;
    BitmapToStream(stream, *bitmap, 16);
    std::vector<std::uint8_t> image(static_cast<std::size_t>(stream.GetSize()));
    stream.ReadBuffer(image.data(), static_cast<std::int32_t>(image.size()));
    ExpectHeader(image, 5, 3, 4);
}

// GetDIBits must not read a bitmap that a device context still holds: the
// writer takes it out of its canvas's context first, and the pixels drawn
// through that canvas are all in the image.
TEST(BitmapToStream, ReadsTheBitmapOutsideItsCanvasContext) {
    auto bitmap = FilledBitmap(7, 3, RGB(255, 255, 255));
    bitmap->Canvas()->SetPixels(6, 2, clRed);
    ASSERT_TRUE(bitmap->Canvas()->HandleAllocated());
    TMemoryStream stream;
    BitmapToStream(stream, *bitmap, 0);
    EXPECT_FALSE(bitmap->Canvas()->HandleAllocated());
    std::vector<std::uint8_t> image(static_cast<std::size_t>(stream.GetSize()));
    stream.ReadBuffer(image.data(), static_cast<std::int32_t>(image.size()));
    auto back = ReadBack(image);
    EXPECT_EQ(PixelAt(*back, 6, 2), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(*back, 5, 2), RGB(255, 255, 255));
    // The canvas works on as before.
    bitmap->Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), RGB(0, 0, 255));
}
