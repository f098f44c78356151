#include "DataTestSupport.h"

#include "components/data/kitdatalists.h"
#include "components/data/kitwave.h"
#include "platform/classes/StringList.h"

#include <gtest/gtest.h>

namespace {

// A string item that counts what it hears of its siblings coming and going.
class TCountingItem : public TKitStringListItem {
    TESSARO_CLASS(TCountingItem, TKitStringListItem)
public:
    using TKitStringListItem::TKitStringListItem;
    void Notification(TComponent* component, TOperation operation) override {
        ++Heard;
        TKitStringListItem::Notification(component, operation);
    }
    static inline long Heard = 0;
};

class TCountingList : public TKitStringList {
public:
    explicit TCountingList(TComponent* owner) : TKitStringList(owner) {
        SetItemClass(TCountingItem::StaticClassInfo(), lkStringList);
    }
};

TBytes Items(TKitCustomContainer& list, bool withOffsets) {
    TMemoryStream s;
    list.WriteItems(s, withOffsets);
    return StreamBytes(s);
}

TEST(ListItemTest, HeaderFlagsAndBytes) {
    TKitStringList list(nullptr);
    TKitListItem* item = list.Items(list.AddItem());
    EXPECT_EQ(item->ItemFlags(), 0);
    EXPECT_TRUE(item->DataEmpty());
    TMemoryStream s;
    item->WriteHeader(s);
    EXPECT_EQ(StreamBytes(s), (TBytes{0}));

    item->SetCompressed(true);
    item->SetDescription("Ab");
    item->SetIdent(0x0102);
    EXPECT_EQ(item->ItemFlags(), 0x07);
    TMemoryStream h;
    item->WriteHeader(h);
    EXPECT_EQ(StreamBytes(h), (TBytes{0x07, 2, 'A', 'b', 0x02, 0x01, 0, 0}));
}

TEST(ListItemTest, ReadHeaderTakesTheLowSixteenBitsOfIdent) {
    TKitStringList list(nullptr);
    TKitListItem* item = list.Items(list.AddItem());
    item->SetDescription("old");
    TBytes b{0x04};
    AppendInt32(b, 65537);
    TMemoryStream s;
    LoadBytes(s, b);
    EXPECT_EQ(item->ReadHeader(s), 0x04);
    EXPECT_EQ(item->Ident(), 1);
    EXPECT_EQ(item->Description(), "");
    EXPECT_FALSE(item->Compressed());
}

TEST(ListItemTest, ShortHeaderRaises) {
    TKitStringList list(nullptr);
    TKitListItem* item = list.Items(list.AddItem());
    for (const TBytes& b : {TBytes{}, TBytes{0x02, 5, 'a'}, TBytes{0x04, 1, 0}}) {
        TMemoryStream s;
        LoadBytes(s, b);
        EXPECT_THROW(item->ReadHeader(s), EReadError);
    }
}

TEST(ContainerTest, AddItemClearAndIndexErrors) {
    TKitStringList list(nullptr);
    EXPECT_EQ(list.AddItem(), 0);
    EXPECT_EQ(list.AddItem(), 1);
    EXPECT_EQ(list.Items(1)->Owner(), &list);
    EXPECT_THROW(list.Items(2), EListError);
    EXPECT_THROW(list.Items(-1), EListError);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ComponentCount(), 0);
}

TEST(ContainerTest, AnItemFreedOnItsOwnLeavesTheList) {
    TKitStringList list(nullptr);
    list.AddItem();
    list.AddItem();
    TKitStringListItem* first = list.Items(0);
    TKitStringListItem* second = list.Items(1);
    Free(first);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), second);
}

TEST(ContainerTest, LoadingAndFreeingNItemsTellsTheItemsAtMostNTimes) {
    // Every item hearing of every later one made loading a list cubic.
    constexpr int n = 1000;
    TKitStringList source(nullptr);
    for (int i = 0; i < n; ++i)
        source.AddItem();
    TMemoryStream file;
    source.SaveToListStream(file);
    file.SetPosition(0);
    TCountingItem::Heard = 0;
    {
        TCountingList list(nullptr);
        list.LoadFromListStream(file, "liste.txt");
        ASSERT_EQ(list.Count(), n);
    }
    EXPECT_LE(TCountingItem::Heard, n);
}

TEST(ContainerTest, EmptyBlockWithOffsetsIsJustTheCount) {
    TKitStringList list(nullptr);
    EXPECT_EQ(Items(list, true), (TBytes{0, 0, 0, 0}));
    list.AddItem();
    TMemoryStream s;
    LoadBytes(s, {0, 0, 0, 0});
    list.ReadItems(s, true);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(s.GetPosition(), 4);
}

TEST(ContainerTest, OffsetTableHoldsAbsolutePositions) {
    TKitStringList list(nullptr);
    list.Items(list.AddItem())->Items()->Add("x");
    list.AddItem();
    TMemoryStream s;
    s.WriteBuffer("pre", 3);
    list.WriteItems(s, true);
    const TBytes b = StreamBytes(s);
    // count at 3, table at 7..14, first record at 15: header 0x08, block
    // length 3, "x\r\n"; second record at 23.
    TBytes expected{'p', 'r', 'e'};
    AppendInt32(expected, 2);
    AppendInt32(expected, 15);
    AppendInt32(expected, 23);
    expected.push_back(0x08);
    AppendInt32(expected, 3);
    AppendText(expected, "x\r\n");
    expected.push_back(0x00);
    EXPECT_EQ(b, expected);
    EXPECT_EQ(s.GetPosition(), s.GetSize());
}

TEST(ContainerTest, HostileCountsRaiseBeforeMakingItems) {
    TKitStringList list(nullptr);
    for (bool offsets : {false, true}) {
        TBytes b;
        AppendInt32(b, 1000000000);
        b.resize(20, 0);
        TMemoryStream s;
        LoadBytes(s, b);
        EXPECT_THROW(list.ReadItems(s, offsets), EReadError);
        EXPECT_EQ(list.Count(), 0);
    }
    // A negative count reads nothing.
    TBytes b;
    AppendInt32(b, -5);
    TMemoryStream s;
    LoadBytes(s, b);
    list.ReadItems(s, false);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ContainerTest, ARecordCutShortRaisesAndKeepsTheItemsRead) {
    TKitStringList source(nullptr);
    source.Items(source.AddItem())->Items()->Add("eins");
    source.Items(source.AddItem())->Items()->Add("zwei");
    TBytes b = Items(source, false);
    b.resize(b.size() - 2);
    TKitStringList list(nullptr);
    int changes = 0;
    struct Counter {
        int* N;
        void Changed(TObject*) { ++*N; }
    } counter{&changes};
    list.OnChange = TNotifyEvent::Of<&Counter::Changed>(&counter);
    TMemoryStream s;
    LoadBytes(s, b);
    EXPECT_THROW(list.ReadItems(s, false), EReadError);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0)->Items()->GetText(), "eins\r\n");
    EXPECT_FALSE(list.Updating());
    EXPECT_EQ(changes, 1);
}

TEST(ContainerTest, AssignCopiesItemsAndDefaultCompressedButNotTheSource) {
    TKitStringList source(nullptr);
    source.SetDefaultCompressed(true);
    source.SetSourceKind(skFile);
    source.SetSourcePrefix(ppFixed);
    source.SetSourceFile("c:\\x.lst");
    auto* item = source.Items(source.AddItem());
    item->SetDescription("d");
    item->SetIdent(3);
    item->Items()->Add("line");
    TKitStringList dest(nullptr);
    dest.AddItem();
    dest.AddItem();
    dest.Assign(&source);
    ASSERT_EQ(dest.Count(), 1);
    EXPECT_NE(dest.Items(0), item);
    EXPECT_EQ(dest.Items(0)->Owner(), &dest);
    EXPECT_EQ(dest.Items(0)->Description(), "d");
    EXPECT_EQ(dest.Items(0)->Ident(), 3);
    EXPECT_EQ(dest.Items(0)->Items()->GetText(), "line\r\n");
    EXPECT_TRUE(dest.DefaultCompressed());
    EXPECT_EQ(dest.SourceKind(), skMemory);
    EXPECT_EQ(dest.SourcePrefix(), ppProgram);
    EXPECT_EQ(dest.SourceFile(), "");
    EXPECT_EQ(Items(dest, false), Items(source, false));
}

TEST(ContainerTest, AssigningAContainerToItselfChangesNothing) {
    TKitStringList list(nullptr);
    list.Items(list.AddItem())->Items()->Add("a");
    TKitStringListItem* item = list.Items(0);
    list.Assign(&list);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), item);
    EXPECT_EQ(item->Items()->GetText(), "a\r\n");
}

TEST(ContainerTest, AssignFromAnotherKindOfListRaises) {
    TKitStringList strings(nullptr);
    TKitWaveList waves(nullptr);
    strings.AddItem();
    EXPECT_THROW(strings.Assign(&waves), EConvertError);
    EXPECT_EQ(strings.Count(), 1);
}

} // namespace

const TClassInfo& TCountingItem::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCountingItem>("TCountingItem");
    return info;
}
