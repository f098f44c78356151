// The UTF-8 byte-order mark at the start of a source.

#include "app/split/Utf8Mark.h"

#include <algorithm>
#include <cstring>

bool TUtf8MarkSkipper::HasMark() {
    if (!FHeadRead) {
        FHeadSize = ReadUpTo(FSource, FHead, sizeof FHead);
        FHeadRead = true;
        FMark = std::string_view(FHead, FHeadSize) == Utf8Mark;
        FHeadPos = FMark ? FHeadSize : 0;
    }
    return FMark;
}

std::size_t TUtf8MarkSkipper::ReadSome(char* buffer, std::size_t capacity) {
    HasMark();
    if (FHeadPos < FHeadSize && capacity > 0) {
        // What was read to look for the mark and is no mark is data.
        const std::size_t count = std::min(capacity, FHeadSize - FHeadPos);
        std::memcpy(buffer, FHead + FHeadPos, count);
        FHeadPos += count;
        return count;
    }
    return FSource.ReadSome(buffer, capacity);
}
