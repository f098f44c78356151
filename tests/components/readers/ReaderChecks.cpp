#include "ReaderChecks.h"

#include "components/codec/kititemstream.h"
#include "components/data/kitdatalists.h"
#include "components/data/kitwave.h"
#include "components/imagelists/kitbitmapblock.h"
#include "components/imagelists/kitimagerecord.h"
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

// The picture TBitmap would make of a bitmap block: nothing for an empty
// one, else the bitmap file reader's rows. Its width and height.
std::pair<int, int> MakeBitmap(const TMemoryStream& image) {
    if (image.Bytes().empty())
        return {0, 0};
    const TBitmapFileImage file = ReadBitmapFile(image.Memory(), image.Bytes().size());
    return {file.Width, file.Height};
}

// The bitmap and image list items as far as they build without Windows:
// their real record readers, with the bitmap file reader making what TBitmap
// makes of the blocks on Windows.
class TBitmapRecordItem : public TKitListItem {
    TESSARO_CLASS(TBitmapRecordItem, TKitListItem)
public:
    using TKitListItem::TKitListItem;
    void ReadItemData(TStream& stream) override {
        TMemoryStream image;
        if (ReadBitmapRecord(*this, stream, image) & ItemFlagData)
            MakeBitmap(image);
    }
    void WriteItemData(TStream&) override {}
    void ClearData() override {}
    bool DataEmpty() override { return true; }
};

class TImageRecordItem : public TKitListItem {
    TESSARO_CLASS(TImageRecordItem, TKitListItem)
public:
    using TKitListItem::TKitListItem;
    void ReadItemData(TStream& stream) override {
        TKitImageRecord record;
        ReadImageRecord(*this, stream, record);
        const TKitImageRecordFields& f = record.Fields;
        MakeImageStrip(record.Strip, f.Width, f.Height, f.Masked);
    }
    void WriteItemData(TStream&) override {}
    void ClearData() override {}
    bool DataEmpty() override { return true; }
};

template <class TItem, TKitListKind Kind> class TRecordList : public TKitCustomContainer {
public:
    explicit TRecordList(TComponent* owner) : TKitCustomContainer(owner) {
        SetItemClass(TItem::StaticClassInfo(), Kind);
    }
};
using TBitmapRecordList = TRecordList<TBitmapRecordItem, lkBitmapList>;
using TImageRecordList = TRecordList<TImageRecordItem, lkImageList>;

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

const TClassInfo& TBitmapRecordItem::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBitmapRecordItem>("TBitmapRecordItem");
    return info;
}

const TClassInfo& TImageRecordItem::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TImageRecordItem>("TImageRecordItem");
    return info;
}

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
    return ListMismatch<TBitmapRecordList>("bitmap list", TInput{data, size});
}

std::string ImageListMismatch(const std::uint8_t* data, std::size_t size) {
    return ListMismatch<TImageRecordList>("image list", TInput{data, size});
}

std::string KitFormMismatch(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return {};
    const TInput in{data + 1, size - 1};
    const bool waves = (data[0] & 1) != 0;
    return Refusal("form", [&] {
        TReadOnlyMemoryStream stream = in.Stream();
        TReader reader(stream);
        // The root list's own limit bounds everything the form holds.
        if (waves) {
            TOwnedPtr<TKitWaveList> root(new TKitWaveList(nullptr));
            root->SetDecodeLimit(ReaderCheckDecodeLimit);
            reader.ReadRootComponent(root.get());
        } else {
            TOwnedPtr<TKitStringList> root(new TKitStringList(nullptr));
            root->SetDecodeLimit(ReaderCheckDecodeLimit);
            reader.ReadRootComponent(root.get());
        }
    });
}
