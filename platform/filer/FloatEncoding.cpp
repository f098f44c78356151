// Packing and unpacking of the three float layouts.

#include "platform/filer/FloatEncoding.h"

#include <cmath>
#include <limits>

namespace {

constexpr std::uint64_t kExtendedTopBit = std::uint64_t{1} << 63;
constexpr std::uint16_t kExtendedMaxField = 0x7FFF;

// IEEE single and double share one layout: sign, biased exponent, fraction.
struct TIeeeLayout {
    TFloatFormat Format;
    int ExponentBits;
};

constexpr TIeeeLayout kDoubleLayout{kDoubleFormat, 11};
constexpr TIeeeLayout kSingleLayout{kSingleFormat, 8};

TFloatParts DecodeIeee(std::uint64_t bits, const TIeeeLayout& layout) {
    const int fractionBits = layout.Format.Precision - 1;
    const std::uint64_t fractionMask = (std::uint64_t{1} << fractionBits) - 1;
    const std::uint64_t maxField = (std::uint64_t{1} << layout.ExponentBits) - 1;
    const std::uint64_t field = (bits >> fractionBits) & maxField;
    const std::uint64_t fraction = bits & fractionMask;

    TFloatParts parts;
    parts.Negative = ((bits >> (fractionBits + layout.ExponentBits)) & 1) != 0;
    if (field == maxField) {
        parts.Kind = fraction == 0 ? TFloatParts::TKind::Infinite : TFloatParts::TKind::NaN;
    } else if (field == 0) {
        parts.Mantissa = fraction;
        parts.Exponent = layout.Format.MinExponent;
    } else {
        parts.Mantissa = fraction | (fractionMask + 1);
        parts.Exponent = static_cast<int>(field) - 1 + layout.Format.MinExponent;
    }
    return parts;
}

std::uint64_t EncodeIeee(const TFloatParts& parts, const TIeeeLayout& layout) {
    const int fractionBits = layout.Format.Precision - 1;
    const std::uint64_t fractionMask = (std::uint64_t{1} << fractionBits) - 1;
    const std::uint64_t maxField = (std::uint64_t{1} << layout.ExponentBits) - 1;
    const std::uint64_t sign = std::uint64_t{parts.Negative}
                               << (fractionBits + layout.ExponentBits);
    switch (parts.Kind) {
    case TFloatParts::TKind::Infinite:
        return sign | (maxField << fractionBits);
    case TFloatParts::TKind::NaN:
        return sign | (maxField << fractionBits) | (std::uint64_t{1} << (fractionBits - 1));
    case TFloatParts::TKind::Finite:
        break;
    }
    const bool normal = (parts.Mantissa >> fractionBits) != 0;
    const std::uint64_t field =
        normal ? static_cast<std::uint64_t>(parts.Exponent - layout.Format.MinExponent + 1) : 0;
    return sign | (field << fractionBits) | (parts.Mantissa & fractionMask);
}

} // namespace

TFloatParts DecodeExtended(const TExtended80& value) {
    TFloatParts parts;
    parts.Negative = (value.SignExponent & 0x8000) != 0;
    const int field = value.SignExponent & kExtendedMaxField;
    if (field == kExtendedMaxField) {
        const bool infinite = (value.Mantissa & ~kExtendedTopBit) == 0;
        parts.Kind = infinite ? TFloatParts::TKind::Infinite : TFloatParts::TKind::NaN;
        return parts;
    }
    parts.Mantissa = value.Mantissa;
    parts.Exponent =
        field == 0 ? kExtendedFormat.MinExponent : field - 1 + kExtendedFormat.MinExponent;
    if (parts.Mantissa == 0) {
        parts.Exponent = 0;
        return parts;
    }
    while ((parts.Mantissa & kExtendedTopBit) == 0 &&
           parts.Exponent > kExtendedFormat.MinExponent) {
        parts.Mantissa <<= 1;
        --parts.Exponent;
    }
    return parts;
}

TExtended80 EncodeExtended(const TFloatParts& parts) {
    TExtended80 result;
    const std::uint16_t sign = parts.Negative ? 0x8000 : 0;
    switch (parts.Kind) {
    case TFloatParts::TKind::Infinite:
        result.Mantissa = kExtendedTopBit;
        result.SignExponent = sign | kExtendedMaxField;
        return result;
    case TFloatParts::TKind::NaN:
        result.Mantissa = kExtendedTopBit | (kExtendedTopBit >> 1);
        result.SignExponent = sign | kExtendedMaxField;
        return result;
    case TFloatParts::TKind::Finite:
        break;
    }
    result.Mantissa = parts.Mantissa;
    const bool normal = (parts.Mantissa & kExtendedTopBit) != 0;
    const int field = normal ? parts.Exponent - kExtendedFormat.MinExponent + 1 : 0;
    result.SignExponent = static_cast<std::uint16_t>(sign | field);
    return result;
}

TFloatParts DecodeDouble(std::uint64_t bits) {
    return DecodeIeee(bits, kDoubleLayout);
}
std::uint64_t EncodeDouble(const TFloatParts& parts) {
    return EncodeIeee(parts, kDoubleLayout);
}
TFloatParts DecodeSingle(std::uint32_t bits) {
    return DecodeIeee(bits, kSingleLayout);
}
std::uint32_t EncodeSingle(const TFloatParts& parts) {
    return static_cast<std::uint32_t>(EncodeIeee(parts, kSingleLayout));
}

std::uint64_t CanonicalDouble(std::uint64_t bits) {
    const TFloatParts parts = DecodeDouble(bits);
    return parts.Kind == TFloatParts::TKind::NaN ? EncodeDouble(parts) : bits;
}

std::uint32_t CanonicalSingle(std::uint32_t bits) {
    const TFloatParts parts = DecodeSingle(bits);
    return parts.Kind == TFloatParts::TKind::NaN ? EncodeSingle(parts) : bits;
}

TExtended80 ExtendedFromLongDouble(long double value) {
    TFloatParts parts;
    parts.Negative = std::signbit(value);
    if (std::isnan(value)) {
        parts.Kind = TFloatParts::TKind::NaN;
    } else if (std::isinf(value)) {
        parts.Kind = TFloatParts::TKind::Infinite;
    } else if (value != 0) {
        int exponent = 0;
        const long double fraction = std::frexp(std::fabs(value), &exponent); // in [0.5, 1)
        // value = fraction * 2^exponent = Mantissa * 2^(exponent - 64).
        parts.Exponent = exponent - 64;
        int scale = 64;
        if (parts.Exponent < kExtendedFormat.MinExponent) {
            scale -= kExtendedFormat.MinExponent - parts.Exponent;
            parts.Exponent = kExtendedFormat.MinExponent;
        }
        if (scale <= 0) {
            parts.Mantissa = 0; // below the smallest denormal (wider long doubles only)
        } else {
            parts.Mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, scale));
        }
        if (parts.Exponent > kExtendedFormat.MaxExponent) {
            parts.Kind = TFloatParts::TKind::Infinite;
        }
    }
    return EncodeExtended(parts);
}

long double ExtendedToLongDouble(const TExtended80& value) {
    const TFloatParts parts = DecodeExtended(value);
    long double magnitude = 0;
    switch (parts.Kind) {
    case TFloatParts::TKind::NaN:
        magnitude = std::numeric_limits<long double>::quiet_NaN();
        break;
    case TFloatParts::TKind::Infinite:
        magnitude = std::numeric_limits<long double>::infinity();
        break;
    case TFloatParts::TKind::Finite:
        magnitude = std::ldexp(static_cast<long double>(parts.Mantissa), parts.Exponent);
        break;
    }
    return std::copysign(magnitude, parts.Negative ? -1.0L : 1.0L);
}
