// The part files of a split.

#include "app/split/PartFiles.h"

#include "platform/rtl/Exceptions.h"

#include <new>
#include <string_view>
#include <utility>

TPartFiles::TPartFiles(std::wstring outputFolder, std::wstring extension)
    : FFolder(std::move(outputFolder)), FExtension(std::move(extension)) {}

std::wstring TPartFiles::Name(std::int64_t part) const {
    return FFolder + std::to_wstring(part) + FExtension;
}

void TPartFiles::Open(std::int64_t part) {
    FWriter.OpenNew(Name(part));
    FWriting = part;
}

void TPartFiles::Write(const char* bytes, std::size_t count) {
    FWriter.Write(std::string_view(bytes, count));
}

void TPartFiles::Close() {
    FWriter.Close();
    FWriting.reset();
}

void TPartFiles::Discard() noexcept {
    if (!FWriting) {
        return;
    }
    const std::int64_t part = *std::exchange(FWriting, std::nullopt);
    try {
        FWriter.Close();
        // The part goes anyway; the failure that led here is the one to report.
    } catch (const Exception&) {
    }
    try {
        TOSFile::Delete(Name(part));
    } catch (const std::bad_alloc&) {
    }
}
