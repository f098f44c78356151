#pragma once
// The decisions Windows makes that tests must control, each reached through
// one replaceable function: message boxes, the open-file dialog, starting a
// program or folder, free disk space, the millisecond clock, the common
// controls version, the library loader and the library search path.
// TSystemSeams holds the real calls by default; the program never replaces
// them. Tests replace one for a scope with TSeamOverride, which puts the
// previous function back. Replace seams only while no other thread calls
// them. Texts and names that may hold any character (a file the user chose)
// pass the seams as UTF-16; ANSI texts are converted on the way as the ANSI
// functions would convert them.

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <windows.h>
#include <commdlg.h>

// The version of the loaded common controls library; 0.0 when it is unknown.
struct TCommonControlsVersion {
    DWORD Major = 0;
    DWORD Minor = 0;
    // Major in the high word, minor in the low word (6.0 gives 0x60000).
    std::uint32_t Packed() const {
        return (static_cast<std::uint32_t>(Major) << 16) | (Minor & 0xFFFF);
    }
};

struct TSystemSeams {
    // Fills every member with the real system call.
    TSystemSeams();

    // MessageBoxW: the id of the button that closed the box.
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption,
                      UINT flags)>
        ShowMessageBox;
    // GetOpenFileNameW: true when the user confirmed a file name.
    std::function<bool(OPENFILENAMEW& dialog)> ShowOpenFileDialog;
    // ShellExecuteW; empty texts are passed as null.
    std::function<HINSTANCE(HWND owner, const std::wstring& verb, const std::wstring& file,
                            const std::wstring& parameters, const std::wstring& directory,
                            int show)>
        ShellExecuteFile;
    // GetDiskFreeSpaceExW: fills the bytes the caller may use and the volume's
    // total; leaves both as they were where the system does not set them.
    std::function<bool(const std::wstring& path, std::uint64_t& freeBytesAvailable,
                       std::uint64_t& totalBytes)>
        GetDiskFreeSpaceOf;
    // GetTickCount64: milliseconds since the system started.
    std::function<std::uint64_t()> MillisecondTicks;
    // DllGetVersion of the loaded comctl32.
    std::function<TCommonControlsVersion()> CommonControlsVersion;
    // LoadLibraryExA by name with these LOAD_LIBRARY_* flags (0: the system's
    // search order); null on failure.
    std::function<HMODULE(const std::string& name, DWORD flags)> LoadLibraryByName;
    // FreeLibrary for a module LoadLibraryByName returned.
    std::function<bool(HMODULE module)> ReleaseLibrary;
    // Restricts the process's default library search to the system folder
    // (SetDefaultDllDirectories, bound at run time: Windows 7 has it only
    // with an update; without it the current folder at least is dropped
    // from the search). True when the restriction is in force.
    std::function<bool()> RestrictLibrarySearch;
};

// The seams the whole program calls through.
TSystemSeams& SystemSeams();

// Replaces one seam until the end of the scope:
//   TSeamOverride box(SystemSeams().ShowMessageBox, [&](HWND, ...) { return IDOK; });
template <class F> class TSeamOverride {
public:
    TSeamOverride(std::function<F>& seam, std::type_identity_t<std::function<F>> replacement)
        : FSeam(seam), FPrevious(std::exchange(seam, std::move(replacement))) {}
    ~TSeamOverride() { FSeam = std::move(FPrevious); }
    TSeamOverride(const TSeamOverride&) = delete;
    TSeamOverride& operator=(const TSeamOverride&) = delete;

private:
    std::function<F>& FSeam;
    std::function<F> FPrevious;
};

// The calls the program makes, each through its seam; the ANSI forms convert
// their texts and call the same seam.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
bool ShowOpenFileDialog(OPENFILENAMEW& dialog);
HINSTANCE ShellExecuteFile(HWND owner, const std::wstring& verb, const std::wstring& file,
                           const std::wstring& parameters, const std::wstring& directory,
                           int show);
HINSTANCE ShellExecuteFile(HWND owner, const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory, int show);
bool GetDiskFreeSpaceOf(const std::wstring& path, std::uint64_t& freeBytesAvailable,
                        std::uint64_t& totalBytes);
std::uint64_t MillisecondTicks();
TCommonControlsVersion CommonControlsVersion();
// The real loader with the system-folder flag, past the seam: for the
// libraries the process keeps for its whole life, which no test replaces.
HMODULE LoadSystemLibraryForProcess(const std::string& name);
HMODULE LoadLibraryByName(const std::string& name, DWORD flags);
bool ReleaseLibrary(HMODULE module);
bool RestrictLibrarySearch();
