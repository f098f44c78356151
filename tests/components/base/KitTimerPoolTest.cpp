#include "KeepFreedMemory.h"
#include "components/base/kitclass.h"

#include "platform/controls/ExceptionHook.h"
#include "platform/graphics/HandleCount.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace {

// The window timer itself never fires during a test: the interval is the
// longest there is, and every tick is a WM_TIMER sent by the test.
constexpr TKitTimerInterval NeverDuringATest = 65535;

struct TFiring {
    TObject* Sender;
    std::uint16_t Ident;
    std::int32_t Counter;
};

class KitTimerPool : public ::testing::Test {
protected:
    void SetUp() override {
        SetExceptionHandler([this](TObject* sender, const std::exception& e) {
            Reported.push_back(e.what());
            ReportSenders.push_back(sender);
            if (OnReport)
                OnReport();
        });
        Pool = new TKitTimerPool(nullptr, NeverDuringATest);
        Pool->OnTimer = PoolEvent();
    }
    void TearDown() override {
        FreeAndNil(Pool);
        SetExceptionHandler(nullptr);
    }

    // Records every firing of a pool's own event.
    TKitTimerPoolEvent PoolEvent() { return TKitTimerPoolEvent::Of<&KitTimerPool::PoolFired>(this); }
    void PoolFired(TObject* sender, std::uint16_t ident, std::int32_t counter) {
        Firings.push_back({sender, ident, counter});
    }
    TKitTimerEntry* AddEntry(std::uint16_t ident, std::int32_t divider, std::int32_t maxCount = 0) {
        TKitTimerEntry* entry = Pool->AddEntry();
        entry->Ident = ident;
        entry->Divider = divider;
        entry->MaxCount = maxCount;
        entry->Enabled = true;
        return entry;
    }
    void SendTicks(int count) {
        for (int i = 0; i < count; ++i)
            ::SendMessageA(Pool->TimerWindow(), WM_TIMER, 1, 0);
    }
    std::vector<int> FiredIdents() const {
        std::vector<int> idents;
        for (const TFiring& f : Firings)
            idents.push_back(f.Ident);
        return idents;
    }

    TKitTimerPool* Pool = nullptr;
    std::vector<TFiring> Firings;
    std::vector<std::string> Reported;
    std::vector<TObject*> ReportSenders;
    // Runs inside the report, as a modal error box would.
    std::function<void()> OnReport;
};

// Handlers of entries' own events.
struct TEntryHandler {
    std::vector<TObject*> Senders;
    TKitTimerPool* Pool = nullptr;
    TKitTimerEntry* ToFree = nullptr;
    void Fired(TObject* sender) { Senders.push_back(sender); }
    void Raise(TObject* sender) {
        Senders.push_back(sender);
        throw EInvalidOperation("Fehler im Zeitgeber");
    }
    void Nest(TObject* sender) {
        Senders.push_back(sender);
        // A handler that pumps messages: the nested timer message is dropped.
        ::SendMessageA(Pool->TimerWindow(), WM_TIMER, 1, 0);
    }
    void FreeOther(TObject* sender) {
        Senders.push_back(sender);
        delete ToFree;
        ToFree = nullptr;
    }
    TKitTimerEntry* Self = nullptr;
    void FreeSelf(TObject* sender) {
        Senders.push_back(sender);
        delete Self;
        Self = nullptr;
    }
    void ThrowForeign(TObject* sender) {
        Senders.push_back(sender);
        throw 42;
    }
};

// A pool whose memory is kept, filled with a mark, when it is freed: a
// write to the freed pool changes the mark. One at a time.
class TMarkedPool : public TKitTimerPool {
public:
    using TKitTimerPool::TKitTimerPool;
    static constexpr unsigned char Mark = 0xA5;
    static void* operator new(std::size_t size) {
        if (size > sizeof Storage)
            throw std::bad_alloc();
        return Storage;
    }
    static void operator delete(void* p, std::size_t size) { std::memset(p, Mark, size); }
    static bool MarkKept() {
        return std::all_of(std::begin(Storage), std::begin(Storage) + sizeof(TMarkedPool),
                           [](unsigned char b) { return b == Mark; });
    }

private:
    alignas(std::max_align_t) static inline unsigned char Storage[sizeof(TKitTimerPool) + 64];
};

struct TPoolFreer {
    TKitTimerPool* Pool = nullptr;
    void Free(TObject*) { ::Free(Pool); }
    void Raise(TObject*) {
        ::Free(Pool);
        throw EInvalidOperation("nach dem Freigeben");
    }
};

} // namespace

TEST_F(KitTimerPool, StartsStoppedWithoutWindow) {
    TKitTimerPool plain(nullptr);
    EXPECT_EQ(plain.MinInterval(), 1000);
    EXPECT_FALSE(plain.Running());
    EXPECT_FALSE(plain.Busy());
    EXPECT_EQ(plain.TimerWindow(), nullptr);
    EXPECT_EQ(plain.EntryCount(), 0);
    EXPECT_FALSE(plain.HasOnTimer());
    EXPECT_EQ(plain.ClassName(), "TKitTimerPool");
    EXPECT_TRUE(plain.Is<TKitComponent>());
}

TEST_F(KitTimerPool, MinIntervalIsFixedAtRunTime) {
    TKitTimerPool pool(nullptr, 50);
    EXPECT_EQ(pool.MinInterval(), 50);
    pool.SetMinInterval(200);
    EXPECT_EQ(pool.MinInterval(), 50);
    pool.IncludeState(csLoading);
    pool.SetMinInterval(200);
    pool.ExcludeState(csLoading);
    EXPECT_EQ(pool.MinInterval(), 200);
    pool.IncludeState(csDesigning);
    pool.SetMinInterval(75);
    EXPECT_EQ(pool.MinInterval(), 75);
}

TEST_F(KitTimerPool, PublishedProperties) {
    const TPropInfo* interval = TKitTimerPool::StaticClassInfo().Properties().Find("MinInterval");
    ASSERT_NE(interval, nullptr);
    EXPECT_EQ(interval->Default, 1000);
    EXPECT_EQ(interval->MinValue, 1);
    EXPECT_EQ(interval->MaxValue, 65535);
    EXPECT_NE(TKitTimerPool::StaticClassInfo().Properties().Find("OnTimer"), nullptr);
    EXPECT_NE(TKitTimerPool::StaticClassInfo().Properties().Find("About"), nullptr);
}

TEST_F(KitTimerPool, WithoutEnabledEntriesTheWindowIsMadeButNoTimerSet) {
    Pool->UpdateTimer(true);
    ASSERT_NE(Pool->TimerWindow(), nullptr);
    EXPECT_TRUE(::IsWindow(Pool->TimerWindow()));
    EXPECT_FALSE(Pool->Running());
    EXPECT_FALSE(::KillTimer(Pool->TimerWindow(), 1));

    AddEntry(1, 1)->Enabled = false;
    Pool->UpdateTimer(true);
    EXPECT_FALSE(Pool->Running());
}

TEST_F(KitTimerPool, StartingAndStoppingTheWindowTimer) {
    AddEntry(1, 1);
    Pool->UpdateTimer(true);
    EXPECT_TRUE(Pool->Running());
    EXPECT_EQ(Pool->TickCounter(), 1);
    HWND window = Pool->TimerWindow();
    Pool->UpdateTimer(false);
    EXPECT_FALSE(Pool->Running());
    EXPECT_EQ(Pool->TimerWindow(), window); // one window for the pool's life
    EXPECT_FALSE(::KillTimer(window, 1));   // the timer is gone
}

TEST_F(KitTimerPool, DividersSelectTheTicks) {
    AddEntry(1, 1);
    AddEntry(2, 2);
    AddEntry(4, 4);
    Pool->UpdateTimer(true);
    SendTicks(4);
    // Ticks 1..4: 1 | 1,2 | 1 | 1,2,4, each tick in entry order.
    EXPECT_EQ(FiredIdents(), (std::vector<int>{1, 1, 2, 1, 1, 2, 4}));
    EXPECT_EQ(Pool->Entry(0)->Counter, 4);
    EXPECT_EQ(Pool->Entry(1)->Counter, 2);
    EXPECT_EQ(Pool->Entry(2)->Counter, 1);
    EXPECT_EQ(Pool->TickCounter(), 5);
    for (const TFiring& f : Firings)
        EXPECT_EQ(f.Sender, Pool);
    EXPECT_EQ(Firings.back().Counter, 1);
    EXPECT_EQ(Firings[5].Counter, 2); // entry 2's second firing
}

TEST_F(KitTimerPool, MaxCountDisablesAfterTheLastFiring) {
    TKitTimerEntry* entry = AddEntry(7, 4, 3);
    Pool->UpdateTimer(true);
    SendTicks(20);
    // Ticks 4, 8 and 12 fire; the entry turns itself off at the third.
    ASSERT_EQ(Firings.size(), 3u);
    EXPECT_EQ(Firings[2].Counter, 3);
    EXPECT_FALSE(entry->Enabled);
    EXPECT_EQ(entry->Counter, 3);
    EXPECT_TRUE(Pool->Running()); // stops only at the next UpdateTimer
    EXPECT_EQ(Pool->EnabledCount(), 0);
}

TEST_F(KitTimerPool, DisabledEntriesAndDividersBelowOneNeverFire) {
    AddEntry(1, 0);
    AddEntry(2, -3);
    AddEntry(3, 1)->Enabled = false;
    AddEntry(4, 1);
    Pool->UpdateTimer(true);
    SendTicks(3);
    EXPECT_EQ(FiredIdents(), (std::vector<int>{4, 4, 4}));
    // Even tick 0, where every divider divides, skips them.
    Firings.clear();
    Pool->SetTickCounter(0);
    SendTicks(1);
    EXPECT_EQ(FiredIdents(), (std::vector<int>{4}));
}

TEST_F(KitTimerPool, EntryEventReplacesThePoolEvent) {
    TEntryHandler handler;
    TKitTimerEntry* own = AddEntry(1, 1);
    own->OnTimer = TNotifyEvent::Of<&TEntryHandler::Fired>(&handler);
    AddEntry(2, 1);
    Pool->UpdateTimer(true);
    SendTicks(2);
    EXPECT_EQ(handler.Senders, (std::vector<TObject*>{Pool, Pool}));
    EXPECT_EQ(FiredIdents(), (std::vector<int>{2, 2}));
    EXPECT_EQ(own->Counter, 2);
}

TEST_F(KitTimerPool, WithoutAnyEventTheCounterStillAdvances) {
    Pool->OnTimer = nullptr;
    TKitTimerEntry* entry = AddEntry(1, 1, 2);
    Pool->UpdateTimer(true);
    SendTicks(3);
    EXPECT_EQ(entry->Counter, 2);
    EXPECT_FALSE(entry->Enabled);
}

TEST_F(KitTimerPool, TickCounterContinuesAtZeroAfterTheLargestValue) {
    AddEntry(1, 1);
    AddEntry(3, 3);
    Pool->UpdateTimer(true);
    Pool->SetTickCounter(INT32_MAX);
    SendTicks(1); // 2147483647 is prime: only divider 1 fires
    EXPECT_EQ(FiredIdents(), (std::vector<int>{1}));
    EXPECT_EQ(Pool->TickCounter(), 0);
    SendTicks(1); // tick 0 fires every enabled entry
    EXPECT_EQ(FiredIdents(), (std::vector<int>{1, 1, 3}));
    EXPECT_EQ(Pool->TickCounter(), 1);
}

TEST_F(KitTimerPool, EntryCounterContinuesAtZero) {
    TKitTimerEntry* entry = AddEntry(1, 1, 5);
    entry->Counter = INT32_MAX;
    Pool->FireEntry(entry);
    EXPECT_EQ(entry->Counter, 0);
    EXPECT_EQ(Firings.back().Counter, 0);
    EXPECT_TRUE(entry->Enabled);
    // A maximum of 0 is reached by the wrapped counter.
    entry->MaxCount = 0;
    entry->Counter = INT32_MAX;
    Pool->FireEntry(entry);
    EXPECT_FALSE(entry->Enabled);
}

TEST_F(KitTimerPool, FireEntrySkipsADisabledEntry) {
    TKitTimerEntry* entry = AddEntry(1, 1);
    entry->Enabled = false;
    Pool->FireEntry(entry);
    EXPECT_EQ(entry->Counter, 0);
    EXPECT_TRUE(Firings.empty());
}

TEST_F(KitTimerPool, ARaisingHandlerStopsNeitherTheTickNorTheEntriesAfterIt) {
    // The real timer, until the first entry raised on four ticks; an entry
    // of divider 2 and one of divider 1 follow it.
    TOwnedPtr<TKitTimerPool> pool(new TKitTimerPool(nullptr, 1));
    pool->OnTimer = PoolEvent();
    TEntryHandler handler;
    for (const std::int32_t divider : {1, 2, 1}) {
        TKitTimerEntry* entry = pool->AddEntry();
        entry->Ident = static_cast<std::uint16_t>(pool->EntryCount());
        entry->Divider = divider;
        entry->Enabled = true;
    }
    pool->Entry(0)->OnTimer = TNotifyEvent::Of<&TEntryHandler::Raise>(&handler);
    pool->UpdateTimer(true);
    MSG msg;
    while (handler.Senders.size() < 4 && ::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    pool->UpdateTimer(false);
    EXPECT_EQ(pool->TickCounter(), 5);
    EXPECT_EQ(FiredIdents(), (std::vector<int>{3, 2, 3, 3, 2, 3}));
    EXPECT_EQ(Reported, std::vector<std::string>(4, "Fehler im Zeitgeber"));
    EXPECT_EQ(ReportSenders, std::vector<TObject*>(4, pool.get()));
    EXPECT_FALSE(pool->Busy());
}

TEST_F(KitTimerPool, TimerMessageDuringAHandlerIsDropped) {
    TEntryHandler handler;
    handler.Pool = Pool;
    AddEntry(1, 1)->OnTimer = TNotifyEvent::Of<&TEntryHandler::Nest>(&handler);
    Pool->UpdateTimer(true);
    SendTicks(2);
    EXPECT_EQ(handler.Senders.size(), 2u);
    EXPECT_EQ(Pool->TickCounter(), 3);
    EXPECT_FALSE(Pool->Busy());
}

TEST_F(KitTimerPool, PausedPoolFiresNothing) {
    AddEntry(1, 1);
    Pool->UpdateTimer(true);
    Pool->Pause();
    SendTicks(2);
    EXPECT_TRUE(Firings.empty());
    EXPECT_EQ(Pool->TickCounter(), 1);
    Pool->Resume();
    SendTicks(1);
    EXPECT_EQ(Firings.size(), 1u);
}

TEST_F(KitTimerPool, HandlerMayFreeALaterEntry) {
    TEntryHandler handler;
    TKitTimerEntry* first = AddEntry(1, 1);
    handler.ToFree = AddEntry(2, 1);
    AddEntry(3, 1);
    first->OnTimer = TNotifyEvent::Of<&TEntryHandler::FreeOther>(&handler);
    Pool->UpdateTimer(true);
    KeepFreedMemory = true; // the freed entry still reads as enabled
    SendTicks(1);
    KeepFreedMemory = false;
    EXPECT_EQ(Pool->EntryCount(), 2);
    EXPECT_EQ(FiredIdents(), (std::vector<int>{3}));
}

TEST_F(KitTimerPool, FreeingAnEntryTakesItOutOfThePool) {
    TKitTimerEntry* entry = AddEntry(1, 1);
    AddEntry(2, 1);
    delete entry;
    ASSERT_EQ(Pool->EntryCount(), 1);
    EXPECT_EQ(Pool->Entry(0)->Ident, 2);
}

TEST_F(KitTimerPool, ClearEntriesStopsAndEmpties) {
    AddEntry(1, 1);
    AddEntry(2, 1);
    Pool->UpdateTimer(true);
    Pool->ClearEntries();
    EXPECT_EQ(Pool->EntryCount(), 0);
    EXPECT_FALSE(Pool->Running());
    EXPECT_FALSE(::KillTimer(Pool->TimerWindow(), 1));
}

TEST_F(KitTimerPool, OtherMessagesGoToTheDefaultProcedure) {
    Pool->UpdateTimer(false);
    ::SetWindowTextA(Pool->TimerWindow(), "Zeitgeber");
    char text[32] = {};
    ::GetWindowTextA(Pool->TimerWindow(), text, sizeof text);
    EXPECT_STREQ(text, "Zeitgeber");
}

TEST_F(KitTimerPool, DestroyReleasesWindowAndTimer) {
    const std::int64_t windowsBefore = LiveHandleCount(THandleKind::Window);
    auto* pool = new TKitTimerPool(nullptr, NeverDuringATest);
    pool->AddEntry()->Enabled = true;
    pool->UpdateTimer(true);
    HWND window = pool->TimerWindow();
    EXPECT_EQ(LiveHandleCount(THandleKind::Window), windowsBefore + 1);
    Free(pool);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(LiveHandleCount(THandleKind::Window), windowsBefore);
}

TEST_F(KitTimerPool, APoolReleasesItsWindowWhateverItsState) {
    for (int state = 0; state < 3; ++state) {
        const std::int64_t windowsBefore = LiveHandleCount(THandleKind::Window);
        auto* pool = new TKitTimerPool(nullptr, 50);
        if (state > 0) {
            pool->AddEntry()->Enabled = true;
            pool->UpdateTimer(true);
        }
        if (state > 1)
            pool->UpdateTimer(false);
        const HWND window = pool->TimerWindow();
        EXPECT_EQ(window != nullptr, state > 0) << state;
        Free(pool);
        EXPECT_EQ(LiveHandleCount(THandleKind::Window), windowsBefore) << state;
        if (window) {
            EXPECT_FALSE(::IsWindow(window)) << state;
        }
    }
}

TEST_F(KitTimerPool, ARaisingTickUnderAModalLoopOpensOneReportAtATime) {
    // The real timer ticks every 10 ms; each report pumps messages, as a
    // modal error box does, until two more ticks have come through it. Each
    // report must finish before the next.
    auto* pool = new TKitTimerPool(nullptr, 10);
    TEntryHandler handler;
    TKitTimerEntry* entry = pool->AddEntry();
    entry->Enabled = true;
    entry->OnTimer = TNotifyEvent::Of<&TEntryHandler::Raise>(&handler);
    // Pumps until count timer messages have been dispatched (or a generous
    // time has passed, when the ticks have stopped: the checks below fail).
    auto pumpTicks = [](int count) {
        const DWORD start = ::GetTickCount();
        MSG msg;
        while (count > 0 && ::GetTickCount() - start < 10000) {
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::WaitMessage();
                continue;
            }
            count -= msg.message == WM_TIMER;
            ::DispatchMessageA(&msg);
        }
    };
    int depth = 0;
    int deepest = 0;
    OnReport = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (depth == 1) // a nested report fails the test; it must not nest on
            pumpTicks(2);
        --depth;
    };
    pool->UpdateTimer(true);
    const DWORD start = ::GetTickCount();
    while (Reported.size() < 3 && ::GetTickCount() - start < 10000)
        pumpTicks(1);
    Free(pool);
    EXPECT_EQ(deepest, 1);
    // The flag was cleared after each report, so the ticks went on.
    EXPECT_GE(Reported.size(), 3u);
    for (TObject* sender : ReportSenders)
        EXPECT_EQ(sender, pool);
}

TEST_F(KitTimerPool, AnEntryFreeingItselfLetsTheNextOneFire) {
    TEntryHandler handler;
    handler.Self = AddEntry(1, 1);
    handler.Self->OnTimer = TNotifyEvent::Of<&TEntryHandler::FreeSelf>(&handler);
    AddEntry(2, 1);
    AddEntry(3, 1);
    Pool->UpdateTimer(true);
    SendTicks(1);
    EXPECT_EQ(Pool->EntryCount(), 2);
    EXPECT_EQ(FiredIdents(), (std::vector<int>{2, 3}));
}

TEST_F(KitTimerPool, AHandlerFreeingThePoolEndsTheTickWithoutTouchingIt) {
    // The first entry's handler frees the pool (then raises, the second
    // time): the entries after it do not fire, and nothing of the tick
    // writes to the freed pool.
    for (const bool raise : {false, true}) {
        auto* pool = new TMarkedPool(nullptr, NeverDuringATest);
        TPoolFreer freer{pool};
        TKitTimerEntry* first = pool->AddEntry();
        first->Divider = 1;
        first->Enabled = true;
        first->OnTimer = raise ? TNotifyEvent::Of<&TPoolFreer::Raise>(&freer)
                               : TNotifyEvent::Of<&TPoolFreer::Free>(&freer);
        TKitTimerEntry* second = pool->AddEntry();
        second->Divider = 1;
        second->Enabled = true;
        pool->OnTimer = PoolEvent();
        pool->UpdateTimer(true);
        const HWND window = pool->TimerWindow();
        ::SendMessageA(window, WM_TIMER, 1, 0);
        EXPECT_TRUE(TMarkedPool::MarkKept()) << raise;
        EXPECT_TRUE(Firings.empty()) << raise;
        EXPECT_FALSE(::IsWindow(window)) << raise;
        if (raise) {
            ASSERT_EQ(Reported.size(), 1u);
            EXPECT_EQ(ReportSenders[0], nullptr) << "the pool is gone";
        }
    }
}

TEST_F(KitTimerPool, NegativeCountersContinueAtZero) {
    TKitTimerEntry* entry = AddEntry(1, 1);
    entry->Counter = -5;
    Pool->UpdateTimer(true);
    Pool->SetTickCounter(-7);
    SendTicks(1);
    EXPECT_EQ(entry->Counter, 0);
    EXPECT_EQ(Firings.back().Counter, 0);
    EXPECT_EQ(Pool->TickCounter(), 0);
}

TEST_F(KitTimerPool, AForeignExceptionIsReportedWithThePoolAsSender) {
    TEntryHandler handler;
    AddEntry(1, 1)->OnTimer = TNotifyEvent::Of<&TEntryHandler::ThrowForeign>(&handler);
    Pool->UpdateTimer(true);
    SendTicks(1);
    ASSERT_EQ(Reported.size(), 1u);
    EXPECT_EQ(Reported[0], ForeignExceptionText);
    EXPECT_EQ(ReportSenders[0], Pool);
    EXPECT_FALSE(Pool->Busy());
}

TEST_F(KitTimerPool, DesignTimePoolNeverMakesAWindow) {
    TKitTimerPool pool(nullptr, 50);
    pool.IncludeState(csDesigning);
    pool.AddEntry()->Enabled = true;
    pool.UpdateTimer(true);
    EXPECT_EQ(pool.TimerWindow(), nullptr);
    EXPECT_FALSE(pool.Running());
}
