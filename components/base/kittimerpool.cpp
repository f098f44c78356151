#include "components/base/kitclass.h"

#include "platform/classes/Properties.h"
#include "platform/controls/ExceptionHook.h"
#include "platform/controls/UtilityWindow.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FlagGuard.h"

#include <vector>

namespace {

// The pool runs on one window timer, whatever the number of entries.
constexpr UINT_PTR PoolTimerId = 1;

// Adds one; a result that is negative (past the largest value, or from a
// counter that was negative already) becomes 0.
std::int32_t IncrementWrapping(std::int32_t value) {
    return value < 0 || value == INT32_MAX ? 0 : value + 1;
}

} // namespace

TKitTimerEntry::TKitTimerEntry(TKitTimerPool* pool) : FPool(pool) {}

TKitTimerEntry::~TKitTimerEntry() {
    if (FPool)
        FPool->RemoveEntry(this);
}

const TClassInfo& TKitTimerPool::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitTimerPool>("TKitTimerPool", [](TPropertyTable& t) {
            TPropertyBuilder<TKitTimerPool> p(t);
            p.String("About", &TKitTimerPool::About, &TKitTimerPool::SetAbout);
            p.Integer("MinInterval", &TKitTimerPool::MinInterval, &TKitTimerPool::SetMinInterval,
                      1000)
                .MinValue = 1;
            p.Event("OnTimer", &TKitTimerPool::OnTimer);
        });
    return info;
}

TKitTimerPool::TKitTimerPool(TComponent* owner) : TKitComponent(owner) {}

TKitTimerPool::TKitTimerPool(TComponent* owner, TKitTimerInterval interval) : TKitTimerPool(owner) {
    FMinInterval = interval;
}

TKitTimerPool::~TKitTimerPool() {
    *FAlive = false;
    try {
        ClearEntries();
    } catch (...) {
        // No window could be made to stop a timer on: none was running.
    }
    while (FEntries.Count() > 0)
        delete FEntries[FEntries.Count() - 1];
    DeallocateHWnd(FTimerWindow);
    FTimerWindow = nullptr;
}

void TKitTimerPool::SetMinInterval(TKitTimerInterval value) {
    const TComponentState state = ComponentState();
    if (!state.Contains(csLoading) && !state.Contains(csDesigning))
        return;
    if (value != FMinInterval)
        FMinInterval = value;
}

TKitTimerEntry* TKitTimerPool::AddEntry() {
    auto* entry = new TKitTimerEntry(this);
    FEntries.Add(entry);
    return entry;
}

TKitTimerEntry* TKitTimerPool::Entry(int index) const {
    return FEntries[index];
}

void TKitTimerPool::RemoveEntry(TKitTimerEntry* entry) {
    const int index = FEntries.IndexOf(entry);
    if (index < 0)
        return;
    FEntries.Delete(index);
    // A tick walking the list goes on with the entry that followed.
    if (index <= FTickIndex)
        --FTickIndex;
}

int TKitTimerPool::EnabledCount() const {
    int count = 0;
    for (int i = 0; i < FEntries.Count(); ++i)
        if (FEntries[i]->Enabled)
            ++count;
    return count;
}

void TKitTimerPool::ClearEntries() {
    UpdateTimer(false);
    while (FEntries.Count() > 0)
        delete FEntries[FEntries.Count() - 1];
}

void TKitTimerPool::UpdateTimer(bool enable) {
    if (ComponentState().Contains(csDesigning))
        return;
    if (!FTimerWindow)
        FTimerWindow = AllocateHWnd(TWndMethod::Of<&TKitTimerPool::TimerWndProc>(this));
    FRunning = false;
    ::KillTimer(FTimerWindow, PoolTimerId);
    if (!enable || EnabledCount() == 0)
        return;
    if (::SetTimer(FTimerWindow, PoolTimerId, FMinInterval, nullptr) == 0)
        throw EOutOfResources("Nicht genügend Timer verfügbar");
    FTickCounter = 1;
    FRunning = true;
}

void TKitTimerPool::TimerWndProc(TMessage& message) {
    if (message.Msg != WM_TIMER) {
        message.Result =
            ::DefWindowProcA(FTimerWindow, message.Msg, message.WParam, message.LParam);
        return;
    }
    // A tick whose handler pumps messages must not start another one.
    if (FBusy)
        return;
    // The flag comes down on every way out of a tick, after its error was
    // reported: a modal error box pumps messages, and the flag is what keeps
    // the next WM_TIMER from opening another box on top. A pool freed
    // meanwhile has no flag left to lower.
    const std::shared_ptr<const bool> alive = FAlive;
    const TFlagGuard busy(FBusy, alive);
    try {
        Tick();
    } catch (...) {
        // A handler that freed the pool and then raised leaves no Sender.
        HandleCurrentException(*alive ? this : nullptr);
    }
}

void TKitTimerPool::Tick() {
    // A handler calling Tick itself gets nothing: the walk in progress owns
    // the position.
    if (FPauseCount > 0 || FTickIndex >= 0)
        return;
    const std::shared_ptr<const bool> alive = FAlive;
    // One walk over the live list: freeing an entry (its own, another, any
    // number) moves the position back with it, and entries added meanwhile
    // are reached too. A raising handler is reported on its own, so neither
    // the entries after it nor the tick counter depend on it; the report
    // goes to the same hook as any other window procedure's.
    for (FTickIndex = 0; FTickIndex < FEntries.Count(); ++FTickIndex) {
        TKitTimerEntry* entry = FEntries[FTickIndex];
        if (!entry->Enabled || entry->Divider < 1 || FTickCounter % entry->Divider != 0)
            continue;
        try {
            FireEntry(entry);
        } catch (...) {
            // A handler that freed the pool and then raised leaves no Sender.
            HandleCurrentException(*alive ? this : nullptr);
        }
        if (!*alive)
            return;
    }
    FTickIndex = -1;
    FTickCounter = IncrementWrapping(FTickCounter);
}

void TKitTimerPool::FireEntry(TKitTimerEntry* entry) {
    if (!entry->Enabled)
        return;
    entry->Counter = IncrementWrapping(entry->Counter);
    if (entry->Counter == entry->MaxCount)
        entry->Enabled = false;
    if (entry->OnTimer)
        entry->OnTimer(entry->Pool());
    else if (HasOnTimer())
        OnTimer(this, entry->Ident, entry->Counter);
}
