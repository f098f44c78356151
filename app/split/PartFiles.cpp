// The part files of a split.

#include "app/split/PartFiles.h"

#include "platform/rtl/StringUtils.h"

#include <string_view>
#include <utility>

TPartFiles::TPartFiles(std::string outputFolder, std::string extension)
    : FFolder(std::move(outputFolder)), FExtension(std::move(extension)) {}

std::string TPartFiles::Name(std::int64_t part) const {
    return FFolder + IntToStr(part) + FExtension;
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
