// The manager's fix-ups on tool bars: transparency and the mouse capture of
// their buttons; and the tool bar's own behaviour they rely on.

#include "ManagerEnvironment.h"

#include "platform/classes/Properties.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/ToolBar.h"
#include "theming/ThemeMgr.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {
bool CapturesMouse(const TControl* control) {
    return control->ControlStyle().Contains(csCaptureMouse);
}

// The window style, checked against what the tool bar itself reports.
DWORD WindowStyle(TWinControl* control) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(control->Handle(), GWL_STYLE));
    const auto own = static_cast<DWORD>(::SendMessageA(control->Handle(), TB_GETSTYLE, 0, 0));
    constexpr DWORD Looks = TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    EXPECT_EQ(style & Looks, own & Looks) << "the bar missed a style change";
    return style;
}

class ToolBarForm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled()) << "the visual style must be active";
        ASSERT_EQ(ActiveThemeManager, nullptr);
        form = new TForm(Application);
        form->SetBounds(10, 10, 400, 300);
        toolBar = AddToolBar(form);
        normal = AddButton(toolBar, tbsButton);
        check = AddButton(toolBar, tbsCheck);
        divider = AddButton(toolBar, tbsDivider);
        dropDown = AddButton(toolBar, tbsDropDown);
        // A label on the bar is not the walk's business.
        barLabel = new TLabel(form);
        barLabel->SetParent(toolBar);
        form->HandleNeeded();
    }
    void TearDown() override {
        Free(form);
        EXPECT_EQ(ActiveThemeManager, nullptr);
    }

    TToolBar* AddToolBar(TWinControl* parent) {
        auto* bar = new TToolBar(form);
        bar->SetParent(parent);
        bar->SetBounds(0, 0, 300, 29);
        return bar;
    }
    TToolButton* AddButton(TToolBar* bar, TToolButtonStyle style) {
        auto* button = new TToolButton(form);
        button->SetParent(bar);
        button->SetStyle(style);
        button->SetBounds(bar->ControlCount() * 25, 2, 23, 22);
        return button;
    }
    TThemeManager* Manager(TThemeOptions options = DefaultThemeOptions) {
        auto* manager = new TThemeManager(form);
        manager->IncludeState(csLoading);
        manager->SetOptions(options);
        manager->ExcludeState(csLoading);
        manager->Loaded();
        return manager;
    }

    ControlThemes themes{true};
    TForm* form = nullptr;
    TToolBar* toolBar = nullptr;
    TToolButton* normal = nullptr;
    TToolButton* check = nullptr;
    TToolButton* divider = nullptr;
    TToolButton* dropDown = nullptr;
    TLabel* barLabel = nullptr;
};
} // namespace

TEST_F(ToolBarForm, FixUpMakesTheBarTransparentAndResetsCaptureExceptForDropDowns) {
    const HWND window = toolBar->Handle();
    ASSERT_FALSE(toolBar->Transparent());
    for (TToolButton* b : {normal, check, divider, dropDown})
        ASSERT_TRUE(CapturesMouse(b));

    Manager();
    EXPECT_TRUE(toolBar->Transparent());
    EXPECT_EQ(toolBar->Handle(), window) << "the bar keeps its window";
    EXPECT_EQ(WindowStyle(toolBar) & TBSTYLE_TRANSPARENT, DWORD{TBSTYLE_TRANSPARENT});
    EXPECT_EQ(WindowStyle(toolBar) & TBSTYLE_FLAT, DWORD{TBSTYLE_FLAT});
    EXPECT_FALSE(CapturesMouse(normal));
    EXPECT_FALSE(CapturesMouse(check));
    EXPECT_FALSE(CapturesMouse(divider));
    EXPECT_TRUE(CapturesMouse(dropDown));
    EXPECT_TRUE(dropDown->ControlStyle().Contains(csClickEvents)) << "only the capture goes";
    EXPECT_FALSE(barLabel->Transparent()) << "the bar's children are not walked";
}

TEST_F(ToolBarForm, EachOptionDoesOnlyItsOwnFixUp) {
    Manager(DefaultThemeOptions - TThemeOptions{toResetMouseCapture});
    EXPECT_TRUE(toolBar->Transparent());
    EXPECT_TRUE(CapturesMouse(normal));
}

TEST_F(ToolBarForm, WithoutEitherOptionNothingChanges) {
    Manager(DefaultThemeOptions - TThemeOptions{toResetMouseCapture, toSetTransparency});
    EXPECT_FALSE(toolBar->Transparent());
    EXPECT_EQ(WindowStyle(toolBar) & TBSTYLE_TRANSPARENT, DWORD{0});
    for (TToolButton* b : {normal, check, divider, dropDown})
        EXPECT_TRUE(CapturesMouse(b));
}

TEST_F(ToolBarForm, OnlyMouseCaptureResetLeavesTheBarOpaque) {
    Manager(DefaultThemeOptions - TThemeOptions{toSetTransparency});
    EXPECT_FALSE(toolBar->Transparent());
    EXPECT_FALSE(CapturesMouse(normal));
    EXPECT_TRUE(CapturesMouse(dropDown));
}

TEST_F(ToolBarForm, BarInsideAPanelAndOnALateFormIsFixedUpToo) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    TToolBar* nested = AddToolBar(panel);
    TToolButton* nestedButton = AddButton(nested, tbsButton);
    TThemeManager* manager = Manager();
    EXPECT_TRUE(nested->Transparent());
    EXPECT_FALSE(CapturesMouse(nestedButton));

    auto* late = new TForm(Application);
    auto* lateBar = new TToolBar(late);
    lateBar->SetParent(late);
    auto* lateButton = new TToolButton(late);
    lateButton->SetParent(lateBar);
    late->HandleNeeded();
    EXPECT_FALSE(lateBar->Transparent()) << "not before the wake-up";
    PumpMessages();
    EXPECT_EQ(manager->PendingFormCount(), 0);
    EXPECT_TRUE(lateBar->Transparent());
    EXPECT_FALSE(CapturesMouse(lateButton));
    Free(late);
}

TEST(ToolBar, TransparencyTogglesTheWindowStyleInPlace) {
    TForm form(Application);
    TToolBar bar(&form);
    bar.SetParent(&form);
    const HWND window = bar.Handle();
    EXPECT_EQ(WindowStyle(&bar) & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT), DWORD{0});
    bar.SetTransparent(true);
    EXPECT_EQ(WindowStyle(&bar) & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT),
              DWORD{TBSTYLE_FLAT | TBSTYLE_TRANSPARENT});
    bar.SetTransparent(false);
    EXPECT_EQ(WindowStyle(&bar) & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT), DWORD{0});
    EXPECT_EQ(bar.Handle(), window);

    TToolBar early(&form);
    early.SetTransparent(true);
    early.SetParent(&form);
    EXPECT_EQ(WindowStyle(&early) & TBSTYLE_TRANSPARENT, DWORD{TBSTYLE_TRANSPARENT})
        << "a bar made transparent before its window has it from the start";
}

TEST(ToolButton, OnlyACheckButtonStaysDownAndSpacersDoNotClick) {
    TToolButton button(nullptr);
    int clicks = 0;
    struct Counter {
        void Notify(TObject*) { ++*Count; }
        int* Count;
    } counter{&clicks};
    button.OnClick = TNotifyEvent::Of<&Counter::Notify>(&counter);

    button.SetDown(true);
    EXPECT_FALSE(button.Down());
    button.Click();
    EXPECT_FALSE(button.Down());
    EXPECT_EQ(clicks, 1);

    button.SetStyle(tbsCheck);
    button.Click();
    EXPECT_TRUE(button.Down());
    button.Click();
    EXPECT_FALSE(button.Down());
    button.SetDown(true);
    button.SetStyle(tbsDropDown);
    EXPECT_FALSE(button.Down()) << "leaving the check style releases it";
    EXPECT_EQ(clicks, 3);

    for (TToolButtonStyle spacer : {tbsSeparator, tbsDivider}) {
        button.SetStyle(spacer);
        button.Click();
    }
    EXPECT_EQ(clicks, 3);
}

TEST(ToolBar, BothClassesAreRegisteredWithTheirPublishedProperties) {
    const TClassInfo* bar = GetClass("TToolBar");
    const TClassInfo* button = GetClass("TToolButton");
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(button, nullptr);
    ASSERT_NE(bar->Factory(), nullptr);
    ASSERT_NE(button->Factory(), nullptr);
    const TPropInfo* transparent = bar->Properties().Find("Transparent");
    ASSERT_NE(transparent, nullptr);
    EXPECT_EQ(transparent->Default, std::optional<std::int64_t>(0));
    const TPropInfo* style = button->Properties().Find("Style");
    ASSERT_NE(style, nullptr);
    ASSERT_NE(style->Names, nullptr);
    EXPECT_EQ(*style->Names,
              (TEnumNames{"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}));
    EXPECT_EQ(style->Default, std::optional<std::int64_t>(0));
}
