// The seams: each program call goes through its replaceable function, an
// override lasts exactly one scope, and the defaults are the real calls.

#include "platform/rtl/SystemSeams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TMessageBoxCall = int (*)(HWND, const std::wstring&, const std::wstring&, UINT);
using TOpenDialogCall = bool (*)(OPENFILENAMEW&);

TEST(SystemSeams, DefaultsAreTheRealCalls) {
    const TSystemSeams real;
    ASSERT_NE(real.ShowMessageBox.target<TMessageBoxCall>(), nullptr);
    ASSERT_NE(real.ShowOpenFileDialog.target<TOpenDialogCall>(), nullptr);
    EXPECT_EQ(*SystemSeams().ShowMessageBox.target<TMessageBoxCall>(),
              *real.ShowMessageBox.target<TMessageBoxCall>());
    EXPECT_EQ(*SystemSeams().ShowOpenFileDialog.target<TOpenDialogCall>(),
              *real.ShowOpenFileDialog.target<TOpenDialogCall>());
    EXPECT_TRUE(real.ShellExecuteFile && real.GetDiskFreeSpaceOf && real.MillisecondTicks &&
                real.CommonControlsVersion && real.LoadLibraryByName && real.ReleaseLibrary &&
                real.RestrictLibrarySearch);
}

TEST(SeamOverride, ReplacesForTheScopeAndRestoresTheRealFunction) {
    std::vector<std::wstring> texts;
    {
        TSeamOverride box(SystemSeams().ShowMessageBox,
                          [&](HWND, const std::wstring& text, const std::wstring&, UINT) {
                              texts.push_back(text);
                              return IDOK;
                          });
        EXPECT_EQ(ShowMessageBox(nullptr, "eins", "", MB_OK), IDOK);
        EXPECT_EQ(ShowMessageBox(nullptr, L"zwei", L"", MB_OK), IDOK);
        EXPECT_EQ(SystemSeams().ShowMessageBox.target<TMessageBoxCall>(), nullptr);
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"eins", L"zwei"}));
    const TSystemSeams real;
    ASSERT_NE(SystemSeams().ShowMessageBox.target<TMessageBoxCall>(), nullptr);
    EXPECT_EQ(*SystemSeams().ShowMessageBox.target<TMessageBoxCall>(),
              *real.ShowMessageBox.target<TMessageBoxCall>());
}

TEST(SeamOverride, NestedOverridesUnwindToThePreviousReplacement) {
    TSeamOverride outer(SystemSeams().MillisecondTicks, [] { return std::uint64_t{1}; });
    {
        TSeamOverride inner(SystemSeams().MillisecondTicks, [] { return std::uint64_t{2}; });
        EXPECT_EQ(MillisecondTicks(), 2u);
    }
    EXPECT_EQ(MillisecondTicks(), 1u) << "the inner scope brings back the outer replacement";
}

TEST(SeamOverride, RealClockRunsAgainAfterTheScope) {
    {
        TSeamOverride clock(SystemSeams().MillisecondTicks, [] { return std::uint64_t{42}; });
        EXPECT_EQ(MillisecondTicks(), 42u);
    }
    const std::uint64_t before = GetTickCount64();
    const std::uint64_t now = MillisecondTicks();
    EXPECT_GE(now, before);
    EXPECT_LT(now - before, 5000u);
}

TEST(SystemSeams, EveryPlainCallPassesItsArgumentsAndResultThrough) {
    std::vector<std::wstring> calls;
    const HWND owner = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x1234));
    TSeamOverride shell(SystemSeams().ShellExecuteFile, [&](HWND h, const std::wstring& verb,
                                                            const std::wstring& file,
                                                            const std::wstring& params,
                                                            const std::wstring& dir, int show) {
        EXPECT_EQ(h, owner);
        calls.push_back(verb + L"|" + file + L"|" + params + L"|" + dir + L"|" +
                        std::to_wstring(show));
        return reinterpret_cast<HINSTANCE>(static_cast<LONG_PTR>(42));
    });
    TSeamOverride disk(
        SystemSeams().GetDiskFreeSpaceOf,
        [&](const std::wstring& path, std::uint64_t& available, std::uint64_t& total) {
            calls.push_back(L"disk " + path + L" " + std::to_wstring(available));
            available = 5'000'000'000ull;
            total = 9'000'000'000ull;
            return path == L"C:";
        });
    TSeamOverride version(SystemSeams().CommonControlsVersion, [] {
        return TCommonControlsVersion{6, 10};
    });
    const HMODULE fake = reinterpret_cast<HMODULE>(static_cast<LONG_PTR>(0x7000));
    TSeamOverride load(SystemSeams().LoadLibraryByName, [&](const std::string& name, DWORD flags) {
        calls.push_back(L"load " + std::wstring(name.begin(), name.end()) + L" " +
                        std::to_wstring(flags));
        return fake;
    });
    TSeamOverride release(SystemSeams().ReleaseLibrary, [&](HMODULE m) {
        calls.push_back(m == fake ? L"release fake" : L"release other");
        return true;
    });

    EXPECT_EQ(ShellExecuteFile(owner, "explore", "C:\\Daten\\", "", "", SW_SHOWNORMAL),
              reinterpret_cast<HINSTANCE>(static_cast<LONG_PTR>(42)));
    const std::wstring unicodeFolder = L"C:\\Łódź\\";
    EXPECT_EQ(ShellExecuteFile(owner, L"explore", unicodeFolder, L"", L"", SW_SHOWNORMAL),
              reinterpret_cast<HINSTANCE>(static_cast<LONG_PTR>(42)));
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    EXPECT_TRUE(GetDiskFreeSpaceOf(L"C:", available, total));
    EXPECT_EQ(available, 5'000'000'000ull) << "values beyond 32 bits survive";
    EXPECT_EQ(total, 9'000'000'000ull);
    EXPECT_FALSE(GetDiskFreeSpaceOf(L"\\\\server\\share", available, total));
    EXPECT_EQ(CommonControlsVersion().Packed(), 0x6000Au);
    EXPECT_EQ(LoadLibraryByName("uxtheme.dll", 0x800), fake);
    EXPECT_TRUE(ReleaseLibrary(fake));

    const std::wstring show = std::to_wstring(SW_SHOWNORMAL);
    const std::vector<std::wstring> expected = {
        L"explore|C:\\Daten\\|||" + show, L"explore|" + unicodeFolder + L"|||" + show,
        L"disk C: 0", L"disk \\\\server\\share 5000000000", L"load uxtheme.dll 2048",
        L"release fake"};
    EXPECT_TRUE(calls == expected);
}

TEST(CommonControlsVersion, PacksMajorIntoTheHighWord) {
    EXPECT_EQ((TCommonControlsVersion{6, 0}.Packed()), 0x60000u);
    EXPECT_EQ((TCommonControlsVersion{5, 82}.Packed()), 0x50052u);
    EXPECT_EQ(TCommonControlsVersion{}.Packed(), 0u) << "unknown";
    EXPECT_LE((TCommonControlsVersion{5, 0xFFFF}.Packed()), 0x5FFFFu) << "below version 6";
}

// The real calls, on what Wine provides.
TEST(RealSystemCalls, CommonControlsReportTheirVersion) {
    const TCommonControlsVersion v = TSystemSeams().CommonControlsVersion();
    EXPECT_GE(v.Major, 5u);
}

TEST(RealSystemCalls, FreeSpaceOfTheSystemDriveAndOfAMissingDrive) {
    const TSystemSeams real;
    std::uint64_t available = 0;
    std::uint64_t total = 0;
    ASSERT_TRUE(real.GetDiskFreeSpaceOf(L"C:\\", available, total));
    EXPECT_GT(total, 0u);
    EXPECT_LE(available, total);

    std::uint64_t untouched = 0;
    std::uint64_t totalUntouched = 0;
    EXPECT_FALSE(real.GetDiskFreeSpaceOf(L"\\\\nirgendwo\\freigabe", untouched, totalUntouched));
    EXPECT_EQ(untouched, 0u) << "a failed query leaves the value the caller preset";
}

TEST(RealSystemCalls, LoaderLoadsAndReleasesByName) {
    const TSystemSeams real;
    const HMODULE kernel = real.LoadLibraryByName("kernel32.dll", LOAD_LIBRARY_SEARCH_SYSTEM32);
    ASSERT_NE(kernel, nullptr);
    EXPECT_EQ(kernel, GetModuleHandleA("kernel32.dll"));
    EXPECT_NE(GetProcAddress(kernel, "GetTickCount64"), nullptr);
    EXPECT_TRUE(real.ReleaseLibrary(kernel));
    EXPECT_EQ(real.LoadLibraryByName("gibt-es-nicht-4711.dll", 0), nullptr);
}

} // namespace

