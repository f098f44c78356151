#pragma once
// What the kit asks about the machine: colour depth of the display, minor
// version of the system, login name, and the platform flags set at start-up.

#include <cstdint>
#include <string>

// Bits per pixel of the display (planes times bits per plane).
std::uint8_t ScreenColorDepth();
// Low 16 bits of the system's minor version number.
std::uint16_t OSMinorVersion();
// The login name, or "(Unbekannt)" when the system cannot tell.
std::string GetLoginUserName();

// Platform flags, all false until InitializeKitSysInfo.
extern bool IsWin9x;
extern bool IsWin98OrLater;
extern bool IsWinNT;
extern bool HasWindowsExtension;

// Replaceable system queries, for cases the test machine cannot produce.
struct TKitSysInfoSeams {
    // Bits per pixel of the display.
    std::uint8_t (*ColorDepth)() = nullptr;
    // Platform identifier (dwPlatformId) and minor version.
    std::uint32_t (*PlatformId)() = nullptr;
    std::uint16_t (*MinorVersion)() = nullptr;
    // Whether the Windows extension is installed (asked on Win9x only).
    bool (*WindowsExtension)() = nullptr;
    // Writes the login name with its terminating zero into Buffer; Size is
    // the buffer size on entry and the length with the zero on success.
    bool (*UserName)(char* buffer, unsigned long* size) = nullptr;
};
// The queries in use; the defaults ask Windows.
TKitSysInfoSeams& KitSysInfoSeams();
// Puts the Windows queries back.
void ResetKitSysInfoSeams();

// Unit start-up: sets the platform flags. Runs after kitclass. Finalize
// does nothing.
void InitializeKitSysInfo();
void FinalizeKitSysInfo();
