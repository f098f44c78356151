#pragma once
// The building blocks of the binary form-stream format: the value type tags,
// the component prefix flags and the limits a reader enforces.

#include <cstdint>

// The tag byte in front of every value. The numbers are part of the format.
enum TValueType : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
};

constexpr std::uint8_t kLastValueType = vaUTF8String;

// Flags in the low nibble of a component's prefix byte (high nibble 0xF).
enum TFilerFlag : std::uint8_t {
    ffInherited = 1,
    ffChildPos = 2,
    ffInline = 4,
};

constexpr std::uint8_t kPrefixMarker = 0xF0;
constexpr std::uint8_t kKnownFilerFlags = ffInherited | ffChildPos | ffInline;

// What the optional prefix of a component says.
struct TFilerPrefix {
    std::uint8_t Flags = 0;    // TFilerFlag bits
    std::int32_t ChildPos = 0; // meaningful only with ffChildPos
};

// The 4-byte signature at the start of every form stream.
constexpr char kFormSignature[4] = {'T', 'P', 'F', '0'};

// Nesting limits: lists and collections inside values, and components inside
// components. Deeper data is rejected instead of exhausting the stack.
constexpr int kMaxValueNesting = 64;
constexpr int kMaxComponentNesting = 128;

// Names of the identifiers that have value types of their own.
constexpr const char* kIdentFalse = "False";
constexpr const char* kIdentTrue = "True";
constexpr const char* kIdentNil = "nil";
constexpr const char* kIdentNull = "Null";
