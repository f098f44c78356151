// The page control the tab-sheet handler works on: one tab per sheet, only
// the active sheet shown, inside the tab control's display area.

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/stdctrls/PageControl.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(10, 10, 300, 200);
        pages = new TPageControl(form);
        pages->SetParent(form);
        pages->SetBounds(5, 5, 250, 150);
        first = AddSheet("Eins");
        second = AddSheet("Zwei");
        form->HandleNeeded();
    }
    void TearDown() override { Free(form); }

    TTabSheet* AddSheet(const char* caption) {
        auto* sheet = new TTabSheet(form);
        sheet->SetPageControl(pages);
        sheet->SetCaption(caption);
        return sheet;
    }
    LRESULT Tabs(UINT msg, WPARAM wParam = 0) {
        return ::SendMessageA(pages->Handle(), msg, wParam, 0);
    }

    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    TTabSheet* first = nullptr;
    TTabSheet* second = nullptr;
};

TEST_F(PageControlTest, OneTabPerSheetAndTheFirstIsActive) {
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(Tabs(TCM_GETITEMCOUNT), 2);
    EXPECT_EQ(pages->ActivePage(), first);
    EXPECT_EQ(Tabs(TCM_GETCURSEL), 0);
    EXPECT_TRUE(first->Visible());
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(first->Parent(), pages);
}

TEST_F(PageControlTest, SheetsFillTheDisplayArea) {
    const RECT display = pages->DisplayRect();
    EXPECT_GT(display.top, 0) << "below the tabs";
    EXPECT_EQ(first->Left(), display.left);
    EXPECT_EQ(first->Top(), display.top);
    EXPECT_EQ(first->Width(), display.right - display.left);
    EXPECT_EQ(second->Height(), display.bottom - display.top);
}

TEST_F(PageControlTest, SelectingATabShowsItsSheet) {
    Tabs(TCM_SETCURSEL, 1);
    NMHDR header{pages->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    pages->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_TRUE(second->Visible());
    EXPECT_FALSE(first->Visible());
}

TEST_F(PageControlTest, FreeingTheActiveSheetActivatesTheNextOne) {
    Free(first);
    EXPECT_EQ(pages->PageCount(), 1);
    EXPECT_EQ(Tabs(TCM_GETITEMCOUNT), 1);
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_TRUE(second->Visible());
}

TEST_F(PageControlTest, ForeignSheetCannotBecomeActive) {
    auto* loose = new TTabSheet(form);
    pages->SetActivePage(loose);
    EXPECT_EQ(pages->ActivePage(), first);
    Free(loose);
}
} // namespace
