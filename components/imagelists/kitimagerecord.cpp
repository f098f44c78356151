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

// What a bitmap makes of a block: nothing of an empty one.
TBitmapFileImage PictureOf(const TMemoryStream& block) {
    if (block.Bytes().empty())
        return TBitmapFileImage{.Width = 0, .Height = 0};
    return ReadBitmapFile(block.Memory(), block.Bytes().size());
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

TKitImageStripImages MakeImageStrip(const TKitImageStripData& data, std::int32_t width,
                                    std::int32_t height, bool masked) {
    TKitImageStripImages images;
    if (data.Count <= 0)
        return images;
    images.Strip = PictureOf(data.Strip);
    if (masked) {
        images.Mask = PictureOf(data.Mask);
        // A mask of colours would be drawn as colours: the cells would show
        // its pixels instead of the image's.
        if (!IsMonochromeImage(images.Mask))
            RaiseBadStrip();
    }
    const std::int64_t cellsWidth = std::int64_t{data.Count} * width;
    if (cellsWidth > MaxStripWidth || cellsWidth > images.Strip.Width ||
        height > images.Strip.Height)
        RaiseBadStrip();
    if (masked && (cellsWidth > images.Mask.Width || height > images.Mask.Height))
        RaiseBadStrip();
    return images;
}
