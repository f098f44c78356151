// The flat border in the non-client area: drawn through the window's own
// context, following focus, mouse and the 3-D setting.

#include "WinCtrlEnvironment.h"

#include "platform/graphics/HandleCount.h"
#include "tests/support/GdiCensus.h"

class KitControlBorder : public KitControlTest {
protected:
    void SetUp() override {
        KitControlTest::SetUp();
        probe = AddProbe(form, 10, 10);
        probe->SetColor(clRed);
        other = AddProbe(form, 10, 80);
        PaintNow(form);
    }
    COLORREF At(int x, int y) const { return WindowPixel(probe, x, y); }
    COLORREF Sys(int index) const { return ShownSysColor(probe, index); }
    COLORREF Red() const { return ShownColor(probe, RGB(255, 0, 0)); }
    // Paints the red background again without a border.
    void Clear() {
        const bool flat = probe->FlatBorder();
        probe->SetFlatBorder(false);
        PaintNow(probe);
        probe->SetFlatBorder(flat);
    }

    TProbeControl* probe = nullptr;
    TProbeControl* other = nullptr;
};

TEST_F(KitControlBorder, WithoutFlatBorderNothingIsEverDrawn) {
    ASSERT_EQ(At(0, 0), Red());
    probe->SetFocus();
    PumpMessages();
    EXPECT_EQ(probe->FocusBorders, 0);
    probe->Perform(CM_MOUSEENTER);
    probe->Perform(CM_MOUSELEAVE);
    other->SetFocus();
    PumpMessages();
    probe->DrawNormalBorder();
    EXPECT_EQ(At(0, 0), Red());
    EXPECT_EQ(At(1, 1), Red());
}

TEST_F(KitControlBorder, NormalBorderIsTwoButtonFaceRingsIn3D) {
    probe->SetFlatBorder(true);
    probe->DrawNormalBorder();
    EXPECT_EQ(At(0, 0), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(1, 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(98, 38), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(2, 2), Red());
    EXPECT_EQ(At(50, 20), Red());
}

TEST_F(KitControlBorder, NormalBorderIsOneRingWithout3D) {
    probe->SetFlatBorder(true);
    probe->SetCtl3D(false);
    probe->DrawNormalBorder();
    EXPECT_EQ(At(0, 0), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(99, 39), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(1, 1), Red());
}

TEST_F(KitControlBorder, NormalBorderWaitsWhileTheMouseIsOver) {
    probe->SetFlatBorder(true);
    probe->Perform(CM_MOUSEENTER);
    probe->DrawNormalBorder();
    EXPECT_EQ(At(0, 0), Red());
    probe->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(At(0, 0), Sys(COLOR_BTNFACE)) << "drawn when the mouse leaves";
}

TEST_F(KitControlBorder, FocusBorderIsSunkenIn3D) {
    probe->SetFlatBorder(true);
    probe->SetFocus();
    EXPECT_EQ(probe->FocusBorders, 1);
    EXPECT_EQ(At(0, 0), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(At(99, 39), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(At(1, 1), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(98, 38), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(50, 20), Red());
}

TEST_F(KitControlBorder, FocusBorderIsOneFrameRingWithout3D) {
    probe->SetFlatBorder(true);
    probe->SetCtl3D(false);
    probe->SetFocus();
    EXPECT_EQ(At(0, 0), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(99, 39), Sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(At(1, 1), Red());
}

TEST_F(KitControlBorder, FocusedControlKeepsItsFocusBorderWhenTheMouseLeaves) {
    probe->SetFlatBorder(true);
    probe->SetFocus();
    probe->Perform(CM_MOUSEENTER);
    probe->Perform(CM_MOUSELEAVE);
    probe->DrawNormalBorder(); // the focused control is left alone
    EXPECT_EQ(At(1, 1), Sys(COLOR_WINDOWFRAME));
}

TEST_F(KitControlBorder, LosingTheFocusGivesTheNormalBorderBack) {
    probe->SetFlatBorder(true);
    probe->SetFocus();
    ASSERT_EQ(At(1, 1), Sys(COLOR_WINDOWFRAME));
    other->SetFocus();
    EXPECT_EQ(At(0, 0), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(1, 1), Sys(COLOR_BTNFACE));
}

TEST_F(KitControlBorder, RunTimePaintingEndsWithTheNormalBorder) {
    probe->SetFlatBorder(true);
    PaintNow(probe);
    EXPECT_EQ(At(0, 0), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(2, 2), Red());
}

TEST_F(KitControlBorder, BorderDrawingGivesBackEveryHandle) {
    probe->SetFlatBorder(true);
    const auto gdi = LiveHandleCount(THandleKind::GdiObject);
    const auto dcs = LiveHandleCount(THandleKind::DeviceContext);
    probe->DrawFocusBorder(); // the first round makes the system's caches
    probe->DrawNormalBorder();
    const int systemGdi = ProcessGdiObjects();
    for (int i = 0; i < 50; ++i) {
        probe->DrawFocusBorder();
        probe->DrawNormalBorder();
    }
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), gdi);
    EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), dcs);
    EXPECT_EQ(ProcessGdiObjects(), systemGdi);
}

TEST_F(KitControlBorder, BordersNeedAWindow) {
    TKitCustomControl loose(nullptr);
    loose.SetFlatBorder(true);
    const auto dcs = LiveHandleCount(THandleKind::DeviceContext);
    loose.DrawNormalBorder();
    loose.DrawFocusBorder();
    EXPECT_FALSE(loose.HandleAllocated());
    EXPECT_EQ(LiveHandleCount(THandleKind::DeviceContext), dcs);
}
