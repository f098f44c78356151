// The control's link to a kit image list: registration of its change link,
// notifications, the list freed first, and "Internal" for the global lists.

#include "WinCtrlEnvironment.h"

#include "components/imagelists/kitbitmaplist.h"
#include "components/global/kitcont.h"
#include "components/imagelists/kitimagelist.h"
#include "platform/classes/Stream.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "tests/support/FormBytes.h"

#include <algorithm>
#include <cstdint>

namespace {
using TBytes = std::vector<std::uint8_t>;

// Counts what reaches ImageListChanged, and from whom.
class TListProbe : public TKitCustomControl {
public:
    using TKitCustomControl::TKitCustomControl;
    int ListChanges = 0;
    TObject* LastSender = reinterpret_cast<TObject*>(1);
    void ImageListChanged(TObject* sender) override {
        ++ListChanges;
        LastSender = sender;
        TKitCustomControl::ImageListChanged(sender);
    }
};

bool Contains(const TBytes& bytes, const std::string& text) {
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}
} // namespace

TEST(KitControlImageList, LinkIsRegisteredWithTheCurrentListOnly) {
    TKitImageList first(nullptr);
    TKitBitmapList second(nullptr);
    TListProbe control(nullptr);
    EXPECT_EQ(control.ImageList(), nullptr);
    EXPECT_EQ(control.ChangeLink()->Container(), nullptr);

    control.SetImageList(&first);
    EXPECT_EQ(control.ImageList(), &first);
    EXPECT_EQ(first.ChangeLinkCount(), 1);
    EXPECT_EQ(control.ChangeLink()->Container(), &first);
    EXPECT_EQ(control.ListChanges, 1);
    EXPECT_EQ(control.LastSender, nullptr);

    control.SetImageList(&second);
    EXPECT_EQ(first.ChangeLinkCount(), 0);
    EXPECT_EQ(second.ChangeLinkCount(), 1);
    EXPECT_EQ(control.ListChanges, 2);

    control.SetImageList(nullptr);
    EXPECT_EQ(second.ChangeLinkCount(), 0);
    EXPECT_EQ(control.ChangeLink()->Container(), nullptr);
    EXPECT_EQ(control.ListChanges, 3) << "told on every call";
}

TEST(KitControlImageList, SameListAgainIsRegisteredOnceAndToldOnce) {
    TKitImageList list(nullptr);
    TListProbe control(nullptr);
    control.SetImageList(&list);
    control.SetImageList(&list);
    EXPECT_EQ(list.ChangeLinkCount(), 1);
    EXPECT_EQ(control.ListChanges, 2);
}

TEST(KitControlImageList, ListChangesReachTheDescendantsOverride) {
    TKitImageList list(nullptr);
    TListProbe control(nullptr);
    control.SetImageList(&list);
    control.ListChanges = 0;
    list.Change();
    EXPECT_EQ(control.ListChanges, 1);
    EXPECT_EQ(control.LastSender, &list) << "the link passes its container";
}

TEST(KitControlImageList, FreeingTheListFirstLeavesTheControlWithout) {
    auto* list = new TKitImageList(nullptr);
    TListProbe control(nullptr);
    control.SetImageList(list);
    control.ListChanges = 0;
    Free(list);
    EXPECT_EQ(control.ImageList(), nullptr);
    EXPECT_EQ(control.ChangeLink()->Container(), nullptr);
    EXPECT_EQ(control.ListChanges, 1);
}

TEST(KitControlImageList, FreeingTheControlFirstUnregistersItsLink) {
    TKitImageList list(nullptr);
    auto* control = new TListProbe(nullptr);
    control->SetImageList(&list);
    Free(control);
    EXPECT_EQ(list.ChangeLinkCount(), 0);
    list.Change(); // reaches no freed control
}

class KitControlGlobalList : public ::testing::Test {
protected:
    void SetUp() override { InitializeKitcont(); }
    void TearDown() override { FinalizeKitcont(); }
};

TEST_F(KitControlGlobalList, GlobalListsRoundTripThroughInternal) {
    ASSERT_NE(KitContainer, nullptr);
    using TGlobal = std::pair<TKitCustomImageList*, const char*>;
    for (auto [list, text] : {TGlobal{KitContainer->Images(), "KITIML30"},
                              TGlobal{KitContainer->Bitmaps(), "KITBML30"}}) {
        TKitCustomControl control(nullptr);
        control.SetImageList(list);
        const TBytes form = WriteForm(control);
        EXPECT_TRUE(Contains(form, std::string("\x08Internal") + "\x06\x08" + text)) << text;
        TKitCustomControl back(nullptr);
        ReadForm(back, form);
        EXPECT_EQ(back.ImageList(), list) << text;
        EXPECT_EQ(back.ChangeLink()->Container(), list) << text;
    }
}

TEST_F(KitControlGlobalList, OwnListsAndNoListWriteNoInternal) {
    TKitImageList own(nullptr);
    TKitCustomControl control(nullptr);
    EXPECT_FALSE(Contains(WriteForm(control), "Internal"));
    control.SetImageList(&own);
    EXPECT_FALSE(Contains(WriteForm(control), "Internal"));
}

TEST_F(KitControlGlobalList, ControlLetsGoOfAGlobalListFreedAtShutdown) {
    TListProbe control(nullptr);
    control.SetImageList(KitContainer->Images());
    ASSERT_NE(control.ImageList(), nullptr);
    FinalizeKitcont();
    EXPECT_EQ(control.ImageList(), nullptr);
    InitializeKitcont(); // for TearDown
}
