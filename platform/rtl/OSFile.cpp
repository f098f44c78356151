// Ownership of the OS file; the system calls are in OSFileWin / OSFilePosix.

#include "platform/rtl/OSFile.h"

#include "platform/rtl/Exceptions.h"

#include <utility>

TOSFile::~TOSFile() {
    Release();
}

TOSFile::TOSFile(TOSFile&& other) noexcept : FHandle(std::exchange(other.FHandle, InvalidHandle)) {}

TOSFile& TOSFile::operator=(TOSFile&& other) noexcept {
    if (this != &other) {
        Release();
        FHandle = std::exchange(other.FHandle, InvalidHandle);
    }
    return *this;
}

int InOutErrorCode(int systemError) {
    constexpr int HandleDiskFull = 39;
    constexpr int DiskFull = 112;
    return systemError == HandleDiskFull || systemError == DiskFull ? ioErrorDiskFull : systemError;
}
