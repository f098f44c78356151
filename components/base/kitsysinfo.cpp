#include "components/base/kitsysinfo.h"

#include <windows.h>

bool IsWin9x = false;
bool IsWin98OrLater = false;
bool IsWinNT = false;
bool HasWindowsExtension = false;

namespace {

// The size field the kit has always passed: the ANSI record without the
// service-pack fields beyond it.
constexpr DWORD VersionInfoSize = 148;
constexpr UINT SpiGetWindowsExtension = 92;
// Room for the login name: 62 characters and the terminating zero.
constexpr unsigned long UserNameBufferSize = 63;

std::uint8_t SystemColorDepth() {
    HDC dc = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!dc)
        return 0;
    const int depth = ::GetDeviceCaps(dc, PLANES) * ::GetDeviceCaps(dc, BITSPIXEL);
    ::DeleteDC(dc);
    return static_cast<std::uint8_t>(depth);
}

OSVERSIONINFOA SystemVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = VersionInfoSize;
    // The answer is used as it comes; a failed call leaves zeros.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&info);
#pragma GCC diagnostic pop
    return info;
}

std::uint32_t SystemPlatformId() {
    return SystemVersion().dwPlatformId;
}

std::uint16_t SystemMinorVersion() {
    return static_cast<std::uint16_t>(SystemVersion().dwMinorVersion & 0xFFFF);
}

bool SystemWindowsExtension() {
    return ::SystemParametersInfoA(SpiGetWindowsExtension, 1, nullptr, 0) != 0;
}

bool SystemUserName(char* buffer, unsigned long* size) {
    DWORD length = *size;
    const bool ok = ::GetUserNameA(buffer, &length) != 0;
    *size = length;
    return ok;
}

TKitSysInfoSeams WindowsQueries() {
    TKitSysInfoSeams seams;
    seams.ColorDepth = &SystemColorDepth;
    seams.PlatformId = &SystemPlatformId;
    seams.MinorVersion = &SystemMinorVersion;
    seams.WindowsExtension = &SystemWindowsExtension;
    seams.UserName = &SystemUserName;
    return seams;
}

} // namespace

TKitSysInfoSeams& KitSysInfoSeams() {
    static TKitSysInfoSeams seams = WindowsQueries();
    return seams;
}

void ResetKitSysInfoSeams() {
    KitSysInfoSeams() = WindowsQueries();
}

std::uint8_t ScreenColorDepth() {
    return KitSysInfoSeams().ColorDepth();
}

std::uint16_t OSMinorVersion() {
    return KitSysInfoSeams().MinorVersion();
}

std::string GetLoginUserName() {
    char buffer[UserNameBufferSize + 1] = {};
    unsigned long size = UserNameBufferSize;
    if (!KitSysInfoSeams().UserName(buffer, &size) || size == 0 || size > UserNameBufferSize)
        return "(Unbekannt)";
    // The returned size counts the terminating zero.
    return std::string(buffer, size - 1);
}

void InitializeKitSysInfo() {
    const std::uint32_t platform = KitSysInfoSeams().PlatformId();
    IsWin9x = platform == VER_PLATFORM_WIN32_WINDOWS;
    IsWin98OrLater = false;
    IsWinNT = false;
    if (IsWin9x) {
        IsWin98OrLater = OSMinorVersion() >= 10;
        HasWindowsExtension = KitSysInfoSeams().WindowsExtension();
        return;
    }
    IsWinNT = platform == VER_PLATFORM_WIN32_NT;
    HasWindowsExtension = true;
}

void FinalizeKitSysInfo() {}
