// Fonts, brushes and pens: settings, handles, change events, and that every
// handle they make is given back.

#include "platform/classes/Component.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/GdiCensus.h"

#include <gtest/gtest.h>

namespace {
struct ChangeCounter : TComponent {
    using TComponent::TComponent;
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

} // namespace

TEST(Font, DefaultsAndHandleReflectSettings) {
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
    f.SetStyle({fsBold, fsItalic});
    f.SetHeight(-20);
    LOGFONTA lf{};
    ASSERT_EQ(::GetObjectA(f.Handle(), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -16);
}

TEST(Font, ChangesFireOnceAndReplaceTheHandle) {
    ChangeCounter counter(nullptr);
    TFont f;
    f.OnChange = TNotifyEvent::Of<&ChangeCounter::Changed>(&counter);
    const std::int64_t before = LiveHandleCount(THandleKind::GdiObject);
    f.Handle();
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), before + 1);
    f.SetName("Arial");
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), before) << "old handle dropped";
    f.SetName("Arial");
    f.SetName(""); // an empty name is ignored
    EXPECT_EQ(counter.Count, 1);
    f.SetColor(clRed);
    EXPECT_EQ(counter.Count, 2);
}

TEST(Font, AssignCopiesEverySettingAndRejectsOtherClasses) {
    TFont a, b;
    a.SetName("Courier New");
    a.SetStyle({fsUnderline});
    a.SetColor(clBlue);
    b.Assign(&a);
    EXPECT_EQ(b.Name(), "Courier New");
    EXPECT_TRUE(b.Style().Contains(fsUnderline));
    EXPECT_EQ(b.Color(), clBlue);
    TBrush brush;
    EXPECT_THROW(b.Assign(&brush), EConvertError);
}

TEST(BrushAndPen, StylesBecomeTheMatchingGdiObjects) {
    TBrush b;
    b.SetColor(clRed);
    LOGBRUSH lb{};
    ASSERT_NE(::GetObjectA(b.Handle(), sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, RGB(255, 0, 0));
    b.SetStyle(bsClear);
    ASSERT_NE(::GetObjectA(b.Handle(), sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
    b.SetColor(clBtnFace);
    EXPECT_EQ(b.Style(), bsSolid) << "a colour makes a clear brush solid again";
    b.SetStyle(bsClear);
    b.SetColor(clBtnFace);
    EXPECT_EQ(b.Style(), bsSolid) << "also the colour it already has";
    ASSERT_NE(::GetObjectA(b.Handle(), sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, ::GetSysColor(COLOR_BTNFACE));

    TPen p;
    p.SetWidth(3);
    p.SetStyle(psDash);
    LOGPEN lp{};
    ASSERT_NE(::GetObjectA(p.Handle(), sizeof lp, &lp), 0);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
}

TEST(Handles, CreateDestroyLoopGivesEveryHandleBack) {
    const std::int64_t before = LiveHandleCount(THandleKind::GdiObject);
    const int systemBefore = ProcessGdiObjects();
    for (int i = 0; i < 2000; ++i) {
        TFont f;
        TBrush b;
        TPen p;
        f.Handle();
        b.Handle();
        p.Handle();
        f.SetHeight(-12 - i % 5);
        b.SetColor(static_cast<TColor>(i));
        p.SetWidth(1 + i % 3);
        f.Handle();
        b.Handle();
        p.Handle();
    }
    EXPECT_EQ(LiveHandleCount(THandleKind::GdiObject), before);
    EXPECT_EQ(ProcessGdiObjects(), systemBefore);
}

TEST(Color, SystemColoursResolveThroughTheSystem) {
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(ColorToRGB(clWindow), ::GetSysColor(COLOR_WINDOW));
    std::int64_t v = 0;
    EXPECT_TRUE(IdentToInt(ColorIdents(), "clBtnFace", v));
    EXPECT_EQ(static_cast<TColor>(v), clBtnFace);
}
