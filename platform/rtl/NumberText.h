#pragma once
// Numbers as the user reads them: whole numbers grouped by threes, or the
// exponent form when they have more digits than asked for.

#include "platform/rtl/FormatSettings.h"

#include <concepts>
#include <cstdint>
#include <string>

// Rounds value to precision significant digits, half away from zero, then to
// a whole number the same way, and writes it grouped by threes with the
// thousands separator ("65.500" in German). When the rounded value has more
// integer digits than precision: the first digit, the decimal separator and
// the further significant digits without trailing zeros (if any), "E" and
// the power of ten ("1E7", "1,234568E7"). A precision below 1 counts as 1.
std::string NumberText(long double value, int precision,
                       const TFormatSettings& settings = FormatSettings());

// The same rule for an integer given as sign and magnitude; exact for every
// 64-bit value, as no floating point is involved.
std::string IntegerNumberText(bool negative, std::uint64_t magnitude, int precision,
                              const TFormatSettings& settings);

template <std::integral T>
requires(!std::same_as<T, bool>) std::string
    NumberText(T value, int precision, const TFormatSettings& settings = FormatSettings()) {
    if constexpr (std::signed_integral<T>) {
        // Unsigned negation keeps the smallest value exact.
        const auto magnitude =
            value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        return IntegerNumberText(value < 0, magnitude, precision, settings);
    } else {
        return IntegerNumberText(false, value, precision, settings);
    }
}
