// String lists as data blocks of list items.

#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "platform/classes/Stream.h"
#include "platform/classes/StringList.h"

#include <string>
#include <vector>

namespace {

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
    const auto& bytes = payload.Bytes();
    const std::int64_t lines =
        CountTextLines({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    if (lines > KitMaxStringBlockLines)
        RaiseBadBlockLength();
    // The list copies the text, cuts it into lines and keeps an entry for
    // each: a block of nothing but line breaks must not make millions of
    // them past the budget.
    TKitDecodeBudget::Charge(2 * payload.GetSize() + lines * LineEntryBytes);
    List.LoadFromStream(payload);
}
