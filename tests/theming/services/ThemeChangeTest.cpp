// WM_THEMECHANGED: the services re-read the theme state and notify before
// the subclassed window's own procedure sees the message; the single
// instance on the application window and its end at shutdown.

#include "FakeThemeLibrary.h"
#include "platform/forms/Application.h"
#include "platform/rtl/Exceptions.h"
#include "theming/ThemeSrv.h"
#include "theming/UxTheme.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// What happened, in order, while a theme change went through.
class TChangeRecorder : public TObject {
public:
    explicit TChangeRecorder(TThemeServices* services) : Services(services) {}
    void Notified(TObject* sender) {
        Events.push_back(sender == Services ? "notify" : "notify from a stranger");
    }
    void WindowSaw(bool themesInUse) {
        Events.push_back(themesInUse ? "window: themed" : "window: classic");
    }
    void AppHook(TMessage& message, bool& handled) {
        handled = false;
        if (message.Msg == WM_THEMECHANGED)
            WindowSaw(Services->ThemesInUse());
    }
    void Failed(TObject*, const std::exception& e) { Events.push_back(e.what()); }
    void Throw(TObject*) { throw Exception("Themenwechsel fehlgeschlagen"); }

    TThemeServices* Services;
    std::vector<std::string> Events;
};

void ObserveThemeChange(HWND, UINT msg, void* context) {
    auto* recorder = static_cast<TChangeRecorder*>(context);
    if (msg == WM_THEMECHANGED)
        recorder->WindowSaw(recorder->Services->ThemesInUse());
}

class ThemeChange : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(ThemeApiReferenceCount(), 0); }
    TFakeThemeLibrary fake;
};

TEST_F(ThemeChange, StateIsReReadBeforeTheWindowSeesTheMessage) {
    TTestWindow window;
    std::unique_ptr<TThemeServices> services;
    {
        TForcedCommonControls old(5, 81);
        services = std::make_unique<TThemeServices>(window.Handle());
    }
    ASSERT_FALSE(services->ThemesInUse());
    TChangeRecorder recorder(services.get());
    services->ThemeChangeNotify = TNotifyEvent::Of<&TChangeRecorder::Notified>(&recorder);
    window.Observe(&ObserveThemeChange, &recorder);

    TForcedCommonControls six(6, 0);
    ::SendMessageA(window.Handle(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(recorder.Events, (std::vector<std::string>{"notify", "window: themed"}));
    EXPECT_TRUE(services->ControlThemingEnabled());
    window.Destroy();
}

TEST_F(ThemeChange, ExceptionOfTheNotificationStopsAtTheWindowProcedure) {
    TTestWindow window;
    TThemeServices services(window.Handle());
    TChangeRecorder recorder(&services);
    services.ThemeChangeNotify = TNotifyEvent::Of<&TChangeRecorder::Throw>(&recorder);
    window.Observe(&ObserveThemeChange, &recorder);
    const TExceptionEvent previous = Application->OnException;
    Application->OnException = TExceptionEvent::Of<&TChangeRecorder::Failed>(&recorder);
    ::SendMessageA(window.Handle(), WM_THEMECHANGED, 0, 0);
    Application->OnException = previous;
    ASSERT_EQ(recorder.Events.size(), 2u);
    EXPECT_EQ(recorder.Events[0], "Themenwechsel fehlgeschlagen");
    EXPECT_EQ(recorder.Events[1].rfind("window:", 0), 0u) << "the window still gets the message";
}

// Each test gets an instance of its own: the unit is finished and started
// around it.
class ApplicationWindowServices : public ThemeChange {
protected:
    void SetUp() override {
        FinalizeThemeSrv();
        InitializeThemeSrv();
    }
    void TearDown() override {
        FinalizeThemeSrv();
        InitializeThemeSrv();
        ThemeChange::TearDown();
    }
};

TEST_F(ApplicationWindowServices, OneInstanceSubclassesTheApplicationWindow) {
    const auto original =
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(Application->Handle(), GWLP_WNDPROC));
    TThemeServices* services = ThemeServicesInstance();
    ASSERT_NE(services, nullptr);
    EXPECT_EQ(ThemeServicesInstance(), services);
    EXPECT_EQ(services->Window(), Application->Handle());
    EXPECT_EQ(services->SavedWindowProc(), original);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(Application->Handle(), GWLP_WNDPROC)),
              services->ObjectInstance());
    EXPECT_EQ(ThemeApiReferenceCount(), 1);

    FinalizeThemeSrv();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(Application->Handle(), GWLP_WNDPROC)),
              original);
    EXPECT_EQ(ThemeApiReferenceCount(), 0);
    EXPECT_FALSE(TFakeThemeLibrary::Loaded());
    EXPECT_EQ(ThemeServicesInstance(), nullptr) << "not made again after shutdown";
    EXPECT_EQ(fake.Loads, 1);

    InitializeThemeSrv();
    EXPECT_NE(ThemeServicesInstance(), nullptr);
}

TEST_F(ApplicationWindowServices, ApplicationWindowHearsTheChangeAfterTheServices) {
    TThemeServices* services = nullptr;
    {
        TForcedCommonControls old(5, 81);
        services = ThemeServicesInstance();
    }
    ASSERT_FALSE(services->ThemesInUse());
    TChangeRecorder recorder(services);
    services->ThemeChangeNotify = TNotifyEvent::Of<&TChangeRecorder::Notified>(&recorder);
    const TWindowHook hook = TWindowHook::Of<&TChangeRecorder::AppHook>(&recorder);
    Application->HookMainWindow(hook);

    {
        TForcedCommonControls six(6, 0);
        ::SendMessageA(Application->Handle(), WM_THEMECHANGED, 0, 0);
        EXPECT_TRUE(services->ThemesInUse());
    }
    {
        TForcedCommonControls old(5, 81);
        ::SendMessageA(Application->Handle(), WM_THEMECHANGED, 0, 0);
    }
    Application->UnhookMainWindow(hook);
    EXPECT_EQ(recorder.Events,
              (std::vector<std::string>{"notify", "window: themed", "notify", "window: classic"}));
}

} // namespace
