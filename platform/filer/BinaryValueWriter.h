#pragma once
// Writes the values of a binary form stream: the signature, component
// prefixes, short strings and typed values, each value as its type byte
// followed by its data (little-endian). Misuse that would make the stream
// unreadable (too long short strings, identifiers the text form cannot
// hold, unknown flags) raises EWriteError.

#include "platform/filer/FloatEncoding.h"
#include "platform/filer/ValueTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TStream;

class TBinaryValueWriter {
public:
    explicit TBinaryValueWriter(TStream& stream) : FStream(stream) {}
    TBinaryValueWriter(const TBinaryValueWriter&) = delete;
    TBinaryValueWriter& operator=(const TBinaryValueWriter&) = delete;

    TStream& Stream() { return FStream; }

    void WriteSignature();
    // Nothing without flags; else the prefix byte and, with ffChildPos, the
    // child position as an integer value. ffInherited and ffInline exclude
    // each other.
    void WritePrefix(std::uint8_t flags, std::int32_t childPos = 0);
    // One length byte and the bytes; over 255 bytes raises EWriteError.
    void WriteStr(const std::string& value);
    // The end of properties, children, lists and collections: one 0 byte.
    void WriteEndMarker();

    void WriteValueType(TValueType type);
    // The smallest of vaInt8, vaInt16, vaInt32 and vaInt64 that holds Value.
    void WriteInteger(std::int64_t value);
    // vaString up to 255 bytes, vaLString beyond.
    void WriteString(const std::string& value);
    // vaWString: UTF-16 units.
    void WriteWideString(const std::u16string& value);
    // "False", "True", "nil" and "Null" become their own value types; any
    // other name must be an identifier (letter or '_' first, then letters,
    // digits, '_' and '.').
    void WriteIdent(const std::string& value);
    void WriteBoolean(bool value);
    void WriteNil();
    // vaExtended (10 bytes).
    void WriteFloat(long double value);
    void WriteExtended(const TExtended80& value);
    // NaNs are written as the quiet NaN of their sign.
    void WriteSingle(float value);
    void WriteSingleBits(std::uint32_t bits);
    // A currency value is a 64-bit integer scaled by 10000.
    void WriteCurrency(std::int64_t scaled);
    void WriteDate(double value);
    void WriteDateBits(std::uint64_t bits);
    // vaSet: the element identifiers and an empty name.
    void WriteSet(const std::vector<std::string>& elements);
    // vaBinary: a 32-bit length and the bytes.
    void WriteBinary(const std::vector<std::uint8_t>& bytes);
    void WriteBinary(const void* data, std::int32_t size);

    // vaList, the values, vaNull.
    void WriteListBegin();
    void WriteListEnd();

    // vaCollection, then per item an optional order, vaList, its properties
    // and an end marker; then the end marker of the collection.
    void WriteCollectionBegin();
    void WriteCollectionItemBegin(std::optional<std::int32_t> order = std::nullopt);
    void WriteCollectionItemEnd();
    void WriteCollectionEnd();

private:
    TStream& FStream;
};

// Whether Name is an identifier of the text form (letter or '_' first, then
// letters, digits, '_'; with Dotted also '.' between parts).
bool IsFormIdentifier(const std::string& name, bool dotted);
