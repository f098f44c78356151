// Files and folders of the Windows file system.

#include "platform/rtl/FileSystem.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FilePaths.h"

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

int FileSetAttr(const std::wstring& fileName, std::uint32_t attributes) {
    if (!SetFileAttributesW(fileName.c_str(), attributes)) {
        return GetLastOSErrorCode();
    }
    return 0;
}

int GetLastOSErrorCode() {
    return static_cast<int>(GetLastError());
}
