#include "components/imagelists/kitbitmapblock.h"

#include "components/codec/kititemstream.h"
#include "components/data/kitlistbase.h"
#include "platform/classes/Stream.h"
#include "platform/graphics/BitmapFile.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr std::size_t FileHeaderBytes = 14;
constexpr std::uint32_t CoreHeaderBytes = 12;
constexpr std::uint32_t Rle8 = 1;
constexpr std::uint32_t Rle4 = 2;
// Headers, masks and a full colour table of any bitmap version fit in this;
// a file whose pixels start further out is not one the kit writes or reads.
constexpr std::int64_t MaxHeaderBytes = 64 * 1024;

std::uint32_t Get(const std::uint8_t* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// What the file and info headers say, as far as the sizes depend on it.
struct THeader {
    std::uint32_t PixelOffset = 0;
    std::uint32_t InfoSize = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    int BitCount = 0;
    std::uint32_t Compression = 0;
};

// Nothing for a head the bitmap reader refuses before it sizes any row.
std::optional<THeader> ParseHeader(const std::uint8_t* head, std::size_t size) {
    if (size < FileHeaderBytes + 4 || head[0] != 'B' || head[1] != 'M')
        return std::nullopt;
    THeader h;
    h.PixelOffset = Get(head + 10, 4);
    h.InfoSize = Get(head + 14, 4);
    if (h.InfoSize == CoreHeaderBytes) {
        if (size < FileHeaderBytes + CoreHeaderBytes)
            return std::nullopt;
        h.Width = Get(head + 18, 2);
        h.Height = Get(head + 20, 2);
        h.BitCount = static_cast<int>(Get(head + 24, 2));
    } else {
        if (size < FileHeaderBytes + 20)
            return std::nullopt;
        h.Width = static_cast<std::int32_t>(Get(head + 18, 4));
        h.Height = std::llabs(static_cast<std::int32_t>(Get(head + 22, 4)));
        h.BitCount = static_cast<int>(Get(head + 28, 2));
        h.Compression = Get(head + 30, 4);
    }
    if (h.Width <= 0 || h.Height <= 0 || h.Width > MaxBitmapDimension ||
        h.Height > MaxBitmapDimension || h.BitCount <= 0 || h.BitCount > 32)
        return std::nullopt;
    return h;
}

} // namespace

std::int64_t BitmapFileSizeBound(const std::uint8_t* head, std::size_t size) {
    const std::optional<THeader> h = ParseHeader(head, size);
    if (!h)
        return static_cast<std::int64_t>(size);
    std::int64_t rows = 0;
    if (h->Compression == Rle8 || h->Compression == Rle4) {
        // At worst every pixel sits in an absolute run of its own row: two
        // bytes of run header per pixel pair, an end-of-line per row.
        rows = (2 * static_cast<std::int64_t>(BitmapRowSize(h->Width, 8)) + 4) * h->Height + 2;
    } else {
        rows = static_cast<std::int64_t>(BitmapRowSize(h->Width, h->BitCount)) * h->Height;
    }
    const std::int64_t headers = std::min<std::int64_t>(
        std::max<std::int64_t>(h->PixelOffset, FileHeaderBytes + h->InfoSize), MaxHeaderBytes);
    return std::min<std::int64_t>(headers + rows, MaxBitmapFileBytes);
}

std::int64_t BitmapFilePixelBytes(const std::uint8_t* head, std::size_t size) {
    const std::optional<THeader> h = ParseHeader(head, size);
    if (!h)
        return 0;
    return static_cast<std::int64_t>(BitmapRowSize(h->Width, h->BitCount)) * h->Height;
}

void ChargeBitmapFile(const std::uint8_t* head, std::size_t headSize, std::int64_t size) {
    TKitDecodeBudget::Charge(size + 2 * BitmapFilePixelBytes(head, headSize));
}

void ChargeBitmapData(TStream& Stream) {
    if (StreamRemaining(Stream) < KitLengthFieldBytes)
        return;
    const std::int64_t at = Stream.GetPosition();
    const std::int64_t size = Stream.ReadInt32();
    std::vector<std::uint8_t> head;
    if (size > 0 && size <= StreamRemaining(Stream))
        head = PeekHead(Stream, size);
    Stream.SetPosition(at);
    if (!head.empty())
        ChargeBitmapFile(head.data(), head.size(), size);
}

void ReadBitmapBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload) {
    ReadDataBlock(Stream, Compressed, Payload, &BitmapFileSizeBound);
    ChargeBitmapFile(Payload.Memory(), static_cast<std::size_t>(Payload.GetSize()),
                     Payload.GetSize());
}

std::uint8_t ReadBitmapRecord(TKitListItem& Item, TStream& Stream, TMemoryStream& Image) {
    Image.Clear();
    const std::uint8_t flags = Item.ReadHeader(Stream);
    if (flags & ItemFlagData)
        ReadBitmapBlock(Stream, Item.Compressed(), Image);
    return flags;
}
