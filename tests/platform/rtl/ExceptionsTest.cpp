// The messages of file errors.

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(InOutError, KnownCodesHaveTheirTexts) {
    EXPECT_EQ(InOutErrorMessage(2), "Datei nicht gefunden");
    EXPECT_EQ(InOutErrorMessage(3), "Ung\xFCltiger Dateiname");
    EXPECT_EQ(InOutErrorMessage(4), "Zu viele ge\xF6"
                                    "ffnete Dateien");
    EXPECT_EQ(InOutErrorMessage(5), "Dateizugriff verweigert");
    EXPECT_EQ(InOutErrorMessage(100), "Versuch hinter dem Dateiende zu lesen");
    EXPECT_EQ(InOutErrorMessage(101), "Zu wenig Speicherplatz");
    EXPECT_EQ(InOutErrorMessage(106), "Ung\xFCltige numerische Eingabe");
}

TEST(InOutError, OtherCodesShowTheNumber) {
    EXPECT_EQ(InOutErrorMessage(0), "E/A-Fehler 0");
    EXPECT_EQ(InOutErrorMessage(1), "E/A-Fehler 1");
    EXPECT_EQ(InOutErrorMessage(32), "E/A-Fehler 32");
    EXPECT_EQ(InOutErrorMessage(112), "E/A-Fehler 112");
    EXPECT_EQ(InOutErrorMessage(-7), "E/A-Fehler -7");
}

TEST(InOutError, CarriesCodeAndMessage) {
    const EInOutError error(5);
    EXPECT_EQ(error.ErrorCode, 5);
    EXPECT_EQ(error.Message(), "Dateizugriff verweigert");
    EXPECT_STREQ(error.what(), "Dateizugriff verweigert");
    const Exception& base = error;
    EXPECT_EQ(base.Message(), "Dateizugriff verweigert");
}

} // namespace
