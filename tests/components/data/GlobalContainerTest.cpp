#include "DataTestSupport.h"

#include "components/global/kitcont.h"
#include "components/imagelists/kitbitmaplist.h"
#include "components/data/kitdatalists.h"
#include "components/imagelists/kitimagelist.h"
#include "platform/classes/StringList.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "tests/support/FormBytes.h"

#include <gtest/gtest.h>

namespace {

class GlobalContainerTest : public ::testing::Test {
protected:
    void SetUp() override { InitializeKitcont(); }
    void TearDown() override { FinalizeKitcont(); }
};

TEST_F(GlobalContainerTest, StartUpMakesFourEmptyOwnedLists) {
    ASSERT_NE(KitContainer, nullptr);
    EXPECT_EQ(KitContainer->Owner(), nullptr);
    TKitCustomContainer* lists[] = {KitContainer->Bitmaps(), KitContainer->Images(),
                                    KitContainer->Strings(), KitContainer->Waves()};
    for (TKitCustomContainer* list : lists) {
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->Owner(), KitContainer);
        EXPECT_EQ(list->Count(), 0);
    }
    EXPECT_EQ(KitContainer->ComponentCount(), 4);
    EXPECT_EQ(KitContainer->Strings()->ListKind(), lkStringList);
    EXPECT_EQ(KitContainer->Waves()->ListKind(), lkWaveList);
    EXPECT_EQ(KitContainer->Bitmaps()->ListKind(), lkBitmapList);
    EXPECT_EQ(KitContainer->Images()->ListKind(), lkImageList);
    for (const char* item :
         {"TKitBitmapListItem", "TKitImageListItem", "TKitStringListItem", "TKitWaveListItem"})
        EXPECT_NE(GetClass(item), nullptr) << item;
}

TEST_F(GlobalContainerTest, ShutdownClearsTheGlobalAndTheLinks) {
    TKitChangeLink link;
    KitContainer->Strings()->AddChangeLink(&link);
    TKitChangeLink outer;
    KitContainer->AddChangeLink(&outer);
    FinalizeKitcont();
    EXPECT_EQ(KitContainer, nullptr);
    EXPECT_EQ(link.Container(), nullptr);
    EXPECT_EQ(outer.Container(), nullptr);
    FinalizeKitcont(); // twice is harmless
    EXPECT_FALSE(IsGlobalList(nullptr));
    EXPECT_EQ(GlobalListFromReference("KITIML30"), nullptr);
}

TEST_F(GlobalContainerTest, AListFreedWhileAControlUsesItLeavesTheControlWithoutList) {
    TKitChangeLink link;
    KitContainer->Waves()->AddChangeLink(&link);
    Free(KitContainer->Waves());
    EXPECT_EQ(link.Container(), nullptr);
    EXPECT_EQ(KitContainer->Waves(), nullptr);
    EXPECT_EQ(KitContainer->ComponentCount(), 3);
}

struct Counter {
    std::vector<TObject*> Senders;
    void Changed(TObject* s) { Senders.push_back(s); }
};

TEST_F(GlobalContainerTest, ChangeOfAListOfARunningContainerMirrorsNothing) {
    TKitContainer local(nullptr);
    Counter own, links;
    TKitChangeLink link;
    link.OnChange = TNotifyEvent::Of<&Counter::Changed>(&links);
    local.AddChangeLink(&link);
    local.OnChange = TNotifyEvent::Of<&Counter::Changed>(&own);
    local.Strings()->AddItem();
    EXPECT_EQ(own.Senders.size(), 1u);
    EXPECT_EQ(links.Senders.size(), 1u);
    EXPECT_EQ(KitContainer->Strings()->Count(), 0);
}

TEST_F(GlobalContainerTest, ADesignedContainerMirrorsWholeListChanges) {
    TKitContainer local(nullptr);
    local.IncludeState(csDesigning);
    Counter own;
    local.OnChange = TNotifyEvent::Of<&Counter::Changed>(&own);
    local.Waves()->SetDefaultCompressed(true);
    auto* item = local.Strings()->Items(local.Strings()->AddItem());
    ASSERT_EQ(KitContainer->Strings()->Count(), 1);
    EXPECT_EQ(KitContainer->Waves()->Count(), 0);
    // A change inside an item is not a change of the whole list.
    item->Items()->Add("neu");
    item->Change();
    EXPECT_EQ(KitContainer->Strings()->Items(0)->Items()->Count(), 0);
    local.Waves()->AddItem();
    EXPECT_EQ(KitContainer->Waves()->Count(), 1);
    EXPECT_TRUE(KitContainer->Waves()->DefaultCompressed());
    EXPECT_EQ(own.Senders.size(), 3u);
    // The global container itself mirrors nothing into itself.
    KitContainer->IncludeState(csDesigning);
    KitContainer->Strings()->AddItem();
    EXPECT_EQ(KitContainer->Strings()->Count(), 2);
}

// A control-like component keeping its list link in "Internal".
class TListUser : public TComponent {
    TESSARO_CLASS(TListUser, TComponent)
public:
    explicit TListUser(TComponent* owner) : TComponent(owner) {}
    TKitCustomImageList* List = nullptr;
    void DefineProperties(TFiler& filer) override {
        TComponent::DefineProperties(filer);
        filer.DefineProperty(
            "Internal", [this](TFilerReader& r) { List = ReadListReference(r); },
            [this](TFilerWriter& w) { WriteListReference(w, List); }, IsGlobalList(List));
    }
};

const TClassInfo& TListUser::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TListUser>("TListUser");
    return info;
}

bool Contains(const TBytes& bytes, const std::string& text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

TEST_F(GlobalContainerTest, GlobalListReferencesRoundTrip) {
    const std::pair<TKitCustomImageList*, const char*> cases[] = {
        {KitContainer->Images(), "KITIML30"}, {KitContainer->Bitmaps(), "KITBML30"}};
    for (auto [list, text] : cases) {
        TListUser user(nullptr);
        user.List = list;
        const TBytes form = WriteForm(user);
        EXPECT_TRUE(Contains(form, std::string("\x08Internal") + "\x06\x08" + text)) << text;
        TListUser back(nullptr);
        ReadForm(back, form);
        EXPECT_EQ(back.List, list);
    }
}

TEST_F(GlobalContainerTest, OtherListsWriteNoReference) {
    TKitImageList own(nullptr);
    TListUser user(nullptr);
    user.List = &own;
    EXPECT_FALSE(IsGlobalList(&own));
    EXPECT_FALSE(IsGlobalList(KitContainer->Strings()));
    EXPECT_FALSE(Contains(WriteForm(user), "Internal"));
    user.List = nullptr;
    EXPECT_FALSE(Contains(WriteForm(user), "Internal"));
}

TEST_F(GlobalContainerTest, ReferenceStringsAreMatchedExactly) {
    EXPECT_EQ(GlobalListFromReference("KITIML30"), KitContainer->Images());
    EXPECT_EQ(GlobalListFromReference("KITBML30"), KitContainer->Bitmaps());
    for (const char* other : {"KITWVL30", "KITSLL30", "kitiml30", "KITIML3", "KITIML300", ""})
        EXPECT_EQ(GlobalListFromReference(other), nullptr) << other;
}

TEST(GlobalContainerShutdownTest, NoGlobalContainerMeansNoGlobalList) {
    ASSERT_EQ(KitContainer, nullptr);
    TKitStringList list(nullptr);
    EXPECT_FALSE(IsGlobalList(&list));
    EXPECT_FALSE(IsGlobalList(nullptr));
    EXPECT_EQ(GlobalListFromReference("KITBML30"), nullptr);
    InitializeKitcont();
    TKitContainer* first = KitContainer;
    InitializeKitcont(); // once per process: a second call keeps the first
    EXPECT_EQ(KitContainer, first);
    FinalizeKitcont();
}

} // namespace
