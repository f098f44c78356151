// The OS file of the native build: POSIX descriptors, with errno mapped to
// the Windows code of the same failure so that both builds raise alike.

#include "platform/rtl/OSFile.h"

#include "platform/rtl/Exceptions.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Windows reports a missing folder on the way differently from a missing file.
bool ParentFolderMissing(const std::string& fileName) {
    const std::size_t slash = fileName.find_last_of('/');
    if (slash == std::string::npos || slash == 0) {
        return false;
    }
    struct stat info {};
    return stat(fileName.substr(0, slash).c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
}

int WindowsCode(int error, const std::string& fileName = {}) {
    switch (error) {
    case ENOENT:
        return ParentFolderMissing(fileName) ? 3 : 2; // path / file not found
    case ENOTDIR:
    case ENAMETOOLONG:
        return 3; // path not found
    case EMFILE:
    case ENFILE:
        return 4; // too many open files
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return 5; // access denied
    case ENOSPC:
        return 112; // disk full
    default:
        return error;
    }
}

[[noreturn]] void RaiseErrno(const std::string& fileName = {}) {
    throw EInOutError(WindowsCode(errno, fileName));
}

int Descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

} // namespace

TOSFile TOSFile::OpenRead(const std::string& fileName) {
    const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        RaiseErrno(fileName);
    }
    TOSFile file(fd);
    // Windows refuses to open a folder as a file; so do we.
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        RaiseErrno(fileName);
    }
    if (S_ISDIR(info.st_mode)) {
        throw EInOutError(5);
    }
    return file;
}

TOSFile TOSFile::Create(const std::string& fileName) {
    const int fd = open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        RaiseErrno(fileName);
    }
    return TOSFile(fd);
}

std::size_t TOSFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen()) {
        throw EInOutError(ioErrorFileNotOpen);
    }
    for (;;) {
        const ssize_t done = read(Descriptor(FHandle), buffer, count);
        if (done >= 0) {
            return static_cast<std::size_t>(done);
        }
        if (errno != EINTR) {
            RaiseErrno();
        }
    }
}

void TOSFile::Write(const void* buffer, std::size_t count) {
    if (!IsOpen()) {
        throw EInOutError(ioErrorFileNotOpen);
    }
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        const ssize_t done = write(Descriptor(FHandle), bytes, count);
        if (done < 0) {
            if (errno == EINTR) {
                continue;
            }
            RaiseErrno();
        }
        if (done == 0) {
            throw EInOutError(ioErrorDiskFull);
        }
        bytes += done;
        count -= static_cast<std::size_t>(done);
    }
}

void TOSFile::Close() {
    if (!IsOpen()) {
        return;
    }
    // The descriptor is gone after close() whatever it returns, so never retry.
    if (close(Descriptor(std::exchange(FHandle, InvalidHandle))) != 0 && errno != EINTR) {
        RaiseErrno();
    }
}

void TOSFile::Release() noexcept {
    if (IsOpen()) {
        close(Descriptor(std::exchange(FHandle, InvalidHandle)));
    }
}
