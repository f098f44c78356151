// The focus path: the focus steps run with the focus change, the focus
// events only once the message loop delivers the posted messages. And the
// mouse path from window messages to the control's events.

#include "WinCtrlEnvironment.h"

#include "platform/forms/Application.h"

namespace {
bool Queued(HWND window, UINT msg) {
    MSG m;
    return ::PeekMessageA(&m, window, msg, msg, PM_NOREMOVE) != FALSE;
}
} // namespace

class KitControlFocus : public KitControlTest {
protected:
    void SetUp() override {
        KitControlTest::SetUp();
        first = AddProbe(form, 10, 10);
        second = AddProbe(form, 10, 60);
        first->HookEvents(log);
        second->HookEvents(log);
        form->HandleNeeded();
        PumpMessages();
        log.clear();
    }

    TProbeControl* first = nullptr;
    TProbeControl* second = nullptr;
    std::vector<std::string> log;
};

TEST_F(KitControlFocus, GotFocusFiresOnlyAfterThePump) {
    first->SetFocus();
    ASSERT_TRUE(first->Focused());
    EXPECT_TRUE(first->HasFocus()) << "the focus step ran with the change";
    // OnEnter fires inside the inherited step, before HasFocus is set.
    EXPECT_EQ(log, (std::vector<std::string>{"probe0 enter"}));
    EXPECT_TRUE(Queued(first->Handle(), CM_KITGOTFOCUS));

    PumpMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"probe0 enter", "probe0 got focused"}));
}

TEST_F(KitControlFocus, MovingTheFocusRunsBothPathsInOrder) {
    first->SetFocus();
    PumpMessages();
    log.clear();

    second->SetFocus();
    EXPECT_FALSE(first->HasFocus());
    EXPECT_TRUE(second->HasFocus());
    EXPECT_EQ(log, (std::vector<std::string>{"probe0 exit", "probe1 enter"}));
    PumpMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"probe0 exit", "probe1 enter", "probe0 lost",
                                             "probe1 got focused"}));
}

TEST_F(KitControlFocus, EventsFireOncePerChange) {
    for (int i = 0; i < 3; ++i) {
        first->SetFocus();
        second->SetFocus();
    }
    PumpMessages();
    int got = 0;
    int lost = 0;
    for (const std::string& entry : log) {
        got += entry.find(" got") != std::string::npos;
        lost += entry.find(" lost") != std::string::npos;
    }
    EXPECT_EQ(got, 6);
    EXPECT_EQ(lost, 5) << "the second keeps the focus at the end";
}

TEST_F(KitControlFocus, FreeingAFocusedControlLeavesNoLateEvent) {
    first->SetFocus();
    PumpMessages();
    log.clear();
    first->OnLostFocus.Clear();
    Free(first);
    first = nullptr;
    PumpMessages(); // a posted focus message to the gone window is dropped
    for (const std::string& entry : log)
        EXPECT_EQ(entry.find("probe0"), std::string::npos) << entry;
}

TEST_F(KitControlFocus, MouseEventsSeeTheStateOfTheirMoment) {
    first->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(first->MouseOver());
    first->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(first->MouseOver());
    EXPECT_EQ(log, (std::vector<std::string>{"probe0 mousein", "probe0 mouseout"}))
        << "MouseOver is set after OnMouseEnter and cleared before OnMouseLeave";
}

TEST_F(KitControlFocus, LeavingMouseRedrawsTheNormalBorderOnlyWithoutFocus) {
    first->Perform(CM_MOUSEENTER);
    first->NormalBorders = 0;
    first->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(first->NormalBorders, 1);

    first->SetFocus();
    first->Perform(CM_MOUSEENTER);
    first->NormalBorders = 0;
    first->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(first->NormalBorders, 0);
}

TEST_F(KitControlFocus, WindowMouseMessagesBecomeOneEnterAndOneLeave) {
    HWND h = first->Handle();
    ::SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"probe0 mousein"}));
    ::SendMessageA(h, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"probe0 mousein", "probe0 mouseout"}));
    // Whatever the system still reports (the real cursor is elsewhere),
    // entering and leaving stay paired.
    PumpMessages();
    ::SendMessageA(h, WM_MOUSELEAVE, 0, 0);
    ::SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(7, 5));
    PumpMessages();
    int enters = 0;
    int leaves = 0;
    for (const std::string& entry : log) {
        enters += entry.find("mousein") != std::string::npos;
        leaves += entry.find("mouseout") != std::string::npos;
        EXPECT_LE(enters - leaves, 1);
        EXPECT_GE(enters - leaves, 0);
    }
    EXPECT_EQ(enters, 2);
}
