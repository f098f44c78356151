// The run-time binding of the visual-styles library: loading by name,
// binding what the library exports, reference counting and unloading.

#include "FakeThemeLibrary.h"
#include "theming/UxTheme.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

namespace {

using enum TThemeEntry;

// Every test starts and ends with the library unloaded.
class ThemeBinding : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ThemeApiReferenceCount(), 0); }
    void TearDown() override {
        while (ThemeApiReferenceCount() > 0)
            ReleaseThemeApi();
        EXPECT_EQ(ThemeApiModule(), nullptr);
    }
};

int BoundEntryCount() {
    int count = 0;
    for (int i = 0; i < ThemeEntryCount; ++i)
        count += IsThemeEntryBound(static_cast<TThemeEntry>(i)) ? 1 : 0;
    return count;
}

const TThemeEntry FakeExports[] = {
    teOpenThemeData,
    teCloseThemeData,
    teDrawThemeBackground,
    teDrawThemeText,
    teDrawThemeEdge,
    teIsThemeBackgroundPartiallyTransparent,
    teDrawThemeParentBackground,
    teGetThemeAppProperties,
    teIsThemeActive,
    teIsAppThemed,
};

TEST(ThemeEntryNames, FortySevenDistinctNamesInBindingOrder) {
    const auto names = ThemeEntryNames();
    ASSERT_EQ(names.size(), 47u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 47u);
    EXPECT_STREQ(names[static_cast<size_t>(teOpenThemeData)], "OpenThemeData");
    EXPECT_STREQ(names[0], "OpenThemeData");
    EXPECT_STREQ(names[11], "DrawThemeEdge");
    EXPECT_STREQ(names[14], "IsThemeBackgroundPartiallyTransparent");
    EXPECT_STREQ(names[27], "SetWindowTheme");
    EXPECT_STREQ(names[36], "IsThemeActive");
    EXPECT_STREQ(names[37], "IsAppThemed");
    EXPECT_STREQ(names[41], "GetThemeAppProperties");
    EXPECT_STREQ(names[42], "SetThemeAppProperties");
    EXPECT_STREQ(names[45], "DrawThemeParentBackground");
    EXPECT_STREQ(names[46], "EnableTheming");
    EXPECT_STREQ(names[static_cast<size_t>(teEnableThemeDialogTexture)],
                 "EnableThemeDialogTexture");
}

TEST_F(ThemeBinding, MissingLibraryCountsTheAcquisitionAndUnloadsNothing) {
    int releases = 0;
    std::string requested;
    DWORD flags = 0;
    {
        TSeamOverride load(SystemSeams().LoadLibraryByName,
                           [&](const std::string& name, DWORD searchFlags) {
                               requested = name;
                               flags = searchFlags;
                               return HMODULE{};
                           });
        TSeamOverride release(SystemSeams().ReleaseLibrary, [&](HMODULE) {
            ++releases;
            return true;
        });
        EXPECT_FALSE(AcquireThemeApi());
        EXPECT_EQ(requested, "uxtheme.dll");
        EXPECT_EQ(flags, static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32))
            << "from the system folder only, never the program's";
        EXPECT_EQ(ThemeApiReferenceCount(), 1);
        EXPECT_EQ(ThemeApiModule(), nullptr);
        EXPECT_EQ(BoundEntryCount(), 0);
        EXPECT_FALSE(IsThemingActive());

        // Calls through unbound entries do nothing and answer "nothing".
        const RECT rect{0, 0, 10, 10};
        EXPECT_EQ(UxTheme::OpenThemeData(nullptr, L"button"), nullptr);
        EXPECT_EQ(UxTheme::DrawThemeBackground(nullptr, nullptr, 1, 1, &rect, nullptr), E_NOTIMPL);
        EXPECT_FALSE(UxTheme::IsAppThemed());
        EXPECT_EQ(UxTheme::GetThemeAppProperties(), 0u);
        UxTheme::SetThemeAppProperties(7);

        ReleaseThemeApi();
        EXPECT_EQ(ThemeApiReferenceCount(), 0);
    }
    EXPECT_EQ(releases, 0) << "nothing was loaded, so nothing is freed";
}

TEST_F(ThemeBinding, ReleaseAtZeroLeavesTheCountAtZero) {
    TFakeThemeLibrary fake;
    ReleaseThemeApi();
    EXPECT_EQ(ThemeApiReferenceCount(), 0);
    EXPECT_EQ(fake.Releases, 0);
}

TEST_F(ThemeBinding, FailedLoadIsRetriedByTheNextAcquisition) {
    {
        TSeamOverride load(SystemSeams().LoadLibraryByName,
                           [](const std::string&, DWORD) { return HMODULE{}; });
        EXPECT_FALSE(AcquireThemeApi());
    }
    TFakeThemeLibrary fake;
    EXPECT_TRUE(AcquireThemeApi());
    EXPECT_EQ(ThemeApiReferenceCount(), 2);
    ReleaseThemeApi();
    EXPECT_TRUE(TFakeThemeLibrary::Loaded()) << "one reference is still out";
    ReleaseThemeApi();
    EXPECT_FALSE(TFakeThemeLibrary::Loaded());
    EXPECT_EQ(fake.Releases, 1);
}

TEST_F(ThemeBinding, OnlyTheExportedEntriesAreBound) {
    TFakeThemeLibrary fake;
    ASSERT_TRUE(AcquireThemeApi());
    EXPECT_EQ(BoundEntryCount(), 10);
    for (const TThemeEntry entry : FakeExports)
        EXPECT_TRUE(IsThemeEntryBound(entry)) << ThemeEntryNames()[static_cast<size_t>(entry)];
    EXPECT_FALSE(IsThemeEntryBound(teGetThemeBackgroundContentRect));
    EXPECT_FALSE(IsThemeEntryBound(teSetThemeAppProperties));
    EXPECT_FALSE(IsThemeEntryBound(teEnableThemeDialogTexture));

    TFakeThemeLibrary::Reset();
    RECT content{1, 2, 3, 4};
    const RECT bounds{0, 0, 10, 10};
    EXPECT_EQ(UxTheme::GetThemeBackgroundContentRect(nullptr, nullptr, 1, 1, &bounds, &content),
              E_NOTIMPL);
    EXPECT_EQ(content.left, 1) << "a missing entry touches nothing";
    UxTheme::SetThemeAppProperties(3);
    EXPECT_EQ(UxTheme::EnableThemeDialogTexture(nullptr, 6), E_NOTIMPL);
    EXPECT_TRUE(TFakeThemeLibrary::Calls().empty());

    // A bound entry reaches the library with its arguments.
    EXPECT_EQ(
        UxTheme::DrawThemeBackground(reinterpret_cast<HTHEME>(7), nullptr, 3, 5, &bounds, nullptr),
        S_OK);
    EXPECT_EQ(TFakeThemeLibrary::Calls(),
              std::vector<std::string>{"DrawThemeBackground 7 3 5 0,0,10,10 none"});
}

TEST_F(ThemeBinding, SecondReleaseUnloadsAndEmptiesEveryEntry) {
    TFakeThemeLibrary fake;
    EXPECT_TRUE(AcquireThemeApi());
    EXPECT_TRUE(AcquireThemeApi());
    EXPECT_EQ(fake.Loads, 1) << "loaded once for both";
    EXPECT_EQ(ThemeApiReferenceCount(), 2);

    ReleaseThemeApi();
    EXPECT_NE(ThemeApiModule(), nullptr);
    EXPECT_TRUE(TFakeThemeLibrary::Loaded());
    EXPECT_EQ(BoundEntryCount(), 10);

    ReleaseThemeApi();
    EXPECT_EQ(ThemeApiReferenceCount(), 0);
    EXPECT_EQ(ThemeApiModule(), nullptr);
    EXPECT_FALSE(TFakeThemeLibrary::Loaded());
    EXPECT_EQ(fake.Releases, 1);
    EXPECT_EQ(BoundEntryCount(), 0);
    EXPECT_FALSE(IsThemingActive());
    EXPECT_EQ(UxTheme::OpenThemeData(nullptr, L"button"), nullptr);
}

TEST_F(ThemeBinding, FinalizationUnloadsOnceWhateverIsLeft) {
    TFakeThemeLibrary fake;
    AcquireThemeApi();
    AcquireThemeApi();
    AcquireThemeApi();
    FinalizeUxTheme();
    EXPECT_EQ(ThemeApiReferenceCount(), 0);
    EXPECT_EQ(fake.Releases, 1);
    EXPECT_FALSE(TFakeThemeLibrary::Loaded());
    InitializeUxTheme();
    EXPECT_FALSE(TFakeThemeLibrary::Loaded()) << "start-up does not load the library";
    EXPECT_TRUE(AcquireThemeApi()) << "the binding works again after a new start-up";
}

struct ThemingActiveCase {
    bool AppThemed;
    bool ThemeActive;
    bool Expected;
    std::vector<std::string> Calls;
};

void PrintTo(const ThemingActiveCase& c, std::ostream* out) {
    *out << "IsAppThemed " << c.AppThemed << ", IsThemeActive " << c.ThemeActive;
}

class ThemingActive : public ThemeBinding,
                      public ::testing::WithParamInterface<ThemingActiveCase> {};

TEST_P(ThemingActive, AsksIsAppThemedFirstAndIsThemeActiveOnlyWhenItAgrees) {
    TFakeThemeLibrary fake;
    ASSERT_TRUE(AcquireThemeApi());
    TFakeThemeLibrary::Reset(GetParam().AppThemed, GetParam().ThemeActive);
    EXPECT_EQ(IsThemingActive(), GetParam().Expected);
    EXPECT_EQ(TFakeThemeLibrary::Calls(), GetParam().Calls);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ThemingActive,
    ::testing::Values(ThemingActiveCase{false, true, false, {"IsAppThemed"}},
                      ThemingActiveCase{true, false, false, {"IsAppThemed", "IsThemeActive"}},
                      ThemingActiveCase{true, true, true, {"IsAppThemed", "IsThemeActive"}}));

TEST_F(ThemeBinding, RealLibraryLoadsAndBindsEveryEntry) {
    ASSERT_TRUE(AcquireThemeApi());
    EXPECT_NE(ThemeApiModule(), nullptr);
    for (int i = 0; i < ThemeEntryCount; ++i)
        EXPECT_TRUE(IsThemeEntryBound(static_cast<TThemeEntry>(i))) << ThemeEntryNames()[i];
    EXPECT_TRUE(IsThemingActive()) << "the Wine prefix runs a visual style";
    const HTHEME theme = UxTheme::OpenThemeData(nullptr, L"button");
    EXPECT_NE(theme, nullptr);
    EXPECT_EQ(UxTheme::CloseThemeData(theme), S_OK);
    ReleaseThemeApi();
    EXPECT_EQ(ThemeApiModule(), nullptr);
}

} // namespace
