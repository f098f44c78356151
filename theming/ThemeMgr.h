#pragma once
// TThemeManager: a non-visual component that makes the standard controls of
// every form paint in the current visual style without changing their
// classes. It replaces the window procedure of each control whose class its
// Options select, routes the control's messages to per-class handlers,
// picks up forms and controls that appear later, follows theme changes and
// restores every procedure when it goes. Only one manager per process (the
// active one) subclasses; any other stays passive, forwards to it and takes
// over when the active one is destroyed.

#include "platform/classes/Component.h"
#include "platform/classes/Set.h"
#include "platform/controls/Messages.h"
#include "theming/WindowProcList.h"

#include <array>
#include <memory>
#include <vector>

class TControl;
class TWinControl;
class TCustomForm;
class TToolBar;

enum class TThemeOption {
    toAllowNonClientArea,
    toAllowControls,
    toAllowWebContent,
    toSubclassAnimate,
    toSubclassButtons,
    toSubclassCheckListbox,
    toSubclassDBLookup,
    toSubclassFrame,
    toSubclassGroupBox,
    toSubclassListView,
    toSubclassPanel,
    toSubclassTabSheet,
    toSubclassSpeedButtons,
    toSubclassSplitter,
    toSubclassStatusBar,
    toSubclassTrackBar,
    toSubclassWinControl,
    toResetMouseCapture,
    toSetTransparency,
    toAlternateTabSheetDraw,
};
using enum TThemeOption;
using TThemeOptions = TSet<TThemeOption>;

// Everything except toSubclassAnimate and toAlternateTabSheetDraw.
constexpr TThemeOptions DefaultThemeOptions = TThemeOptions::FromMask(0x7FFF7);

// Sent to the application window when the active manager is destroyed.
constexpr UINT CM_MANAGERRELEASED = CN_BASE + 0xB2;
// Sent to a control before it is subclassed; a non-zero result refuses.
constexpr UINT CM_VETOSUBCLASSING = CM_BASE + 2000;

class TThemeManager;
using TAllowSubclassingEvent = TEvent<TThemeManager*, TControl*, bool&>;
using TControlMessageEvent = TEvent<TThemeManager*, TControl*, TMessage&, bool&>;

// The message cases of one class's themed handler. True when it took the
// message (its answer in Result); everything else goes to the control's
// saved procedure. The manager's frame catches whatever they raise.
using TThemedCases = bool (*)(TThemeManager& manager, TControl* control, TMessage& message);
struct TThemedHandler {
    TThemedCases Cases = nullptr;
    // The cases run also while controls are not themed (list views).
    bool RunsUnthemed = false;
    // A message that OnControlMessage or a listener took still goes to the
    // saved procedure (check list boxes).
    bool PassesHandled = false;
    // Sees every message first, before OnControlMessage and whatever the
    // theming state (forms feed the subclassing from it).
    void (*Prelude)(TThemeManager& manager, TControl* control, TMessage& message) = nullptr;
};
// Installs the handler of a class; without one, every message of the class
// goes to the saved procedure.
void SetThemedHandler(TThemedClass cls, TThemedHandler handler);

class TThemeManager : public TComponent {
    TESSARO_CLASS(TThemeManager, TComponent)
public:
    explicit TThemeManager(TComponent* owner);
    ~TThemeManager() override;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TThemeOptions Options() const { return FOptions; }
    // Passed to the active manager when another one is active.
    void SetOptions(TThemeOptions value);

    TAllowSubclassingEvent OnAllowSubclassing;
    TControlMessageEvent OnControlMessage;
    TNotifyEvent OnThemeChange;

    bool Passive() const { return FPassive; }
    bool AppHookInstalled() const { return FAppHookInstalled; }
    TWindowProcList& List(TThemedClass cls) const;

    // Installed on the application window; never handles a message.
    bool ApplicationWindowHook(TMessage& message);

    // The common frame of every themed handler, entered from a stub.
    void HandleThemedMessage(TThemedClass cls, TControl* control, TMessage& message);

    void CollectForms();
    void CollectControls(TWinControl* parent);
    void ClearLists();
    void UnsubclassChildren(TWinControl* parent);
    void ApplyFixUps(TCustomForm* form);
    void RefreshOptionsFromTheme();
    void BroadcastThemeChange();

    bool IsPendingRecreation(TControl* control) const;
    void DropPendingRecreation(TControl* control);
    int PendingFormCount() const { return static_cast<int>(FPendingForms.size()); }

    // Further receivers of control messages after OnControlMessage.
    void AddListener(const TControlMessageEvent& listener);
    void RemoveListener(const TControlMessageEvent& listener);
    int ListenerCount() const { return static_cast<int>(FMessageListeners.size()); }

    virtual void QueueRecreation(TControl* control);
    virtual bool DoAllowSubclassing(TControl* control);
    virtual bool ControlMessageDispatch(TControl* control, TMessage& message);
    virtual void TriggerThemeChange();
    virtual void BecomeActiveManager();
    virtual void UpdateControlSubclassing(TControl* control, bool enable);
    virtual bool IsScrollingControl(TControl* control) const;

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    void HookProc(TMessage& message, bool& handled);
    void TakePendingForms();
    void TakePendingRecreations();
    // Queues a form for the hook (with a free notification) and wakes it.
    void QueueForm(TComponent* component);
    void WakeHook();
    // Subclasses Form in the form list and asks for its free notification.
    void SubclassForm(TCustomForm* form);
    bool RunCases(TThemedCases cases, TControl* control, TMessage& message) noexcept;
    // Every list, whatever the theming state: no stub of this manager may
    // stay installed once another manager is active.
    void ClearAllLists();
    // Takes Control out of every list (it is being freed).
    void ForgetControl(TControl* control);
    void FixUpChildren(TWinControl* parent);
    void FixUpToolBar(TToolBar* toolBar);
    void BroadcastToChildren(TWinControl* parent);

    TThemeOptions FOptions = DefaultThemeOptions;
    std::array<std::unique_ptr<TWindowProcList>, ThemedClassCount> FLists;
    std::vector<TControlMessageEvent> FMessageListeners;
    // Forms announced by insert notifications, and components whose class
    // was not known yet when they were announced.
    std::vector<TComponent*> FPendingForms;
    std::vector<TControl*> FPendingRecreations;
    bool FPassive = false;
    bool FAppHookInstalled = false;
};

// The manager that subclasses, or null.
extern TThemeManager* ActiveThemeManager;
// Windows XP or later: controls are subclassed only there.
extern bool IsWindowsXP;
// The size of one check-box glyph of the system's check-box bitmap.
extern int CheckBoxWidth;
extern int CheckBoxHeight;
void LoadCheckBoxMetrics();

// Unit start-up (the lock, the check-box metrics, the Windows version, the
// class registration) and shutdown (frees the lock). Runs after the forms
// layer and the theme services units; the forms holding managers are to be
// destroyed before the units finish.
void InitializeThemeMgr();
void FinalizeThemeMgr();
