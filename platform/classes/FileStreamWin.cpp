// TFileStream over a Windows file handle with 64-bit positions.

#include "platform/classes/Stream.h"

#include "platform/rtl/Exceptions.h"

#include <windows.h>

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result;
    if (length != 0 && text != nullptr) {
        result.assign(text, length);
        LocalFree(text);
    }
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' ||
                               result.back() == ' ' || result.back() == '.')) {
        result.pop_back();
    }
    if (result.empty()) {
        result = "Systemfehler " + std::to_string(code);
    }
    return result;
}

DWORD ShareMode(std::uint16_t mode) {
    switch (mode & 0x00F0) {
    case fmShareDenyWrite:
        return FILE_SHARE_READ;
    case 0x0030: // deny read
        return FILE_SHARE_WRITE;
    case fmShareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: // compatibility and exclusive
        return 0;
    }
}

DWORD Access(std::uint16_t mode) {
    switch (mode & 0x0003) {
    case fmOpenWrite:
        return GENERIC_WRITE;
    case fmOpenReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, std::uint16_t mode) : FFileName(fileName) {
    const bool create = (mode & 0xFF00) == fmCreate;
    const HANDLE handle = CreateFileA(
        fileName.c_str(), create ? GENERIC_READ | GENERIC_WRITE : Access(mode), ShareMode(mode),
        nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (create) {
            throw EFCreateError("Die Datei \"" + fileName +
                                "\" kann nicht erstellt werden: " + SystemErrorText(code));
        }
        throw EFOpenError("Die Datei \"" + fileName +
                          "\" kann nicht geöffnet werden: " + SystemErrorText(code));
    }
    FHandle = reinterpret_cast<std::intptr_t>(handle);
}

TFileStream::~TFileStream() {
    CloseHandle(AsHandle(FHandle));
}

std::int32_t TFileStream::Read(void* buffer, std::int32_t count) {
    if (count <= 0) {
        return 0;
    }
    DWORD done = 0;
    if (!ReadFile(AsHandle(FHandle), buffer, static_cast<DWORD>(count), &done, nullptr)) {
        return 0;
    }
    return static_cast<std::int32_t>(done);
}

std::int32_t TFileStream::Write(const void* buffer, std::int32_t count) {
    if (count <= 0) {
        return 0;
    }
    DWORD done = 0;
    if (!WriteFile(AsHandle(FHandle), buffer, static_cast<DWORD>(count), &done, nullptr)) {
        return 0;
    }
    return static_cast<std::int32_t>(done);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    DWORD method = FILE_BEGIN;
    if (origin == TSeekOrigin::soCurrent) {
        method = FILE_CURRENT;
    } else if (origin == TSeekOrigin::soEnd) {
        method = FILE_END;
    }
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER result;
    if (!SetFilePointerEx(AsHandle(FHandle), distance, &result, method)) {
        throw EStreamError("Ungültige Stream-Position in \"" + FFileName +
                           "\": " + SystemErrorText(GetLastError()));
    }
    return result.QuadPart;
}

void TFileStream::SetSize(std::int64_t newSize) {
    const std::int64_t position = GetPosition();
    if (newSize < 0) {
        throw EStreamError("Die Größe von \"" + FFileName + "\" kann nicht geändert werden: " +
                           SystemErrorText(ERROR_INVALID_PARAMETER));
    }
    SetPosition(newSize);
    if (!SetEndOfFile(AsHandle(FHandle))) {
        const DWORD code = GetLastError();
        SetPosition(position);
        throw EStreamError("Die Größe von \"" + FFileName +
                           "\" kann nicht geändert werden: " + SystemErrorText(code));
    }
    SetPosition(position < newSize ? position : newSize);
}
