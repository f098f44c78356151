#include "theming/WindowProcList.h"

#include "platform/controls/WinControl.h"
#include "theming/ControlClassNames.h"
#include "theming/ThemeMgr.h"

#include <array>
#include <cstdint>
#include <memory>

namespace {
constexpr std::array<const char*, ThemedClassCount> ClassNames = {
    "TCustomListView", "TTabSheet",    "TCustomGroupBox", "TButtonControl", "TSpeedButton",
    "TSplitter",       "TTrackBar",    "TAnimate",        "TStatusBar",     "TCheckListBox",
    "TCustomForm",     "TCustomFrame", "TCustomPanel",    "TWinControl",
};

std::uintptr_t Address(const TControl* control) {
    return reinterpret_cast<std::uintptr_t>(control);
}

template <TThemedClass Cls> void Stub(void* control, TMessage& message) {
    // Every list of a manager is cleared before it stops being active, so a
    // listed control always finds one; without one the message is dropped.
    if (TThemeManager* manager = ActiveThemeManager)
        manager->HandleThemedMessage(Cls, static_cast<TControl*>(control), message);
}

template <std::size_t... I> constexpr auto MakeStubs(std::index_sequence<I...>) {
    return std::array<TWindowProcList::TStubProc, sizeof...(I)>{
        &Stub<static_cast<TThemedClass>(I)>...};
}
constexpr auto Stubs = MakeStubs(std::make_index_sequence<ThemedClassCount>());
} // namespace

const char* ThemedClassName(TThemedClass cls) {
    return ClassNames[static_cast<std::size_t>(cls)];
}

TWindowProcList::TStubProc ThemedClassStub(TThemedClass cls) {
    return Stubs[static_cast<std::size_t>(cls)];
}

TWindowProcList::TWindowProcList(TThemeManager* manager, std::string_view acceptedClass,
                                 TStubProc stubProc)
    : FManager(manager), FStubProc(stubProc), FAcceptedClass(acceptedClass) {}

TWindowProcList::~TWindowProcList() {
    Clear();
}

TWndMethod TWindowProcList::StubFor(TControl* control) const {
    TWndMethod method;
    method.Assign({static_cast<void*>(control), reinterpret_cast<void (*)()>(FStubProc),
                   &typeid(TWndMethod)});
    return method;
}

void TWindowProcList::ResetCache() {
    FCachedControl = nullptr;
    FCachedIndex = -1;
}

int TWindowProcList::SubclassControl(TControl* control) {
    int index = -1;
    if (!IsInstanceOfClassNamed(control, FAcceptedClass) || FindSubclassedControl(control, index))
        return -1;
    auto entry = std::make_unique<SubclassEntry>();
    entry->Control = control;
    entry->OldWindowProc = control->WindowProc;
    control->WindowProc = StubFor(control);
    index = Add(entry.get());
    entry.release();
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
        Sort([](void* a, void* b) {
            const auto left = Address(static_cast<SubclassEntry*>(a)->Control);
            const auto right = Address(static_cast<SubclassEntry*>(b)->Control);
            return left < right ? -1 : (left > right ? 1 : 0);
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
        std::unique_ptr<SubclassEntry> entry(Entry(index));
        Delete(index);
        control->WindowProc = entry->OldWindowProc;
        if (auto* parent = dynamic_cast<TWinControl*>(control); parent && FManager)
            FManager->UnsubclassChildren(parent);
    }
    if (TThemeManager* manager = ActiveThemeManager)
        manager->DropPendingRecreation(control);
}

void TWindowProcList::Clear() {
    while (Count() > 0)
        UnsubclassControl(Entry(0)->Control);
    TList::Clear();
    FNeedsSort = false;
    ResetCache();
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
