// The bitmap list: item records, the lazy fetch from each source, the
// thirteen image operations, copying, list files and form resources.

#include "ImageListTestSupport.h"
#include "components/imagelists/kitbitmaplist.h"
#include "components/imagelists/kitimagelist.h"
#include "components/codec/kititemstream.h"
#include "components/base/kitutils.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

TKitBitmapListItem* AddBitmapItem(TKitBitmapList& list, TBitmap* bitmap) {
    auto* item = list.BitmapItems(list.AddItem());
    if (bitmap != nullptr)
        item->SetBitmap(bitmap);
    return item;
}

TEST(BitmapListItem, FlagsOfTheExample) {
    TKitBitmapList list(nullptr);
    auto bitmap = PatternBitmap(2, 2);
    auto* item = AddBitmapItem(list, bitmap.get());
    item->SetCompressed(true);
    item->SetDescription("Bild");
    item->SetIdent(5);
    item->SetSavePixelFormat(spf4bit);
    EXPECT_EQ(item->ItemFlags(), 0x2F);
    item->SetSavePixelFormat(spfMono);
    EXPECT_EQ(item->ItemFlags(), 0x1F);
    item->SetSavePixelFormat(spf8bit);
    EXPECT_EQ(item->ItemFlags(), 0x4F);
    item->ClearData();
    EXPECT_EQ(item->ItemFlags(), 0x47);
}

TEST(BitmapListItem, EmptyItemWritesOnlyTheHeaderAndReadingKeepsTheBitmap) {
    TKitBitmapList list(nullptr);
    auto* empty = AddBitmapItem(list, nullptr);
    TMemoryStream stream;
    empty->WriteItemData(stream);
    EXPECT_EQ(stream.Bytes(), std::vector<std::uint8_t>{0x00});

    auto kept = PatternBitmap(3, 4);
    auto* reader = AddBitmapItem(list, kept.get());
    reader->SetSavePixelFormat(spf8bit);
    stream.SetPosition(0);
    reader->ReadItemData(stream);
    EXPECT_EQ(reader->SavePixelFormat(), spfDefault);
    EXPECT_TRUE(SamePixels(reader->StoredBitmap(), *kept));
}

struct TFormatCase {
    bool Compressed;
    TKitSavePixelFormat Format;
};

class BitmapItemRecord : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(BitmapItemRecord, RoundTripsByteForByteAndPixelForPixel) {
    const auto [compressed, format] = GetParam();
    TKitBitmapList list(nullptr);
    auto source = format == spfDefault ? PatternBitmap(9, 5) : BlackWhiteBitmap(9, 5);
    auto* item = AddBitmapItem(list, source.get());
    item->SetCompressed(compressed);
    item->SetSavePixelFormat(format);
    item->SetIdent(300);
    item->SetDescription("Über");
    TMemoryStream first;
    item->WriteItemData(first);
    WriteInt32(first, 77);

    first.SetPosition(0);
    auto* copy = AddBitmapItem(list, nullptr);
    copy->ReadItemData(first);
    EXPECT_EQ(ReadInt32(first), 77);
    EXPECT_EQ(copy->Compressed(), compressed);
    EXPECT_EQ(copy->SavePixelFormat(), format);
    EXPECT_EQ(copy->Ident(), 300);
    EXPECT_EQ(copy->Description(), "Über");
    EXPECT_TRUE(SamePixels(copy->StoredBitmap(), *source));

    TMemoryStream second;
    copy->WriteItemData(second);
    WriteInt32(second, 77);
    if (format == spfDefault || format == spfMono) {
        EXPECT_EQ(first.Bytes(), second.Bytes());
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, BitmapItemRecord,
                         ::testing::Values(TFormatCase{false, spfDefault},
                                           TFormatCase{true, spfDefault},
                                           TFormatCase{false, spfMono}, TFormatCase{true, spfMono},
                                           TFormatCase{false, spf4bit}, TFormatCase{true, spf4bit},
                                           TFormatCase{false, spf8bit},
                                           TFormatCase{true, spf8bit}));

TEST(BitmapListItem, RecordCutShortRaises) {
    TKitBitmapList list(nullptr);
    auto source = PatternBitmap(6, 6);
    auto* item = AddBitmapItem(list, source.get());
    TMemoryStream full;
    item->WriteItemData(full);
    auto bytes = full.Bytes();
    bytes.resize(bytes.size() - 3);
    TReadOnlyMemoryStream cut(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    auto* reader = AddBitmapItem(list, nullptr);
    EXPECT_THROW(reader->ReadItemData(cut), EReadError);
    EXPECT_TRUE(reader->StoredBitmap().Empty());
}

TEST(BitmapListItem, AssignCopiesHeaderBitmapAndFormat) {
    TKitBitmapList list(nullptr);
    auto source = PatternBitmap(4, 4);
    auto* from = AddBitmapItem(list, source.get());
    from->SetIdent(9);
    from->SetDescription("x");
    from->SetCompressed(true);
    from->SetSavePixelFormat(spfMono);
    auto* to = AddBitmapItem(list, nullptr);
    to->Assign(from);
    EXPECT_EQ(to->Ident(), 9);
    EXPECT_EQ(to->Description(), "x");
    EXPECT_TRUE(to->Compressed());
    EXPECT_EQ(to->SavePixelFormat(), spfMono);
    EXPECT_TRUE(SamePixels(to->StoredBitmap(), *source));

    to->Assign(to);
    EXPECT_TRUE(SamePixels(to->StoredBitmap(), *source));
    TKitImageListItem foreign(nullptr);
    EXPECT_THROW(to->Assign(&foreign), EConvertError);
}

// --- the lazy fetch --------------------------------------------------------

TEST(BitmapSourceName, FollowsThePrefix) {
    EXPECT_EQ(BitmapSourceFileName(ppProgram, "C:\\x\\icons.lst", 7), ProgramDir() + "ico7.bmp");
    EXPECT_EQ(BitmapSourceFileName(ppFixed, "C:\\x\\icons.lst", 7), "C:\\x\\ico7.bmp");
    EXPECT_EQ(BitmapSourceFileName(ppFixed, "ab", 0), "\\ab0.bmp");
    EXPECT_EQ(BitmapSourceFileName(ppFixed, "C:\\x\\", 65535), "C:\\x\\65535.bmp");
}

TEST(BitmapFetch, FromABmpFileOnceAndWithoutChangeReport) {
    TTempFolder folder;
    auto source = PatternBitmap(5, 3);
    source->SaveToFile(folder.File("ico7.bmp"));
    TKitBitmapList list(nullptr);
    list.SetSourceKind(skFile);
    list.SetSourcePrefix(ppFixed);
    list.SetSourceFile(folder.File("icons.lst"));
    auto* item = AddBitmapItem(list, nullptr);
    item->SetIdent(7);
    TChangeCounter changes;
    list.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&changes);
    item->OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&changes);

    EXPECT_EQ(list.GetImageCount(0), 0); // never fetches
    EXPECT_FALSE(list.IsValidImage(0, 0));
    EXPECT_EQ(list.GetItemDimension(0, 0), 5);
    EXPECT_EQ(list.GetImageCount(0), 1);
    EXPECT_TRUE(SamePixels(*item->Bitmap(), *source));
    EXPECT_EQ(changes.Count, 0);
    EXPECT_FALSE(item->Updating());

    // Filled: the file is not read again.
    std::remove(folder.File("ico7.bmp").c_str());
    EXPECT_NO_THROW(item->Bitmap());
}

TEST(BitmapFetch, MissingFileRaisesEveryTimeAndClosesTheUpdate) {
    TTempFolder folder;
    TKitBitmapList list(nullptr);
    list.SetSourceKind(skFile);
    list.SetSourcePrefix(ppFixed);
    list.SetSourceFile(folder.File("none.lst"));
    auto* item = AddBitmapItem(list, nullptr);
    EXPECT_THROW(list.GetItemDimension(0, 1), EFOpenError);
    EXPECT_FALSE(item->Updating());
    EXPECT_THROW(item->Bitmap(), EFOpenError);
    // Appears later: the next read fetches it.
    PatternBitmap(2, 2)->SaveToFile(folder.File("non0.bmp"));
    EXPECT_EQ(item->Bitmap()->Width(), 2);
}

TEST(BitmapFetch, NotWhileReadingOrDesigning) {
    TTempFolder folder;
    TKitBitmapList list(nullptr);
    list.SetSourceKind(skFile);
    list.SetSourcePrefix(ppFixed);
    list.SetSourceFile(folder.File("none.lst"));
    auto* item = AddBitmapItem(list, nullptr);
    item->IncludeState(csReading);
    EXPECT_NO_THROW(item->Bitmap());
    item->ExcludeState(csReading);
    item->IncludeState(csDesigning);
    EXPECT_NO_THROW(item->Bitmap());
    item->ExcludeState(csDesigning);
    EXPECT_THROW(item->Bitmap(), EFOpenError);
}

TEST(BitmapFetch, FromAListFileByIdent) {
    TTempFolder folder;
    TKitBitmapList written(nullptr);
    auto a = PatternBitmap(3, 3, 1);
    auto b = PatternBitmap(4, 2, 2);
    AddBitmapItem(written, a.get());
    AddBitmapItem(written, b.get())->SetCompressed(true);
    written.SaveToListFile(folder.File("pics.kbl"));

    TBitmap direct;
    EXPECT_TRUE(LoadBitmapFromListFile(folder.File("pics.kbl"), 1, direct));
    EXPECT_TRUE(SamePixels(direct, *b));

    TKitBitmapList list(nullptr);
    list.SetSourceKind(skListFile);
    list.SetSourcePrefix(ppFixed);
    list.SetSourceFile(folder.File("pics.kbl"));
    AddBitmapItem(list, nullptr)->SetIdent(1);
    AddBitmapItem(list, nullptr)->SetIdent(0);
    AddBitmapItem(list, nullptr)->SetIdent(2);
    EXPECT_TRUE(SamePixels(*list.BitmapItems(0)->Bitmap(), *b));
    EXPECT_TRUE(SamePixels(*list.BitmapItems(1)->Bitmap(), *a));
    EXPECT_THROW(list.BitmapItems(2)->Bitmap(), EListError);
}

TEST(BitmapFetch, ListFileOfAnotherKindIsRejected) {
    TTempFolder folder;
    TKitImageList images(nullptr);
    images.SaveToListFile(folder.File("x.kil"));
    TBitmap bitmap;
    try {
        LoadBitmapFromListFile(folder.File("x.kil"), 0, bitmap);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("kann nicht geöffnet werden"), std::string::npos);
    }
}

TEST(BitmapFetch, MissingResourceRaisesTheResourceError) {
    TKitBitmapList list(nullptr);
    list.SetSourceKind(skResource);
    AddBitmapItem(list, nullptr)->SetIdent(54321);
    EXPECT_THROW(list.BitmapItems(0)->Bitmap(), EResNotFound);
}

TEST(BitmapFetch, FromTheProgramsBitmapResource) {
    TKitBitmapList list(nullptr);
    list.SetSourceKind(skResource);
    AddBitmapItem(list, nullptr)->SetIdent(7);
    TBitmap& bitmap = *list.BitmapItems(0)->Bitmap();
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    // The resource's pixel (x, y): blue x * 80, green y * 120, red 200.
    EXPECT_EQ(bitmap.Canvas()->Pixels(2, 1), static_cast<TColor>(RGB(200, 120, 160)));
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(200, 0, 0)));
}

TEST(BitmapFetch, LibrarySourceOnlyChecksTheLibrary) {
    TBitmap bitmap;
    EXPECT_TRUE(LoadLibraryBitmap("kernel32.dll", 1, bitmap));
    EXPECT_FALSE(LoadLibraryBitmap("no-such-library-kit.dll", 1, bitmap));
    EXPECT_TRUE(bitmap.Empty());

    TKitBitmapList list(nullptr);
    list.SetSourceKind(skLibrary);
    list.SetSourcePrefix(ppSystem);
    list.SetSourceFile("no-such-library-kit.dll");
    auto* item = AddBitmapItem(list, nullptr);
    EXPECT_NO_THROW(item->Bitmap());
    EXPECT_TRUE(item->Bitmap()->Empty());
}

TEST(BitmapFetch, AssignFetchesTheSourceFirst) {
    TTempFolder folder;
    auto source = PatternBitmap(6, 2);
    source->SaveToFile(folder.File("abc3.bmp"));
    TKitBitmapList list(nullptr);
    list.SetSourceKind(skFile);
    list.SetSourcePrefix(ppFixed);
    list.SetSourceFile(folder.File("abcdef.lst"));
    auto* from = AddBitmapItem(list, nullptr);
    from->SetIdent(3);
    TKitBitmapListItem to(nullptr);
    to.Assign(from);
    EXPECT_TRUE(SamePixels(to.StoredBitmap(), *source));
}

// --- the thirteen operations ---------------------------------------------

TEST(BitmapListOperations, EmptyItemsInMemory) {
    TKitBitmapList list(nullptr);
    for (int i = 0; i < 3; ++i)
        AddBitmapItem(list, nullptr);
    EXPECT_EQ(list.GetImageCount(0), 0);
    EXPECT_EQ(list.GetImageCount(3), 0);
    EXPECT_FALSE(list.IsValidImage(0, 0));
    EXPECT_FALSE(list.IsValidImage(3, 0));
    EXPECT_EQ(list.GetItemDimension(0, 0), 0);
    EXPECT_EQ(list.GetItemDimension(3, 0), 0);
    EXPECT_EQ(list.GetTransparentColor(3, 0), 0xFFFFFF);
    EXPECT_EQ(list.GetImagePixel(TPoint{0, 0}, 3, 0), 0xFFFFFF);
    EXPECT_EQ(list.GetItemPalette(3), nullptr);
    for (const int index : {-1, 0, 2, 3, 100})
        EXPECT_FALSE(list.IsMasked(index));
}

TEST(BitmapListOperations, NegativeAndUntestedIndexesRaise) {
    TKitBitmapList list(nullptr);
    AddBitmapItem(list, nullptr);
    TRect rect{};
    EXPECT_THROW(list.GetImageCount(-1), EListError);
    EXPECT_THROW(list.GetItemDimension(-1, 0), EListError);
    EXPECT_THROW(list.GetImageRect(1, 0, rect), EListError);
    EXPECT_THROW(list.GetItemCanvas(1), EListError);
    TBitmap dest;
    EXPECT_THROW(list.GetImage(1, 0, &dest), EListError);
    EXPECT_NO_THROW(list.GetImage(1, 0, nullptr));
}

TEST(BitmapListOperations, ReachTheItemsBitmap) {
    TKitBitmapList list(nullptr);
    auto source = PatternBitmap(7, 4);
    AddBitmapItem(list, source.get());
    TRect rect{};
    list.GetImageRect(0, 99, rect);
    EXPECT_EQ(rect.right, 7);
    EXPECT_EQ(rect.bottom, 4);
    EXPECT_EQ(list.GetItemDimension(0, 0), 7);
    EXPECT_EQ(list.GetItemDimension(0, 1), 4);
    EXPECT_EQ(list.GetItemDimension(0, 2), 0);
    EXPECT_EQ(list.GetImageCount(0), 1);
    EXPECT_TRUE(list.IsValidImage(0, 12));
    EXPECT_EQ(list.GetImagePixel(TPoint{2, 1}, 0, 5), PatternColor(2, 1, 0));
    EXPECT_EQ(list.GetTransparentColor(0, 0), PatternColor(0, 3, 0));
    EXPECT_EQ(list.GetItemCanvas(0), list.BitmapItems(0)->StoredBitmap().Canvas());
    TBitmap dest;
    list.GetImage(0, 0, &dest);
    EXPECT_TRUE(SamePixels(dest, *source));
}

TEST(BitmapListOperations, DrawImageAndDrawImageRect) {
    TKitBitmapList list(nullptr);
    auto source = PatternBitmap(4, 3);
    AddBitmapItem(list, source.get());
    TBitmap target;
    target.SetSize(10, 10);
    FillWith(target, 0x123456);
    list.DrawImage(*target.Canvas(), 2, 5, 0, 0);
    EXPECT_EQ(target.Canvas()->Pixels(2, 5), PatternColor(0, 0, 0));
    EXPECT_EQ(target.Canvas()->Pixels(5, 7), PatternColor(3, 2, 0));
    EXPECT_EQ(target.Canvas()->Pixels(6, 7), 0x123456);

    FillWith(target, 0x123456);
    TRect painted{};
    list.DrawImageRect(*target.Canvas(), TRect{1, 1, 9, 9}, 0, 0, 0, painted);
    EXPECT_EQ(painted.left, 1);
    EXPECT_EQ(painted.top, 1);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), PatternColor(0, 0, 0));

    FillWith(target, 0x123456);
    list.DrawImageOffset(*target.Canvas(), TRect{0, 0, 4, 3}, 0, 0, clNone, 0, 0);
    EXPECT_EQ(target.Canvas()->Pixels(3, 2), PatternColor(3, 2, 0));
}

// --- lists -------------------------------------------------------------

TEST(BitmapList, RegistersItsItemClass) {
    const TKitBitmapList list(nullptr);
    EXPECT_EQ(list.ListKind(), lkBitmapList);
    EXPECT_EQ(GetClass("TKitBitmapListItem"), &TKitBitmapListItem::StaticClassInfo());
}

TEST(BitmapList, AssignCopiesItemsAndDefaultsButNotTheSource) {
    TKitBitmapList from(nullptr);
    auto a = PatternBitmap(2, 3, 4);
    AddBitmapItem(from, a.get())->SetIdent(4);
    AddBitmapItem(from, nullptr);
    from.SetDefaultCompressed(true);
    from.SetDefaultPixelFormat(spf8bit);
    from.SetSourceKind(skLibrary);
    from.SetSourceFile("no-such-library-kit.dll");
    TKitBitmapList to(nullptr);
    AddBitmapItem(to, nullptr);
    TChangeCounter changes;
    to.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&changes);
    to.Assign(&from);
    ASSERT_EQ(to.Count(), 2);
    EXPECT_EQ(to.BitmapItems(0)->Ident(), 4);
    EXPECT_TRUE(SamePixels(to.BitmapItems(0)->StoredBitmap(), *a));
    EXPECT_TRUE(to.DefaultCompressed());
    EXPECT_EQ(to.DefaultPixelFormat(), spf8bit);
    EXPECT_EQ(to.SourceKind(), skMemory);
    EXPECT_EQ(to.SourceFile(), "");
    EXPECT_EQ(changes.Count, 1);

    to.Assign(&to);
    EXPECT_EQ(to.Count(), 2);
    TKitImageList other(nullptr);
    EXPECT_THROW(to.Assign(&other), EConvertError);
}

TEST(BitmapList, ListFileRoundTrip) {
    TTempFolder folder;
    TKitBitmapList list(nullptr);
    auto a = PatternBitmap(5, 5, 1);
    auto b = BlackWhiteBitmap(8, 3);
    AddBitmapItem(list, a.get())->SetDescription("eins");
    AddBitmapItem(list, nullptr);
    auto* c = AddBitmapItem(list, b.get());
    c->SetCompressed(true);
    c->SetSavePixelFormat(spfMono);
    list.SaveToListFile(folder.File("l.kbl"));

    TKitBitmapList copy(nullptr);
    copy.LoadFromListFile(folder.File("l.kbl"));
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.BitmapItems(0)->Description(), "eins");
    EXPECT_TRUE(SamePixels(copy.BitmapItems(0)->StoredBitmap(), *a));
    EXPECT_TRUE(copy.BitmapItems(1)->DataEmpty());
    EXPECT_TRUE(SamePixels(copy.BitmapItems(2)->StoredBitmap(), *b));

    TMemoryStream first;
    list.SaveToListStream(first);
    TMemoryStream second;
    copy.SaveToListStream(second);
    EXPECT_EQ(first.Bytes(), second.Bytes());
}

TEST(BitmapList, FormResourceRoundTrip) {
    TKitBitmapList list(nullptr);
    list.SetName("Bitmaps");
    auto a = PatternBitmap(3, 2, 7);
    auto* item = AddBitmapItem(list, a.get());
    item->SetIdent(12);
    item->SetCompressed(true);
    AddBitmapItem(list, nullptr)->SetDescription("leer");
    list.SetDefaultPixelFormat(spf4bit);
    const auto form = WriteForm(list);
    const std::string text = FormText(form);
    EXPECT_NE(text.find("Internal = {"), std::string::npos);
    EXPECT_EQ(text.find("Ident ="), std::string::npos);
    EXPECT_NE(text.find("DefaultPixelFormat = spf4bit"), std::string::npos);

    TKitBitmapList copy(nullptr);
    ReadForm(copy, form);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.BitmapItems(0)->Ident(), 12);
    EXPECT_TRUE(copy.BitmapItems(0)->Compressed());
    EXPECT_TRUE(SamePixels(copy.BitmapItems(0)->StoredBitmap(), *a));
    EXPECT_EQ(copy.BitmapItems(1)->Description(), "leer");
    EXPECT_EQ(copy.DefaultPixelFormat(), spf4bit);
    EXPECT_EQ(WriteForm(copy), form);
}

} // namespace
