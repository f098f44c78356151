// Bitmaps as data blocks of list items: plain and compressed, in the
// bitmap's own form and through the bitmap-file writer, and damaged blocks.

#include "ImageListTestSupport.h"
#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "components/imagelists/kitbitmaplist.h"
#include "components/imagelists/kititembitmap.h"
#include "platform/rtl/Exceptions.h"
#include "tests/components/readers/ReaderSeeds.h"

#include <gtest/gtest.h>

namespace {

struct TBlockCase {
    bool Compressed;
    int Colours;
};

class ItemBitmapRoundTrip : public ::testing::TestWithParam<TBlockCase> {};

TEST_P(ItemBitmapRoundTrip, GivesThePixelsBackAndStopsAfterTheBlock) {
    const auto [compressed, colours] = GetParam();
    // Black and white survive every colour depth the writer offers.
    auto first = colours == OwnBitmapFormat ? PatternBitmap(13, 7) : BlackWhiteBitmap(13, 7);
    auto second = BlackWhiteBitmap(5, 9);
    TMemoryStream stream;
    WriteBitmap(stream, *first, compressed, colours);
    WriteBitmap(stream, *second, compressed, colours);
    WriteInt32(stream, 0x5A5A5A5A);

    stream.SetPosition(0);
    TBitmap a;
    TBitmap b;
    ReadBitmap(stream, a, compressed);
    ReadBitmap(stream, b, compressed);
    EXPECT_EQ(ReadInt32(stream), 0x5A5A5A5A);
    EXPECT_TRUE(SamePixels(a, *first));
    EXPECT_TRUE(SamePixels(b, *second));
}

TEST_P(ItemBitmapRoundTrip, WritesTheSameBytesAgain) {
    const auto [compressed, colours] = GetParam();
    auto source = BlackWhiteBitmap(17, 3);
    TMemoryStream first;
    WriteBitmap(first, *source, compressed, colours);
    first.SetPosition(0);
    TBitmap copy;
    ReadBitmap(first, copy, compressed);
    TMemoryStream second;
    WriteBitmap(second, copy, compressed, colours);
    if (colours == OwnBitmapFormat || colours == 2) {
        EXPECT_EQ(first.Bytes(), second.Bytes());
    } else {
        EXPECT_TRUE(SamePixels(copy, *source));
    }
}

INSTANTIATE_TEST_SUITE_P(AllForms, ItemBitmapRoundTrip,
                         ::testing::Values(TBlockCase{false, OwnBitmapFormat},
                                           TBlockCase{true, OwnBitmapFormat}, TBlockCase{false, 2},
                                           TBlockCase{true, 2}, TBlockCase{false, 16},
                                           TBlockCase{true, 16}, TBlockCase{false, 256},
                                           TBlockCase{true, 256}));

TEST(ItemBitmap, PlainBlockIsLengthThenBitmapFile) {
    auto source = PatternBitmap(4, 2);
    TMemoryStream stream;
    WriteBitmap(stream, *source, false, OwnBitmapFormat);
    const auto& bytes = stream.Bytes();
    ASSERT_GT(bytes.size(), 6u);
    const std::int32_t length = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24;
    EXPECT_EQ(static_cast<std::size_t>(length), bytes.size() - 4);
    EXPECT_EQ(bytes[4], 'B');
    EXPECT_EQ(bytes[5], 'M');
}

TEST(ItemBitmap, ReducedColoursStoreThatDepth) {
    auto source = BlackWhiteBitmap(8, 8);
    for (const int colours : {2, 16, 256}) {
        TMemoryStream stream;
        WriteBitmap(stream, *source, false, colours);
        // BITMAPINFOHEADER.biBitCount: 4 + 14 + 14 bytes in.
        const auto& bytes = stream.Bytes();
        ASSERT_GT(bytes.size(), 34u);
        const int bits = bytes[4 + 14 + 14] | bytes[4 + 14 + 15] << 8;
        EXPECT_EQ(1 << bits, colours);
    }
}

TEST(ItemBitmap, CompressedMonochromeAlwaysUsesTwoColours) {
    auto source = BlackWhiteBitmap(8, 8);
    source->SetMonochrome(true);
    TMemoryStream stream;
    WriteBitmap(stream, *source, true, 256);
    stream.SetPosition(0);
    TBitmap copy;
    ReadBitmap(stream, copy, true);
    EXPECT_EQ(copy.PixelFormat(), pf1bit);
    EXPECT_TRUE(SamePixels(copy, *source));
}

TEST(ItemBitmapHostile, HugeLengthRaisesBeforeAllocating) {
    TMemoryStream stream;
    WriteInt32(stream, 1000000000);
    WriteInt32(stream, 0);
    stream.SetPosition(0);
    auto kept = PatternBitmap(3, 3);
    TBitmap bitmap;
    bitmap.Assign(kept.get());
    EXPECT_THROW(ReadBitmap(stream, bitmap, false), EReadError);
    EXPECT_TRUE(SamePixels(bitmap, *kept));
}

TEST(ItemBitmapHostile, NegativeLengthRaises) {
    TMemoryStream stream;
    WriteInt32(stream, -4);
    stream.SetPosition(0);
    TBitmap bitmap;
    EXPECT_THROW(ReadBitmap(stream, bitmap, false), EReadError);
}

TEST(ItemBitmapHostile, DamagedImageRaisesAndKeepsTheBitmap) {
    TMemoryStream stream;
    WriteInt32(stream, 6);
    const std::uint8_t junk[6] = {'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F};
    stream.WriteBuffer(junk, 6);
    stream.SetPosition(0);
    auto kept = PatternBitmap(3, 3);
    TBitmap bitmap;
    bitmap.Assign(kept.get());
    EXPECT_THROW(ReadBitmap(stream, bitmap, false), EInvalidGraphic);
    EXPECT_TRUE(SamePixels(bitmap, *kept));
}

TEST(ItemBitmapHostile, RunLengthRowsBeyondTheLimitAreRefusedBeforeTheyAreMade) {
    // 1,080 bytes of file whose end marker stands for 16384 x 16384 pixels:
    // the rows and the bitmap made of them would take 512 MiB.
    const TSeedBytes record = BitmapRecord(EndMarkerBitmapFile(16384, 16384));
    auto kept = PatternBitmap(3, 3);
    TOwnedPtr<TKitBitmapListItem> item(new TKitBitmapListItem(nullptr));
    item->SetBitmap(kept.get());
    TReadOnlyMemoryStream stream(record.data(), static_cast<std::int64_t>(record.size()));
    EXPECT_THROW(item->ReadItemData(stream), EKitDecodeLimit);
    EXPECT_TRUE(SamePixels(*item->Bitmap(), *kept));

    // A list file of such items, and one of a 1024 x 1024 picture, which fits.
    for (const int side : {16384, 1024}) {
        const TSeedBytes file =
            ListFileOf(lkBitmapList, {BitmapRecord(EndMarkerBitmapFile(side, side))});
        TReadOnlyMemoryStream s(file.data(), static_cast<std::int64_t>(file.size()));
        TOwnedPtr<TKitBitmapList> list(new TKitBitmapList(nullptr));
        if (side == 16384) {
            EXPECT_THROW(list->LoadFromListStream(s, "bilder.bmp"), EKitDecodeLimit);
            continue;
        }
        list->LoadFromListStream(s, "bilder.bmp");
        ASSERT_EQ(list->Count(), 1);
        EXPECT_EQ(list->GetItemDimension(0, 0), 1024);
    }
}

TEST(ItemBitmapHostile, CompressedBlockCutShortRaises) {
    auto source = PatternBitmap(20, 20);
    TMemoryStream full;
    WriteBitmap(full, *source, true, OwnBitmapFormat);
    auto bytes = full.Bytes();
    bytes.resize(bytes.size() / 2);
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TBitmap bitmap;
    EXPECT_THROW(ReadBitmap(stream, bitmap, true), EReadError);
}

} // namespace
