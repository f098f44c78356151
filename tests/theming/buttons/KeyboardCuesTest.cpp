// Keyboard cues: Tab and arrows show focus rectangles, Alt shows the
// accelerators and repaints every static text of the form.

#include "ButtonsEnvironment.h"

#include "platform/classes/Properties.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Panels.h"
#include "theming/ThemedButtons.h"
#include "tests/support/ProcedureHook.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
// A windowed control of the static-text class name.
class TFakeStaticText : public TWinControl {
    TESSARO_CLASS(TFakeStaticText, TWinControl)
public:
    explicit TFakeStaticText(TComponent* owner) : TWinControl(owner) {}
};
} // namespace

const TClassInfo& TFakeStaticText::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TFakeStaticText>("TCustomStaticText");
    return info;
}

namespace {
// The UI-state changes the form receives.
struct CueRecorder {
    void Receive(TThemeManager*, TControl* control, TMessage& message, bool&) {
        if (control == Form && message.Msg == WM_CHANGEUISTATE)
            Changes.push_back(message.WParam);
    }
    TControl* Form = nullptr;
    std::vector<WPARAM> Changes;
};

constexpr WPARAM ShowFocus = MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS);
constexpr WPARAM ShowAccelerators = MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL);

class KeyboardCues : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        button = f.Add<TButton>(10, 10, 75, 25);
        panel = f.Add<TPanel>(10, 50, 200, 100);
        text = f.Add<TFakeStaticText>(5, 5, 60, 20, panel);
        other = f.Add<TFakeStaticText>(100, 10, 60, 20);
        f.Manage();
        cues.Form = f.Form;
        f.Manager->OnControlMessage = TControlMessageEvent::Of<&CueRecorder::Receive>(&cues);
        ValidateTexts();
    }
    std::vector<WPARAM> Cues() { return std::exchange(cues.Changes, {}); }
    void ValidateTexts() {
        PumpMessages();
        ::ValidateRect(text->Handle(), nullptr);
        ::ValidateRect(other->Handle(), nullptr);
    }
    static bool Invalid(TWinControl* control) {
        RECT r{};
        return ::GetUpdateRect(control->Handle(), &r, FALSE);
    }
    void Key(UINT msg, WORD key) {
        TMessage message{msg, key, 0, 0};
        button->WindowProc(message);
    }

    ThemedButtonForm f;
    TButton* button = nullptr;
    TPanel* panel = nullptr;
    TFakeStaticText* text = nullptr;
    TFakeStaticText* other = nullptr;
    CueRecorder cues;
};
} // namespace

TEST_F(KeyboardCues, TabAndArrowsShowTheFocusRectangles) {
    for (WORD key : {WORD(VK_TAB), WORD(VK_LEFT), WORD(VK_UP), WORD(VK_RIGHT), WORD(VK_DOWN)}) {
        Key(WM_KEYDOWN, key);
        EXPECT_EQ(Cues(), std::vector<WPARAM>{ShowFocus}) << key;
        EXPECT_FALSE(Invalid(text)) << key;
    }
    Key(CN_KEYDOWN, VK_TAB);
    EXPECT_EQ(Cues(), std::vector<WPARAM>{ShowFocus});
    Key(WM_SYSKEYDOWN, VK_DOWN);
    EXPECT_EQ(Cues(), std::vector<WPARAM>{ShowFocus});
}

TEST_F(KeyboardCues, AltShowsTheAcceleratorsAndRepaintsStaticTexts) {
    Key(WM_SYSKEYDOWN, VK_MENU);
    EXPECT_EQ(Cues(), std::vector<WPARAM>{ShowAccelerators});
    EXPECT_TRUE(Invalid(text)) << "inside a panel";
    EXPECT_TRUE(Invalid(other));
    EXPECT_FALSE(Invalid(panel)) << "only static texts";
}

TEST_F(KeyboardCues, OtherKeysChangeNothing) {
    for (WORD key : {WORD('A'), WORD(VK_RETURN), WORD(VK_SPACE), WORD(VK_HOME), WORD(VK_SHIFT)}) {
        Key(WM_KEYDOWN, key);
        EXPECT_TRUE(Cues().empty()) << key;
        EXPECT_FALSE(Invalid(text)) << key;
    }
}

TEST_F(KeyboardCues, UnthemedNoCuesAreShown) {
    SetControlThemes(false);
    Key(WM_SYSKEYDOWN, VK_MENU);
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_TRUE(Cues().empty());
    EXPECT_FALSE(Invalid(text));
}

namespace {
// A top-level window that is not a form, with a button on it.
class TLooseHost : public TWinControl {
public:
    TLooseHost() : TWinControl(nullptr) { SetBounds(0, 0, 200, 100); }

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style = WS_POPUP;
    }
};

} // namespace

TEST_F(KeyboardCues, ButtonOutsideAnyFormShowsNoCuesAnywhere) {
    TOwnedPtr<TLooseHost> host(new TLooseHost);
    auto* loose = new TButton(host.get());
    loose->SetParent(host.get());
    f.Manager->UpdateControlSubclassing(loose, true);
    int index = -1;
    ASSERT_TRUE(f.Manager->List(TThemedClass::tcButton).FindSubclassedControl(loose, index));
    TProcedureHook hostState(host.get());
    for (auto [msg, key] : {std::pair<UINT, WORD>{WM_SYSKEYDOWN, VK_MENU}, {WM_KEYDOWN, VK_TAB}})
        ::SendMessageA(loose->Handle(), msg, key, 0);
    EXPECT_EQ(hostState.Count(WM_CHANGEUISTATE), 0) << "the top window is no form";
    EXPECT_TRUE(Cues().empty()) << "nor is the form of another control asked";
    Key(WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(Cues(), std::vector<WPARAM>{ShowFocus}) << "while a button on a form still does";
}
