#pragma once
// Reads the values of a binary form stream. The data may be damaged or
// hostile: every inconsistency raises EReadError whose message names the
// stream offset, every length is checked against the bytes that remain
// before anything is allocated, and nesting is bounded.

#include "platform/filer/FloatEncoding.h"
#include "platform/filer/ValueTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TStream;

class TBinaryValueReader {
public:
    // Reads from the stream's current position up to its present end.
    explicit TBinaryValueReader(TStream& stream);
    TBinaryValueReader(const TBinaryValueReader&) = delete;
    TBinaryValueReader& operator=(const TBinaryValueReader&) = delete;

    TStream& Stream() { return FStream; }
    std::int64_t Position();
    bool AtEnd() { return Position() >= FSize; }

    void ReadSignature();
    // The component prefix when one is there; Flags 0 otherwise.
    TFilerPrefix ReadPrefix();
    // A short string: one length byte and the bytes.
    std::string ReadStr();
    // Whether the next byte is the 0 that ends properties, children, lists,
    // collections and collection items.
    bool EndOfList();
    // Consumes that 0 byte (EReadError when something else is there).
    void ReadListEnd();

    // The type of the next value without consuming it.
    TValueType NextValue();
    // Consumes the type byte of a value.
    TValueType ReadValue();

    void ReadListBegin();
    // vaInt8, vaInt16, vaInt32, and vaInt64 when the value fits.
    std::int32_t ReadInteger();
    // Any integer type.
    std::int64_t ReadInt64();
    // vaString, vaLString and vaUTF8String as their bytes; vaWString
    // converted to CP1252 with '?' for what it cannot hold.
    std::string ReadString();
    // vaWString as its units; the byte strings through CP1252 (vaUTF8String
    // decoded, '?' for malformed bytes).
    std::u16string ReadWideString();
    // vaIdent, and vaFalse, vaTrue, vaNil, vaNull as "False", "True", "nil",
    // "Null".
    std::string ReadIdent();
    bool ReadBoolean();
    // vaExtended, vaSingle, vaCurrency, vaDate and the integer types.
    long double ReadFloat();
    TExtended80 ReadExtended();
    std::uint32_t ReadSingleBits();
    std::int64_t ReadCurrency(); // scaled by 10000
    std::uint64_t ReadDateBits();
    std::vector<std::string> ReadSet();
    std::vector<std::uint8_t> ReadBinary();

    // vaCollection; then, while !EndOfList(), ReadCollectionItemBegin, the
    // item's properties (ReadStr + a value) while !EndOfList(), ReadListEnd;
    // finally ReadListEnd for the collection.
    void ReadCollectionBegin();
    // The optional order in front of an item, then its vaList.
    std::optional<std::int32_t> ReadCollectionItemBegin();

    // Skips one value of any type, nested values included.
    void SkipValue();

    // Raises EReadError for the data at Offset.
    [[noreturn]] void Error(std::int64_t offset, const std::string& what) const;

private:
    void Need(std::int64_t count, std::int64_t itemOffset);
    std::uint8_t PeekByte();
    std::uint8_t Byte();
    void Bytes(void* buffer, std::int32_t count);
    void Skip(std::int64_t count, std::int64_t itemOffset);
    std::int32_t Length(std::int64_t unitSize, std::int64_t itemOffset);
    TValueType Expect(TValueType type, const char* what);
    std::int64_t IntegerData(TValueType type, std::int64_t itemOffset);
    std::string StringData(TValueType type, std::int64_t itemOffset);
    void SkipValue(int depth);
    void SkipProperties(int depth);

    TStream& FStream;
    std::int64_t FSize;
};

// "vaInt8" and so on; "Werttyp <n>" for unknown numbers.
std::string ValueTypeName(std::uint8_t type);
