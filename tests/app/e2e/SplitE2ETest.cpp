// Splits through the real program: the open dialog, the copy with its
// status, cancel and close requests, and the result and error boxes.

#include "ProgramFixture.h"

#include <string>

using namespace std::chrono_literals;

namespace {
const char* const DialogTitle = "Quelldatei wählen";
const char* const StartCaption = "Datei wählen und Aufteilung starten";
// A point on the logo, where the window itself decides the cursor.
const int LogoX = 80;
const int LogoY = 150;

std::string Lines(int first, int count) {
    std::string text;
    text.reserve(static_cast<size_t>(count) * 16);
    for (int i = first; i < first + count; ++i)
        text += "Zeile;" + std::to_string(i) + "\r\n";
    return text;
}

// Many short lines: long enough to copy that a user (the driver) can stop it.
std::string ShortLines(int count) {
    std::string text;
    text.reserve(static_cast<size_t>(count) * 3);
    for (int i = 0; i < count; ++i)
        text += "1\r\n";
    return text;
}

int CountLines(const std::string& text) {
    int n = 0;
    for (char c : text)
        n += c == '\n';
    return n;
}
} // namespace

TEST_F(Program, SplitsA200000LineFileAtTheDefaultLimit) {
    Write("Umsatz.csv", Lines(1, 200000));
    Start();
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, Path("Umsatz.csv"));
    const HWND report = driver.WaitForMessageBox(60s).Handle;
    // The folder is open in the file manager; its window may cover the box.
    e2e::WaitFor([] { return !FileManagerWindows("Umsatz").empty(); }, 20s,
                 "the file manager showing Umsatz");
    CloseFileManagerWindows();
    const e2e::TMessageBoxInfo box = e2e::ReadMessageBox(report);
    EXPECT_EQ(box.Text, "Die Datei \"" + Path("Umsatz.csv") + "\" wurde erfolgreich aufgeteilt");
    EXPECT_EQ(box.Caption, "Tessaro");
    EXPECT_EQ(box.Icon, e2e::TBoxIcon::Information);
    driver.ConfirmMessageBox();
    const std::string folder = Path("Umsatz") + "\\";
    EXPECT_EQ(CountLines(Read(folder + "0.csv")), 65499);
    EXPECT_EQ(CountLines(Read(folder + "1.csv")), 65500);
    EXPECT_EQ(CountLines(Read(folder + "2.csv")), 65500);
    EXPECT_EQ(CountLines(Read(folder + "3.csv")), 3501);
    EXPECT_FALSE(Exists(folder + "4.csv"));
    EXPECT_EQ(Read(folder + "0.csv") + Read(folder + "1.csv") + Read(folder + "2.csv") +
                  Read(folder + "3.csv"),
              Lines(1, 200000));
    // Idle again: the button starts the next split.
    EXPECT_EQ(e2e::WindowText(Button(StartCaption)), StartCaption);
    EXPECT_TRUE(e2e::IsEnabled(Button("&Beenden")));
    EXPECT_TRUE(driver.RequestClose(10s));
}

TEST_F(Program, AStopKeepsTheCompletePartsAndWarns) {
    const int total = 40000000;
    Write("gross.txt", ShortLines(total));
    Start();
    e2e::DragTrackBarTo(TrackBar(), 10000); // many parts: a copy long enough to stop
    const HCURSOR idle = e2e::CursorShownAt(window, LogoX, LogoY);
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, Path("gross.txt"));
    HWND cancel = nullptr;
    e2e::WaitFor(
        [&] { return (cancel = e2e::FindChild(window, "TButton", "Abbrechen")) != nullptr; }, 20s,
        "the Cancel button");
    // While the copy runs: another cursor over the window (the hourglass),
    // the settings and the other buttons disabled, only Cancel enabled.
    ASSERT_TRUE(e2e::WaitUntil(
        [&] { return e2e::CursorShownAt(window, LogoX, LogoY, 100ms) != idle; }, 10s))
        << "the cursor over the window changes";
    for (const char* radio :
         {"für Excel bis 2007", "für Excel ab 2010", "für Texteditoren", "Eigene Einstellung"})
        EXPECT_FALSE(e2e::IsEnabled(Radio(radio))) << radio;
    EXPECT_FALSE(e2e::IsEnabled(TrackBar()));
    EXPECT_FALSE(e2e::IsEnabled(Button("&Hilfe")));
    EXPECT_FALSE(e2e::IsEnabled(Button("&Beenden")));
    EXPECT_TRUE(e2e::IsEnabled(cancel));
    e2e::Click(cancel);
    const e2e::TMessageBoxInfo box = WaitForReport(60s);
    EXPECT_EQ(box.Text, "Die Datei konnte nur teilweise aufgeteilt werden, da der Vorgang "
                        "abgebrochen wurde.");
    EXPECT_EQ(box.Icon, e2e::TBoxIcon::Warning);
    driver.ConfirmMessageBox();
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return e2e::CursorShownAt(window, LogoX, LogoY, 100ms) == idle; }, 10s))
        << "the idle cursor again";
    EXPECT_TRUE(e2e::IsEnabled(Radio("Eigene Einstellung")));
    // The parts hold the first lines, complete, up to a multiple of 100.
    std::string parts;
    for (int k = 0; Exists(Path("gross") + "\\" + std::to_string(k) + ".txt"); ++k)
        parts += Read(Path("gross") + "\\" + std::to_string(k) + ".txt");
    const int copied = CountLines(parts);
    EXPECT_GT(copied, 0);
    EXPECT_LT(copied, total);
    EXPECT_EQ(copied % 100, 0);
    EXPECT_EQ(parts, ShortLines(copied));
    EXPECT_TRUE(e2e::IsEnabled(Button("&Beenden")));
    EXPECT_TRUE(driver.RequestClose(10s));
}

TEST_F(Program, ACloseRequestDuringASplitStopsItAndKeepsTheWindow) {
    Write("gross.csv", ShortLines(40000000));
    Start();
    e2e::DragTrackBarTo(TrackBar(), 10000);
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, Path("gross.csv"));
    e2e::WaitFor([&] { return e2e::FindChild(window, "TButton", "Abbrechen") != nullptr; }, 20s,
                 "the Cancel button");
    EXPECT_FALSE(driver.RequestClose(1s));
    const e2e::TMessageBoxInfo question = driver.ConfirmMessageBox(30s);
    EXPECT_EQ(question.Icon, e2e::TBoxIcon::Question);
    EXPECT_EQ(question.Text, "Der aktuelle Vorgang wird abgebrochen...\rBitte haben Sie etwas "
                             "Geduld und versuchen Sie es in ein paar Sekunden erneut");
    const e2e::TMessageBoxInfo partial = WaitForReport(60s);
    driver.ConfirmMessageBox();
    EXPECT_EQ(partial.Icon, e2e::TBoxIcon::Warning);
    EXPECT_TRUE(driver.MainWindowExists());
    EXPECT_TRUE(e2e::IsEnabled(Button(StartCaption))) << "enabled again after the close request";
    EXPECT_TRUE(driver.RequestClose(10s)) << "a later close request closes";
    EXPECT_EQ(driver.WaitForExit(), 0u);
}

TEST_F(Program, ALockedSourceGivesTheErrorBoxAndLeavesTheWindowIdle) {
    Write("gesperrt.csv", Lines(1, 10));
    const std::string name = Path("gesperrt.csv");
    HANDLE lock = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Start();
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, name);
    const e2e::TMessageBoxInfo box = driver.WaitForMessageBox(30s);
    ::CloseHandle(lock);
    EXPECT_EQ(box.Icon, e2e::TBoxIcon::Error);
    EXPECT_EQ(box.Text.rfind("Die Datei \"" + name + "\" konnte nicht aufgeteilt werden.", 0), 0u)
        << box.Text;
    EXPECT_NE(box.Text.find("Meldung:\r"), std::string::npos);
    driver.ConfirmMessageBox();
    EXPECT_EQ(e2e::WindowText(Button(StartCaption)), StartCaption);
    EXPECT_TRUE(e2e::IsEnabled(Button("&Hilfe")));
    EXPECT_TRUE(driver.RequestClose(10s));
}

TEST_F(Program, AReadOnlySourceWithUmlautsIsSplitAndNoLongerReadOnly) {
    const std::string source = "Übersicht_März.csv";
    Write(source, Lines(1, 1000));
    ASSERT_TRUE(::SetFileAttributesA(Path(source).c_str(), FILE_ATTRIBUTE_READONLY));
    Start();
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, Path(source));
    const e2e::TMessageBoxInfo box = WaitForReport(30s);
    driver.ConfirmMessageBox();
    EXPECT_EQ(box.Icon, e2e::TBoxIcon::Information) << box.Text;
    EXPECT_EQ(Read(Path("Übersicht_März") + "\\0.csv"), Lines(1, 1000));
    EXPECT_FALSE(::GetFileAttributesA(Path(source).c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(driver.RequestClose(10s));
}

TEST_F(Program, AnUnsupportedTypeWarnsAndOpensTheDialogAgain) {
    Write("daten.txt.bak", "x\r\n");
    Start();
    e2e::Click(Button(StartCaption));
    driver.AnswerOpenDialog(DialogTitle, Path("daten.txt.bak"));
    const e2e::TMessageBoxInfo box = driver.ConfirmMessageBox(30s);
    EXPECT_EQ(box.Icon, e2e::TBoxIcon::Warning);
    EXPECT_EQ(box.Text,
              "\"" + Path("daten.txt.bak") +
                  "\" ist keine unterstützte Textdatei!\rBitte wählen Sie eine Textdatei.");
    driver.CancelOpenDialog(DialogTitle, 30s);
    EXPECT_FALSE(Exists(Path("daten")));
    EXPECT_TRUE(driver.RequestClose(10s));
}
