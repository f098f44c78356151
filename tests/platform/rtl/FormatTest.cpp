// Placeholder formatting.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <gtest/gtest.h>

namespace {

TEST(Format, ReplacesPlaceholdersInOrder) {
    EXPECT_EQ(Format("%s Bytes auf %s, dort nur %s", {"1.000", "C:", "10"}),
              "1.000 Bytes auf C:, dort nur 10");
    EXPECT_EQ(Format("Teil %d von %d", {3, std::int64_t{-4}}), "Teil 3 von -4");
    EXPECT_EQ(Format("%d", {std::uint64_t{18446744073709551615u}}), "18446744073709551615");
    EXPECT_EQ(Format("ohne", {}), "ohne");
    EXPECT_EQ(Format("", {}), "");
    EXPECT_EQ(Format("%s%s", {"", "x"}), "x");
}

TEST(Format, ArgumentsAreNeverReadAsPattern) {
    const std::string data = "100% %s %d %%";
    EXPECT_EQ(Format("[%s] [%s]", {data, std::string("\r\n")}), "[100% %s %d %%] [\r\n]");
}

TEST(Format, PercentPercentIsAPercentSign) {
    EXPECT_EQ(Format("%d%% von %s", {50, "x"}), "50% von x");
    EXPECT_EQ(Format("%%s", {}), "%s");
}

TEST(Format, SurplusArgumentsAreIgnored) {
    EXPECT_EQ(Format("%s", {"a", "b", 3}), "a");
}

TEST(Format, FaultsRaiseConvertError) {
    EXPECT_THROW(Format("%s und %s", {"eins"}), EConvertError);
    EXPECT_THROW(Format("%d", {}), EConvertError);
    EXPECT_THROW(Format("%d", {"7"}), EConvertError);
    EXPECT_THROW(Format("%s", {7}), EConvertError);
    EXPECT_THROW(Format("100%", {}), EConvertError);
    EXPECT_THROW(Format("%x", {1}), EConvertError);
    EXPECT_THROW(Format("%S", {"a"}), EConvertError);
}

TEST(Format, ErrorBoxPatternWithCarriageReturns) {
    const std::string text =
        Format("Die Datei \"%s\" konnte nicht.\r\rLaufwerk \"%s\"\r\rMeldung:\r%s",
               {"C:\\a.csv", "C:", "Datei nicht gefunden"});
    EXPECT_EQ(text, "Die Datei \"C:\\a.csv\" konnte nicht.\r\rLaufwerk \"C:\"\r\rMeldung:\r"
                    "Datei nicht gefunden");
}

} // namespace
