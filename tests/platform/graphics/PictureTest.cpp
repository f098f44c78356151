// Pictures: the graphic they hold, copies, change events, and the "Data"
// property through the component writer and reader, as form resources
// store an image's picture.

#include "TestBitmaps.h"

#include "platform/classes/Component.h"
#include "platform/classes/Stream.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Picture.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

// A component that publishes a picture, as an image control does.
class TPictureHolder : public TComponent {
    TESSARO_CLASS(TPictureHolder, TComponent)
public:
    using TComponent::TComponent;
    TPicture* Picture() const { return FPicture.get(); }
    TBitmap* Glyph() const { return FGlyph.get(); }

private:
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
};

struct TChangeCounter : TComponent {
    using TComponent::TComponent;
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

TBytes Write(TPictureHolder& holder) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRootComponent(&holder);
    return stream.Bytes();
}

void Read(TPictureHolder& holder, const TBytes& bytes) {
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TReader reader(stream);
    reader.ReadRootComponent(&holder);
}

// The binary value stored for the property Name, or nothing.
std::optional<TBytes> BinaryProperty(const TBytes& form, const std::string& name) {
    TBytes key = {static_cast<std::uint8_t>(name.size())};
    key.insert(key.end(), name.begin(), name.end());
    key.push_back(10); // vaBinary
    const auto at = std::search(form.begin(), form.end(), key.begin(), key.end());
    if (at == form.end())
        return std::nullopt;
    const std::size_t start = static_cast<std::size_t>(at - form.begin()) + key.size();
    const std::uint32_t length = Get32At(form, start);
    return TBytes(form.begin() + static_cast<std::ptrdiff_t>(start + 4),
                  form.begin() + static_cast<std::ptrdiff_t>(start + 4 + length));
}

std::unique_ptr<TBitmap> RedSquare(int size) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(size, size);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    bitmap->Canvas()->FillRect({0, 0, size, size});
    return bitmap;
}

// A graphic kind of the tests' own, to show the registry takes others.
class TTestGraphic : public TBitmap {
    TESSARO_CLASS(TTestGraphic, TBitmap)
};

} // namespace

const TClassInfo& TPictureHolder::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TPictureHolder>("TPictureHolder", [](TPropertyTable& t) {
            TPropertyBuilder<TPictureHolder> p(t);
            p.Object("Picture", &TPictureHolder::Picture);
            p.Object("Glyph", &TPictureHolder::Glyph);
        });
    return info;
}

const TClassInfo& TTestGraphic::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TTestGraphic>("TTestGraphic");
    return info;
}

TEST(Picture, EmptyUntilABitmapIsAsked) {
    TPicture picture;
    TChangeCounter counter(nullptr);
    picture.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&counter);
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    TBitmap* bitmap = picture.Bitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(picture.Graphic(), bitmap);
    EXPECT_EQ(picture.Bitmap(), bitmap) << "made once";
    EXPECT_EQ(counter.Count, 0) << "empty stays empty";

    bitmap->SetSize(5, 3);
    EXPECT_EQ(counter.Count, 1) << "the graphic's changes reach the picture";
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 3);
    bitmap->Canvas()->FillRect({0, 0, 1, 1});
    EXPECT_EQ(counter.Count, 2);
}

TEST(Picture, AssignCopiesTheGraphic) {
    auto red = RedSquare(4);
    TPicture a;
    a.SetBitmap(red.get());
    EXPECT_NE(a.Bitmap(), red.get());
    EXPECT_EQ(a.Bitmap()->Canvas()->Pixels(3, 3), clRed);

    TPicture b;
    b.Assign(&a);
    ASSERT_NE(b.Graphic(), nullptr);
    EXPECT_NE(b.Graphic(), a.Graphic());
    a.Bitmap()->Canvas()->SetPixels(0, 0, clBlue);
    EXPECT_EQ(b.Bitmap()->Canvas()->Pixels(0, 0), clRed) << "independent";

    TBitmap out;
    out.Assign(&b); // a picture hands its graphic to a bitmap
    EXPECT_EQ(out.Width(), 4);
    b.Assign(nullptr);
    EXPECT_EQ(b.Graphic(), nullptr);
    out.Assign(&b);
    EXPECT_TRUE(out.Empty());

    TFont font;
    EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(Picture, RegistryCreatesGraphicsByClassName) {
    EXPECT_NE(CreateGraphic("TBitmap"), nullptr);
    EXPECT_NE(CreateGraphic("tbitmap"), nullptr);
    EXPECT_EQ(CreateGraphic("TJPEGImage"), nullptr);
    TTestGraphic unknown;
    unknown.SetSize(1, 1);
    TPicture picture;
    EXPECT_THROW(picture.SetGraphic(&unknown), EInvalidGraphic);
    RegisterGraphicClass("TTestGraphic", []() -> std::unique_ptr<TGraphic> {
        return std::make_unique<TTestGraphic>();
    });
    picture.SetGraphic(&unknown);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TTestGraphic");
}

TEST(PictureStreaming, DataRoundTripsThroughWriterAndReader) {
    TPictureHolder holder(nullptr);
    holder.SetName("Holder");
    auto red = RedSquare(5);
    red->Canvas()->SetPixels(0, 0, clBlue);
    holder.Picture()->SetBitmap(red.get());
    const TBytes form = Write(holder);

    // Data: "TBitmap" as a short string, the size, the bitmap file.
    const std::optional<TBytes> data = BinaryProperty(form, "Picture.Data");
    ASSERT_TRUE(data.has_value());
    TMemoryStream file;
    red->SaveToStream(file);
    TBytes expected = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
    const std::uint32_t size = static_cast<std::uint32_t>(file.Bytes().size());
    for (int i = 0; i < 4; ++i)
        expected.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    expected.insert(expected.end(), file.Bytes().begin(), file.Bytes().end());
    EXPECT_EQ(*data, expected);

    TPictureHolder read(nullptr);
    Read(read, form);
    ASSERT_NE(read.Picture()->Graphic(), nullptr);
    EXPECT_EQ(read.Picture()->Width(), 5);
    EXPECT_EQ(read.Picture()->Bitmap()->Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(read.Picture()->Bitmap()->Canvas()->Pixels(4, 4), clRed);
    EXPECT_EQ(Write(read), form) << "written back byte for byte";
}

TEST(PictureStreaming, EmptyGraphicsAreNotStored) {
    TPictureHolder holder(nullptr);
    holder.SetName("Holder");
    EXPECT_FALSE(BinaryProperty(Write(holder), "Picture.Data").has_value());
    holder.Picture()->Bitmap()->SetSize(0, 7);
    EXPECT_FALSE(BinaryProperty(Write(holder), "Picture.Data").has_value());
    EXPECT_FALSE(BinaryProperty(Write(holder), "Glyph.Data").has_value());
}

TEST(PictureStreaming, BitmapPropertyStoresItsSizedFile) {
    TPictureHolder holder(nullptr);
    holder.SetName("Holder");
    auto red = RedSquare(3);
    holder.Glyph()->Assign(red.get());
    const TBytes form = Write(holder);
    const std::optional<TBytes> data = BinaryProperty(form, "Glyph.Data");
    ASSERT_TRUE(data.has_value());
    TMemoryStream sized;
    red->WriteData(sized);
    EXPECT_EQ(*data, sized.Bytes()) << "no class name in front";

    TPictureHolder read(nullptr);
    Read(read, form);
    EXPECT_EQ(read.Glyph()->Canvas()->Pixels(2, 2), clRed);
}

TEST(PictureStreaming, DamagedDataIsAReadErrorNamingTheProperty) {
    TPictureHolder holder(nullptr);
    holder.SetName("Holder");
    auto red = RedSquare(2);
    holder.Picture()->SetBitmap(red.get());
    const TBytes form = Write(holder);
    const auto nameAt =
        std::search(form.begin(), form.end(), std::begin("TBitmap"), std::end("TBitmap") - 1);
    ASSERT_NE(nameAt, form.end());

    auto readError = [](const TBytes& bytes) -> std::string {
        TPictureHolder target(nullptr);
        try {
            Read(target, bytes);
        } catch (const EReadError& e) {
            return e.Message();
        }
        return "";
    };
    TBytes unknownClass = form;
    unknownClass[static_cast<std::size_t>(nameAt - form.begin()) + 1] = 'X';
    const std::string unknown = readError(unknownClass);
    EXPECT_NE(unknown.find("Picture.Data"), std::string::npos) << unknown;
    EXPECT_NE(unknown.find("TXitmap"), std::string::npos) << unknown;

    TBytes badBitmap = form;
    const std::size_t file = static_cast<std::size_t>(nameAt - form.begin()) + 7 + 4;
    ASSERT_EQ(badBitmap[file], 'B');
    badBitmap[file + 28] = 7; // bits per pixel
    const std::string bad = readError(badBitmap);
    EXPECT_NE(bad.find("Ungültiges Bitmap"), std::string::npos) << bad;
}
