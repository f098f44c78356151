#include "components/imagelists/kititembitmap.h"

#include "components/imagelists/kitbitmapblock.h"
#include "components/drawing/kitdib.h"
#include "components/codec/kititemstream.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Stream.h"

const TClassInfo& TKitItemBitmap::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitItemBitmap>("TKitItemBitmap");
    return info;
}

void TKitItemBitmap::ReadData(TStream& stream) {
    ChargeBitmapData(stream);
    TBitmap::ReadData(stream);
}

void WriteBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed, int Colours) {
    if (Colours == OwnBitmapFormat) {
        WriteDataBlock(Stream, Compressed, [&Bitmap](TStream& s) { Bitmap.SaveToStream(s); });
        return;
    }
    if (!Compressed) {
        // The writer puts the length in front itself.
        WriteBitmapDIB(Stream, Bitmap, true, Colours);
        return;
    }
    WriteDataBlock(Stream, true, [&Bitmap, Colours](TStream& s) {
        TMemoryStream image;
        BitmapToStream(image, Bitmap, Colours);
        s.CopyFrom(image, image.GetSize());
    });
}

void ReadBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed) {
    TMemoryStream payload;
    ReadBitmapBlock(Stream, Compressed, payload);
    Bitmap.LoadFromStream(payload);
}
