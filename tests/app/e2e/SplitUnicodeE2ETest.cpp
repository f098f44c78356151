// Splits of Unicode material through the real program: a spreadsheet's
// "CSV UTF-8" export with its byte-order mark, and a file whose name the ANSI
// code page cannot hold.

#include "ProgramFixture.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace std::chrono_literals;

namespace {
const char* const DialogTitle = "Quelldatei wählen";
const char* const StartCaption = "Datei wählen und Aufteilung starten";
const std::string Mark = "\xEF\xBB\xBF";

std::ptrdiff_t CountLines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}
} // namespace

TEST_F(Program, EveryPartOfAUtf8ExportStartsWithTheByteOrderMark) {
    std::string source = Mark;
    for (int line = 1; line <= 150001; ++line)
        source += "M\xC3\xBCller;K\xC3\xB6ln;" + std::to_string(line) + "\r\n";
    Write("export.csv", source);
    Start();
    e2e::Click(Radio("für Excel bis 2007"));
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, Path("export.csv"));
    const e2e::TMessageBoxInfo box = WaitForReport(60s);
    driver.ConfirmMessageBox();
    EXPECT_EQ(box.Icon, e2e::TBoxIcon::Information) << box.Text;
    const std::string folder = Path("export") + "\\";
    const std::string parts[] = {Read(folder + "0.csv"), Read(folder + "1.csv"),
                                 Read(folder + "2.csv")};
    EXPECT_FALSE(Exists(folder + "3.csv"));
    std::string joined;
    for (const std::string& part : parts) {
        ASSERT_EQ(part.substr(0, 3), Mark) << "a part without the mark";
        joined += joined.empty() ? part : part.substr(3);
    }
    EXPECT_EQ(joined, source);
    EXPECT_EQ(CountLines(parts[0]), 65499);
    EXPECT_EQ(CountLines(parts[1]), 65500);
    EXPECT_EQ(CountLines(parts[2]), 19002);
    EXPECT_TRUE(driver.RequestClose(10s));
}

namespace {
std::string ReadWide(const std::wstring& fileName) {
    std::ifstream in(std::filesystem::path(fileName), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
} // namespace

// (Names outside CP1252 stay out of the test macros, which quote their
// arguments as ANSI text.)
TEST_F(Program, AFileWhoseNameIsOutsideTheAnsiCodePageIsSplitAndNamedAsItIsCalled) {
    const std::wstring folder = AnsiToWide(Path(""));
    const std::wstring source = folder + L"Łódź_Umsatz.csv";
    std::string lines;
    for (int line = 1; line <= 70000; ++line)
        lines += "Zeile;" + std::to_string(line) + "\r\n";
    {
        std::ofstream out(std::filesystem::path(source), std::ios::binary);
        out << lines;
        ASSERT_TRUE(out.flush());
    }
    Start();
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, source);
    const e2e::TMessageBoxInfo box = WaitForReport(60s);
    driver.ConfirmMessageBox();
    EXPECT_EQ(box.Icon, e2e::TBoxIcon::Information) << box.Text;
    const std::wstring report = L"Die Datei \"" + source + L"\" wurde erfolgreich aufgeteilt";
    EXPECT_TRUE(box.WideText == report) << box.Text;
    const std::wstring parts = folder + L"Łódź_Umsatz\\";
    const std::string part0 = ReadWide(parts + L"0.csv");
    const std::string part1 = ReadWide(parts + L"1.csv");
    EXPECT_EQ(CountLines(part0), 65499);
    EXPECT_EQ(CountLines(part1), 4501);
    EXPECT_EQ(part0 + part1, lines);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(parts + L"2.csv")));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder + L"Lodz_Umsatz")))
        << "no look-alike folder";
    EXPECT_TRUE(driver.RequestClose(10s));
}
