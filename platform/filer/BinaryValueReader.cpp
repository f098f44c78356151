// The reader asks the stream for its position instead of keeping its own, so
// callers may read raw bytes in between (binary property data).

#include "platform/filer/BinaryValueReader.h"

#include "platform/classes/Stream.h"
#include "platform/filer/AnsiCharset.h"
#include "platform/rtl/Exceptions.h"

#include <bit>
#include <limits>

namespace {

constexpr const char* kValueTypeNames[] = {
    "vaNull",    "vaList",  "vaInt8",       "vaInt16",  "vaInt32",    "vaExtended",
    "vaString",  "vaIdent", "vaFalse",      "vaTrue",   "vaBinary",   "vaSet",
    "vaLString", "vaNil",   "vaCollection", "vaSingle", "vaCurrency", "vaDate",
    "vaWString", "vaInt64", "vaUTF8String"};

bool IsIntegerType(TValueType type) {
    return type == vaInt8 || type == vaInt16 || type == vaInt32 || type == vaInt64;
}

} // namespace

std::string ValueTypeName(std::uint8_t type) {
    if (type <= kLastValueType) {
        return kValueTypeNames[type];
    }
    return "Werttyp " + std::to_string(type);
}

TBinaryValueReader::TBinaryValueReader(TStream& stream)
    : FStream(stream), FSize(stream.GetSize()) {}

std::int64_t TBinaryValueReader::Position() {
    return FStream.GetPosition();
}

void TBinaryValueReader::Error(std::int64_t offset, const std::string& what) const {
    throw EReadError("Ungültige Formulardaten bei Offset " + std::to_string(offset) + ": " + what);
}

void TBinaryValueReader::Need(std::int64_t count, std::int64_t itemOffset) {
    const std::int64_t remaining = FSize - Position();
    if (count < 0 || count > remaining) {
        Error(itemOffset, "Die Daten enden vorzeitig (" + std::to_string(count) +
                              " Bytes benötigt, " + std::to_string(remaining < 0 ? 0 : remaining) +
                              " vorhanden)");
    }
}

std::uint8_t TBinaryValueReader::PeekByte() {
    const std::uint8_t value = Byte();
    FStream.Seek(-1, TSeekOrigin::soCurrent);
    return value;
}

std::uint8_t TBinaryValueReader::Byte() {
    Need(1, Position());
    return FStream.ReadByte();
}

void TBinaryValueReader::Bytes(void* buffer, std::int32_t count) {
    Need(count, Position());
    FStream.ReadBuffer(buffer, count);
}

void TBinaryValueReader::Skip(std::int64_t count, std::int64_t itemOffset) {
    Need(count, itemOffset);
    FStream.Seek(count, TSeekOrigin::soCurrent);
}

// A 32-bit length of UnitSize-byte units that must fit in what remains.
std::int32_t TBinaryValueReader::Length(std::int64_t unitSize, std::int64_t itemOffset) {
    Need(4, itemOffset);
    const std::int32_t length = FStream.ReadInt32();
    if (length < 0) {
        Error(itemOffset, "Negative Länge " + std::to_string(length));
    }
    if (length * unitSize > FSize - Position()) {
        Error(itemOffset, "Länge " + std::to_string(length) + " übersteigt die restlichen " +
                              std::to_string(FSize - Position()) + " Bytes");
    }
    return length;
}

void TBinaryValueReader::ReadSignature() {
    const std::int64_t offset = Position();
    char signature[4] = {};
    if (FSize - offset < 4) {
        Error(offset, "Keine Formulardaten (Signatur fehlt)");
    }
    Bytes(signature, 4);
    for (int i = 0; i < 4; ++i) {
        if (signature[i] != kFormSignature[i]) {
            Error(offset, "Keine Formulardaten (falsche Signatur)");
        }
    }
}

TFilerPrefix TBinaryValueReader::ReadPrefix() {
    TFilerPrefix prefix;
    const std::int64_t offset = Position();
    const std::uint8_t marker = PeekByte();
    if ((marker & 0xF0) != kPrefixMarker) {
        return prefix;
    }
    Byte();
    prefix.Flags = marker & 0x0F;
    if ((prefix.Flags & ~kKnownFilerFlags) != 0) {
        Error(offset, "Unbekannte Komponenten-Flags " + std::to_string(prefix.Flags));
    }
    if (prefix.Flags & ffChildPos) {
        prefix.ChildPos = ReadInteger();
    }
    return prefix;
}

std::string TBinaryValueReader::ReadStr() {
    const std::uint8_t length = Byte();
    std::string result(length, '\0');
    Bytes(result.data(), length);
    return result;
}

bool TBinaryValueReader::EndOfList() {
    return PeekByte() == 0;
}

void TBinaryValueReader::ReadListEnd() {
    const std::int64_t offset = Position();
    const std::uint8_t marker = Byte();
    if (marker != 0) {
        Error(offset, "Listenende erwartet, " + ValueTypeName(marker) + " gefunden");
    }
}

TValueType TBinaryValueReader::NextValue() {
    const std::int64_t offset = Position();
    const std::uint8_t type = PeekByte();
    if (type > kLastValueType) {
        Error(offset, "Unbekannter Werttyp " + std::to_string(type));
    }
    return static_cast<TValueType>(type);
}

TValueType TBinaryValueReader::ReadValue() {
    const TValueType type = NextValue();
    Byte();
    return type;
}

TValueType TBinaryValueReader::Expect(TValueType type, const char* what) {
    const std::int64_t offset = Position();
    const TValueType found = ReadValue();
    if (found != type) {
        Error(offset, std::string(what) + " erwartet, " + ValueTypeName(found) + " gefunden");
    }
    return found;
}

void TBinaryValueReader::ReadListBegin() {
    Expect(vaList, "Liste");
}

std::int64_t TBinaryValueReader::IntegerData(TValueType type, std::int64_t offset) {
    switch (type) {
    case vaInt8:
        return static_cast<std::int8_t>(Byte());
    case vaInt16:
        Need(2, offset);
        return FStream.ReadInt16();
    case vaInt32:
        Need(4, offset);
        return FStream.ReadInt32();
    case vaInt64:
        Need(8, offset);
        return FStream.ReadInt64();
    default:
        Error(offset, "Ganzzahl erwartet, " + ValueTypeName(type) + " gefunden");
    }
}

std::int32_t TBinaryValueReader::ReadInteger() {
    const std::int64_t offset = Position();
    const std::int64_t value = ReadInt64();
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        Error(offset, "Ganzzahl " + std::to_string(value) + " außerhalb des 32-Bit-Bereichs");
    }
    return static_cast<std::int32_t>(value);
}

std::int64_t TBinaryValueReader::ReadInt64() {
    const std::int64_t offset = Position();
    const TValueType type = ReadValue();
    if (!IsIntegerType(type)) {
        Error(offset, "Ganzzahl erwartet, " + ValueTypeName(type) + " gefunden");
    }
    return IntegerData(type, offset);
}

std::string TBinaryValueReader::StringData(TValueType type, std::int64_t itemOffset) {
    std::string result;
    switch (type) {
    case vaString:
        return ReadStr();
    case vaLString:
    case vaUTF8String:
        result.resize(static_cast<std::size_t>(Length(1, itemOffset)));
        Bytes(result.data(), static_cast<std::int32_t>(result.size()));
        return result;
    default:
        Error(itemOffset, "Zeichenkette erwartet, " + ValueTypeName(type) + " gefunden");
    }
}

std::string TBinaryValueReader::ReadString() {
    const std::int64_t offset = Position();
    const TValueType type = ReadValue();
    if (type == vaWString) {
        FStream.Seek(-1, TSeekOrigin::soCurrent);
        return Utf16ToAnsi(ReadWideString());
    }
    return StringData(type, offset);
}

std::u16string TBinaryValueReader::ReadWideString() {
    const std::int64_t offset = Position();
    const TValueType type = ReadValue();
    std::u16string result;
    if (type == vaWString) {
        const std::int32_t count = Length(2, offset);
        result.resize(static_cast<std::size_t>(count));
        for (auto& unit : result) {
            unit = static_cast<char16_t>(FStream.ReadInt16());
        }
        return result;
    }
    const std::string bytes = StringData(type, offset);
    if (type == vaUTF8String) {
        for (std::size_t i = 0; i < bytes.size();) {
            char32_t codePoint = 0;
            std::size_t next = i;
            if (DecodeUtf8(bytes, next, codePoint)) {
                AppendUtf16(result, codePoint);
                i = next;
            } else {
                result += u'?';
                ++i;
            }
        }
        return result;
    }
    for (const char c : bytes) {
        AppendUtf16(result, AnsiToUnicode(static_cast<std::uint8_t>(c)));
    }
    return result;
}

std::string TBinaryValueReader::ReadIdent() {
    const std::int64_t offset = Position();
    switch (ReadValue()) {
    case vaIdent:
        return ReadStr();
    case vaFalse:
        return kIdentFalse;
    case vaTrue:
        return kIdentTrue;
    case vaNil:
        return kIdentNil;
    case vaNull:
        return kIdentNull;
    default:
        Error(offset, "Bezeichner erwartet");
    }
}

bool TBinaryValueReader::ReadBoolean() {
    const std::int64_t offset = Position();
    const TValueType type = ReadValue();
    if (type != vaFalse && type != vaTrue) {
        Error(offset, "Wahrheitswert erwartet, " + ValueTypeName(type) + " gefunden");
    }
    return type == vaTrue;
}

long double TBinaryValueReader::ReadFloat() {
    const std::int64_t offset = Position();
    const TValueType type = NextValue();
    switch (type) {
    case vaExtended:
        return ExtendedToLongDouble(ReadExtended());
    case vaSingle:
        return std::bit_cast<float>(ReadSingleBits());
    case vaCurrency:
        return static_cast<long double>(ReadCurrency()) / 10000;
    case vaDate:
        return std::bit_cast<double>(ReadDateBits());
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        return static_cast<long double>(ReadInt64());
    default:
        Error(offset, "Gleitkommazahl erwartet, " + ValueTypeName(type) + " gefunden");
    }
}

TExtended80 TBinaryValueReader::ReadExtended() {
    const std::int64_t offset = Position();
    Expect(vaExtended, "vaExtended");
    Need(10, offset);
    TExtended80 value;
    value.Mantissa = static_cast<std::uint64_t>(FStream.ReadInt64());
    value.SignExponent = static_cast<std::uint16_t>(FStream.ReadInt16());
    return value;
}

std::uint32_t TBinaryValueReader::ReadSingleBits() {
    const std::int64_t offset = Position();
    Expect(vaSingle, "vaSingle");
    Need(4, offset);
    return static_cast<std::uint32_t>(FStream.ReadInt32());
}

std::int64_t TBinaryValueReader::ReadCurrency() {
    const std::int64_t offset = Position();
    Expect(vaCurrency, "vaCurrency");
    Need(8, offset);
    return FStream.ReadInt64();
}

std::uint64_t TBinaryValueReader::ReadDateBits() {
    const std::int64_t offset = Position();
    Expect(vaDate, "vaDate");
    Need(8, offset);
    return static_cast<std::uint64_t>(FStream.ReadInt64());
}

std::vector<std::string> TBinaryValueReader::ReadSet() {
    Expect(vaSet, "Menge");
    std::vector<std::string> elements;
    for (;;) {
        std::string element = ReadStr();
        if (element.empty()) {
            return elements;
        }
        elements.push_back(std::move(element));
    }
}

std::vector<std::uint8_t> TBinaryValueReader::ReadBinary() {
    const std::int64_t offset = Position();
    Expect(vaBinary, "Binärdaten");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(Length(1, offset)));
    Bytes(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    return bytes;
}

void TBinaryValueReader::ReadCollectionBegin() {
    Expect(vaCollection, "Kollektion");
}

std::optional<std::int32_t> TBinaryValueReader::ReadCollectionItemBegin() {
    std::optional<std::int32_t> order;
    if (IsIntegerType(NextValue())) {
        order = ReadInteger();
    }
    Expect(vaList, "Kollektionselement");
    return order;
}

void TBinaryValueReader::SkipValue() {
    SkipValue(0);
}

void TBinaryValueReader::SkipValue(int depth) {
    const std::int64_t offset = Position();
    if (depth > kMaxValueNesting) {
        Error(offset, "Werte zu tief verschachtelt");
    }
    const TValueType type = ReadValue();
    switch (type) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil:
        return;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        IntegerData(type, offset);
        return;
    case vaExtended:
        Skip(10, offset);
        return;
    case vaSingle:
        Skip(4, offset);
        return;
    case vaCurrency:
    case vaDate:
        Skip(8, offset);
        return;
    case vaString:
    case vaIdent:
        Skip(Byte(), offset);
        return;
    case vaLString:
    case vaUTF8String:
    case vaBinary:
        Skip(Length(1, offset), offset);
        return;
    case vaWString:
        Skip(std::int64_t{2} * Length(2, offset), offset);
        return;
    case vaSet:
        while (true) {
            const std::uint8_t length = Byte();
            if (length == 0) {
                return;
            }
            Skip(length, offset);
        }
    case vaList:
        while (!EndOfList()) {
            SkipValue(depth + 1);
        }
        ReadListEnd();
        return;
    case vaCollection:
        while (!EndOfList()) {
            if (IsIntegerType(NextValue())) {
                SkipValue(depth + 1);
            }
            Expect(vaList, "Kollektionselement");
            SkipProperties(depth + 1);
        }
        ReadListEnd();
        return;
    }
    Error(offset, "Unbekannter Werttyp " + std::to_string(type));
}

void TBinaryValueReader::SkipProperties(int depth) {
    while (!EndOfList()) {
        ReadStr();
        SkipValue(depth);
    }
    ReadListEnd();
}
