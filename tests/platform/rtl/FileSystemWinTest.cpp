// Files and folders of the Windows file system, in a fresh temporary folder.

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/TextReader.h"
#include "platform/rtl/TextWriter.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Removes a folder with everything in it, by ANSI names.
void DeleteTree(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

class FileSystem : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH + 1] = {};
        ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
        static int counter = 0;
        FFolder = IncludeTrailingBackslash(temp) + "tessaro-fs-" +
                  std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
                  "-" + std::to_string(counter++);
        ASSERT_TRUE(CreateDirectoryA(FFolder.c_str(), nullptr)) << FFolder;
    }
    void TearDown() override { DeleteTree(FFolder); }

    std::string Path(const std::string& name) const { return FFolder + "\\" + name; }

    void MakeFile(const std::string& name, const std::string& bytes = "x") const {
        TTextWriter writer(Path(name));
        writer.Write(bytes);
        writer.Close();
    }

    std::string FFolder;
};

TEST_F(FileSystem, FileExistsForFilesOnly) {
    MakeFile("Umsatz.csv");
    EXPECT_TRUE(FileExists(Path("Umsatz.csv")));
    EXPECT_TRUE(FileExists(Path("UMSATZ.CSV")));
    EXPECT_FALSE(FileExists(Path("fehlt.csv")));
    EXPECT_FALSE(FileExists(FFolder));
    EXPECT_FALSE(FileExists(Path("fehlt\\Umsatz.csv")));
    EXPECT_FALSE(FileExists(""));
}

TEST_F(FileSystem, FileExistsWhateverItsTimeStamp) {
    MakeFile("alt.txt");
    const std::string name = Path("alt.txt");
    const HANDLE file = CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
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

TEST_F(FileSystem, NonAsciiNames) {
    // CP1252 bytes, as the source is compiled to them.
    const std::string name = "Übersicht_März.csv";
    ASSERT_EQ(name.size(), 18u);
    MakeFile(name, "a;b\r\n");
    EXPECT_TRUE(FileExists(Path(name)));
    ASSERT_TRUE(CreateDirectoryA(Path("Größe").c_str(), nullptr));
    EXPECT_TRUE(DirectoryExists(Path("Größe")));
    TTextReader reader(Path(name));
    std::string line;
    reader.ReadLine(line);
    EXPECT_EQ(line, "a;b");
}

TEST_F(FileSystem, DirectoryExistsForFoldersOnly) {
    MakeFile("datei.txt");
    EXPECT_TRUE(DirectoryExists(FFolder));
    EXPECT_TRUE(DirectoryExists(FFolder + "\\"));
    EXPECT_FALSE(DirectoryExists(Path("datei.txt")));
    EXPECT_FALSE(DirectoryExists(Path("fehlt")));
    EXPECT_TRUE(DirectoryExists("C:\\"));
}

TEST_F(FileSystem, ForceDirectoriesMakesEveryMissingLevel) {
    const std::string deep = Path("a\\b\\c\\");
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(Path("a")));
    EXPECT_TRUE(DirectoryExists(Path("a\\b\\c")));
    EXPECT_TRUE(ForceDirectories(deep)); // exists already
    EXPECT_TRUE(ForceDirectories(Path("a\\b\\d")));
    EXPECT_TRUE(DirectoryExists(Path("a\\b\\d")));
}

TEST_F(FileSystem, ForceDirectoriesShortAndRootNames) {
    EXPECT_TRUE(ForceDirectories("C:\\"));
    EXPECT_TRUE(ForceDirectories("C:"));
    EXPECT_TRUE(ForceDirectories("Q:"));   // shorter than 3 characters: not even looked at
    EXPECT_TRUE(ForceDirectories("ab\\")); // "ab" is shorter than 3 characters
    EXPECT_TRUE(ForceDirectories("xyz:")); // no parent part
}

TEST_F(FileSystem, ForceDirectoriesFailsBelowAFile) {
    MakeFile("datei.txt");
    EXPECT_FALSE(ForceDirectories(Path("datei.txt\\unter")));
    EXPECT_FALSE(ForceDirectories(Path("datei.txt")));
}

TEST_F(FileSystem, ForceDirectoriesRaisesForAnEmptyName) {
    try {
        ForceDirectories("");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Das Verzeichnis kann nicht erstellt werden");
    }
    // A relative name without a backslash reaches the empty parent on the way.
    EXPECT_THROW(ForceDirectories("abcd"), Exception);
}

TEST_F(FileSystem, FileSetAttrZeroMakesANormalFile) {
    MakeFile("schreibgeschuetzt.txt");
    const std::string name = Path("schreibgeschuetzt.txt");
    const DWORD special = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(SetFileAttributesA(name.c_str(), special));
    ASSERT_EQ(GetFileAttributesA(name.c_str()) & special, special);
    EXPECT_EQ(FileSetAttr(name, 0), 0);
    EXPECT_EQ(GetFileAttributesA(name.c_str()) & special, 0u);
    EXPECT_NO_THROW(TTextWriter{name});
}

TEST_F(FileSystem, FileSetAttrReportsTheErrorCode) {
    EXPECT_EQ(FileSetAttr(Path("fehlt.txt"), 0), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastOSErrorCode(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileSystem, WriterLeavesTheFileReadableForOthers) {
    const std::string name = Path("teil.txt");
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
    MakeFile("quelle.txt");
    TTextReader reader(Path("quelle.txt"));
    try {
        TTextWriter writer(Path("quelle.txt"));
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
