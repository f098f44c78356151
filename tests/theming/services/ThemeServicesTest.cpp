// The theme services against the fake library: the theme state, the cached
// theme handles, the drawing wrappers and the subclassing of its window.

#include "FakeThemeLibrary.h"
#include "platform/controls/WinControl.h"
#include "theming/ThemeSrv.h"
#include "theming/TmSchema.h"
#include "theming/UxTheme.h"

#include <gtest/gtest.h>

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

// A windowed control with a client edge (and both scroll bars), top-level so
// it needs no parent.
class TClientEdgeControl : public TWinControl {
public:
    TClientEdgeControl(bool clientEdge) : TWinControl(nullptr), FClientEdge(clientEdge) {
        SetBounds(0, 0, 120, 80);
    }

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style = WS_POPUP | WS_HSCROLL | WS_VSCROLL;
        if (FClientEdge)
            params.ExStyle |= WS_EX_CLIENTEDGE;
    }

private:
    bool FClientEdge;
};

TEST_F(ThemeServicesWithFake, ClientEdgeBorderDrawsTheEditFrameOverTheWholeWindow) {
    Create();
    TOwnedPtr<TClientEdgeControl> control(new TClientEdgeControl(true));
    control->HandleNeeded();
    RECT window{};
    ::GetWindowRect(control->Handle(), &window);
    TFakeThemeLibrary::Reset();
    services->PaintClientEdgeBorder(control.get(), true);
    const TCalls calls = TFakeThemeLibrary::Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "OpenThemeData edit -> 4096");
    EXPECT_EQ(calls[1], "DrawThemeBackground 4096 1 1 0,0," +
                            std::to_string(window.right - window.left) + "," +
                            std::to_string(window.bottom - window.top) + " none");
}

TEST_F(ThemeServicesWithFake, ClientEdgeBorderNeedsTheClientEdgeAndAWindow) {
    Create();
    TOwnedPtr<TClientEdgeControl> plain(new TClientEdgeControl(false));
    TOwnedPtr<TClientEdgeControl> windowless(new TClientEdgeControl(true));
    plain->HandleNeeded();
    TFakeThemeLibrary::Reset();
    services->PaintClientEdgeBorder(plain.get(), true);
    services->PaintClientEdgeBorder(windowless.get(), true);
    services->PaintClientEdgeBorder(nullptr, true);
    EXPECT_TRUE(TFakeThemeLibrary::Calls().empty());
    EXPECT_FALSE(windowless->HandleAllocated()) << "no window is made for the border";
}

TEST_F(ThemeServicesWithFake, WithoutWindowNothingIsSubclassed) {
    Create(nullptr);
    EXPECT_EQ(services->Window(), nullptr);
    EXPECT_EQ(services->ObjectInstance(), nullptr);
    EXPECT_EQ(services->SavedWindowProc(), nullptr);
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

TEST_F(ThemeServicesWithFake, ASecondObjectLeavesTheWindowToTheFirst) {
    TTestWindow window;
    Create(window.Handle());
    TThemeServices second(window.Handle());
    EXPECT_EQ(second.ObjectInstance(), nullptr);
    EXPECT_EQ(second.Window(), window.Handle());
    EXPECT_TRUE(second.ThemesInUse()) << "it still reads the theme state";
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

// Messages that reach the window's own procedure.
struct TSeen {
    std::vector<UINT> Messages;
};

// A procedure installed on top of the services' one, passing everything on.
WNDPROC Below = nullptr;
LRESULT CALLBACK OnTop(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcA(Below, window, msg, wParam, lParam);
}

TEST_F(ThemeServicesWithFake, LeavingUnderAnotherSubclassKeepsTheChainWhole) {
    TTestWindow window;
    TSeen seen;
    window.Observe([](HWND, UINT msg,
                      void* context) { static_cast<TSeen*>(context)->Messages.push_back(msg); },
                   &seen);
    Create(window.Handle());
    Below = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTop)));
    services.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC)), &OnTop)
        << "the procedure on top stays";
    ::SendMessageA(window.Handle(), WM_USER + 7, 0, 0);
    ASSERT_FALSE(seen.Messages.empty());
    EXPECT_EQ(seen.Messages.back(), WM_USER + 7u) << "messages still reach the window";
    window.Destroy();
}

} // namespace
