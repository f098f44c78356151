// One run of the system's own open dialog: a helper thread finds the dialog
// by its title, types a name into the file-name field and presses OK, as a
// user would.

#include "platform/dialogs/OpenDialog.h"
#include "platform/rtl/SystemText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int FileNameCombo = 0x47C; // explorer style
constexpr int FileNameEdit = 0x480;  // old style

// A folder of its own under the temporary folder, removed with its files.
class TScratchFolder {
public:
    TScratchFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        FPath = std::wstring(temp) + L"tessaro-dialogs-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(FPath.c_str(), nullptr);
    }
    ~TScratchFolder() {
        for (const std::wstring& f : FFiles)
            DeleteFileW(f.c_str());
        RemoveDirectoryW(FPath.c_str());
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::wstring& Path() const { return FPath; }
    std::wstring Add(const std::wstring& name) {
        const std::wstring file = FPath + L"\\" + name;
        const HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        FFiles.push_back(file);
        return file;
    }

private:
    std::wstring FPath;
    std::vector<std::wstring> FFiles;
};

// Cancels every dialog window of a thread.
BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) == "#32770")
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// Plays the user: waits for the dialog titled Title, types Name, presses OK.
// When no such dialog shows up in time it cancels whatever dialog the
// calling thread shows, so a failing run ends instead of hanging.
class TDialogUser {
public:
    TDialogUser(std::string title, std::wstring name)
        : FTitle(std::move(title)), FName(std::move(name)), FOwnerThread(GetCurrentThreadId()),
          FThread([this] { Run(); }) {}
    ~TDialogUser() {
        FStop = true;
        FThread.join();
    }
    TDialogUser(const TDialogUser&) = delete;
    TDialogUser& operator=(const TDialogUser&) = delete;

    bool Found() const { return FFound; }

private:
    void Run() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!FStop && std::chrono::steady_clock::now() < deadline) {
            const HWND dialog = FindWindowA("#32770", FTitle.c_str());
            HWND field = dialog ? GetDlgItem(dialog, FileNameCombo) : nullptr;
            if (dialog && !field)
                field = GetDlgItem(dialog, FileNameEdit);
            if (field) {
                FFound = true;
                // The Unicode message: the name may hold any character.
                SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FName.c_str()));
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        while (!FStop) {
            EnumThreadWindows(FOwnerThread, &CancelDialog, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
    }

    std::string FTitle;
    std::wstring FName;
    DWORD FOwnerThread;
    std::atomic<bool> FStop{false};
    std::atomic<bool> FFound{false};
    std::thread FThread;
};

TEST(RealOpenDialog, TypedNameWithoutExtensionComesBackWithTheDefaultExtension) {
    TScratchFolder folder;
    const std::wstring expected = folder.Add(L"Umsatz.txt");

    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Quelldatei wählen (Test)");
    dialog.SetDefaultExt("*.txt");
    dialog.SetFilter("Unterstütze Dateien (*.txt,*.csv)|*.txt;*.csv|Textdatei (*.txt)|*.txt "
                     "|CSV-Datei (*.csv)|*.csv|Alle Dateien (*.*)|*.*");
    // Under a filter with its own extension the dialog appends that one, so
    // the last filter lets the default extension show.
    dialog.SetFilterIndex(4);
    dialog.SetInitialDir(WideToAnsi(folder.Path()));
    dialog.SetOptions(dialog.Options().Include(ofNoChangeDir));

    char before[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    bool confirmed = false;
    {
        TDialogUser user(dialog.Title(), L"Umsatz");
        confirmed = dialog.Execute(nullptr);
        EXPECT_TRUE(user.Found()) << "the dialog window carries the title";
    }
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(lstrcmpiW(dialog.FileName().c_str(), expected.c_str()), 0)
        << WideToAnsi(dialog.FileName()) << " instead of " << WideToAnsi(expected);
    EXPECT_EQ(dialog.FilterIndex(), 4);
    char after[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before) << "ofNoChangeDir keeps the working folder";
}

TEST(RealOpenDialog, ANameOutsideTheAnsiCodePageComesBackAsItIsCalled) {
    TScratchFolder folder;
    const std::wstring expected = folder.Add(L"Łódź_Umsatz 📈.csv");

    TOpenDialog dialog(nullptr);
    dialog.SetTitle("Quelldatei wählen (Unicode)");
    dialog.SetFilter("Unterstütze Dateien (*.txt,*.csv)|*.txt;*.csv");
    dialog.SetInitialDir(WideToAnsi(folder.Path()));
    bool confirmed = false;
    {
        TDialogUser user(dialog.Title(), expected);
        confirmed = dialog.Execute(nullptr);
        EXPECT_TRUE(user.Found());
    }
    ASSERT_TRUE(confirmed);
    // Exactly, not a look-alike ("Lodz") or '?'.
    EXPECT_TRUE(dialog.FileName() == expected)
        << WideToAnsi(dialog.FileName()) << " instead of " << WideToAnsi(expected);
}

} // namespace
