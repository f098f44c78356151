#pragma once
// The UTF-8 byte-order mark (EF BB BF) that spreadsheet programs write at the
// start of a "CSV UTF-8" file and look for when they open one. It belongs to
// the file, not to its first line: the copy takes it off the source and puts
// it at the start of every part, so that each part opens as UTF-8.

#include "platform/rtl/TextLineSplitter.h"

#include <cstddef>
#include <string_view>

inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// A byte source that hands out what follows a UTF-8 mark at the start of its
// source, or the whole source when it does not start with one.
class TUtf8MarkSkipper final : public TByteSource {
public:
    explicit TUtf8MarkSkipper(TByteSource& source) : FSource(source) {}

    // Whether the source starts with the mark; reads its first bytes on the
    // first call (raises what the source raises).
    bool HasMark();
    std::size_t ReadSome(char* buffer, std::size_t capacity) override;

private:
    TByteSource& FSource;
    char FHead[3] = {};
    std::size_t FHeadSize = 0; // bytes of FHead read from the source
    std::size_t FHeadPos = 0;  // bytes of FHead handed out or skipped
    bool FHeadRead = false;
    bool FMark = false;
};
