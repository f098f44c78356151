#include "BitmapFileCheck.h"

#include "platform/graphics/BitmapFile.h"

#include <functional>
#include <optional>

namespace {

// The reader's result, or nothing when it refused the data.
std::optional<TBitmapFileImage> Read(const std::function<TBitmapFileImage()>& read) {
    try {
        return read();
    } catch (const EInvalidGraphic&) {
        return std::nullopt;
    }
}

std::string CheckImage(const TBitmapFileImage& image, const char* what) {
    try {
        CheckBitmapImage(image);
    } catch (const EInvalidGraphic& e) {
        return std::string(what) + ": inconsistent picture: " + e.Message();
    }
    const std::vector<std::uint8_t> written = WriteBitmapFile(image);
    const std::optional<TBitmapFileImage> again =
        Read([&] { return ReadBitmapFile(written.data(), written.size()); });
    if (!again)
        return std::string(what) + ": the written file is refused";
    if (!(*again == image))
        return std::string(what) + ": the written file reads back differently";
    return {};
}

} // namespace

std::string BitmapFileMismatch(const std::uint8_t* data, std::size_t size, bool* accepted) {
    const std::optional<TBitmapFileImage> file = Read([&] { return ReadBitmapFile(data, size); });
    if (accepted)
        *accepted = file.has_value();
    if (file) {
        std::string failure = CheckImage(*file, "file");
        if (!failure.empty())
            return failure;
    }
    if (size > 14) {
        const std::optional<TBitmapFileImage> packed =
            Read([&] { return ReadPackedBitmap(data + 14, size - 14); });
        if (packed)
            return CheckImage(*packed, "packed");
    }
    return {};
}
