// The part files of a split.

#include "app/split/PartFiles.h"

#include <string_view>
#include <utility>

TPartFiles::TPartFiles(std::wstring outputFolder, std::wstring extension)
    : FFolder(std::move(outputFolder)), FExtension(std::move(extension)) {}

std::wstring TPartFiles::Name(std::int64_t part) const {
    return FFolder + std::to_wstring(part) + FExtension;
}

void TPartFiles::Open(std::int64_t part) {
    FWriter.Open(Name(part));
}

void TPartFiles::Write(const char* bytes, std::size_t count) {
    FWriter.Write(std::string_view(bytes, count));
}

void TPartFiles::Close() {
    FWriter.Close();
}
