// The split operation: the Execute button's handler and its checks. The
// source's name stays Unicode from the dialog to the part files, the file
// manager and the messages that name it.

#include "app/SplitEngine.h"
#include "app/UnMain.h"

#include "platform/rtl/SystemSeams.h"
#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StringUtils.h"
#include "platform/rtl/SystemText.h"

#include <windows.h>

namespace {
const char* const StartCaption = "Datei wählen und Aufteilung starten";
const char* const CancelCaption = "Abbrechen";

// Owns a directory search handle.
class TSearch {
public:
    explicit TSearch(const std::wstring& name) : FHandle(::FindFirstFileW(name.c_str(), &Data)) {}
    ~TSearch() {
        if (FHandle != INVALID_HANDLE_VALUE)
            ::FindClose(FHandle);
    }
    TSearch(const TSearch&) = delete;
    TSearch& operator=(const TSearch&) = delete;
    HANDLE Handle() const { return FHandle; }
    WIN32_FIND_DATAW Data{};

private:
    HANDLE FHandle;
};

// Clears a flag when it goes out of scope.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

void ShowOnButton(TButton& button, const char* caption) {
    button.SetCaption(caption);
    button.SetHint(caption);
}

// The window while a split copies: the button reads "Abbrechen", the cursor
// is the hourglass, the other controls are disabled and bAbort is False.
// However the scope is left, the window is idle again afterwards and bAbort
// is True.
class TRunningWindow {
public:
    TRunningWindow(TfrmMain& form, TButton& button) : FForm(form), FButton(button) {
        bAbort = false;
        try {
            ShowOnButton(FButton, CancelCaption);
            Screen->SetCursor(crHourGlass);
            FForm.DisableControls(FButton.Name());
        } catch (...) {
            Restore();
            throw;
        }
    }
    ~TRunningWindow() { Restore(); }
    TRunningWindow(const TRunningWindow&) = delete;
    TRunningWindow& operator=(const TRunningWindow&) = delete;

private:
    void Restore() noexcept {
        try {
            FForm.EnableControls();
            ShowOnButton(FButton, StartCaption);
            Screen->SetCursor(crDefault);
        } catch (...) {
            // Nothing may leave a destructor; the window keeps what it got.
        }
        bAbort = true;
    }

    TfrmMain& FForm;
    TButton& FButton;
};

std::wstring FolderArgument(const std::wstring& folder) {
    const std::wstring trimmed = ExcludeTrailingBackslash(folder);
    return trimmed.empty() || trimmed.back() == L':' ? folder : trimmed;
}

int ShowBox(HWND owner, const std::wstring& text, UINT flags) {
    return ShowMessageBox(owner, text, AnsiToWide(Application->Title()), flags);
}

std::wstring NotFoundText(const std::wstring& fileName) {
    return L"File \"" + fileName + L"\" not found!";
}

// What the error box quotes after "Meldung:".
std::wstring ReasonText(const Exception& e) {
    const auto* reason = dynamic_cast<const ETessaro*>(&e);
    return reason ? reason->Text() : AnsiToWide(e.Message());
}
} // namespace

std::wstring HandleValueText(void* handle) {
    // As an unsigned 32-bit number in both builds: 4294967295 for -1.
    return std::to_wstring(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle)));
}

std::int64_t GetFileSize(const std::wstring& FileName) {
    if (!FileExists(FileName))
        throw ETessaro(NotFoundText(FileName));
    const TSearch search(FileName);
    if (search.Handle() == INVALID_HANDLE_VALUE)
        throw ETessaro(L"File \"" + FileName +
                       L"\" INVALID_HANDLE_VALUE: " + HandleValueText(search.Handle()));
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(search.Data.nFileSizeHigh) << 32) |
                                     search.Data.nFileSizeLow);
}

std::int64_t GetFreeDiskSpace(const std::wstring& Path) {
    // The root of the drive or share, with its backslash: "X:\" or
    // "\\server\share\" (a share is not found without it).
    const std::wstring drive = ExtractFileDrive(Path);
    const std::wstring root = drive.empty() ? drive : IncludeTrailingBackslash(drive);
    std::uint64_t freeBytes = 0;
    std::uint64_t totalBytes = 0;
    if (!GetDiskFreeSpaceOf(root, freeBytes, totalBytes))
        return 0;
    return freeBytes > static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX
                                                             : static_cast<std::int64_t>(freeBytes);
}

std::wstring FirstOutputFolder(const std::wstring& Source) {
    const std::wstring name = ExtractFileName(Source);
    const std::wstring stem = name.substr(0, name.find(L'.'));
    return IncludeTrailingBackslash(IncludeTrailingBackslash(ExtractFileDir(Source)) + stem);
}

std::wstring FreeOutputFolder(const std::wstring& Folder) {
    if (!DirectoryExists(Folder))
        return Folder;
    // A drive or share root keeps its backslash: "C:\-0", not the relative "C:-0".
    std::wstring base = ExcludeTrailingBackslash(Folder);
    if (!base.empty() && (base.back() == L':' || base == ExtractFileDrive(base)))
        base = Folder;
    for (std::uint64_t n = 0;; ++n) {
        const std::wstring candidate = base + L"-" + std::to_wstring(n);
        if (!DirectoryExists(candidate))
            return candidate + L"\\";
    }
}

void TfrmMain::RunSplit(const std::wstring& source, const std::wstring& folder) {
    TSplitProgress progress;
    progress.NowMs = [] { return static_cast<std::int64_t>(MillisecondTicks()); };
    progress.Pump = [this](std::int64_t line) {
        lbState->SetCaption(NumberText(line, 7) + " Zeilen");
        Application->ProcessMessages();
    };
    progress.StopRequested = [] { return bAbort; };
    progress.LineLimit = [this] { return TrackBarMaxLines->Position(); };
    try {
        SplitLines(source, folder, ExtractFileExt(source), progress);
    } catch (...) {
        if (lbState)
            lbState->SetCaption(std::string());
        throw;
    }
    lbState->SetCaption(std::string());
}

void TfrmMain::btnExecuteClick(TObject* Sender) {
    auto* button = static_cast<TButton*>(Sender);
    // A click while the copy runs asks it to stop.
    if (button->Caption() == CancelCaption) {
        bAbort = true;
        ShowOnButton(*button, StartCaption);
        return;
    }
    // The window stays live during the report boxes: a second start waits.
    if (FSplitRunning)
        return;
    TFlagGuard running(FSplitRunning);

    std::wstring source;
    try {
        std::wstring folder;
        while (true) {
            if (!OpenDialog->Execute(Handle()))
                return;
            source = OpenDialog->FileName();
            folder = FirstOutputFolder(source);
            const std::wstring ext = LowerCase(ExtractFileExt(source));
            if (ext == L".txt" || ext == L".csv")
                break;
            ShowBox(nullptr,
                    L"\"" + source +
                        L"\" ist keine unterstützte Textdatei!\rBitte wählen Sie eine Textdatei.",
                    MB_ICONWARNING | MB_OK);
        }
        if (!FileExists(source))
            throw ETessaro(NotFoundText(source));
        if (StartsWithUtf16Bom(source))
            throw ETessaro(L"Die Datei \"" + source +
                           L"\" ist UTF-16-kodiert und kann nicht zeilenweise aufgeteilt werden.");
        const std::int64_t size = GetFileSize(source);
        const std::int64_t free = GetFreeDiskSpace(folder);
        if (free < size) {
            const std::wstring drive = ExtractFileDrive(folder);
            throw ETessaro(Format(L"%s Bytes free disk space needed to save the part files on "
                                  L"%s.\rBut on %s there are only %s bytes free.",
                                  {AnsiToWide(NumberText(size, 18)), drive, drive,
                                   AnsiToWide(NumberText(free, 18))}));
        }
        folder = FreeOutputFolder(folder);
        if (!ForceDirectories(folder))
            throw ETessaro(L"Order \"" + folder + L"\" kann nicht erstellt werden!");
        FileSetAttr(source, 0);

        bool stopped = false;
        {
            const TRunningWindow runningWindow(*this, *button);
            RunSplit(source, folder);
            // Without its trailing backslash, which would escape the quote the
            // shell puts around the argument of the file manager.
            ShellExecuteFile(nullptr, L"explore", FolderArgument(folder), std::wstring(),
                             std::wstring(), SW_SHOWNORMAL);
            // The report is decided before the box opens; while it is open the
            // window is idle again.
            stopped = bAbort;
        }
        if (stopped)
            ShowBox(nullptr,
                    L"Die Datei konnte nur teilweise aufgeteilt werden, da der Vorgang "
                    L"abgebrochen wurde.",
                    MB_ICONWARNING | MB_OK);
        else
            ShowBox(nullptr, L"Die Datei \"" + source + L"\" wurde erfolgreich aufgeteilt",
                    MB_ICONINFORMATION | MB_OK);
    } catch (const Exception& e) {
        ShowBox(HandleAllocated() ? Handle() : nullptr,
                Format(L"Die Datei \"%s\" konnte nicht aufgeteilt werden.\r\rStellen Sie sicher, "
                       L"dass die Datei nicht schreibgeschützt oder in einem anderen Programm "
                       L"geöffnet ist. Vergewissern Sie sich, dass Sie die erforderlichen Rechte "
                       L"haben, um auf die Datei \"%s\" zuzugreifen, auf Laufwerk \"%s\" zu "
                       L"schreiben und genügend Speicherplatz frei ist.\r\rVersuchen Sie es "
                       L"anschließend erneut.\r\rMeldung:\r%s",
                       {source, source, ExtractFileDrive(source), ReasonText(e)}),
                MB_ICONERROR | MB_OK);
    }
    // Whatever a close request did meanwhile, the button works again.
    if (btnExecute)
        btnExecute->SetEnabled(true);
}
