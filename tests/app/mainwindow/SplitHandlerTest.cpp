// The Execute button's handler with the dialog, message boxes, free space,
// shell call and clock replaced: checks, folder naming, report, failure and
// the window's state afterwards.

#include "MainWindowFixture.h"

#include "platform/dialogs/SystemSeams.h"
#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/FileSystem.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {
struct Box {
    HWND Owner;
    std::string Text;
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
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tessaro-split-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        Remove(folder);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        form->HandleNeeded();
    }
    void TearDown() override {
        Remove(folder);
        MainWindow::TearDown();
    }
    static void Remove(const std::string& path) {
        WIN32_FIND_DATAA d{};
        HANDLE h = ::FindFirstFileA((path + "\\*").c_str(), &d);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string n = d.cFileName;
                if (n == "." || n == "..")
                    continue;
                const std::string full = path + "\\" + n;
                ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(full);
                else
                    ::DeleteFileA(full.c_str());
            } while (::FindNextFileA(h, &d));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(path.c_str());
    }
    std::string Path(const std::string& name) const { return folder + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // The dialog answers with these names in turn, then cancels.
    void Choose(std::vector<std::string> names) { chosen = std::move(names); }
    void Execute() { form->btnExecuteClick(form->btnExecute); }
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

    std::string folder;
    std::vector<std::string> chosen;
    int dialogs = 0;
    std::vector<Box> boxes;
    std::vector<std::string> explored;
    std::vector<std::string> freeQueries;
    std::uint64_t freeBytes = UINT64_MAX / 4;
    std::function<void()> onBox;
    std::function<void()> onClock;
    std::uint64_t now = 0;

    TSeamOverride<bool(OPENFILENAMEA&)> dialogSeam{
        SystemSeams().ShowOpenFileDialog, [this](OPENFILENAMEA& ofn) {
            const size_t n = static_cast<size_t>(dialogs++);
            if (n >= chosen.size())
                return false;
            std::strncpy(ofn.lpstrFile, chosen[n].c_str(), ofn.nMaxFile - 1);
            return true;
        }};
    TSeamOverride<int(HWND, const std::string&, const std::string&, UINT)> boxSeam{
        SystemSeams().ShowMessageBox,
        [this](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
            EXPECT_EQ(caption, "Tessaro");
            boxes.push_back({owner, text, flags});
            if (onBox)
                onBox();
            return IDOK;
        }};
    TSeamOverride<HINSTANCE(HWND, const std::string&, const std::string&, const std::string&,
                            const std::string&, int)>
        shellSeam{SystemSeams().ShellExecuteFile,
                  [this](HWND, const std::string& verb, const std::string& file, const std::string&,
                         const std::string&, int) {
                      EXPECT_EQ(verb, "explore");
                      explored.push_back(file);
                      return reinterpret_cast<HINSTANCE>(33);
                  }};
    TSeamOverride<bool(const std::string&, std::uint64_t&, std::uint64_t&)> freeSeam{
        SystemSeams().GetDiskFreeSpaceOf,
        [this](const std::string& path, std::uint64_t& available, std::uint64_t& total) {
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
    Write("Bericht.2024.CSV", Lines(250));
    Choose({Path("Bericht.2024.CSV")});
    std::vector<std::string> status;
    onClock = [&] { status.push_back(form->lbState->Caption()); };
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text,
              "Die Datei \"" + Path("Bericht.2024.CSV") + "\" wurde erfolgreich aufgeteilt");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(boxes[0].Owner, nullptr);
    EXPECT_EQ(Read(Path("Bericht") + "\\0.CSV"), Lines(250)) << "stem before the first dot, "
                                                                "extension as typed";
    ASSERT_EQ(explored.size(), 1u);
    EXPECT_EQ(explored[0], Path("Bericht"));
    EXPECT_NE(std::find(status.begin(), status.end(), "100 Zeilen"), status.end());
    EXPECT_NE(std::find(status.begin(), status.end(), "200 Zeilen"), status.end());
    ExpectIdle();
}

TEST_F(SplitHandler, FreeSpaceIsAskedOfTheRootAndEqualSpacePasses) {
    const std::string text = Lines(10);
    Write("a.txt", text);
    Choose({Path("a.txt")});
    freeBytes = text.size();
    Execute();
    ASSERT_EQ(freeQueries.size(), 1u);
    EXPECT_EQ(freeQueries[0], folder.substr(0, 2) + "\\") << "the drive's root with backslash";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(SplitHandler, OneByteTooLittleSpaceGivesTheExactMessage) {
    Write("a.txt", std::string(1234567, 'x'));
    Choose({Path("a.txt")});
    freeBytes = 1234566;
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string drive = folder.substr(0, 2);
    EXPECT_NE(boxes[0].Text.find("Meldung:\r1.234.567 Bytes free disk space needed to save the "
                                 "part files on " +
                                 drive + ".\rBut on " + drive +
                                 " there are only 1.234.566 bytes free."),
              std::string::npos)
        << boxes[0].Text;
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(boxes[0].Owner, form->Handle());
    EXPECT_FALSE(DirectoryExists(Path("a"))) << "nothing changed";
    ExpectIdle();
}

TEST_F(SplitHandler, TheErrorBoxNamesFileDriveAndReason) {
    Choose({Path("fehlt.csv")});
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string source = Path("fehlt.csv");
    const std::string drive = folder.substr(0, 2);
    EXPECT_EQ(boxes[0].Text,
              "Die Datei \"" + source +
                  "\" konnte nicht aufgeteilt werden.\r\rStellen Sie sicher, dass die Datei "
                  "nicht schreibgesch\xFCtzt oder in einem anderen Programm ge\xF6"
                  "ffnet ist. Vergewissern Sie sich, dass Sie die erforderlichen Rechte haben, um "
                  "auf die Datei \"" +
                  source + "\" zuzugreifen, auf Laufwerk \"" + drive +
                  "\" zu schreiben und gen\xFCgend Speicherplatz frei ist.\r\rVersuchen Sie es "
                  "anschlie\xDF"
                  "end erneut.\r\rMeldung:\rFile \"" +
                  source + "\" not found!");
    EXPECT_EQ(dialogs, 1) << "the dialog does not open again";
}

TEST_F(SplitHandler, OutputFoldersAreNumberedFromTheFirstFreeOne) {
    Write("Umsatz.csv", Lines(3));
    ::CreateDirectoryA(Path("Umsatz").c_str(), nullptr);
    ::CreateDirectoryA(Path("Umsatz-0").c_str(), nullptr);
    Choose({Path("Umsatz.csv")});
    Execute();
    EXPECT_EQ(Read(Path("Umsatz-1") + "\\0.csv"), Lines(3));

    Remove(Path("Umsatz"));
    Remove(Path("Umsatz-0"));
    Remove(Path("Umsatz-1"));
    ::CreateDirectoryA(Path("Umsatz-5").c_str(), nullptr);
    ::CreateDirectoryA(Path("Umsatz").c_str(), nullptr);
    EXPECT_EQ(FreeOutputFolder(Path("Umsatz") + "\\"), Path("Umsatz-0") + "\\");
}

TEST_F(SplitHandler, AFileInTheFoldersPlaceCannotBecomeTheFolder) {
    Write("Umsatz.csv", Lines(3));
    Write("Umsatz", "ich bin eine Datei");
    Choose({Path("Umsatz.csv")});
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text.find("Meldung:\rOrder \"" + Path("Umsatz") +
                                 "\\\" kann nicht erstellt werden!"),
              std::string::npos)
        << boxes[0].Text;
    EXPECT_EQ(Read(Path("Umsatz")), "ich bin eine Datei");
}

TEST_F(SplitHandler, ANameThatIsOnlyAnExtensionUsesTheNumberedSourceFolder) {
    Write(".txt", Lines(2));
    Choose({Path(".txt")});
    Execute();
    EXPECT_EQ(Read(folder + "-0\\0.txt"), Lines(2));
    Remove(folder + "-0");
    EXPECT_EQ(FirstOutputFolder("C:\\.txt"), "C:\\");
    EXPECT_EQ(FreeOutputFolder("C:\\"), "C:\\-0\\") << "not the relative C:-0";
    EXPECT_EQ(FirstOutputFolder("\\\\server\\share\\Umsatz.csv"), "\\\\server\\share\\Umsatz\\");
}

TEST_F(SplitHandler, TheTypeCheckIgnoresCaseAndAsksAgainForOtherTypes) {
    Write("a.txt.bak", "x\r\n");
    Write("B.TXT", "y\r\n");
    Choose({Path("a.txt.bak"), Path("B.TXT")});
    Execute();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, "\"" + Path("a.txt.bak") +
                                 "\" ist keine unterst\xFCtzte Textdatei!\rBitte w\xE4hlen Sie "
                                 "eine Textdatei.");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(boxes[0].Owner, nullptr);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(Read(Path("B") + "\\0.TXT"), "y\r\n");
    EXPECT_FALSE(DirectoryExists(Path("a")));
}

TEST_F(SplitHandler, CancellingTheDialogChangesNothing) {
    Choose({});
    Execute();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialogs, 1);
    ExpectIdle();
}

TEST_F(SplitHandler, AStopAtTheFourthPumpKeepsLines1To400) {
    Write("gross.txt", Lines(1000));
    Choose({Path("gross.txt")});
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
        "Die Datei konnte nur teilweise aufgeteilt werden, da der Vorgang abgebrochen wurde.");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(Read(Path("gross") + "\\0.txt"), Lines(400));
    EXPECT_EQ(explored.size(), 1u) << "the folder opens after a stop too";
    ExpectIdle();
}

TEST_F(SplitHandler, ALockedSourceFailsBeforeAnythingChangesOnDisk) {
    Write("gesperrt.csv", Lines(5));
    ASSERT_TRUE(::SetFileAttributesA(Path("gesperrt.csv").c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE lock = ::CreateFileA(Path("gesperrt.csv").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Choose({Path("gesperrt.csv")});
    Execute();
    ::CloseHandle(lock);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_NE(boxes[0].Text.find("Meldung:\rE/A-Fehler 32"), std::string::npos) << boxes[0].Text;
    EXPECT_TRUE(explored.empty());
    // The source is read (for its first bytes) before the folder is made: no
    // folder, and the source keeps its attributes.
    EXPECT_FALSE(DirectoryExists(Path("gesperrt")));
    EXPECT_TRUE(::GetFileAttributesA(Path("gesperrt.csv").c_str()) & FILE_ATTRIBUTE_READONLY);
    ExpectIdle();
}

TEST_F(SplitHandler, AUtf16FileIsRefusedBeforeAnyFolderIsMade) {
    Write("breit.txt", std::string("\xFF\xFEZ\0e\0i\0l\0e\0", 12));
    Choose({Path("breit.txt")});
    Execute();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].Text.find("Meldung:\rDie Datei \"" + Path("breit.txt") +
                                 "\" ist UTF-16-kodiert und kann nicht zeilenweise aufgeteilt "
                                 "werden."),
              std::string::npos)
        << boxes[0].Text;
    EXPECT_FALSE(DirectoryExists(Path("breit")));
}

TEST_F(SplitHandler, TheWindowIsLiveDuringTheReportButAStartWaits) {
    Write("a.csv", Lines(3));
    Choose({Path("a.csv"), Path("a.csv")});
    bool canClose = false;
    onBox = [&] {
        onBox = nullptr;
        EXPECT_TRUE(bAbort) << "decided before the box opens";
        Execute();       // a start request during the report
        canClose = true; // what the close request starts with
        form->FormCloseQuery(form, canClose);
    };
    Execute();
    EXPECT_EQ(dialogs, 1) << "the second start was ignored";
    EXPECT_TRUE(canClose) << "the idle window may close during the report";
    EXPECT_TRUE(form->btnExecute->Enabled());
}

TEST_F(SplitHandler, ACloseRequestDuringTheCopyLeavesTheButtonEnabledAfterwards) {
    Write("a.csv", Lines(500));
    Choose({Path("a.csv")});
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
    EXPECT_EQ(Read(Path("a") + "\\0.csv"), Lines(100));
    ExpectIdle();
}

TEST_F(SplitHandler, SharesAreAskedAtTheirRootAndHandlesPrintUnsigned) {
    EXPECT_EQ(GetFreeDiskSpace("\\\\server\\share\\Umsatz\\"),
              static_cast<std::int64_t>(freeBytes));
    ASSERT_EQ(freeQueries.size(), 1u);
    EXPECT_EQ(freeQueries[0], "\\\\server\\share\\");
    EXPECT_EQ(HandleValueText(INVALID_HANDLE_VALUE), "4294967295");
    Write("sieben.txt", "1234567");
    EXPECT_EQ(GetFileSize(Path("sieben.txt")), 7);
    EXPECT_THROW(GetFileSize(Path("fehlt.txt")), ETessaro);
}

TEST_F(SplitHandler, AFailureInTheCopyLeavesTheRunningStateAndShowsTheErrorBox) {
    Write("mitten.csv", Lines(500));
    Choose({Path("mitten.csv")});
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
    EXPECT_NE(boxes[0].Text.find("Meldung:\rE/A-Fehler 112"), std::string::npos) << boxes[0].Text;
    EXPECT_TRUE(explored.empty()) << "a failed copy opens no folder";
    EXPECT_TRUE(DirectoryExists(Path("mitten"))) << "the parts written so far stay";
    ExpectIdle();
}
