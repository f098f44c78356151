// The mouse with a real cursor: entering and leaving every kind of
// control, the mouse events in the control's coordinates, and a pressed
// control without a window keeping the mouse.

#include "ControlsFixture.h"

#include <algorithm>

#include "platform/stdctrls/GlyphButtons.h"
#include "platform/stdctrls/Panels.h"

namespace {
// Records the mouse events of the controls it is hooked to.
struct MouseLog {
    std::vector<std::string> Entries;
    void Down(TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        Note(s, "down", b, shift, x, y);
    }
    void Up(TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
        Note(s, "up", b, shift, x, y);
    }
    void Move(TObject* s, TShiftState shift, int x, int y) {
        Entries.push_back(Name(s) + " move " + std::to_string(x) + "," + std::to_string(y) +
                          (shift.Contains(ssLeft) ? " left" : ""));
    }
    void Click(TObject* s) { Entries.push_back(Name(s) + " click"); }
    void DblClick(TObject* s) { Entries.push_back(Name(s) + " dblclick"); }
    void Hook(TControl* c) {
        c->OnMouseDown = TMouseEvent::Of<&MouseLog::Down>(this);
        c->OnMouseUp = TMouseEvent::Of<&MouseLog::Up>(this);
        c->OnMouseMove = TMouseMoveEvent::Of<&MouseLog::Move>(this);
        c->OnClick = TNotifyEvent::Of<&MouseLog::Click>(this);
        c->OnDblClick = TNotifyEvent::Of<&MouseLog::DblClick>(this);
    }

private:
    static std::string Name(TObject* s) { return static_cast<TComponent*>(s)->Name(); }
    void Note(TObject* s, const char* what, TMouseButton b, TShiftState shift, int x, int y) {
        static const char* const buttons[] = {"left", "right", "middle"};
        Entries.push_back(Name(s) + " " + what + " " + buttons[static_cast<int>(b)] + " " +
                          std::to_string(x) + "," + std::to_string(y) +
                          (shift.Contains(ssDouble) ? " double" : "") +
                          (shift.Contains(ssShift) ? " shift" : ""));
    }
};

void Post(TWinControl* window, UINT msg, WPARAM keys, int x, int y) {
    ::PostMessageA(window->Handle(), msg, keys, MAKELPARAM(x, y));
    PumpMessages();
}
} // namespace

TEST_F(ControlsTest, TheRealMouseEntersAndLeavesGraphicAndWindowedControlsOnce) {
    auto* a = Add<TProbeGraphic>(form, {10, 10, 60, 40}, "a");
    auto* b = Add<TProbeGraphic>(form, {60, 10, 110, 40}, "b"); // touching a
    auto* panel = Add<TProbeWindow>(form, {10, 100, 160, 200}, "panel");
    auto* inner = Add<TProbeGraphic>(panel, {20, 20, 60, 60}, "inner");
    for (TControl* c : {static_cast<TControl*>(a), static_cast<TControl*>(b),
                        static_cast<TControl*>(inner)})
        static_cast<TProbeGraphic*>(c)->Log = &log;
    panel->Log = &log;

    MoveMouseTo(a, 20, 15);
    MoveMouseTo(a, 25, 16); // moving inside changes nothing
    MoveMouseTo(b, 5, 15);  // straight to the neighbour
    MoveMouseTo(form, 200, 60); // the form's own area
    MoveMouseTo(panel, 5, 5);
    MoveMouseTo(inner, 10, 10); // a child of the windowed control
    MoveMouseTo(panel, 100, 80);
    MoveMouseTo(b, 10, 10);
    MoveMouseAway(); // off the form altogether

    EXPECT_EQ(log, (std::vector<std::string>{
                       "a enter", "a leave", "b enter", "b leave", "panel enter", "panel leave",
                       "inner enter", "inner leave", "panel enter", "panel leave", "b enter",
                       "b leave"}));
}

TEST_F(ControlsTest, HidingOrFreeingTheControlUnderTheMouseEndsItsVisit) {
    auto* a = Add<TProbeGraphic>(form, {10, 10, 60, 40}, "a");
    a->Log = &log;
    MoveMouseTo(a, 5, 5);
    a->Hide();
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave"}));
    a->Show();
    MoveMouseTo(a, 6, 6);
    Free(a); // no message to a control on its way out, and no crash later
    MoveMouseTo(form, 200, 200);
    MoveMouseAway();
    EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a leave", "a enter"}));
}

TEST_F(ControlsTest, AControlHiddenByALeaveHandlerIsNotEntered) {
    auto* a = Add<TProbeGraphic>(form, {10, 10, 60, 40}, "a");
    auto* b = Add<TProbeGraphic>(form, {60, 10, 110, 40}, "b");
    a->Log = b->Log = &log;
    a->OnLeave = [b] { b->Hide(); };
    MoveMouseTo(a, 20, 15);
    MoveMouseTo(b, 5, 15); // a's leave hides b, the control the mouse moves onto
    MoveMouseTo(form, 70, 25);
    EXPECT_EQ(std::count(log.begin(), log.end(), "b enter"), 0);
    a->OnLeave = nullptr;
    b->Show();
    MoveMouseTo(b, 6, 15);
    EXPECT_EQ(log.back(), "b enter");
}

TEST_F(ControlsTest, AFlatSpeedButtonIsHotWhileTheRealMouseIsOverIt) {
    auto* button = Add<TSpeedButton>(form, {10, 10, 40, 35}, "button");
    button->SetFlat(true);
    MoveMouseTo(button, 10, 10);
    EXPECT_TRUE(button->MouseInControl());
    // Hot: a raised edge in the highlight colour on its top-left.
    HDC dc = ::GetDC(form->Handle());
    EXPECT_EQ(::GetPixel(dc, 10, 10), ::GetNearestColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT)));
    MoveMouseAway();
    EXPECT_FALSE(button->MouseInControl());
    EXPECT_EQ(::GetPixel(dc, 10, 10), ::GetNearestColor(dc, ::GetSysColor(COLOR_BTNFACE)))
        << "flat again once the mouse left";
    ::ReleaseDC(form->Handle(), dc);
}

TEST_F(ControlsTest, MouseEventsCarryButtonShiftAndTheControlsOwnCoordinates) {
    auto* g = Add<TProbeGraphic>(form, {30, 20, 90, 60}, "g");
    auto* w = Add<TProbeWindow>(form, {100, 20, 160, 60}, "w");
    MouseLog m;
    m.Hook(g);
    m.Hook(w);
    m.Hook(form);
    Post(form, WM_MOUSEMOVE, 0, 35, 25);
    Post(form, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 35, 25);
    Post(form, WM_LBUTTONUP, MK_SHIFT, 36, 26);
    Post(form, WM_LBUTTONDBLCLK, MK_LBUTTON, 36, 26);
    Post(form, WM_LBUTTONUP, 0, 36, 26);
    Post(form, WM_RBUTTONDOWN, MK_RBUTTON, 40, 30);
    Post(form, WM_RBUTTONUP, 0, 40, 30);
    Post(w, WM_MBUTTONDOWN, MK_MBUTTON, 7, 8);
    Post(w, WM_MBUTTONUP, 0, 7, 8);
    Post(form, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5); // the form's own area
    Post(form, WM_LBUTTONUP, 0, 5, 5);
    g->SetEnabled(false);
    Post(form, WM_LBUTTONDOWN, MK_LBUTTON, 35, 25); // a disabled child leaves it to the form
    Post(form, WM_LBUTTONUP, 0, 35, 25);
    EXPECT_EQ(m.Entries, (std::vector<std::string>{
                             "g move 5,5",
                             "g down left 5,5 shift",
                             "g click",
                             "g up left 6,6 shift",
                             "g dblclick",
                             "g down left 6,6 double",
                             "g up left 6,6",
                             "g down right 10,10",
                             "g up right 10,10",
                             "w down middle 7,8",
                             "w up middle 7,8",
                             "form down left 5,5",
                             "form click",
                             "form up left 5,5",
                             "form down left 35,25",
                             "form click",
                             "form up left 35,25",
                         }));
}

TEST_F(ControlsTest, APressedGraphicControlKeepsTheMouseUntilTheRelease) {
    auto* g = Add<TProbeGraphic>(form, {30, 20, 90, 60}, "g");
    auto* other = Add<TProbeGraphic>(form, {100, 20, 160, 60}, "other");
    MouseLog m;
    m.Hook(g);
    m.Hook(other);
    Post(form, WM_LBUTTONDOWN, MK_LBUTTON, 35, 25);
    EXPECT_TRUE(g->MouseCapture());
    EXPECT_EQ(::GetCapture(), form->Handle()) << "through its parent's window";
    Post(form, WM_MOUSEMOVE, MK_LBUTTON, 120, 30); // over the other control
    Post(form, WM_LBUTTONUP, 0, 120, 30);          // released there: no click
    EXPECT_FALSE(g->MouseCapture());
    EXPECT_EQ(::GetCapture(), nullptr);
    Post(form, WM_MOUSEMOVE, 0, 121, 30);
    EXPECT_EQ(m.Entries, (std::vector<std::string>{"g down left 5,5", "g move 90,10 left",
                                                   "g up left 90,10", "other move 21,10"}));
}

TEST_F(ControlsTest, ASpeedButtonClicksOnceForEveryPressAndReleaseOverIt) {
    auto* button = Add<TSpeedButton>(form, {10, 10, 40, 35}, "button");
    MouseLog m;
    m.Hook(button);
    Post(form, WM_LBUTTONDOWN, MK_LBUTTON, 15, 15);
    EXPECT_EQ(button->State(), bsDown);
    Post(form, WM_LBUTTONUP, 0, 16, 15);
    Post(form, WM_LBUTTONDOWN, MK_LBUTTON, 15, 15);
    Post(form, WM_LBUTTONUP, 0, 100, 100); // released elsewhere: no click
    EXPECT_EQ(button->State(), bsUp);
    EXPECT_EQ(m.Entries, (std::vector<std::string>{
                             "button down left 5,5", "button click", "button up left 6,5",
                             "button down left 5,5", "button up left 90,90"}));

    // A double click with the real mouse: the second press, which comes as a
    // double click, presses and clicks it too.
    m.Entries.clear();
    const POINT at = button->ClientToScreen({5, 5});
    for (int i = 0; i < 2; ++i) {
        SendMouseInput(MOUSEEVENTF_LEFTDOWN, at);
        SendMouseInput(MOUSEEVENTF_LEFTUP, at);
    }
    std::erase_if(m.Entries, [](const std::string& e) { return e.find(" move ") != e.npos; });
    EXPECT_EQ(m.Entries, (std::vector<std::string>{
                             "button down left 5,5", "button click", "button up left 5,5",
                             "button dblclick", "button down left 5,5 double", "button click",
                             "button up left 5,5"}));
}
