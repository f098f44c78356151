// The message cases of the container handlers: which messages they take,
// what they answer, and that everything else goes on to the control.

#include "ContainersEnvironment.h"

#include "platform/classes/Properties.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Frames.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/ScrollBox.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"
#include "theming/ThemedContainers.h"
#include "theming/UxTheme.h"
#include "tests/support/ProcedureHook.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {
// An animation stand-in: the handler reads Transparent by name.
class TFakeAnimate : public TWinControl {
    TESSARO_CLASS(TFakeAnimate, TWinControl)
public:
    explicit TFakeAnimate(TComponent* owner) : TWinControl(owner) {}
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }

private:
    bool FTransparent = false;
};
} // namespace

const TClassInfo& TFakeAnimate::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TFakeAnimate>("TAnimate", [](TPropertyTable& t) {
        TPropertyBuilder<TFakeAnimate> p(t);
        p.Boolean("Transparent", &TFakeAnimate::Transparent, &TFakeAnimate::SetTransparent, false);
    });
    return info;
}

namespace {
bool Listed(const TThemeManager* manager, TThemedClass cls, TControl* control) {
    int index = -1;
    return manager->List(cls).FindSubclassedControl(control, index);
}

class ContainerHandlers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        form = new TForm(Application);
        form->SetBounds(10, 10, 300, 200);
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 120, 60);
        form->HandleNeeded();
        manager = new TThemeManager(form);
        manager->Loaded();
        ASSERT_EQ(ActiveThemeManager, manager);
    }
    void TearDown() override { Free(form); }

    ControlThemes themes{true};
    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TThemeManager* manager = nullptr;
};

TEST_F(ContainerHandlers, ListViewColumnWithoutImageLosesTheImageFlag) {
    for (UINT msg : {static_cast<UINT>(LVM_INSERTCOLUMNA), static_cast<UINT>(LVM_SETCOLUMNA)}) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_IMAGE;
        column.iImage = -1;
        TMessage message{msg, 0, reinterpret_cast<LPARAM>(&column), 0};
        EXPECT_FALSE(ListViewWindowProc(*manager, panel, message)) << "goes on to the control";
        EXPECT_EQ(column.mask, static_cast<UINT>(LVCF_TEXT));
    }
}

TEST_F(ContainerHandlers, ListViewColumnWithImageKeepsItsFlags) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_IMAGE;
    column.iImage = 0;
    TMessage message{LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column), 0};
    EXPECT_FALSE(ListViewWindowProc(*manager, panel, message));
    EXPECT_EQ(column.mask, static_cast<UINT>(LVCF_TEXT | LVCF_IMAGE));
}

TEST_F(ContainerHandlers, NullPointerParametersArePassedOnUntouched) {
    for (UINT msg : {static_cast<UINT>(LVM_INSERTCOLUMNA), static_cast<UINT>(LVM_SETCOLUMNA),
                     static_cast<UINT>(WM_NOTIFY)}) {
        TMessage message{msg, 0, 0, 9};
        EXPECT_FALSE(ListViewWindowProc(*manager, panel, message));
        EXPECT_EQ(message.Result, 9);
    }
    TMessage notify{CN_NOTIFY, 0, 0, 9};
    EXPECT_FALSE(TrackBarWindowProc(*manager, panel, notify));
    EXPECT_EQ(notify.Result, 9);
}

TEST_F(ContainerHandlers, ListViewSwallowsOnlyTheWideHeaderTextRequest) {
    NMHDR header{};
    header.code = static_cast<UINT>(HDN_GETDISPINFOW);
    TMessage message{WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header), 5};
    EXPECT_TRUE(ListViewWindowProc(*manager, panel, message));
    EXPECT_EQ(message.Result, 5) << "Result stays as it was";
    header.code = static_cast<UINT>(HDN_GETDISPINFOA);
    EXPECT_FALSE(ListViewWindowProc(*manager, panel, message));
    TMessage other{WM_SIZE, 0, 0, 0};
    EXPECT_FALSE(ListViewWindowProc(*manager, panel, other));
}

TEST_F(ContainerHandlers, StatusBarWidensTheRedrawOnlyForValidRectangles) {
    // The panel is not in the status-bar list: the saved procedure is
    // skipped and Result shows what the handler itself did.
    TMessage calc{WM_NCCALCSIZE, 0, 0, 0x10};
    EXPECT_TRUE(StatusBarWindowProc(*manager, panel, calc));
    EXPECT_EQ(calc.Result, 0x10) << "WParam 0 leaves Result alone";
    calc.WParam = 1;
    EXPECT_TRUE(StatusBarWindowProc(*manager, panel, calc));
    EXPECT_EQ(calc.Result, 0x310);
    TMessage size{WM_SIZE, 0, 0, 0};
    EXPECT_FALSE(StatusBarWindowProc(*manager, panel, size));
}

TEST_F(ContainerHandlers, StatusBarBackgroundIsTheThemedElement) {
    SentinelBitmap bitmap(120, 60);
    TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0, 0};
    EXPECT_TRUE(StatusBarWindowProc(*manager, panel, erase));
    EXPECT_EQ(erase.Result, 1);
    EXPECT_NE(bitmap.Pixel(60, 30), Sentinel);
}

TEST_F(ContainerHandlers, AnimationAnswersWithTheSystemBrushOnlyWhenTransparent) {
    auto* animate = new TFakeAnimate(form);
    animate->SetParent(form);
    animate->SetColor(clBtnFace);
    TMessage color{CN_CTLCOLORSTATIC, 0, 0, 3};
    EXPECT_FALSE(AnimateWindowProc(*manager, animate, color)) << "opaque: the control answers";
    EXPECT_EQ(color.Result, 3);
    animate->SetTransparent(true);
    EXPECT_TRUE(AnimateWindowProc(*manager, animate, color));
    EXPECT_EQ(color.Result, reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE)));
    TMessage erase{WM_ERASEBKGND, 0, 0, 0};
    EXPECT_TRUE(AnimateWindowProc(*manager, animate, erase));
    EXPECT_EQ(erase.Result, 1);
}

TEST_F(ContainerHandlers, TopLevelFormErasesThroughItsOwnProcedureAndAnswersOne) {
    SentinelBitmap bitmap(40, 40);
    const LRESULT result = form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(bitmap.Pixel(20, 20), ColorToRGB(form->Color())) << "the form's own brush";
}

TEST_F(ContainerHandlers, FormSubclassesControlsAddedLaterAndReleasesRemovedOnes) {
    ASSERT_TRUE(Listed(manager, TThemedClass::tcForm, form));
    auto* button = new TButton(form);
    button->SetParent(form);
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));
    const TWndMethod themed = button->WindowProc;
    button->SetParent(nullptr);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcButton, button));
    EXPECT_FALSE(button->WindowProc == themed);
    Free(button);
}

TEST_F(ContainerHandlers, FormFeedsTheSubclassingAlsoWhenThemesAreOff) {
    ControlThemes off(false);
    auto* lateList = new TListView(form);
    lateList->SetParent(form);
    auto* panelLate = new TPanel(form);
    panelLate->SetParent(form);
    // Unthemed, only list views are taken: the form's message still reached
    // the subclassing, which took the one and left the other.
    EXPECT_TRUE(Listed(manager, TThemedClass::tcListView, lateList));
    EXPECT_FALSE(Listed(manager, TThemedClass::tcPanel, panelLate));
    lateList->SetParent(nullptr);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcListView, lateList));
    Free(lateList);
}

struct ControlListTaker {
    void Receive(TThemeManager*, TControl*, TMessage& message, bool& handled) {
        if (message.Msg == CM_CONTROLLISTCHANGE)
            handled = true;
    }
};

TEST_F(ContainerHandlers, FormFeedsTheSubclassingBeforeOnControlMessage) {
    ControlListTaker taker;
    manager->OnControlMessage = TControlMessageEvent::Of<&ControlListTaker::Receive>(&taker);
    auto* button = new TButton(form);
    button->SetParent(form);
    manager->OnControlMessage = {};
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));
}

TEST_F(ContainerHandlers, ControlListChangeReachesTheSubclassingOnlyWithAControl) {
    auto* button = new TButton(form);
    button->SetParent(form);
    ASSERT_TRUE(Listed(manager, TThemedClass::tcButton, button));
    const int listed = manager->List(TThemedClass::tcButton).Count();
    // Without a control the message changes nothing, whichever way it says.
    form->Perform(CM_CONTROLLISTCHANGE, 0, 0);
    form->Perform(CM_CONTROLLISTCHANGE, 0, 1);
    EXPECT_EQ(manager->List(TThemedClass::tcButton).Count(), listed);
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));
    // With one it is the same as the control leaving or coming.
    form->Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(button), 0);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcButton, button));
    form->Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(button), 1);
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));
}

TEST_F(ContainerHandlers, PanelOfItsOwnColourIsNeverThemed) {
    panel->SetParentColor(false);
    panel->SetColor(clRed);
    for (UINT msg : {static_cast<UINT>(WM_ERASEBKGND), static_cast<UINT>(WM_PRINTCLIENT),
                     static_cast<UINT>(WM_NCPAINT)}) {
        TMessage message{msg, 0, 0, 0};
        EXPECT_FALSE(PanelWindowProc(*manager, panel, message)) << msg;
    }
}

TEST_F(ContainerHandlers, PanelOfItsParentsColourIsThemedEvenWhenThemesAreOff) {
    ASSERT_EQ(panel->Color(), form->Color());
    ControlThemes off(false);
    SentinelBitmap bitmap(120, 60);
    TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0, 0};
    EXPECT_TRUE(PanelWindowProc(*manager, panel, erase));
    EXPECT_EQ(erase.Result, 1);
    panel->SetColor(clRed);
    EXPECT_FALSE(PanelWindowProc(*manager, panel, erase)) << "another colour needs theming on";
}

TEST_F(ContainerHandlers, UnthemedFramePassesTheContainersMessagesOn) {
    // Through the manager's frame: with themes off the cases of a themed
    // handler never run, so the panel's own procedure paints.
    auto* groupBox = new TGroupBox(form);
    groupBox->SetParent(form);
    groupBox->SetBounds(150, 10, 100, 60);
    ASSERT_TRUE(Listed(manager, TThemedClass::tcGroupBox, groupBox));
    groupBox->SetColor(clRed);
    ControlThemes off(false);
    SentinelBitmap bitmap(100, 60);
    TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0, 0};
    manager->HandleThemedMessage(TThemedClass::tcGroupBox, groupBox, erase);
    EXPECT_EQ(erase.Result, 1);
    EXPECT_EQ(bitmap.Pixel(50, 30), RGB(255, 0, 0)) << "the group box's own brush";
}

TEST_F(ContainerHandlers, HandlersLeaveOtherMessagesToTheControl) {
    auto* groupBox = new TGroupBox(form);
    auto* frame = new TFrame(form);
    auto* pages = new TPageControl(form);
    auto* sheet = new TTabSheet(form);
    auto* box = new TScrollBox(form);
    for (TWinControl* control :
         {static_cast<TWinControl*>(groupBox), static_cast<TWinControl*>(frame),
          static_cast<TWinControl*>(pages), static_cast<TWinControl*>(box)})
        control->SetParent(form);
    sheet->SetPageControl(pages);
    Free(manager);
    const std::vector<TWinControl*> controls = {groupBox, frame, sheet, box};
    // Below the manager's stubs: what reaches the controls' own procedures.
    std::vector<std::unique_ptr<TProcedureHook>> own;
    for (TWinControl* control : controls)
        own.push_back(std::make_unique<TProcedureHook>(control));
    manager = new TThemeManager(form);
    manager->Loaded();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcGroupBox, groupBox));
    ASSERT_TRUE(Listed(manager, TThemedClass::tcFrame, frame));
    ASSERT_TRUE(Listed(manager, TThemedClass::tcTabSheet, sheet));
    ASSERT_TRUE(Listed(manager, TThemedClass::tcWinControl, box));
    struct CueCounter {
        void Receive(TThemeManager*, TControl* control, TMessage& message, bool&) {
            if (control == Form && message.Msg == WM_CHANGEUISTATE)
                ++Count;
        }
        TControl* Form;
        int Count = 0;
    } cues{form};
    manager->OnControlMessage = TControlMessageEvent::Of<&CueCounter::Receive>(&cues);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const HWND window = controls[i]->Handle();
        ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        ::SendMessageA(window, WM_KEYDOWN, VK_TAB, 0);
        ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Neu"));
        const std::string name = controls[i]->ClassName();
        EXPECT_EQ(own[i]->Count(WM_MOUSEMOVE), 1) << name;
        EXPECT_EQ(own[i]->Count(WM_KEYDOWN), 1) << name;
        EXPECT_EQ(own[i]->Count(WM_SETTEXT), 1) << name;
    }
    EXPECT_EQ(cues.Count, 2) << "the group box and the scroll box show the focus cues";
    manager->OnControlMessage = {};
    Free(manager);
    manager = nullptr;
    own.clear();
}

TEST_F(ContainerHandlers, HandlersNeverRemakeTheServicesAfterShutdown) {
    FinalizeThemeSrv();
    ASSERT_EQ(ThemeServicesInstance(), nullptr);
    SentinelBitmap bitmap(120, 60);
    const WPARAM dc = reinterpret_cast<WPARAM>(bitmap.DC());
    TMessage erase{WM_ERASEBKGND, dc, 0, 0};
    EXPECT_TRUE(PanelWindowProc(*manager, panel, erase)) << "parent colour: themed path";
    TMessage print{WM_PRINTCLIENT, dc, 0, 0};
    EXPECT_TRUE(PanelWindowProc(*manager, panel, print));
    TMessage tab{WM_ERASEBKGND, dc, 0, 0};
    EXPECT_FALSE(TabSheetWindowProc(*manager, panel, tab));
    TMessage status{WM_ERASEBKGND, dc, 0, 0};
    EXPECT_TRUE(StatusBarWindowProc(*manager, panel, status));
    EXPECT_EQ(ThemeServicesInstance(), nullptr);
    InitializeThemeSrv();
    ASSERT_NE(ThemeServicesInstance(), nullptr);
}
} // namespace
