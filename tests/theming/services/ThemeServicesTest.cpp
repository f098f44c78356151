// The theme services against the fake library: the theme state, the cached
// theme handles, the drawing wrappers and the subclassing of its window.

#include "FakeThemeLibrary.h"
#include "platform/controls/WinControl.h"
#include "theming/ThemeSrv.h"
#include "theming/TmSchema.h"
#include "theming/UxTheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

using enum ThemeElementClass;
using TCalls = std::vector<std::string>;

class ThemeServicesWithFake : public ::testing::Test {
protected:
    void TearDown() override {
        services.reset();
        EXPECT_EQ(ThemeApiReferenceCount(), 0) << "the destructor balances the acquisition";
    }
    // Services whose library answers as given; the fake is loaded before so
    // that its answers are set when the constructor reads the state.
    void Create(HWND window = nullptr, bool appThemed = true, bool themeActive = true,
                DWORD appProperties = 7) {
        ASSERT_TRUE(AcquireThemeApi());
        TFakeThemeLibrary::Reset(appThemed, themeActive, appProperties);
        services = std::make_unique<TThemeServices>(window);
        ReleaseThemeApi();
    }

    TFakeThemeLibrary fake;
    TForcedCommonControls version{6, 0};
    std::unique_ptr<TThemeServices> services;
};

TEST_F(ThemeServicesWithFake, ThemedControlsWhenEverythingAgrees) {
    Create();
    EXPECT_TRUE(services->LibraryLoaded());
    EXPECT_TRUE(services->ThemesInUse());
    EXPECT_TRUE(services->ControlThemesAllowed());
    EXPECT_TRUE(services->ControlThemingEnabled());
    EXPECT_EQ(TFakeThemeLibrary::Calls(),
              (TCalls{"IsAppThemed", "IsThemeActive", "GetThemeAppProperties"}));
}

TEST_F(ThemeServicesWithFake, PropertiesWithoutControlsForbidThemedControls) {
    Create(nullptr, true, true, STAP_ALLOW_NONCLIENT | STAP_ALLOW_WEBCONTENT);
    EXPECT_TRUE(services->ThemesInUse());
    EXPECT_FALSE(services->ControlThemesAllowed());
    EXPECT_FALSE(services->ControlThemingEnabled());
}

TEST_F(ThemeServicesWithFake, OldCommonControlsLeaveThemesOffWithoutAskingTheProperties) {
    TForcedCommonControls old(5, 81);
    Create();
    EXPECT_TRUE(services->LibraryLoaded());
    EXPECT_FALSE(services->ThemesInUse());
    EXPECT_FALSE(services->ControlThemesAllowed());
    EXPECT_EQ(TFakeThemeLibrary::Calls(), (TCalls{"IsAppThemed", "IsThemeActive"}));
    EXPECT_EQ(services->ThemeHandleFor(teButton), nullptr);
    EXPECT_EQ(TFakeThemeLibrary::Calls().size(), 2u) << "nothing is opened";
}

TEST_F(ThemeServicesWithFake, VersionSixPointZeroIsTheFirstThemedOne) {
    TForcedCommonControls almost(5, 0xFFFF);
    Create();
    EXPECT_FALSE(services->ThemesInUse());
    {
        TForcedCommonControls six(6, 0);
        services->RefreshThemeState();
        EXPECT_TRUE(services->ThemesInUse());
    }
}

TEST_F(ThemeServicesWithFake, ClassicThemeLeavesEverythingOff) {
    Create(nullptr, true, false);
    EXPECT_TRUE(services->LibraryLoaded());
    EXPECT_FALSE(services->ThemesInUse());
    EXPECT_FALSE(services->ControlThemingEnabled());
}

TEST(ThemeServicesWithoutLibrary, ReportsThemesUnavailable) {
    TSeamOverride load(SystemSeams().LoadLibraryByName,
                       [](const std::string&, DWORD) { return HMODULE{}; });
    TForcedCommonControls version(6, 0);
    {
        TThemeServices services(nullptr);
        EXPECT_FALSE(services.LibraryLoaded());
        EXPECT_FALSE(services.ThemesInUse());
        EXPECT_FALSE(services.ControlThemingEnabled());
        EXPECT_EQ(services.ThemeHandleFor(teButton), nullptr);
        HDC screen = ::GetDC(nullptr);
        services.DrawElement(screen, TThemeServices::ButtonDetails(2), RECT{0, 0, 5, 5});
        ::ReleaseDC(nullptr, screen);
        EXPECT_EQ(ThemeApiReferenceCount(), 1);
    }
    EXPECT_EQ(ThemeApiReferenceCount(), 0);
}

TEST_F(ThemeServicesWithFake, HandlesAreOpenedOncePerClassAndClosedOnRefresh) {
    Create();
    TFakeThemeLibrary::Reset();
    const HTHEME button = services->ThemeHandleFor(teButton);
    EXPECT_EQ(services->ThemeHandleFor(teButton), button);
    const HTHEME trackBar = services->ThemeHandleFor(teTrackBar);
    EXPECT_NE(trackBar, button);
    EXPECT_EQ(services->CachedThemeHandle(teButton), button);
    EXPECT_EQ(TFakeThemeLibrary::Calls(),
              (TCalls{"OpenThemeData button -> 4096", "OpenThemeData trackbar -> 4097"}));

    TFakeThemeLibrary::Reset();
    services->RefreshThemeState();
    EXPECT_EQ(TFakeThemeLibrary::Calls(),
              (TCalls{"CloseThemeData 4096", "CloseThemeData 4097", "IsAppThemed", "IsThemeActive",
                      "GetThemeAppProperties"}))
        << "handles are closed in class order before the state is read";
    EXPECT_EQ(services->CachedThemeHandle(teButton), nullptr);
    EXPECT_NE(services->ThemeHandleFor(teButton), nullptr) << "reopened for the new theme";
}

TEST_F(ThemeServicesWithFake, DestructionClosesTheHandles) {
    Create();
    services->ThemeHandleFor(teEdit);
    TFakeThemeLibrary::Reset();
    services.reset();
    EXPECT_FALSE(TFakeThemeLibrary::Loaded());
    EXPECT_EQ(fake.Releases, 1);
}

TEST_F(ThemeServicesWithFake, WrappersPassThePartAndStateOfTheDetails) {
    Create();
    services->ThemeHandleFor(teButton);
    TFakeThemeLibrary::Reset();
    const RECT rect{1, 2, 30, 40};
    const RECT clip{0, 0, 10, 10};
    services->DrawElement(nullptr, TThemeServices::ButtonDetails(19), rect);
    services->DrawElement(nullptr, TThemeServices::ButtonDetails(2), rect, &clip);
    services->DrawElementText(nullptr, TThemeServices::ButtonDetails(5), L"Abbrechen", rect,
                              DT_CENTER | DT_VCENTER, 1);
    RECT content{};
    services->DrawElementEdge(nullptr, TThemeServices::ButtonDetails(27), rect, EDGE_ETCHED,
                              BF_RECT, &content);
    services->DrawElementEdge(nullptr, TThemeServices::ButtonDetails(27), rect, EDGE_ETCHED,
                              BF_RECT);
    EXPECT_EQ(TFakeThemeLibrary::Calls(),
              (TCalls{"DrawThemeBackground 4096 3 5 1,2,30,40 none",
                      "DrawThemeBackground 4096 1 1 1,2,30,40 0,0,10,10",
                      "DrawThemeText 4096 1 4 Abbrechen 9 5 1 1,2,30,40",
                      "DrawThemeEdge 4096 4 1 1,2,30,40 6 15 content",
                      "DrawThemeEdge 4096 4 1 1,2,30,40 6 15 none"}));
}

TEST_F(ThemeServicesWithFake, ContentRectIsTheBoundsWhenTheLibraryCannotTell) {
    Create();
    const RECT bounds{3, 4, 50, 60};
    const RECT content =
        services->ElementContentRect(nullptr, TThemeServices::EditDetails(2), bounds);
    EXPECT_TRUE(::EqualRect(&content, &bounds));
}

TEST_F(ThemeServicesWithFake, ParentBackgroundAsksForTransparencyOnlyWithDetails) {
    Create();
    services->ThemeHandleFor(teButton);
    const ThemedElementDetails push = TThemeServices::ButtonDetails(2);
    const RECT rect{0, 0, 8, 9};

    TFakeThemeLibrary::Reset(true, true, 7, false);
    services->DrawParentBackground(nullptr, nullptr, &push, true, nullptr);
    EXPECT_EQ(TFakeThemeLibrary::Calls(),
              (TCalls{"IsThemeBackgroundPartiallyTransparent 4096 1 1"}))
        << "an opaque element needs no parent background";

    TFakeThemeLibrary::Reset(true, true, 7, true);
    services->DrawParentBackground(nullptr, nullptr, &push, true, &rect);
    EXPECT_EQ(TFakeThemeLibrary::Calls(), (TCalls{"IsThemeBackgroundPartiallyTransparent 4096 1 1",
                                                  "DrawThemeParentBackground 0,0,8,9"}));

    TFakeThemeLibrary::Reset(true, true, 7, false);
    services->DrawParentBackground(nullptr, nullptr, nullptr, true, nullptr);
    services->DrawParentBackground(nullptr, nullptr, &push, false, nullptr);
    EXPECT_EQ(TFakeThemeLibrary::Calls(),
              (TCalls{"DrawThemeParentBackground none", "DrawThemeParentBackground none"}))
        << "without details, or without the condition, it draws unconditionally";
}

TEST_F(ThemeServicesWithFake, WithoutWindowNothingIsSubclassed) {
    Create(nullptr);
    EXPECT_EQ(services->Window(), nullptr);
    EXPECT_EQ(services->ObjectInstance(), nullptr);
}

TEST_F(ThemeServicesWithFake, SubclassesItsWindowAndPutsTheProcedureBack) {
    TTestWindow window;
    Create(window.Handle());
    EXPECT_NE(services->ObjectInstance(), nullptr);
    EXPECT_EQ(services->SavedWindowProc(), TTestWindow::OwnProcedure());
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC)),
              services->ObjectInstance());
    services.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC)),
              TTestWindow::OwnProcedure());
}

TEST_F(ThemeServicesWithFake, DestroyedWindowUnsubclassesAndHandlesAreStillClosed) {
    TTestWindow window;
    Create(window.Handle());
    services->ThemeHandleFor(teButton);
    services->ThemeHandleFor(teTab);
    window.Destroy();
    EXPECT_EQ(services->ObjectInstance(), nullptr);
    TFakeThemeLibrary::Reset();
    services->CloseThemeHandles();
    EXPECT_EQ(TFakeThemeLibrary::Calls(), (TCalls{"CloseThemeData 4096", "CloseThemeData 4097"}))
        << "theme handles are closed although their window is gone";
}

// Messages that reach the window's own procedure, and theme changes each
// services object heard.
struct TSeen {
    void Notified(TObject* sender) { ++Changes[sender]; }
    TNotifyEvent Listen() { return TNotifyEvent::Of<&TSeen::Notified>(this); }
    int Count(UINT msg) const { return static_cast<int>(std::ranges::count(Messages, msg)); }
    std::vector<UINT> Messages;
    std::map<TObject*, int> Changes;
};

void Record(HWND, UINT msg, void* context) {
    static_cast<TSeen*>(context)->Messages.push_back(msg);
}

// A procedure installed on top of the services' one, passing everything on.
// A chain that loops would come back here without end: it stops the loop
// and remembers it.
WNDPROC Below = nullptr;
int Depth = 0;
bool Looped = false;
LRESULT CALLBACK OnTop(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Depth > 50) {
        Looped = true;
        return 0;
    }
    ++Depth;
    const LRESULT result = ::CallWindowProcA(Below, window, msg, wParam, lParam);
    --Depth;
    return result;
}

TEST_F(ThemeServicesWithFake, LeavingUnderAnotherSubclassKeepsTheChainWhole) {
    TTestWindow window;
    TSeen seen;
    window.Observe(&Record, &seen);
    Create(window.Handle());
    Below = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTop)));
    services.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC)), &OnTop)
        << "the procedure on top stays";
    ::SendMessageA(window.Handle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(seen.Count(WM_USER + 7), 1) << "messages still reach the window";
    window.Destroy();
}

TEST_F(ThemeServicesWithFake, NewObjectOverAChainAnEarlierOneLeftNeitherLoopsNorGoesDeaf) {
    TTestWindow window;
    TSeen seen;
    window.Observe(&Record, &seen);
    Create(window.Handle());
    Below = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTop)));
    services.reset();
    Create(window.Handle());
    services->ThemeChangeNotify = seen.Listen();
    EXPECT_NE(services->ObjectInstance(), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC)), &OnTop)
        << "installed once: the procedure left below the one on top serves it";

    Looped = false;
    ::SendMessageA(window.Handle(), WM_USER + 7, 0, 0);
    EXPECT_FALSE(Looped);
    EXPECT_EQ(seen.Count(WM_USER + 7), 1) << "once, without coming round again";
    ::SendMessageA(window.Handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(seen.Changes[services.get()], 1);
    EXPECT_EQ(seen.Count(WM_THEMECHANGED), 1);

    // The procedure on top leaves: the services object stays in the chain.
    ::SetWindowLongPtrA(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Below));
    ::SendMessageA(window.Handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(seen.Changes[services.get()], 2);
    EXPECT_EQ(seen.Count(WM_THEMECHANGED), 2);
    services.reset();
    window.Destroy();
}

TEST_F(ThemeServicesWithFake, TwoObjectsOnOneWindowEachHearTheThemeChange) {
    TTestWindow window;
    TSeen seen;
    window.Observe(&Record, &seen);
    Create(window.Handle());
    auto second = std::make_unique<TThemeServices>(window.Handle());
    services->ThemeChangeNotify = seen.Listen();
    second->ThemeChangeNotify = seen.Listen();
    EXPECT_NE(second->ObjectInstance(), nullptr);
    EXPECT_EQ(second->SavedWindowProc(), TTestWindow::OwnProcedure());

    ::SendMessageA(window.Handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(seen.Changes[services.get()], 1);
    EXPECT_EQ(seen.Changes[second.get()], 1);
    EXPECT_EQ(seen.Count(WM_THEMECHANGED), 1);

    // Whichever goes first, the other keeps its place.
    services.reset();
    ::SendMessageA(window.Handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(seen.Changes[second.get()], 2);
    EXPECT_EQ(seen.Count(WM_THEMECHANGED), 2);
    second.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC)),
              TTestWindow::OwnProcedure());
    window.Destroy();
}

} // namespace
