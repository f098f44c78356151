// The texts handed to the open-file dialog in the system's format.

#include "platform/dialogs/OpenDialogText.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

TEST(DialogFilterText, SeparatorsBecomeNulsAndTheListEndsWithTwo) {
    EXPECT_EQ(DialogFilterText("Text (*.txt)|*.txt"), "Text (*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(DialogFilterText("A|*.a|B|*.b;*.c"), "A\0*.a\0B\0*.b;*.c\0\0"s);
}

TEST(DialogFilterText, KeepsBlanksInsideAndAtTheEndOfPatterns) {
    const std::string filter = "Unterstütze Dateien (*.txt,*.csv)|*.txt;*.csv|Textdatei "
                               "(*.txt)|*.txt |CSV-Datei (*.csv)|*.csv";
    const std::string expected = "Unterstütze Dateien (*.txt,*.csv)\0*.txt;*.csv\0Textdatei "
                                 "(*.txt)\0*.txt \0CSV-Datei (*.csv)\0*.csv\0\0"s;
    EXPECT_EQ(DialogFilterText(filter), expected);
    EXPECT_NE(DialogFilterText(filter).find("*.txt \0"s), std::string::npos);
}

TEST(DialogFilterText, EmptyFilterGivesNoListAtAll) {
    EXPECT_EQ(DialogFilterText(""), "");
}

TEST(DialogFilterText, EmptyPartsAndATrailingSeparatorStayAsWritten) {
    EXPECT_EQ(DialogFilterText("|"), "\0\0\0"s);
    EXPECT_EQ(DialogFilterText("A|*.a|"), "A\0*.a\0\0\0"s);
    EXPECT_EQ(DialogFilterText("A||B"), "A\0\0B\0\0"s);
}

TEST(DialogDefaultExtension, DropsAWildcardPrefixOrALeadingDot) {
    EXPECT_EQ(DialogDefaultExtension("*.txt"), "txt");
    EXPECT_EQ(DialogDefaultExtension(".csv"), "csv");
    EXPECT_EQ(DialogDefaultExtension("txt"), "txt");
    EXPECT_EQ(DialogDefaultExtension("*.TXT"), "TXT") << "the case stays";
}

TEST(DialogDefaultExtension, EdgeCases) {
    EXPECT_EQ(DialogDefaultExtension(""), "");
    EXPECT_EQ(DialogDefaultExtension("*."), "");
    EXPECT_EQ(DialogDefaultExtension("."), "");
    EXPECT_EQ(DialogDefaultExtension("*"), "*") << "only the two-character prefix is dropped";
    EXPECT_EQ(DialogDefaultExtension("..txt"), ".txt") << "one dot only";
    EXPECT_EQ(DialogDefaultExtension("*.tar.gz"), "tar.gz");
}

} // namespace
