// Sources, sinks and file helpers for the split's tests.

#include "SplitTestSupport.h"

#include "platform/rtl/OSFile.h"

#include <gtest/gtest.h>

#include <filesystem>

void TMemoryParts::Open(std::int64_t part) {
    EXPECT_FALSE(IsOpen) << "part " << part << " opened while another is open";
    EXPECT_EQ(part, static_cast<std::int64_t>(Parts.size())) << "parts out of order";
    ++Opens;
    if (BeforeOpen) {
        BeforeOpen(part);
    }
    Parts.emplace_back();
    IsOpen = true;
}

void TMemoryParts::Write(const char* bytes, std::size_t count) {
    EXPECT_TRUE(IsOpen) << "write without an open part";
    EXPECT_GT(count, 0u) << "empty write";
    ++Writes;
    if (BeforeWrite) {
        BeforeWrite(FWritten);
    }
    Parts.back().append(bytes, count);
    FWritten += count;
}

void TMemoryParts::Close() {
    EXPECT_TRUE(IsOpen) << "close without an open part";
    IsOpen = false;
    ++Closes;
    if (AfterClose) {
        AfterClose();
    }
}

void TMemoryParts::Discard() noexcept {
    IsOpen = false;
    ++Discards;
}

std::int64_t TMemoryParts::LineEndsWritten() const {
    std::int64_t count = 0;
    for (const std::string& part : Parts) {
        for (std::size_t at = part.find("\r\n"); at != std::string::npos;
             at = part.find("\r\n", at + 2)) {
            ++count;
        }
    }
    return count;
}

std::string NumberedLines(std::int64_t count, const std::string& lineEnd,
                          const std::string& prefix) {
    std::string text;
    for (std::int64_t line = 1; line <= count; ++line) {
        text += prefix + std::to_string(line) + lineEnd;
    }
    return text;
}

TSplitFolder::TSplitFolder(const std::wstring& stem)
    : FSource(File(stem + L".txt")), FOutput(File(stem) / L"") {
    std::filesystem::create_directory(File(stem));
}

std::filesystem::path TSplitFolder::File(const std::wstring& name) const {
    return std::filesystem::path(FTemp.Path()) / name;
}

std::filesystem::path TSplitFolder::Part(std::int64_t part, const std::wstring& extension) const {
    return FOutput / (std::to_wstring(part) + extension);
}

TFileSplit TSplitFolder::Split(const std::string& data, std::int32_t limit,
                               const TSplitTuning& tuning, const std::wstring& extension) {
    WriteWholeFile(FSource, data);
    std::filesystem::remove_all(FOutput.parent_path());
    std::filesystem::create_directory(FOutput.parent_path());
    TSplitProgress progress;
    progress.LineLimit = [limit] { return limit; };
    TFileSplit split;
    split.Result = SplitFiles(FSource, FOutput, extension, progress, tuning);
    split.Parts = ReadParts(extension);
    return split;
}

TSplitResult SplitFiles(const std::filesystem::path& source, const std::filesystem::path& output,
                        const std::wstring& extension, const TSplitProgress& progress,
                        const TSplitTuning& tuning) {
    return SplitLines(source.wstring(), output.wstring(), extension, progress, tuning);
}

std::vector<std::string> TSplitFolder::ReadParts(const std::wstring& extension) const {
    std::vector<std::string> parts;
    for (std::int64_t part = 0; std::filesystem::exists(Part(part, extension)); ++part) {
        parts.push_back(ReadWholeFile(Part(part, extension)));
    }
    return parts;
}

namespace {

int OpenDescriptors() {
#ifdef _WIN32
    return 0;
#else
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
#endif
}

} // namespace

TOpenFiles::TOpenFiles() : FCount(OpenDescriptors()) {}

void TOpenFiles::ExpectClosed(const std::vector<std::filesystem::path>& names) const {
    EXPECT_EQ(OpenDescriptors(), FCount);
#ifdef _WIN32
    for (const std::filesystem::path& name : names) {
        EXPECT_NO_THROW(TOSFile::Create(name.native()).Close()) << name << " is still open";
    }
#else
    (void)names;
#endif
}
