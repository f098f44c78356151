#pragma once
// Files and folders of the Windows file system, by Unicode (UTF-16) name, so
// that any name the system can show can be tested and made.

#include <cstdint>
#include <string>

// True when a directory search finds fileName and the entry is no folder.
bool FileExists(const std::wstring& fileName);
// True when the name's attributes can be read and mark a folder.
bool DirectoryExists(const std::wstring& directory);
// Makes the folder and every missing folder above it. Raises Exception for an
// empty name. True at once for names shorter than 3 characters (after one
// trailing backslash is dropped), existing folders and names without a
// parent part; false when a folder could not be made.
bool ForceDirectories(const std::wstring& directory);
// Sets the file's attributes (0 makes it a normal file); returns 0 or the
// system's error code.
int FileSetAttr(const std::wstring& fileName, std::uint32_t attributes);
// The error code of the calling thread's last failed system call.
int GetLastOSErrorCode();
