// The cool bar: a band for every windowed control on it, holding the
// control, and the bands made again with the window.

#include "ControlsEnvironment.h"

#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/CoolBar.h"
#include "platform/stdctrls/TrackBar.h"

#include <commctrl.h>
#include <functional>
#include <string>

namespace {
struct BandInWindow {
    HWND Child = nullptr;
    std::string Text;
    bool Break = false;
};

BandInWindow ReadBand(HWND bar, int index) {
    char text[64]{};
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILD | RBBIM_TEXT | RBBIM_STYLE;
    info.lpText = text;
    info.cch = sizeof text;
    ::SendMessageA(bar, RB_GETBANDINFOA, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&info));
    return {info.hwndChild, text, (info.fStyle & RBBS_BREAK) != 0};
}

int BandsInWindow(HWND bar) {
    return static_cast<int>(::SendMessageA(bar, RB_GETBANDCOUNT, 0, 0));
}

class CoolBar : public OnForm {
protected:
    void SetUp() override {
        OnForm::SetUp();
        bar = Add<TCoolBar>(form, 0, 0, 400, 60);
    }
    TCoolBar* bar = nullptr;
};

TEST_F(CoolBar, EachWindowedControlGetsABandThatHoldsIt) {
    auto* button = Add<TButton>(bar, 0, 0, 80, 24);
    auto* trackBar = Add<TTrackBar>(bar, 0, 0, 150, 30);
    ASSERT_EQ(bar->BandCount(), 2);
    ASSERT_EQ(BandsInWindow(bar->Handle()), 2);
    EXPECT_EQ(ReadBand(bar->Handle(), 0).Child, button->Handle());
    EXPECT_EQ(ReadBand(bar->Handle(), 1).Child, trackBar->Handle());
    EXPECT_EQ(::GetParent(button->Handle()), bar->Handle());
    EXPECT_EQ(bar->BandOf(trackBar), bar->Bands(1));

    bar->Bands(1)->SetText("Grenze");
    bar->Bands(1)->SetBreak(true);
    const BandInWindow second = ReadBand(bar->Handle(), 1);
    EXPECT_EQ(second.Text, "Grenze");
    EXPECT_TRUE(second.Break);

    Free(button);
    EXPECT_EQ(bar->BandCount(), 1);
    EXPECT_EQ(BandsInWindow(bar->Handle()), 1);
    EXPECT_EQ(ReadBand(bar->Handle(), 0).Child, trackBar->Handle());
}

TEST_F(CoolBar, BandsComeBackWithTheWindow) {
    auto* button = Add<TButton>(bar, 0, 0, 80, 24);
    auto* check = Add<TCheckBox>(bar, 0, 0, 100, 20);
    bar->Bands(0)->SetText("Knopf");
    const HWND before = bar->Handle();
    bar->RecreateWnd();
    ASSERT_NE(bar->Handle(), before);
    ASSERT_EQ(BandsInWindow(bar->Handle()), 2);
    EXPECT_EQ(ReadBand(bar->Handle(), 0).Child, button->Handle());
    EXPECT_EQ(ReadBand(bar->Handle(), 0).Text, "Knopf");
    EXPECT_EQ(ReadBand(bar->Handle(), 1).Child, check->Handle());
}

TEST_F(CoolBar, ABandHoldsTheNewWindowOfAControlMadeAgain) {
    struct Remaking {
        const char* What;
        std::function<TWinControl*(TCoolBar*)> Make;
        std::function<void(TWinControl*)> Change;
    };
    const Remaking cases[] = {
        {"made again", [](TCoolBar* b) { return new TButton(b); },
         [](TWinControl* c) { c->RecreateWnd(); }},
        {"check box alignment", [](TCoolBar* b) { return new TCheckBox(b); },
         [](TWinControl* c) { static_cast<TCheckBox*>(c)->SetAlignment(taLeftJustify); }},
        {"track bar orientation", [](TCoolBar* b) { return new TTrackBar(b); },
         [](TWinControl* c) { static_cast<TTrackBar*>(c)->SetOrientation(trVertical); }},
        {"reading order", [](TCoolBar* b) { return new TButton(b); },
         [](TWinControl* c) { c->SetBiDiMode(bdRightToLeft); }},
    };
    auto* first = Add<TButton>(bar, 0, 0, 60, 24);
    for (const Remaking& c : cases) {
        SCOPED_TRACE(c.What);
        TWinControl* control = c.Make(bar);
        control->SetBounds(0, 0, 100, 24);
        control->SetParent(bar);
        const HWND before = control->Handle();
        c.Change(control);
        ASSERT_NE(control->Handle(), before);
        ASSERT_EQ(BandsInWindow(bar->Handle()), 2);
        EXPECT_EQ(ReadBand(bar->Handle(), 1).Child, control->Handle());
        EXPECT_EQ(ReadBand(bar->Handle(), 0).Child, first->Handle()) << "the other band keeps its";
        EXPECT_TRUE(::IsWindowVisible(control->Handle()));
        Free(control);
    }
}

TEST_F(CoolBar, ControlsOnAnInnerControlHaveNoBand) {
    auto* button = Add<TButton>(bar, 0, 0, 80, 24);
    EXPECT_EQ(bar->BandCount(), 1);
    button->SetParent(form);
    EXPECT_EQ(bar->BandCount(), 0);
    EXPECT_EQ(BandsInWindow(bar->Handle()), 0);
    EXPECT_EQ(::GetParent(button->Handle()), form->Handle());
}
} // namespace
