// String routines.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringUtils.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(IntToStr, DecimalTextWithMinus) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(42), "42");
    EXPECT_EQ(IntToStr(-1), "-1");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(UIntToStr(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
    EXPECT_EQ(UIntToStr(4294967295u), "4294967295");
}

TEST(CaseMapping, AsciiLettersOnly) {
    EXPECT_EQ(LowerCase("Bericht.2024.CSV"), "bericht.2024.csv");
    EXPECT_EQ(LowerCase(".TXT"), ".txt");
    // Umlauts and other CP1252 letters stay as they are.
    EXPECT_EQ(LowerCase("\xC4\xD6\xDC-Z@[`"), "\xC4\xD6\xDC-z@[`");
    EXPECT_EQ(UpperCase("\xE4\xF6\xFC\xDF az{"), "\xE4\xF6\xFC\xDF AZ{");
    EXPECT_EQ(LowerCase(""), "");
}

TEST(CompareText, IgnoresAsciiCaseOnly) {
    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("B", "a"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_GT(CompareText("abc", "AB"), 0);
    EXPECT_NE(CompareText("\xE4", "\xC4"), 0);
    // Bytes above 127 sort after ASCII, as unsigned values.
    EXPECT_LT(CompareText("z", "\xE4"), 0);
    EXPECT_TRUE(SameText(".Csv", ".csv"));
    EXPECT_FALSE(SameText(".csv", ".csv "));
    EXPECT_FALSE(SameText("\xFC", "\xDC"));
}

TEST(Trim, BlanksAndControlCharacters) {
    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0"); // no-break space is no blank here
}

TEST(StrToInt, ReadsSignedDecimals) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt(" +17 "), 17);
    EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_EQ(StrToInt("2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(StrToInt("007"), 7);
}

TEST(StrToInt, RejectsWhatIsNoInteger) {
    for (const char* text : {"", " ", "-", "+-1", "1a", "1 2", "2147483648", "-2147483649",
                             "99999999999999999999999", "0x10", "1,5"}) {
        EXPECT_THROW(StrToInt(text), EConvertError) << text;
        EXPECT_EQ(StrToIntDef(text, -5), -5) << text;
    }
    try {
        StrToInt("zwölf");
        FAIL() << "no exception";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'zw\xF6lf' ist keine g\xFCltige ganze Zahl");
    }
    EXPECT_EQ(StrToIntDef("12", -5), 12);
}

} // namespace
