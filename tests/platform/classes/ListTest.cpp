// TList: checked indexes and order-changing operations.

#include "platform/classes/List.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {
int a = 1, b = 2, c = 3, d = 4;
}

TEST(List, AddInsertDeleteKeepOrder) {
    TList l;
    EXPECT_EQ(l.Add(&a), 0);
    EXPECT_EQ(l.Add(&c), 1);
    l.Insert(1, &b);
    l.Insert(3, &d); // inserting at Count appends
    ASSERT_EQ(l.Count(), 4);
    EXPECT_EQ(l[0], &a);
    EXPECT_EQ(l[1], &b);
    EXPECT_EQ(l.Last(), &d);
    l.Delete(0);
    EXPECT_EQ(l.First(), &b);
    EXPECT_EQ(l.Remove(&c), 1);
    EXPECT_EQ(l.Remove(&c), -1);
    EXPECT_EQ(l.IndexOf(&d), 1);
}

TEST(List, BadIndexesRaiseListError) {
    TList l;
    EXPECT_THROW(l.Get(0), EListError);
    EXPECT_THROW(l.First(), EListError);
    EXPECT_THROW(l.Last(), EListError);
    EXPECT_THROW(l.Insert(1, &a), EListError);
    l.Add(&a);
    EXPECT_THROW(l.Delete(1), EListError);
    EXPECT_THROW(l.Put(-1, &b), EListError);
    EXPECT_THROW(l.Exchange(0, 1), EListError);
    EXPECT_THROW(l.Move(0, 5), EListError);
    EXPECT_THROW(l.SetCount(-1), EListError);
    try {
        l.Get(7);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "Listenindex überschreitet das Maximum (7)");
    }
}

TEST(List, MoveExchangePackSortExtract) {
    TListOf<int> l;
    l.Add(&c);
    l.Add(nullptr);
    l.Add(&a);
    l.Add(&b);
    l.Pack();
    ASSERT_EQ(l.Count(), 3);
    l.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
    EXPECT_EQ(*l[0], 1);
    EXPECT_EQ(*l[2], 3);
    l.Move(0, 2);
    EXPECT_EQ(*l[2], 1);
    l.Exchange(0, 2);
    EXPECT_EQ(*l[0], 1);
    EXPECT_EQ(l.Extract(&b), &b);
    EXPECT_EQ(l.Extract(&b), nullptr);
    l.SetCount(4);
    EXPECT_EQ(l.Get(3), nullptr);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}
