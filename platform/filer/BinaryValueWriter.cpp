// Every writer goes through the stream's WriteBuffer, so a failing stream
// raises EWriteError from the first value it cannot take.

#include "platform/filer/BinaryValueWriter.h"

#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <bit>
#include <limits>

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::int32_t CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw EWriteError("Wert zu groß für den Stream");
    }
    return static_cast<std::int32_t>(size);
}

} // namespace

bool IsFormIdentifier(const std::string& name, bool dotted) {
    bool atPartStart = true;
    for (const char c : name) {
        if (c == '.' && dotted && !atPartStart) {
            atPartStart = true;
        } else if (IsLetter(c) || (IsDigit(c) && !atPartStart)) {
            atPartStart = false;
        } else {
            return false;
        }
    }
    return !atPartStart;
}

void TBinaryValueWriter::WriteSignature() {
    FStream.WriteBuffer(kFormSignature, 4);
}

void TBinaryValueWriter::WritePrefix(std::uint8_t flags, std::int32_t childPos) {
    if ((flags & ~kKnownFilerFlags) != 0 || ((flags & ffInherited) && (flags & ffInline))) {
        throw EWriteError("Ungültige Komponenten-Flags " + std::to_string(flags));
    }
    if (flags == 0) {
        return;
    }
    FStream.WriteByte(static_cast<std::uint8_t>(kPrefixMarker | flags));
    if (flags & ffChildPos) {
        WriteInteger(childPos);
    }
}

void TBinaryValueWriter::WriteStr(const std::string& value) {
    if (value.size() > 255) {
        throw EWriteError("Name zu lang (über 255 Zeichen): " + value.substr(0, 32) + "...");
    }
    FStream.WriteByte(static_cast<std::uint8_t>(value.size()));
    FStream.WriteBuffer(value.data(), static_cast<std::int32_t>(value.size()));
}

void TBinaryValueWriter::WriteEndMarker() {
    FStream.WriteByte(0);
}

void TBinaryValueWriter::WriteValueType(TValueType type) {
    FStream.WriteByte(type);
}

void TBinaryValueWriter::WriteInteger(std::int64_t value) {
    if (value >= std::numeric_limits<std::int8_t>::min() &&
        value <= std::numeric_limits<std::int8_t>::max()) {
        WriteValueType(vaInt8);
        FStream.WriteByte(static_cast<std::uint8_t>(value));
    } else if (value >= std::numeric_limits<std::int16_t>::min() &&
               value <= std::numeric_limits<std::int16_t>::max()) {
        WriteValueType(vaInt16);
        FStream.WriteInt16(static_cast<std::int16_t>(value));
    } else if (value >= std::numeric_limits<std::int32_t>::min() &&
               value <= std::numeric_limits<std::int32_t>::max()) {
        WriteValueType(vaInt32);
        FStream.WriteInt32(static_cast<std::int32_t>(value));
    } else {
        WriteValueType(vaInt64);
        FStream.WriteInt64(value);
    }
}

void TBinaryValueWriter::WriteString(const std::string& value) {
    if (value.size() <= 255) {
        WriteValueType(vaString);
        FStream.WriteByte(static_cast<std::uint8_t>(value.size()));
        FStream.WriteBuffer(value.data(), static_cast<std::int32_t>(value.size()));
    } else {
        const std::int32_t length = CheckedLength(value.size());
        WriteValueType(vaLString);
        FStream.WriteInt32(length);
        FStream.WriteBuffer(value.data(), length);
    }
}

void TBinaryValueWriter::WriteWideString(const std::u16string& value) {
    const std::int32_t count = CheckedLength(value.size());
    if (count > std::numeric_limits<std::int32_t>::max() / 2) {
        throw EWriteError("Wert zu groß für den Stream");
    }
    WriteValueType(vaWString);
    FStream.WriteInt32(count);
    for (const char16_t unit : value) {
        FStream.WriteInt16(static_cast<std::int16_t>(unit));
    }
}

void TBinaryValueWriter::WriteIdent(const std::string& value) {
    if (value == kIdentFalse) {
        WriteValueType(vaFalse);
    } else if (value == kIdentTrue) {
        WriteValueType(vaTrue);
    } else if (value == kIdentNil) {
        WriteValueType(vaNil);
    } else if (value == kIdentNull) {
        WriteValueType(vaNull);
    } else {
        if (!IsFormIdentifier(value, true) || value.size() > 255) {
            throw EWriteError("Ungültiger Bezeichner \"" + value.substr(0, 64) + "\"");
        }
        WriteValueType(vaIdent);
        WriteStr(value);
    }
}

void TBinaryValueWriter::WriteBoolean(bool value) {
    WriteValueType(value ? vaTrue : vaFalse);
}

void TBinaryValueWriter::WriteNil() {
    WriteValueType(vaNil);
}

void TBinaryValueWriter::WriteFloat(long double value) {
    WriteExtended(ExtendedFromLongDouble(value));
}

void TBinaryValueWriter::WriteExtended(const TExtended80& value) {
    WriteValueType(vaExtended);
    FStream.WriteInt64(static_cast<std::int64_t>(value.Mantissa));
    FStream.WriteInt16(static_cast<std::int16_t>(value.SignExponent));
}

void TBinaryValueWriter::WriteSingle(float value) {
    WriteSingleBits(std::bit_cast<std::uint32_t>(value));
}

void TBinaryValueWriter::WriteSingleBits(std::uint32_t bits) {
    WriteValueType(vaSingle);
    FStream.WriteInt32(static_cast<std::int32_t>(CanonicalSingle(bits)));
}

void TBinaryValueWriter::WriteCurrency(std::int64_t scaled) {
    WriteValueType(vaCurrency);
    FStream.WriteInt64(scaled);
}

void TBinaryValueWriter::WriteDate(double value) {
    WriteDateBits(std::bit_cast<std::uint64_t>(value));
}

void TBinaryValueWriter::WriteDateBits(std::uint64_t bits) {
    WriteValueType(vaDate);
    FStream.WriteInt64(static_cast<std::int64_t>(CanonicalDouble(bits)));
}

void TBinaryValueWriter::WriteSet(const std::vector<std::string>& elements) {
    for (const auto& element : elements) {
        if (!IsFormIdentifier(element, false) || element.size() > 255) {
            throw EWriteError("Ungültiges Mengenelement \"" + element.substr(0, 64) + "\"");
        }
    }
    WriteValueType(vaSet);
    for (const auto& element : elements) {
        WriteStr(element);
    }
    WriteStr("");
}

void TBinaryValueWriter::WriteBinary(const std::vector<std::uint8_t>& bytes) {
    WriteBinary(bytes.data(), CheckedLength(bytes.size()));
}

void TBinaryValueWriter::WriteBinary(const void* data, std::int32_t size) {
    if (size < 0) {
        throw EWriteError("Ungültige Länge " + std::to_string(size));
    }
    WriteValueType(vaBinary);
    FStream.WriteInt32(size);
    FStream.WriteBuffer(data, size);
}

void TBinaryValueWriter::WriteListBegin() {
    WriteValueType(vaList);
}

void TBinaryValueWriter::WriteListEnd() {
    WriteValueType(vaNull);
}

void TBinaryValueWriter::WriteCollectionBegin() {
    WriteValueType(vaCollection);
}

void TBinaryValueWriter::WriteCollectionItemBegin(std::optional<std::int32_t> order) {
    if (order) {
        WriteInteger(*order);
    }
    WriteValueType(vaList);
}

void TBinaryValueWriter::WriteCollectionItemEnd() {
    WriteEndMarker();
}

void TBinaryValueWriter::WriteCollectionEnd() {
    WriteEndMarker();
}
