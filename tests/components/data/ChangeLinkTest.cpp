#include "components/data/kitdatalists.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder {
    std::vector<TObject*> Senders;
    // When set, every call also enters this recorder here, so several
    // recorders sharing one log show the order they were called in.
    std::vector<const Recorder*>* Calls = nullptr;
    void Changed(TObject* sender) {
        Senders.push_back(sender);
        if (Calls)
            Calls->push_back(this);
    }
    TNotifyEvent Event() { return TNotifyEvent::Of<&Recorder::Changed>(this); }
};

TEST(ChangeLinkTest, ContainerChangeCallsLinksInOrderThenItsOwnEvent) {
    TKitStringList list(nullptr);
    TKitChangeLink first, second, third;
    std::vector<const Recorder*> calls;
    Recorder a, b, c, own;
    for (Recorder* r : {&a, &b, &c, &own})
        r->Calls = &calls;
    first.OnChange = a.Event();
    second.OnChange = b.Event();
    third.OnChange = c.Event();
    list.OnChange = own.Event();
    // Registered out of the order the links were made in.
    list.AddChangeLink(&second);
    list.AddChangeLink(&third);
    list.AddChangeLink(&first);
    EXPECT_EQ(first.Container(), &list);
    list.Change();
    const std::vector<const Recorder*> expected{&b, &c, &a, &own};
    EXPECT_EQ(calls, expected);
    for (const Recorder* r : {&a, &b, &c, &own})
        EXPECT_EQ(r->Senders, std::vector<TObject*>{&list});
}

TEST(ChangeLinkTest, LinksAreCalledDuringAnUpdateButTheOwnEventWaits) {
    TKitStringList list(nullptr);
    TKitChangeLink link;
    Recorder r, own;
    link.OnChange = r.Event();
    list.OnChange = own.Event();
    list.AddChangeLink(&link);
    list.BeginUpdate();
    list.AddItem();
    list.AddItem();
    EXPECT_EQ(r.Senders.size(), 2u);
    EXPECT_TRUE(own.Senders.empty());
    list.EndUpdate(true);
    EXPECT_EQ(r.Senders.size(), 3u);
    EXPECT_EQ(own.Senders.size(), 1u);
}

TEST(ChangeLinkTest, RegisteringTwiceOrWithAnotherContainerMovesTheLink) {
    TKitStringList one(nullptr), two(nullptr);
    TKitChangeLink link;
    Recorder r;
    link.OnChange = r.Event();
    one.AddChangeLink(&link);
    one.AddChangeLink(&link);
    EXPECT_EQ(one.ChangeLinkCount(), 1);
    one.Change();
    EXPECT_EQ(r.Senders.size(), 1u);

    two.AddChangeLink(&link);
    EXPECT_EQ(link.Container(), &two);
    EXPECT_EQ(one.ChangeLinkCount(), 0);
    EXPECT_EQ(two.ChangeLinkCount(), 1);
    one.Change();
    EXPECT_EQ(r.Senders.size(), 1u);
}

TEST(ChangeLinkTest, RemovingALinkOfAnotherContainerChangesNothing) {
    TKitStringList one(nullptr), two(nullptr);
    TKitChangeLink link;
    two.AddChangeLink(&link);
    one.RemoveChangeLink(&link);
    EXPECT_EQ(link.Container(), &two);
    EXPECT_EQ(two.ChangeLinkCount(), 1);
    two.RemoveChangeLink(&link);
    EXPECT_EQ(link.Container(), nullptr);
    EXPECT_EQ(two.ChangeLinkCount(), 0);
    two.RemoveChangeLink(nullptr);
}

TEST(ChangeLinkTest, FreeingALinkUnregistersIt) {
    TKitStringList list(nullptr);
    TKitChangeLink stays;
    {
        TKitChangeLink gone;
        list.AddChangeLink(&gone);
        list.AddChangeLink(&stays);
    }
    EXPECT_EQ(list.ChangeLinkCount(), 1);
    EXPECT_EQ(list.ChangeLink(0), &stays);
    list.Change();
}

TEST(ChangeLinkTest, FreeingTheContainerFirstLeavesTheLinksAliveWithoutContainer) {
    TKitChangeLink a, b;
    Recorder r;
    a.OnChange = r.Event();
    auto* list = new TKitStringList(nullptr);
    list->AddChangeLink(&a);
    list->AddChangeLink(&b);
    Free(list);
    EXPECT_EQ(a.Container(), nullptr);
    EXPECT_EQ(b.Container(), nullptr);
    a.Change(); // no container: Sender is null
    ASSERT_EQ(r.Senders.size(), 1u);
    EXPECT_EQ(r.Senders[0], nullptr);
}

TEST(ChangeLinkTest, AHandlerMayUnregisterLinksDuringTheChange) {
    TKitStringList list(nullptr);
    TKitChangeLink first, second;
    struct Remover {
        TKitStringList* List;
        TKitChangeLink* Other;
        void Changed(TObject*) { List->RemoveChangeLink(Other); }
    } remover{&list, &second};
    Recorder r;
    first.OnChange = TNotifyEvent::Of<&Remover::Changed>(&remover);
    second.OnChange = r.Event();
    list.AddChangeLink(&first);
    list.AddChangeLink(&second);
    list.Change();
    EXPECT_TRUE(r.Senders.empty());
}

TEST(ChangeLinkTest, ItemChangeReachesTheContainerEventButNotItsLinks) {
    TKitStringList list(nullptr);
    TKitChangeLink link;
    Recorder links, own;
    link.OnChange = links.Event();
    list.AddChangeLink(&link);
    list.AddItem();
    links.Senders.clear();
    list.OnChange = own.Event();
    list.BeginUpdate(); // not consulted for item changes
    list.Items(0)->Change();
    ASSERT_EQ(own.Senders.size(), 1u);
    EXPECT_EQ(own.Senders[0], list.Items(0));
    EXPECT_TRUE(links.Senders.empty());
    list.EndUpdate(false);
}

} // namespace
