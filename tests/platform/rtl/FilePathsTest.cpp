// Parts of Windows path names.

#include "platform/rtl/FilePaths.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtractFileDrive, DriveLetterShareOrNothing) {
    EXPECT_EQ(ExtractFileDrive("C:\\Daten\\Umsatz.csv"), "C:");
    EXPECT_EQ(ExtractFileDrive("d:relativ.txt"), "d:");
    EXPECT_EQ(ExtractFileDrive("C:"), "C:");
    EXPECT_EQ(ExtractFileDrive("\\\\server\\share\\ordner\\datei.txt"), "\\\\server\\share");
    EXPECT_EQ(ExtractFileDrive("\\\\server\\share\\"), "\\\\server\\share");
    EXPECT_EQ(ExtractFileDrive("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(ExtractFileDrive("\\\\server"), "\\\\server");
    EXPECT_EQ(ExtractFileDrive("\\Daten\\x.txt"), "");
    EXPECT_EQ(ExtractFileDrive("x.txt"), "");
    EXPECT_EQ(ExtractFileDrive(""), "");
}

TEST(ExtractFilePath, UpToTheLastSeparator) {
    EXPECT_EQ(ExtractFilePath("C:\\Daten\\Umsatz.csv"), "C:\\Daten\\");
    EXPECT_EQ(ExtractFilePath("C:\\Umsatz.csv"), "C:\\");
    EXPECT_EQ(ExtractFilePath("C:Umsatz.csv"), "C:");
    EXPECT_EQ(ExtractFilePath("C:\\Daten\\"), "C:\\Daten\\");
    EXPECT_EQ(ExtractFilePath("Umsatz.csv"), "");
}

TEST(ExtractFileDir, FolderPartKeepsDriveRootBackslash) {
    EXPECT_EQ(ExtractFileDir("C:\\Daten\\Umsatz.csv"), "C:\\Daten");
    EXPECT_EQ(ExtractFileDir("C:\\Umsatz.csv"), "C:\\");
    EXPECT_EQ(ExtractFileDir("C:\\Daten\\"), "C:\\Daten");
    EXPECT_EQ(ExtractFileDir("\\\\server\\share\\a.txt"), "\\\\server\\share");
    EXPECT_EQ(ExtractFileDir("Umsatz.csv"), "");
    // The text before the last colon, as the rule is written.
    EXPECT_EQ(ExtractFileDir("C:Umsatz.csv"), "C");
}

TEST(ExtractFileName, AfterTheLastSeparator) {
    EXPECT_EQ(ExtractFileName("C:\\Daten\\Umsatz.csv"), "Umsatz.csv");
    EXPECT_EQ(ExtractFileName("C:Umsatz.csv"), "Umsatz.csv");
    EXPECT_EQ(ExtractFileName("C:\\Daten\\"), "");
    EXPECT_EQ(ExtractFileName("\xDC"
                              "bersicht_M\xE4rz.csv"),
              "\xDC"
              "bersicht_M\xE4rz.csv");
}

TEST(ExtractFileExt, LastDotOfTheNamePart) {
    EXPECT_EQ(ExtractFileExt("C:\\Daten\\Bericht.2024.CSV"), ".CSV");
    EXPECT_EQ(ExtractFileExt("C:\\Daten\\.txt"), ".txt");
    EXPECT_EQ(ExtractFileExt("C:\\Da.ten\\Bericht"), "");
    EXPECT_EQ(ExtractFileExt("C:\\Daten\\Bericht."), ".");
    EXPECT_EQ(ExtractFileExt("a.b:c"), "");
    EXPECT_EQ(ExtractFileExt("x.txt"), ".txt");
    EXPECT_EQ(ExtractFileExt(""), "");
}

TEST(TrailingBackslash, AddsOneAndRemovesOne) {
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Daten"), "C:\\Daten\\");
    EXPECT_EQ(IncludeTrailingBackslash("C:\\Daten\\"), "C:\\Daten\\");
    EXPECT_EQ(IncludeTrailingBackslash(""), "\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\Daten\\"), "C:\\Daten");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\Daten\\\\"), "C:\\Daten\\");
    EXPECT_EQ(ExcludeTrailingBackslash("C:\\Daten"), "C:\\Daten");
    EXPECT_EQ(ExcludeTrailingBackslash(""), "");
}

} // namespace
