#pragma once
// Files and folders of the Windows file system, by Unicode (UTF-16) name, so
// that any name the system can show can be tested and made.

#include <cstdint>
#include <optional>
#include <string>

// True when a directory search finds fileName and the entry is no folder.
bool FileExists(const std::wstring& fileName);
// The size of the entry a directory search finds for fileName; nothing when
// the search finds none.
std::optional<std::int64_t> FoundFileSize(const std::wstring& fileName);
// True when the name's attributes can be read and mark a folder.
bool DirectoryExists(const std::wstring& directory);
// Makes the folder and every missing folder above it. Raises Exception for an
// empty name. True at once for names shorter than 3 characters (after one
// trailing backslash is dropped), existing folders and names without a
// parent part; false when a folder could not be made.
bool ForceDirectories(const std::wstring& directory);
// Creates the folder in its existing parent. Fails when the name exists as
// anything (folder, file or link), so a folder made is one this call made.
// Returns 0 or the system's error code (ERROR_ALREADY_EXISTS when taken).
int CreateNewDirectory(const std::wstring& directory);

// Holds a folder open without delete sharing: until the hold ends nobody can
// rename, move or delete it. Raises EInOutError when the folder cannot be
// opened, and with code 5 when the name is no plain folder (a link or a
// junction put in its place).
class TFolderHold {
public:
    explicit TFolderHold(const std::wstring& directory);
    ~TFolderHold();
    TFolderHold(const TFolderHold&) = delete;
    TFolderHold& operator=(const TFolderHold&) = delete;

private:
    void* FHandle;
};

// True when the name is a DOS device name, or opens something the system does
// not report as a disk file (a pipe, a console, a serial port). It asks for
// the attributes only, so a device that would wait for data cannot block;
// a pipe's server cannot act as the caller. False also when the name cannot
// be opened at all: then the caller's own checks tell why.
bool IsDeviceOrPipe(const std::wstring& fileName);

// Sets the file's attributes (0 makes it a normal file); returns 0 or the
// system's error code.
int FileSetAttr(const std::wstring& fileName, std::uint32_t attributes);
// The error code of the calling thread's last failed system call.
int GetLastOSErrorCode();
