#include "components/kitdatalists.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder {
    std::vector<TObject*> Senders;
    void Changed(TObject* sender) { Senders.push_back(sender); }
    TNotifyEvent Event() { return TNotifyEvent::Of<&Recorder::Changed>(this); }
};

TEST(ChangeLinkTest, ContainerChangeCallsLinksInOrderThenItsOwnEvent) {
    TKitStringList list(nullptr);
    TKitChangeLink first, second;
    std::vector<int> order;
    Recorder a, b, own;
    first.OnChange = a.Event();
    second.OnChange = b.Event();
    list.OnChange = own.Event();
    list.AddChangeLink(&first);
    list.AddChangeLink(&second);
    EXPECT_EQ(first.Container(), &list);
    list.Change();
    ASSERT_EQ(a.Senders.size(), 1u);
    EXPECT_EQ(a.Senders[0], &list);
    EXPECT_EQ(b.Senders.size(), 1u);
    EXPECT_EQ(own.Senders.size(), 1u);
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
