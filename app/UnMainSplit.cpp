// The split operation: the Execute button's handler and its checks. The
// source's name stays Unicode from the dialog to the part files, the file
// manager and the messages that name it.

#include "app/UnMain.h"
#include "app/split/SplitEngine.h"

#include "platform/forms/Application.h"
#include "platform/forms/Screen.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/FlagGuard.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/StringUtils.h"
#include "platform/rtl/SystemSeams.h"
#include "platform/rtl/SystemText.h"

#include <windows.h>

#include <optional>

namespace {
const char* const StartCaption = "Datei wählen und Aufteilung starten";
const char* const CancelCaption = "Abbrechen";

void ShowOnButton(TButton& button, const char* caption) {
    button.SetCaption(caption);
    button.SetHint(caption);
}

// bAbort is False from the start of the copy until the report has been
// shown: a close request meanwhile, during the report box too, is answered
// with the waiting message and leaves the window, and the report, on screen.
// However the scope is left, bAbort is True afterwards.
class TSplitUnderway {
public:
    TSplitUnderway() { bAbort = false; }
    ~TSplitUnderway() { bAbort = true; }
    TSplitUnderway(const TSplitUnderway&) = delete;
    TSplitUnderway& operator=(const TSplitUnderway&) = delete;
};

// The window while a split copies: the button reads "Abbrechen", the cursor
// is the hourglass and the other controls are disabled. However the scope is
// left, the window is idle again afterwards.
class TRunningWindow {
public:
    TRunningWindow(TfrmMain& form, TButton& button) : FForm(form), FButton(button) {
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
    }

    TfrmMain& FForm;
    TButton& FButton;
};

// The file manager's argument that opens the folder in its explorer view,
// quoted against the blanks and commas at which it splits arguments. The
// output folder is never a drive root, so without its trailing backslash,
// which would escape the closing quote.
std::wstring ExploreArgument(const std::wstring& folder) {
    return L"/e,\"" + ExcludeTrailingBackslash(folder) + L"\"";
}

// The folder that holds the output folder: the volume the parts go to.
std::wstring HoldingFolder(const std::wstring& outputFolder) {
    const std::wstring folder = ExcludeTrailingBackslash(outputFolder);
    const std::wstring drive = ExtractFileDrive(folder);
    if (folder.size() <= drive.size())
        return IncludeTrailingBackslash(drive);
    return IncludeTrailingBackslash(ExtractFileDir(folder));
}

// The run-time library's code whose text is "Ungültiger Dateiname".
constexpr int InvalidFileName = 3;

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
    const std::optional<std::int64_t> size = FoundFileSize(FileName);
    if (!size)
        throw ETessaro(L"File \"" + FileName +
                       L"\" INVALID_HANDLE_VALUE: " + HandleValueText(INVALID_HANDLE_VALUE));
    return *size;
}

std::int64_t GetFreeDiskSpace(const std::wstring& Path) {
    // The folder itself, not its drive's root: a folder on the way may be the
    // mount point of another volume. With its backslash, without which a
    // share is not found.
    std::uint64_t freeBytes = 0;
    std::uint64_t totalBytes = 0;
    if (!GetDiskFreeSpaceOf(IncludeTrailingBackslash(Path), freeBytes, totalBytes))
        return 0;
    return freeBytes > static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX
                                                             : static_cast<std::int64_t>(freeBytes);
}

std::wstring FirstOutputFolder(const std::wstring& Source) {
    const std::wstring name = ExtractFileName(Source);
    const std::wstring stem = name.substr(0, name.find(L'.'));
    return IncludeTrailingBackslash(IncludeTrailingBackslash(ExtractFileDir(Source)) + stem);
}

std::wstring NumberedOutputFolder(const std::wstring& Folder, std::uint64_t Number) {
    // A drive or share root keeps its backslash: "C:\-0", not the relative "C:-0".
    std::wstring base = ExcludeTrailingBackslash(Folder);
    if (!base.empty() && (base.back() == L':' || base == ExtractFileDrive(base)))
        base = Folder;
    return base + L"-" + std::to_wstring(Number) + L"\\";
}

std::wstring CreateOutputFolder(const std::wstring& Folder,
                                const std::function<bool(const std::wstring&)>& FolderExists) {
    std::wstring candidate = Folder;
    for (std::uint64_t next = 0;; candidate = NumberedOutputFolder(Folder, next++)) {
        if (FolderExists(candidate))
            continue;
        // Made by this call or not at all: a name taken meanwhile, by a folder,
        // a file or a link, is passed over like one taken before.
        const int error = CreateNewDirectory(candidate);
        if (error == 0)
            return candidate;
        if (error != ERROR_ALREADY_EXISTS)
            throw ETessaro(L"Order \"" + candidate + L"\" kann nicht erstellt werden!");
    }
}

std::wstring CreateOutputFolder(const std::wstring& Folder) {
    return CreateOutputFolder(Folder, [](const std::wstring& name) { return DirectoryExists(name); });
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
        // Before anything touches it: a device would answer the reads (or
        // wait for data for ever), and its attributes are no file's.
        if (IsDeviceOrPipe(source))
            throw EInOutError(InvalidFileName);
        if (!FileExists(source))
            throw ETessaro(NotFoundText(source));
        if (StartsWithUtf16Bom(source))
            throw ETessaro(L"Die Datei \"" + source +
                           L"\" ist UTF-16-kodiert und kann nicht zeilenweise aufgeteilt werden.");
        const std::int64_t size = GetFileSize(source);
        const std::int64_t free = GetFreeDiskSpace(HoldingFolder(folder));
        if (free < size) {
            const std::wstring drive = ExtractFileDrive(folder);
            throw ETessaro(Format(L"%s Bytes free disk space needed to save the part files on "
                                  L"%s.\rBut on %s there are only %s bytes free.",
                                  {AnsiToWide(NumberText(size, 18)), drive, drive,
                                   AnsiToWide(NumberText(free, 18))}));
        }
        // The program runs elevated: the parts go only into a folder it made
        // itself, which nobody can swap for another while they are written.
        folder = CreateOutputFolder(folder);
        std::optional<TFolderHold> held(std::in_place, folder);
        FileSetAttr(source, 0);

        const TSplitUnderway underway;
        bool stopped = false;
        {
            const TRunningWindow runningWindow(*this, *button);
            RunSplit(source, folder);
            held.reset(); // the user may rename or move the folder from now on
            StartFileManager(nullptr, ExploreArgument(folder));
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
