// Events: closures of object and method.

#include "platform/classes/Component.h"
#include "platform/classes/Event.h"

#include <gtest/gtest.h>

namespace {
struct Target : TComponent {
    using TComponent::TComponent;
    int Clicks = 0;
    TObject* LastSender = nullptr;
    void Click(TObject* sender) {
        ++Clicks;
        LastSender = sender;
    }
    void Other(TObject*) { Clicks += 100; }
    void Query(TObject*, bool& canClose) { canClose = false; }
};
} // namespace

TEST(Event, EmptyAssignedCalledAndCompared) {
    Target t(nullptr), u(nullptr);
    TNotifyEvent e;
    EXPECT_FALSE(e);
    e(&t); // calling an empty event does nothing
    e = TNotifyEvent::Of<&Target::Click>(&t);
    EXPECT_TRUE(e.Assigned());
    e(&u);
    EXPECT_EQ(t.Clicks, 1);
    EXPECT_EQ(t.LastSender, &u);
    EXPECT_TRUE(e == TNotifyEvent::Of<&Target::Click>(&t));
    EXPECT_FALSE(e == TNotifyEvent::Of<&Target::Click>(&u)) << "same method, other object";
    EXPECT_FALSE(e == TNotifyEvent::Of<&Target::Other>(&t)) << "same object, other method";
    e.Clear();
    EXPECT_FALSE(e);
}

TEST(Event, ErasedMethodsOnlyFitTheirOwnSignature) {
    Target t(nullptr);
    TEvent<TObject*, bool&> query = TEvent<TObject*, bool&>::Of<&Target::Query>(&t);
    TNotifyEvent notify;
    EXPECT_FALSE(notify.Assign(query.Erase()));
    EXPECT_FALSE(notify);
    TEvent<TObject*, bool&> copy;
    EXPECT_TRUE(copy.Assign(query.Erase()));
    bool canClose = true;
    copy(&t, canClose);
    EXPECT_FALSE(canClose);
    EXPECT_TRUE(copy.Assign(TErasedMethod{}));
    EXPECT_FALSE(copy);
}

TEST(Event, PublishedMethodBindsOnlyToItsOwnClass) {
    const TPublishedMethod m = TPublishedMethod::Of<&Target::Click>("Click");
    Target t(nullptr);
    TComponent plain(nullptr);
    EXPECT_FALSE(m.Bind(&plain).Assigned());
    TNotifyEvent e;
    ASSERT_TRUE(e.Assign(m.Bind(&t)));
    e(nullptr);
    EXPECT_EQ(t.Clicks, 1);
}
