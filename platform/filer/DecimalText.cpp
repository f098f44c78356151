// Float to text: the free-format algorithm of Steele & White in the form
// Burger & Dybvig gave it, which yields the shortest digits that read back
// exactly. Text to float: exact big-integer scaling and one rounding.

#include "platform/filer/DecimalText.h"

#include "platform/filer/BigUnsigned.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

// Digits beyond this are refused rather than rounded twice.
constexpr std::size_t kMaxSignificantDigits = 800;
// Decimal magnitudes outside these bounds overflow or vanish in every
// format (the extended range is roughly 3.6E-4951 to 1.2E4932).
constexpr std::int64_t kLargestMagnitude = 4934;
constexpr std::int64_t kSmallestMagnitude = -4952;
constexpr std::int64_t kExponentClamp = 1000000000;

// A decimal number: Digits (no leading or trailing zeros, empty for zero)
// times 10^Exponent.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    std::int64_t Exponent = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

TDecimalError ScanDecimal(std::string_view text, TDecimal& result) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        result.Negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    std::int64_t fractionDigits = 0;
    bool anyDigit = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        digits += text[i];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            digits += text[i];
            ++fractionDigits;
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return TDecimalError::Syntax;
    }
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i == text.size()) {
            return TDecimalError::Syntax;
        }
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentClamp);
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (i != text.size()) {
        return TDecimalError::Syntax;
    }
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return TDecimalError::None; // zero
    }
    const std::size_t last = digits.find_last_not_of('0');
    result.Digits = digits.substr(first, last - first + 1);
    result.Exponent =
        exponent - fractionDigits + static_cast<std::int64_t>(digits.size() - 1 - last);
    if (result.Digits.size() > kMaxSignificantDigits) {
        return TDecimalError::TooManyDigits;
    }
    return TDecimalError::None;
}

TBigUnsigned DigitsToBig(const std::string& digits) {
    TBigUnsigned result;
    std::size_t i = 0;
    while (i < digits.size()) {
        const std::size_t chunk = std::min<std::size_t>(9, digits.size() - i);
        std::uint32_t value = 0;
        std::uint32_t scale = 1;
        for (std::size_t j = 0; j < chunk; ++j) {
            value = value * 10 + static_cast<std::uint32_t>(digits[i + j] - '0');
            scale *= 10;
        }
        result.MulSmall(scale);
        result.AddSmall(value);
        i += chunk;
    }
    return result;
}

// Rounds X * 2^BinaryExponent (plus a little more when Sticky) to the format,
// ties to even.
TDecimalError RoundToFormat(TBigUnsigned x, int binaryExponent, bool sticky,
                            const TFloatFormat& format, TFloatParts& result) {
    const int length = x.BitLength();
    int lsb = std::max(binaryExponent + length - format.Precision, format.MinExponent);
    const int shift = lsb - binaryExponent;
    std::uint64_t mantissa = 0;
    if (shift <= 0) {
        x.ShiftLeft(-shift);
        mantissa = x.Low64();
    } else {
        const bool below = x.ShiftRight(shift - 1) || sticky;
        const bool half = (x.Low64() & 1) != 0;
        x.ShiftRight(1);
        mantissa = x.Low64();
        if (half && (below || (mantissa & 1) != 0)) {
            if (mantissa == std::numeric_limits<std::uint64_t>::max()) {
                mantissa = std::uint64_t{1} << 63;
                ++lsb;
            } else {
                ++mantissa;
                if (format.Precision < 64 && (mantissa >> format.Precision) != 0) {
                    mantissa >>= 1;
                    ++lsb;
                }
            }
        }
    }
    if (mantissa == 0) {
        result.Mantissa = 0;
        result.Exponent = 0;
        return TDecimalError::None;
    }
    if (lsb > format.MaxExponent) {
        return TDecimalError::Overflow;
    }
    result.Mantissa = mantissa;
    result.Exponent = lsb;
    return TDecimalError::None;
}

// Places the decimal point: Digits times 10^(Position - Digits.size()).
std::string LayOutDigits(const std::string& digits, int position) {
    const int count = static_cast<int>(digits.size());
    if (position > 0 && position <= 15) {
        if (count <= position) {
            return digits + std::string(static_cast<std::size_t>(position - count), '0') + ".0";
        }
        return digits.substr(0, static_cast<std::size_t>(position)) + "." +
               digits.substr(static_cast<std::size_t>(position));
    }
    if (position <= 0 && position > -4) {
        return "0." + std::string(static_cast<std::size_t>(-position), '0') + digits;
    }
    std::string text = digits.substr(0, 1);
    if (count > 1) {
        text += "." + digits.substr(1);
    }
    return text + "E" + std::to_string(position - 1);
}

bool HighReached(const TBigUnsigned& r, const TBigUnsigned& mPlus, const TBigUnsigned& s,
                 bool inclusive) {
    TBigUnsigned high = r;
    high.Add(mPlus);
    const int order = TBigUnsigned::Compare(high, s);
    return inclusive ? order >= 0 : order > 0;
}

} // namespace

std::string FloatToText(const TFloatParts& value, const TFloatFormat& format) {
    const char* sign = value.Negative ? "-" : "+";
    if (value.Kind == TFloatParts::TKind::Infinite) {
        return std::string(sign) + "Inf";
    }
    if (value.Kind == TFloatParts::TKind::NaN) {
        return std::string(sign) + "NaN";
    }
    const std::string minus = value.Negative ? "-" : "";
    std::uint64_t f = value.Mantissa;
    int e = value.Exponent;
    if (f == 0) {
        return minus + "0.0";
    }
    const std::uint64_t topBit = std::uint64_t{1} << (format.Precision - 1);
    while (f < topBit && e > format.MinExponent) {
        f <<= 1;
        --e;
    }

    // v = f * 2^e lies between its neighbours' midpoints (r - m-)/s and
    // (r + m+)/s; a reader rounding ties to even accepts the ends when f is even.
    const bool inclusive = (f & 1) == 0;
    const bool closerBelow = f == topBit && e > format.MinExponent;
    TBigUnsigned r(f);
    TBigUnsigned s(1);
    TBigUnsigned mPlus(1);
    TBigUnsigned mMinus(1);
    const int extra = closerBelow ? 2 : 1;
    if (e >= 0) {
        r.ShiftLeft(e + extra);
        s.ShiftLeft(extra);
        mPlus.ShiftLeft(e + extra - 1);
        mMinus.ShiftLeft(e);
    } else {
        r.ShiftLeft(extra);
        s.ShiftLeft(extra - e);
        mPlus.ShiftLeft(extra - 1);
    }

    const int length = std::bit_width(f);
    int k = static_cast<int>(std::ceil((e + length - 1) * 0.30102999566398119521 - 1e-10));
    if (k >= 0) {
        s.MulPow10(k);
    } else {
        r.MulPow10(-k);
        mPlus.MulPow10(-k);
        mMinus.MulPow10(-k);
    }
    while (HighReached(r, mPlus, s, inclusive)) {
        s.MulSmall(10);
        ++k;
    }
    for (;;) {
        TBigUnsigned r10 = r;
        TBigUnsigned mPlus10 = mPlus;
        r10.MulSmall(10);
        mPlus10.MulSmall(10);
        if (HighReached(r10, mPlus10, s, inclusive)) {
            break;
        }
        r = r10;
        mPlus = mPlus10;
        mMinus.MulSmall(10);
        --k;
    }

    std::string digits;
    for (;;) {
        r.MulSmall(10);
        mPlus.MulSmall(10);
        mMinus.MulSmall(10);
        int digit = 0;
        while (TBigUnsigned::Compare(r, s) >= 0) {
            r.Sub(s);
            ++digit;
        }
        const int belowOrder = TBigUnsigned::Compare(r, mMinus);
        const bool low = inclusive ? belowOrder <= 0 : belowOrder < 0;
        const bool high = HighReached(r, mPlus, s, inclusive);
        if (!low && !high && digits.size() < 40) {
            digits += static_cast<char>('0' + digit);
            continue;
        }
        if (low && high) {
            TBigUnsigned twice = r;
            twice.ShiftLeft(1);
            if (TBigUnsigned::Compare(twice, s) >= 0) {
                ++digit;
            }
        } else if (high) {
            ++digit;
        }
        digits += static_cast<char>('0' + digit);
        break;
    }
    return minus + LayOutDigits(digits, k);
}

TDecimalError TextToFloat(std::string_view text, const TFloatFormat& format, TFloatParts& result) {
    result = TFloatParts();
    if (text == "+Inf" || text == "-Inf" || text == "+NaN" || text == "-NaN") {
        result.Negative = text[0] == '-';
        result.Kind = text[1] == 'I' ? TFloatParts::TKind::Infinite : TFloatParts::TKind::NaN;
        return TDecimalError::None;
    }
    TDecimal decimal;
    const TDecimalError error = ScanDecimal(text, decimal);
    result.Negative = decimal.Negative;
    if (error != TDecimalError::None || decimal.Digits.empty()) {
        return error;
    }
    const std::int64_t magnitude =
        static_cast<std::int64_t>(decimal.Digits.size()) + decimal.Exponent;
    if (magnitude > kLargestMagnitude) {
        return TDecimalError::Overflow;
    }
    if (magnitude < kSmallestMagnitude) {
        return TDecimalError::None; // rounds to zero
    }
    TBigUnsigned x = DigitsToBig(decimal.Digits);
    if (decimal.Exponent >= 0) {
        x.MulPow10(static_cast<int>(decimal.Exponent));
        return RoundToFormat(x, 0, false, format, result);
    }
    // Scale up by enough bits that the quotient keeps a few guard bits.
    const int tenths = static_cast<int>(-decimal.Exponent);
    const int shift =
        std::max(0, format.Precision + 4 + (tenths * 3322 + 999) / 1000 - x.BitLength());
    x.ShiftLeft(shift);
    const bool sticky = x.DivPow10(tenths);
    return RoundToFormat(x, -shift, sticky, format, result);
}

std::string CurrencyToText(std::int64_t scaled) {
    const bool negative = scaled < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (fraction.size() > 1 && fraction.back() == '0') {
        fraction.pop_back();
    }
    return (negative ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

TDecimalError TextToCurrency(std::string_view text, std::int64_t& scaled) {
    TDecimal decimal;
    const TDecimalError error = ScanDecimal(text, decimal);
    if (error != TDecimalError::None) {
        return error;
    }
    scaled = 0;
    if (decimal.Digits.empty()) {
        return TDecimalError::None;
    }
    const std::int64_t zeros = decimal.Exponent + 4;
    if (zeros < 0) {
        return TDecimalError::Inexact;
    }
    if (static_cast<std::int64_t>(decimal.Digits.size()) + zeros > 19) {
        return TDecimalError::Overflow;
    }
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) +
        (decimal.Negative ? 1 : 0);
    std::uint64_t value = 0;
    const std::string all = decimal.Digits + std::string(static_cast<std::size_t>(zeros), '0');
    for (const char c : all) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (limit - digit) / 10) {
            return TDecimalError::Overflow;
        }
        value = value * 10 + digit;
    }
    scaled =
        decimal.Negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
    return TDecimalError::None;
}
