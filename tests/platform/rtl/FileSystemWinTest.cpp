// Files and folders of the Windows file system, in a fresh temporary folder.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/OSFile.h"
#include "platform/rtl/SystemText.h"
#include "platform/rtl/TextReader.h"
#include "platform/rtl/TextWriter.h"

#include "tests/support/FileTree.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class FileSystem : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        static int counter = 0;
        FFolder = IncludeTrailingBackslash(std::wstring(temp)) + L"tessaro-fs-" +
                  std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount()) +
                  L"-" + std::to_wstring(counter++);
        ASSERT_TRUE(CreateDirectoryW(FFolder.c_str(), nullptr));
    }
    void TearDown() override { RemoveFileTree(FFolder); }

    std::wstring Path(const std::wstring& name) const { return FFolder + L"\\" + name; }
    // The same entry by ANSI name, for the text files that take one (the
    // temporary folder's name is ASCII).
    std::string AnsiPath(const std::string& name) const { return WideToAnsi(FFolder) + "\\" + name; }

    void MakeFile(const std::wstring& name, const std::string& bytes = "x") const {
        TTextWriter writer;
        writer.Open(Path(name));
        writer.Write(bytes);
        writer.Close();
    }

    std::wstring FFolder;
};

TEST_F(FileSystem, FileExistsForFilesOnly) {
    MakeFile(L"Umsatz.csv");
    EXPECT_TRUE(FileExists(Path(L"Umsatz.csv")));
    EXPECT_TRUE(FileExists(Path(L"UMSATZ.CSV")));
    EXPECT_FALSE(FileExists(Path(L"fehlt.csv")));
    EXPECT_FALSE(FileExists(FFolder));
    EXPECT_FALSE(FileExists(Path(L"fehlt\\Umsatz.csv")));
    EXPECT_FALSE(FileExists(L""));
}

TEST_F(FileSystem, FileExistsWhateverItsTimeStamp) {
    MakeFile(L"alt.txt");
    const std::wstring name = Path(L"alt.txt");
    const HANDLE file = CreateFileW(name.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    // 1975-06-01: before the first DOS date.
    SYSTEMTIME old{};
    old.wYear = 1975;
    old.wMonth = 6;
    old.wDay = 1;
    FILETIME time{};
    ASSERT_TRUE(SystemTimeToFileTime(&old, &time));
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
    EXPECT_TRUE(FileExists(name)) << "a file older than any DOS date is still there";
}

TEST_F(FileSystem, UmlautNamesAsUnicodeAndAsAnsi) {
    MakeFile(L"Übersicht_März.csv", "a;b\r\n");
    EXPECT_TRUE(FileExists(Path(L"Übersicht_März.csv")));
    ASSERT_TRUE(CreateDirectoryW(Path(L"Größe").c_str(), nullptr));
    EXPECT_TRUE(DirectoryExists(Path(L"Größe")));
    // CP1252 bytes, as the source is compiled to them, reach the same file.
    const std::string ansi = "Übersicht_März.csv";
    ASSERT_EQ(ansi.size(), 18u);
    TTextReader reader(AnsiPath(ansi));
    std::string line;
    reader.ReadLine(line);
    EXPECT_EQ(line, "a;b");
}

TEST_F(FileSystem, NamesOutsideTheAnsiCodePage) {
    // Polish, Greek, Cyrillic and a character beyond the BMP (a surrogate pair).
    for (const std::wstring name :
         {L"Łódź_Umsatz.csv", L"Πωλήσεις.csv", L"Продажи.csv", L"Bericht 📈.csv"}) {
        MakeFile(name, "x\r\n");
        EXPECT_TRUE(FileExists(Path(name)));
        EXPECT_FALSE(DirectoryExists(Path(name)));
        ASSERT_TRUE(SetFileAttributesW(Path(name).c_str(), FILE_ATTRIBUTE_READONLY));
        EXPECT_EQ(FileSetAttr(Path(name), 0), 0);
        EXPECT_EQ(GetFileAttributesW(Path(name).c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
        TOSFile file = TOSFile::OpenRead(Path(name));
        char bytes[4] = {};
        EXPECT_EQ(file.Read(bytes, sizeof bytes), 3u);
        file.Close();
    }
    // (Names outside CP1252 stay out of the test macros, which quote their
    // arguments as ANSI text.)
    const std::wstring top = Path(L"Łódź");
    const std::wstring deepest = top + L"\\Αθήνα\\Москва 📈";
    EXPECT_TRUE(ForceDirectories(deepest + L"\\"));
    EXPECT_TRUE(DirectoryExists(top));
    EXPECT_TRUE(DirectoryExists(deepest));
    EXPECT_FALSE(DirectoryExists(Path(L"Lodz"))) << "no look-alike was made";
    EXPECT_FALSE(FileExists(Path(L"Lodz_Umsatz.csv")));
}

TEST_F(FileSystem, DirectoryExistsForFoldersOnly) {
    MakeFile(L"datei.txt");
    EXPECT_TRUE(DirectoryExists(FFolder));
    EXPECT_TRUE(DirectoryExists(FFolder + L"\\"));
    EXPECT_FALSE(DirectoryExists(Path(L"datei.txt")));
    EXPECT_FALSE(DirectoryExists(Path(L"fehlt")));
    EXPECT_TRUE(DirectoryExists(L"C:\\"));
}

TEST_F(FileSystem, ForceDirectoriesMakesEveryMissingLevel) {
    const std::wstring deep = Path(L"a\\b\\c\\");
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(Path(L"a")));
    EXPECT_TRUE(DirectoryExists(Path(L"a\\b\\c")));
    EXPECT_TRUE(ForceDirectories(deep)); // exists already
    EXPECT_TRUE(ForceDirectories(Path(L"a\\b\\d")));
    EXPECT_TRUE(DirectoryExists(Path(L"a\\b\\d")));
}

TEST_F(FileSystem, ForceDirectoriesShortAndRootNames) {
    EXPECT_TRUE(ForceDirectories(L"C:\\"));
    EXPECT_TRUE(ForceDirectories(L"C:"));
    EXPECT_TRUE(ForceDirectories(L"Q:"));   // shorter than 3 characters: not even looked at
    EXPECT_TRUE(ForceDirectories(L"ab\\")); // "ab" is shorter than 3 characters
    EXPECT_TRUE(ForceDirectories(L"xyz:")); // no parent part
}

TEST_F(FileSystem, ForceDirectoriesFailsBelowAFile) {
    MakeFile(L"datei.txt");
    EXPECT_FALSE(ForceDirectories(Path(L"datei.txt\\unter")));
    EXPECT_FALSE(ForceDirectories(Path(L"datei.txt")));
}

TEST_F(FileSystem, ForceDirectoriesRaisesForAnEmptyName) {
    try {
        ForceDirectories(L"");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Das Verzeichnis kann nicht erstellt werden");
    }
    // A relative name without a backslash reaches the empty parent on the way.
    EXPECT_THROW(ForceDirectories(L"abcd"), Exception);
}

TEST_F(FileSystem, FileSetAttrZeroMakesANormalFile) {
    MakeFile(L"schreibgeschuetzt.txt");
    const std::wstring name = Path(L"schreibgeschuetzt.txt");
    const DWORD special = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), special));
    ASSERT_EQ(GetFileAttributesW(name.c_str()) & special, special);
    EXPECT_EQ(FileSetAttr(name, 0), 0);
    EXPECT_EQ(GetFileAttributesW(name.c_str()) & special, 0u);
    EXPECT_NO_THROW(TTextWriter{AnsiPath("schreibgeschuetzt.txt")});
}

TEST_F(FileSystem, FileSetAttrReportsTheErrorCode) {
    EXPECT_EQ(FileSetAttr(Path(L"fehlt.txt"), 0), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastOSErrorCode(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileSystem, WriterLeavesTheFileReadableForOthers) {
    const std::string name = AnsiPath("teil.txt");
    TTextWriter writer(name);
    writer.WriteLine("a");
    const HANDLE other = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(other, INVALID_HANDLE_VALUE);
    if (other != INVALID_HANDLE_VALUE) {
        CloseHandle(other);
    }
}

TEST_F(FileSystem, ReaderDoesNotLetOthersWrite) {
    MakeFile(L"quelle.txt");
    TTextReader reader(AnsiPath("quelle.txt"));
    try {
        TTextWriter writer(AnsiPath("quelle.txt"));
        FAIL() << "no exception";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.ErrorCode, ERROR_SHARING_VIOLATION);
        EXPECT_EQ(error.Message(), "E/A-Fehler 32");
    }
}

TEST(FormatSettingsWin, ReadFromTheUserLocale) {
    char thousand[8] = {};
    char decimal[8] = {};
    ASSERT_NE(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, sizeof thousand), 0);
    ASSERT_NE(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal), 0);
    const TFormatSettings loaded = LoadUserFormatSettings();
    EXPECT_EQ(loaded.ThousandSeparator, thousand[0]);
    EXPECT_EQ(loaded.DecimalSeparator, decimal[0]);
}

} // namespace
