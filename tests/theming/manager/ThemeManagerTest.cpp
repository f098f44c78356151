// The theme manager on real windows: which controls it subclasses, how it
// restores them, late forms, the hand-over between managers and its events.

#include "ManagerEnvironment.h"

#include "platform/classes/Properties.h"
#include "platform/controls/GraphicControl.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/rtl/AssertionFailed.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/TrackBar.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemeSrv.h"
#include "tests/support/ProcedureHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace {
// A control without a window, of the class name the speed-button list takes.
class TWindowlessButton : public TGraphicControl {
    TESSARO_CLASS(TWindowlessButton, TGraphicControl)
public:
    explicit TWindowlessButton(TComponent* owner) : TGraphicControl(owner) {}
};
} // namespace

const TClassInfo& TWindowlessButton::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TWindowlessButton>("TSpeedButton");
    return info;
}

namespace {
bool Listed(const TThemeManager* manager, TThemedClass cls, TControl* control) {
    int index = -1;
    return manager->List(cls).FindSubclassedControl(control, index);
}

int ListedTotal(const TThemeManager* manager) {
    int total = 0;
    for (int i = 0; i < ThemedClassCount; ++i)
        total += manager->List(static_cast<TThemedClass>(i)).Count();
    return total;
}

struct Counter {
    void Notify(TObject*) { ++Count; }
    int Count = 0;
};

struct Refuser {
    void Allow(TThemeManager*, TControl* control, bool& allow) {
        if (control == Refused)
            allow = false;
    }
    TControl* Refused = nullptr;
};

struct Listener {
    void Receive(TThemeManager*, TControl*, TMessage& message, bool& handled) {
        ++Calls;
        if (Raise)
            throw std::runtime_error("listener");
        if (message.Msg == Takes) {
            message.Result = 7;
            handled = true;
        }
    }
    TControlMessageEvent Event() { return TControlMessageEvent::Of<&Listener::Receive>(this); }
    int Calls = 0;
    bool Raise = false;
    UINT Takes = 0;
};

class ThemedForm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled()) << "the visual style must be active";
        ASSERT_EQ(ActiveThemeManager, nullptr);
        form = new TForm(Application);
        form->SetBounds(10, 10, 400, 300);
        button = Add<TButton>(form);
        button->OnClick = TNotifyEvent::Of<&Counter::Notify>(&clicks);
        radio = Add<TRadioButton>(form);
        trackBar = Add<TTrackBar>(form);
        label = Add<TLabel>(form);
        panel = Add<TPanel>(form);
        checkBox = Add<TCheckBox>(panel);
        innerPanel = Add<TPanel>(panel);
        innerButton = Add<TButton>(innerPanel);
        groupBox = Add<TGroupBox>(form);
        form->HandleNeeded();
        // How many clicks one BM_CLICK gives without a manager.
        ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
        clicksPerPress = clicks.Count;
        clicks.Count = 0;
        ASSERT_GT(clicksPerPress, 0);
    }
    void TearDown() override {
        Free(form);
        EXPECT_EQ(ActiveThemeManager, nullptr);
    }

    template <class T> T* Add(TWinControl* parent) {
        auto* control = new T(form);
        control->SetParent(parent);
        control->SetBounds(static_cast<int>(all.size()) * 5, 5, 60, 20);
        all.push_back(control);
        return control;
    }
    // A manager on the form, loaded as the form reader would load it.
    TThemeManager* Manager(TComponent* owner = nullptr) {
        auto* manager = new TThemeManager(owner ? owner : form);
        manager->Loaded();
        return manager;
    }
    std::map<TControl*, TWndMethod> Procedures() const {
        std::map<TControl*, TWndMethod> procs{{form, form->WindowProc}};
        for (TControl* c : all)
            procs[c] = c->WindowProc;
        return procs;
    }

    ControlThemes themes{true};
    Counter clicks;
    int clicksPerPress = 0;
    TForm* form = nullptr;
    TButton* button = nullptr;
    TRadioButton* radio = nullptr;
    TTrackBar* trackBar = nullptr;
    TLabel* label = nullptr;
    TPanel* panel = nullptr;
    TCheckBox* checkBox = nullptr;
    TPanel* innerPanel = nullptr;
    TButton* innerButton = nullptr;
    TGroupBox* groupBox = nullptr;
    std::vector<TControl*> all;
};
} // namespace

TEST_F(ThemedForm, SubclassesEachControlInTheListOfItsClass) {
    TThemeManager* manager = Manager();
    EXPECT_EQ(ActiveThemeManager, manager);
    EXPECT_FALSE(manager->Passive());
    EXPECT_TRUE(manager->AppHookInstalled());
    EXPECT_TRUE(Listed(manager, TThemedClass::tcForm, form));
    for (TControl* c : {static_cast<TControl*>(button), static_cast<TControl*>(radio),
                        static_cast<TControl*>(checkBox), static_cast<TControl*>(innerButton)})
        EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, c)) << c->ClassName();
    EXPECT_TRUE(Listed(manager, TThemedClass::tcTrackBar, trackBar));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcPanel, panel));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcPanel, innerPanel));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcGroupBox, groupBox));
    EXPECT_EQ(ListedTotal(manager), 9) << "the label has no list";

    // Messages still reach the controls' own procedures.
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, clicksPerPress);
    ::SendMessageA(radio->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(radio->Checked());
}

TEST_F(ThemedForm, OptionsChooseTheClassesThatAreSubclassed) {
    auto* manager = new TThemeManager(form);
    manager->IncludeState(csLoading);
    manager->SetOptions(DefaultThemeOptions - TThemeOptions{toSubclassTrackBar, toSubclassButtons});
    manager->ExcludeState(csLoading);
    manager->Loaded();
    EXPECT_EQ(manager->List(TThemedClass::tcButton).Count(), 0);
    EXPECT_EQ(manager->List(TThemedClass::tcTrackBar).Count(), 0);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcWinControl, trackBar))
        << "an excluded class does not fall through to the general list";
    EXPECT_TRUE(Listed(manager, TThemedClass::tcPanel, panel));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcForm, form));
}

TEST_F(ThemedForm, FreeingTheManagerRestoresEveryProcedure) {
    const auto before = Procedures();
    TThemeManager* manager = Manager();
    EXPECT_FALSE(button->WindowProc == before.at(button));
    Free(manager);
    EXPECT_EQ(ActiveThemeManager, nullptr);
    for (const auto& [control, proc] : before)
        EXPECT_TRUE(control->WindowProc == proc) << control->ClassName();
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, clicksPerPress);
}

TEST_F(ThemedForm, DestroyingTheFormEmptiesEveryList) {
    TComponent holder(nullptr);
    TThemeManager* manager = Manager(&holder);
    EXPECT_GT(ListedTotal(manager), 0);
    FreeAndNil(form);
    EXPECT_EQ(ListedTotal(manager), 0);
    Free(manager);
}

TEST_F(ThemedForm, ClearingThePanelListRestoresTheChildrenToo) {
    const auto before = Procedures();
    TThemeManager* manager = Manager();
    manager->List(TThemedClass::tcPanel).Clear();
    for (TControl* c : {static_cast<TControl*>(panel), static_cast<TControl*>(checkBox),
                        static_cast<TControl*>(innerPanel), static_cast<TControl*>(innerButton)})
        EXPECT_TRUE(c->WindowProc == before.at(c)) << c->ClassName();
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));
    EXPECT_EQ(manager->List(TThemedClass::tcButton).Count(), 2);
}

TEST_F(ThemedForm, RecreatedPanelStaysSubclassedAndItsChildrenComeBack) {
    TThemeManager* manager = Manager();
    HWND old = panel->Handle();
    panel->Perform(CM_RECREATEWND, 0, 0);
    EXPECT_NE(panel->Handle(), old);
    EXPECT_TRUE(Listed(manager, TThemedClass::tcPanel, panel));
    EXPECT_TRUE(manager->IsPendingRecreation(panel));
    EXPECT_FALSE(Listed(manager, TThemedClass::tcButton, checkBox));

    ::PostMessageA(Application->Handle(), WM_NULL, 0, 0);
    PumpMessages();
    EXPECT_FALSE(manager->IsPendingRecreation(panel));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, checkBox));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, innerButton));
}

TEST_F(ThemedForm, FormCreatedLaterIsThemedAfterThePostedWakeUp) {
    TThemeManager* manager = Manager();
    auto* late = new TForm(Application);
    auto* lateButton = new TButton(late);
    lateButton->SetParent(late);
    EXPECT_EQ(manager->PendingFormCount(), 1);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcForm, late));
    late->HandleNeeded();
    PumpMessages();
    EXPECT_EQ(manager->PendingFormCount(), 0);
    EXPECT_TRUE(Listed(manager, TThemedClass::tcForm, late));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, lateButton));
    Free(late);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcForm, late));
    EXPECT_FALSE(Listed(manager, TThemedClass::tcButton, lateButton));
}

TEST_F(ThemedForm, LateFormFreedBeforeTheWakeUpIsForgotten) {
    TThemeManager* manager = Manager();
    auto* late = new TForm(Application);
    EXPECT_EQ(manager->PendingFormCount(), 1);
    Free(late);
    EXPECT_EQ(manager->PendingFormCount(), 0);
    PumpMessages();
}

TEST_F(ThemedForm, SecondManagerIsPassiveAndTakesOverWhenTheFirstGoes) {
    TThemeManager* first = Manager();
    const TThemeOptions changed = DefaultThemeOptions - TThemeOptions{toSubclassPanel};
    first->SetOptions(changed);
    auto* second = new TThemeManager(form);
    second->Loaded();
    EXPECT_TRUE(second->Passive());
    EXPECT_EQ(ActiveThemeManager, first);
    EXPECT_EQ(second->Options(), changed);
    EXPECT_EQ(ListedTotal(second), 0);

    second->SetOptions(DefaultThemeOptions);
    EXPECT_EQ(first->Options(), DefaultThemeOptions) << "a passive manager forwards its options";

    Free(first);
    EXPECT_EQ(ActiveThemeManager, second);
    EXPECT_FALSE(second->Passive());
    EXPECT_TRUE(Listed(second, TThemedClass::tcForm, form));
    EXPECT_TRUE(Listed(second, TThemedClass::tcButton, button));
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, clicksPerPress);
}

TEST_F(ThemedForm, PassiveManagerForwardsLateFormsToTheActiveOne) {
    TThemeManager* first = Manager();
    TThemeManager* second = Manager();
    ASSERT_TRUE(second->Passive());
    PumpMessages();
    // Both hear the insert; only the active one queues it.
    auto* late = new TForm(Application);
    EXPECT_EQ(first->PendingFormCount(), 1);
    EXPECT_EQ(second->PendingFormCount(), 0);
    Free(late);
}

TEST_F(ThemedForm, BecomingActiveClearsEveryListOfThePreviousManagerEvenUnthemed) {
    const auto before = Procedures();
    TThemeManager* first = Manager();
    TThemeManager* second = Manager();
    {
        ControlThemes off(false);
        ASSERT_FALSE(IsControlThemingEnabled());
        second->BecomeActiveManager();
        EXPECT_EQ(ListedTotal(first), 0);
        EXPECT_TRUE(first->Passive());
        EXPECT_TRUE(Listed(second, TThemedClass::tcForm, form));
        EXPECT_EQ(ListedTotal(second), 1) << "unthemed, only forms are subclassed";
        // The form's saved procedure is its own, not the old manager's stub.
        EXPECT_EQ(form->Perform(WM_GETTEXTLENGTH, 0, 0), 0);
        Free(second);
        // The passive one takes over again.
        EXPECT_EQ(ActiveThemeManager, first);
        EXPECT_TRUE(Listed(first, TThemedClass::tcForm, form));
        Free(first);
    }
    for (const auto& [control, proc] : before)
        EXPECT_TRUE(control->WindowProc == proc) << control->ClassName();
}

TEST_F(ThemedForm, OwnerlessFormFreedWithoutAWindowLeavesTheFormList) {
    TThemeManager* manager = Manager();
    auto* loose = new TForm(nullptr);
    manager->CollectForms();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcForm, loose));
    ASSERT_FALSE(loose->HandleAllocated());
    Free(loose);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcForm, loose));
    EXPECT_EQ(manager->List(TThemedClass::tcForm).Count(), 1);
    Free(manager);
    EXPECT_EQ(ActiveThemeManager, nullptr);
}

TEST_F(ThemedForm, ComponentAnnouncedAsAFormAndFreedBeforeTheWakeUpIsForgotten) {
    TThemeManager* manager = Manager();
    PumpMessages();
    // Announced from its base constructor: it might still become a form.
    auto* component = new TComponent(Application);
    EXPECT_EQ(manager->PendingFormCount(), 1);
    Free(component);
    EXPECT_EQ(manager->PendingFormCount(), 0);
    PumpMessages();
    EXPECT_EQ(manager->List(TThemedClass::tcForm).Count(), 1);
}

TEST_F(ThemedForm, LateFormGoesOnlyToTheManagerThatBecameActive) {
    TThemeManager* first = Manager();
    TThemeManager* second = Manager();
    PumpMessages();
    // One form queued before the hand-over, one after.
    auto* before = new TForm(Application);
    ASSERT_EQ(first->PendingFormCount(), 1);
    second->BecomeActiveManager();
    auto* after = new TForm(Application);
    before->HandleNeeded();
    after->HandleNeeded();
    PumpMessages();
    for (TForm* late : {before, after}) {
        EXPECT_TRUE(Listed(second, TThemedClass::tcForm, late));
        EXPECT_FALSE(Listed(first, TThemedClass::tcForm, late)) << "a passive manager takes none";
    }
    EXPECT_EQ(first->PendingFormCount(), 0);
    EXPECT_EQ(ListedTotal(first), 0);
    // Any order of freeing afterwards.
    Free(after);
    Free(second);
    EXPECT_EQ(ActiveThemeManager, first);
    EXPECT_TRUE(Listed(first, TThemedClass::tcForm, before));
    Free(before);
    Free(first);
    EXPECT_EQ(ActiveThemeManager, nullptr);
}

TEST_F(ThemedForm, HookAboveTheStubRemovedBeforeTheManagerGoes) {
    const TWndMethod original = button->WindowProc;
    TThemeManager* manager = Manager();
    {
        TProcedureHook hook(button);
        ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(clicks.Count, clicksPerPress);
        EXPECT_GT(hook.Seen.size(), 0u);
    }
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, 2 * clicksPerPress);
    Free(manager);
    EXPECT_TRUE(button->WindowProc == original);
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, 3 * clicksPerPress);
}

TEST_F(ThemedForm, HookAboveTheStubOutlivesTheManagerAndMessagesStillArrive) {
    TThemeManager* manager = Manager();
    TProcedureHook hook(button);
    Free(manager);
    EXPECT_TRUE(button->WindowProc == hook.Procedure()) << "the hook on top is left in place";
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, clicksPerPress);
    hook.Remove();
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, 2 * clicksPerPress) << "the stub it put back passes messages on";
    EXPECT_EQ(button->Perform(WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(ThemedForm, NewManagerOverAHookLeftAboveAnOldStubNeitherLoopsNorDropsMessages) {
    TThemeManager* first = Manager();
    TProcedureHook hook(button);
    Free(first);
    TThemeManager* second = Manager();
    ASSERT_TRUE(Listed(second, TThemedClass::tcButton, button));
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, clicksPerPress) << "once through every procedure";
    Free(second);
    EXPECT_TRUE(button->WindowProc == hook.Procedure());
    hook.Remove();
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, 2 * clicksPerPress);
}

TEST_F(ThemedForm, ControlWithAStubLeftInAChainCanBeFreedInAnyOrder) {
    TThemeManager* manager = Manager();
    auto hook = std::make_unique<TProcedureHook>(radio);
    Free(manager);
    hook->Remove();
    Free(radio);
    all.erase(std::ranges::find(all, radio));
    hook.reset();
    TThemeManager* again = Manager();
    EXPECT_TRUE(Listed(again, TThemedClass::tcButton, button));
}

TEST_F(ThemedForm, WindowlessControlFreedWhileUnthemedLeavesItsList) {
    auto* speed = Add<TWindowlessButton>(form);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcSpeedButton, speed));
    ControlThemes off(false);
    Free(speed);
    all.pop_back();
    EXPECT_EQ(manager->List(TThemedClass::tcSpeedButton).Count(), 0);
}

TEST_F(ThemedForm, AllowEventAndVetoMessageKeepControlsUnthemed) {
    Refuser refuser{radio};
    auto* manager = new TThemeManager(form);
    manager->OnAllowSubclassing = TAllowSubclassingEvent::Of<&Refuser::Allow>(&refuser);
    manager->Loaded();
    EXPECT_FALSE(Listed(manager, TThemedClass::tcButton, radio));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));

    // A listed control that now refuses leaves its list.
    refuser.Refused = button;
    manager->UpdateControlSubclassing(button, true);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcButton, button));
}

namespace {
// Answers CM_VETOSUBCLASSING with Answer and passes everything else on.
struct Vetoer {
    explicit Vetoer(TControl* control)
        : Hook(control, [this](TMessage& message) {
              if (message.Msg != CM_VETOSUBCLASSING)
                  return false;
              message.Result = Answer;
              return true;
          }) {}
    int Asked() const { return Hook.Count(CM_VETOSUBCLASSING); }
    LRESULT Answer = 1;
    TProcedureHook Hook;
};
} // namespace

TEST_F(ThemedForm, ControlThatVetoesIsNotSubclassedButFormsAreNeverAsked) {
    Vetoer buttonVeto(button);
    Vetoer formVeto(form);
    TThemeManager* manager = Manager();
    EXPECT_EQ(buttonVeto.Asked(), 1);
    EXPECT_FALSE(Listed(manager, TThemedClass::tcButton, button));
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, radio));
    EXPECT_EQ(formVeto.Asked(), 0);
    EXPECT_TRUE(Listed(manager, TThemedClass::tcForm, form));

    buttonVeto.Answer = 0;
    manager->UpdateControlSubclassing(button, true);
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));
    Free(manager);
}

TEST_F(ThemedForm, AfterTheServicesUnitFinishedHandlersDoNotMakeItAgain) {
    TThemeManager* manager = Manager();
    FinalizeThemeSrv();
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    form->Perform(WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(ThemeServicesInstance(), nullptr);
    EXPECT_EQ(clicks.Count, clicksPerPress);
    // Unthemed now: a remove notification still takes the control out.
    Free(radio);
    all.erase(std::ranges::find(all, radio));
    EXPECT_EQ(manager->List(TThemedClass::tcButton).Count(), 3);
    InitializeThemeSrv();
    EXPECT_NE(ThemeServicesInstance(), nullptr);
}

TEST_F(ThemedForm, FormOutlivingTheUnitsGoesWithoutHandOverOrNewServices) {
    Manager();
    TThemeManager* passive = Manager();
    ASSERT_TRUE(passive->Passive());
    FinalizeThemeMgr();
    FinalizeThemeSrv();
    FreeAndNil(form);
    EXPECT_EQ(ActiveThemeManager, nullptr);
    EXPECT_EQ(ThemeServicesInstance(), nullptr);
    InitializeThemeSrv();
    InitializeThemeMgr();
}

namespace {
// A handler whose drawing fails halfway for one message.
bool RaisingCases(TThemeManager&, TControl*, TMessage& message) {
    if (message.Msg == WM_USER + 21) {
        message.Result = 5;
        throw std::runtime_error("Zeichnen fehlgeschlagen");
    }
    return false;
}

struct ExceptionCounter {
    void Count(TObject*, const std::exception&) { ++Shown; }
    int Shown = 0;
};
} // namespace

TEST_F(ThemedForm, AHandlerThatRaisesEndsQuietlyAtTheManagersFrame) {
    TThemeManager* manager = Manager();
    SetThemedHandler(TThemedClass::tcButton, {RaisingCases});
    ExceptionCounter shown;
    const TExceptionEvent previous = Application->OnException;
    Application->OnException = TExceptionEvent::Of<&ExceptionCounter::Count>(&shown);
    EXPECT_EQ(::SendMessageA(button->Handle(), WM_USER + 21, 0, 0), 5)
        << "taken, with what the handler answered";
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    Application->OnException = previous;
    SetThemedHandler(TThemedClass::tcButton, {});
    EXPECT_EQ(shown.Shown, 0) << "nothing reached the window procedure's handler";
    EXPECT_EQ(clicks.Count, clicksPerPress) << "and the next message went on as usual";
    EXPECT_TRUE(Listed(manager, TThemedClass::tcButton, button));
}

TEST_F(ThemedForm, ControlMessageEventTakesMessagesBeforeTheControl) {
    TThemeManager* manager = Manager();
    Listener handler;
    handler.Takes = WM_USER + 11;
    manager->OnControlMessage = handler.Event();
    EXPECT_EQ(button->Perform(WM_USER + 11, 0, 0), 7);
    ::SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.Count, clicksPerPress) << "messages it leaves pass on";
}

TEST_F(ThemedForm, RaisingListenerIsDroppedAndTheOthersStillRun) {
    TThemeManager* manager = Manager();
    Listener a, b, c;
    b.Raise = true;
    manager->AddListener(a.Event());
    manager->AddListener(b.Event());
    manager->AddListener(c.Event());
    TMessage message{WM_USER, 0, 0, 0};
    EXPECT_FALSE(manager->ControlMessageDispatch(button, message));
    EXPECT_EQ(a.Calls, 1);
    EXPECT_EQ(b.Calls, 1);
    EXPECT_EQ(c.Calls, 1);
    EXPECT_EQ(manager->ListenerCount(), 2);

    // The same method on another object is a different listener.
    manager->RemoveListener(c.Event());
    EXPECT_EQ(manager->ListenerCount(), 1);
    manager->ControlMessageDispatch(button, message);
    EXPECT_EQ(a.Calls, 2);
    EXPECT_EQ(c.Calls, 1);

    a.Takes = WM_USER;
    c.Calls = 0;
    manager->AddListener(c.Event());
    EXPECT_TRUE(manager->ControlMessageDispatch(button, message));
    EXPECT_EQ(c.Calls, 0) << "the walk stops at the listener that handled it";
}

namespace {
// Which subclassed controls saw WM_THEMECHANGED.
struct ThemeChangeWitness {
    void Receive(TThemeManager*, TControl* control, TMessage& message, bool&) {
        if (message.Msg == WM_THEMECHANGED)
            Seen.insert(control);
    }
    std::set<TControl*> Seen;
};
} // namespace

TEST_F(ThemedForm, SettingOptionsBroadcastsOnlyAfterLoadingAndOnlyOnChange) {
    TThemeManager* manager = Manager();
    ThemeChangeWitness witness;
    manager->OnControlMessage = TControlMessageEvent::Of<&ThemeChangeWitness::Receive>(&witness);
    Counter changes;
    manager->OnThemeChange = TNotifyEvent::Of<&Counter::Notify>(&changes);
    const TThemeOptions current = manager->Options();
    manager->SetOptions(current);
    EXPECT_EQ(changes.Count, 0);

    manager->IncludeState(csLoading);
    manager->SetOptions(current - TThemeOptions{toSubclassSplitter});
    manager->ExcludeState(csLoading);
    EXPECT_EQ(changes.Count, 0);
    EXPECT_TRUE(witness.Seen.empty());
    EXPECT_FALSE(manager->Options().Contains(toSubclassSplitter));

    manager->SetOptions(current);
    EXPECT_GE(changes.Count, 1);
    for (TControl* c : {static_cast<TControl*>(form), static_cast<TControl*>(button),
                        static_cast<TControl*>(panel), static_cast<TControl*>(innerButton),
                        static_cast<TControl*>(trackBar)})
        EXPECT_TRUE(witness.Seen.contains(c)) << c->ClassName();
    EXPECT_EQ(manager->Options().Mask() & ~7u, current.Mask() & ~7u);
}

TEST_F(ThemedForm, CollectingWithoutAParentIsAnAssertionFailure) {
    TThemeManager* manager = Manager();
    try {
        manager->CollectControls(nullptr);
        FAIL() << "no exception";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Parent of controls to be collected must be valid.");
    }
}

TEST(ThemeManagerMessages, NumbersAndDefaults) {
    EXPECT_EQ(CM_MANAGERRELEASED, 0xBCB2u);
    EXPECT_EQ(CM_VETOSUBCLASSING, 0xB7D0u);
    EXPECT_EQ(DefaultThemeOptions.Mask(), 524279u);
    EXPECT_FALSE(DefaultThemeOptions.Contains(toSubclassAnimate));
    EXPECT_FALSE(DefaultThemeOptions.Contains(toAlternateTabSheetDraw));
    EXPECT_TRUE(DefaultThemeOptions.Contains(toSetTransparency));
}

TEST(ThemeManagerUnit, RegistersTheClassWithItsPublishedOptions) {
    const TClassInfo* cls = GetClass("TThemeManager");
    ASSERT_NE(cls, nullptr);
    ASSERT_NE(cls->Factory(), nullptr);
    const TPropInfo* options = cls->Properties().Find("Options");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->Default, std::optional<std::int64_t>(0x7FFF7));
    EXPECT_NE(cls->Properties().Find("OnControlMessage"), nullptr);
    EXPECT_NE(cls->Properties().Find("OnAllowSubclassing"), nullptr);
    EXPECT_NE(cls->Properties().Find("OnThemeChange"), nullptr);
}

TEST(ThemeManagerUnit, CheckBoxMetricsCutTheSystemBitmapIntoItsGlyphs) {
    // The system bitmap holds the check-box glyphs in four columns and three
    // rows, each a box with a dark frame: every glyph's first column is
    // frame down its whole height, and the one before it belongs to another.
    constexpr WORD CheckBoxesBitmap = 32759;
    const HBITMAP glyphs = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(CheckBoxesBitmap));
    ASSERT_NE(glyphs, nullptr);
    BITMAP info{};
    ASSERT_EQ(::GetObjectA(glyphs, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 4 * CheckBoxWidth);
    EXPECT_EQ(info.bmHeight, 3 * CheckBoxHeight);
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, glyphs);
    for (int column = 0; column < 4; ++column) {
        const int left = column * CheckBoxWidth;
        const COLORREF frame = ::GetPixel(dc, left, CheckBoxHeight / 2);
        EXPECT_EQ(::GetPixel(dc, left, 1), frame) << column;
        EXPECT_EQ(::GetPixel(dc, left, CheckBoxHeight - 2), frame) << column;
        EXPECT_NE(::GetPixel(dc, left + CheckBoxWidth / 2, CheckBoxHeight / 2), frame)
            << column << ": the box's inside";
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(glyphs);
    EXPECT_TRUE(IsWindowsXP);
}

TEST(ThemeManagerUnit, UnthemedManagerInstallsNoHookAndSubclassesOnlyForms) {
    ControlThemes off(false);
    TForm* form = new TForm(Application);
    auto* button = new TButton(form);
    button->SetParent(form);
    auto* manager = new TThemeManager(form);
    manager->Loaded();
    EXPECT_FALSE(manager->AppHookInstalled());
    int index = -1;
    EXPECT_TRUE(manager->List(TThemedClass::tcForm).FindSubclassedControl(form, index));
    EXPECT_EQ(manager->List(TThemedClass::tcButton).Count(), 0);
    Free(form);
    EXPECT_EQ(ActiveThemeManager, nullptr);
}
