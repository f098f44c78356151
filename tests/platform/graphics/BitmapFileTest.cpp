// The bitmap-file reader and writer: the layout written, the header forms
// and compressions read, and the refusal of damaged and hostile files.

#include "TestBitmaps.h"

#include "platform/graphics/BitmapFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

TBitmapFileImage Read(const TBytes& file) {
    return ReadBitmapFile(file.data(), file.size());
}

// The message of the EInvalidGraphic that reading File raises, or "" when
// it reads.
std::string Refusal(const TBytes& file) {
    try {
        Read(file);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return "";
}

TRawBitmap Raw24(int width, int height) {
    TRawBitmap raw;
    raw.Width = width;
    raw.Height = height;
    raw.Pixels.assign(BitmapRowSize(width, 24) * static_cast<std::uint64_t>(std::abs(height)), 0);
    return raw;
}

TRawBitmap Raw8(int width, int height, std::uint32_t colorsUsed) {
    TRawBitmap raw;
    raw.Width = width;
    raw.Height = height;
    raw.BitCount = 8;
    raw.ColorsUsed = colorsUsed;
    raw.Palette.assign((colorsUsed ? colorsUsed : 256) * 4, 0x33);
    raw.Pixels.assign(BitmapRowSize(width, 8) * static_cast<std::uint64_t>(height), 0);
    return raw;
}

TEST(BitmapRowSize, RowsArePaddedToFourBytes) {
    EXPECT_EQ(BitmapRowSize(3, 24), 12u); // 9 bytes padded
    EXPECT_EQ(BitmapRowSize(4, 24), 12u);
    EXPECT_EQ(BitmapRowSize(1, 1), 4u);
    EXPECT_EQ(BitmapRowSize(32, 1), 4u);
    EXPECT_EQ(BitmapRowSize(33, 1), 8u);
    EXPECT_EQ(BitmapRowSize(9, 4), 8u);
    EXPECT_EQ(BitmapRowSize(32768, 32), 131072u);
    EXPECT_EQ(BitmapRowSize(0, 24), 0u);
    EXPECT_EQ(BitmapRowSize(-5, 24), 0u);
}

TEST(BitmapFileWriter, TwentyFourBitLayout) {
    const TBitmapFileImage image = PatternImage(3, 2, 24);
    const TBytes file = WriteBitmapFile(image);
    ASSERT_EQ(file.size(), 54u + 24u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Get32At(file, 2), 78u);  // file size
    EXPECT_EQ(Get32At(file, 6), 0u);   // reserved
    EXPECT_EQ(Get32At(file, 10), 54u); // pixel offset
    EXPECT_EQ(Get32At(file, 14), 40u); // header size
    EXPECT_EQ(Get32At(file, 18), 3u);
    EXPECT_EQ(Get32At(file, 22), 2u); // positive: bottom-up
    EXPECT_EQ(Get32At(file, 26), 1u | 24u << 16);
    EXPECT_EQ(Get32At(file, 30), 0u);  // BI_RGB
    EXPECT_EQ(Get32At(file, 34), 24u); // image size
    EXPECT_EQ(Get32At(file, 46), 0u);  // colours used
    EXPECT_TRUE(std::equal(image.Pixels.begin(), image.Pixels.end(), file.begin() + 54));
}

TEST(BitmapFileWriter, PaletteCountIsStoredOnlyWhenShort) {
    const TBytes full = WriteBitmapFile(PatternImage(2, 2, 1));
    EXPECT_EQ(Get32At(full, 10), 62u); // 14 + 40 + 2 entries
    EXPECT_EQ(Get32At(full, 46), 0u);
    const TBytes shortTable = WriteBitmapFile(PatternImage(2, 2, 8, false, 16));
    EXPECT_EQ(Get32At(shortTable, 10), 14u + 40u + 64u);
    EXPECT_EQ(Get32At(shortTable, 46), 16u);
}

TEST(BitmapFileWriter, TopDownAndMaskedPicturesKeepTheirForm) {
    TBitmapFileImage image = PatternImage(2, 3, 32, true);
    image.HasColorMasks = true;
    image.ColorMasks = {0xFF0000, 0xFF00, 0xFF};
    const TBytes file = WriteBitmapFile(image);
    EXPECT_EQ(static_cast<std::int32_t>(Get32At(file, 22)), -3);
    EXPECT_EQ(Get32At(file, 30), 3u); // BI_BITFIELDS
    EXPECT_EQ(Get32At(file, 10), 14u + 40u + 12u);
    EXPECT_EQ(Get32At(file, 54), 0xFF0000u);
    EXPECT_EQ(Read(file), image);
}

TEST(BitmapFileWriter, RefusesInconsistentPictures) {
    TBitmapFileImage image = PatternImage(2, 2, 24);
    image.Pixels.pop_back();
    EXPECT_THROW(WriteBitmapFile(image), EInvalidGraphic);
    image = PatternImage(2, 2, 24);
    image.Palette.push_back({});
    EXPECT_THROW(WriteBitmapFile(image), EInvalidGraphic) << "a palette above 8 bits";
    image = PatternImage(2, 2, 8);
    image.Palette.clear();
    EXPECT_THROW(WriteBitmapFile(image), EInvalidGraphic) << "no palette at 8 bits";
    image = PatternImage(2, 2, 4);
    image.Palette.resize(17);
    EXPECT_THROW(WriteBitmapFile(image), EInvalidGraphic);
    image = PatternImage(2, 2, 24);
    image.HasColorMasks = true;
    image.ColorMasks = {0xFF0000, 0xFF00, 0xFF};
    EXPECT_THROW(WriteBitmapFile(image), EInvalidGraphic) << "masks at 24 bits";
    image = PatternImage(2, 2, 24);
    image.Width = 0;
    EXPECT_THROW(CheckBitmapImage(image), EInvalidGraphic);
}

TEST(BitmapFileReader, EveryBitCountRoundTrips) {
    for (const int bits : {1, 4, 8, 16, 24, 32})
        for (const bool topDown : {false, true}) {
            const TBitmapFileImage image = PatternImage(7, 5, bits, topDown);
            EXPECT_EQ(Read(WriteBitmapFile(image)), image) << bits << " bits";
        }
}

TEST(BitmapFileReader, ZeroColoursUsedMeansAFullTable) {
    const TBitmapFileImage image = Read(BuildBitmapFile(Raw8(2, 2, 0)));
    EXPECT_EQ(image.Palette.size(), 256u);
    EXPECT_EQ(Read(BuildBitmapFile(Raw8(2, 2, 5))).Palette.size(), 5u);
}

TEST(BitmapFileReader, CoreHeaderHasThreeByteColours) {
    TRawBitmap raw;
    raw.HeaderSize = 12;
    raw.Width = 2;
    raw.Height = 1;
    raw.BitCount = 1;
    raw.Palette = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
    raw.Pixels = {0x80, 0, 0, 0};
    const TBitmapFileImage image = Read(BuildBitmapFile(raw));
    ASSERT_EQ(image.Palette.size(), 2u);
    EXPECT_EQ(image.Palette[0], (TBitmapFileColor{0x10, 0x20, 0x30, 0}));
    EXPECT_EQ(image.Palette[1], (TBitmapFileColor{0x40, 0x50, 0x60, 0}));
    EXPECT_EQ(image.Pixels, (TBytes{0x80, 0, 0, 0}));
}

TEST(BitmapFileReader, LaterHeadersHoldTheMasksInside) {
    TRawBitmap raw;
    raw.HeaderSize = 108;
    raw.Width = 2;
    raw.Height = 1;
    raw.BitCount = 16;
    raw.Compression = 3;
    raw.Masks = {0x7C00, 0x03E0, 0x001F};
    raw.Pixels = {1, 2, 3, 4};
    const TBitmapFileImage image = Read(BuildBitmapFile(raw));
    EXPECT_TRUE(image.HasColorMasks);
    EXPECT_EQ(image.ColorMasks, (std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}));
    EXPECT_EQ(image.Pixels, (TBytes{1, 2, 3, 4}));
}

TEST(BitmapFileReader, ColourTableAboveEightBitsIsSkipped) {
    TRawBitmap raw = Raw24(1, 1);
    raw.ColorsUsed = 2;
    raw.Palette.assign(8, 0xEE);
    raw.Pixels = {1, 2, 3, 0};
    const TBitmapFileImage image = Read(BuildBitmapFile(raw));
    EXPECT_TRUE(image.Palette.empty());
    EXPECT_EQ(image.Pixels, (TBytes{1, 2, 3, 0}));
}

TEST(BitmapFileReader, PixelOffsetMayLeaveAGap) {
    TRawBitmap raw = Raw24(1, 1);
    raw.PixelOffset = 60;
    raw.Pixels = {0, 0, 0, 0, 0, 0, 9, 8, 7, 0};
    EXPECT_EQ(Read(BuildBitmapFile(raw)).Pixels, (TBytes{9, 8, 7, 0}));
}

TEST(BitmapFileReader, PackedBitmapsFollowTheColourTable) {
    const TBitmapFileImage image = PatternImage(3, 2, 4, false, 6);
    const TBytes file = WriteBitmapFile(image);
    EXPECT_EQ(ReadPackedBitmap(file.data() + 14, file.size() - 14), image);
}

TEST(BitmapFileRle, Rle8RunsEscapesAndDeltas) {
    TRawBitmap raw;
    raw.Width = 4;
    raw.Height = 3;
    raw.BitCount = 8;
    raw.Compression = 1;
    raw.ColorsUsed = 8;
    raw.Palette.assign(32, 0);
    raw.Pixels = {3, 5, 0, 0,                   // row 0: a run of three, end of line
                  0, 3, 1, 2, 3, 0, 1, 7, 0, 0, // row 1: three literals (padded), one run
                  0, 2, 1, 0, 2, 4, 0, 1};      // row 2: move right by one, run, end
    const TBitmapFileImage image = Read(BuildBitmapFile(raw));
    EXPECT_FALSE(image.TopDown);
    EXPECT_EQ(image.Pixels, (TBytes{5, 5, 5, 0, 1, 2, 3, 7, 0, 4, 4, 0}));
}

TEST(BitmapFileRle, Rle4AlternatesNibbles) {
    TRawBitmap raw;
    raw.Width = 5;
    raw.Height = 2;
    raw.BitCount = 4;
    raw.Compression = 2;
    raw.Palette.assign(64, 0);
    raw.Pixels = {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 2, 0x0F, 0, 1};
    EXPECT_EQ(Read(BuildBitmapFile(raw)).Pixels,
              (TBytes{0x12, 0x12, 0x10, 0, 0xAB, 0xC0, 0xF0, 0}));
}

TEST(BitmapFileRle, MissingEndMarkerEndsThePicture) {
    TRawBitmap raw;
    raw.Width = 2;
    raw.Height = 2;
    raw.BitCount = 8;
    raw.Compression = 1;
    raw.Palette.assign(1024, 0);
    raw.Pixels = {2, 9};
    EXPECT_EQ(Read(BuildBitmapFile(raw)).Pixels, (TBytes{9, 9, 0, 0, 0, 0, 0, 0}));
}

TEST(BitmapFileRle, SizeImageLimitsTheCompressedData) {
    TRawBitmap raw;
    raw.Width = 2;
    raw.Height = 1;
    raw.BitCount = 8;
    raw.Compression = 1;
    raw.Palette.assign(1024, 0);
    raw.SizeImage = 2;
    raw.Pixels = {1, 9, 1, 8}; // the second run lies beyond SizeImage
    EXPECT_EQ(Read(BuildBitmapFile(raw)).Pixels, (TBytes{9, 0, 0, 0}));
}

// One damaged or hostile file and a word its refusal must name.
struct TDamage {
    const char* Name;
    TBytes File;
    const char* Reason;
};

TBytes Rle8With(int width, int height, TBytes data) {
    TRawBitmap raw;
    raw.Width = width;
    raw.Height = height;
    raw.BitCount = 8;
    raw.Compression = 1;
    raw.Palette.assign(1024, 0);
    raw.Pixels = std::move(data);
    return BuildBitmapFile(raw);
}

std::vector<TDamage> Damages() {
    std::vector<TDamage> d;
    const TBytes good = BuildBitmapFile(Raw24(2, 2));
    auto with = [&](std::size_t offset, std::uint32_t value) {
        TBytes file = good;
        Put32At(file, offset, value);
        return file;
    };
    d.push_back({"empty", {}, "kürzer als der Dateikopf"});
    d.push_back({"file header only", TBytes(good.begin(), good.begin() + 14), "abgeschnitten"});
    d.push_back({"no signature", with(0, 0x4142), "\"BM\""});
    d.push_back({"header size 64", with(14, 64), "Kopfgröße 64"});
    d.push_back({"header size 0", with(14, 0), "Kopfgröße 0"});
    d.push_back({"header cut short", TBytes(good.begin(), good.begin() + 30), "abgeschnitten"});
    d.push_back({"two planes", with(26, 2 | 24 << 16), "Ebenenzahl"});
    d.push_back({"7 bits", with(26, 1 | 7 << 16), "7 Bit"});
    d.push_back({"0 bits (JPEG in a BMP)", with(26, 1), "0 Bit"});
    d.push_back({"JPEG compression", with(30, 4), "Kompression 4"});
    d.push_back({"RLE8 at 24 bits", with(30, 1), "RLE8"});
    d.push_back({"RLE4 at 24 bits", with(30, 2), "RLE4"});
    d.push_back({"masks at 24 bits", with(30, 3), "Farbmasken"});
    d.push_back({"width 0", with(18, 0), "Breite 0"});
    d.push_back({"negative width", with(18, 0xFFFFFFFF), "Breite -1"});
    d.push_back({"height 0", with(22, 0), "Höhe 0"});
    d.push_back({"smallest height", with(22, 0x80000000), "zu groß"});
    d.push_back({"width 40000", with(18, 40000), "zu groß"});
    d.push_back({"32768 squared at 32 bits",
                 [&] {
                     TBytes file = with(18, 32768);
                     Put32At(file, 22, 32768);
                     Put32At(file, 26, 1 | 32 << 16);
                     return file;
                 }(),
                 "256 MiB"});
    d.push_back({"top-down RLE", Rle8With(2, -2, {0, 1}), "von oben nach unten"});
    d.push_back({"300 colours at 8 bits", BuildBitmapFile(Raw8(2, 2, 300)), "300 Einträge"});
    d.push_back({"3 colours at 1 bit",
                 [] {
                     TRawBitmap raw = Raw24(2, 2);
                     raw.BitCount = 1;
                     raw.ColorsUsed = 3;
                     raw.Palette.assign(12, 0);
                     return BuildBitmapFile(raw);
                 }(),
                 "3 Einträge"});
    d.push_back({"colour table cut short",
                 [] {
                     TBytes file = BuildBitmapFile(Raw8(2, 2, 0));
                     file.resize(14 + 40 + 100);
                     return file;
                 }(),
                 "Farbtabelle ist abgeschnitten"});
    d.push_back({"pixels beyond the file", with(10, 5000), "außerhalb der Datei"});
    d.push_back({"pixels inside the header", with(10, 20), "überlappen"});
    d.push_back({"pixels below the file header", with(10, 3), "überlappen"});
    d.push_back({"pixels over the colour table",
                 [] {
                     TRawBitmap raw = Raw8(2, 2, 0);
                     raw.PixelOffset = 14 + 40 + 16;
                     return BuildBitmapFile(raw);
                 }(),
                 "überlappen"});
    d.push_back({"pixels cut short", TBytes(good.begin(), good.end() - 1), "Pixeldaten sind"});
    auto masked = [](std::vector<std::uint32_t> masks, int bits) {
        TRawBitmap raw = Raw24(2, 2);
        raw.BitCount = static_cast<std::uint16_t>(bits);
        raw.Compression = 3;
        raw.Masks = std::move(masks);
        raw.Pixels.assign(16, 0);
        return BuildBitmapFile(raw);
    };
    d.push_back({"masks cut short",
                 [&] {
                     TBytes file = masked({0xF800, 0x07E0, 0x001F}, 16);
                     file.resize(14 + 40 + 6);
                     return file;
                 }(),
                 "Farbmasken sind abgeschnitten"});
    d.push_back({"overlapping masks", masked({0xF800, 0x0FE0, 0x001F}, 16), "ungültig"});
    d.push_back({"mask with a gap", masked({0xF100, 0x07E0, 0x001F}, 16), "ungültig"});
    d.push_back({"empty mask", masked({0, 0x07E0, 0x001F}, 16), "ungültig"});
    d.push_back({"mask wider than the pixel", masked({0x10000, 0x07E0, 0x001F}, 16), "ungültig"});
    d.push_back({"RLE run past the row", Rle8With(2, 2, {3, 1}), "über das Bild"});
    d.push_back({"RLE rows past the top", Rle8With(1, 1, {0, 0, 1, 1}), "über das Bild"});
    d.push_back({"RLE delta past the right", Rle8With(2, 2, {0, 2, 3, 0}), "über das Bild"});
    d.push_back({"RLE delta past the top", Rle8With(2, 2, {0, 2, 0, 3}), "über das Bild"});
    d.push_back({"RLE delta cut short", Rle8With(2, 2, {0, 2, 1}), "RLE-Daten sind"});
    d.push_back({"RLE literals cut short", Rle8With(8, 2, {0, 5, 1, 2}), "RLE-Daten sind"});
    d.push_back({"RLE literals past the row", Rle8With(2, 2, {0, 3, 1, 2, 3, 0}), "über das Bild"});
    return d;
}

TEST(BitmapFileDamage, EveryDamageIsRefusedWithAReason) {
    for (const TDamage& damage : Damages()) {
        const std::string message = Refusal(damage.File);
        EXPECT_EQ(message.rfind("Ungültiges Bitmap: ", 0), 0u) << damage.Name << ": " << message;
        EXPECT_NE(message.find(damage.Reason), std::string::npos) << damage.Name << ": " << message;
    }
}

TEST(BitmapFileDamage, LargestAllowedSidesStillRead) {
    TRawBitmap raw;
    raw.Width = 32768;
    raw.Height = -1;
    raw.BitCount = 1;
    raw.Palette.assign(8, 0);
    raw.Pixels.assign(4096, 0xA5);
    const TBitmapFileImage image = Read(BuildBitmapFile(raw));
    EXPECT_EQ(image.Width, 32768);
    EXPECT_TRUE(image.TopDown);
}

} // namespace
