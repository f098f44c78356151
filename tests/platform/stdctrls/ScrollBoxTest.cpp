// The scroll box: its range follows the children, its scroll bars appear
// while they do not fit and move them.

#include "ControlsEnvironment.h"

#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ScrollBox.h"

namespace {
bool BarShown(HWND window, LONG_PTR bar) {
    return (::GetWindowLongPtrA(window, GWL_STYLE) & bar) != 0;
}

class ScrollBox : public OnForm {
protected:
    void SetUp() override {
        OnForm::SetUp();
        box = Add<TScrollBox>(form, 10, 10, 200, 150);
        box->SetBorderStyle(bsNone);
    }
    TScrollBox* box = nullptr;
};

TEST_F(ScrollBox, RangeIsTheExtentOfTheChildrenAndTheBarsFollowIt) {
    auto* closeBy = Add<TButton>(box, 10, 10, 80, 24);
    EXPECT_EQ(box->HorzRange(), 90);
    EXPECT_EQ(box->VertRange(), 34);
    EXPECT_FALSE(BarShown(box->Handle(), WS_VSCROLL));
    EXPECT_FALSE(BarShown(box->Handle(), WS_HSCROLL));

    auto* distant = Add<TLabel>(box, 20, 400, 50, 20);
    EXPECT_EQ(box->VertRange(), 420) << "windowless children count too";
    EXPECT_TRUE(BarShown(box->Handle(), WS_VSCROLL));
    EXPECT_FALSE(BarShown(box->Handle(), WS_HSCROLL));

    closeBy->SetLeft(300);
    EXPECT_EQ(box->HorzRange(), 380) << "a child that moves";
    EXPECT_TRUE(BarShown(box->Handle(), WS_HSCROLL));

    Free(distant);
    closeBy->SetLeft(10);
    EXPECT_EQ(box->VertRange(), 34) << "a child that leaves";
    EXPECT_FALSE(BarShown(box->Handle(), WS_VSCROLL));
    EXPECT_FALSE(BarShown(box->Handle(), WS_HSCROLL));
}

TEST_F(ScrollBox, ScrollRequestsMoveTheChildrenWithinTheRange) {
    auto* top = Add<TButton>(box, 10, 10, 80, 24);
    auto* bottom = Add<TLabel>(box, 10, 480, 50, 20);
    const int page = box->ClientHeight();
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box->VertPosition(), 8);
    EXPECT_EQ(top->Top(), 2);
    RECT r{};
    ::GetWindowRect(top->Handle(), &r);
    POINT p{r.left, r.top};
    ::ScreenToClient(box->Handle(), &p);
    EXPECT_EQ(p.y, 2) << "the window moved with the control";

    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(box->VertPosition(), 8 + page);
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box->VertPosition(), 500 - page) << "no further than the last page";
    EXPECT_EQ(bottom->Top() + bottom->Height(), page);
    EXPECT_EQ(::GetScrollPos(box->Handle(), SB_VERT), 500 - page);
    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(box->VertPosition(), 500 - page);
    EXPECT_EQ(box->VertRange(), 500) << "scrolling does not change the range";

    ::SendMessageA(box->Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(box->VertPosition(), 0);
    EXPECT_EQ(top->Top(), 10);
}

TEST_F(ScrollBox, DraggingTheThumbScrollsToItsTrackPosition) {
    // Past what the message's 16 bits hold: the scroll bar's own 32-bit
    // position counts, not the truncated one in the message.
    Add<TLabel>(box, 10, 70500, 50, 20);
    SCROLLINFO info{sizeof info, SIF_POS};
    info.nPos = 70000;
    ::SetScrollInfo(box->Handle(), SB_VERT, &info, FALSE);
    ::SendMessageA(box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, LOWORD(70000)), 0);
    EXPECT_EQ(box->VertPosition(), 70000);
}

TEST_F(ScrollBox, GrowingTheBoxScrollsBackWhatNoLongerNeedsScrolling) {
    auto* child = Add<TButton>(box, 10, 200, 80, 24);
    box->SetVertPosition(1000);
    EXPECT_EQ(box->VertPosition(), 224 - box->ClientHeight());
    box->SetHeight(400);
    EXPECT_EQ(box->VertPosition(), 0);
    EXPECT_EQ(child->Top(), 200);
    EXPECT_FALSE(BarShown(box->Handle(), WS_VSCROLL));
}

TEST_F(ScrollBox, ScrollInViewBringsAChildIntoTheClientArea) {
    Add<TButton>(box, 10, 10, 80, 24);
    auto* distant = Add<TButton>(box, 300, 400, 80, 24);
    box->ScrollInView(distant);
    EXPECT_GE(distant->Left(), 0);
    EXPECT_LE(distant->Left() + distant->Width(), box->ClientWidth());
    EXPECT_GE(distant->Top(), 0);
    EXPECT_LE(distant->Top() + distant->Height(), box->ClientHeight());
}

TEST_F(ScrollBox, SingleBorderIsAClientEdge) {
    EXPECT_EQ(::GetWindowLongPtrA(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    box->SetBorderStyle(bsSingle);
    EXPECT_NE(::GetWindowLongPtrA(box->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    auto* fresh = new TScrollBox(form);
    EXPECT_EQ(fresh->BorderStyle(), bsSingle) << "the default";
}
} // namespace
