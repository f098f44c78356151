// The Execute button's handler with the dialog, message boxes, free space,
// shell call and clock replaced: checks, folder naming, report, failure and
// the window's state afterwards.

#include "MainWindowFixture.h"

#include "platform/rtl/SystemSeams.h"
#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/SystemText.h"
#include "tests/support/FileTree.h"

#include <cwchar>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

namespace {
struct Box {
    HWND Owner;
    std::wstring Text;
    UINT Flags;
};

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "Zeile " + std::to_string(i) + "\r\n";
    return text;
}

class SplitHandler : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = std::wstring(temp) + L"tessaro-split-" + std::wstring(test.begin(), test.end());
        RemoveFileTree(folder);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        form->HandleNeeded();
    }
    void TearDown() override {
        RemoveFileTree(folder);
        MainWindow::TearDown();
    }
    std::wstring Path(const std::wstring& name) const { return folder + L"\\" + name; }
    void Write(const std::wstring& name, const std::string& bytes) const {
        std::ofstream(std::filesystem::path(Path(name)), std::ios::binary) << bytes;
    }
    static std::string Read(const std::wstring& file) {
        std::ifstream in(std::filesystem::path(file), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // The dialog answers with these names in turn, then cancels.
    void Choose(std::vector<std::wstring> names) { chosen = std::move(names); }
    void Execute() { form->btnExecuteClick(form->btnExecute); }
    // The file manager's arguments that open folder.
    static std::wstring Explore(const std::wstring& folder) { return L"/e,\"" + folder + L"\""; }
    void ExpectIdle() {
        EXPECT_TRUE(bAbort);
        EXPECT_EQ(form->btnExecute->Caption(), "Datei w\xE4hlen und Aufteilung starten");
        EXPECT_EQ(form->btnExecute->Hint(), form->btnExecute->Caption());
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_EQ(form->lbState->Caption(), "");
        for (TComponent* c : form->ComponentList()) {
            if (auto* w = dynamic_cast<TWinControl*>(c)) {
                EXPECT_TRUE(w->Enabled()) << w->Name();
            }
        }
    }

    std::wstring folder;
    std::vector<std::wstring> chosen;
    int dialogs = 0;
    std::vector<Box> boxes;
    std::vector<std::wstring> explored;
    std::vector<std::wstring> freeQueries;
    std::uint64_t freeBytes = UINT64_MAX / 4;
    std::function<void()> onBox;
    std::function<void()> onClock;
    std::uint64_t now = 0;

    TSeamOverride<bool(OPENFILENAMEW&)> dialogSeam{
        SystemSeams().ShowOpenFileDialog, [this](OPENFILENAMEW& ofn) {
            const size_t n = static_cast<size_t>(dialogs++);
            if (n >= chosen.size())
                return false;
            std::wcsncpy(ofn.lpstrFile, chosen[n].c_str(), ofn.nMaxFile - 1);
            return true;
        }};
    TSeamOverride<int(HWND, const std::wstring&, const std::wstring&, UINT)> boxSeam{
        SystemSeams().ShowMessageBox,
        [this](HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
            EXPECT_EQ(caption, L"Tessaro");
            boxes.push_back({owner, text, flags});
            if (onBox)
                onBox();
            return IDOK;
        }};
    TSeamOverride<HINSTANCE(HWND, const std::wstring&, const std::wstring&, const std::wstring&,
                            const std::wstring&, int)>
        shellSeam{SystemSeams().ShellExecuteFile,
                  [this](HWND, const std::wstring& verb, const std::wstring& file,
                         const std::wstring& parameters, const std::wstring&, int) {
                      EXPECT_EQ(verb, L"open");
                      EXPECT_TRUE(!file.empty() && file == FileManagerPath());
                      explored.push_back(parameters);
                      return reinterpret_cast<HINSTANCE>(33);
                  }};
    TSeamOverride<bool(const std::wstring&, std::uint64_t&, std::uint64_t&)> freeSeam{
        SystemSeams().GetDiskFreeSpaceOf,
        [this](const std::wstring& path, std::uint64_t& available, std::uint64_t& total) {
            freeQueries.push_back(path);
            available = freeBytes;
            total = freeBytes;
            return true;
        }};
    TSeamOverride<std::uint64_t()> clockSeam{SystemSeams().MillisecondTicks, [this] {
                                                 if (onClock)
                                                     onClock();
                                                 return now += 20; // every multiple of 100 pumps
                                             }};
};
} // namespace

TEST_F(SplitHandler, SplitsReportsAndRestoresTheWindow) {
    Write(L"Bericht.2024.CSV", Lines(250));
    Choose({Path(L"Bericht.2024.CSV")});
    std::vector<std::string> status;
    onClock = [&] { status.push_back(form->lbState->Caption()); };
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text,
              L"Die Datei \"" + Path(L"Bericht.2024.CSV") + L"\" wurde erfolgreich aufgeteilt");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(boxes[0].Owner, nullptr);
    EXPECT_EQ(Read(Path(L"Bericht") + L"\\0.CSV"), Lines(250)) << "stem before the first dot, "
                                                                "extension as typed";
    ASSERT_EQ(explored.size(), 1u);
    EXPECT_EQ(explored[0], Explore(Path(L"Bericht")));
    EXPECT_NE(std::find(status.begin(), status.end(), "100 Zeilen"), status.end());
    EXPECT_NE(std::find(status.begin(), status.end(), "200 Zeilen"), status.end());
    ExpectIdle();
}

TEST_F(SplitHandler, FreeSpaceIsAskedOfTheSourcesFolderAndEqualSpacePasses) {
    const std::string text = Lines(10);
    Write(L"a.txt", text);
    Choose({Path(L"a.txt")});
    freeBytes = text.size();
    Execute();
    ASSERT_EQ(freeQueries.size(), 1u);
    EXPECT_EQ(freeQueries[0], folder + L"\\") << "the volume the parts go to, not the drive's";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    // The system answers for a folder below the root too.
    const TSeamOverride realFree(SystemSeams().GetDiskFreeSpaceOf,
                                 TSystemSeams().GetDiskFreeSpaceOf);
    EXPECT_GT(GetFreeDiskSpace(folder), 0);
}

TEST_F(SplitHandler, OneByteTooLittleSpaceGivesTheExactMessage) {
    Write(L"a.txt", std::string(1234567, 'x'));
    Choose({Path(L"a.txt")});
    freeBytes = 1234566;
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    const std::wstring drive = folder.substr(0, 2);
    EXPECT_NE(boxes[0].Text.find(L"Meldung:\r1.234.567 Bytes free disk space needed to save the "
                                 L"part files on " +
                                 drive + L".\rBut on " + drive +
                                 L" there are only 1.234.566 bytes free."),
              std::string::npos)
        << boxes[0].Text;
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(boxes[0].Owner, form->Handle());
    EXPECT_FALSE(DirectoryExists(Path(L"a"))) << "nothing changed";
    ExpectIdle();
}

TEST_F(SplitHandler, TheErrorBoxNamesFileDriveAndReason) {
    Choose({Path(L"fehlt.csv")});
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    const std::wstring source = Path(L"fehlt.csv");
    const std::wstring drive = folder.substr(0, 2);
    EXPECT_EQ(boxes[0].Text,
              L"Die Datei \"" + source +
                  L"\" konnte nicht aufgeteilt werden.\r\rStellen Sie sicher, dass die Datei "
                  L"nicht schreibgesch\xFCtzt oder in einem anderen Programm ge\xF6"
                  L"ffnet ist. Vergewissern Sie sich, dass Sie die erforderlichen Rechte haben, um "
                  L"auf die Datei \"" +
                  source + L"\" zuzugreifen, auf Laufwerk \"" + drive +
                  L"\" zu schreiben und gen\xFCgend Speicherplatz frei ist.\r\rVersuchen Sie es "
                  L"anschlie\xDF"
                  L"end erneut.\r\rMeldung:\rFile \"" +
                  source + L"\" not found!");
    EXPECT_EQ(dialogs, 1) << "the dialog does not open again";
}

TEST_F(SplitHandler, OutputFoldersAreNumberedFromTheFirstFreeOne) {
    Write(L"Umsatz.csv", Lines(3));
    ::CreateDirectoryW(Path(L"Umsatz").c_str(), nullptr);
    ::CreateDirectoryW(Path(L"Umsatz-0").c_str(), nullptr);
    Choose({Path(L"Umsatz.csv")});
    Execute();
    EXPECT_EQ(Read(Path(L"Umsatz-1") + L"\\0.csv"), Lines(3));

    RemoveFileTree(Path(L"Umsatz"));
    RemoveFileTree(Path(L"Umsatz-0"));
    RemoveFileTree(Path(L"Umsatz-1"));
    ::CreateDirectoryW(Path(L"Umsatz-5").c_str(), nullptr);
    ::CreateDirectoryW(Path(L"Umsatz").c_str(), nullptr);
    EXPECT_EQ(CreateOutputFolder(Path(L"Umsatz") + L"\\"), Path(L"Umsatz-0") + L"\\");
}

// The program runs elevated: what others put where its folder or a part
// goes is never written to or through.
TEST_F(SplitHandler, ANameTakenBetweenTheCheckAndTheCreationIsPassedOver) {
    const std::wstring target = Path(L"Umsatz");
    const std::function<void()> plants[] = {
        [&] { Write(L"Umsatz", "fremd"); },
        [&] {
            ::CreateDirectoryW(target.c_str(), nullptr);
            Write(L"Umsatz\\0.csv", "fremd");
        }};
    for (const std::function<void()>& plant : plants) {
        const std::wstring made =
            CreateOutputFolder(target + L"\\", [&](const std::wstring& candidate) {
                const bool exists = DirectoryExists(candidate);
                if (candidate == target + L"\\")
                    plant(); // after the test, before the creation
                return exists;
            });
        EXPECT_EQ(made, Path(L"Umsatz-0") + L"\\");
        EXPECT_EQ(Read(DirectoryExists(target) ? target + L"\\0.csv" : target), "fremd");
        RemoveFileTree(target);
        RemoveFileTree(Path(L"Umsatz-0"));
    }
    EXPECT_THROW(CreateOutputFolder(Path(L"fehlt\\Umsatz\\")), ETessaro);
}

TEST_F(SplitHandler, APartNamePlantedInTheNewFolderStaysAndTheSplitFails) {
    const std::string text = Lines(10100);
    Write(L"Umsatz.csv", text);
    Choose({Path(L"Umsatz.csv")});
    form->TrackBarMaxLines->SetPosition(10000); // part 1 begins at line 10000
    bool planted = false;
    bool renamed = false;
    onClock = [&] {
        if (planted)
            return;
        planted = true;
        Write(L"Umsatz\\1.csv", "fremd");
        renamed = ::MoveFileW(Path(L"Umsatz").c_str(), Path(L"Anders").c_str());
    };
    Execute();
    EXPECT_TRUE(planted);
    EXPECT_FALSE(renamed) << "the folder is held while the parts are written";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_NE(boxes[0].Text.find(L"Meldung:\rE/A-Fehler 80"), std::string::npos) << boxes[0].Text;
    EXPECT_EQ(Read(Path(L"Umsatz\\1.csv")), "fremd");
    EXPECT_EQ(Read(Path(L"Umsatz.csv")), text);
    ExpectIdle();
}

TEST_F(SplitHandler, DevicesAndPipesAreRefusedBeforeAnythingElse) {
    const std::wstring pipe = L"\\\\.\\pipe\\tessaro-quelle.txt";
    HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0,
                                       0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    for (const std::wstring& source :
         {Path(L"aux.txt"), Path(L"COM1.txt"), Path(L"CON.csv"), Path(L"nul.csv"), pipe}) {
        boxes.clear();
        dialogs = 0;
        Choose({source});
        Execute();
        ASSERT_EQ(boxes.size(), 1u) << WideToAnsi(source);
        EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
        EXPECT_NE(boxes[0].Text.find(L"Meldung:\rUng\xFCltiger Dateiname"), std::string::npos)
            << WideToAnsi(boxes[0].Text);
    }
    ::CloseHandle(server);
    EXPECT_TRUE(freeQueries.empty()) << "nothing was measured";
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(folder))) << "nothing was made";
}

TEST_F(SplitHandler, ANameThatIsOnlyAnExtensionUsesTheNumberedSourceFolder) {
    Write(L".txt", Lines(2));
    Choose({Path(L".txt")});
    Execute();
    EXPECT_EQ(Read(folder + L"-0\\0.txt"), Lines(2));
    RemoveFileTree(folder + L"-0");
    EXPECT_EQ(FirstOutputFolder(L"C:\\.txt"), L"C:\\");
    EXPECT_EQ(NumberedOutputFolder(L"C:\\", 0), L"C:\\-0\\") << "not the relative C:-0";
    EXPECT_EQ(FirstOutputFolder(L"\\\\server\\share\\Umsatz.csv"), L"\\\\server\\share\\Umsatz\\");
}

TEST_F(SplitHandler, TheTypeCheckIgnoresCaseAndAsksAgainForOtherTypes) {
    Write(L"a.txt.bak", "x\r\n");
    Write(L"B.TXT", "y\r\n");
    Choose({Path(L"a.txt.bak"), Path(L"B.TXT")});
    Execute();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, L"\"" + Path(L"a.txt.bak") +
                                 L"\" ist keine unterst\xFCtzte Textdatei!\rBitte w\xE4hlen Sie "
                                 L"eine Textdatei.");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(boxes[0].Owner, nullptr);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(Read(Path(L"B") + L"\\0.TXT"), "y\r\n");
    EXPECT_FALSE(DirectoryExists(Path(L"a")));
}

TEST_F(SplitHandler, CancellingTheDialogChangesNothing) {
    Choose({});
    Execute();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialogs, 1);
    ExpectIdle();
}

TEST_F(SplitHandler, AStopAtTheFourthPumpKeepsLines1To400) {
    Write(L"gross.txt", Lines(1000));
    Choose({Path(L"gross.txt")});
    int pumps = 0;
    onClock = [&] {
        // The clock is read after every pump; the fourth is at line 400.
        if (form->lbState->Caption() == "400 Zeilen" && pumps++ == 0)
            Execute(); // the button reads "Abbrechen" now
    };
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        boxes[0].Text,
        L"Die Datei konnte nur teilweise aufgeteilt werden, da der Vorgang abgebrochen wurde.");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(Read(Path(L"gross") + L"\\0.txt"), Lines(400));
    EXPECT_EQ(explored.size(), 1u) << "the folder opens after a stop too";
    ExpectIdle();
}

TEST_F(SplitHandler, ALockedSourceFailsBeforeAnythingChangesOnDisk) {
    Write(L"gesperrt.csv", Lines(5));
    ASSERT_TRUE(::SetFileAttributesW(Path(L"gesperrt.csv").c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE lock = ::CreateFileW(Path(L"gesperrt.csv").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Choose({Path(L"gesperrt.csv")});
    Execute();
    ::CloseHandle(lock);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_NE(boxes[0].Text.find(L"Meldung:\rE/A-Fehler 32"), std::string::npos) << boxes[0].Text;
    EXPECT_TRUE(explored.empty());
    // The source is read (for its first bytes) before the folder is made: no
    // folder, and the source keeps its attributes.
    EXPECT_FALSE(DirectoryExists(Path(L"gesperrt")));
    EXPECT_TRUE(::GetFileAttributesW(Path(L"gesperrt.csv").c_str()) & FILE_ATTRIBUTE_READONLY);
    ExpectIdle();
}

TEST_F(SplitHandler, AUtf16FileIsRefusedBeforeAnyFolderIsMade) {
    Write(L"breit.txt", std::string("\xFF\xFEZ\0e\0i\0l\0e\0", 12));
    Choose({Path(L"breit.txt")});
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text.find(L"Meldung:\rDie Datei \"" + Path(L"breit.txt") +
                                 L"\" ist UTF-16-kodiert und kann nicht zeilenweise aufgeteilt "
                                 L"werden."),
              std::string::npos)
        << boxes[0].Text;
    EXPECT_FALSE(DirectoryExists(Path(L"breit")));
}

TEST_F(SplitHandler, ACloseRequestDuringTheReportKeepsTheWindowAndAStartWaits) {
    Write(L"a.csv", Lines(3));
    Choose({Path(L"a.csv"), Path(L"a.csv")});
    form->Show();
    onBox = [&] {
        onBox = nullptr;
        EXPECT_FALSE(bAbort) << "the split lasts until its report has been shown";
        Execute(); // a start request during the report
        ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    };
    Execute();
    EXPECT_EQ(dialogs, 1) << "the second start was ignored";
    ASSERT_EQ(boxes.size(), 2u) << "the report, then the waiting message";
    EXPECT_EQ(boxes[1].Flags, static_cast<UINT>(MB_ICONQUESTION | MB_OK));
    EXPECT_TRUE(form->Visible()) << "the window stays";
    ExpectIdle();
}

TEST_F(SplitHandler, ACloseRequestDuringTheCopyLeavesTheButtonEnabledAfterwards) {
    Write(L"a.csv", Lines(500));
    Choose({Path(L"a.csv")});
    bool asked = false;
    onClock = [&] {
        if (!asked && form->lbState->Caption() == "100 Zeilen") {
            asked = true;
            bool canClose = true;
            form->FormCloseQuery(form, canClose);
            EXPECT_FALSE(canClose);
            EXPECT_FALSE(form->btnExecute->Enabled());
        }
    };
    Execute();
    ASSERT_EQ(boxes.size(), 2u) << "the question, then the partial result";
    EXPECT_EQ(boxes[1].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(Read(Path(L"a") + L"\\0.csv"), Lines(100));
    ExpectIdle();
}

TEST_F(SplitHandler, SharesAreAskedWithTheirBackslashAndHandlesPrintUnsigned) {
    EXPECT_EQ(GetFreeDiskSpace(L"\\\\server\\share\\Daten"), static_cast<std::int64_t>(freeBytes));
    ASSERT_EQ(freeQueries.size(), 1u);
    EXPECT_EQ(freeQueries[0], L"\\\\server\\share\\Daten\\");
    EXPECT_EQ(HandleValueText(INVALID_HANDLE_VALUE), L"4294967295");
    Write(L"sieben.txt", "1234567");
    EXPECT_EQ(GetFileSize(Path(L"sieben.txt")), 7);
    EXPECT_THROW(GetFileSize(Path(L"fehlt.txt")), ETessaro);
}

TEST_F(SplitHandler, AFailureInTheCopyLeavesTheRunningStateAndShowsTheErrorBox) {
    Write(L"mitten.csv", Lines(500));
    Choose({Path(L"mitten.csv")});
    bool sawRunning = false;
    onClock = [&] {
        if (form->lbState->Caption() != "200 Zeilen")
            return;
        // While the copy runs: hourglass, Cancel button, the rest disabled.
        sawRunning = true;
        EXPECT_FALSE(bAbort);
        EXPECT_EQ(Screen->Cursor(), crHourGlass);
        EXPECT_EQ(form->btnExecute->Caption(), "Abbrechen");
        EXPECT_EQ(form->btnExecute->Hint(), "Abbrechen");
        EXPECT_TRUE(form->btnExecute->Enabled());
        for (TWinControl* c :
             {static_cast<TWinControl*>(form->btnHelp), static_cast<TWinControl*>(form->btnClose),
              static_cast<TWinControl*>(form->TrackBarMaxLines),
              static_cast<TWinControl*>(form->rbSetOwn)})
            EXPECT_FALSE(c->Enabled()) << c->Name();
        EXPECT_TRUE(form->grpBoxSettings->Enabled());
        throw EInOutError(112);
    };
    Execute();
    EXPECT_TRUE(sawRunning);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_NE(boxes[0].Text.find(L"Meldung:\rE/A-Fehler 112"), std::string::npos) << boxes[0].Text;
    EXPECT_TRUE(explored.empty()) << "a failed copy opens no folder";
    EXPECT_TRUE(DirectoryExists(Path(L"mitten"))) << "the parts written so far stay";
    ExpectIdle();
}

// Names outside the ANSI code page stay out of the test macros, which quote
// their arguments as ANSI text.
TEST_F(SplitHandler, NamesOfAnyScriptAreSplitAndReportedAsTheyAreCalled) {
    // Polish, Greek, Cyrillic, and a character beyond the BMP (a surrogate pair).
    const std::wstring stems[] = {L"Łódź_Umsatz", L"Πωλήσεις", L"Продажи", L"Umsatz 📈"};
    for (const std::wstring& stem : stems) {
        boxes.clear();
        explored.clear();
        dialogs = 0;
        const std::wstring source = Path(stem + L".csv");
        Write(stem + L".csv", Lines(3));
        ::CreateDirectoryW(Path(stem).c_str(), nullptr); // taken: the next number is used
        Choose({source});
        Execute();
        const std::wstring report = L"Die Datei \"" + source + L"\" wurde erfolgreich aufgeteilt";
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].Text == report) << WideToAnsi(boxes[0].Text);
        const std::wstring output = Path(stem + L"-0");
        EXPECT_EQ(Read(output + L"\\0.csv"), Lines(3)) << WideToAnsi(output);
        ASSERT_EQ(explored.size(), 1u);
        EXPECT_TRUE(explored[0] == Explore(output)) << WideToAnsi(explored[0]);
        ExpectIdle();
    }
}

TEST_F(SplitHandler, MessagesNameAFileOfAnyScriptAsItIsCalled) {
    const std::wstring missing = Path(L"Łódź_fehlt.csv");
    const std::wstring other = Path(L"Αθήνα.doc");
    Choose({other, missing});
    Execute();
    ASSERT_EQ(boxes.size(), 2u);
    const std::wstring warning =
        L"\"" + other + L"\" ist keine unterstützte Textdatei!\rBitte wählen Sie eine Textdatei.";
    EXPECT_TRUE(boxes[0].Text == warning) << WideToAnsi(boxes[0].Text);
    const std::wstring quoted = L"Die Datei \"" + missing + L"\" konnte nicht aufgeteilt werden.";
    EXPECT_EQ(boxes[1].Text.rfind(quoted, 0), 0u) << WideToAnsi(boxes[1].Text);
    const std::wstring reason = L"Meldung:\rFile \"" + missing + L"\" not found!";
    EXPECT_NE(boxes[1].Text.find(reason), std::wstring::npos) << WideToAnsi(boxes[1].Text);
    EXPECT_NE(boxes[1].Text.find(L"auf die Datei \"" + missing + L"\" zuzugreifen"),
              std::wstring::npos);
}
