// The handler of check list boxes: themed check boxes in the check column,
// the item text beside them, and the saved procedure for everything else.

#include "ButtonsEnvironment.h"

#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/CheckListBox.h"
#include "theming/ThemeSrv.h"
#include "theming/ThemedButtons.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

namespace {
// Not a system colour: shows what the handler left alone.
constexpr COLORREF White = RGB(200, 100, 50);
constexpr int ItemWidth = 150;
constexpr int ItemHeight = 20;

struct DrawItemCall {
    int Index = -1;
    RECT Rect{};
    UINT State = 0;
};

struct DrawItemRecorder {
    void Draw(TCheckListBox*, int index, RECT rect, UINT state) {
        Calls.push_back({index, rect, state});
    }
    std::vector<DrawItemCall> Calls;
};

struct Taker {
    void Receive(TThemeManager*, TControl*, TMessage& message, bool& handled) {
        if (message.Msg == CN_DRAWITEM)
            handled = true;
    }
};

class CheckListBoxHandler : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        ASSERT_GT(CheckBoxWidth, 0);
        listBox = f.Add<TCheckListBox>(10, 10, 160, 100);
        listBox->Items()->Add("Eins");
        listBox->Items()->Add("Zwei");
        listBox->Items()->Add("Drei");
        listBox->SetState(1, cbChecked);
        listBox->SetState(2, cbGrayed);
        empty = f.Add<TCheckListBox>(200, 10, 100, 100);
        f.Manage();
    }

    LRESULT DrawItem(TCheckListBox* target, TMemoryCanvas& canvas, UINT id, UINT state,
                     LRESULT preset = 77) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.itemID = id;
        item.itemState = state;
        item.hwndItem = target->Handle();
        item.hDC = canvas.DC();
        item.rcItem = {0, 0, ItemWidth, ItemHeight};
        TMessage message{CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item), preset};
        target->WindowProc(message);
        return message.Result;
    }
    RECT Box() const {
        const int column = listBox->CheckWidth();
        const int left = (column - CheckBoxWidth) / 2;
        const int top = (ItemHeight - CheckBoxHeight) / 2;
        return {left, top, left + CheckBoxWidth, top + CheckBoxHeight};
    }
    // The pixels of the check box's rectangle.
    std::vector<COLORREF> BoxPixels(const TMemoryCanvas& canvas) const {
        const RECT box = Box();
        std::vector<COLORREF> pixels;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                pixels.push_back(canvas.Pixel(x, y));
        return pixels;
    }
    std::vector<COLORREF> ThemedBox(std::uint8_t ordinal) const {
        TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
        const RECT box = Box();
        ThemeServicesInstance()->DrawElement(canvas.DC(), TThemeServices::ButtonDetails(ordinal),
                                             box, &box);
        return BoxPixels(canvas);
    }
    std::vector<COLORREF> DrawnBox(UINT id) {
        TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
        DrawItem(listBox, canvas, id, 0);
        return BoxPixels(canvas);
    }

    ThemedButtonForm f;
    TCheckListBox* listBox = nullptr;
    TCheckListBox* empty = nullptr;
};
} // namespace

TEST_F(CheckListBoxHandler, IsInTheCheckListBoxList) {
    int index = -1;
    EXPECT_TRUE(
        f.Manager->List(TThemedClass::tcCheckListBox).FindSubclassedControl(listBox, index));
}

TEST_F(CheckListBoxHandler, AnEmptyListDrawsNothingAndKeepsTheResult) {
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    EXPECT_EQ(DrawItem(empty, canvas, 0, ODS_FOCUS), 77);
    EXPECT_EQ(canvas.Pixels(), std::vector<COLORREF>(ItemWidth * ItemHeight, White));
}

TEST_F(CheckListBoxHandler, EachCheckStateHasItsThemedBox) {
    ASSERT_NE(ThemedBox(15), ThemedBox(19));
    EXPECT_EQ(DrawnBox(0), ThemedBox(15));
    EXPECT_EQ(DrawnBox(1), ThemedBox(19));
    EXPECT_EQ(DrawnBox(2), ThemedBox(23));
    listBox->SetEnabled(false);
    EXPECT_EQ(DrawnBox(0), ThemedBox(18));
    EXPECT_EQ(DrawnBox(1), ThemedBox(22));
    EXPECT_EQ(DrawnBox(2), ThemedBox(26));
}

TEST_F(CheckListBoxHandler, TheTextPartIsFilledAndWrittenBesideTheColumn) {
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    EXPECT_EQ(DrawItem(listBox, canvas, 1, 0), 77) << "the saved procedure is not called";
    const int column = listBox->CheckWidth();
    EXPECT_EQ(canvas.Pixel(ItemWidth - 1, 0), ColorToRGB(clWindow));
    EXPECT_EQ(canvas.Pixel(column, ItemHeight - 1), ColorToRGB(clWindow));
    EXPECT_EQ(canvas.Pixel(column - 1, ItemHeight - 1), White) << "the column is not filled";
    EXPECT_TRUE(canvas.Contains({column + 2, 0, ItemWidth, ItemHeight},
                                ColorToRGB(listBox->Font()->Color())));
    EXPECT_FALSE(
        canvas.Contains({column, 0, column + 2, ItemHeight}, ColorToRGB(listBox->Font()->Color())))
        << "two pixels of indent";
    EXPECT_FALSE(listBox->Canvas()->HandleAllocated()) << "the canvas lets go of the DC";
}

TEST_F(CheckListBoxHandler, ASelectedItemIsHighlighted) {
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    DrawItem(listBox, canvas, 0, ODS_SELECTED);
    EXPECT_EQ(canvas.Pixel(ItemWidth - 1, 0), ColorToRGB(clHighlight));
    EXPECT_TRUE(canvas.Contains({listBox->CheckWidth(), 0, ItemWidth, ItemHeight},
                                ColorToRGB(clHighlightText)));
}

TEST_F(CheckListBoxHandler, ADisabledListWritesGray) {
    listBox->SetEnabled(false);
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    DrawItem(listBox, canvas, 0, 0);
    EXPECT_TRUE(
        canvas.Contains({listBox->CheckWidth(), 0, ItemWidth, ItemHeight}, ColorToRGB(clGrayText)));
}

TEST_F(CheckListBoxHandler, TheFocusRectangleFramesTheTextPart) {
    TMemoryCanvas plain(ItemWidth, ItemHeight, White);
    DrawItem(listBox, plain, 0, 0);
    TMemoryCanvas focused(ItemWidth, ItemHeight, White);
    DrawItem(listBox, focused, 0, ODS_FOCUS);
    const int column = listBox->CheckWidth();
    int changed = 0;
    for (int x = column; x < ItemWidth; ++x)
        changed += plain.Pixel(x, 0) != focused.Pixel(x, 0);
    EXPECT_GT(changed, 0) << "the top edge of the text part";
    for (int y = 0; y < ItemHeight; ++y)
        EXPECT_EQ(plain.Pixel(column - 1, y), focused.Pixel(column - 1, y)) << y;
    EXPECT_EQ(BoxPixels(plain), BoxPixels(focused));
}

TEST_F(CheckListBoxHandler, NoItemFillsTheTextPartOnly) {
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    EXPECT_EQ(DrawItem(listBox, canvas, static_cast<UINT>(-1), ODS_SELECTED), 77);
    EXPECT_EQ(canvas.Pixel(ItemWidth - 1, 0), ColorToRGB(clWindow)) << "not highlighted";
    EXPECT_EQ(BoxPixels(canvas),
              std::vector<COLORREF>(static_cast<size_t>(CheckBoxWidth * CheckBoxHeight), White));
}

TEST_F(CheckListBoxHandler, AnOwnerDrawStyleLeavesTheTextToTheEvent) {
    DrawItemRecorder recorder;
    listBox->OnDrawItem = TDrawItemEvent::Of<&DrawItemRecorder::Draw>(&recorder);
    TMemoryCanvas standard(ItemWidth, ItemHeight, White);
    DrawItem(listBox, standard, 1, 0);
    EXPECT_TRUE(recorder.Calls.empty()) << "a standard list draws its text itself";

    listBox->SetStyle(lbOwnerDrawFixed);
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    DrawItem(listBox, canvas, 1, ODS_SELECTED);
    ASSERT_EQ(recorder.Calls.size(), 1u);
    EXPECT_EQ(recorder.Calls[0].Index, 1);
    EXPECT_EQ(recorder.Calls[0].Rect.left, listBox->CheckWidth());
    EXPECT_EQ(recorder.Calls[0].Rect.right, ItemWidth);
    EXPECT_EQ(recorder.Calls[0].State, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(BoxPixels(canvas), ThemedBox(19)) << "the check is still drawn here";
    EXPECT_EQ(canvas.Pixel(ItemWidth - 1, 0), White) << "the event painted nothing";
}

TEST_F(CheckListBoxHandler, AMessageTakenByAListenerStillReachesTheSavedProcedure) {
    Taker taker;
    f.Manager->OnControlMessage = TControlMessageEvent::Of<&Taker::Receive>(&taker);
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    EXPECT_EQ(DrawItem(listBox, canvas, 0, 0), 1) << "the list box's own drawing answered";

    auto* plainButton = f.Add<TButton>(10, 150, 75, 25);
    (void)plainButton->Handle();
    TMessage taken{CN_DRAWITEM, 0, 0, 77};
    f.Manager->HandleThemedMessage(TThemedClass::tcButton, plainButton, taken);
    EXPECT_EQ(taken.Result, 77) << "other classes stop at the listener";
}

TEST_F(CheckListBoxHandler, WithoutRecordOrThemeTheSavedProcedureDraws) {
    TMessage noRecord{CN_DRAWITEM, 0, 0, 77};
    listBox->WindowProc(noRecord);
    EXPECT_EQ(noRecord.Result, 1);

    SetControlThemes(false);
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    EXPECT_EQ(DrawItem(listBox, canvas, 1, 0), 1);
    EXPECT_EQ(DrawItem(empty, canvas, 0, 0), 1);
}

TEST_F(CheckListBoxHandler, OtherMessagesGoToTheSavedProcedure) {
    EXPECT_EQ(::SendMessageA(listBox->Handle(), LB_GETCOUNT, 0, 0), 3);
    ::SendMessageA(listBox->Handle(), LB_SETCURSEL, 1, 0);
    listBox->Perform(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(listBox->State(1), cbUnchecked) << "space stepped the checked item";
}

TEST_F(CheckListBoxHandler, RightToLeftPutsTheCheckColumnAtTheRightAndTheTextBesideIt) {
    listBox->SetBiDiMode(bdRightToLeft);
    ASSERT_TRUE(listBox->UseRightToLeftAlignment());
    const std::vector<COLORREF> checked = ThemedBox(19);
    TMemoryCanvas canvas(ItemWidth, ItemHeight, White);
    DrawItem(listBox, canvas, 1, 0);
    // The box, mirrored into the column at the right.
    const int column = listBox->CheckWidth();
    const RECT box = Box();
    std::vector<COLORREF> drawn;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            drawn.push_back(canvas.Pixel(ItemWidth - column + x, y));
    EXPECT_EQ(drawn, checked);
    EXPECT_TRUE(canvas.Contains({0, 0, ItemWidth - column, ItemHeight},
                                ColorToRGB(listBox->Font()->Color())))
        << "the text part, filled and written left of the column";
    EXPECT_TRUE(
        canvas.Contains({0, 0, ItemWidth - column, ItemHeight}, ColorToRGB(listBox->Color())));
    int leftmostText = ItemWidth;
    for (int y = 0; y < ItemHeight; ++y)
        for (int x = 0; x < ItemWidth - column; ++x)
            if (canvas.Pixel(x, y) == ColorToRGB(listBox->Font()->Color()))
                leftmostText = std::min(leftmostText, x);
    EXPECT_GT(leftmostText, (ItemWidth - column) / 2) << "right-aligned text";
}
