// Splits of Unicode material through the real program: a spreadsheet's
// "CSV UTF-8" export with its byte-order mark.

#include "ProgramFixture.h"

#include <string>

using namespace std::chrono_literals;

namespace {
const char* const DialogTitle = "Quelldatei wählen";
const char* const StartCaption = "Datei wählen und Aufteilung starten";
const std::string Mark = "\xEF\xBB\xBF";

int CountLines(const std::string& text) {
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
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
