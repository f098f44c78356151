#pragma once
// Exact conversion between binary floating-point values and decimal text,
// and of scaled currency values, for the text form of form streams.
// Independent of the C locale and of the host's floating-point types.

#include "platform/filer/FloatEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class TDecimalError { None, Syntax, TooManyDigits, Overflow, Inexact };

// The shortest decimal text that reads back as exactly the same value,
// always with a '.' or an 'E' ("0.1", "1.0", "-0.0", "1E300", "1.5E-7");
// infinities and NaNs as "+Inf", "-Inf", "+NaN", "-NaN".
std::string FloatToText(const TFloatParts& value, const TFloatFormat& format);

// Reads [+|-]digits[.digits][(E|e)[+|-]digits] or one of the special names
// above, correctly rounded (ties to even) to Format. Values too small for
// the format become zero; too large ones are an Overflow.
TDecimalError TextToFloat(std::string_view text, const TFloatFormat& format, TFloatParts& result);

// A currency value (scaled by 10000) as decimal text without trailing
// zeros ("12.5", "-0.0001", "3.0").
std::string CurrencyToText(std::int64_t scaled);

// Reads the number syntax of TextToFloat exactly: more than four decimals
// are Inexact, values beyond the 64-bit range an Overflow.
TDecimalError TextToCurrency(std::string_view text, std::int64_t& scaled);
