// The image list: the thirteen image operations, copying, list files and
// form resources with the "Internal" and the read-only "Bitmap" property.

#include "ImageListTestSupport.h"
#include "components/imagelists/kitbitmaplist.h"
#include "components/imagelists/kitimagelist.h"
#include "components/imagelists/kititembitmap.h"
#include "components/codec/kititemstream.h"
#include "components/codec/kitlistfile.h"
#include "platform/classes/List.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TKitImageListItem* AddImageItem(TKitImageList& list, int width, int height, int count,
                                bool masked = false) {
    auto* item = list.ImageItems(list.AddItem());
    item->SetWidth(width);
    item->SetHeight(height);
    item->SetMasked(masked);
    FillImageItem(*item, count);
    return item;
}

class ImageListOperations : public ::testing::Test {
protected:
    void SetUp() override {
        AddImageItem(List, 4, 3, 3);
        AddImageItem(List, 6, 2, 1, true);
    }
    TKitImageList List{nullptr};
};

TEST_F(ImageListOperations, RangeAnswers) {
    EXPECT_EQ(List.GetImageCount(0), 3);
    EXPECT_EQ(List.GetImageCount(2), -1);
    EXPECT_TRUE(List.IsValidImage(0, 2));
    EXPECT_FALSE(List.IsValidImage(0, 3));
    EXPECT_FALSE(List.IsValidImage(0, -1));
    EXPECT_FALSE(List.IsValidImage(2, 0));
    EXPECT_EQ(List.GetItemDimension(1, 0), 6);
    EXPECT_EQ(List.GetItemDimension(1, 1), 2);
    EXPECT_EQ(List.GetItemDimension(1, 2), 0);
    EXPECT_EQ(List.GetItemDimension(2, 0), 0);
    EXPECT_EQ(List.GetTransparentColor(2, 0), 0xFFFFFF);
    EXPECT_EQ(List.GetImagePixel(TPoint{0, 0}, 2, 0), 0xFFFFFF);
    EXPECT_EQ(List.GetItemPalette(2), nullptr);
    EXPECT_FALSE(List.IsMasked(0));
    EXPECT_TRUE(List.IsMasked(1));
}

TEST_F(ImageListOperations, NegativeAndUntestedIndexesRaise) {
    TRect rect{};
    TBitmap bitmap;
    EXPECT_THROW(List.GetImageCount(-1), EListError);
    EXPECT_THROW(List.IsValidImage(-1, 0), EListError);
    EXPECT_THROW(List.GetTransparentColor(-1, 0), EListError);
    EXPECT_THROW(List.IsMasked(2), EListError);
    EXPECT_THROW(List.GetItemCanvas(2), EListError);
    EXPECT_THROW(List.GetImageRect(0, 3, rect), EListError);
    EXPECT_THROW(List.GetImage(0, 3, &bitmap), EListError);
    EXPECT_THROW(List.GetTransparentColor(0, 3), EListError);
    EXPECT_NO_THROW(List.GetImage(9, 9, nullptr));
}

TEST_F(ImageListOperations, ReachTheImages) {
    auto& item = *List.ImageItems(0);
    TRect rect{};
    List.GetImageRect(0, 2, rect);
    EXPECT_EQ(rect.left, 8);
    EXPECT_EQ(rect.right, 12);
    EXPECT_EQ(rect.bottom, 3);
    EXPECT_EQ(List.GetItemCanvas(0), item.Strip().Canvas());
    EXPECT_EQ(List.GetTransparentColor(0, 1), ImagePixel(item, 1, 0, 2));
    EXPECT_EQ(List.GetImagePixel(TPoint{3, -2}, 0, 1), ImagePixel(item, 1, 3, 0));
    TBitmap copy;
    List.GetImage(0, 2, &copy);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), ImagePixel(item, 2, 1, 1));
}

TEST_F(ImageListOperations, Drawing) {
    auto& item = *List.ImageItems(0);
    TBitmap target;
    target.SetSize(12, 8);
    FillWith(target, 0x123456);
    List.DrawImage(*target.Canvas(), 1, 1, 0, 1);
    EXPECT_EQ(target.Canvas()->Pixels(4, 3), ImagePixel(item, 1, 3, 2));
    EXPECT_EQ(target.Canvas()->Pixels(5, 3), 0x123456);

    TRect painted{};
    List.DrawImageRect(*target.Canvas(), TRect{0, 0, 4, 3}, 0, 0, 2, painted);
    EXPECT_EQ(painted.right, 4);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), ImagePixel(item, 2, 0, 0));

    List.DrawImageOffset(*target.Canvas(), TRect{6, 4, 10, 7}, 0, 0, clNone, 0, 0);
    EXPECT_EQ(target.Canvas()->Pixels(9, 6), ImagePixel(item, 0, 3, 2));
}

TEST(ImageList, RegistersItsItemClass) {
    const TKitImageList list(nullptr);
    EXPECT_EQ(list.ListKind(), lkImageList);
    EXPECT_EQ(GetClass("TKitImageListItem"), &TKitImageListItem::StaticClassInfo());
}

TEST(ImageList, AssignCopiesItemsAndDefaults) {
    TKitImageList from(nullptr);
    AddImageItem(from, 5, 5, 2, true)->SetDrawStyle(idsShade50);
    from.SetDefaultCompressed(true);
    from.SetDefaultPixelFormat(spfMono);
    TKitImageList to(nullptr);
    to.Assign(&from);
    ASSERT_EQ(to.Count(), 1);
    EXPECT_EQ(to.ImageItems(0)->Count(), 2);
    EXPECT_TRUE(to.ImageItems(0)->Masked());
    EXPECT_EQ(to.ImageItems(0)->DrawStyle(), idsShade50);
    EXPECT_TRUE(to.DefaultCompressed());
    EXPECT_EQ(to.DefaultPixelFormat(), spfMono);
    EXPECT_TRUE(SamePixels(to.ImageItems(0)->Strip(), from.ImageItems(0)->Strip()));
    TKitBitmapList other(nullptr);
    EXPECT_THROW(to.Assign(&other), EConvertError);
}

TEST(ImageList, ListFileRoundTrip) {
    TTempFolder folder;
    TKitImageList list(nullptr);
    AddImageItem(list, 4, 4, 2);
    auto* second = AddImageItem(list, 3, 5, 3, true);
    second->SetCompressed(true);
    AddImageItem(list, 8, 8, 0);
    list.SaveToListFile(folder.File("i.kil"));

    std::int32_t count = 0;
    TList table;
    EXPECT_EQ(ReadListFileHeader(folder.File("i.kil"), count, &table),
              static_cast<std::uint8_t>(lkImageList));
    EXPECT_EQ(count, 3);

    TKitImageList copy(nullptr);
    copy.LoadFromListFile(folder.File("i.kil"));
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.ImageItems(1)->Count(), 3);
    EXPECT_TRUE(copy.ImageItems(1)->Masked());
    EXPECT_TRUE(copy.ImageItems(1)->Compressed());
    EXPECT_TRUE(SamePixels(copy.ImageItems(1)->Strip(), second->Strip()));
    EXPECT_TRUE(SamePixels(copy.ImageItems(1)->MaskStrip(), second->MaskStrip()));
    EXPECT_EQ(copy.ImageItems(2)->Count(), 0);
    EXPECT_EQ(copy.ImageItems(2)->Width(), 8);

    TMemoryStream first;
    list.SaveToListStream(first);
    TMemoryStream again;
    copy.SaveToListStream(again);
    EXPECT_EQ(first.Bytes(), again.Bytes());
}

TEST(ImageList, ListFileWithHostileCountOrOffsets) {
    TTempFolder folder;
    TMemoryStream file;
    WriteListFileSignature(file, lkImageList);
    WriteInt32(file, 1000000000);
    WriteInt32(file, 0);
    const std::string name = folder.File("bad.kil");
    WriteFileBytes(name, file.Bytes());
    TKitImageList list(nullptr);
    EXPECT_THROW(list.LoadFromListFile(name), Exception);
    EXPECT_EQ(list.Count(), 0);

    TMemoryStream pastEnd;
    WriteListFileSignature(pastEnd, lkImageList);
    WriteInt32(pastEnd, 1);
    WriteInt32(pastEnd, 5000);
    WriteFileBytes(name, pastEnd.Bytes());
    EXPECT_THROW(list.LoadFromListFile(name), Exception);
}

TEST(ImageList, FormResourceRoundTrip) {
    TKitImageList list(nullptr);
    list.SetName("Images");
    auto* a = AddImageItem(list, 4, 4, 2, true);
    a->SetIdent(3);
    a->SetCompressed(true);
    AddImageItem(list, 16, 16, 0)->SetDescription("leer");
    const auto form = WriteForm(list);
    const std::string text = FormText(form);
    EXPECT_NE(text.find("Internal = {"), std::string::npos);
    EXPECT_EQ(text.find("Bitmap = {"), std::string::npos);

    TKitImageList copy(nullptr);
    ReadForm(copy, form);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.ImageItems(0)->Ident(), 3);
    EXPECT_EQ(copy.ImageItems(0)->Count(), 2);
    EXPECT_TRUE(SamePixels(copy.ImageItems(0)->Strip(), a->Strip()));
    EXPECT_TRUE(SamePixels(copy.ImageItems(0)->MaskStrip(), a->MaskStrip()));
    EXPECT_EQ(copy.ImageItems(1)->Description(), "leer");
    EXPECT_EQ(WriteForm(copy), form);
}

TEST(ImageList, FormWithOnlyTheBitmapPropertyLoadsTheImages) {
    TKitImageListItem model(nullptr);
    model.SetWidth(2);
    model.SetHeight(2);
    FillImageItem(model, 3);
    TMemoryStream strip;
    model.WriteStrip(strip);

    const std::string text = "object Images: TKitImageList\n"
                             "  object TKitImageListItem\n"
                             "    Height = 2\n"
                             "    Width = 2\n"
                             "    Bitmap = {" +
                             HexOf(strip.Bytes()) +
                             "}\n"
                             "  end\n"
                             "end\n";
    TKitImageList list(nullptr);
    ReadForm(list, FormFromText(text));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.ImageItems(0)->Count(), 3);
    EXPECT_TRUE(SamePixels(list.ImageItems(0)->Strip(), model.Strip()));
    const std::string again = FormText(WriteForm(list));
    EXPECT_NE(again.find("Internal = {"), std::string::npos);
    EXPECT_EQ(again.find("Bitmap = {"), std::string::npos);
}

} // namespace
