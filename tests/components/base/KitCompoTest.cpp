#include "components/base/kitcompo.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records every OnChange with its Sender.
struct TChangeRecorder {
    std::vector<TObject*> Senders;
    void Changed(TObject* sender) { Senders.push_back(sender); }
    TNotifyEvent Event() { return TNotifyEvent::Of<&TChangeRecorder::Changed>(this); }
};

// A component with derived state, kept as the protocol's rule 2 asks.
class TCountingComponent : public TKitCustomComponent {
public:
    using TKitCustomComponent::TKitCustomComponent;
    int Recomputed = 0;
    void Change() override {
        ++Recomputed;
        TKitCustomComponent::Change();
    }
};

} // namespace

TEST(KitCustomComponent, ChangeReportsTheComponentItselfToTheHandlerSetThen) {
    TKitCustomComponent component(nullptr);
    component.Change(); // nobody listens: nothing is kept for later
    TChangeRecorder recorder;
    component.OnChange = recorder.Event();
    component.Change();
    EXPECT_EQ(recorder.Senders, std::vector<TObject*>{&component});
}

TEST(KitCustomComponent, UpdateBracketsReportOnceOrNotAtAll) {
    TKitCustomComponent component(nullptr);
    TChangeRecorder recorder;
    component.OnChange = recorder.Event();

    component.BeginUpdate();
    component.Change();
    component.Change();
    component.Change();
    EXPECT_TRUE(recorder.Senders.empty());
    component.EndUpdate(true);
    EXPECT_EQ(recorder.Senders.size(), 1u);

    component.BeginUpdate();
    component.Change();
    component.EndUpdate(false);
    EXPECT_EQ(recorder.Senders.size(), 1u);
}

TEST(KitCustomComponent, UpdateFlagIsNotACounter) {
    TKitCustomComponent component(nullptr);
    TChangeRecorder recorder;
    component.OnChange = recorder.Event();
    component.BeginUpdate();
    component.BeginUpdate();
    component.EndUpdate(false);
    EXPECT_FALSE(component.Updating());
    component.Change();
    EXPECT_EQ(recorder.Senders.size(), 1u);
}

TEST(KitCustomComponent, OverriddenChangeRunsOnEveryPath) {
    TCountingComponent component(nullptr);
    TChangeRecorder recorder;
    component.OnChange = recorder.Event();
    component.SubObjectChanged(nullptr);
    component.BeginUpdate();
    component.EndUpdate(true);
    EXPECT_EQ(component.Recomputed, 2);
    ASSERT_EQ(recorder.Senders.size(), 2u);
    EXPECT_EQ(recorder.Senders[0], &component);
}

TEST(KitCustomComponent, SubObjectChangeIsReportedWithTheOwner) {
    TKitCustomComponent owner(nullptr);
    TKitCustomComponent part(nullptr);
    TChangeRecorder recorder;
    owner.OnChange = recorder.Event();
    part.OnChange = TNotifyEvent::Of<&TKitCustomComponent::SubObjectChanged>(&owner);
    part.Change();
    ASSERT_EQ(recorder.Senders.size(), 1u);
    EXPECT_EQ(recorder.Senders[0], &owner);
}

TEST(KitCustomComponent, AboutKeepsAtMostTenCharacters) {
    TKitCustomComponent component(nullptr);
    EXPECT_EQ(component.About(), "");
    component.SetAbout("Version 1.0 beta");
    EXPECT_EQ(component.About(), "Version 1.");
    component.SetAbout("kurz");
    EXPECT_EQ(component.About(), "kurz");
}
