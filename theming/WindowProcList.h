#pragma once
// The controls of one class whose window procedure the theme manager
// replaced, each with the procedure it replaced. A themed handler passes
// what it does not take to the saved procedure; every replacement is undone
// when the control leaves the list or the list goes.
//
// A control's messages reach its class's handler through a stub installed
// as its WindowProc: a TWndMethod whose object is the control's entry and
// whose code routes to the manager. Each subclassing makes a stub of its
// own, so a stub that another component saved and still calls after the
// control left the list can tell itself apart: it passes every message on
// to the procedure it replaced. Lookup is a one-entry cache in front of a
// binary search over entries sorted lazily by control address.

#include "platform/controls/Control.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TThemeManager;
class TWinControl;

// The classes the manager themes, in the order it creates their lists.
enum class TThemedClass {
    tcListView,
    tcTabSheet,
    tcGroupBox,
    tcButton,
    tcSpeedButton,
    tcSplitter,
    tcTrackBar,
    tcAnimate,
    tcStatusBar,
    tcCheckListBox,
    tcForm,
    tcFrame,
    tcPanel,
    tcWinControl,
};
constexpr int ThemedClassCount = 14;

// The class a list accepts ("TCustomListView", ...).
const char* ThemedClassName(TThemedClass cls);

class TWindowProcList;

struct TSubclassEntry {
    TControl* Control = nullptr;
    TWndMethod OldWindowProc;
    // The list that holds the entry; null once it only passes messages on.
    TWindowProcList* List = nullptr;
};

class TWindowProcList {
public:
    // The code part of a stub; its object is the control's TSubclassEntry.
    using TStubProc = void (*)(void* entry, TMessage& message);

    TWindowProcList(TThemeManager* manager, std::string_view acceptedClass, TStubProc stubProc);
    ~TWindowProcList();
    TWindowProcList(const TWindowProcList&) = delete;
    TWindowProcList& operator=(const TWindowProcList&) = delete;

    // The index of the new entry, or -1 when Control is of another class or
    // already listed (it is then left unchanged).
    int SubclassControl(TControl* control);
    // On a miss, Index is where Control would be in the sorted order.
    bool FindSubclassedControl(TControl* control, int& index);
    // Passes Message to Control's saved procedure; a message for a control
    // that is not listed is dropped.
    void CallSavedWindowProc(TControl* control, TMessage& message);
    // Restores Control's procedure when the stub is still installed on top;
    // when another component installed a procedure above it, the chain stays
    // as it is and the stub passes every message on from now.
    void UnsubclassControl(TControl* control);
    // Unsubclasses every control, then empties the list.
    void Clear();
    // Hands a message of a listed control to the manager's frame of its
    // class (called by the stubs).
    void Route(TThemedClass cls, TControl* control, TMessage& message);

    int Count() const { return static_cast<int>(FEntries.size()); }
    TControl* Controls(int index) const { return Entry(index)->Control; }
    // The procedure installed on a listed control; empty for any other.
    TWndMethod StubFor(TControl* control);

    // The lookup state, for tests of the cache.
    bool NeedsSort() const { return FNeedsSort; }
    TControl* CachedControl() const { return FCachedControl; }
    int CachedIndex() const { return FCachedIndex; }

private:
    TSubclassEntry* Entry(int index) const { return FEntries[static_cast<std::size_t>(index)].get(); }
    TWndMethod StubOf(TSubclassEntry* entry) const;
    void ResetCache();
    // Sorts when due and searches; the cache is not consulted nor set.
    bool Search(TControl* control, int& index);

    // Each entry is the object of its control's stub, so it stays where it
    // is however the list is sorted.
    std::vector<std::unique_ptr<TSubclassEntry>> FEntries;
    bool FNeedsSort = false;
    TControl* FCachedControl = nullptr;
    int FCachedIndex = -1;
    TThemeManager* FManager;
    TStubProc FStubProc;
    std::string FAcceptedClass;
};

// The stub of a class: hands the control's message to that class's handler
// on the manager.
TWindowProcList::TStubProc ThemedClassStub(TThemedClass cls);

// Frees the stubs that were left in other components' chains and whose
// controls are gone; those of controls still alive stay valid for good.
// Called at the theme manager unit's shutdown.
void ReleaseLeftStubs();
