// Numbers as the user reads them. Rounding works on exact decimal digits, so
// no binary rounding error can change a digit.

#include "platform/rtl/NumberText.h"

#include "platform/rtl/StringUtils.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

// A non-negative integer of any size in base 10^9, least significant first.
class TBigDecimal {
public:
    explicit TBigDecimal(std::uint64_t value) {
        do {
            FLimbs.push_back(static_cast<std::uint32_t>(value % Base));
            value /= Base;
        } while (value != 0);
    }

    // Multiplies by factor^exponent, in steps that keep every product in 64 bits.
    void MultiplyByPower(std::uint32_t factor, int exponent) {
        std::uint32_t step = 1;
        int stepExponent = 0;
        while (step <= std::numeric_limits<std::uint32_t>::max() / factor) {
            step *= factor;
            ++stepExponent;
        }
        for (; exponent >= stepExponent; exponent -= stepExponent) {
            Multiply(step);
        }
        for (; exponent > 0; --exponent) {
            Multiply(factor);
        }
    }

    std::string ToString() const {
        std::string text = UIntToStr(FLimbs.back());
        for (auto limb = FLimbs.rbegin() + 1; limb != FLimbs.rend(); ++limb) {
            const std::string part = UIntToStr(*limb);
            text.append(9 - part.size(), '0');
            text += part;
        }
        return text;
    }

private:
    static constexpr std::uint32_t Base = 1000000000;

    void Multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : FLimbs) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % Base);
            carry = product / Base;
        }
        while (carry != 0) {
            FLimbs.push_back(static_cast<std::uint32_t>(carry % Base));
            carry /= Base;
        }
    }

    std::vector<std::uint32_t> FLimbs;
};

// A non-negative number as decimal digits; the first IntegerDigits of them
// stand before the decimal point.
struct TDecimalDigits {
    std::string Digits;
    std::size_t IntegerDigits;
};

// The exact decimal expansion of a finite, non-negative value.
TDecimalDigits ExactDigits(long double value) {
    constexpr int mantissaBits = std::numeric_limits<long double>::digits;
    static_assert(mantissaBits <= 64, "the mantissa must fit into 64 bits");
    if (value == 0) {
        return {"0", 1};
    }
    int exponent = 0;
    const long double fraction = std::frexp(value, &exponent);
    // value = mantissa * 2^exponent with an integral mantissa.
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, mantissaBits));
    exponent -= mantissaBits;

    TBigDecimal number(mantissa);
    if (exponent >= 0) {
        number.MultiplyByPower(2, exponent);
        std::string digits = number.ToString();
        const std::size_t integerDigits = digits.size();
        return {std::move(digits), integerDigits};
    }
    // mantissa / 2^k = mantissa * 5^k / 10^k.
    const auto fractionDigits = static_cast<std::size_t>(-exponent);
    number.MultiplyByPower(5, -exponent);
    std::string digits = number.ToString();
    if (digits.size() <= fractionDigits) {
        digits.insert(0, fractionDigits - digits.size(), '0');
        return {std::move(digits), 0};
    }
    const std::size_t integerDigits = digits.size() - fractionDigits;
    return {std::move(digits), integerDigits};
}

// Adds one in the last place; true when the carry runs out of the front.
bool IncrementLastDigit(std::string& digits) {
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return false;
        }
        *digit = '0';
    }
    return true;
}

// Cuts the digits to keep of them, rounding half away from zero by the first
// digit cut off.
void RoundAt(TDecimalDigits& number, std::size_t keep) {
    if (keep >= number.Digits.size()) {
        return;
    }
    const bool roundUp = number.Digits[keep] >= '5';
    number.Digits.resize(keep);
    if (roundUp && IncrementLastDigit(number.Digits)) {
        number.Digits.insert(0, 1, '1');
        ++number.IntegerDigits;
    }
}

std::string GroupedText(const std::string& digits, char separator) {
    if (separator == '\0') {
        return digits;
    }
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += separator;
        }
        text += digits[i];
    }
    return text;
}

std::string ExponentText(const std::string& digits, std::size_t precision, char decimalSeparator) {
    std::string further = digits.substr(1, precision - 1);
    further.erase(further.find_last_not_of('0') + 1);
    std::string text(1, digits[0]);
    if (!further.empty()) {
        text += decimalSeparator;
        text += further;
    }
    return text + "E" + UIntToStr(digits.size() - 1);
}

std::string DecimalNumberText(bool negative, TDecimalDigits number, int precision,
                              const TFormatSettings& settings) {
    const std::size_t significant = precision < 1 ? 1 : static_cast<std::size_t>(precision);
    const std::size_t first = number.Digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return "0";
    }
    RoundAt(number, first + significant);
    RoundAt(number, number.IntegerDigits);
    std::string& digits = number.Digits;
    digits.resize(number.IntegerDigits, '0'); // the places rounded away above the point
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.empty()) {
        return "0";
    }
    std::string text = negative ? "-" : "";
    if (digits.size() > significant) {
        return text + ExponentText(digits, significant, settings.DecimalSeparator);
    }
    return text + GroupedText(digits, settings.ThousandSeparator);
}

} // namespace

std::string NumberText(long double value, int precision, const TFormatSettings& settings) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    return DecimalNumberText(std::signbit(value), ExactDigits(std::fabs(value)), precision,
                             settings);
}

std::string IntegerNumberText(bool negative, std::uint64_t magnitude, int precision,
                              const TFormatSettings& settings) {
    std::string digits = UIntToStr(magnitude);
    const std::size_t integerDigits = digits.size();
    return DecimalNumberText(negative, TDecimalDigits{std::move(digits), integerDigits}, precision,
                             settings);
}
