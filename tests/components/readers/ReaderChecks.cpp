#include "ReaderChecks.h"

#include "components/codec/kititemstream.h"
#include "components/data/kitdatalists.h"
#include "components/data/kitwave.h"
#include "components/imagelists/kitbitmapblock.h"
#include "components/imagelists/kitimagerecord.h"
#ifdef _WIN32
#include "components/imagelists/kitbitmaplist.h"
#include "components/imagelists/kitimagelist.h"
#endif
#include "platform/classes/Properties.h"
#include "platform/classes/Stream.h"
#include "platform/filer/Reader.h"
#include "platform/graphics/BitmapFile.h"
#include "platform/rtl/Exceptions.h"

#include <functional>
#include <typeinfo>

namespace {

constexpr const char* CheckFileName = "fuzz.kit";

bool IsListFileError(const Exception& e) {
    return typeid(e) == typeid(Exception) && e.Message().rfind("Datei ", 0) == 0 &&
           e.Message().ends_with(CheckFileName);
}

// Runs Action; "" or what escaped that the readers may not raise. Action
// opens no decode budget of its own: the readers open theirs.
std::string Refusal(const char* what, const std::function<void()>& action) {
    try {
        action();
        return {};
    } catch (const EReadError&) {
        return {};
    } catch (const EInvalidWave&) {
        return {};
    } catch (const EErrorCheckingWave&) {
        return {};
    } catch (const EInvalidGraphic&) {
        return {};
    } catch (const Exception& e) {
        if (IsListFileError(e))
            return {};
        return std::string(what) + ": unexpected " + typeid(e).name() + ": " + e.Message();
    } catch (const std::exception& e) {
        return std::string(what) + ": unexpected " + typeid(e).name() + ": " + e.what();
    }
}

#ifdef _WIN32
// The real bitmap and image lists: their items make their pictures with
// TBitmap.
using TBitmapCheckList = TKitBitmapList;
using TImageCheckList = TKitImageList;
#else
// Without Windows the items keep what TBitmap would be made from: the
// pictures of the bitmap file reader, made and checked by the same routines
// the real items call. They go by the real classes' names, so the same form
// streams name them.
class TPictureData : public TPersistent {
    TESSARO_CLASS(TPictureData, TPersistent)
public:
    // "Data" as TBitmap reads it, charged as the real item's bitmap charges.
    void DefineProperties(TFiler& filer) override {
        filer.DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                ChargeBitmapData(s);
                const std::int32_t size = s.ReadInt32();
                if (size < 0 || size > StreamRemaining(s))
                    throw EInvalidGraphic("Ungültiges Bitmap");
                std::vector<std::uint8_t> file(static_cast<std::size_t>(size));
                s.ReadBuffer(file.data(), size);
                Picture = size == 0 ? TBitmapFileImage{} : ReadBitmapFile(file.data(), file.size());
            },
            nullptr, false);
    }
    TBitmapFileImage Picture;
};

class TBitmapRecordItem : public TKitListItem {
    TESSARO_CLASS(TBitmapRecordItem, TKitListItem)
public:
    using TKitListItem::TKitListItem;
    TPictureData* Bitmap() { return &FBitmap; }
    void ReadItemData(TStream& stream) override {
        TMemoryStream image;
        if ((ReadBitmapRecord(*this, stream, image) & ItemFlagData) && !image.Bytes().empty())
            FBitmap.Picture = ReadBitmapFile(image.Memory(), image.Bytes().size());
    }
    void DefineProperties(TFiler& filer) override {
        TKitListItem::DefineProperties(filer);
        filer.DefineBinaryProperty("Internal", [this](TStream& s) { ReadItemData(s); }, nullptr,
                                   false);
    }
    void WriteItemData(TStream&) override {}
    void ClearData() override {}
    bool DataEmpty() override { return true; }

private:
    TPictureData FBitmap;
};

class TImageRecordItem : public TKitListItem {
    TESSARO_CLASS(TImageRecordItem, TKitListItem)
public:
    using TKitListItem::TKitListItem;
    void ReadItemData(TStream& stream) override {
        TKitImageRecord record;
        ReadImageRecord(*this, stream, record);
        const TKitImageRecordFields& f = record.Fields;
        FPictures = MakeImageStrip(record.Strip, f.Width, f.Height, f.Masked);
    }
    void DefineProperties(TFiler& filer) override {
        TKitListItem::DefineProperties(filer);
        filer.DefineBinaryProperty("Internal", [this](TStream& s) { ReadItemData(s); }, nullptr,
                                   false);
    }
    void WriteItemData(TStream&) override {}
    void ClearData() override {}
    bool DataEmpty() override { return true; }

private:
    TKitImageStripImages FPictures;
};

class TBitmapCheckList : public TKitCustomContainer {
    TESSARO_CLASS(TBitmapCheckList, TKitCustomContainer)
public:
    explicit TBitmapCheckList(TComponent* owner) : TKitCustomContainer(owner) {
        SetItemClass(TBitmapRecordItem::StaticClassInfo(), lkBitmapList);
    }
};

class TImageCheckList : public TKitCustomContainer {
    TESSARO_CLASS(TImageCheckList, TKitCustomContainer)
public:
    explicit TImageCheckList(TComponent* owner) : TKitCustomContainer(owner) {
        SetItemClass(TImageRecordItem::StaticClassInfo(), lkImageList);
    }
};
#endif

// The same bytes as every reader the check drives sees them.
struct TInput {
    const std::uint8_t* Data;
    std::size_t Size;
    TReadOnlyMemoryStream Stream() const {
        return TReadOnlyMemoryStream(Data, static_cast<std::int64_t>(Size));
    }
};

template <class TListClass> std::string ListMismatch(const char* kind, const TInput& in) {
    std::string failure;
    auto check = [&](const char* what, const std::function<void(TListClass&, TStream&)>& read) {
        if (!failure.empty())
            return;
        failure = Refusal(what, [&] {
            TOwnedPtr<TListClass> list(new TListClass(nullptr));
            list->SetDecodeLimit(ReaderCheckDecodeLimit);
            TReadOnlyMemoryStream stream = in.Stream();
            read(*list, stream);
        });
        if (!failure.empty())
            failure = std::string(kind) + " " + failure;
    };
    check("list file", [](TListClass& l, TStream& s) { l.LoadFromListStream(s, CheckFileName); });
    check("item block", [](TListClass& l, TStream& s) { l.ReadItems(s, false); });
    check("item block with offsets", [](TListClass& l, TStream& s) { l.ReadItems(s, true); });
    check("record", [](TListClass& l, TStream& s) {
        const int i = l.AddItem();
        while (s.GetPosition() < s.GetSize()) {
            // A record alone, with the budget every caller of ReadItemData
            // opens for it.
            const TKitDecodeBudget budget(l.DecodeLimit());
            l.Items(i)->ReadItemData(s);
        }
    });
    return failure;
}

} // namespace

#ifndef _WIN32
const TClassInfo& TPictureData::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TPictureData>("TPictureData");
    return info;
}

const TClassInfo& TBitmapRecordItem::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TBitmapRecordItem>("TKitBitmapListItem", [](TPropertyTable& t) {
            TPropertyBuilder<TBitmapRecordItem> p(t);
            p.Object("Bitmap", &TBitmapRecordItem::Bitmap).Stored = [](TObject&) { return false; };
        });
    return info;
}

const TClassInfo& TImageRecordItem::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TImageRecordItem>("TKitImageListItem");
    return info;
}

const TClassInfo& TBitmapCheckList::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBitmapCheckList>("TKitBitmapList");
    return info;
}

const TClassInfo& TImageCheckList::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TImageCheckList>("TKitImageList");
    return info;
}
#endif

std::string StringListMismatch(const std::uint8_t* data, std::size_t size) {
    return ListMismatch<TKitStringList>("string list", TInput{data, size});
}

std::string WaveListMismatch(const std::uint8_t* data, std::size_t size) {
    const TInput in{data, size};
    std::string failure = ListMismatch<TKitWaveList>("wave list", in);
    if (!failure.empty())
        return failure;
    for (bool compressed : {false, true}) {
        failure = Refusal("wave block", [&] {
            // A wave block alone, with the budget its callers open.
            const TKitDecodeBudget budget(ReaderCheckDecodeLimit);
            TKitWave wave;
            TReadOnlyMemoryStream stream = in.Stream();
            ReadWave(stream, wave, compressed);
        });
        if (!failure.empty())
            return failure;
    }
    return {};
}

std::string BitmapListMismatch(const std::uint8_t* data, std::size_t size) {
    return ListMismatch<TBitmapCheckList>("bitmap list", TInput{data, size});
}

std::string ImageListMismatch(const std::uint8_t* data, std::size_t size) {
    return ListMismatch<TImageCheckList>("image list", TInput{data, size});
}

std::string KitFormMismatch(const std::uint8_t* data, std::size_t size) {
    RegisterClasses<TKitStringList, TKitWaveList, TBitmapCheckList, TImageCheckList>();
    return Refusal("form", [&] {
        TReadOnlyMemoryStream stream = TInput{data, size}.Stream();
        TReader reader(stream);
        // The lists keep their default limits: the form's one budget bounds
        // everything it holds, as when the program reads a form.
        TOwnedPtr<TComponent> root(new TComponent(nullptr));
        reader.ReadRootComponent(root.get());
    });
}
