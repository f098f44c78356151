#pragma once
// Floating-point values as the form stream stores them: the 10-byte x87
// extended format, IEEE single and double. The conversions work on the bit
// patterns and never depend on the host's long double layout.

#include <cstdint>

// A binary floating-point value taken apart: Mantissa * 2^Exponent.
struct TFloatParts {
    enum class TKind { Finite, Infinite, NaN };
    TKind Kind = TKind::Finite;
    bool Negative = false;
    std::uint64_t Mantissa = 0;
    int Exponent = 0;
};

// The shape of a format: Precision mantissa bits (with the leading bit);
// a normalized value has the top mantissa bit set, only values at
// MinExponent may have it clear (denormals). Exponents are those of the
// lowest mantissa bit.
struct TFloatFormat {
    int Precision;
    int MinExponent;
    int MaxExponent;
};

inline constexpr TFloatFormat kExtendedFormat{64, -16445, 16320};
inline constexpr TFloatFormat kDoubleFormat{53, -1074, 971};
inline constexpr TFloatFormat kSingleFormat{24, -149, 104};

// The 10 bytes of an extended value: 64-bit mantissa with an explicit
// leading bit, then sign and 15-bit biased exponent.
struct TExtended80 {
    std::uint64_t Mantissa = 0;
    std::uint16_t SignExponent = 0;
    friend bool operator==(const TExtended80&, const TExtended80&) = default;
};

// Decoding normalizes what the hardware would call unnormals, so equal
// values give equal parts. Encoding expects normalized parts in range and
// writes NaNs as the quiet NaN.
TFloatParts DecodeExtended(const TExtended80& value);
TExtended80 EncodeExtended(const TFloatParts& parts);
TFloatParts DecodeDouble(std::uint64_t bits);
std::uint64_t EncodeDouble(const TFloatParts& parts);
TFloatParts DecodeSingle(std::uint32_t bits);
std::uint32_t EncodeSingle(const TFloatParts& parts);

// The same NaN with the payload of the quiet NaN; other values unchanged.
std::uint64_t CanonicalDouble(std::uint64_t bits);
std::uint32_t CanonicalSingle(std::uint32_t bits);

// Conversions to and from the host's long double. Exact where long double
// holds at most 64 mantissa bits (x87 and IEEE double hosts).
TExtended80 ExtendedFromLongDouble(long double value);
long double ExtendedToLongDouble(const TExtended80& value);
