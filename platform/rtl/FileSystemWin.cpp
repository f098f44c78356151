// Files and folders of the Windows file system.

#include "platform/rtl/FileSystem.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FilePaths.h"
#include "platform/rtl/OSFile.h"

#include <windows.h>

namespace {

// Closes a directory search when it goes out of scope.
class TFindHandle {
public:
    explicit TFindHandle(HANDLE handle) : FHandle(handle) {}
    ~TFindHandle() {
        if (IsValid()) {
            FindClose(FHandle);
        }
    }
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;
    bool IsValid() const { return FHandle != INVALID_HANDLE_VALUE; }

private:
    HANDLE FHandle;
};

} // namespace

bool FileExists(const std::wstring& fileName) {
    WIN32_FIND_DATAW entry{};
    const TFindHandle search(FindFirstFileW(fileName.c_str(), &entry));
    // Any time stamp will do: a file dated before 1980 exists all the same.
    return search.IsValid() && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::int64_t> FoundFileSize(const std::wstring& fileName) {
    WIN32_FIND_DATAW entry{};
    const TFindHandle search(FindFirstFileW(fileName.c_str(), &entry));
    if (!search.IsValid()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) |
                                     entry.nFileSizeLow);
}

bool DirectoryExists(const std::wstring& directory) {
    const DWORD attributes = GetFileAttributesW(directory.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ForceDirectories(const std::wstring& directory) {
    if (directory.empty()) {
        throw Exception("Das Verzeichnis kann nicht erstellt werden");
    }
    const std::wstring folder = ExcludeTrailingBackslash(directory);
    const std::wstring parent = ExtractFilePath(folder);
    if (folder.size() < 3 || DirectoryExists(folder) || parent == folder) {
        return true;
    }
    return ForceDirectories(parent) && CreateDirectoryW(folder.c_str(), nullptr) != 0;
}

int CreateNewDirectory(const std::wstring& directory) {
    return CreateDirectoryW(ExcludeTrailingBackslash(directory).c_str(), nullptr) ? 0
                                                                                  : GetLastOSErrorCode();
}

TFolderHold::TFolderHold(const std::wstring& directory)
    // Read access makes the missing delete sharing bind others; the reparse
    // flag opens a link in the folder's place itself, so that it is seen.
    : FHandle(CreateFileW(ExcludeTrailingBackslash(directory).c_str(), FILE_LIST_DIRECTORY,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {
    if (FHandle == INVALID_HANDLE_VALUE) {
        throw EInOutError(InOutErrorCode(GetLastOSErrorCode()));
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(FHandle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        CloseHandle(FHandle);
        throw EInOutError(ERROR_ACCESS_DENIED);
    }
}

TFolderHold::~TFolderHold() {
    CloseHandle(FHandle);
}

bool IsDeviceOrPipe(const std::wstring& fileName) {
    if (IsDosDeviceName(fileName)) {
        return true;
    }
    // Attributes only: no data is read, so nothing waits; the quality of
    // service flags keep a pipe's server from acting with the caller's rights.
    const HANDLE file = CreateFileW(fileName.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD type = GetFileType(file);
    CloseHandle(file);
    return type != FILE_TYPE_DISK;
}

int FileSetAttr(const std::wstring& fileName, std::uint32_t attributes) {
    if (!SetFileAttributesW(fileName.c_str(), attributes)) {
        return GetLastOSErrorCode();
    }
    return 0;
}

int GetLastOSErrorCode() {
    return static_cast<int>(GetLastError());
}
