// One image strip: sizes, appending, masks, drawing, the item record and
// damaged records.

#include "ImageListTestSupport.h"
#include "components/drawing/kitbitmap.h"
#include "components/imagelists/kitimagelist.h"
#include "components/imagelists/kititembitmap.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kiterrors.h"
#include "platform/rtl/Exceptions.h"
#include "tests/components/readers/ReaderSeeds.h"

#include <gtest/gtest.h>

namespace {

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

// Count images of one colour, made in one piece (fast for thousands).
void FillPlainImages(TKitImageListItem& item, int count, TColor color = 0x00FF00) {
    TBitmap strip;
    strip.SetSize(count * item.Width(), item.Height());
    FillWith(strip, color);
    TMemoryStream stream;
    WriteInt32(stream, count);
    WriteBitmap(stream, strip, false, OwnBitmapFormat);
    stream.SetPosition(0);
    item.ReadStrip(stream);
}

TEST(ImageListItem, NewItem) {
    TKitImageListItem item(nullptr);
    EXPECT_EQ(item.Count(), 0);
    EXPECT_TRUE(item.DataEmpty());
    EXPECT_EQ(item.Width(), 16);
    EXPECT_EQ(item.Height(), 16);
    EXPECT_EQ(item.AllocBy(), 4);
    EXPECT_FALSE(item.Masked());
    EXPECT_EQ(item.ItemFlags() & 0x70, 0);
    EXPECT_EQ(item.BackColor(), clNone);
    EXPECT_EQ(item.DitherColor(), clNone);
    EXPECT_EQ(item.DrawStyle(), idsNormal);
    EXPECT_EQ(item.DrawKind(), idkImage);
    EXPECT_EQ(item.Strip().Height(), 16);
    EXPECT_EQ(item.MaskStrip().Height(), 16);
}

TEST(ImageListItem, SizeSetterIgnoresInvalidAndEqualValues) {
    TKitImageListItem item(nullptr);
    FillImageItem(item, 2);
    TChangeCounter changes;
    item.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&changes);
    item.SetWidth(0);
    item.SetWidth(-3);
    item.SetWidth(16);
    item.SetHeight(0);
    EXPECT_EQ(changes.Count, 0);
    EXPECT_EQ(item.Count(), 2);
    item.SetWidth(32);
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(item.Width(), 32);
    EXPECT_EQ(item.Count(), 0);
    EXPECT_EQ(item.Strip().Width(), 0);
    item.SetHeight(8);
    EXPECT_EQ(item.Strip().Height(), 8);
}

TEST(ImageListItem, CellsAndPixels) {
    TKitImageListItem item(nullptr);
    item.SetWidth(4);
    item.SetHeight(3);
    FillImageItem(item, 3);
    ASSERT_EQ(item.Count(), 3);
    EXPECT_EQ(item.UsedWidth(), 12);
    const TRect cell = item.CellRect(2);
    EXPECT_EQ(cell.left, 8);
    EXPECT_EQ(cell.right, 12);
    EXPECT_EQ(cell.bottom, 3);
    EXPECT_EQ(item.CellTransparentColor(1), ImagePixel(item, 1, 0, 2));
    EXPECT_EQ(item.CellPixel(1, TPoint{0, 0}), item.CellTransparentColor(1));
    EXPECT_EQ(item.CellPixel(1, TPoint{2, -1}), ImagePixel(item, 1, 2, 1));
    EXPECT_THROW(item.CellRect(3), EListError);
    EXPECT_THROW(item.CellRect(-1), EListError);

    TBitmap copy;
    item.CopyCell(1, &copy);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(copy.Canvas()->Pixels(x, y), ImagePixel(item, 1, x, y));
    EXPECT_NO_THROW(item.CopyCell(1, nullptr));
}

TEST(ImageListItem, AddImagesAppendsBehindTheOldOnes) {
    TKitImageListItem a(nullptr);
    a.SetWidth(3);
    a.SetHeight(2);
    FillImageItem(a, 2, 0);
    TKitImageListItem b(nullptr);
    b.SetWidth(3);
    b.SetHeight(2);
    FillImageItem(b, 2, 10);
    TChangeCounter changes;
    a.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&changes);
    a.AddImages(b);
    EXPECT_EQ(changes.Count, 1);
    ASSERT_EQ(a.Count(), 4);
    EXPECT_EQ(a.UsedWidth(), 12);
    EXPECT_EQ(a.CellRect(3).left, 9);
    EXPECT_EQ(a.CellPixel(1, TPoint{2, 0}), PatternColor(2, 1, 1));
    EXPECT_EQ(a.CellPixel(3, TPoint{2, 0}), PatternColor(2, 1, 11));
}

TEST(ImageListItem, AddImagesRefusesAnotherSizeBeforeChanging) {
    TKitImageListItem a(nullptr);
    FillImageItem(a, 1);
    TKitImageListItem b(nullptr);
    b.SetHeight(15);
    FillImageItem(b, 1);
    try {
        a.AddImages(b);
        FAIL();
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Ungültige Bildgröße");
    }
    EXPECT_EQ(a.Count(), 1);
}

TEST(ImageListItem, EmptySourceChangesNothing) {
    TKitImageListItem a(nullptr);
    FillImageItem(a, 1);
    TKitImageListItem empty(nullptr);
    TChangeCounter changes;
    a.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&changes);
    a.AddImages(empty);
    EXPECT_EQ(changes.Count, 0);
    EXPECT_EQ(a.Count(), 1);
}

TEST(ImageListItem, StripEndsAt32768Pixels) {
    TKitImageListItem one(nullptr);
    FillPlainImages(one, 1, 0x0000FF);

    TKitImageListItem full(nullptr);
    FillPlainImages(full, 2048);
    EXPECT_EQ(full.UsedWidth(), 32768);
    try {
        full.AddImages(one);
        FAIL();
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_STREQ(e.what(), "Zu viele Bilder");
    }
    EXPECT_EQ(full.Count(), 2048);

    TKitImageListItem almost(nullptr);
    FillPlainImages(almost, 2047);
    almost.AddImages(one);
    EXPECT_EQ(almost.Count(), 2048);
    EXPECT_EQ(almost.UsedWidth(), 32768);
    EXPECT_EQ(almost.CellRect(2047).left, 32752);
    EXPECT_EQ(almost.CellPixel(2047, TPoint{0, 0}), 0x0000FF);
}

TEST(ImageListItem, MaskedSwitchKeepsImages) {
    TKitImageListItem item(nullptr);
    item.SetWidth(4);
    item.SetHeight(4);
    FillImageItem(item, 3);
    TChangeCounter changes;
    item.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&changes);
    item.SetMasked(true);
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(item.Count(), 3);
    EXPECT_TRUE(item.MaskStrip().Monochrome());
    EXPECT_EQ(item.MaskStrip().Width(), item.Strip().Width());
    EXPECT_EQ(item.MaskStrip().Height(), 4);
    item.SetMasked(true);
    EXPECT_EQ(changes.Count, 1);
    item.SetMasked(false);
    EXPECT_EQ(item.MaskStrip().Width(), 0);
    EXPECT_EQ(item.Count(), 3);
}

// --- drawing -------------------------------------------------------------

class ImageDraw : public ::testing::Test {
protected:
    void SetUp() override {
        Item.SetWidth(6);
        Item.SetHeight(4);
        Target.SetSize(20, 10);
        FillWith(Target, Background);
    }
    TColor At(int x, int y) { return Target.Canvas()->Pixels(x, y); }
    static constexpr TColor Background = 0x123456;
    TKitImageListItem Item{nullptr};
    TBitmap Target;
};

TEST_F(ImageDraw, UnmaskedCopiesTheWholeCellWhateverTheStyle) {
    FillImageItem(Item, 2);
    for (const auto style : {idsShade75, idsShade50, idsNormal, idsTransparent}) {
        FillWith(Target, Background);
        Item.SetDrawStyle(style);
        Item.DrawCell(*Target.Canvas(), 3, 2, 1);
        EXPECT_EQ(At(3, 2), ImagePixel(Item, 1, 0, 0));
        EXPECT_EQ(At(8, 5), ImagePixel(Item, 1, 5, 3));
        EXPECT_EQ(At(9, 5), Background);
        EXPECT_EQ(At(2, 2), Background);
    }
}

TEST_F(ImageDraw, MaskedNormalWithoutBackColorLeavesTransparentPixels) {
    Item.SetMasked(true);
    FillImageItem(Item, 2);
    const TCopyMode mode = Target.Canvas()->CopyMode();
    Item.DrawCell(*Target.Canvas(), 0, 0, 1);
    EXPECT_EQ(Target.Canvas()->CopyMode(), mode);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            const TColor expected = x < 3 ? Background : ImagePixel(Item, 1, x, y);
            EXPECT_EQ(At(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(ImageDraw, AMaskMadeInMemoryKeepsItsBlackAndWhiteOnAColouredCanvas) {
    FillImageItem(Item, 1);
    Item.SetMasked(true); // a monochrome device bitmap, filled in below
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            Item.MaskStrip().Canvas()->SetPixels(x, y, x < 3 ? 0xFFFFFF : 0x000000);
            if (x < 3)
                Item.Strip().Canvas()->SetPixels(x, y, 0x000000);
        }
    const auto colourCanvas = [this] {
        FillWith(Target, Background);
        Target.Canvas()->Brush()->SetColor(0x0000FF);
        Target.Canvas()->Font()->SetColor(0x00FF00);
    };
    colourCanvas();
    Item.SetDrawStyle(idsTransparent);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    EXPECT_EQ(At(0, 0), Background);
    EXPECT_EQ(At(2, 3), Background);
    EXPECT_EQ(At(4, 1), ImagePixel(Item, 0, 4, 1));

    colourCanvas();
    Item.SetDrawKind(idkMask);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    EXPECT_EQ(At(0, 0), 0xFFFFFF);
    EXPECT_EQ(At(5, 3), 0x000000);
}

TEST_F(ImageDraw, MaskedOverBackColorAndDither) {
    Item.SetMasked(true);
    FillImageItem(Item, 1);
    Item.SetBackColor(0x00FF00);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    EXPECT_EQ(At(0, 0), 0x00FF00);
    EXPECT_EQ(At(4, 1), ImagePixel(Item, 0, 4, 1));

    // No dither colour: shaded styles show the image over BackColor alone.
    FillWith(Target, Background);
    Item.SetDrawStyle(idsShade50);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    EXPECT_EQ(At(1, 0), 0x00FF00);
    EXPECT_EQ(At(4, 1), ImagePixel(Item, 0, 4, 1));

    Item.SetDitherColor(0xFF0000);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    // Checkerboard: exactly one coordinate even.
    EXPECT_EQ(At(1, 0), 0xFF0000);
    EXPECT_EQ(At(0, 1), 0xFF0000);
    EXPECT_EQ(At(0, 0), 0x00FF00);
    EXPECT_EQ(At(5, 1), ImagePixel(Item, 0, 5, 1));

    Item.SetDrawStyle(idsShade75);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    // All but both-odd pixels.
    EXPECT_EQ(At(4, 2), 0xFF0000);
    EXPECT_EQ(At(5, 2), 0xFF0000);
    EXPECT_EQ(At(5, 1), ImagePixel(Item, 0, 5, 1));
}

TEST_F(ImageDraw, TransparentIgnoresBackColorAndMaskKindCopiesTheMask) {
    Item.SetMasked(true);
    FillImageItem(Item, 1);
    Item.SetBackColor(0x00FF00);
    Item.SetDrawStyle(idsTransparent);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    EXPECT_EQ(At(0, 0), Background);
    EXPECT_EQ(At(3, 0), ImagePixel(Item, 0, 3, 0));

    Item.SetDrawKind(idkMask);
    Item.DrawCell(*Target.Canvas(), 0, 0, 0);
    EXPECT_EQ(At(0, 0), 0xFFFFFF);
    EXPECT_EQ(At(5, 3), 0x000000);
}

TEST_F(ImageDraw, ExtendedAndClippedDrawing) {
    FillImageItem(Item, 2);
    TRect painted{1, 1, 1, 1};
    Item.DrawCellExt(*Target.Canvas(), TRect{2, 2, 8, 6}, 0, 1, painted);
    EXPECT_EQ(painted.left, 2);
    EXPECT_EQ(painted.right, 8);
    EXPECT_EQ(At(2, 2), ImagePixel(Item, 1, 0, 0));
    EXPECT_EQ(At(7, 5), ImagePixel(Item, 1, 5, 3));

    FillWith(Target, Background);
    Item.DrawCellClipped(*Target.Canvas(), TRect{0, 0, 6, 4}, 0, 0, clNone, 0);
    EXPECT_EQ(At(5, 3), ImagePixel(Item, 0, 5, 3));

    Item.SetMasked(true);
    FillImageItem(Item, 1);
    FillWith(Target, Background);
    Item.DrawCellExt(*Target.Canvas(), TRect{0, 0, 6, 4}, 0, 0, painted);
    EXPECT_EQ(At(0, 0), Background);
    EXPECT_EQ(At(4, 2), ImagePixel(Item, 0, 4, 2));
}

// --- the item record -------------------------------------------------------

struct TRecordCase {
    bool Compressed;
    bool Masked;
    TKitSavePixelFormat Format;
};

class ImageItemRecord : public ::testing::TestWithParam<TRecordCase> {};

TEST_P(ImageItemRecord, RoundTripsByteForByteAndPixelForPixel) {
    const auto [compressed, masked, format] = GetParam();
    TKitImageListItem item(nullptr);
    item.SetWidth(5);
    item.SetHeight(3);
    item.SetMasked(masked);
    item.SetCompressed(compressed);
    item.SetSavePixelFormat(format);
    item.SetIdent(40000);
    item.SetDescription("Symbole");
    item.SetAllocBy(9);
    FillImageItem(item, 3);
    TMemoryStream first;
    item.WriteItemData(first);
    WriteInt32(first, -5);

    first.SetPosition(0);
    TKitImageListItem copy(nullptr);
    copy.ReadItemData(first);
    EXPECT_EQ(ReadInt32(first), -5);
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(copy.Height(), 3);
    EXPECT_EQ(copy.AllocBy(), 9);
    EXPECT_EQ(copy.Masked(), masked);
    EXPECT_EQ(copy.Ident(), 40000);
    EXPECT_EQ(copy.Description(), "Symbole");
    EXPECT_EQ(copy.SavePixelFormat(), format);
    ASSERT_EQ(copy.Count(), 3);
    if (format == spfDefault) {
        EXPECT_TRUE(SamePixels(copy.Strip(), item.Strip()));
    }
    if (masked) {
        EXPECT_TRUE(SamePixels(copy.MaskStrip(), item.MaskStrip()));
    }
    TMemoryStream second;
    copy.WriteItemData(second);
    WriteInt32(second, -5);
    if (format == spfDefault) {
        EXPECT_EQ(first.Bytes(), second.Bytes());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ImageItemRecord,
    ::testing::Values(TRecordCase{false, false, spfDefault}, TRecordCase{true, false, spfDefault},
                      TRecordCase{false, true, spfDefault}, TRecordCase{true, true, spfDefault},
                      TRecordCase{false, false, spf4bit}, TRecordCase{true, true, spf8bit},
                      TRecordCase{false, true, spfMono}));

TEST(ImageItemRecordLayout, FieldsInOrder) {
    TKitImageListItem item(nullptr);
    item.SetSavePixelFormat(spf4bit);
    TMemoryStream stream;
    item.WriteItemData(stream);
    const std::vector<std::uint8_t> expected{0x20, 16, 0, 0, 0, 16, 0, 0, 0,
                                             4,    0,  0, 0, 0, 0,  0, 0, 0};
    EXPECT_EQ(stream.Bytes(), expected);
    item.SetSavePixelFormat(spfDefault);
    EXPECT_EQ(item.ItemFlags(), 0);
}

TEST(ImageItemRecordLayout, WritingCutsTheStripToItsImages) {
    TKitImageListItem item(nullptr);
    item.SetWidth(4);
    item.SetHeight(2);
    TBitmap wide;
    wide.SetSize(20, 2);
    FillWith(wide, 0x00FF00);
    TMemoryStream strip;
    WriteInt32(strip, 2);
    WriteBitmap(strip, wide, false, OwnBitmapFormat);
    strip.SetPosition(0);
    item.ReadStrip(strip);
    // The cells end at Count x Width, whatever the strip's width.
    EXPECT_EQ(item.UsedWidth(), 8);
    EXPECT_EQ(item.Strip().Width(), 20);
    // A mask made now is as wide as the strip; it is cut with it.
    item.SetMasked(true);
    EXPECT_EQ(item.MaskStrip().Width(), 20);
    TMemoryStream out;
    item.WriteItemData(out);
    EXPECT_EQ(item.Strip().Width(), 8);
    EXPECT_EQ(item.MaskStrip().Width(), 8);
    EXPECT_EQ(item.UsedWidth(), 8);
}

// A monochrome mask of Width x 2: white (transparent) top row, black bottom.
std::unique_ptr<TBitmap> TopRowMask(int width) {
    auto mask = std::make_unique<TBitmap>();
    mask->SetMonochrome(true);
    mask->SetSize(width, 2);
    FillWith(*mask, 0x000000);
    for (int x = 0; x < width; ++x)
        mask->Canvas()->SetPixels(x, 0, 0xFFFFFF);
    return mask;
}

// Makes Item hold Count images of 4 x 2 pixels of Colour, read from a strip
// StripWidth pixels wide (and, when Mask is given, with that mask).
void ReadCells(TKitImageListItem& item, int count, int stripWidth, TColor colour, TBitmap* mask) {
    item.SetWidth(4);
    item.SetHeight(2);
    item.SetMasked(mask != nullptr);
    TBitmap strip;
    strip.SetSize(stripWidth, 2);
    FillWith(strip, colour);
    TMemoryStream stream;
    WriteInt32(stream, count);
    WriteBitmap(stream, strip, false, OwnBitmapFormat);
    if (mask != nullptr)
        WriteBitmap(stream, *mask, false, OwnBitmapFormat);
    stream.SetPosition(0);
    item.ReadStrip(stream);
}

TEST(ImageItemRecordLayout, AnImageAppendedAfterAWideStripIsWhereItsCellSays) {
    // Two images in a strip read 20 pixels wide; a masked item's mask is only
    // as wide as the two cells. A third image appended goes to the third
    // cell, its mask with it, and the item is read back from its save.
    for (const bool masked : {false, true}) {
        TKitImageListItem item(nullptr);
        auto cellsMask = TopRowMask(8);
        ReadCells(item, 2, 20, 0x00FF00, masked ? cellsMask.get() : nullptr);
        TKitImageListItem one(nullptr);
        auto blackMask = TopRowMask(4);
        FillWith(*blackMask, 0x000000);
        ReadCells(one, 1, 4, 0x0000FF, masked ? blackMask.get() : nullptr);
        item.AddImages(one);

        ASSERT_EQ(item.Count(), 3) << masked;
        EXPECT_EQ(item.CellRect(2).left, 8) << masked;
        EXPECT_EQ(item.CellTransparentColor(2), TColor(0x0000FF)) << masked;
        TMemoryStream saved;
        item.WriteItemData(saved);
        saved.SetPosition(0);
        TKitImageListItem back(nullptr);
        back.ReadItemData(saved);
        ASSERT_EQ(back.Count(), 3) << masked;
        EXPECT_EQ(back.CellTransparentColor(2), TColor(0x0000FF)) << masked;
        EXPECT_EQ(back.CellTransparentColor(1), TColor(0x00FF00)) << masked;
        if (!masked)
            continue;
        // The old cells keep their mask; the new one has the appended mask.
        for (TKitImageListItem* it : {&item, &back}) {
            EXPECT_EQ(it->MaskStrip().Canvas()->Pixels(5, 0), TColor(0xFFFFFF));
            EXPECT_EQ(it->MaskStrip().Canvas()->Pixels(5, 1), TColor(0x000000));
            EXPECT_EQ(it->MaskStrip().Canvas()->Pixels(9, 0), TColor(0x000000));
            EXPECT_EQ(it->MaskStrip().Canvas()->Pixels(11, 1), TColor(0x000000));
        }
        EXPECT_EQ(back.MaskStrip().Width(), 12);
    }
}

// --- damaged records -----------------------------------------------------------

std::vector<std::uint8_t> Record(std::int32_t height, std::int32_t width, bool masked,
                                 std::int32_t count, TBitmap* strip, TBitmap* mask = nullptr) {
    TMemoryStream stream;
    WriteByte(stream, 0);
    WriteInt32(stream, height);
    WriteInt32(stream, width);
    WriteInt32(stream, 4);
    WriteByte(stream, masked ? 1 : 0);
    WriteInt32(stream, count);
    if (strip != nullptr)
        WriteBitmap(stream, *strip, false, OwnBitmapFormat);
    if (mask != nullptr)
        WriteBitmap(stream, *mask, false, OwnBitmapFormat);
    return stream.Bytes();
}

void ExpectRefused(const std::vector<std::uint8_t>& bytes) {
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TKitImageListItem item(nullptr);
    EXPECT_THROW(item.ReadItemData(stream), EReadError);
    EXPECT_EQ(item.Count(), 0);
    EXPECT_EQ(item.UsedWidth(), 0);
}

TEST(ImageItemHostile, CountOfABillionWithoutData) {
    ExpectRefused(Record(16, 16, false, 1000000000, nullptr));
}

TEST(ImageItemHostile, CountOfABillionWithASmallStrip) {
    TBitmap strip;
    strip.SetSize(32, 16);
    ExpectRefused(Record(16, 16, false, 1000000000, &strip));
    ExpectRefused(Record(16, 1, false, 1000000000, &strip));
}

TEST(ImageItemHostile, ZeroNegativeAndHugeSizes) {
    TBitmap strip;
    strip.SetSize(32, 16);
    ExpectRefused(Record(16, 0, false, 1000000000, &strip));
    ExpectRefused(Record(0, 16, false, 1, &strip));
    ExpectRefused(Record(-16, 16, false, 1, &strip));
    ExpectRefused(Record(16, -16, false, 1, &strip));
    ExpectRefused(Record(16, 2000000000, false, 2, &strip));
    ExpectRefused(Record(16, 0x7FFFFFFF, false, 0x7FFFFFFF, &strip));
    // Even without images: a later cell copy would allocate that much.
    ExpectRefused(Record(1000000000, 16, false, 0, nullptr));
    ExpectRefused(Record(16, 40000, false, 0, nullptr));
    // Taller than the strip read.
    ExpectRefused(Record(17, 16, false, 2, &strip));
}

TEST(ImageItemHostile, CellsMustLieInTheStripRead) {
    TBitmap strip;
    strip.SetSize(30, 2);
    ExpectRefused(Record(2, 3, false, 11, &strip));
    const auto bytes = Record(2, 3, false, 10, &strip);
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TKitImageListItem item(nullptr);
    item.ReadItemData(stream);
    EXPECT_EQ(item.Count(), 10);
    EXPECT_EQ(item.CellRect(9).left, 27);
}

TEST(ImageItemHostile, MaskMustBeMonochromeAndCoverTheCells) {
    // Two cells of 4 x 2: a mask narrower or shorter than them, or one of
    // colours, is refused; a monochrome one that covers them is read.
    TBitmap strip;
    strip.SetSize(8, 2);
    auto narrow = TopRowMask(7);
    auto cells = TopRowMask(8);
    TBitmap shortMask;
    shortMask.SetMonochrome(true);
    shortMask.SetSize(8, 1);
    TBitmap colours;
    colours.SetSize(8, 2);
    ExpectRefused(Record(2, 4, true, 2, &strip, narrow.get()));
    ExpectRefused(Record(2, 4, true, 2, &strip, &shortMask));
    ExpectRefused(Record(2, 4, true, 2, &strip, &colours));
    const auto bytes = Record(2, 4, true, 2, &strip, cells.get());
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TKitImageListItem item(nullptr);
    item.ReadItemData(stream);
    EXPECT_EQ(item.Count(), 2);
}

TEST(ImageItemHostile, RunLengthStripOrMaskBeyondTheLimitIsRefusedBeforeItsRowsAreMade) {
    // A strip or mask of 16384 x 16384 pixels from a kilobyte of file.
    const TSeedBytes huge = EndMarkerBitmapFile(16384, 16384);
    TBitmap strip;
    strip.SetSize(8, 2);
    TMemoryStream cells;
    strip.SaveToStream(cells);
    for (const bool hugeMask : {false, true}) {
        TMemoryStream stream;
        WriteByte(stream, 0);
        WriteInt32(stream, 2);
        WriteInt32(stream, 4);
        WriteInt32(stream, 4);
        WriteByte(stream, 1);
        WriteInt32(stream, 2);
        for (const TSeedBytes& image : {hugeMask ? cells.Bytes() : huge, hugeMask ? huge : cells.Bytes()}) {
            WriteInt32(stream, static_cast<std::int32_t>(image.size()));
            stream.WriteBuffer(image.data(), static_cast<std::int32_t>(image.size()));
        }
        stream.SetPosition(0);
        TKitImageListItem item(nullptr);
        FillImageItem(item, 1);
        EXPECT_THROW(item.ReadItemData(stream), EKitDecodeLimit) << hugeMask;
        EXPECT_EQ(item.Count(), 1) << hugeMask;
    }
}

TEST(ImageItemHostile, MissingMaskAndCutRecords) {
    TBitmap strip;
    strip.SetSize(32, 16);
    ExpectRefused(Record(16, 16, true, 2, &strip));
    auto bytes = Record(16, 16, false, 2, &strip);
    for (const std::size_t keep : {std::size_t{0}, std::size_t{1}, std::size_t{8}, std::size_t{17},
                                   std::size_t{21}, bytes.size() - 1})
        ExpectRefused(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + keep));
}

TEST(ImageItemHostile, DrawingAMissingImageMakesNoCell) {
    TKitImageListItem item(nullptr);
    item.SetMasked(true);
    item.SetBackColor(0x00FF00);
    TBitmap target;
    target.SetSize(4, 4);
    EXPECT_THROW(item.DrawCell(*target.Canvas(), 0, 0, 0), EListError);
    EXPECT_THROW(item.DrawCell(*target.Canvas(), 0, 0, -1), EListError);
}

TEST(ImageItemHostile, CountBelowOneReadsNoStrip) {
    TKitImageListItem item(nullptr);
    const auto bytes = Record(8, 8, false, -7, nullptr);
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    item.ReadItemData(stream);
    EXPECT_EQ(item.Count(), 0);
    EXPECT_EQ(stream.GetPosition(), static_cast<std::int64_t>(bytes.size()));
}

// --- copying ----------------------------------------------------------------

TEST(ImageListItemAssign, CopiesSettingsAndImages) {
    TKitImageListItem from(nullptr);
    from.SetWidth(3);
    from.SetHeight(3);
    from.SetMasked(true);
    from.SetIdent(2);
    from.SetDescription("d");
    from.SetCompressed(true);
    from.SetSavePixelFormat(spf8bit);
    from.SetAllocBy(1);
    from.SetBackColor(0x111111);
    from.SetDitherColor(0x222222);
    from.SetDrawStyle(idsShade75);
    from.SetDrawKind(idkMask);
    FillImageItem(from, 2);
    TKitImageListItem to(nullptr);
    FillImageItem(to, 1);
    to.Assign(&from);
    EXPECT_EQ(to.Width(), 3);
    EXPECT_EQ(to.Height(), 3);
    EXPECT_TRUE(to.Masked());
    EXPECT_EQ(to.Ident(), 2);
    EXPECT_EQ(to.Description(), "d");
    EXPECT_TRUE(to.Compressed());
    EXPECT_EQ(to.SavePixelFormat(), spf8bit);
    EXPECT_EQ(to.AllocBy(), 1);
    EXPECT_EQ(to.BackColor(), 0x111111);
    EXPECT_EQ(to.DitherColor(), 0x222222);
    EXPECT_EQ(to.DrawStyle(), idsShade75);
    EXPECT_EQ(to.DrawKind(), idkMask);
    ASSERT_EQ(to.Count(), 2);
    EXPECT_EQ(to.CellPixel(1, TPoint{2, 0}), from.CellPixel(1, TPoint{2, 0}));
}

TEST(ImageListItemAssign, ToItselfChangesNothing) {
    TKitImageListItem item(nullptr);
    item.SetWidth(4);
    item.SetHeight(4);
    FillImageItem(item, 3);
    item.Assign(&item);
    ASSERT_EQ(item.Count(), 3);
    EXPECT_EQ(item.CellPixel(2, TPoint{3, -3}), ImagePixel(item, 2, 3, 0));
}

TEST(ImageListItemAssign, ForeignSourceRaises) {
    TKitImageListItem item(nullptr);
    TBitmap bitmap;
    EXPECT_THROW(item.Assign(&bitmap), EConvertError);
}

} // namespace
