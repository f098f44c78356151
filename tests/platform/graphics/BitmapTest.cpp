// Bitmaps: sizes and formats, copies, change events, files, streams and
// resources, transparency and handle ownership.

#include "TestBitmaps.h"

#include "platform/classes/Component.h"
#include "platform/classes/Stream.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<TBitmap> Filled(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect({0, 0, width, height});
    return bitmap;
}

TColor At(TBitmap& bitmap, int x, int y) {
    return bitmap.Canvas()->Pixels(x, y);
}

TBytes Saved(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return stream.Bytes();
}

void Load(TBitmap& bitmap, const TBytes& bytes) {
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    bitmap.LoadFromStream(stream);
}

// The colour of a monochrome bitmap's pixel, read through a context of its own.
COLORREF MaskPixel(HBITMAP mask, int x, int y) {
    TMemoryDC dc;
    TObjectSelection selected(dc.Get(), mask);
    return ::GetPixel(dc.Get(), x, y);
}

struct TChangeCounter : TComponent {
    using TComponent::TComponent;
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

// A 4 × 1 picture: red, lime, blue, white.
std::unique_ptr<TBitmap> FourColours() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(4, 1);
    const TColor colors[] = {clRed, clLime, clBlue, clWhite};
    for (int x = 0; x < 4; ++x)
        bitmap->Canvas()->SetPixels(x, 0, colors[x]);
    return bitmap;
}

} // namespace

TEST(BitmapSize, NewBitmapIsAnEmptyTwentyFourBitDib) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Handle(), nullptr);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.HandleType(), bmDIB);
    EXPECT_FALSE(bitmap.Transparent());
    EXPECT_FALSE(bitmap.Monochrome());
    EXPECT_EQ(bitmap.Palette(), nullptr);
    EXPECT_EQ(bitmap.ClassName(), "TBitmap");
}

TEST(BitmapSize, SetSizeMakesAWhiteDib) {
    TBitmap bitmap;
    bitmap.SetSize(7, 3);
    DIBSECTION section{};
    ASSERT_EQ(::GetObjectA(bitmap.Handle(), sizeof section, &section),
              static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 7);
    EXPECT_EQ(section.dsBm.bmHeight, 3);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(At(bitmap, 6, 2), clWhite);
}

TEST(BitmapSize, ResizingKeepsThePictureWhereItFits) {
    auto bitmap = Filled(10, 10, clRed);
    bitmap->Canvas()->SetPixels(9, 9, clBlue);
    bitmap->SetSize(20, 5);
    EXPECT_EQ(At(*bitmap, 0, 0), clRed);
    EXPECT_EQ(At(*bitmap, 9, 4), clRed);
    EXPECT_EQ(At(*bitmap, 10, 0), clWhite) << "new area";
    bitmap->SetHeight(10);
    EXPECT_EQ(At(*bitmap, 9, 9), clWhite) << "cut off before";
    bitmap->SetWidth(3);
    EXPECT_EQ(At(*bitmap, 2, 2), clRed);

    bitmap->SetWidth(0);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(bitmap->Height(), 10) << "the other side is kept";
    EXPECT_EQ(bitmap->Handle(), nullptr);
    bitmap->SetWidth(2);
    EXPECT_EQ(At(*bitmap, 1, 9), clWhite);
    EXPECT_THROW(bitmap->SetSize(-1, 5), EInvalidGraphic);
    EXPECT_EQ(bitmap->Width(), 2);
}

TEST(BitmapCopy, AssignMakesAnIndependentCopy) {
    auto original = Filled(8, 8, clRed);
    original->SetPixelFormat(pf8bit);
    original->Canvas()->SetPixels(1, 1, clBlue);
    original->SetTransparent(true);
    original->SetTransparentColor(clRed);
    TBitmap copy;
    copy.Assign(original.get());
    EXPECT_EQ(copy.Width(), 8);
    EXPECT_EQ(copy.PixelFormat(), pf8bit);
    EXPECT_NE(copy.Handle(), original->Handle());
    ASSERT_NE(copy.Palette(), nullptr);
    EXPECT_NE(copy.Palette(), original->Palette());
    EXPECT_EQ(::GetPaletteEntries(copy.Palette(), 0, 0, nullptr), 256u);
    EXPECT_EQ(At(copy, 1, 1), clBlue);
    EXPECT_EQ(At(copy, 2, 2), clRed);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentMode(), tmFixed);
    EXPECT_EQ(Saved(copy), Saved(*original)) << "byte for byte";

    original->Canvas()->Brush()->SetColor(clLime);
    original->Canvas()->FillRect({0, 0, 8, 8});
    EXPECT_EQ(At(copy, 2, 2), clRed) << "the copy keeps its own pixels";
    original.reset();
    EXPECT_EQ(At(copy, 1, 1), clBlue);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    TFont font;
    EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST(BitmapCopy, DeviceAndMonochromeBitmapsCopyToo) {
    auto device = Filled(3, 3, clBlue);
    device->SetPixelFormat(pfDevice);
    TBitmap copy;
    copy.Assign(device.get());
    EXPECT_EQ(copy.HandleType(), bmDDB);
    EXPECT_EQ(At(copy, 1, 1), clBlue);

    auto mono = Filled(3, 3, clWhite);
    mono->Canvas()->SetPixels(0, 0, clBlack);
    mono->SetMonochrome(true);
    copy.Assign(mono.get());
    EXPECT_TRUE(copy.Monochrome());
    EXPECT_EQ(At(copy, 0, 0), clBlack);
    EXPECT_EQ(At(copy, 1, 1), clWhite);
}

TEST(BitmapEvents, ChangesFireOnModificationNotOnReading) {
    TBitmap bitmap;
    TChangeCounter counter(nullptr);
    bitmap.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&counter);
    bitmap.SetSize(4, 4);
    EXPECT_EQ(counter.Count, 1);
    bitmap.SetSize(4, 4);
    EXPECT_EQ(counter.Count, 1) << "same size";

    bitmap.Canvas();
    bitmap.Handle();
    bitmap.Canvas()->Handle();
    bitmap.Canvas()->Pixels(0, 0);
    bitmap.TransparentColor();
    bitmap.MaskHandle();
    bitmap.Palette();
    Saved(bitmap);
    TMemoryStream data;
    bitmap.WriteData(data);
    auto other = Filled(4, 4, clBlack);
    other->Canvas()->Draw(0, 0, &bitmap);
    EXPECT_EQ(counter.Count, 1) << "reading fires nothing";

    bitmap.Canvas()->FillRect({0, 0, 1, 1});
    EXPECT_EQ(counter.Count, 2) << "drawing through the canvas";
    bitmap.SetPixelFormat(pf8bit);
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(clRed);
    bitmap.SetTransparentMode(tmAuto);
    bitmap.Assign(other.get());
    Load(bitmap, WriteBitmapFile(PatternImage(2, 2, 24)));
    bitmap.SetMonochrome(true);
    bitmap.Mask(clWhite);
    EXPECT_EQ(counter.Count, 10);
}

TEST(BitmapFormats, ConversionsKeepTheColoursTheFormatHolds) {
    for (const TPixelFormat format : {pf4bit, pf8bit, pf15bit, pf16bit, pf32bit, pfDevice}) {
        auto bitmap = FourColours();
        bitmap->SetPixelFormat(format);
        EXPECT_EQ(bitmap->PixelFormat(), format);
        EXPECT_EQ(bitmap->HandleType(), format == pfDevice ? bmDDB : bmDIB);
        EXPECT_EQ(At(*bitmap, 0, 0), clRed) << static_cast<int>(format);
        EXPECT_EQ(At(*bitmap, 1, 0), clLime) << static_cast<int>(format);
        EXPECT_EQ(At(*bitmap, 2, 0), clBlue) << static_cast<int>(format);
        EXPECT_EQ(At(*bitmap, 3, 0), clWhite) << static_cast<int>(format);
        EXPECT_EQ(bitmap->Palette() != nullptr, format == pf4bit || format == pf8bit);
        bitmap->SetPixelFormat(pf24bit);
        EXPECT_EQ(At(*bitmap, 0, 0), clRed);
    }
    auto bitmap = FourColours();
    bitmap->SetPixelFormat(pfCustom);
    EXPECT_EQ(bitmap->PixelFormat(), pf24bit) << "cannot be asked for";
}

TEST(BitmapFormats, MonochromeKeepsWhiteAndBlackensTheRest) {
    auto bitmap = FourColours();
    bitmap->SetMonochrome(true);
    EXPECT_TRUE(bitmap->Monochrome());
    EXPECT_EQ(bitmap->PixelFormat(), pf1bit);
    EXPECT_EQ(bitmap->HandleType(), bmDDB);
    EXPECT_EQ(At(*bitmap, 0, 0), clBlack);
    EXPECT_EQ(At(*bitmap, 2, 0), clBlack);
    EXPECT_EQ(At(*bitmap, 3, 0), clWhite);

    const TBytes file = Saved(*bitmap);
    EXPECT_EQ(file[28], 1) << "one bit per pixel";
    EXPECT_EQ(Get32At(file, 10), 62u) << "after a two-entry colour table";
    EXPECT_EQ(Get32At(file, 54), 0u);
    EXPECT_EQ(Get32At(file, 58), 0x00FFFFFFu);

    bitmap->SetMonochrome(false);
    EXPECT_EQ(bitmap->PixelFormat(), pf24bit);
    EXPECT_EQ(At(*bitmap, 3, 0), clWhite);

    TBitmap empty;
    empty.SetMonochrome(true);
    empty.SetSize(2, 2);
    EXPECT_EQ(empty.HandleType(), bmDDB) << "the setting waits for a size";
    BITMAP info{};
    ::GetObjectA(empty.Handle(), sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
}

TEST(BitmapFormats, OneBitDibInBlackAndWhiteCountsAsMonochrome) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf1bit);
    EXPECT_TRUE(bitmap.Monochrome());
    EXPECT_EQ(bitmap.HandleType(), bmDIB);
    bitmap.SetMonochrome(true);
    EXPECT_EQ(bitmap.HandleType(), bmDIB) << "already monochrome";
}

TEST(BitmapFiles, TwentyFourBitRoundTripIsByteExact) {
    const TBytes file = WriteBitmapFile(PatternImage(5, 3, 24));
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(Saved(bitmap), file);
    // The last stored row is the top one.
    const std::uint8_t* top = file.data() + 54 + 2 * 16;
    EXPECT_EQ(static_cast<COLORREF>(At(bitmap, 0, 0)), RGB(top[2], top[1], top[0]));
    EXPECT_EQ(std::memcmp(bitmap.ScanLine(0), top, 15), 0);
}

TEST(BitmapFiles, PaletteBitmapsRoundTripByteExact) {
    struct {
        int Bits;
        int Colors;
        TPixelFormat Format;
    } cases[] = {{1, 0, pf1bit}, {4, 0, pf4bit}, {4, 9, pf4bit}, {8, 0, pf8bit}, {8, 40, pf8bit}};
    for (const auto& c : cases) {
        const TBitmapFileImage image = PatternImage(9, 4, c.Bits, false, c.Colors);
        const TBytes file = WriteBitmapFile(image);
        TBitmap bitmap;
        Load(bitmap, file);
        EXPECT_EQ(bitmap.PixelFormat(), c.Format);
        ASSERT_NE(bitmap.Palette(), nullptr);
        PALETTEENTRY entries[256];
        const UINT count = ::GetPaletteEntries(bitmap.Palette(), 0, 256, entries);
        ASSERT_EQ(count, image.Palette.size());
        EXPECT_EQ(entries[1].peRed, image.Palette[1].Red);
        EXPECT_EQ(entries[1].peBlue, image.Palette[1].Blue);
        EXPECT_EQ(Saved(bitmap), file) << c.Bits << " bits, " << c.Colors << " colours";
    }
}

TEST(BitmapFiles, MaskedFormatsKeepTheirMasks) {
    struct {
        int Bits;
        std::array<std::uint32_t, 3> Masks;
        TPixelFormat Format;
    } cases[] = {{16, {}, pf15bit},
                 {16, {0xF800, 0x07E0, 0x001F}, pf16bit},
                 {32, {}, pf32bit},
                 {32, {0xFF0000, 0xFF00, 0xFF}, pfCustom},
                 {16, {0x000F, 0x00F0, 0x0F00}, pfCustom}};
    for (const auto& c : cases) {
        TBitmapFileImage image = PatternImage(3, 2, c.Bits);
        image.HasColorMasks = c.Masks != std::array<std::uint32_t, 3>{};
        image.ColorMasks = c.Masks;
        const TBytes file = WriteBitmapFile(image);
        TBitmap bitmap;
        Load(bitmap, file);
        EXPECT_EQ(bitmap.PixelFormat(), c.Format);
        EXPECT_EQ(Saved(bitmap), file);
    }
}

TEST(BitmapFiles, TopDownAndCompressedFilesLoadTheRightWayUp) {
    const TBitmapFileImage bottomUp = PatternImage(4, 3, 24);
    TBitmapFileImage topDown = bottomUp;
    topDown.TopDown = true;
    for (int row = 0; row < 3; ++row)
        std::memcpy(topDown.Pixels.data() + row * 12, bottomUp.Pixels.data() + (2 - row) * 12, 12);
    TBitmap bitmap;
    Load(bitmap, WriteBitmapFile(topDown));
    EXPECT_EQ(Saved(bitmap), WriteBitmapFile(bottomUp)) << "the same picture, stored bottom-up";

    // RLE8: bottom row index 1, top row index 2.
    TRawBitmap raw;
    raw.Width = 2;
    raw.Height = 2;
    raw.BitCount = 8;
    raw.Compression = 1;
    raw.ColorsUsed = 3;
    raw.Palette = {0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    raw.Pixels = {2, 1, 0, 0, 2, 2, 0, 1};
    Load(bitmap, BuildBitmapFile(raw));
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    EXPECT_EQ(At(bitmap, 0, 1), clRed);
    EXPECT_EQ(At(bitmap, 1, 0), clBlue);
}

TEST(BitmapFiles, DamagedDataRaisesAndKeepsThePicture) {
    auto bitmap = Filled(3, 3, clRed);
    TBytes file = WriteBitmapFile(PatternImage(2, 2, 24));
    Put32At(file, 26, 1 | 7 << 16);
    try {
        Load(*bitmap, file);
        FAIL() << "7 bits per pixel";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Ungültiges Bitmap: 7 Bit pro Pixel werden nicht unterstützt");
    }
    EXPECT_THROW(Load(*bitmap, {'B', 'M', 1, 2, 3}), EInvalidGraphic);
    EXPECT_EQ(bitmap->Width(), 3);
    EXPECT_EQ(At(*bitmap, 1, 1), clRed);

    Load(*bitmap, {});
    EXPECT_TRUE(bitmap->Empty()) << "an empty stream is an empty bitmap";
}

TEST(BitmapFiles, LoadingStopsAtTheEndOfTheFile) {
    TBytes both = WriteBitmapFile(PatternImage(2, 2, 24));
    const TBytes second = WriteBitmapFile(PatternImage(3, 1, 8));
    both.insert(both.end(), second.begin(), second.end());
    TReadOnlyMemoryStream stream(both.data(), static_cast<std::int64_t>(both.size()));
    TBitmap first;
    first.LoadFromStream(stream);
    EXPECT_EQ(first.Width(), 2);
    TBitmap next;
    next.LoadFromStream(stream);
    EXPECT_EQ(next.Width(), 3);
    EXPECT_EQ(stream.GetPosition(), stream.GetSize());
}

TEST(BitmapFiles, FileRoundTrip) {
    char folder[MAX_PATH];
    ASSERT_NE(::GetTempPathA(MAX_PATH, folder), 0u);
    const std::string name = std::string(folder) + "tessaro-bitmap-test.bmp";
    auto bitmap = Filled(6, 4, clNavy);
    bitmap->SaveToFile(name);
    TBitmap loaded;
    loaded.LoadFromFile(name);
    ::DeleteFileA(name.c_str());
    EXPECT_EQ(loaded.Width(), 6);
    EXPECT_EQ(At(loaded, 5, 3), clNavy);
    EXPECT_THROW(loaded.LoadFromFile(name), EFOpenError);
}

TEST(BitmapFiles, FormDataHasASizePrefix) {
    auto bitmap = Filled(2, 2, clRed);
    const TBytes file = Saved(*bitmap);
    TMemoryStream data;
    bitmap->WriteData(data);
    ASSERT_EQ(data.Bytes().size(), 4 + file.size());
    EXPECT_EQ(Get32At(data.Bytes(), 0), file.size());
    EXPECT_TRUE(std::equal(file.begin(), file.end(), data.Bytes().begin() + 4));

    TBitmap read;
    data.SetPosition(0);
    read.ReadData(data);
    EXPECT_EQ(Saved(read), file);

    TBitmap empty;
    TMemoryStream nothing;
    empty.WriteData(nothing);
    EXPECT_EQ(nothing.Bytes(), (TBytes{0, 0, 0, 0}));
    nothing.SetPosition(0);
    read.ReadData(nothing);
    EXPECT_TRUE(read.Empty());

    for (const std::uint32_t size : {0x7FFFFFFFu, 0xFFFFFFFFu, 100u}) {
        TBytes bad = data.Bytes();
        Put32At(bad, 0, size);
        TReadOnlyMemoryStream stream(bad.data(), static_cast<std::int64_t>(bad.size()));
        EXPECT_THROW(read.ReadData(stream), EInvalidGraphic) << size;
    }
}

TEST(BitmapFiles, ResourceBitmapLoads) {
    TBitmap bitmap;
    bitmap.LoadFromResourceName(::GetModuleHandleA(nullptr), "TESTBITMAP");
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(At(bitmap, 0, 0), clRed);
    EXPECT_EQ(At(bitmap, 1, 0), clLime);
    EXPECT_EQ(At(bitmap, 2, 0), clBlue);
    EXPECT_EQ(At(bitmap, 0, 1), clWhite);
    EXPECT_EQ(static_cast<COLORREF>(At(bitmap, 2, 1)), RGB(0x80, 0x40, 0x20));
    EXPECT_THROW(bitmap.LoadFromResourceName(::GetModuleHandleA(nullptr), "NOSUCHBITMAP"),
                 EResNotFound);
}

TEST(BitmapTransparency, TransparentColourDefaultsToTheBottomLeftPixel) {
    auto bitmap = Filled(4, 4, clWhite);
    bitmap->Canvas()->SetPixels(0, 3, clRed);
    EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap->TransparentColor(), clRed);
    bitmap->SetTransparentColor(clBlue);
    EXPECT_EQ(bitmap->TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap->TransparentColor(), clBlue);
    bitmap->SetTransparentMode(tmAuto);
    EXPECT_EQ(bitmap->TransparentColor(), clRed);
    bitmap->SetTransparentMode(tmFixed);
    bitmap->Canvas()->SetPixels(0, 3, clLime);
    EXPECT_EQ(bitmap->TransparentColor(), clRed) << "fixed at the colour in use";
    bitmap->SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap->TransparentColor(), clLime);
    TBitmap empty;
    EXPECT_EQ(empty.TransparentColor(), clNone);
}

TEST(BitmapTransparency, MaskIsWhiteWhereTheTransparentColourIs) {
    auto bitmap = Filled(4, 4, clRed);
    bitmap->Canvas()->SetPixels(1, 1, clBlue);
    HBITMAP mask = bitmap->MaskHandle();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(bitmap->MaskHandle(), mask) << "kept";
    BITMAP info{};
    ::GetObjectA(mask, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(MaskPixel(mask, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(MaskPixel(mask, 1, 1), RGB(0, 0, 0));

    // A change drops the mask; the next one shows the new picture.
    bitmap->Canvas()->SetPixels(2, 2, clBlue);
    mask = bitmap->MaskHandle();
    EXPECT_EQ(MaskPixel(mask, 2, 2), RGB(0, 0, 0));

    const std::int64_t before = LiveHandleCount(THandleKind::GdiObject);
    HBITMAP released = bitmap->ReleaseMaskHandle();
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), before - 1);
    EXPECT_NE(bitmap->MaskHandle(), released) << "a new one is made";
    EXPECT_TRUE(::DeleteObject(released));
}

TEST(BitmapTransparency, TransparentDrawLeavesTheBackground) {
    auto picture = Filled(6, 6, clRed);
    picture->Canvas()->Brush()->SetColor(clBlue);
    picture->Canvas()->FillRect({2, 2, 4, 4});
    picture->SetTransparent(true);
    auto dest = Filled(12, 12, clLime);
    dest->Canvas()->Draw(2, 2, picture.get());
    EXPECT_EQ(At(*dest, 2, 2), clLime) << "red was transparent";
    EXPECT_EQ(At(*dest, 4, 4), clBlue);
    EXPECT_EQ(At(*dest, 5, 5), clBlue);
    EXPECT_EQ(At(*dest, 7, 7), clLime);
    EXPECT_EQ(At(*dest, 0, 0), clLime);

    auto stretched = Filled(12, 12, clYellow);
    stretched->Canvas()->StretchDraw({0, 0, 12, 12}, picture.get());
    EXPECT_EQ(At(*stretched, 0, 0), clYellow);
    EXPECT_EQ(At(*stretched, 11, 11), clYellow);
    EXPECT_EQ(At(*stretched, 5, 5), clBlue);

    picture->SetTransparent(false);
    dest->Canvas()->Draw(2, 2, picture.get());
    EXPECT_EQ(At(*dest, 2, 2), clRed);
}

TEST(BitmapTransparency, MaskTurnsThePictureIntoItsMask) {
    auto bitmap = FourColours();
    bitmap->Mask(clLime);
    EXPECT_TRUE(bitmap->Monochrome());
    EXPECT_EQ(At(*bitmap, 0, 0), clBlack);
    EXPECT_EQ(At(*bitmap, 1, 0), clWhite);
    EXPECT_EQ(At(*bitmap, 3, 0), clBlack);
}

TEST(BitmapHandles, SetAndReleaseHandleHandOverOwnership) {
    auto first = Filled(4, 3, clRed);
    const std::int64_t held = LiveHandleCount(THandleKind::GdiObject);
    HBITMAP handle = first->ReleaseHandle();
    EXPECT_TRUE(first->Empty());
    EXPECT_EQ(first->Handle(), nullptr);
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), held - 1);

    TBitmap second;
    second.SetHandle(handle);
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), held);
    EXPECT_EQ(second.Handle(), handle);
    EXPECT_EQ(second.Width(), 4);
    EXPECT_EQ(second.Height(), 3);
    EXPECT_EQ(second.PixelFormat(), pf24bit);
    EXPECT_EQ(At(second, 3, 2), clRed);

    second.SetHandle(::CreateBitmap(5, 2, 1, 1, nullptr));
    EXPECT_EQ(::GetObjectType(handle), 0u) << "the old one was deleted";
    EXPECT_TRUE(second.Monochrome());
    EXPECT_EQ(second.Width(), 5);

    TGdiObject<HBRUSH> brush(::CreateSolidBrush(0));
    EXPECT_THROW(second.SetHandle(reinterpret_cast<HBITMAP>(brush.Get())), EInvalidGraphic);
    EXPECT_EQ(second.Width(), 5);
}

TEST(BitmapHandles, ScanLineAddressesRowsFromTheTop) {
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(0));
    row[0] = 0; // blue, green, red
    row[1] = 0;
    row[2] = 255;
    EXPECT_EQ(At(bitmap, 0, 0), clRed);
    EXPECT_EQ(At(bitmap, 0, 1), clWhite);
    EXPECT_THROW(bitmap.ScanLine(2), EInvalidOperation);
    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidOperation);
    bitmap.SetPixelFormat(pfDevice);
    EXPECT_THROW(bitmap.ScanLine(0), EInvalidOperation);
}

TEST(BitmapHandles, PaletteFollowsTheColourTable) {
    TBitmap bitmap;
    bitmap.SetSize(2, 1);
    bitmap.SetPixelFormat(pf8bit);
    ASSERT_NE(bitmap.Palette(), nullptr);
    static_cast<std::uint8_t*>(bitmap.ScanLine(0))[0] = 3;
    EXPECT_EQ(At(bitmap, 0, 0), clOlive) << "entry 3 of the standard table";

    // A palette of its own recolours the table: index 3 becomes red.
    struct {
        WORD Version = 0x300;
        WORD Count = 16;
        PALETTEENTRY Entries[16];
    } red{};
    for (PALETTEENTRY& e : red.Entries)
        e = {255, 0, 0, 0};
    bitmap.SetPalette(::CreatePalette(reinterpret_cast<LOGPALETTE*>(&red)));
    EXPECT_EQ(At(bitmap, 0, 0), clRed);

    HPALETTE palette = bitmap.ReleasePalette();
    EXPECT_EQ(bitmap.Palette(), nullptr);
    EXPECT_TRUE(::DeleteObject(palette));
    bitmap.SetPixelFormat(pf24bit);
    EXPECT_EQ(bitmap.Palette(), nullptr);
}
