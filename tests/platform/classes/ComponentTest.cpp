// Ownership, names, notifications and the two-step destruction of components.

#include "platform/classes/Component.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Records every notification it sees and what it could still see of the
// notified component at that moment.
class Listener : public TComponent {
    TESSARO_CLASS(Listener, TComponent)
public:
    Listener(TComponent* owner, std::vector<std::string>* log) : TComponent(owner), FLog(log) {}
    ~Listener() override { FLog->push_back("delete " + Name()); }

    void Notification(TComponent* c, TOperation op) override {
        if (c != this)
            FLog->push_back(Name() + (op == opInsert ? " +" : " -") + c->Name() +
                            (c->Destroying() ? " (destroying)" : "") + " " + c->ClassName());
        TComponent::Notification(c, op);
    }
    void BeforeDestruction() override {
        FLog->push_back("before " + Name());
        TComponent::BeforeDestruction();
    }

private:
    std::vector<std::string>* FLog;
};

// A component whose own data must still be alive when others hear about its
// removal: the most derived override answers ClassName while notifying.
class Special : public Listener {
    TESSARO_CLASS(Special, Listener)
public:
    using Listener::Listener;
};

} // namespace

const TClassInfo& Listener::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<Listener>("Listener");
    return info;
}

const TClassInfo& Special::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<Special>("Special");
    return info;
}

TEST(Component, OwnerKeepsInsertionOrderAndFindsByNameCaseInsensitive) {
    std::vector<std::string> log;
    TOwnedPtr<Listener> root(new Listener(nullptr, &log));
    auto* a = new Listener(root.get(), &log);
    a->SetName("Alpha");
    auto* b = new Listener(root.get(), &log);
    b->SetName("Beta");
    ASSERT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->Components(0), a);
    EXPECT_EQ(root->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(root->FindComponent("beta"), b);
    EXPECT_EQ(root->FindComponent(""), nullptr);
    EXPECT_THROW(root->Components(2), EListError);
    EXPECT_THROW(root->Components(-1), EListError);
}

TEST(Component, NamesMustBeIdentifiersAndUniqueWithinOwner) {
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* a = new TComponent(root.get());
    a->SetName("Button1");
    auto* b = new TComponent(root.get());
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1abc"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    EXPECT_NO_THROW(b->SetName("_b2"));
    EXPECT_NO_THROW(a->SetName("button1")); // renaming itself in another case is fine
    EXPECT_NO_THROW(b->SetName(""));
    // A second owner does not see the first one's names.
    TOwnedPtr<TComponent> other(new TComponent(nullptr));
    auto* c = new TComponent(other.get());
    EXPECT_NO_THROW(c->SetName("button1"));
    // Moving a component into an owner that already has its name fails.
    EXPECT_THROW(root->InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), other.get()) << "a failed move leaves it with its old owner";
}

TEST(Component, InsertAndRemoveNotifyTheWholeOwnerTree) {
    std::vector<std::string> log;
    TOwnedPtr<Listener> root(new Listener(nullptr, &log));
    root->SetName("Root");
    auto* form = new Listener(root.get(), &log);
    form->SetName("Form");
    auto* inner = new Listener(form, &log);
    inner->SetName("Inner");
    log.clear();

    auto* late = new Listener(nullptr, &log);
    late->SetName("Late");
    root->InsertComponent(late);
    EXPECT_EQ(log, (std::vector<std::string>{"Root +Late Listener", "Form +Late Listener",
                                             "Inner +Late Listener"}))
        << "the insert reaches components owned by owned components";
    log.clear();
    root->RemoveComponent(late);
    EXPECT_EQ(late->Owner(), nullptr);
    EXPECT_EQ(log.size(), 3u);
    Free(late);
}

TEST(Component, FreeDestroysOwnedComponentsLastFirstWhileTheyAreWhole) {
    std::vector<std::string> log;
    auto* root = new Listener(nullptr, &log);
    root->SetName("Root");
    auto* first = new Listener(root, &log);
    first->SetName("First");
    auto* second = new Special(root, &log);
    second->SetName("Second");
    log.clear();

    Free(root);
    // The second one goes first; when First hears about it, Second is still
    // a whole Special, marked as destroying.
    const std::vector<std::string> expected = {
        "before Root",
        "before Second",
        "Root -Second (destroying) Special",
        "First -Second (destroying) Special",
        "delete Second",
        "before First",
        "Root -First (destroying) Listener",
        "delete First",
        "delete Root",
    };
    EXPECT_EQ(log, expected);
}

TEST(Component, FreeNotificationIsMutualAndClearedOnRemove) {
    std::vector<std::string> log;
    auto* watcher = new Listener(nullptr, &log);
    watcher->SetName("Watcher");
    auto* watched = new Listener(nullptr, &log);
    watched->SetName("Watched");
    watcher->FreeNotification(watched);
    log.clear();

    Free(watched);
    EXPECT_EQ(log,
              (std::vector<std::string>{"before Watched", "Watcher -Watched (destroying) Listener",
                                        "delete Watched"}));
    log.clear();
    // Watched is gone from Watcher's list: freeing Watcher tells nobody.
    Free(watcher);
    EXPECT_EQ(log, (std::vector<std::string>{"before Watcher", "delete Watcher"}));
}

TEST(Component, FreeNotificationTellsTheOtherSideToo) {
    std::vector<std::string> log;
    auto* a = new Listener(nullptr, &log);
    a->SetName("A");
    auto* b = new Listener(nullptr, &log);
    b->SetName("B");
    a->FreeNotification(b);
    a->FreeNotification(b); // twice is the same as once
    log.clear();
    Free(a);
    EXPECT_EQ(log,
              (std::vector<std::string>{"before A", "B -A (destroying) Listener", "delete A"}));
    log.clear();
    Free(b);
    EXPECT_EQ(log, (std::vector<std::string>{"before B", "delete B"}));
}

TEST(Component, PlainDeleteStillDetachesFromOwnerAndFreesChildren) {
    std::vector<std::string> log;
    TOwnedPtr<Listener> root(new Listener(nullptr, &log));
    root->SetName("Root");
    auto* mid = new Listener(root.get(), &log);
    mid->SetName("Mid");
    auto* leaf = new Listener(mid, &log);
    leaf->SetName("Leaf");
    delete mid;
    EXPECT_EQ(root->ComponentCount(), 0);
    EXPECT_NE(std::find(log.begin(), log.end(), "delete Leaf"), log.end());
}

TEST(Component, LoadedClearsLoadingState) {
    TComponent c(nullptr);
    c.IncludeState(csLoading);
    EXPECT_TRUE(c.Loading());
    c.Loaded();
    EXPECT_FALSE(c.Loading());
}

TEST(Component, FreeIgnoresNullAndFreeAndNilClears) {
    Free(nullptr);
    TComponent* c = new TComponent(nullptr);
    FreeAndNil(c);
    EXPECT_EQ(c, nullptr);
}

TEST(Component, ANotificationWalkSkipsWhatAHandlerFreesAndWhatItInserts) {
    // On hearing of X, B frees A (already told) and C (not yet told) and
    // inserts E: C is never told, D and X still are, E hears only of itself.
    struct Probe : TComponent {
        Probe(TComponent* owner, std::string name, std::vector<std::string>* log)
            : TComponent(owner), Label(std::move(name)), Log(log) {}
        void Notification(TComponent* c, TOperation op) override {
            TComponent::Notification(c, op);
            if (op != opInsert)
                return;
            auto* other = static_cast<Probe*>(c);
            Log->push_back(Label + " +" + other->Label);
            if (Victims.empty())
                return;
            for (TComponent* victim : std::exchange(Victims, {}))
                Free(victim);
            Owner()->InsertComponent(new Probe(nullptr, "E", Log));
        }
        std::string Label;
        std::vector<std::string>* Log;
        std::vector<TComponent*> Victims;
    };
    std::vector<std::string> log;
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    const auto add = [&](const char* name) {
        auto* probe = new Probe(nullptr, name, &log);
        root->InsertComponent(probe);
        return probe;
    };
    Probe* a = add("A");
    Probe* b = add("B");
    Probe* c = add("C");
    add("D");
    b->Victims = {a, c};
    log.clear();
    add("X");
    EXPECT_EQ(log, (std::vector<std::string>{"A +X", "B +X", "B +E", "D +E", "X +E", "E +E", "D +X",
                                             "X +X"}));
    EXPECT_EQ(root->ComponentCount(), 4);
}
