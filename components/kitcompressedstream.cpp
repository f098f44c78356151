#include "components/kitcompressedstream.h"

#include "components/kitlzrw.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

constexpr std::int64_t LengthFieldBytes = 4;

[[noreturn]] void RaiseCorrupt() {
    throw EReadError(LZRWCorruptDataMessage);
}

std::int64_t Remaining(TStream& stream) {
    return std::max<std::int64_t>(0, stream.GetSize() - stream.GetPosition());
}

} // namespace

void CompressStream(TStream& Source, TStream& Dest, std::int32_t Count) {
    const std::int64_t start = Dest.GetPosition();
    Dest.SetPosition(start + LengthFieldBytes);
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
        total += length + LengthFieldBytes;
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

void DecompressStream(TStream& Source, TStream& Dest) {
    std::uint8_t field[4];
    const std::int32_t got = Source.Read(field, sizeof field);
    if (got == 0) {
        return;
    }
    if (got != static_cast<std::int32_t>(sizeof field)) {
        RaiseCorrupt();
    }
    std::int64_t total = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(field[0]) | static_cast<std::uint32_t>(field[1]) << 8 |
        static_cast<std::uint32_t>(field[2]) << 16 | static_cast<std::uint32_t>(field[3]) << 24);
    if (total < 0 || total > Remaining(Source)) {
        RaiseCorrupt();
    }
    std::vector<std::uint8_t> block(LZRWMaxBlockBytes);
    std::vector<std::uint8_t> output(LZRWMaxInputBytes);
    while (total > 0) {
        if (total < LengthFieldBytes + 1) {
            RaiseCorrupt();
        }
        const std::int64_t length = Source.ReadInt32();
        if (length < 1 || length > LZRWMaxBlockBytes || length + LengthFieldBytes > total) {
            RaiseCorrupt();
        }
        Source.ReadBuffer(block.data(), static_cast<std::int32_t>(length));
        const std::uint16_t produced =
            LZRWDecompress(block.data(), output.data(), static_cast<std::uint16_t>(length));
        Dest.WriteBuffer(output.data(), produced);
        total -= length + LengthFieldBytes;
    }
}
