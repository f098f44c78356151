// String lists as data blocks of list items.

#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "platform/classes/Stream.h"
#include "platform/classes/StringList.h"

#include <algorithm>

namespace {

// Each line costs a list entry besides its characters; a block of nothing
// but line breaks must not make millions of them.
std::int64_t LineBreaks(const TMemoryStream& payload) {
    const auto& bytes = payload.Bytes();
    return std::count_if(bytes.begin(), bytes.end(),
                         [](std::uint8_t b) { return b == '\r' || b == '\n'; });
}

} // namespace

void WriteStrings(TStream& Stream, const TStrings& List, bool Compressed) {
    WriteDataBlock(Stream, Compressed, [&List](TStream& s) { List.SaveToStream(s); });
}

void ReadStrings(TStream& Stream, TStrings& List, bool Compressed) {
    TMemoryStream payload;
    ReadDataBlock(Stream, Compressed, payload,
                  [](const std::uint8_t*, std::size_t) { return KitMaxStringBlockBytes; });
    if (LineBreaks(payload) > KitMaxStringBlockLines)
        RaiseBadBlockLength();
    List.LoadFromStream(payload);
}
