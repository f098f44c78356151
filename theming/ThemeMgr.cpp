#include "theming/ThemeMgr.h"

#include "platform/classes/Properties.h"
#include "platform/controls/WinControl.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/GdiObject.h"
#include "platform/rtl/AssertionFailed.h"
#include "platform/rtl/CriticalSection.h"
#include "theming/ControlClassNames.h"
#include "theming/ThemeSrv.h"
#include "theming/UxTheme.h"

#include <algorithm>
#include <optional>
#include <versionhelpers.h>

TThemeManager* ActiveThemeManager = nullptr;
bool IsWindowsXP = false;
int CheckBoxWidth = 0;
int CheckBoxHeight = 0;

namespace {
// The unit lock: re-entrant, because the destructor's CM_MANAGERRELEASED
// runs the taking-over manager's hook on this thread while it is held.
std::unique_ptr<TCriticalSection> UnitLock;

// Holds the unit lock for a scope; does nothing once the lock is gone.
class TUnitLockGuard : public TCriticalSectionGuard {
public:
    TUnitLockGuard() : TCriticalSectionGuard(UnitLock.get()) {}
};

std::array<TThemedHandler, ThemedClassCount> ThemedHandlers;

bool LibraryLoaded() {
    const TThemeServices* services = ThemeServicesInstance();
    return services && services->LibraryLoaded();
}

const TEnumNames& ThemeOptionNames() {
    static const TEnumNames names = {
        "toAllowNonClientArea",   "toAllowControls",         "toAllowWebContent",
        "toSubclassAnimate",      "toSubclassButtons",       "toSubclassCheckListbox",
        "toSubclassDBLookup",     "toSubclassFrame",         "toSubclassGroupBox",
        "toSubclassListView",     "toSubclassPanel",         "toSubclassTabSheet",
        "toSubclassSpeedButtons", "toSubclassSplitter",      "toSubclassStatusBar",
        "toSubclassTrackBar",     "toSubclassWinControl",    "toResetMouseCapture",
        "toSetTransparency",      "toAlternateTabSheetDraw",
    };
    return names;
}

// The list that takes a control and the option that allows it, in the
// order the classes are tested.
struct TClassChoice {
    TThemedClass Class;
    // None: the class is always subclassed.
    std::optional<TThemeOption> Option;
};
constexpr TClassChoice ClassChoices[] = {
    {TThemedClass::tcButton, toSubclassButtons},
    {TThemedClass::tcSpeedButton, toSubclassSpeedButtons},
    {TThemedClass::tcGroupBox, toSubclassGroupBox},
    {TThemedClass::tcTabSheet, toSubclassTabSheet},
    {TThemedClass::tcPanel, toSubclassPanel},
    {TThemedClass::tcFrame, toSubclassFrame},
    {TThemedClass::tcListView, toSubclassListView},
    {TThemedClass::tcTrackBar, toSubclassTrackBar},
    {TThemedClass::tcCheckListBox, toSubclassCheckListbox},
    {TThemedClass::tcStatusBar, toSubclassStatusBar},
    {TThemedClass::tcSplitter, toSubclassSplitter},
    {TThemedClass::tcAnimate, toSubclassAnimate},
    {TThemedClass::tcForm, std::nullopt},
    {TThemedClass::tcWinControl, toSubclassWinControl},
};

const TClassChoice* ChoiceFor(const TControl* control) {
    for (const TClassChoice& choice : ClassChoices)
        if (IsInstanceOfClassNamed(control, ThemedClassName(choice.Class)))
            return &choice;
    return nullptr;
}

bool HasFixUpOptions(TThemeOptions options) {
    return options.Contains(toResetMouseCapture) || options.Contains(toSetTransparency);
}

constexpr UINT RedrawLateForm = RDW_INVALIDATE | RDW_VALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW;
constexpr UINT RedrawAfterOptions = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE |
                                    RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;
} // namespace

void SetThemedHandler(TThemedClass cls, TThemedHandler handler) {
    ThemedHandlers[static_cast<std::size_t>(cls)] = handler;
}

const TClassInfo& TThemeManager::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TThemeManager>("TThemeManager", [](TPropertyTable& t) {
            TPropertyBuilder<TThemeManager> p(t);
            p.Set("Options", ThemeOptionNames(), &TThemeManager::Options,
                  &TThemeManager::SetOptions, std::optional<TThemeOptions>(DefaultThemeOptions));
            p.Event("OnAllowSubclassing", &TThemeManager::OnAllowSubclassing);
            p.Event("OnControlMessage", &TThemeManager::OnControlMessage);
            p.Event("OnThemeChange", &TThemeManager::OnThemeChange);
        });
    return info;
}

TThemeManager::TThemeManager(TComponent* owner) : TComponent(owner) {
    for (int i = 0; i < ThemedClassCount; ++i) {
        const auto cls = static_cast<TThemedClass>(i);
        FLists[static_cast<std::size_t>(i)] =
            std::make_unique<TWindowProcList>(this, ThemedClassName(cls), ThemedClassStub(cls));
    }
    if (Designing()) {
        FPassive = true;
        return;
    }
    if (IsControlThemingEnabled() && Application) {
        Application->HookMainWindow(TWindowHook::Of<&TThemeManager::HookProc>(this));
        FAppHookInstalled = true;
    }
    TUnitLockGuard lock;
    if (ActiveThemeManager) {
        FPassive = true;
        FOptions = ActiveThemeManager->FOptions;
    } else {
        ActiveThemeManager = this;
    }
}

TThemeManager::~TThemeManager() {
    // Every replaced procedure is back before this manager stops being active.
    for (auto& list : FLists)
        list.reset();
    if (!Designing()) {
        if (FAppHookInstalled && Application)
            Application->UnhookMainWindow(TWindowHook::Of<&TThemeManager::HookProc>(this));
        FAppHookInstalled = false;
        if (UnitLock) {
            TUnitLockGuard lock;
            if (ActiveThemeManager == this) {
                ActiveThemeManager = nullptr;
                if (Application && Application->Handle())
                    ::SendMessageA(Application->Handle(), CM_MANAGERRELEASED, 0, 0);
            }
        } else if (ActiveThemeManager == this) {
            // Shutdown already freed the lock: no hand-over, but no dangling pointer.
            ActiveThemeManager = nullptr;
        }
    }
}

TWindowProcList& TThemeManager::List(TThemedClass cls) const {
    return *FLists[static_cast<std::size_t>(cls)];
}

void TThemeManager::Loaded() {
    if (ActiveThemeManager == this && !Designing())
        CollectForms();
    TComponent::Loaded();
}

void TThemeManager::Notification(TComponent* component, TOperation operation) {
    if (!Designing() && component != this) {
        if (operation == opInsert) {
            // A component is announced from its base constructor, before its
            // class is known: a component still of the base class may become
            // a form, and the hook sorts it out.
            const bool mayBeForm = dynamic_cast<TCustomForm*>(component) ||
                                   &component->ClassType() == &TComponent::StaticClassInfo();
            if (mayBeForm) {
                if (ActiveThemeManager == this)
                    QueueForm(component);
                else if (ActiveThemeManager)
                    ActiveThemeManager->Notification(component, operation);
            }
        } else {
            std::erase(FPendingForms, component);
            std::erase(FPendingRecreations, component);
            if (auto* control = dynamic_cast<TControl*>(component)) {
                if (ActiveThemeManager == this)
                    UpdateControlSubclassing(control, false);
                // Whatever the theming state or this manager's role: a
                // control without a window gets no WM_DESTROY, and no list
                // may keep a freed control.
                ForgetControl(control);
            }
        }
    }
    TComponent::Notification(component, operation);
}

void TThemeManager::QueueForm(TComponent* component) {
    if (std::ranges::find(FPendingForms, component) != FPendingForms.end())
        return;
    // The component may be freed before the hook takes it.
    FreeNotification(component);
    const bool wake = FPendingForms.empty();
    FPendingForms.push_back(component);
    if (wake)
        WakeHook();
}

void TThemeManager::WakeHook() {
    if (Application && Application->Handle())
        ::PostMessageA(Application->Handle(), WM_NULL, 0, 0);
}

void TThemeManager::SubclassForm(TCustomForm* form) {
    std::erase(FPendingForms, form);
    List(TThemedClass::tcForm).SubclassControl(form);
    FreeNotification(form);
}

void TThemeManager::ForgetControl(TControl* control) {
    for (auto& list : FLists) {
        int index = -1;
        if (list && list->FindSubclassedControl(control, index))
            list->UnsubclassControl(control);
    }
}

void TThemeManager::HookProc(TMessage& message, bool& handled) {
    handled = ApplicationWindowHook(message);
}

bool TThemeManager::ApplicationWindowHook(TMessage& message) {
    if (message.Msg == CM_MANAGERRELEASED) {
        TUnitLockGuard lock;
        if (!ActiveThemeManager) {
            ActiveThemeManager = this;
            FPassive = false;
            CollectForms();
        }
    }
    TakePendingForms();
    TakePendingRecreations();
    if (message.Msg == WM_THEMECHANGED) {
        RefreshOptionsFromTheme();
        TriggerThemeChange();
    }
    return false;
}

void TThemeManager::TakePendingForms() {
    // Only the active manager subclasses; one that loses that role has its
    // queue emptied then (BecomeActiveManager).
    if (ActiveThemeManager != this)
        return;
    while (!FPendingForms.empty()) {
        auto* form = dynamic_cast<TCustomForm*>(FPendingForms.front());
        FPendingForms.erase(FPendingForms.begin());
        if (!form)
            continue;
        SubclassForm(form);
        CollectControls(form);
        if (HasFixUpOptions(FOptions))
            ApplyFixUps(form);
        if (form->HandleAllocated())
            ::RedrawWindow(form->Handle(), nullptr, nullptr, RedrawLateForm);
    }
}

void TThemeManager::TakePendingRecreations() {
    if (ActiveThemeManager != this)
        return;
    // A window still being made again stays queued: the hook may run while
    // the old one is going (activation messages), and its WM_DESTROY must
    // still find it queued. The wake-up posted with it comes after.
    for (TControl* control : std::vector<TControl*>(FPendingRecreations)) {
        if (control->ControlState().Contains(csRecreating) || !IsPendingRecreation(control))
            continue;
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
            windowed->HandleNeeded();
            CollectControls(windowed);
        }
        std::erase(FPendingRecreations, control);
    }
}

void TThemeManager::SetOptions(TThemeOptions value) {
    TUnitLockGuard lock;
    if (ActiveThemeManager && ActiveThemeManager != this) {
        ActiveThemeManager->SetOptions(value);
        return;
    }
    if (value == FOptions)
        return;
    FOptions = value;
    if (!LibraryLoaded() || FPassive || Designing())
        return;
    UxTheme::SetThemeAppProperties(value.Mask() & 7);
    if (Loading() || ComponentState().Contains(csReading))
        return;
    RefreshOptionsFromTheme();
    BroadcastThemeChange();
    if (Application && Application->Handle())
        ::SendMessageA(Application->Handle(), WM_THEMECHANGED, 0, 0);
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i)->HandleAllocated())
                ::RedrawWindow(Screen->Forms(i)->Handle(), nullptr, nullptr, RedrawAfterOptions);
}

void TThemeManager::RefreshOptionsFromTheme() {
    TThemeServices* services = ThemeServicesInstance();
    if (!services)
        return;
    services->RefreshThemeState();
    if (services->LibraryLoaded() && !Designing()) {
        const DWORD bits = UxTheme::GetThemeAppProperties();
        FOptions = TThemeOptions::FromMask((FOptions.Mask() & ~std::uint32_t{7}) |
                                           (static_cast<std::uint32_t>(bits) & 7));
    }
}

void TThemeManager::BroadcastThemeChange() {
    if (!Screen)
        return;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        form->Perform(WM_THEMECHANGED, 0, 0);
        BroadcastToChildren(form);
    }
}

void TThemeManager::BroadcastToChildren(TWinControl* parent) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!child)
            continue;
        if (child->HandleAllocated())
            child->Perform(WM_THEMECHANGED, 0, 0);
        if (IsInstanceOfClassNamed(child, "TCustomListView") ||
            IsInstanceOfClassNamed(child, "TCoolBar"))
            child->RecreateWnd();
        else
            BroadcastToChildren(child);
    }
}

void TThemeManager::CollectForms() {
    if (FPassive || Designing())
        return;
    ClearLists();
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i) {
            SubclassForm(Screen->Forms(i));
            CollectControls(Screen->Forms(i));
        }
    if (HasFixUpOptions(FOptions))
        ApplyFixUps(nullptr);
}

void TThemeManager::CollectControls(TWinControl* parent) {
    if (!parent)
        throw EAssertionFailed("Parent of controls to be collected must be valid.");
    if (FPassive || Designing())
        return;
    // A copy: subclassing may make windows, which can change the child list.
    const std::vector<TControl*> children = parent->ControlList();
    for (TControl* child : children) {
        UpdateControlSubclassing(child, true);
        if (auto* windowed = dynamic_cast<TWinControl*>(child);
            windowed && windowed->ControlCount())
            CollectControls(windowed);
    }
}

void TThemeManager::UpdateControlSubclassing(TControl* control, bool enable) {
    if (!IsWindowsXP || !control)
        return;
    // Only the active manager subclasses; any manager may let go.
    if (enable && (FPassive || Designing()))
        return;
    const TClassChoice* choice = nullptr;
    if (!IsControlThemingEnabled()) {
        if (!IsInstanceOfClassNamed(control, ThemedClassName(TThemedClass::tcListView)))
            return;
        choice = ChoiceFor(control);
    } else {
        choice = ChoiceFor(control);
    }
    if (!choice)
        return;
    TWindowProcList* list = FLists[static_cast<std::size_t>(choice->Class)].get();
    if (!list)
        return;
    if (enable && choice->Option && !FOptions.Contains(*choice->Option))
        return;
    if (enable && choice->Class == TThemedClass::tcForm)
        std::erase(FPendingForms, control);
    if (enable && choice->Class == TThemedClass::tcListView) {
        int index = -1;
        auto* windowed = dynamic_cast<TWinControl*>(control);
        if (!list->FindSubclassedControl(control, index) && windowed && windowed->HandleAllocated())
            ::PostMessageA(windowed->Handle(), CM_RECREATEWND, 0, 0);
    }
    if (enable && DoAllowSubclassing(control) && control->Perform(CM_VETOSUBCLASSING, 0, 0) == 0) {
        list->SubclassControl(control);
        control->FreeNotification(this);
        if (auto* windowed = dynamic_cast<TWinControl*>(control);
            windowed && windowed->ControlCount())
            CollectControls(windowed);
    } else {
        list->UnsubclassControl(control);
    }
}

void TThemeManager::ClearLists() {
    List(TThemedClass::tcListView).Clear();
    if (!IsControlThemingEnabled())
        return;
    for (TThemedClass cls :
         {TThemedClass::tcCheckListBox, TThemedClass::tcStatusBar, TThemedClass::tcAnimate,
          TThemedClass::tcTrackBar, TThemedClass::tcSpeedButton, TThemedClass::tcButton,
          TThemedClass::tcTabSheet, TThemedClass::tcWinControl, TThemedClass::tcGroupBox,
          TThemedClass::tcForm, TThemedClass::tcPanel, TThemedClass::tcFrame})
        List(cls).Clear();
}

void TThemeManager::ClearAllLists() {
    for (auto& list : FLists)
        if (list)
            list->Clear();
}

void TThemeManager::UnsubclassChildren(TWinControl* parent) {
    const std::vector<TControl*> children = parent->ControlList();
    for (TControl* child : children)
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
            UnsubclassChildren(windowed);
            UpdateControlSubclassing(windowed, false);
        }
}

void TThemeManager::BecomeActiveManager() {
    if (ActiveThemeManager == this)
        return;
    TUnitLockGuard lock;
    if (TThemeManager* previous = ActiveThemeManager) {
        previous->FPassive = true;
        previous->ClearAllLists();
        // The collection below takes every form and control again.
        previous->FPendingForms.clear();
        previous->FPendingRecreations.clear();
    }
    ActiveThemeManager = this;
    FPassive = false;
    CollectForms();
}

void TThemeManager::QueueRecreation(TControl* control) {
    if (IsPendingRecreation(control))
        return;
    // The new window's children are collected by the hook: make sure it runs.
    const bool wake = FPendingRecreations.empty();
    FPendingRecreations.push_back(control);
    FreeNotification(control);
    if (wake)
        WakeHook();
}

bool TThemeManager::IsPendingRecreation(TControl* control) const {
    return std::ranges::find(FPendingRecreations, control) != FPendingRecreations.end();
}

void TThemeManager::DropPendingRecreation(TControl* control) {
    std::erase(FPendingRecreations, control);
}

bool TThemeManager::DoAllowSubclassing(TControl* control) {
    bool allow = true;
    if (OnAllowSubclassing)
        OnAllowSubclassing(this, control, allow);
    return allow;
}

void TThemeManager::AddListener(const TControlMessageEvent& listener) {
    FMessageListeners.push_back(listener);
}

void TThemeManager::RemoveListener(const TControlMessageEvent& listener) {
    if (auto it = std::ranges::find(FMessageListeners, listener); it != FMessageListeners.end())
        FMessageListeners.erase(it);
}

bool TThemeManager::ControlMessageDispatch(TControl* control, TMessage& message) {
    bool handled = false;
    if (OnControlMessage) {
        OnControlMessage(this, control, message, handled);
        if (handled)
            return true;
    }
    std::size_t i = 0;
    while (i < FMessageListeners.size() && !handled) {
        try {
            const TControlMessageEvent listener = FMessageListeners[i];
            listener(this, control, message, handled);
            ++i;
        } catch (...) {
            // A raising listener is dropped: exactly this entry, and the
            // walk goes on with the one that moved into its place.
            FMessageListeners.erase(FMessageListeners.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return handled;
}

void TThemeManager::TriggerThemeChange() {
    if (OnThemeChange)
        OnThemeChange(this);
}

bool TThemeManager::IsScrollingControl(TControl* control) const {
    return IsInstanceOfClassNamed(control, "TScrollingWinControl") ||
           IsInstanceOfClassNamed(control, "TCustomGrid") ||
           IsInstanceOfClassNamed(control, "TCustomRichEdit");
}

void TThemeManager::HandleThemedMessage(TThemedClass cls, TControl* control, TMessage& message) {
    const TThemedHandler handler = ThemedHandlers[static_cast<std::size_t>(cls)];
    if (handler.Prelude)
        handler.Prelude(*this, control, message);
    if (ControlMessageDispatch(control, message)) {
        if (TWindowProcList* list = FLists[static_cast<std::size_t>(cls)].get();
            list && handler.PassesHandled)
            list->CallSavedWindowProc(control, message);
        return;
    }
    if (handler.Cases && (handler.RunsUnthemed || IsControlThemingEnabled()) &&
        RunCases(handler.Cases, control, message))
        return;
    if (TWindowProcList* list = FLists[static_cast<std::size_t>(cls)].get())
        list->CallSavedWindowProc(control, message);
}

bool TThemeManager::RunCases(TThemedCases cases, TControl* control, TMessage& message) noexcept {
    // The boundary of every handler: themed painting never raises into the
    // window procedure. A case that failed has drawn what it could and
    // counts as having taken the message.
    try {
        return cases(*this, control, message);
    } catch (...) {
        return true;
    }
}

void LoadCheckBoxMetrics() {
    // The system bitmap holds the check-box glyphs in four columns and
    // three rows.
    constexpr WORD CheckBoxesBitmap = 32759;
    TGdiObject<HBITMAP> glyphs(::LoadBitmapA(nullptr, MAKEINTRESOURCEA(CheckBoxesBitmap)));
    BITMAP info{};
    if (glyphs && ::GetObjectA(glyphs.Get(), sizeof(info), &info) == sizeof(info)) {
        CheckBoxWidth = info.bmWidth / 4;
        CheckBoxHeight = info.bmHeight / 3;
    }
}

void InitializeThemeMgr() {
    UnitLock = std::make_unique<TCriticalSection>();
    LoadCheckBoxMetrics();
    IsWindowsXP = ::IsWindowsXPOrGreater();
    RegisterClasses<TThemeManager>();
}

void FinalizeThemeMgr() {
    ReleaseLeftStubs();
    UnitLock.reset();
}
