// Double-buffered parents: the children of one erase through it (the
// parent draws into their DC) instead of asking the theme for the parent's
// background; a form placed on a control erases by its parent or itself.

#include "ContainersEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/stdctrls/Frames.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panels.h"

#include <gtest/gtest.h>

namespace {
class DoubleBuffered : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        form = new TForm(Application);
        form->SetBounds(10, 10, 500, 400);
        form->SetColor(clWhite);
        host = Add<TPanel>(form, 10, 10, 460, 340);
        host->SetParentColor(true);
        groupBox = Add<TGroupBox>(host, 10, 10, 150, 80);
        inner = Add<TPanel>(host, 170, 10, 150, 80);
        inner->SetParentColor(true);
        frame = Add<TFrame>(host, 10, 100, 150, 80);
        label = Add<TLabel>(frame, 10, 10, 60, 20);
        label->SetCaption("Rahmen");
        placed = new TForm(form);
        placed->SetParent(host);
        placed->SetBorderStyle(bsNone);
        placed->SetBounds(170, 100, 150, 80);
        placed->Show();
        form->Show();
        manager = new TThemeManager(form);
        manager->Loaded();
        PumpMessages();
    }
    void TearDown() override {
        Free(form);
        PumpMessages();
    }
    template <class T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
        return AddControl<T>(form, parent, left, top, width, height);
    }
    // Sends Msg to Control with the DC of a fresh bitmap (also as LParam
    // when asked); whether anything was drawn into it.
    static bool Drawn(TControl* control, UINT msg, bool lParamIsDC = false) {
        SentinelBitmap bitmap(150, 80);
        const auto dc = reinterpret_cast<WPARAM>(bitmap.DC());
        control->Perform(msg, dc, lParamIsDC ? static_cast<LPARAM>(dc) : 0);
        return bitmap.Pixel(75, 40) != Sentinel;
    }

    ControlThemes themes{true};
    TForm* form = nullptr;
    TPanel* host = nullptr;
    TGroupBox* groupBox = nullptr;
    TPanel* inner = nullptr;
    TFrame* frame = nullptr;
    TLabel* label = nullptr;
    TForm* placed = nullptr;
    TThemeManager* manager = nullptr;
};

TEST_F(DoubleBuffered, ChildrenOfABufferedPanelEraseThroughIt) {
    for (bool buffered : {true, false}) {
        host->SetDoubleBuffered(buffered);
        FrameWitness witness(manager);
        for (TControl* child : {static_cast<TControl*>(groupBox), static_cast<TControl*>(inner),
                                static_cast<TControl*>(frame)}) {
            witness.Clear();
            EXPECT_TRUE(Drawn(child, WM_ERASEBKGND)) << child->ClassName();
            EXPECT_EQ(witness.ErasesForAChild(host), buffered ? 1 : 0)
                << child->ClassName() << (buffered ? ": through the panel" : ": by the theme");
        }
        // The panel's own painting fills behind its caption the same way.
        witness.Clear();
        EXPECT_TRUE(Drawn(inner, WM_PRINTCLIENT));
        EXPECT_EQ(witness.ErasesForAChild(host), buffered ? 1 : 0);
    }
}

TEST_F(DoubleBuffered, PlacedFormErasesByABufferedParent) {
    host->SetDoubleBuffered(true);
    FrameWitness witness(manager);
    EXPECT_TRUE(Drawn(placed, WM_ERASEBKGND));
    EXPECT_EQ(witness.ErasesForAChild(host), 1);
}

TEST_F(DoubleBuffered, BufferedPlacedFormTakesOnlyTheEraseMeantForItsBitmap) {
    placed->SetDoubleBuffered(true);
    FrameWitness witness(manager);
    SentinelBitmap bitmap(150, 80);
    const auto dc = reinterpret_cast<WPARAM>(bitmap.DC());
    EXPECT_EQ(placed->Perform(WM_ERASEBKGND, dc, 0), 1);
    EXPECT_EQ(bitmap.Pixel(75, 40), Sentinel) << "a stray erase draws nothing";
    EXPECT_EQ(witness.ErasesForAChild(host), 0);
    EXPECT_TRUE(Drawn(placed, WM_ERASEBKGND, true));
    EXPECT_EQ(witness.ErasesForAChild(host), 1);
    EXPECT_TRUE(Drawn(placed, WM_PRINTCLIENT));
    EXPECT_EQ(witness.ErasesForAChild(host), 2);
}

TEST_F(DoubleBuffered, UnbufferedPlacedFormShowsItsParentsThemedBackground) {
    FrameWitness witness(manager);
    SentinelBitmap bitmap(150, 80);
    EXPECT_EQ(placed->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0), 1);
    EXPECT_EQ(bitmap.Pixel(75, 40), RGB(255, 255, 255)) << "the white behind the panel";
    EXPECT_EQ(witness.ErasesForAChild(host), 0);
}

TEST_F(DoubleBuffered, FramePaintsItsWindowlessChildrenOverItsParentsBackground) {
    FrameWitness witness(manager);
    frame->SetColor(clRed);
    ::RedrawWindow(frame->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_TRUE(witness.Saw(frame, WM_PAINT));
    SentinelBitmap shot(150, 80);
    const HDC dc = ::GetDC(frame->Handle());
    ::BitBlt(shot.DC(), 0, 0, 150, 80, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(frame->Handle(), dc);
    EXPECT_EQ(shot.Pixel(140, 70), RGB(255, 255, 255)) << "the form's white, not the frame's red";
    int text = 0;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 70; ++x)
            text += shot.Pixel(x, y) != RGB(255, 255, 255) ? 1 : 0;
    EXPECT_GT(text, 10) << "the label on the frame";
}
} // namespace
