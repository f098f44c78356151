#include "components/base/kitsysinfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <windows.h>

namespace {

// Every test starts and ends with the Windows queries and cleared flags.
class KitSysInfo : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        ResetKitSysInfoSeams();
        IsWin9x = IsWin98OrLater = IsWinNT = HasWindowsExtension = false;
    }
    static std::uint32_t Platform;
    static std::uint16_t Minor;
    static bool Extension;
    static int ExtensionAsked;
    static void Fake(std::uint32_t platform, std::uint16_t minor, bool extension) {
        Platform = platform;
        Minor = minor;
        Extension = extension;
        ExtensionAsked = 0;
        KitSysInfoSeams().PlatformId = [] { return Platform; };
        KitSysInfoSeams().MinorVersion = [] { return Minor; };
        KitSysInfoSeams().WindowsExtension = [] {
            ++ExtensionAsked;
            return Extension;
        };
    }
};
std::uint32_t KitSysInfo::Platform = 0;
std::uint16_t KitSysInfo::Minor = 0;
bool KitSysInfo::Extension = false;
int KitSysInfo::ExtensionAsked = 0;

} // namespace

TEST_F(KitSysInfo, ScreenColorDepthIsThatOfTheDisplay) {
    HDC dc = ::GetDC(nullptr);
    const int expected = ::GetDeviceCaps(dc, PLANES) * ::GetDeviceCaps(dc, BITSPIXEL);
    ::ReleaseDC(nullptr, dc);
    EXPECT_EQ(ScreenColorDepth(), expected);
    EXPECT_GE(ScreenColorDepth(), 8);
}

TEST_F(KitSysInfo, ScreenColorDepthCanBeReplaced) {
    KitSysInfoSeams().ColorDepth = [] { return std::uint8_t{8}; };
    EXPECT_EQ(ScreenColorDepth(), 8);
    ResetKitSysInfoSeams();
    EXPECT_NE(ScreenColorDepth(), 0);
}

TEST_F(KitSysInfo, OSMinorVersionIsTheSystemsLowWord) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(&info);
#pragma GCC diagnostic pop
    EXPECT_EQ(OSMinorVersion(), info.dwMinorVersion & 0xFFFF);
}

TEST_F(KitSysInfo, FlagsOnTheNTPlatform) {
    InitializeKitSysInfo(); // the real machine, which is NT under Wine
    EXPECT_FALSE(IsWin9x);
    EXPECT_FALSE(IsWin98OrLater);
    EXPECT_TRUE(IsWinNT);
    EXPECT_TRUE(HasWindowsExtension);
}

TEST_F(KitSysInfo, FlagsOnWindows95AndWindows98) {
    Fake(VER_PLATFORM_WIN32_WINDOWS, 0, false);
    InitializeKitSysInfo();
    EXPECT_TRUE(IsWin9x);
    EXPECT_FALSE(IsWin98OrLater);
    EXPECT_FALSE(IsWinNT);
    EXPECT_FALSE(HasWindowsExtension);
    EXPECT_EQ(ExtensionAsked, 1);

    Fake(VER_PLATFORM_WIN32_WINDOWS, 10, true);
    InitializeKitSysInfo();
    EXPECT_TRUE(IsWin9x);
    EXPECT_TRUE(IsWin98OrLater);
    EXPECT_FALSE(IsWinNT);
    EXPECT_TRUE(HasWindowsExtension);
}

TEST_F(KitSysInfo, FlagsOnAnotherPlatformDoNotAskForTheExtension) {
    Fake(VER_PLATFORM_WIN32s, 90, false);
    InitializeKitSysInfo();
    EXPECT_FALSE(IsWin9x);
    EXPECT_FALSE(IsWin98OrLater);
    EXPECT_FALSE(IsWinNT);
    EXPECT_TRUE(HasWindowsExtension);
    EXPECT_EQ(ExtensionAsked, 0);
    FinalizeKitSysInfo();
    EXPECT_TRUE(HasWindowsExtension); // the finalisation changes nothing
}

TEST_F(KitSysInfo, LoginNameFromWindows) {
    char buffer[256];
    DWORD size = sizeof buffer;
    ASSERT_TRUE(::GetUserNameA(buffer, &size));
    EXPECT_EQ(GetLoginUserName(), std::string(buffer));
}

TEST_F(KitSysInfo, LoginNameFallsBackWhenWindowsCannotTell) {
    KitSysInfoSeams().UserName = [](char*, unsigned long*) { return false; };
    EXPECT_EQ(GetLoginUserName(), "(Unbekannt)");
}

TEST_F(KitSysInfo, LoginNameIsCutToTheReturnedSize) {
    KitSysInfoSeams().UserName = [](char* buffer, unsigned long* size) {
        EXPECT_EQ(*size, 63u);
        std::memcpy(buffer, "Jürgen\0Rest", 11);
        *size = 7; // six characters and the zero
        return true;
    };
    EXPECT_EQ(GetLoginUserName(), "Jürgen");
}

TEST_F(KitSysInfo, LoginNameWithANonsenseSizeFallsBack) {
    KitSysInfoSeams().UserName = [](char*, unsigned long* size) {
        *size = 0;
        return true;
    };
    EXPECT_EQ(GetLoginUserName(), "(Unbekannt)");
    KitSysInfoSeams().UserName = [](char*, unsigned long* size) {
        *size = 500;
        return true;
    };
    EXPECT_EQ(GetLoginUserName(), "(Unbekannt)");
}
