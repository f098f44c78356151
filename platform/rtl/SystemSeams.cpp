// The real system calls behind the seams.

#include "platform/rtl/SystemSeams.h"

#include "platform/rtl/SystemLibrary.h"
#include "platform/rtl/SystemText.h"

#include <memory>
#include <shellapi.h>
#include <shlwapi.h>

namespace {

const wchar_t* NullIfEmpty(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

int RealShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                       UINT flags) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

bool RealShowOpenFileDialog(OPENFILENAMEW& dialog) {
    static const auto open =
        ProcessLibraryEntry<decltype(&GetOpenFileNameW)>("comdlg32.dll", "GetOpenFileNameW");
    return open && open(&dialog) != FALSE;
}

HINSTANCE RealShellExecuteFile(HWND owner, const std::wstring& verb, const std::wstring& file,
                               const std::wstring& parameters, const std::wstring& directory,
                               int show) {
    static const auto execute =
        ProcessLibraryEntry<decltype(&ShellExecuteW)>("shell32.dll", "ShellExecuteW");
    if (!execute)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return execute(owner, NullIfEmpty(verb), NullIfEmpty(file), NullIfEmpty(parameters),
                   NullIfEmpty(directory), show);
}

bool RealGetDiskFreeSpaceOf(const std::wstring& path, std::uint64_t& freeBytesAvailable,
                            std::uint64_t& totalBytes) {
    ULARGE_INTEGER available;
    available.QuadPart = freeBytesAvailable;
    ULARGE_INTEGER total;
    total.QuadPart = totalBytes;
    const BOOL ok = GetDiskFreeSpaceExW(path.c_str(), &available, &total, nullptr);
    freeBytesAvailable = available.QuadPart;
    totalBytes = total.QuadPart;
    return ok != FALSE;
}

std::uint64_t RealMillisecondTicks() {
    return GetTickCount64();
}

struct TLibraryRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using TLibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, TLibraryRelease>;

HMODULE RealLoadLibraryByName(const std::string& name, DWORD flags) {
    const HMODULE module = LoadLibraryExA(name.c_str(), nullptr, flags);
    if (module || !(flags & LOAD_LIBRARY_SEARCH_SYSTEM32) ||
        GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    // Windows 7 without its loader update knows no search flags: name the
    // system folder itself.
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadLibraryExA((std::string(folder, length) + "\\" + name).c_str(), nullptr,
                          flags & ~LOAD_LIBRARY_SEARCH_SYSTEM32);
}

TCommonControlsVersion RealCommonControlsVersion() {
    // The module the program runs with (the manifest picks its version), or
    // else the one in the system folder.
    HMODULE loaded = GetModuleHandleA("comctl32.dll");
    TLibraryHandle library;
    if (!loaded) {
        library.reset(RealLoadLibraryByName("comctl32.dll", SystemFolderOnly));
        loaded = library.get();
    }
    if (!loaded)
        return {};
    const FARPROC entry = GetProcAddress(loaded, "DllGetVersion");
    if (!entry)
        return {};
    const auto getVersion = AsFunction<DLLGETVERSIONPROC>(entry);
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    if (FAILED(getVersion(&info)))
        return {};
    return {info.dwMajorVersion, info.dwMinorVersion};
}

bool RealReleaseLibrary(HMODULE module) {
    return FreeLibrary(module) != FALSE;
}

bool RealRestrictLibrarySearch() {
    using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    const auto restrict = LoadedLibraryEntry<TSetDefaultDllDirectories>(
        "kernel32.dll", "SetDefaultDllDirectories");
    if (restrict && restrict(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return true;
    SetDllDirectoryA("");
    return false;
}

} // namespace

TSystemSeams::TSystemSeams()
    : ShowMessageBox(&RealShowMessageBox), ShowOpenFileDialog(&RealShowOpenFileDialog),
      ShellExecuteFile(&RealShellExecuteFile), GetDiskFreeSpaceOf(&RealGetDiskFreeSpaceOf),
      MillisecondTicks(&RealMillisecondTicks), CommonControlsVersion(&RealCommonControlsVersion),
      LoadLibraryByName(&RealLoadLibraryByName), ReleaseLibrary(&RealReleaseLibrary),
      RestrictLibrarySearch(&RealRestrictLibrarySearch) {}

TSystemSeams& SystemSeams() {
    static TSystemSeams seams;
    return seams;
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                   UINT flags) {
    return SystemSeams().ShowMessageBox(owner, text, caption, flags);
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return ShowMessageBox(owner, AnsiToWide(text), AnsiToWide(caption), flags);
}

bool ShowOpenFileDialog(OPENFILENAMEW& dialog) {
    return SystemSeams().ShowOpenFileDialog(dialog);
}

HINSTANCE ShellExecuteFile(HWND owner, const std::wstring& verb, const std::wstring& file,
                           const std::wstring& parameters, const std::wstring& directory,
                           int show) {
    return SystemSeams().ShellExecuteFile(owner, verb, file, parameters, directory, show);
}

HINSTANCE ShellExecuteFile(HWND owner, const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory, int show) {
    return ShellExecuteFile(owner, AnsiToWide(verb), AnsiToWide(file), AnsiToWide(parameters),
                            AnsiToWide(directory), show);
}

bool GetDiskFreeSpaceOf(const std::wstring& path, std::uint64_t& freeBytesAvailable,
                        std::uint64_t& totalBytes) {
    return SystemSeams().GetDiskFreeSpaceOf(path, freeBytesAvailable, totalBytes);
}

std::uint64_t MillisecondTicks() {
    return SystemSeams().MillisecondTicks();
}

TCommonControlsVersion CommonControlsVersion() {
    return SystemSeams().CommonControlsVersion();
}

HMODULE LoadSystemLibraryForProcess(const std::string& name) {
    return RealLoadLibraryByName(name, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadLibraryByName(const std::string& name, DWORD flags) {
    return SystemSeams().LoadLibraryByName(name, flags);
}

bool ReleaseLibrary(HMODULE module) {
    return SystemSeams().ReleaseLibrary(module);
}

bool RestrictLibrarySearch() {
    return SystemSeams().RestrictLibrarySearch();
}
