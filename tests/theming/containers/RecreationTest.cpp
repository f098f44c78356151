// Windows made again, by a property setter or by the options broadcast:
// the control and everything inside it stay themed, and their painting
// goes through the handlers afterwards.

#include "ContainersEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/stdctrls/Animate.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/CoolBar.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/RichEdit.h"
#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/TrackBar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {
struct Themed {
    TWinControl* Control;
    TThemedClass Class;
};

class Recreation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        form = new TForm(Application);
        form->SetBounds(10, 10, 500, 400);
        form->SetColor(clWhite);
        form->Show();
        manager = new TThemeManager(form);
        manager->IncludeState(csLoading);
        manager->SetOptions(DefaultThemeOptions + TThemeOptions{toSubclassAnimate});
        manager->ExcludeState(csLoading);
        manager->Loaded();
        PumpMessages();
    }
    void TearDown() override {
        Free(form);
        PumpMessages();
    }
    template <class T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
        return AddControl<T>(form, parent, left, top, width, height);
    }
    // After the change and the messages it posted: every control (the first
    // one made again) is in its list and paints through the manager.
    void ExpectThemedAfter(const char* what, const std::function<void()>& change,
                           const std::vector<Themed>& controls) {
        const HWND before = controls.front().Control->Handle();
        change();
        PumpMessages();
        EXPECT_NE(controls.front().Control->Handle(), before) << what << ": no new window";
        FrameWitness witness(manager);
        ::RedrawWindow(form->Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (const Themed& themed : controls) {
            EXPECT_TRUE(IsListed(manager, themed.Class, themed.Control))
                << what << ": " << themed.Control->ClassName();
            EXPECT_TRUE(witness.Saw(themed.Control, WM_PAINT))
                << what << ": " << themed.Control->ClassName() << " paints unthemed";
        }
        EXPECT_FALSE(manager->IsPendingRecreation(controls.front().Control)) << what;
    }

    ControlThemes themes{true};
    TForm* form = nullptr;
    TThemeManager* manager = nullptr;
};

TEST_F(Recreation, SettersThatMakeTheWindowAgainKeepTheControlAndItsChildrenThemed) {
    auto* panel = Add<TPanel>(form, 10, 10, 200, 120);
    auto* button = Add<TButton>(panel, 10, 10, 80, 24);
    auto* inner = Add<TPanel>(panel, 10, 40, 150, 60);
    auto* innerCheck = Add<TCheckBox>(inner, 5, 5, 100, 20);
    auto* trackBar = Add<TTrackBar>(form, 220, 10, 200, 40);
    auto* checkBox = Add<TCheckBox>(form, 220, 60, 120, 20);
    auto* animate = Add<TAnimate>(form, 220, 90, 80, 40);
    auto* box = Add<TScrollBox>(form, 10, 140, 150, 100);
    auto* boxButton = Add<TButton>(box, 5, 5, 80, 24);
    auto* grid = Add<TDrawGrid>(form, 170, 140, 150, 100);
    auto* edit = Add<TRichEdit>(form, 330, 140, 150, 100);
    PumpMessages();

    ExpectThemedAfter("panel border", [&] { panel->SetBorderStyle(bsSingle); },
                      {{panel, TThemedClass::tcPanel},
                       {button, TThemedClass::tcButton},
                       {inner, TThemedClass::tcPanel},
                       {innerCheck, TThemedClass::tcButton}});
    ExpectThemedAfter("track bar orientation", [&] { trackBar->SetOrientation(trVertical); },
                      {{trackBar, TThemedClass::tcTrackBar}});
    ExpectThemedAfter("track bar ticks", [&] { trackBar->SetTickStyle(tsNone); },
                      {{trackBar, TThemedClass::tcTrackBar}});
    ExpectThemedAfter("track bar tick marks", [&] { trackBar->SetTickMarks(tmBoth); },
                      {{trackBar, TThemedClass::tcTrackBar}});
    ExpectThemedAfter("check box alignment", [&] { checkBox->SetAlignment(taLeftJustify); },
                      {{checkBox, TThemedClass::tcButton}});
    ExpectThemedAfter("animation transparency", [&] { animate->SetTransparent(false); },
                      {{animate, TThemedClass::tcAnimate}});
    ExpectThemedAfter("scroll box border", [&] { box->SetBorderStyle(bsNone); },
                      {{box, TThemedClass::tcWinControl}, {boxButton, TThemedClass::tcButton}});
    ExpectThemedAfter("grid scroll bars", [&] { grid->SetScrollBars(ssVertical); },
                      {{grid, TThemedClass::tcWinControl}});
    ExpectThemedAfter("rich edit scroll bars", [&] { edit->SetScrollBars(ssBoth); },
                      {{edit, TThemedClass::tcWinControl}});
}

TEST_F(Recreation, FormMadeAgainByItsBorderSettingsStaysThemedWithItsControls) {
    auto* panel = Add<TPanel>(form, 10, 10, 200, 120);
    auto* button = Add<TButton>(panel, 10, 10, 80, 24);
    auto* checkBox = Add<TCheckBox>(form, 220, 60, 120, 20);
    PumpMessages();
    const std::vector<Themed> controls = {{form, TThemedClass::tcForm},
                                          {panel, TThemedClass::tcPanel},
                                          {button, TThemedClass::tcButton},
                                          {checkBox, TThemedClass::tcButton}};
    ExpectThemedAfter(
        "form border", [&] { form->SetBorderStyle(bsSingle); }, controls);
    ExpectThemedAfter(
        "form icons", [&] { form->SetBorderIcons(TBorderIcons{biSystemMenu}); }, controls);
}

TEST_F(Recreation, OptionsBroadcastRecreatesListViewsAndCoolBarsAndKeepsThemThemed) {
    auto* listView = Add<TListView>(form, 10, 10, 200, 100);
    auto* coolBar = Add<TCoolBar>(form, 10, 120, 300, 60);
    auto* band = Add<TButton>(coolBar, 0, 0, 80, 24);
    auto* panel = Add<TPanel>(form, 10, 200, 100, 50);
    PumpMessages(); // the list view comes back from its first recreation
    ASSERT_TRUE(IsListed(manager, TThemedClass::tcListView, listView));
    ASSERT_TRUE(IsListed(manager, TThemedClass::tcWinControl, coolBar));
    const HWND listViewBefore = listView->Handle();
    const HWND panelBefore = panel->Handle();

    ExpectThemedAfter(
        "options",
        [&] { manager->SetOptions(manager->Options() - TThemeOptions{toSubclassSplitter}); },
        {{coolBar, TThemedClass::tcWinControl},
         {band, TThemedClass::tcButton},
         {listView, TThemedClass::tcListView}});
    EXPECT_NE(listView->Handle(), listViewBefore);
    EXPECT_EQ(panel->Handle(), panelBefore) << "other controls keep their windows";
    EXPECT_EQ(::SendMessageA(coolBar->Handle(), RB_GETBANDCOUNT, 0, 0), 1);
    EXPECT_EQ(::GetParent(band->Handle()), coolBar->Handle());
}
} // namespace
