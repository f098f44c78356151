// The OS file on Windows: CreateFileA or CreateFileW, ReadFile, WriteFile.

#include "platform/rtl/OSFile.h"

#include "platform/rtl/Exceptions.h"

#include <utility>

#include <windows.h>

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void RaiseLastError() {
    throw EInOutError(InOutErrorCode(static_cast<int>(GetLastError())));
}

HANDLE CreateFileOf(const std::string& fileName, DWORD access, DWORD disposition, DWORD flags) {
    return CreateFileA(fileName.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | flags, nullptr);
}

HANDLE CreateFileOf(const std::wstring& fileName, DWORD access, DWORD disposition, DWORD flags) {
    return CreateFileW(fileName.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL | flags, nullptr);
}

template <class TName>
std::intptr_t CheckedOpen(const TName& fileName, DWORD access, DWORD disposition, DWORD flags) {
    const HANDLE handle = CreateFileOf(fileName, access, disposition, flags);
    if (handle == INVALID_HANDLE_VALUE) {
        RaiseLastError();
    }
    return reinterpret_cast<std::intptr_t>(handle);
}

// The most one ReadFile or WriteFile call moves.
constexpr std::size_t MaxChunk = 1u << 30;

} // namespace

TOSFile TOSFile::OpenRead(const std::string& fileName) {
    return TOSFile(CheckedOpen(fileName, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
}

TOSFile TOSFile::OpenRead(const std::wstring& fileName) {
    return TOSFile(CheckedOpen(fileName, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
}

TOSFile TOSFile::Create(const std::string& fileName) {
    return TOSFile(CheckedOpen(fileName, GENERIC_WRITE, CREATE_ALWAYS, 0));
}

TOSFile TOSFile::Create(const std::wstring& fileName) {
    return TOSFile(CheckedOpen(fileName, GENERIC_WRITE, CREATE_ALWAYS, 0));
}

TOSFile TOSFile::CreateNew(const std::wstring& fileName) {
    // CREATE_NEW fails on any existing name, a link or junction included;
    // the reparse flag keeps a link planted after that check from being
    // followed all the same.
    return TOSFile(CheckedOpen(fileName, GENERIC_WRITE, CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT));
}

bool TOSFile::Delete(const std::wstring& fileName) noexcept {
    return DeleteFileW(fileName.c_str()) != 0;
}

std::size_t TOSFile::Read(void* buffer, std::size_t count) {
    if (!IsOpen()) {
        throw EInOutError(ioErrorFileNotOpen);
    }
    DWORD done = 0;
    const auto chunk = static_cast<DWORD>(count < MaxChunk ? count : MaxChunk);
    if (!ReadFile(AsHandle(FHandle), buffer, chunk, &done, nullptr)) {
        RaiseLastError();
    }
    return done;
}

void TOSFile::Write(const void* buffer, std::size_t count) {
    if (!IsOpen()) {
        throw EInOutError(ioErrorFileNotOpen);
    }
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        DWORD done = 0;
        const auto chunk = static_cast<DWORD>(count < MaxChunk ? count : MaxChunk);
        if (!WriteFile(AsHandle(FHandle), bytes, chunk, &done, nullptr)) {
            RaiseLastError();
        }
        if (done == 0) {
            throw EInOutError(ioErrorDiskFull); // accepted without storing anything
        }
        bytes += done;
        count -= done;
    }
}

void TOSFile::Close() {
    if (!IsOpen()) {
        return;
    }
    const HANDLE handle = AsHandle(std::exchange(FHandle, InvalidHandle));
    if (!CloseHandle(handle)) {
        RaiseLastError();
    }
}

void TOSFile::Release() noexcept {
    if (IsOpen()) {
        CloseHandle(AsHandle(std::exchange(FHandle, InvalidHandle)));
    }
}
