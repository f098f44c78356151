// The window-procedure lists: lookup against a model, the lookup cache,
// and passing messages to the saved procedure.

#include "platform/controls/Control.h"
#include "theming/ThemeMgr.h"
#include "theming/WindowProcList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace {
using ControlPtr = TOwnedPtr<TControl>;

std::vector<ControlPtr> MakeControls(int count) {
    std::vector<ControlPtr> controls;
    for (int i = 0; i < count; ++i)
        controls.emplace_back(new TControl(nullptr));
    return controls;
}

// Controls ordered by address, as the list sorts them.
std::vector<TControl*> ByAddress(const std::vector<ControlPtr>& controls) {
    std::vector<TControl*> sorted;
    for (const auto& c : controls)
        sorted.push_back(c.get());
    std::ranges::sort(sorted, std::less<TControl*>());
    return sorted;
}

TWindowProcList MakeList() {
    return TWindowProcList(nullptr, "TControl", ThemedClassStub(TThemedClass::tcWinControl));
}

// The procedure a control had before any list touched it.
struct Recorder {
    explicit Recorder(TControl* control, TWindowProcList& list)
        : Control(control), Original(control->WindowProc), List(list) {
        control->WindowProc = TWndMethod::Of<&Recorder::Receive>(this);
    }
    // The control outlives the recorder: nothing may point here afterwards.
    ~Recorder() {
        List.UnsubclassControl(Control);
        Control->WindowProc = Original;
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    void Receive(TMessage& message) {
        Messages.push_back(message.Msg);
        ProcDuringCall.push_back(Control->WindowProc);
        message.Result = 42;
        if (OnMessage)
            OnMessage(message);
    }
    TControl* Control;
    TWndMethod Original;
    TWindowProcList& List;
    std::vector<UINT> Messages;
    std::vector<TWndMethod> ProcDuringCall;
    std::function<void(TMessage&)> OnMessage;
};
} // namespace

TEST(WindowProcList, RandomSequencesAgreeWithASetModel) {
    auto controls = MakeControls(40);
    std::map<TControl*, TWndMethod> original;
    for (const auto& c : controls)
        original[c.get()] = c->WindowProc;
    TWindowProcList list(nullptr, "TControl", ThemedClassStub(TThemedClass::tcPanel));
    std::set<TControl*> model;
    std::mt19937 random(20261208);
    for (int step = 0; step < 3000; ++step) {
        TControl* c = controls[random() % controls.size()].get();
        switch (random() % 3) {
        case 0: {
            const int index = list.SubclassControl(c);
            if (model.contains(c)) {
                EXPECT_EQ(index, -1);
            } else {
                ASSERT_GE(index, 0);
                EXPECT_EQ(list.Controls(index), c);
                model.insert(c);
            }
            break;
        }
        case 1: {
            int index = -1;
            const bool found = list.FindSubclassedControl(c, index);
            ASSERT_EQ(found, model.contains(c)) << "step " << step;
            if (found) {
                EXPECT_EQ(list.Controls(index), c);
            }
            break;
        }
        default:
            list.UnsubclassControl(c);
            model.erase(c);
        }
        ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
        if (list.CachedControl()) {
            ASSERT_EQ(list.Controls(list.CachedIndex()), list.CachedControl()) << "step " << step;
        }
        for (const auto& ctl : controls) {
            const TWndMethod expected =
                model.contains(ctl.get()) ? list.StubFor(ctl.get()) : original[ctl.get()];
            ASSERT_TRUE(ctl->WindowProc == expected) << "step " << step;
        }
    }
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    for (const auto& c : controls)
        EXPECT_TRUE(c->WindowProc == original[c.get()]);
}

TEST(WindowProcList, RefusesOtherClassesAndDuplicatesUnchanged) {
    auto controls = MakeControls(1);
    TControl* c = controls[0].get();
    const TWndMethod before = c->WindowProc;
    TWindowProcList panels(nullptr, "TCustomPanel", ThemedClassStub(TThemedClass::tcPanel));
    EXPECT_EQ(panels.SubclassControl(c), -1);
    EXPECT_TRUE(c->WindowProc == before);
    EXPECT_EQ(panels.Count(), 0);

    auto list = MakeList();
    EXPECT_EQ(list.SubclassControl(c), 0);
    const TWndMethod stub = c->WindowProc;
    EXPECT_EQ(list.SubclassControl(c), -1);
    EXPECT_TRUE(c->WindowProc == stub);
    EXPECT_EQ(list.Count(), 1);
    list.UnsubclassControl(c);
    EXPECT_TRUE(c->WindowProc == before);
}

TEST(WindowProcList, ListsUnsortedUntilTheFirstLookupThenHitsTheCache) {
    auto controls = MakeControls(3);
    auto sorted = ByAddress(controls);
    auto list = MakeList();
    EXPECT_EQ(list.SubclassControl(sorted[2]), 0);
    EXPECT_EQ(list.SubclassControl(sorted[0]), 1);
    EXPECT_EQ(list.SubclassControl(sorted[1]), 2);
    EXPECT_TRUE(list.NeedsSort());

    int index = -1;
    ASSERT_TRUE(list.FindSubclassedControl(sorted[0], index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.NeedsSort());
    EXPECT_EQ(list.CachedControl(), sorted[0]);
    EXPECT_EQ(list.CachedIndex(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.Controls(i), sorted[static_cast<size_t>(i)]);

    ASSERT_TRUE(list.FindSubclassedControl(sorted[0], index));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(list.CachedControl(), sorted[0]);
}

TEST(WindowProcList, AppendingBelowTheCachedControlResortsOnTheNextOtherLookup) {
    auto controls = MakeControls(3);
    auto sorted = ByAddress(controls);
    auto list = MakeList();
    list.SubclassControl(sorted[1]);
    list.SubclassControl(sorted[2]);
    int index = -1;
    ASSERT_TRUE(list.FindSubclassedControl(sorted[2], index));
    EXPECT_EQ(index, 1);

    list.SubclassControl(sorted[0]);
    // The cached entry has not moved yet: the append went to the end.
    ASSERT_TRUE(list.FindSubclassedControl(sorted[2], index));
    EXPECT_EQ(list.Controls(index), sorted[2]);
    EXPECT_TRUE(list.NeedsSort());

    ASSERT_TRUE(list.FindSubclassedControl(sorted[1], index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.NeedsSort());
    EXPECT_EQ(list.CachedControl(), sorted[1]);
    ASSERT_TRUE(list.FindSubclassedControl(sorted[2], index));
    EXPECT_EQ(index, 2);
}

TEST(WindowProcList, MissReportsTheInsertPosition) {
    auto controls = MakeControls(4);
    auto sorted = ByAddress(controls);
    auto list = MakeList();
    list.SubclassControl(sorted[0]);
    list.SubclassControl(sorted[3]);
    int index = -1;
    EXPECT_FALSE(list.FindSubclassedControl(sorted[1], index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.FindSubclassedControl(nullptr, index));
    EXPECT_EQ(index, 0);
}

TEST(WindowProcList, RemovingAtOrBeforeTheCachedIndexResetsTheCacheAfterItKeepsIt) {
    auto controls = MakeControls(4);
    auto sorted = ByAddress(controls);
    auto list = MakeList();
    for (TControl* c : sorted)
        list.SubclassControl(c);
    int index = -1;
    ASSERT_TRUE(list.FindSubclassedControl(sorted[2], index));
    ASSERT_EQ(index, 2);

    list.UnsubclassControl(sorted[3]);
    EXPECT_EQ(list.CachedControl(), sorted[2]);
    EXPECT_EQ(list.CachedIndex(), 2);

    list.UnsubclassControl(sorted[0]);
    EXPECT_EQ(list.CachedControl(), nullptr);
    EXPECT_EQ(list.CachedIndex(), -1);
    ASSERT_TRUE(list.FindSubclassedControl(sorted[2], index));
    EXPECT_EQ(index, 1);

    list.UnsubclassControl(sorted[2]);
    EXPECT_EQ(list.CachedControl(), nullptr);
    EXPECT_FALSE(list.FindSubclassedControl(sorted[2], index));
    ASSERT_TRUE(list.FindSubclassedControl(sorted[1], index));
    EXPECT_EQ(index, 0);
}

TEST(WindowProcList, AMissBeforeTheCachedIndexResetsTheCache) {
    auto controls = MakeControls(3);
    auto sorted = ByAddress(controls);
    auto list = MakeList();
    list.SubclassControl(sorted[0]);
    list.SubclassControl(sorted[2]);
    int index = -1;
    ASSERT_TRUE(list.FindSubclassedControl(sorted[2], index));
    list.UnsubclassControl(sorted[1]);
    EXPECT_EQ(list.CachedControl(), nullptr);
    EXPECT_EQ(list.Count(), 2);
}

class SavedProcedure : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ActiveThemeManager, nullptr);
        manager.reset(new TThemeManager(nullptr));
        ASSERT_EQ(ActiveThemeManager, manager.get());
        controls = MakeControls(2);
    }
    TOwnedPtr<TThemeManager> manager;
    std::vector<ControlPtr> controls;
    TWindowProcList list = MakeList();
};

TEST_F(SavedProcedure, PassesTheMessageAndItsResult) {
    // Through the stub, as the control's messages come: a list of no manager
    // passes them on itself, whichever manager is active.
    Recorder rec(controls[0].get(), list);
    list.SubclassControl(rec.Control);
    EXPECT_EQ(rec.Control->Perform(WM_USER + 5, 1, 2), 42);
    EXPECT_EQ(rec.Messages, std::vector<UINT>{WM_USER + 5});
}

TEST_F(SavedProcedure, DropsTheMessageOfAControlNotListed) {
    Recorder rec(controls[0].get(), list);
    TMessage message{WM_USER, 0, 0, 7};
    list.CallSavedWindowProc(rec.Control, message);
    EXPECT_TRUE(rec.Messages.empty());
    EXPECT_EQ(message.Result, 7);
}

TEST_F(SavedProcedure, SurvivesTheOldProcedureUnsubclassingItsControl) {
    Recorder first(controls[0].get(), list);
    Recorder second(controls[1].get(), list);
    list.SubclassControl(first.Control);
    list.SubclassControl(second.Control);
    first.OnMessage = [&](TMessage&) {
        list.UnsubclassControl(second.Control);
        list.UnsubclassControl(first.Control);
    };
    TMessage message{WM_USER, 0, 0, 0};
    list.CallSavedWindowProc(first.Control, message);
    EXPECT_EQ(first.Messages.size(), 1u);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(first.Control->WindowProc == TWndMethod::Of<&Recorder::Receive>(&first));
}

TEST_F(SavedProcedure, RecreateRequestIsQueuedBeforeTheOldProcedureRuns) {
    Recorder rec(controls[0].get(), list);
    list.SubclassControl(rec.Control);
    bool queuedDuringCall = false;
    rec.OnMessage = [&](TMessage&) {
        queuedDuringCall = manager->IsPendingRecreation(rec.Control);
    };
    TMessage message{CM_RECREATEWND, 0, 0, 0};
    list.CallSavedWindowProc(rec.Control, message);
    EXPECT_TRUE(queuedDuringCall);
    manager->DropPendingRecreation(rec.Control);
}

TEST_F(SavedProcedure, DestroyDuringAQueuedRecreationKeepsTheEntry) {
    Recorder rec(controls[0].get(), list);
    list.SubclassControl(rec.Control);
    manager->QueueRecreation(rec.Control);
    TMessage message{WM_DESTROY, 0, 0, 0};
    list.CallSavedWindowProc(rec.Control, message);
    EXPECT_EQ(rec.Messages, std::vector<UINT>{WM_DESTROY});
    int index = -1;
    EXPECT_TRUE(list.FindSubclassedControl(rec.Control, index));
    EXPECT_TRUE(rec.Control->WindowProc == list.StubFor(rec.Control));
    EXPECT_TRUE(manager->IsPendingRecreation(rec.Control));

    // Leaving the list also leaves the queue.
    list.UnsubclassControl(rec.Control);
    EXPECT_FALSE(manager->IsPendingRecreation(rec.Control));
}

TEST_F(SavedProcedure, DestroyWhileBeingDestroyedRestoresAfterTheOldProcedure) {
    Recorder rec(controls[0].get(), list);
    list.SubclassControl(rec.Control);
    const TWndMethod stub = list.StubFor(rec.Control);
    ASSERT_TRUE(rec.Control->WindowProc == stub);
    manager->QueueRecreation(rec.Control);
    rec.Control->IncludeState(csDestroying);
    TMessage message{WM_DESTROY, 0, 0, 0};
    list.CallSavedWindowProc(rec.Control, message);
    rec.Control->ExcludeState(csDestroying);
    ASSERT_EQ(rec.ProcDuringCall.size(), 1u);
    EXPECT_TRUE(rec.ProcDuringCall[0] == stub);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(rec.Control->WindowProc == TWndMethod::Of<&Recorder::Receive>(&rec));
    EXPECT_FALSE(manager->IsPendingRecreation(rec.Control));
}

TEST_F(SavedProcedure, DestroyWithoutRecreationUnsubclasses) {
    Recorder rec(controls[0].get(), list);
    list.SubclassControl(rec.Control);
    TMessage message{WM_DESTROY, 0, 0, 0};
    list.CallSavedWindowProc(rec.Control, message);
    EXPECT_EQ(list.Count(), 0);
}
