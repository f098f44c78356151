#include "components/imagelists/kitimagerecord.h"

#include "components/imagelists/kitbitmapblock.h"
#include "components/codec/kititemstream.h"
#include "components/data/kitlistbase.h"
#include "platform/graphics/BitmapFile.h"
#include "platform/rtl/Exceptions.h"

namespace {

[[noreturn]] void RaiseBadStrip() {
    throw EReadError("Ungültige Bildliste im Stream");
}

} // namespace

TKitImageRecordFields ReadImageRecordFields(TStream& stream) {
    TKitImageRecordFields fields;
    fields.Height = ReadInt32(stream);
    fields.Width = ReadInt32(stream);
    fields.AllocBy = ReadInt32(stream);
    fields.Masked = ReadByte(stream) != 0;
    if (fields.Height <= 0 || fields.Width <= 0 || fields.Height > MaxBitmapDimension ||
        fields.Width > MaxStripWidth)
        RaiseBadStrip();
    return fields;
}

void ReadImageStripData(TStream& stream, bool compressed, bool masked, TKitImageStripData& data) {
    data.Count = ReadInt32(stream);
    data.Strip.Clear();
    data.Mask.Clear();
    if (data.Count <= 0)
        return;
    ReadBitmapBlock(stream, compressed, data.Strip);
    if (masked)
        ReadBitmapBlock(stream, compressed, data.Mask);
}

void ReadImageRecord(TKitListItem& item, TStream& stream, TKitImageRecord& record) {
    record.Flags = item.ReadHeader(stream);
    record.Fields = ReadImageRecordFields(stream);
    ReadImageStripData(stream, item.Compressed(), record.Fields.Masked, record.Strip);
}

void CheckImageStrip(std::int32_t count, std::int32_t width, std::int32_t height, bool masked,
                     int stripWidth, int stripHeight, int maskWidth, int maskHeight) {
    const std::int64_t cellsWidth = std::int64_t{count} * width;
    if (cellsWidth > MaxStripWidth || cellsWidth > stripWidth || height > stripHeight)
        RaiseBadStrip();
    if (masked && (cellsWidth > maskWidth || height > maskHeight))
        RaiseBadStrip();
}
