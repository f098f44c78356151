// String lists as data blocks of list items.

#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "platform/classes/Stream.h"
#include "platform/classes/StringList.h"

#include <string>
#include <vector>

namespace {

// The lines a string list makes of Text: each ends at CR, LF or CR LF, and
// text after the last break is one more.
std::int64_t LineCount(const std::vector<std::uint8_t>& text) {
    std::int64_t lines = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == '\r') {
            ++lines;
            if (i + 1 < size && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            ++lines;
        }
    }
    if (size > 0 && text[size - 1] != '\r' && text[size - 1] != '\n')
        ++lines;
    return lines;
}

// What one line costs the list besides its characters: its text object and
// object pointer, three times over for the old and the new array while the
// list grows.
constexpr std::int64_t LineEntryBytes = 3 * (sizeof(std::string) + sizeof(void*));

} // namespace

void WriteStrings(TStream& Stream, const TStrings& List, bool Compressed) {
    WriteDataBlock(Stream, Compressed, [&List](TStream& s) { List.SaveToStream(s); });
}

void ReadStrings(TStream& Stream, TStrings& List, bool Compressed) {
    TMemoryStream payload;
    ReadDataBlock(Stream, Compressed, payload,
                  [](const std::uint8_t*, std::size_t) { return KitMaxStringBlockBytes; });
    const std::int64_t lines = LineCount(payload.Bytes());
    if (lines > KitMaxStringBlockLines)
        RaiseBadBlockLength();
    // The list copies the text, cuts it into lines and keeps an entry for
    // each: a block of nothing but line breaks must not make millions of
    // them past the budget.
    TKitDecodeBudget::Charge(2 * payload.GetSize() + lines * LineEntryBytes);
    List.LoadFromStream(payload);
}
