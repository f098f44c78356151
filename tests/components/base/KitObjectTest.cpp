#include "components/settings/kitbevel.h"
#include "components/base/kitclass.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TChangeRecorder {
    std::vector<TObject*> Senders;
    void Changed(TObject* sender) { Senders.push_back(sender); }
    TNotifyEvent Event() { return TNotifyEvent::Of<&TChangeRecorder::Changed>(this); }
};

// A settings object as the kit's descendants write them: setters store and
// report, the copy operation brackets its stores into one change, derived
// state is recomputed before the inherited Change.
class TSampleSettings : public TKitObject {
public:
    int Width() const { return FWidth; }
    void SetWidth(int value) {
        FWidth = value;
        Change();
    }
    int Height() const { return FHeight; }
    void SetHeight(int value) {
        FHeight = value;
        Change();
    }
    int Depth() const { return FDepth; }
    void SetDepth(int value) {
        FDepth = value;
        Change();
    }
    int Area() const { return FArea; }

    void Assign(TPersistent* source) override {
        if (auto* other = dynamic_cast<TSampleSettings*>(source)) {
            BeginUpdate();
            SetWidth(other->Width());
            SetHeight(other->Height());
            SetDepth(other->Depth());
            EndUpdate(true);
            return;
        }
        TKitObject::Assign(source);
    }
    int ChangeCalls = 0;
    void Change() override {
        ++ChangeCalls;
        FArea = FWidth * FHeight;
        TKitObject::Change();
    }

private:
    int FWidth = 0;
    int FHeight = 0;
    int FDepth = 0;
    int FArea = 0;
};

// An owner of two settings objects that reports their changes as its own.
class TSampleOwner : public TKitObject {
public:
    TSampleOwner() {
        Inner.OnChange = TNotifyEvent::Of<&TSampleOwner::SubObjectChanged>(this);
        Other.OnChange = TNotifyEvent::Of<&TSampleOwner::SubObjectChanged>(this);
    }
    TSampleSettings Inner;
    TSampleSettings Other;
};

} // namespace

TEST(KitObject, CreatedFromItsClassReference) {
    // Any settings class can be made through its class info alone.
    const std::unique_ptr<TKitObject> made = CreateKitObject(TKitObject::StaticClassInfo());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName(), "TKitObject");
    EXPECT_FALSE(made->Updating());
    const std::unique_ptr<TKitObject> bevel = CreateKitObject(TKitBevel::StaticClassInfo());
    ASSERT_NE(dynamic_cast<TKitBevel*>(bevel.get()), nullptr);
    EXPECT_THROW(CreateKitObject(TPersistent::StaticClassInfo()), EInvalidOperation);
    EXPECT_THROW(CreateKitObject(TKitIniCtrl::StaticClassInfo()), EInvalidOperation);
}

TEST(KitObject, IdentityAndStartState) {
    TKitObject object;
    EXPECT_EQ(object.ClassName(), "TKitObject");
    EXPECT_TRUE(object.Is<TPersistent>());
    EXPECT_FALSE(object.Updating());
    EXPECT_FALSE(object.OnChange.Assigned());
    EXPECT_NO_THROW(object.Change());
    EXPECT_EQ(TKitComponent::StaticClassInfo().Parent(), &TKitCustomComponent::StaticClassInfo());
}

TEST(KitObject, EveryPropertyChangeIsReported) {
    TSampleSettings settings;
    TChangeRecorder recorder;
    settings.OnChange = recorder.Event();
    settings.SetWidth(3);
    settings.SetHeight(4);
    ASSERT_EQ(recorder.Senders.size(), 2u);
    EXPECT_EQ(recorder.Senders[1], &settings);
    EXPECT_EQ(settings.Area(), 12);
}

TEST(KitObject, ThreePropertiesInAnUpdateFireOnceAfterTheLast) {
    TSampleSettings settings;
    TChangeRecorder recorder;
    settings.OnChange = recorder.Event();
    settings.BeginUpdate();
    settings.SetWidth(5);
    settings.SetHeight(6);
    settings.SetDepth(7);
    EXPECT_TRUE(recorder.Senders.empty());
    settings.EndUpdate(true);
    EXPECT_EQ(recorder.Senders.size(), 1u);
    EXPECT_EQ(settings.Area(), 30);
}

TEST(KitObject, EndUpdateWithoutNotifyFiresNothingAndForgetsTheBatch) {
    TSampleSettings settings;
    TChangeRecorder recorder;
    settings.OnChange = recorder.Event();
    settings.BeginUpdate();
    settings.SetWidth(5);
    settings.EndUpdate(false);
    EXPECT_TRUE(recorder.Senders.empty());
    // A later unrelated bracket does not bring the forgotten change back.
    settings.BeginUpdate();
    settings.EndUpdate(false);
    EXPECT_TRUE(recorder.Senders.empty());
}

TEST(KitObject, NestedBeginUpdateEndsWithTheFirstEndUpdate) {
    TSampleSettings settings;
    TChangeRecorder recorder;
    settings.OnChange = recorder.Event();
    settings.BeginUpdate();
    settings.BeginUpdate();
    settings.EndUpdate(false);
    settings.SetDepth(1);
    EXPECT_EQ(recorder.Senders.size(), 1u);
}

TEST(KitObject, OneEventPerCopyOperation) {
    TSampleSettings source;
    source.SetWidth(8);
    source.SetHeight(2);
    source.SetDepth(9);
    TSampleSettings target;
    TChangeRecorder recorder;
    target.OnChange = recorder.Event();
    target.Assign(&source);
    EXPECT_EQ(recorder.Senders.size(), 1u);
    EXPECT_EQ(target.Width(), 8);
    EXPECT_EQ(target.Depth(), 9);
    EXPECT_EQ(target.Area(), 16);
    EXPECT_FALSE(target.Updating());
}

TEST(KitObject, CopyFromAnUnknownClassFailsWithoutReporting) {
    TSampleSettings target;
    TKitObject stranger;
    TChangeRecorder recorder;
    target.OnChange = recorder.Event();
    EXPECT_THROW(target.Assign(&stranger), EConvertError);
    EXPECT_TRUE(recorder.Senders.empty());
}

TEST(KitObject, SubObjectChangesAreReportedWithTheOwner) {
    TSampleOwner owner;
    TChangeRecorder recorder;
    owner.OnChange = recorder.Event();
    owner.Inner.SetWidth(2);
    owner.Other.SetDepth(3);
    ASSERT_EQ(recorder.Senders.size(), 2u);
    EXPECT_EQ(recorder.Senders[0], &owner);
    EXPECT_EQ(recorder.Senders[1], &owner);
}

TEST(KitObject, OwnerInUpdateSilencesItsSubObjects) {
    TSampleOwner owner;
    TChangeRecorder recorder;
    owner.OnChange = recorder.Event();
    owner.BeginUpdate();
    owner.Inner.SetWidth(2);
    owner.Other.SetWidth(4);
    owner.EndUpdate(true);
    EXPECT_EQ(recorder.Senders.size(), 1u);
}

TEST(KitObject, OverriddenChangeRunsThroughSubObjectChangedAndEndUpdate) {
    TSampleSettings settings;
    TChangeRecorder recorder;
    settings.OnChange = recorder.Event();
    settings.SubObjectChanged(nullptr);
    EXPECT_EQ(settings.ChangeCalls, 1);
    settings.BeginUpdate();
    settings.EndUpdate(true);
    EXPECT_EQ(settings.ChangeCalls, 2);
    settings.BeginUpdate();
    settings.EndUpdate(false);
    EXPECT_EQ(settings.ChangeCalls, 2);
    EXPECT_EQ(recorder.Senders.size(), 2u);
}
