// The OS file of the native build: POSIX descriptors, with errno mapped to
// the Windows code of the same failure so that both builds raise alike.

#include "platform/rtl/OSFile.h"

#include "platform/rtl/Exceptions.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
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
    case EEXIST:
        return 80; // the file exists
    default:
        return error;
    }
}

// A wide name as the system takes it: UTF-8. On a system with 16-bit wide
// characters a surrogate pair is one character; a lone surrogate becomes
// U+FFFD, which no file name here holds.
std::string SystemName(const std::wstring& fileName) {
    std::string name;
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        auto code = static_cast<char32_t>(fileName[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (code >= 0xD800 && code <= 0xDBFF && i + 1 < fileName.size() &&
                fileName[i + 1] >= 0xDC00 && fileName[i + 1] <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) +
                       (static_cast<char32_t>(fileName[++i]) - 0xDC00);
            }
        }
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            name += static_cast<char>(code);
        } else if (code < 0x800) {
            name += static_cast<char>(0xC0 | (code >> 6));
            name += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            name += static_cast<char>(0xE0 | (code >> 12));
            name += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            name += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            name += static_cast<char>(0xF0 | (code >> 18));
            name += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            name += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            name += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return name;
}

[[noreturn]] void RaiseErrno(const std::string& fileName = {}) {
    throw EInOutError(InOutErrorCode(WindowsCode(errno, fileName)));
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

TOSFile TOSFile::OpenRead(const std::wstring& fileName) {
    return OpenRead(SystemName(fileName));
}

TOSFile TOSFile::Create(const std::wstring& fileName) {
    return Create(SystemName(fileName));
}

TOSFile TOSFile::Create(const std::string& fileName) {
    const int fd = open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        RaiseErrno(fileName);
    }
    return TOSFile(fd);
}

TOSFile TOSFile::CreateNew(const std::wstring& fileName) {
    // O_EXCL fails on any existing name and never follows a link.
    const std::string name = SystemName(fileName);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        RaiseErrno(name);
    }
    return TOSFile(fd);
}

bool TOSFile::Delete(const std::wstring& fileName) noexcept {
    try {
        return unlink(SystemName(fileName).c_str()) == 0;
    } catch (const std::bad_alloc&) {
        return false;
    }
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
