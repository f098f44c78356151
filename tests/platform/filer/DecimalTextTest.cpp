// Exact float <-> decimal text conversion and currency text.

#include "platform/filer/DecimalText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

namespace {

std::string ExtendedText(std::uint64_t mantissa, std::uint16_t signExponent) {
    return FloatToText(DecodeExtended(TExtended80{mantissa, signExponent}), kExtendedFormat);
}

std::string DoubleText(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, 8);
    return FloatToText(DecodeDouble(bits), kDoubleFormat);
}

// The bits TextToFloat gives for Text in the double format; the error otherwise.
std::uint64_t ParseDouble(const std::string& text, TDecimalError* error = nullptr) {
    TFloatParts parts;
    const TDecimalError result = TextToFloat(text, kDoubleFormat, parts);
    if (error != nullptr) {
        *error = result;
    }
    return result == TDecimalError::None ? EncodeDouble(parts) : ~std::uint64_t{0};
}

TExtended80 ParseExtended(const std::string& text) {
    TFloatParts parts;
    EXPECT_EQ(TextToFloat(text, kExtendedFormat, parts), TDecimalError::None) << text;
    return EncodeExtended(parts);
}

TEST(FloatToText, ShortestDigitsInBothLayouts) {
    EXPECT_EQ(ExtendedText(0xCCCCCCCCCCCCCCCD, 0x3FFB), "0.1");
    EXPECT_EQ(ExtendedText(std::uint64_t{1} << 63, 0x3FFF), "1.0");
    EXPECT_EQ(ExtendedText(0, 0x8000), "-0.0");
    EXPECT_EQ(ExtendedText(0, 0), "0.0");
    EXPECT_EQ(DoubleText(123456.0), "123456.0");
    EXPECT_EQ(DoubleText(1e14), "100000000000000.0");
    EXPECT_EQ(DoubleText(1e15), "1E15");
    EXPECT_EQ(DoubleText(-2.5), "-2.5");
    EXPECT_EQ(DoubleText(0.001), "0.001");
    EXPECT_EQ(DoubleText(0.0001), "0.0001");
    EXPECT_EQ(DoubleText(0.00001), "1E-5");
    EXPECT_EQ(DoubleText(1.5e-7), "1.5E-7");
    EXPECT_EQ(DoubleText(0.1), "0.1");
    EXPECT_EQ(DoubleText(1e300), "1E300");
    EXPECT_EQ(DoubleText(std::numeric_limits<double>::denorm_min()), "5E-324");
    EXPECT_EQ(DoubleText(std::numeric_limits<double>::max()), "1.7976931348623157E308");
    EXPECT_EQ(FloatToText(DecodeSingle(0x3DCCCCCD), kSingleFormat), "0.1");
    EXPECT_EQ(FloatToText(DecodeSingle(0x7F7FFFFF), kSingleFormat), "3.4028235E38");
}

TEST(FloatToText, ExtendedExtremes) {
    EXPECT_EQ(ExtendedText(1, 0), "4E-4951");
    EXPECT_EQ(ExtendedText(1, 0x8000), "-4E-4951");
    const std::string largest = ExtendedText(~std::uint64_t{0}, 0x7FFE);
    EXPECT_EQ(largest.substr(0, 6), "1.1897");
    EXPECT_EQ(ParseExtended(largest), (TExtended80{~std::uint64_t{0}, 0x7FFE}));
    // The power of two whose lower neighbour is closer.
    const std::string power = ExtendedText(std::uint64_t{1} << 63, 0x4000);
    EXPECT_EQ(power, "2.0");
}

TEST(FloatToText, SpecialValues) {
    EXPECT_EQ(ExtendedText(std::uint64_t{1} << 63, 0x7FFF), "+Inf");
    EXPECT_EQ(ExtendedText(std::uint64_t{1} << 63, 0xFFFF), "-Inf");
    EXPECT_EQ(ExtendedText(0xC000000000000000, 0x7FFF), "+NaN");
    EXPECT_EQ(FloatToText(DecodeSingle(0xFFC00000), kSingleFormat), "-NaN");
    TFloatParts parts;
    ASSERT_EQ(TextToFloat("-Inf", kSingleFormat, parts), TDecimalError::None);
    EXPECT_EQ(EncodeSingle(parts), 0xFF800000u);
    ASSERT_EQ(TextToFloat("+NaN", kDoubleFormat, parts), TDecimalError::None);
    EXPECT_EQ(EncodeDouble(parts), 0x7FF8000000000000u);
}

TEST(TextToFloat, ExtendedValuesAreCorrectlyRounded) {
    EXPECT_EQ(ParseExtended("0.1"), (TExtended80{0xCCCCCCCCCCCCCCCD, 0x3FFB}));
    EXPECT_EQ(ParseExtended("1E300"), (TExtended80{0xBF21E44003ACDD2D, 0x43E3}));
    EXPECT_EQ(ParseExtended("-1.5"), (TExtended80{0xC000000000000000, 0xBFFF}));
    // 2^64 + 1 lies halfway between two 64-bit mantissas and ties to even;
    // 2^64 + 3 ties upward.
    EXPECT_EQ(ParseExtended("18446744073709551617"), (TExtended80{std::uint64_t{1} << 63, 0x403F}));
    EXPECT_EQ(ParseExtended("18446744073709551619"),
              (TExtended80{(std::uint64_t{1} << 63) + 2, 0x403F}));
    // A mantissa carry that reaches the next power of two.
    EXPECT_EQ(ParseExtended("18446744073709551615.5"),
              (TExtended80{std::uint64_t{1} << 63, 0x403F}));
    EXPECT_EQ(ParseExtended("3E-4951"), (TExtended80{1, 0}));
    EXPECT_EQ(ParseExtended("1E-4952"), (TExtended80{0, 0}));
    EXPECT_EQ(ParseExtended("-1E-99999"), (TExtended80{0, 0x8000}));
    EXPECT_EQ(ParseExtended("0.000e5"), (TExtended80{0, 0}));
}

TEST(TextToFloat, DoubleTiesAndLimits) {
    EXPECT_EQ(ParseDouble("9007199254740993"), 0x4340000000000000u); // tie to even
    EXPECT_EQ(ParseDouble("9007199254740995"), 0x4340000000000002u); // tie upward
    EXPECT_EQ(ParseDouble("2.4703282292062328E-324"), 1u);           // just over half
    EXPECT_EQ(ParseDouble("2.4703282292062327E-324"), 0u);           // just under half
    EXPECT_EQ(ParseDouble("1.7976931348623158E308"), 0x7FEFFFFFFFFFFFFFu);
    TDecimalError error = TDecimalError::None;
    ParseDouble("1.7976931348623159E308", &error);
    EXPECT_EQ(error, TDecimalError::Overflow);
    ParseDouble("1E5000", &error);
    EXPECT_EQ(error, TDecimalError::Overflow);
    TFloatParts parts;
    EXPECT_EQ(TextToFloat("1E39", kSingleFormat, parts), TDecimalError::Overflow);
    EXPECT_EQ(TextToFloat("1E4933", kExtendedFormat, parts), TDecimalError::Overflow);
}

TEST(TextToFloat, SyntaxErrors) {
    for (const char* text : {"", "-", "+", ".", "1e", "1E+", "1.2.3", "abc", "0x10", "1 ", " 1",
                             "1,5", "Inf", "+inf", "1E5x", "--1"}) {
        TFloatParts parts;
        EXPECT_EQ(TextToFloat(text, kExtendedFormat, parts), TDecimalError::Syntax) << text;
    }
    TFloatParts parts;
    EXPECT_EQ(TextToFloat(std::string(801, '7'), kExtendedFormat, parts),
              TDecimalError::TooManyDigits);
    // Leading and trailing zeros are not significant digits.
    EXPECT_EQ(TextToFloat("0." + std::string(2000, '0') + "1E2000", kExtendedFormat, parts),
              TDecimalError::None);
    EXPECT_EQ(EncodeExtended(parts), (TExtended80{0xCCCCCCCCCCCCCCCD, 0x3FFB}));
}

// Random bit patterns print and read back to the same bits.
TEST(FloatTextRoundTrip, RandomExtendedValues) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 1500; ++i) {
        std::uint64_t mantissa = random();
        auto signExponent = static_cast<std::uint16_t>(random() % 0xFFFF);
        if ((signExponent & 0x7FFF) == 0x7FFF) {
            continue;
        }
        if (i % 3 == 0) {
            signExponent =
                static_cast<std::uint16_t>((signExponent & 0x8000) | (0x3FFF + i % 200 - 100));
        }
        if ((signExponent & 0x7FFF) != 0) {
            mantissa |= std::uint64_t{1} << 63;
        } else {
            mantissa &= ~(std::uint64_t{1} << 63);
        }
        const std::string text = ExtendedText(mantissa, signExponent);
        ASSERT_EQ(ParseExtended(text), (TExtended80{mantissa, signExponent})) << text;
#ifndef _WIN32
        // Where the C library reads x87 extended values, it agrees.
        if constexpr (std::numeric_limits<long double>::digits == 64) {
            const long double library = std::strtold(text.c_str(), nullptr);
            TExtended80 bits;
            std::memcpy(&bits.Mantissa, &library, 8);
            std::memcpy(&bits.SignExponent, reinterpret_cast<const char*>(&library) + 8, 2);
            ASSERT_EQ(bits, (TExtended80{mantissa, signExponent})) << text;
        }
#endif
    }
}

TEST(FloatTextRoundTrip, RandomDoublesAgreeWithTheLibrary) {
    std::mt19937_64 random(11);
    for (int i = 0; i < 5000; ++i) {
        std::uint64_t bits = random();
        if (((bits >> 52) & 0x7FF) == 0x7FF) {
            continue;
        }
        double value = 0;
        std::memcpy(&value, &bits, 8);
        const std::string text = FloatToText(DecodeDouble(bits), kDoubleFormat);
        ASSERT_EQ(ParseDouble(text), bits) << text;
        // An independent reader agrees on the value of our text.
        double library = 0;
        std::from_chars(text.data(), text.data() + text.size(), library);
        ASSERT_EQ(library, value) << text;
    }
}

TEST(FloatTextRoundTrip, RandomDecimalsRoundLikeTheLibrary) {
    std::mt19937_64 random(13);
    for (int i = 0; i < 3000; ++i) {
        std::string text = std::to_string(random() % 100000000000000000ULL);
        text.insert(1, ".");
        text += std::to_string(random() % 40) + "9";
        text += "E" + std::to_string(static_cast<int>(random() % 640) - 330);
        double library = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), library);
        if (result.ec != std::errc()) {
            continue;
        }
        std::uint64_t bits = 0;
        std::memcpy(&bits, &library, 8);
        ASSERT_EQ(ParseDouble(text), bits) << text;
    }
}

TEST(FloatTextRoundTrip, RandomSingles) {
    std::mt19937 random(17);
    for (int i = 0; i < 5000; ++i) {
        const std::uint32_t bits = static_cast<std::uint32_t>(random());
        if (((bits >> 23) & 0xFF) == 0xFF) {
            continue;
        }
        const std::string text = FloatToText(DecodeSingle(bits), kSingleFormat);
        TFloatParts parts;
        ASSERT_EQ(TextToFloat(text, kSingleFormat, parts), TDecimalError::None) << text;
        ASSERT_EQ(EncodeSingle(parts), bits) << text;
        // Nine significant digits always suffice for a single.
        const std::string mantissa = text.substr(0, text.find('E'));
        const std::size_t first = mantissa.find_first_of("123456789");
        const std::size_t last = mantissa.find_last_of("123456789");
        if (first != std::string::npos) {
            std::string digits = mantissa.substr(first, last - first + 1);
            std::erase(digits, '.');
            ASSERT_LE(digits.size(), 9u) << "not shortest: " << text;
        }
    }
}

TEST(CurrencyText, Writing) {
    EXPECT_EQ(CurrencyToText(125000), "12.5");
    EXPECT_EQ(CurrencyToText(0), "0.0");
    EXPECT_EQ(CurrencyToText(-1), "-0.0001");
    EXPECT_EQ(CurrencyToText(10000), "1.0");
    EXPECT_EQ(CurrencyToText(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808");
    EXPECT_EQ(CurrencyToText(std::numeric_limits<std::int64_t>::max()), "922337203685477.5807");
}

TEST(CurrencyText, ReadingIsExact) {
    std::int64_t value = 0;
    EXPECT_EQ(TextToCurrency("12.5", value), TDecimalError::None);
    EXPECT_EQ(value, 125000);
    EXPECT_EQ(TextToCurrency("1.23450", value), TDecimalError::None);
    EXPECT_EQ(value, 12345);
    EXPECT_EQ(TextToCurrency("1E3", value), TDecimalError::None);
    EXPECT_EQ(value, 10000000);
    EXPECT_EQ(TextToCurrency("-0.0001", value), TDecimalError::None);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(TextToCurrency("922337203685477.5807", value), TDecimalError::None);
    EXPECT_EQ(value, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(TextToCurrency("-922337203685477.5808", value), TDecimalError::None);
    EXPECT_EQ(value, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(TextToCurrency("922337203685477.5808", value), TDecimalError::Overflow);
    EXPECT_EQ(TextToCurrency("1E20", value), TDecimalError::Overflow);
    EXPECT_EQ(TextToCurrency("1.23456", value), TDecimalError::Inexact);
    EXPECT_EQ(TextToCurrency("1E-5", value), TDecimalError::Inexact);
    EXPECT_EQ(TextToCurrency("1.2x", value), TDecimalError::Syntax);
    for (std::int64_t v :
         {std::int64_t{0}, std::int64_t{7}, std::int64_t{-123456789}, std::int64_t{99990000}}) {
        ASSERT_EQ(TextToCurrency(CurrencyToText(v), value), TDecimalError::None);
        EXPECT_EQ(value, v);
    }
}

} // namespace
