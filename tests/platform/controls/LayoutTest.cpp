// Layout by the parent: aligned children along the edges, anchored ones
// keeping their distances, and size constraints, on real windows.

#include "ControlsFixture.h"

#include "platform/stdctrls/Panels.h"

namespace {
RECT Bounds(const TControl* c) {
    return c->BoundsRect();
}

// Where the window of a windowed control really is, in its parent.
RECT WindowBounds(TWinControl* c) {
    RECT r{};
    ::GetWindowRect(c->Handle(), &r);
    ::MapWindowPoints(nullptr, ::GetParent(c->Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectBounds(const RECT& actual, const RECT& expected, const std::string& what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}
} // namespace

TEST_F(ControlsTest, AlignedChildrenFillTheEdgesInOrderAndFollowEveryChange) {
    auto* host = Add<TPanel>(form, {0, 0, 300, 200}, "host");
    host->SetBevelOuter(TBevelCut::bvNone);
    // Made in a mixed order; the layout order is top, bottom, left, right, client.
    auto* client = Add<TPanel>(host, {0, 0, 10, 10}, "client");
    auto* right = Add<TProbeGraphic>(host, {0, 0, 30, 10}, "right");
    auto* top2 = Add<TPanel>(host, {0, 50, 10, 70}, "top2");
    auto* top1 = Add<TProbeGraphic>(host, {0, 0, 10, 25}, "top1");
    auto* bottom = Add<TPanel>(host, {0, 0, 10, 15}, "bottom");
    auto* left = Add<TPanel>(host, {0, 0, 40, 10}, "left");
    client->SetAlign(alClient);
    right->SetAlign(alRight);
    top1->SetAlign(alTop);
    top2->SetAlign(alTop); // below top1, which is at the top already
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);

    struct Step {
        const char* What;
        RECT Top1, Top2, Bottom, Left, Right, Client;
    };
    auto check = [&](const Step& s) {
        SCOPED_TRACE(s.What);
        ExpectBounds(Bounds(top1), s.Top1, "top1");
        ExpectBounds(Bounds(top2), s.Top2, "top2");
        ExpectBounds(Bounds(bottom), s.Bottom, "bottom");
        ExpectBounds(Bounds(left), s.Left, "left");
        ExpectBounds(Bounds(right), s.Right, "right");
        ExpectBounds(Bounds(client), s.Client, "client");
        ExpectBounds(WindowBounds(client), s.Client, "client's window");
    };
    check({"laid out", {0, 0, 300, 25}, {0, 25, 300, 45}, {0, 185, 300, 200}, {0, 45, 40, 185},
           {270, 45, 300, 185}, {40, 45, 270, 185}});

    host->SetBounds(0, 0, 400, 250);
    check({"parent resized", {0, 0, 400, 25}, {0, 25, 400, 45}, {0, 235, 400, 250},
           {0, 45, 40, 235}, {370, 45, 400, 235}, {40, 45, 370, 235}});

    top2->SetHeight(30);
    left->SetWidth(60);
    check({"children resized", {0, 0, 400, 25}, {0, 25, 400, 55}, {0, 235, 400, 250},
           {0, 55, 60, 235}, {370, 55, 400, 235}, {60, 55, 370, 235}});

    top1->Hide();
    check({"a child hidden", {0, 0, 400, 25}, {0, 0, 400, 30}, {0, 235, 400, 250},
           {0, 30, 60, 235}, {370, 30, 400, 235}, {60, 30, 370, 235}});
    top1->Show();
    top1->SetTop(100); // moved below the other: now second from the top
    check({"order by position", {0, 30, 400, 55}, {0, 0, 400, 30}, {0, 235, 400, 250},
           {0, 55, 60, 235}, {370, 55, 400, 235}, {60, 55, 370, 235}});

    left->SetAlign(alNone);
    EXPECT_EQ(left->Anchors(), (TAnchors{akLeft, akTop}));
    ExpectBounds(Bounds(left), {0, 55, 60, 235}, "a control leaving its alignment stays");
    ExpectBounds(Bounds(client), {0, 55, 370, 235}, "the others take the space");
}

TEST_F(ControlsTest, AnchoredChildrenKeepTheirDistancesWhenTheParentResizes) {
    auto* host = Add<TPanel>(form, {10, 10, 210, 110}, "host"); // 200 x 100
    auto* plain = Add<TPanel>(host, {10, 10, 40, 30}, "plain");
    auto* right = Add<TProbeGraphic>(host, {150, 10, 190, 30}, "right");
    auto* stretch = Add<TPanel>(host, {10, 40, 190, 60}, "stretch");
    auto* corner = Add<TPanel>(host, {160, 70, 190, 90}, "corner");
    auto* free = Add<TProbeGraphic>(host, {90, 40, 110, 60}, "free"); // centred
    right->SetAnchors({akRight, akTop});
    stretch->SetAnchors({akLeft, akTop, akRight});
    corner->SetAnchors({akRight, akBottom});
    free->SetAnchors({});

    host->SetBounds(10, 10, 300, 160); // 100 wider, 60 taller
    ExpectBounds(Bounds(plain), {10, 10, 40, 30}, "left and top: stays");
    ExpectBounds(Bounds(right), {250, 10, 290, 30}, "right: keeps 10 to the right edge");
    ExpectBounds(Bounds(stretch), {10, 40, 290, 60}, "left and right: stretches");
    ExpectBounds(WindowBounds(stretch), {10, 40, 290, 60}, "its window too");
    ExpectBounds(Bounds(corner), {260, 130, 290, 150}, "right and bottom: the corner");
    ExpectBounds(Bounds(free), {140, 70, 160, 90}, "no anchor: the centre in proportion");

    // Moved by code: the distances are measured afresh.
    right->SetLeft(20);
    host->SetWidth(host->Width() + 30);
    EXPECT_EQ(right->Left(), 50);

    // The form resized as the user would, through the system.
    host->SetAlign(alClient);
    const RECT formClient = form->ClientRect();
    ::SetWindowPos(form->Handle(), nullptr, 0, 0, form->Width() - 50, form->Height() - 20,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    EXPECT_EQ(host->Width(), formClient.right - 50);
    EXPECT_EQ(right->Left() + right->Width(), host->Width() - 240) << "the distance it had";
    EXPECT_EQ(corner->Top() + corner->Height(), host->Height() - 10);

}

TEST_F(ControlsTest, ConstraintsClampEverySizeAndTheUsersResizing) {
    auto* panel = Add<TPanel>(form, {10, 10, 110, 60}, "panel");
    struct Case {
        int MinW, MinH, MaxW, MaxH;
        int AskW, AskH;
        int W, H;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 500, 3, 500, 3},       // no limits
        {50, 20, 0, 0, 10, 5, 50, 20},      // minimums
        {0, 0, 80, 40, 200, 100, 80, 40},   // maximums
        {60, 30, 40, 20, 10, 10, 60, 30},   // a minimum above the maximum wins
        {-5, 0, 0, 0, 10, 10, 10, 10},      // negative means none
    };
    for (const Case& c : cases) {
        panel->Constraints()->SetMinWidth(0);
        panel->Constraints()->SetMinHeight(0);
        panel->Constraints()->SetMaxWidth(c.MaxW);
        panel->Constraints()->SetMaxHeight(c.MaxH);
        panel->Constraints()->SetMinWidth(c.MinW);
        panel->Constraints()->SetMinHeight(c.MinH);
        panel->SetBounds(10, 10, c.AskW, c.AskH);
        EXPECT_EQ(panel->Width(), c.W) << c.AskW;
        EXPECT_EQ(panel->Height(), c.H) << c.AskH;
        EXPECT_EQ(WindowBounds(panel).right - 10, c.W);
    }
    // A new limit applies at once; an aligned control is clamped too.
    panel->Constraints()->SetMinWidth(0);
    panel->Constraints()->SetMinHeight(0);
    panel->Constraints()->SetMaxWidth(0);
    panel->Constraints()->SetMaxHeight(0);
    panel->SetBounds(10, 10, 100, 50);
    panel->Constraints()->SetMaxWidth(70);
    EXPECT_EQ(panel->Width(), 70);
    panel->SetAlign(alTop);
    EXPECT_EQ(panel->Width(), 70) << "alTop asks for the whole width";

    // The form: the system's resizing stops at the limits.
    form->Constraints()->SetMinWidth(250);
    form->Constraints()->SetMaxHeight(280);
    MINMAXINFO info{};
    ::SendMessageA(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 250);
    EXPECT_EQ(info.ptMaxTrackSize.y, 280);
    ::SetWindowPos(form->Handle(), nullptr, 0, 0, 100, 400,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    RECT r{};
    ::GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 250);
    EXPECT_EQ(r.bottom - r.top, 280);
    EXPECT_EQ(form->Width(), 250);
}
