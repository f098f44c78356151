#include "components/kititemstream.h"

#include "components/kitcompressedstream.h"
#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>

namespace {

constexpr std::int64_t LengthFieldBytes = 4;

std::int64_t Remaining(TStream& stream) {
    return std::max<std::int64_t>(0, stream.GetSize() - stream.GetPosition());
}

[[noreturn]] void RaiseBadBlockLength() {
    throw EReadError("Ungültige Datenlänge im Stream");
}

} // namespace

void WriteInt32(TStream& Stream, std::int32_t Value) {
    Stream.WriteInt32(Value);
}

void WriteByte(TStream& Stream, std::uint8_t Value) {
    Stream.WriteByte(Value);
}

void WriteShortStr(TStream& Stream, const std::string& S) {
    const std::size_t length = std::min(S.size(), ShortStrMaxLength);
    Stream.WriteByte(static_cast<std::uint8_t>(length));
    Stream.WriteBuffer(S.data(), static_cast<std::int32_t>(length));
}

std::int32_t ReadInt32(TStream& Stream) {
    return Stream.ReadInt32();
}

std::uint8_t ReadByte(TStream& Stream) {
    return Stream.ReadByte();
}

void ReadShortStr(TStream& Stream, std::string& S) {
    const std::uint8_t length = Stream.ReadByte();
    std::string text(length, '\0');
    Stream.ReadBuffer(text.data(), length);
    S = std::move(text);
}

void WriteDataBlock(TStream& Stream, bool Compressed,
                    const std::function<void(TStream&)>& WritePayload) {
    if (Compressed) {
        TMemoryStream payload;
        WritePayload(payload);
        const std::int64_t size = payload.GetSize();
        if (size > INT32_MAX) {
            throw EWriteError("Die Daten sind zu groß");
        }
        payload.SetPosition(0);
        CompressStream(payload, Stream, static_cast<std::int32_t>(size));
        return;
    }
    // The payload's size is known only afterwards: leave room for it.
    const std::int64_t start = Stream.GetPosition();
    Stream.SetPosition(start + LengthFieldBytes);
    WritePayload(Stream);
    const std::int64_t end = Stream.GetPosition();
    const std::int64_t length = end - start - LengthFieldBytes;
    if (length > INT32_MAX) {
        throw EWriteError("Die Daten sind zu groß");
    }
    Stream.SetPosition(start);
    Stream.WriteInt32(static_cast<std::int32_t>(length));
    Stream.SetPosition(end);
}

void ReadDataBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload) {
    Payload.Clear();
    if (Compressed) {
        // Inside an item even the empty stream has its total.
        if (Remaining(Stream) < LengthFieldBytes) {
            throw EReadError("Stream-Lesefehler");
        }
        DecompressStream(Stream, Payload);
        Payload.SetPosition(0);
        return;
    }
    const std::int64_t length = Stream.ReadInt32();
    if (length < 0 || length > Remaining(Stream)) {
        RaiseBadBlockLength();
    }
    Payload.SetSize(length);
    Payload.SetPosition(0);
    Stream.ReadBuffer(Payload.Memory(), static_cast<std::int32_t>(length));
}
