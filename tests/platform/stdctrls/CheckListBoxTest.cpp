// The check list box's check column: where a click toggles an item, left
// to right and right to left.

#include "ControlsEnvironment.h"

#include "platform/stdctrls/CheckListBox.h"

namespace {
class CheckListBoxColumn : public OnForm {
protected:
    void SetUp() override {
        OnForm::SetUp();
        list = Add<TCheckListBox>(form, 10, 10, 200, 120);
        list->Items()->Add("Eins");
        list->Items()->Add("Zwei");
    }
    // Clicks the first item at X; whether its check changed.
    bool ClickToggles(int x) {
        const bool before = list->Checked(0);
        ClickAt(list->Handle(), x, list->ItemHeight() / 2);
        return list->Checked(0) != before;
    }
    TCheckListBox* list = nullptr;
};

TEST_F(CheckListBoxColumn, ClickInTheCheckColumnTogglesOnTheSideOfTheReadingDirection) {
    const int column = list->CheckWidth();
    const int right = list->ClientWidth() - column / 2;
    EXPECT_TRUE(ClickToggles(column / 2));
    EXPECT_FALSE(ClickToggles(right));

    list->SetBiDiMode(bdRightToLeft);
    ASSERT_TRUE(list->UseRightToLeftAlignment());
    EXPECT_EQ(list->Items()->Count(), 2) << "the items stay with the new window";
    EXPECT_TRUE(ClickToggles(right));
    EXPECT_FALSE(ClickToggles(column / 2));
}
} // namespace
