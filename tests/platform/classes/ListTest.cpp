// TList: checked indexes and the order of its entries.

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
    l.Delete(0);
    EXPECT_EQ(l[0], &b);
    EXPECT_EQ(l.Remove(&c), 1);
    EXPECT_EQ(l.Remove(&c), -1);
    EXPECT_EQ(l.IndexOf(&d), 1);
}

TEST(List, BadIndexesRaiseListError) {
    TList l;
    EXPECT_THROW(l.Get(0), EListError);
    EXPECT_THROW(l.Insert(1, &a), EListError);
    l.Add(&a);
    EXPECT_THROW(l.Delete(1), EListError);
    try {
        l.Get(7);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "Listenindex überschreitet das Maximum (7)");
    }
}
