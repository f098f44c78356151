#include "components/codec/kiterrors.h"

#include "components/codec/kitlzrw.h"
#include "platform/classes/Stream.h"

#include <algorithm>

std::int64_t StreamRemaining(TStream& stream) {
    return std::max<std::int64_t>(0, stream.GetSize() - stream.GetPosition());
}

void RaiseCorruptData() {
    throw EReadError(LZRWCorruptDataMessage);
}

void RaiseBadBlockLength() {
    throw EReadError("Ungültige Datenlänge im Stream");
}

void RaiseDecodeLimit() {
    throw EKitDecodeLimit("Die entpackten Daten überschreiten die erlaubte Größe");
}

void RaiseInvalidBitmap() {
    throw Exception("Bitmap ist ungültig");
}
