#include "components/codec/kitcompressedstream.h"

#include "components/codec/kiterrors.h"
#include "components/codec/kitlzrw.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// Reads a length or total when its four bytes are there.
bool ReadField(TStream& source, std::int32_t& value) {
    if (StreamRemaining(source) < KitLengthFieldBytes)
        return false;
    value = source.ReadInt32();
    return true;
}

// What a first pass over the blocks found, before anything is written.
struct TMeasure {
    int GoodBlocks = 0;
    std::int64_t Decoded = 0;
    bool Damaged = false;
    std::vector<std::uint8_t> Head;
};

class TBlockReader {
public:
    TBlockReader() : FBlock(LZRWMaxBlockBytes), FOutput(LZRWMaxInputBytes) {}

    // Reads and decodes the next block of a stream with Remaining bytes
    // left; false when the stream is damaged there.
    bool Next(TStream& source, std::int64_t& remaining) {
        std::int32_t length = 0;
        if (remaining < KitLengthFieldBytes + 1 || !ReadField(source, length) || length < 1 ||
            length > LZRWMaxBlockBytes || length + KitLengthFieldBytes > remaining)
            return false;
        if (source.Read(FBlock.data(), length) != length)
            return false;
        try {
            FProduced = LZRWDecompress(FBlock.data(), FOutput.data(),
                                       static_cast<std::uint16_t>(length));
        } catch (const EReadError&) {
            return false;
        }
        remaining -= length + KitLengthFieldBytes;
        return true;
    }
    const std::uint8_t* Output() const { return FOutput.data(); }
    std::uint16_t Produced() const { return FProduced; }

private:
    std::vector<std::uint8_t> FBlock;
    std::vector<std::uint8_t> FOutput;
    std::uint16_t FProduced = 0;
};

// Walks the blocks, decoding each into the reader's own buffer only, and
// stops as soon as the total passes Limit.
TMeasure Measure(TStream& source, std::int64_t total, std::int64_t limit, TBlockReader& reader) {
    TMeasure measure;
    std::int64_t remaining = total;
    while (remaining > 0) {
        if (!reader.Next(source, remaining)) {
            measure.Damaged = true;
            break;
        }
        measure.Decoded += reader.Produced();
        if (measure.Decoded > limit)
            RaiseDecodeLimit();
        const std::size_t take =
            std::min<std::size_t>(DecodedHeadBytes - measure.Head.size(), reader.Produced());
        measure.Head.insert(measure.Head.end(), reader.Output(), reader.Output() + take);
        ++measure.GoodBlocks;
    }
    return measure;
}

} // namespace

void CompressStream(TStream& Source, TStream& Dest, std::int32_t Count) {
    const std::int64_t start = Dest.GetPosition();
    Dest.SetPosition(start + KitLengthFieldBytes);
    std::vector<std::uint8_t> input(LZRWMaxInputBytes);
    std::vector<std::uint8_t> output(LZRWMaxInputBytes + LZRWOutputSlack);
    std::int64_t total = 0;
    while (Count > 0) {
        const std::int32_t wanted = std::min<std::int32_t>(Count, LZRWMaxInputBytes);
        const std::int32_t n = Source.Read(input.data(), wanted);
        if (n <= 0) {
            break;
        }
        const std::uint16_t length =
            LZRWCompress(input.data(), output.data(), static_cast<std::uint16_t>(n));
        total += length + KitLengthFieldBytes;
        if (total > std::numeric_limits<std::int32_t>::max()) {
            throw EWriteError("Der komprimierte Stream ist zu groß");
        }
        Dest.WriteInt32(length);
        Dest.WriteBuffer(output.data(), length);
        Count -= n;
    }
    const std::int64_t end = Dest.GetPosition();
    Dest.SetPosition(start);
    Dest.WriteInt32(static_cast<std::int32_t>(total));
    Dest.SetPosition(end);
}

void DecompressStream(TStream& Source, TStream& Dest, std::int64_t Limit,
                      const TDecodedSizeBound& Bound) {
    const std::int64_t start = Source.GetPosition();
    if (StreamRemaining(Source) == 0) {
        return;
    }
    std::int32_t total = 0;
    if (!ReadField(Source, total) || total < 0) {
        RaiseCorruptData();
    }
    TBlockReader reader;
    const TMeasure measure = Measure(Source, total, Limit, reader);
    if (Bound && measure.Decoded > Bound(measure.Head.data(), measure.Head.size())) {
        RaiseBadBlockLength();
    }

    // The same blocks again, now into Dest, which grows once.
    Source.SetPosition(start + KitLengthFieldBytes);
    const std::int64_t destStart = Dest.GetPosition();
    if (Dest.GetSize() < destStart + measure.Decoded) {
        Dest.SetSize(destStart + measure.Decoded);
    }
    std::int64_t remaining = total;
    for (int i = 0; i < measure.GoodBlocks; ++i) {
        if (!reader.Next(Source, remaining)) {
            RaiseCorruptData(); // the source changed between the passes
        }
        Dest.WriteBuffer(reader.Output(), reader.Produced());
    }
    if (measure.Damaged) {
        RaiseCorruptData();
    }
}
