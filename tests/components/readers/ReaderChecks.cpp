#include "ReaderChecks.h"

#include "components/imagelists/kitbitmapblock.h"
#include "components/data/kitdatalists.h"
#include "components/imagelists/kitimagerecord.h"
#include "components/codec/kititemstream.h"
#include "components/data/kitwave.h"
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

// Runs Action under the check's decode limit; "" or what escaped that the
// readers may not raise.
std::string Refusal(const char* what, const std::function<void()>& action) {
    try {
        const TKitDecodeBudget budget(ReaderCheckDecodeLimit);
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
        while (s.GetPosition() < s.GetSize())
            l.Items(i)->ReadItemData(s);
    });
    return failure;
}

// The bitmap a record's block holds, as TBitmap reads it.
void ReadBitmapPayload(TMemoryStream& payload, int& width, int& height) {
    width = 0;
    height = 0;
    if (payload.GetSize() == 0)
        return;
    const TBitmapFileImage image =
        ReadBitmapFile(payload.Memory(), static_cast<std::size_t>(payload.GetSize()));
    width = image.Width;
    height = image.Height;
}

} // namespace

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
            TKitWave wave;
            TReadOnlyMemoryStream stream = in.Stream();
            ReadWave(stream, wave, compressed);
        });
        if (!failure.empty())
            return failure;
    }
    return {};
}

std::string BitmapRecordMismatch(const std::uint8_t* data, std::size_t size) {
    const TInput in{data, size};
    return Refusal("bitmap record", [&] {
        // A bitmap item's record: the common header, then (flag 0x08) the
        // bitmap block, which TBitmap reads with the bitmap file reader.
        TOwnedPtr<TKitStringListItem> header(new TKitStringListItem(nullptr));
        TReadOnlyMemoryStream stream = in.Stream();
        while (stream.GetPosition() < stream.GetSize()) {
            if ((header->ReadHeader(stream) & ItemFlagData) == 0)
                continue;
            TMemoryStream payload;
            ReadBitmapBlock(stream, header->Compressed(), payload);
            int width = 0;
            int height = 0;
            ReadBitmapPayload(payload, width, height);
        }
    });
}

std::string ImageRecordMismatch(const std::uint8_t* data, std::size_t size) {
    const TInput in{data, size};
    return Refusal("image record", [&] {
        TOwnedPtr<TKitStringListItem> header(new TKitStringListItem(nullptr));
        TReadOnlyMemoryStream stream = in.Stream();
        while (stream.GetPosition() < stream.GetSize()) {
            header->ReadHeader(stream);
            const TKitImageRecordFields fields = ReadImageRecordFields(stream);
            TKitImageStripData strip;
            ReadImageStripData(stream, header->Compressed(), fields.Masked, strip);
            if (strip.Count <= 0)
                continue;
            int stripWidth = 0;
            int stripHeight = 0;
            int maskWidth = 0;
            int maskHeight = 0;
            ReadBitmapPayload(strip.Strip, stripWidth, stripHeight);
            ReadBitmapPayload(strip.Mask, maskWidth, maskHeight);
            CheckImageStrip(strip.Count, fields.Width, fields.Height, fields.Masked, stripWidth,
                            stripHeight, maskWidth, maskHeight);
        }
    });
}

std::string KitFormMismatch(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return {};
    const TInput in{data + 1, size - 1};
    const bool waves = (data[0] & 1) != 0;
    return Refusal("form", [&] {
        TReadOnlyMemoryStream stream = in.Stream();
        TReader reader(stream);
        if (waves) {
            TOwnedPtr<TKitWaveList> root(new TKitWaveList(nullptr));
            reader.ReadRootComponent(root.get());
        } else {
            TOwnedPtr<TKitStringList> root(new TKitStringList(nullptr));
            reader.ReadRootComponent(root.get());
        }
    });
}
