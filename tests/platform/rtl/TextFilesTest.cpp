// Text files on disk: reading, writing and the error codes of failures.

#include "tests/support/TempFolder.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/OSFile.h"
#include "platform/rtl/TextReader.h"
#include "platform/rtl/TextWriter.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Lines = std::vector<std::string>;

Lines ReadAllLines(const std::string& fileName, TTextLineRules rules = {}) {
    TTextReader reader(fileName, rules);
    Lines lines;
    std::string line;
    while (!reader.Eof()) {
        reader.ReadLine(line);
        lines.push_back(line);
    }
    reader.Close();
    return lines;
}

// The code of the EInOutError that action raises; -1 when it raises none.
int InOutErrorCode(const std::function<void()>& action, std::string* message = nullptr) {
    try {
        action();
    } catch (const EInOutError& error) {
        if (message != nullptr) {
            *message = error.Message();
        }
        return error.ErrorCode;
    }
    return -1;
}

class TextFiles : public ::testing::Test {
protected:
    TTempFolder FFolder;
};

TEST_F(TextFiles, ReadsLinesByThePlatformRules) {
    const std::string name = FFolder.File("in.txt");
    WriteWholeFile(name, "eins\r\nzwei\rdrei\nvier\r\n\r\nf\xFCnf\x1A"
                         "danach");
    EXPECT_EQ(ReadAllLines(name), (Lines{"eins", "zwei", "drei\nvier", "", "f\xFCnf"}));
    EXPECT_EQ(ReadAllLines(name, TTextLineRules{true, true}),
              (Lines{"eins", "zwei", "drei", "vier", "",
                     "f\xFCnf\x1A"
                     "danach"}));
}

TEST_F(TextFiles, EmptyFileIsAtEndAtOnce) {
    const std::string name = FFolder.File("empty.csv");
    WriteWholeFile(name, "");
    TTextReader reader(name);
    EXPECT_TRUE(reader.Eof());
    EXPECT_EQ(InOutErrorCode([&] {
                  std::string line;
                  reader.ReadLine(line);
              }),
              100);
}

TEST_F(TextFiles, LinesLongerThanTheBuffer) {
    const std::string name = FFolder.File("long.txt");
    const std::string longLine(TTextLineSplitter::DefaultBufferSize * 2 + 17, 'L');
    WriteWholeFile(name, "kurz\r" + longLine + "\r\nende");
    EXPECT_EQ(ReadAllLines(name), (Lines{"kurz", longLine, "ende"}));
}

TEST_F(TextFiles, WriterEndsLinesWithCrLfAndWritesBytesAsTheyAre) {
    const std::string name = FFolder.File("out.txt");
    TTextWriter writer(name);
    writer.WriteLine("a");
    writer.WriteLine("");
    writer.WriteLine(std::string("n\0l\n", 4));
    writer.Write("roh\r");
    writer.Close();
    EXPECT_EQ(ReadWholeFile(name), std::string("a\r\n\r\nn\0l\n\r\nroh\r", 15));
}

TEST_F(TextFiles, WriterKeepsOrderAcrossLargeAndSmallWrites) {
    const std::string name = FFolder.File("big.txt");
    const std::string big(TTextWriter::BufferSize + 5, 'b');
    const std::string almostFull(TTextWriter::BufferSize - 1, 'c');
    {
        TTextWriter writer(name);
        writer.WriteLine("klein");
        writer.Write(big);
        writer.WriteLine(almostFull);
        writer.Write("x");
    } // the destructor writes the rest
    EXPECT_EQ(ReadWholeFile(name), "klein\r\n" + big + almostFull + "\r\nx");
}

TEST_F(TextFiles, CreatingEmptiesAnExistingFile) {
    const std::string name = FFolder.File("alt.txt");
    WriteWholeFile(name, "alter Inhalt, viel l\xE4nger");
    TTextWriter writer(name);
    writer.WriteLine("neu");
    writer.Close();
    EXPECT_EQ(ReadWholeFile(name), "neu\r\n");
}

TEST_F(TextFiles, ReopeningClosesTheFormerFile) {
    TTextWriter writer(FFolder.File("0.txt"));
    writer.WriteLine("null");
    writer.Open(FFolder.File("1.txt"));
    writer.WriteLine("eins");
    writer.Close();
    EXPECT_EQ(ReadWholeFile(FFolder.File("0.txt")), "null\r\n");
    EXPECT_EQ(ReadWholeFile(FFolder.File("1.txt")), "eins\r\n");
}

TEST_F(TextFiles, ReaderLetsOthersReadTheSameFile) {
    const std::string name = FFolder.File("shared.txt");
    WriteWholeFile(name, "a\r\nb");
    TTextReader first(name);
    EXPECT_EQ(ReadAllLines(name), (Lines{"a", "b"}));
    std::string line;
    first.ReadLine(line);
    EXPECT_EQ(line, "a");
}

TEST_F(TextFiles, MissingFileRaisesFileNotFound) {
    std::string message;
    EXPECT_EQ(InOutErrorCode([&] { TTextReader reader(FFolder.File("fehlt.txt")); }, &message), 2);
    EXPECT_EQ(message, "Datei nicht gefunden");
}

TEST_F(TextFiles, MissingFolderRaisesPathNotFound) {
    const std::string name = FFolder.File("fehlt") + TTempFolder::Separator() + "x.txt";
    EXPECT_EQ(InOutErrorCode([&] { TTextReader reader(name); }), 3);
    EXPECT_EQ(InOutErrorCode([&] { TTextWriter writer(name); }), 3);
}

TEST_F(TextFiles, FolderNameRaisesAccessDenied) {
    std::string message;
    EXPECT_EQ(InOutErrorCode([&] { TTextWriter writer(FFolder.Path()); }, &message), 5);
    EXPECT_EQ(message, "Dateizugriff verweigert");
    EXPECT_EQ(InOutErrorCode([&] { TTextReader reader(FFolder.Path()); }), 5);
}

TEST_F(TextFiles, ClosedFilesRaiseFileNotOpen) {
    TTextReader reader;
    TTextWriter writer;
    std::string line;
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(InOutErrorCode([&] { reader.Eof(); }), 103);
    EXPECT_EQ(InOutErrorCode([&] { reader.ReadLine(line); }), 103);
    EXPECT_EQ(InOutErrorCode([&] { writer.WriteLine("x"); }), 103);
    EXPECT_NO_THROW(reader.Close());
    EXPECT_NO_THROW(writer.Close());

    const std::string name = FFolder.File("zu.txt");
    WriteWholeFile(name, "a");
    reader.Open(name);
    reader.Close();
    EXPECT_EQ(InOutErrorCode([&] { reader.Eof(); }), 103);
}

#ifndef _WIN32
TEST_F(TextFiles, WideNamesReachTheSystemAsUtf8) {
    // The temporary folder's name is ASCII; the file's is Polish with a
    // character beyond the BMP.
    const std::string folder = FFolder.Path() + TTempFolder::Separator();
    const std::wstring wide = std::wstring(folder.begin(), folder.end()) + L"\u0141\u00F3d\u017A \U0001F4C8.txt";
    const std::string utf8 = folder + "\xC5\x81\xC3\xB3" "d\xC5\xBA \xF0\x9F\x93\x88.txt";
    TTextWriter writer;
    writer.Open(wide);
    writer.WriteLine("eins");
    writer.Close();
    EXPECT_EQ(ReadWholeFile(utf8), "eins\r\n");
    TOSFile file = TOSFile::OpenRead(wide);
    char bytes[8] = {};
    EXPECT_EQ(file.Read(bytes, sizeof bytes), 6u);
    file.Close();
    EXPECT_EQ(InOutErrorCode([&] { TOSFile::OpenRead(wide + L"x"); }), 2);
}
#endif

TEST_F(TextFiles, CopyingGivesCrLfLines) {
    // Every copied line ends with CR LF, whatever the source had, the last one too.
    const std::string source = FFolder.File("quelle.csv");
    const std::string target = FFolder.File("ziel.csv");
    WriteWholeFile(source, "a;b\rc;d\r\ne\nf");
    TTextReader reader(source);
    TTextWriter writer(target);
    std::string line;
    while (!reader.Eof()) {
        reader.ReadLine(line);
        writer.WriteLine(line);
    }
    writer.Close();
    reader.Close();
    EXPECT_EQ(ReadWholeFile(target), "a;b\r\nc;d\r\ne\nf\r\n");
}

} // namespace
