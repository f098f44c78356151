#include "components/codec/kititemstream.h"

#include "components/codec/kitcompressedstream.h"
#include "components/codec/kiterrors.h"
#include "platform/classes/Stream.h"
#include "platform/classes/Persistent.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <vector>

namespace {

// The open scopes of this thread, innermost first.
thread_local TKitDecodeBudget* CurrentBudget = nullptr;

} // namespace

TKitDecodeBudget::TKitDecodeBudget(std::int64_t limit)
    : FOuter(CurrentBudget), FRemaining(std::max<std::int64_t>(limit, 0)) {
    CurrentBudget = this;
}

TKitDecodeBudget::~TKitDecodeBudget() {
    CurrentBudget = FOuter;
}

std::int64_t TKitDecodeBudget::Allowance() {
    if (!CurrentBudget)
        return KitDefaultDecodeLimit;
    std::int64_t least = CurrentBudget->FRemaining;
    for (const TKitDecodeBudget* b = CurrentBudget->FOuter; b; b = b->FOuter)
        least = std::min(least, b->FRemaining);
    return least;
}

void TKitDecodeBudget::Charge(std::int64_t bytes) {
    if (bytes > Allowance())
        RaiseDecodeLimit();
    for (TKitDecodeBudget* b = CurrentBudget; b; b = b->FOuter)
        b->FRemaining -= bytes;
}

TKitFormDecodeScope::TKitFormDecodeScope(TFilerReader& reader)
    : FForm(reader.Shared<TFormBudget>()) {
    if (FForm.Open)
        return;
    FForm.Open = true;
    FBudget.emplace(FForm.Remaining);
}

TKitFormDecodeScope::~TKitFormDecodeScope() {
    if (!FBudget)
        return;
    FForm.Remaining = FBudget->Remaining();
    FForm.Open = false;
}

std::vector<std::uint8_t> PeekHead(TStream& Stream, std::int64_t Length) {
    std::vector<std::uint8_t> head(
        static_cast<std::size_t>(std::clamp<std::int64_t>(Length, 0, DecodedHeadBytes)));
    const std::int64_t at = Stream.GetPosition();
    Stream.ReadBuffer(head.data(), static_cast<std::int32_t>(head.size()));
    Stream.SetPosition(at);
    return head;
}

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
    Stream.SetPosition(start + KitLengthFieldBytes);
    WritePayload(Stream);
    const std::int64_t end = Stream.GetPosition();
    const std::int64_t length = end - start - KitLengthFieldBytes;
    if (length > INT32_MAX) {
        throw EWriteError("Die Daten sind zu groß");
    }
    Stream.SetPosition(start);
    Stream.WriteInt32(static_cast<std::int32_t>(length));
    Stream.SetPosition(end);
}

void ReadDataBlock(TStream& Stream, bool Compressed, TMemoryStream& Payload,
                   const TDecodedSizeBound& Bound) {
    Payload.Clear();
    const std::int64_t allowance = TKitDecodeBudget::Allowance();
    if (Compressed) {
        // Inside an item even the empty stream has its total.
        if (StreamRemaining(Stream) < KitLengthFieldBytes) {
            RaiseStreamRead();
        }
        DecompressStream(Stream, Payload, allowance, Bound);
        TKitDecodeBudget::Charge(Payload.GetSize());
        Payload.SetPosition(0);
        return;
    }
    const std::int64_t length = Stream.ReadInt32();
    if (length < 0 || length > StreamRemaining(Stream)) {
        RaiseBadBlockLength();
    }
    if (Bound) {
        const std::vector<std::uint8_t> head = PeekHead(Stream, length);
        if (length > Bound(head.data(), head.size())) {
            RaiseBadBlockLength();
        }
    }
    TKitDecodeBudget::Charge(length);
    Payload.SetSize(length);
    Payload.SetPosition(0);
    Stream.ReadBuffer(Payload.Memory(), static_cast<std::int32_t>(length));
}
