// Creation, window style, background painting and the change messages of
// the kit's windowed control base.

#include "WinCtrlEnvironment.h"
#include "tests/support/MemoryCanvas.h"

#include <algorithm>

namespace {
constexpr COLORREF Untouched = RGB(1, 2, 3);
constexpr COLORREF Red = RGB(255, 0, 0);

size_t CountOf(const std::vector<UINT>& list, UINT msg) {
    return static_cast<size_t>(std::count(list.begin(), list.end(), msg));
}
} // namespace

TEST(KitCustomControlCreation, StartsOpaqueUnfocusedAndNotATabStop) {
    TKitCustomControl control(nullptr);
    EXPECT_EQ(control.ClassName(), "TKitCustomControl");
    EXPECT_EQ(control.Width(), 100);
    EXPECT_EQ(control.Height(), 40);
    EXPECT_FALSE(control.TabStop());
    EXPECT_FALSE(control.MouseOver());
    EXPECT_FALSE(control.HasFocus());
    EXPECT_FALSE(control.FlatBorder());
    EXPECT_FALSE(control.Transparent());
    EXPECT_TRUE(control.RepaintOnChange());
    EXPECT_TRUE(control.Ctl3D());
    EXPECT_FALSE(control.OnGotFocus.Assigned());
    EXPECT_FALSE(control.OnLostFocus.Assigned());
    EXPECT_FALSE(control.OnMouseEnter.Assigned());
    EXPECT_FALSE(control.OnMouseLeave.Assigned());
    EXPECT_FALSE(control.HandleAllocated());
}

TEST(KitCustomControlCreation, BaseHasNoBackgroundOfItsOwn) {
    TKitCustomControl control(nullptr);
    control.SetTransparent(true);
    EXPECT_FALSE(control.HasBackground());
    EXPECT_FALSE(control.PaintsTransparent()) << "transparency needs a background";
    EXPECT_TRUE(control.IsEmpty());
    EXPECT_EQ(control.BackgroundSource(), nullptr);
    EXPECT_EQ(control.ParentBackgroundSource(), nullptr);
    const POINT p = control.MapBackgroundPoint(POINT{-7, 12});
    EXPECT_EQ(p.x, -7);
    EXPECT_EQ(p.y, 12);
}

TEST_F(KitControlTest, WindowClipsChildrenAndSkipsTheFullRedrawOnResize) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    HWND h = probe->Handle();
    EXPECT_TRUE(::GetWindowLongPtrA(h, GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_FALSE(::GetWindowLongPtrA(h, GWL_STYLE) & WS_TABSTOP);
    const ULONG_PTR classStyle = ::GetClassLongPtrA(h, GCL_STYLE);
    EXPECT_FALSE(classStyle & CS_HREDRAW);
    EXPECT_FALSE(classStyle & CS_VREDRAW);
    EXPECT_TRUE(classStyle & CS_DBLCLKS) << "the inherited class style stays";
}

TEST_F(KitControlTest, OpaqueControlErasesAndFillsWithItsColour) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    probe->SetColor(clRed);
    probe->SetTransparent(true); // no background: still opaque
    probe->HandleNeeded();
    TMemoryCanvas erase(100, 40, Untouched);
    EXPECT_EQ(probe->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(erase.DC())), 1);
    EXPECT_EQ(erase.Pixel(50, 20), Red);

    TMemoryCanvas paint(100, 40, Untouched);
    probe->Perform(WM_PAINT, reinterpret_cast<WPARAM>(paint.DC()));
    EXPECT_EQ(paint.Pixel(0, 0), Red);
    EXPECT_EQ(paint.Pixel(99, 39), Red);
    EXPECT_EQ(probe->BackgroundCalls, 0);
    EXPECT_EQ(probe->NormalBorders, 1) << "run time paints the normal border";
}

TEST_F(KitControlTest, TransparentControlLeavesErasingToItsBackground) {
    TProbeControl* probe = AddProbe(form, 30, 50);
    probe->SetColor(clRed);
    probe->SetTransparent(true);
    probe->FakeBackground = true;
    probe->HandleNeeded();
    ASSERT_TRUE(probe->PaintsTransparent());
    TMemoryCanvas erase(100, 40, Untouched);
    EXPECT_EQ(probe->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(erase.DC())), 1);
    EXPECT_EQ(erase.Pixel(50, 20), Untouched);

    // The background painter answers True: nothing else is filled.
    probe->BackgroundPainted = true;
    TMemoryCanvas painted(100, 40, Untouched);
    probe->Perform(WM_PAINT, reinterpret_cast<WPARAM>(painted.DC()));
    EXPECT_EQ(probe->BackgroundCalls, 1);
    EXPECT_EQ(probe->BackgroundOrigin.x, 30);
    EXPECT_EQ(probe->BackgroundOrigin.y, 50);
    EXPECT_EQ(painted.Pixel(50, 20), Untouched);

    // It answers False: the colour fills the client area after all.
    probe->BackgroundPainted = false;
    TMemoryCanvas filled(100, 40, Untouched);
    probe->Perform(WM_PAINT, reinterpret_cast<WPARAM>(filled.DC()));
    EXPECT_EQ(probe->BackgroundCalls, 2);
    EXPECT_EQ(filled.Pixel(50, 20), Red);
}

TEST_F(KitControlTest, NothingIsPaintedWhileLoading) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    probe->SetColor(clRed);
    probe->HandleNeeded();
    probe->IncludeState(csLoading);
    TMemoryCanvas surface(100, 40, Untouched);
    probe->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()));
    probe->ExcludeState(csLoading);
    EXPECT_EQ(surface.Pixel(50, 20), Untouched);
    EXPECT_EQ(probe->NormalBorders, 0);
}

TEST_F(KitControlTest, DesignTimeDrawsTheDashedFrameOfAnEmptyControlAndNoBorder) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    probe->SetColor(clRed);
    probe->SetFlatBorder(true);
    probe->HandleNeeded();
    probe->IncludeState(csDesigning);
    probe->Canvas()->Pen()->SetWidth(3); // left by earlier painting
    TMemoryCanvas empty(100, 40, Untouched);
    probe->Perform(WM_PAINT, reinterpret_cast<WPARAM>(empty.DC()));
    EXPECT_EQ(empty.Pixel(0, 0), RGB(0, 0, 0)) << "the dash starts at the corner";
    EXPECT_EQ(empty.Pixel(1, 1), Red) << "the frame is one pixel wide";
    EXPECT_EQ(empty.Pixel(99, 0), RGB(0, 0, 0));
    EXPECT_EQ(empty.Pixel(50, 20), Red) << "the frame leaves the inside";
    bool gap = false;
    for (int x = 0; x < 100; ++x)
        gap = gap || empty.Pixel(x, 0) == Red;
    EXPECT_TRUE(gap) << "the frame is dashed";

    probe->FakeEmpty = false;
    TMemoryCanvas full(100, 40, Untouched);
    probe->Perform(WM_PAINT, reinterpret_cast<WPARAM>(full.DC()));
    EXPECT_EQ(full.Pixel(0, 0), Red) << "no frame around a control with content";
    EXPECT_EQ(probe->NormalBorders, 0);
    probe->ExcludeState(csDesigning);
}

TEST_F(KitControlTest, ObjectChangesInvalidateOnlyWhenAsked) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    PaintNow(probe);
    ASSERT_FALSE(HasUpdateRegion(probe));
    probe->ImageListChanged(nullptr);
    EXPECT_EQ(probe->Changes, 1) << "an image-list change is an object change";
    EXPECT_TRUE(HasUpdateRegion(probe));

    PaintNow(probe);
    probe->SetRepaintOnChange(false);
    probe->ObjectChanged(nullptr);
    EXPECT_FALSE(HasUpdateRegion(probe));
}

TEST_F(KitControlTest, BackgroundChangeIsIgnoredWhileLoading) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    PaintNow(probe);
    probe->IncludeState(csLoading);
    probe->Perform(CM_KITBACKCHANGED);
    probe->ExcludeState(csLoading);
    EXPECT_FALSE(HasUpdateRegion(probe));

    probe->Perform(CM_KITBACKCHANGED);
    EXPECT_TRUE(HasUpdateRegion(probe)) << "an opaque control only invalidates";
}

TEST_F(KitControlTest, BackgroundChangeReachesTheChildrenOnlyOfATransparentControl) {
    TProbeControl* parent = AddProbe(form, 10, 10);
    parent->SetBounds(10, 10, 200, 100);
    TProbeControl* child = AddProbe(parent, 5, 5);
    PaintNow(parent);

    parent->Perform(CM_KITBACKCHANGED);
    EXPECT_EQ(CountOf(child->Received, CM_KITBACKCHANGED), 0u);

    parent->SetTransparent(true);
    parent->FakeBackground = true;
    parent->Perform(CM_KITBACKCHANGED);
    EXPECT_EQ(CountOf(child->Received, CM_KITBACKCHANGED), 1u);
    EXPECT_FALSE(HasUpdateRegion(parent)) << "repainted at once";
    EXPECT_GE(parent->BackgroundCalls, 1);
}

TEST_F(KitControlTest, SystemColourChangeReachesEveryControlAndRepaintsOpaqueOnes) {
    TProbeControl* outer = AddProbe(form, 10, 10);
    outer->SetBounds(10, 10, 200, 100);
    TProbeControl* inner = AddProbe(outer, 5, 5);
    inner->SetTransparent(true);
    PaintNow(form);

    form->Perform(WM_SYSCOLORCHANGE);
    EXPECT_EQ(CountOf(outer->Received, CM_SYSCOLORCHANGE), 1u);
    EXPECT_EQ(CountOf(inner->Received, CM_SYSCOLORCHANGE), 1u);
    EXPECT_TRUE(HasUpdateRegion(outer));
    EXPECT_FALSE(HasUpdateRegion(inner)) << "a transparent control keeps its look";
}

TEST_F(KitControlTest, ResizeOfAnOpaqueControlInvalidates) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    PaintNow(probe);
    probe->SetWidth(80);
    EXPECT_TRUE(HasUpdateRegion(probe));
    EXPECT_EQ(probe->BackgroundCalls, 0);
}

TEST_F(KitControlTest, TransparentControlRepaintsAtOnceWhenResized) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    probe->SetTransparent(true);
    probe->FakeBackground = true;
    PaintNow(probe);
    const int before = probe->BackgroundCalls;
    probe->SetWidth(80);
    EXPECT_FALSE(HasUpdateRegion(probe));
    EXPECT_GT(probe->BackgroundCalls, before);
}

TEST_F(KitControlTest, ParentBackgroundComesFromAKitParentsSource) {
    TProbeControl* parent = AddProbe(form, 10, 10);
    parent->SetBounds(10, 10, 200, 100);
    TProbeControl* child = AddProbe(parent, 5, 5);
    TProbeControl* onForm = AddProbe(form, 250, 10);

    EXPECT_EQ(child->ParentBackgroundSource(), nullptr) << "the parent has no source";
    parent->Source = parent;
    EXPECT_EQ(child->ParentBackgroundSource(), parent);
    child->FakeBackground = true;
    EXPECT_EQ(child->ParentBackgroundSource(), nullptr) << "it has a background of its own";
    EXPECT_EQ(onForm->ParentBackgroundSource(), nullptr) << "the form is no kit control";
}

namespace {
// A non-windowed child that counts how often it is painted.
class TPaintCounter : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int Paints = 0;

protected:
    void Paint() override { ++Paints; }
};
} // namespace

TEST_F(KitControlTest, MovingAnOpaqueControlPaintsNothingAtOnce) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    auto* child = new TPaintCounter(form);
    child->SetBounds(2, 2, 20, 20);
    child->SetParent(probe);
    PaintNow(probe);
    const int backgrounds = probe->BackgroundCalls;
    const int paints = child->Paints;
    probe->SetLeft(30);
    EXPECT_EQ(probe->BackgroundCalls, backgrounds);
    EXPECT_EQ(child->Paints, paints);
}

TEST_F(KitControlTest, MovingATransparentControlRepaintsItAndItsGraphicChildren) {
    TProbeControl* probe = AddProbe(form, 10, 10);
    probe->SetTransparent(true);
    probe->FakeBackground = true;
    auto* child = new TPaintCounter(form);
    child->SetBounds(2, 2, 20, 20);
    child->SetParent(probe);
    PaintNow(probe);
    const int backgrounds = probe->BackgroundCalls;
    const int paints = child->Paints;
    probe->SetLeft(30);
    EXPECT_GT(probe->BackgroundCalls, backgrounds);
    EXPECT_GE(child->Paints, paints + 2) << "with the repaint, then on the control's canvas";
}
