// String lists as data blocks of list items.

#include "components/kititemstream.h"
#include "platform/classes/Stream.h"
#include "platform/classes/StringList.h"

void WriteStrings(TStream& Stream, const TStrings& List, bool Compressed) {
    WriteDataBlock(Stream, Compressed, [&List](TStream& s) { List.SaveToStream(s); });
}

void ReadStrings(TStream& Stream, TStrings& List, bool Compressed) {
    TMemoryStream payload;
    ReadDataBlock(Stream, Compressed, payload);
    List.LoadFromStream(payload);
}
