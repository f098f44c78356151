#include "components/codec/kiterrors.h"

#include "components/codec/kitlzrw.h"
#include "platform/classes/Stream.h"

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
