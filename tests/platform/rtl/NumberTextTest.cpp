// Numbers as the user reads them.

#include "platform/rtl/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const TFormatSettings german{'.', ','};
const TFormatSettings english{',', '.'};

TEST(NumberText, GroupsIntegerDigitsByThrees) {
    EXPECT_EQ(NumberText(65500, 18, german), "65.500");
    EXPECT_EQ(NumberText(65500, 18, english), "65,500");
    EXPECT_EQ(NumberText(0, 18, german), "0");
    EXPECT_EQ(NumberText(999, 18, german), "999");
    EXPECT_EQ(NumberText(1000, 18, german), "1.000");
    EXPECT_EQ(NumberText(123456789, 18, german), "123.456.789");
    EXPECT_EQ(NumberText(100, 7, german), "100");
    EXPECT_EQ(NumberText(9999999, 7, german), "9.999.999");
    EXPECT_EQ(NumberText(-1234567, 18, german), "-1.234.567");
    EXPECT_EQ(NumberText(1234567, 18, TFormatSettings{'\0', ','}), "1234567");
}

TEST(NumberText, ExponentFormBeyondPrecision) {
    EXPECT_EQ(NumberText(10000000, 7, german), "1E7");
    EXPECT_EQ(NumberText(12345678, 7, german), "1,234568E7");
    EXPECT_EQ(NumberText(12345678, 7, english), "1.234568E7");
    EXPECT_EQ(NumberText(10000001, 7, german), "1E7"); // the 1 is rounded away
    EXPECT_EQ(NumberText(12000000, 7, german), "1,2E7");
    EXPECT_EQ(NumberText(123456789012LL, 7, german), "1,234568E11");
    EXPECT_EQ(NumberText(-20000000, 7, german), "-2E7");
    EXPECT_EQ(NumberText(15, 1, german), "2E1");
}

TEST(NumberText, RoundingCarryAddsADigit) {
    EXPECT_EQ(NumberText(99999999, 7, german), "1E8");
    EXPECT_EQ(NumberText(99999994, 7, german), "9,999999E7");
    EXPECT_EQ(NumberText(99999995, 7, german), "1E8");
    EXPECT_EQ(NumberText(9999999.5L, 7, german), "1E7");
    EXPECT_EQ(NumberText(9999999.4L, 7, german), "9.999.999");
}

TEST(NumberText, FractionsRoundHalfAwayFromZero) {
    EXPECT_EQ(NumberText(1234.5L, 18, german), "1.235");
    EXPECT_EQ(NumberText(1234.4L, 18, german), "1.234");
    EXPECT_EQ(NumberText(-1234.5L, 18, german), "-1.235");
    EXPECT_EQ(NumberText(0.5L, 18, german), "1");
    EXPECT_EQ(NumberText(0.4L, 18, german), "0");
    EXPECT_EQ(NumberText(-0.4L, 18, german), "0");
    EXPECT_EQ(NumberText(999.5L, 4, german), "1.000");
    EXPECT_EQ(NumberText(999.5L, 3, german), "1E3");
    // Rounded to five significant digits first (1234.5), then to a whole number.
    EXPECT_EQ(NumberText(1234.46L, 5, german), "1.235");
}

TEST(NumberText, FloatingValuesMatchIntegers) {
    EXPECT_EQ(NumberText(65500.0L, 18, german), "65.500");
    EXPECT_EQ(NumberText(12345678.0L, 7, german), "1,234568E7");
    EXPECT_EQ(NumberText(1e20L, 18, german), "1E20");
    EXPECT_EQ(NumberText(1e300L, 7, german), "1E300");
    EXPECT_EQ(NumberText(std::ldexp(1.0L, 70), 18, german), "1,1805916207174113E21");
    EXPECT_EQ(NumberText(0.0L, 7, german), "0");
    EXPECT_EQ(NumberText(-0.0L, 7, german), "0");
    EXPECT_EQ(NumberText(1e-300L, 7, german), "0");
    EXPECT_EQ(NumberText(std::numeric_limits<long double>::denorm_min(), 7, german), "0");
}

TEST(NumberText, SixtyFourBitValuesAreExact) {
    EXPECT_EQ(NumberText(std::int64_t{999999999999999999}, 18, german), "999.999.999.999.999.999");
    EXPECT_EQ(NumberText(std::int64_t{4294967296} * 3 + 7, 18, german), "12.884.901.895");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int64_t>::max(), 19, german),
              "9.223.372.036.854.775.807");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int64_t>::max(), 18, german),
              "9,22337203685477581E18");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int64_t>::min(), 19, german),
              "-9.223.372.036.854.775.808");
    EXPECT_EQ(NumberText(std::numeric_limits<std::uint64_t>::max(), 20, german),
              "18.446.744.073.709.551.615");
}

TEST(NumberText, OddInputs) {
    EXPECT_EQ(NumberText(123, 0, german), "1E2");
    EXPECT_EQ(NumberText(5, -3, german), "5");
    EXPECT_EQ(NumberText(std::numeric_limits<long double>::quiet_NaN(), 7, german), "NAN");
    EXPECT_EQ(NumberText(std::numeric_limits<long double>::infinity(), 7, german), "INF");
    EXPECT_EQ(NumberText(-std::numeric_limits<long double>::infinity(), 7, german), "-INF");
}

TEST(FormatSettings, SeamReplacesTheProcessSettings) {
    const TFormatSettings saved = FormatSettings();
    SetFormatSettings(german);
    EXPECT_EQ(NumberText(1234567, 7), "1.234.567");
    SetFormatSettings(TFormatSettings{'\'', '.'});
    EXPECT_EQ(NumberText(1234567, 7), "1'234'567");
    EXPECT_EQ(NumberText(12345678, 7), "1.234568E7");
    SetFormatSettings(saved);
    EXPECT_EQ(FormatSettings().ThousandSeparator, saved.ThousandSeparator);
}

#ifndef _WIN32
TEST(FormatSettings, NativeDefaultIsTheCLocale) {
    const TFormatSettings loaded = LoadUserFormatSettings();
    EXPECT_EQ(loaded.ThousandSeparator, ',');
    EXPECT_EQ(loaded.DecimalSeparator, '.');
}
#endif

} // namespace
