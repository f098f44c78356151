#include "theming/WindowProcList.h"

#include "platform/classes/Component.h"
#include "platform/controls/WinControl.h"
#include "theming/ControlClassNames.h"
#include "theming/ThemeMgr.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace {
constexpr std::array<const char*, ThemedClassCount> ClassNames = {
    "TCustomListView", "TTabSheet",    "TCustomGroupBox", "TButtonControl", "TSpeedButton",
    "TSplitter",       "TTrackBar",    "TAnimate",        "TStatusBar",     "TCheckListBox",
    "TCustomForm",     "TCustomFrame", "TCustomPanel",    "TWinControl",
};

std::uintptr_t Address(const TControl* control) {
    return reinterpret_cast<std::uintptr_t>(control);
}

template <TThemedClass Cls> void Stub(void* object, TMessage& message) {
    auto* entry = static_cast<TSubclassEntry*>(object);
    if (TWindowProcList* list = entry->List) {
        list->Route(Cls, entry->Control, message);
        return;
    }
    // Left in another component's chain: only passes on. A copy, because
    // the control may be freed (and the entry with it) during the call.
    const TWndMethod next = entry->OldWindowProc;
    next(message);
}

template <std::size_t... I> constexpr auto MakeStubs(std::index_sequence<I...>) {
    return std::array<TWindowProcList::TStubProc, sizeof...(I)>{
        &Stub<static_cast<TThemedClass>(I)>...};
}
constexpr auto Stubs = MakeStubs(std::make_index_sequence<ThemedClassCount>());

// Entries whose stub another component still holds after the control left
// its list. Each lives as long as its control; the keeper hears of the
// control's end through its free notification.
class TLeftStubs : public TComponent {
public:
    TLeftStubs() : TComponent(nullptr) {}
    ~TLeftStubs() override {
        // The controls still here are alive and may call their stubs yet.
        for (auto& entry : FEntries)
            static_cast<void>(entry.release());
    }
    TLeftStubs(const TLeftStubs&) = delete;
    TLeftStubs& operator=(const TLeftStubs&) = delete;

    void Keep(std::unique_ptr<TSubclassEntry> entry) {
        if (entry->Control->Destroying()) {
            // Its free notification may have gone out already: a stub still
            // called during the rest of the control's end must stay valid.
            static_cast<void>(entry.release());
            return;
        }
        FreeNotification(entry->Control);
        FEntries.push_back(std::move(entry));
    }
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove)
            std::erase_if(FEntries, [component](const std::unique_ptr<TSubclassEntry>& entry) {
                return entry->Control == component;
            });
        TComponent::Notification(component, operation);
    }

private:
    std::vector<std::unique_ptr<TSubclassEntry>> FEntries;
};
std::unique_ptr<TLeftStubs> LeftStubs;
} // namespace

const char* ThemedClassName(TThemedClass cls) {
    return ClassNames[static_cast<std::size_t>(cls)];
}

TWindowProcList::TStubProc ThemedClassStub(TThemedClass cls) {
    return Stubs[static_cast<std::size_t>(cls)];
}

void ReleaseLeftStubs() {
    LeftStubs.reset();
}

TWindowProcList::TWindowProcList(TThemeManager* manager, std::string_view acceptedClass,
                                 TStubProc stubProc)
    : FManager(manager), FStubProc(stubProc), FAcceptedClass(acceptedClass) {}

TWindowProcList::~TWindowProcList() {
    Clear();
}

TWndMethod TWindowProcList::StubOf(TSubclassEntry* entry) const {
    TWndMethod method;
    method.Assign(
        {static_cast<void*>(entry), reinterpret_cast<void (*)()>(FStubProc), &typeid(TWndMethod)});
    return method;
}

TWndMethod TWindowProcList::StubFor(TControl* control) {
    int index = -1;
    if (!FindSubclassedControl(control, index))
        return {};
    return StubOf(Entry(index));
}

void TWindowProcList::ResetCache() {
    FCachedControl = nullptr;
    FCachedIndex = -1;
}

int TWindowProcList::SubclassControl(TControl* control) {
    int index = -1;
    if (!IsInstanceOfClassNamed(control, FAcceptedClass) || FindSubclassedControl(control, index))
        return -1;
    auto entry = std::make_unique<TSubclassEntry>();
    entry->Control = control;
    entry->OldWindowProc = control->WindowProc;
    entry->List = this;
    control->WindowProc = StubOf(entry.get());
    FEntries.push_back(std::move(entry));
    index = Count() - 1;
    FNeedsSort = true;
    return index;
}

bool TWindowProcList::FindSubclassedControl(TControl* control, int& index) {
    if (control && control == FCachedControl) {
        index = FCachedIndex;
        return true;
    }
    const bool found = Search(control, index);
    if (found) {
        FCachedControl = control;
        FCachedIndex = index;
    }
    return found;
}

bool TWindowProcList::Search(TControl* control, int& index) {
    if (FNeedsSort && Count() > 1) {
        std::sort(FEntries.begin(), FEntries.end(),
                  [](const std::unique_ptr<TSubclassEntry>& a,
                     const std::unique_ptr<TSubclassEntry>& b) {
                      return Address(a->Control) < Address(b->Control);
                  });
        FNeedsSort = false;
        ResetCache();
    }
    int lo = 0;
    int hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const auto probe = Address(Entry(mid)->Control);
        if (probe < Address(control)) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (probe == Address(control)) {
                found = true;
                lo = mid;
                break;
            }
        }
    }
    index = lo;
    return found;
}

void TWindowProcList::UnsubclassControl(TControl* control) {
    // The lookup leaves the cache alone, so that an entry after the cached
    // one can go without costing the cache.
    int index = FCachedIndex;
    const bool found = (control && control == FCachedControl) || Search(control, index);
    // The cache goes before anything else runs: unsubclassing the children
    // below searches this list again.
    if (FCachedIndex >= index)
        ResetCache();
    if (found) {
        std::unique_ptr<TSubclassEntry> entry = std::move(FEntries[static_cast<std::size_t>(index)]);
        FEntries.erase(FEntries.begin() + index);
        entry->List = nullptr;
        if (control->WindowProc == StubOf(entry.get())) {
            control->WindowProc = entry->OldWindowProc;
        } else {
            if (!LeftStubs)
                LeftStubs = std::make_unique<TLeftStubs>();
            LeftStubs->Keep(std::move(entry));
        }
        if (auto* parent = dynamic_cast<TWinControl*>(control); parent && FManager)
            FManager->UnsubclassChildren(parent);
    }
    if (TThemeManager* manager = ActiveThemeManager)
        manager->DropPendingRecreation(control);
}

void TWindowProcList::Clear() {
    while (Count() > 0)
        UnsubclassControl(Entry(0)->Control);
    FNeedsSort = false;
    ResetCache();
}

void TWindowProcList::Route(TThemedClass cls, TControl* control, TMessage& message) {
    // Every list of a manager is cleared before it stops being active, so a
    // listed control finds its manager; a list of no manager passes its
    // messages on (another manager's handler would look in its own list).
    if (FManager)
        FManager->HandleThemedMessage(cls, control, message);
    else
        CallSavedWindowProc(control, message);
}

void TWindowProcList::CallSavedWindowProc(TControl* control, TMessage& message) {
    int index = -1;
    if (!FindSubclassedControl(control, index))
        return;
    const UINT msg = message.Msg;
    if (msg == CM_RECREATEWND)
        if (TThemeManager* manager = ActiveThemeManager)
            manager->QueueRecreation(control);
    // A copy: the old procedure may re-enter and delete the entry.
    const TWndMethod saved = Entry(index)->OldWindowProc;
    saved(message);
    if (msg == WM_DESTROY) {
        TThemeManager* manager = ActiveThemeManager;
        const bool recreating =
            !control->Destroying() && manager && manager->IsPendingRecreation(control);
        if (!recreating)
            UnsubclassControl(control);
    }
}
