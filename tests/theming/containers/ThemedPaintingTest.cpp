// Group boxes and panels drawn through the theme: caption placement, frame
// position, bevel colours, and that the DC's clipping survives the drawing.

#include "ContainersEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/graphics/GdiObject.h"
#include "platform/stdctrls/Panels.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemedContainers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(GroupBoxLayout, EmptyCaptionFramesFromTheClientTop) {
    const TGroupBoxLayout layout = GroupBoxLayout({0, 0, 200, 100}, {0, 0}, 200, false);
    EXPECT_TRUE(SameRect(layout.Caption, {0, 0, 0, 0}));
    EXPECT_TRUE(SameRect(layout.Frame, {0, 0, 200, 100}));
}

TEST(GroupBoxLayout, CaptionSitsEightPixelsIn) {
    const TGroupBoxLayout layout = GroupBoxLayout({0, 0, 200, 100}, {50, 13}, 200, false);
    EXPECT_TRUE(SameRect(layout.Caption, {8, 0, 58, 13}));
    EXPECT_EQ(layout.Frame.top, 6) << "half the caption height, rounded down";
    EXPECT_EQ(layout.Frame.bottom, 100);
}

TEST(GroupBoxLayout, RightToLeftCaptionEndsEightPixelsFromTheRight) {
    const TGroupBoxLayout layout = GroupBoxLayout({0, 0, 200, 100}, {50, 14}, 200, true);
    EXPECT_EQ(layout.Caption.left, 142);
    EXPECT_EQ(layout.Caption.right, 192);
    EXPECT_EQ(layout.Frame.top, 7);
}

TEST(PanelBevelColors, LoweredExchangesHighlightAndShadow) {
    for (TBevelCut cut : {TBevelCut::bvRaised, TBevelCut::bvSpace, TBevelCut::bvNone}) {
        const TBevelColors colors = PanelBevelColors(cut);
        EXPECT_EQ(colors.TopLeft, clBtnHighlight);
        EXPECT_EQ(colors.BottomRight, clBtnShadow);
    }
    const TBevelColors lowered = PanelBevelColors(TBevelCut::bvLowered);
    EXPECT_EQ(lowered.TopLeft, clBtnShadow);
    EXPECT_EQ(lowered.BottomRight, clBtnHighlight);
}

class ThemedPainting : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        form = new TForm(Application);
        form->SetBounds(10, 10, 400, 300);
        form->SetColor(clWhite);
        groupBox = new TGroupBox(form);
        groupBox->SetParent(form);
        groupBox->SetBounds(10, 10, 200, 100);
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 150, 120, 60);
        panel->SetParentColor(true);
        form->HandleNeeded();
        manager = new TThemeManager(form);
        manager->Loaded();
    }
    void TearDown() override { Free(form); }

    ControlThemes themes{true};
    TForm* form = nullptr;
    TGroupBox* groupBox = nullptr;
    TPanel* panel = nullptr;
    TThemeManager* manager = nullptr;
};

// The first and last column in which the 120 x 60 panel, painted into a
// bitmap, shows red (its caption's colour in these tests); -1 without any.
std::pair<int, int> RedColumns(TPanel* panel) {
    SentinelBitmap bitmap(120, 60);
    PaintPanel(panel, bitmap.DC());
    int left = 120;
    int right = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            if (bitmap.Pixel(x, y) == RGB(255, 0, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

// The first row, from the top, in which the frame shows at column X.
int FrameTop(const SentinelBitmap& bitmap, int x, int height) {
    for (int y = 0; y < height; ++y)
        if (bitmap.Pixel(x, y) != Sentinel)
            return y;
    return -1;
}

TEST_F(ThemedPainting, GroupBoxWithoutCaptionDrawsItsFrameFromTheTop) {
    SentinelBitmap bitmap(200, 100);
    PaintGroupBox(groupBox, bitmap.DC());
    EXPECT_EQ(FrameTop(bitmap, 100, 100), 0);
    EXPECT_GT(bitmap.ChangedInRow(0, 0, 200), 150);
}

SIZE CaptionSize(TControl* control, HDC dc) {
    SIZE size{};
    const HGDIOBJ old = ::SelectObject(dc, control->Font()->Handle());
    ::GetTextExtentPoint32A(dc, control->Caption().c_str(),
                            static_cast<int>(control->Caption().size()), &size);
    ::SelectObject(dc, old);
    return size;
}

TEST_F(ThemedPainting, GroupBoxCaptionCutsTheTopEdgeOfTheFrame) {
    // A caption of blanks shows where its rectangle is without drawing in it.
    groupBox->SetCaption("          ");
    SentinelBitmap bitmap(200, 100);
    const SIZE size = CaptionSize(groupBox, bitmap.DC());
    ASSERT_GT(size.cx, 16);
    ASSERT_LT(size.cx, 150);
    PaintGroupBox(groupBox, bitmap.DC());
    const int top = size.cy / 2;
    EXPECT_EQ(FrameTop(bitmap, 190, 100), top) << "the frame starts half a caption down";
    EXPECT_EQ(FrameTop(bitmap, 4, 100), top);
    EXPECT_EQ(bitmap.ChangedInRow(top, 8, 8 + size.cx), 0) << "no frame under the caption";
    EXPECT_GT(bitmap.ChangedInRow(top, 8 + size.cx, 190), 0);
    EXPECT_GT(bitmap.ChangedInRow(top, 2, 8), 0);
    EXPECT_EQ(bitmap.ChangedInRow(top - 1, 0, 200), 0) << "nothing above the frame";
}

TEST_F(ThemedPainting, GroupBoxRestoresTheClipRegionItWasGiven) {
    groupBox->SetCaption("Optionen");
    SentinelBitmap bitmap(200, 100);
    PaintGroupBox(groupBox, bitmap.DC());
    EXPECT_FALSE(HasClipRegion(bitmap.DC())) << "no region before, none after";

    SentinelBitmap clipped(200, 100);
    TGdiObject<HRGN> region(::CreateRectRgn(0, 0, 150, 80));
    ::SelectClipRgn(clipped.DC(), region.Get());
    PaintGroupBox(groupBox, clipped.DC());
    ASSERT_TRUE(HasClipRegion(clipped.DC()));
    EXPECT_TRUE(SameRect(ClipBox(clipped.DC()), {0, 0, 150, 80}));
    EXPECT_EQ(clipped.ChangedInRow(99, 0, 200), 0) << "the caller's clipping held";
    EXPECT_GT(clipped.ChangedInRow(50, 0, 150), 0);
}

TEST_F(ThemedPainting, DisabledGroupBoxStillDrawsItsFrame) {
    groupBox->SetEnabled(false);
    SentinelBitmap bitmap(200, 100);
    PaintGroupBox(groupBox, bitmap.DC());
    EXPECT_GT(bitmap.ChangedInRow(0, 0, 200), 150);
}

TEST_F(ThemedPainting, PanelBevelsUseHighlightOutsideAndShadowInsideWhenLoweredWithin) {
    panel->SetBevelOuter(TBevelCut::bvRaised);
    panel->SetBevelInner(TBevelCut::bvLowered);
    panel->SetBorderWidth(2);
    SentinelBitmap bitmap(120, 60);
    const LRESULT result =
        panel->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.DC()), PRF_CLIENT);
    EXPECT_EQ(result, 0);
    const COLORREF highlight = ColorToRGB(clBtnHighlight);
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    ASSERT_NE(highlight, shadow);
    // Outer frame: top-left highlight, bottom-right shadow.
    EXPECT_EQ(bitmap.Pixel(0, 30), highlight);
    EXPECT_EQ(bitmap.Pixel(60, 0), highlight);
    EXPECT_EQ(bitmap.Pixel(119, 30), shadow);
    EXPECT_EQ(bitmap.Pixel(60, 59), shadow);
    // The border is left as it was: the parent's background comes later
    // and only inside the inner frame.
    EXPECT_EQ(bitmap.Pixel(1, 30), Sentinel);
    EXPECT_EQ(bitmap.Pixel(2, 30), Sentinel);
    // Inner frame 2 pixels further in, the colours exchanged.
    EXPECT_EQ(bitmap.Pixel(3, 30), shadow);
    EXPECT_EQ(bitmap.Pixel(60, 3), shadow);
    EXPECT_EQ(bitmap.Pixel(116, 30), highlight);
    EXPECT_EQ(bitmap.Pixel(60, 56), highlight);
    EXPECT_EQ(bitmap.Pixel(60, 30), RGB(255, 255, 255)) << "the parent's background within";
}

TEST_F(ThemedPainting, PanelOfItsParentsColourShowsTheParentBackground) {
    panel->SetBevelOuter(TBevelCut::bvNone);
    SentinelBitmap bitmap(120, 60);
    panel->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.DC()), PRF_CLIENT);
    EXPECT_EQ(bitmap.Pixel(0, 0), ColorToRGB(clWhite)) << "the form's brush, through the theme";
    EXPECT_EQ(bitmap.Pixel(60, 5), ColorToRGB(clWhite));
}

TEST_F(ThemedPainting, PanelOfItsOwnColourFillsWithIt) {
    // Not taken by the handler: the panel paints itself.
    panel->SetParentColor(false);
    panel->SetColor(clLime);
    panel->SetBevelOuter(TBevelCut::bvNone);
    SentinelBitmap bitmap(120, 60);
    PaintPanel(panel, bitmap.DC());
    EXPECT_EQ(bitmap.Pixel(60, 5), ColorToRGB(clLime));
    EXPECT_EQ(bitmap.Pixel(0, 0), ColorToRGB(clLime));
}

TEST_F(ThemedPainting, PanelCaptionIsCentredInTheFontColour) {
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetCaption("WWWW");
    panel->Font()->SetColor(clRed);
    const auto [left, right] = RedColumns(panel);
    ASSERT_GE(right, 0) << "the caption is drawn in red";
    EXPECT_LE(std::abs((left + right) - 119), 3) << "centred: " << left << ".." << right;
    EXPECT_EQ(panel->Canvas()->HandleAllocated(), false) << "the canvas let go of the DC";
}
TEST_F(ThemedPainting, ShownGroupBoxPaintsTheSameFrameOnScreen) {
    groupBox->SetCaption("Optionen");
    form->Show();
    ::RedrawWindow(groupBox->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SentinelBitmap expected(200, 100);
    PaintGroupBox(groupBox, expected.DC());
    const HDC screen = ::GetDC(groupBox->Handle());
    ASSERT_NE(screen, nullptr);
    int frameRows = 0;
    int differing = 0;
    for (int y = 0; y < 100; ++y) {
        if (expected.Pixel(190, y) == Sentinel)
            continue;
        ++frameRows;
        differing += ::GetPixel(screen, 190, y) != expected.Pixel(190, y) ? 1 : 0;
    }
    ::ReleaseDC(groupBox->Handle(), screen);
    ASSERT_GT(frameRows, 0);
    EXPECT_EQ(differing, 0) << "WM_PAINT draws the frame PaintGroupBox draws";
}

TEST_F(ThemedPainting, PanelBorderIsPaintedAndTheWindowDCGivenBack) {
    panel->SetBorderStyle(bsSingle);
    form->Show();
    ::RedrawWindow(panel->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(panel->Perform(WM_NCPAINT, 1, 0), 0);
    const HDC window = ::GetWindowDC(panel->Handle());
    ASSERT_NE(window, nullptr);
    const COLORREF corner = ::GetPixel(window, 0, 30);
    ::ReleaseDC(panel->Handle(), window);
    EXPECT_NE(corner, RGB(255, 255, 255)) << "the sunken edge, not the parent's white";
}

namespace {
// The columns of the group box's top frame line that its caption cuts out,
// as the group box shows on the screen.
struct CaptionGap {
    int Left = -1;
    int Right = -1;
};

CaptionGap GapInTheTopEdge(TGroupBox* groupBox) {
    ::RedrawWindow(groupBox->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SentinelBitmap shot(200, 100);
    const HDC screen = ::GetDC(groupBox->Handle());
    ::BitBlt(shot.DC(), 0, 0, 200, 100, screen, 0, 0, SRCCOPY);
    ::ReleaseDC(groupBox->Handle(), screen);
    // The frame's top line, found where no caption can be: the middle.
    const COLORREF background = shot.Pixel(100, 0);
    int top = 0;
    while (top < 50 && shot.Pixel(100, top) == background)
        ++top;
    const COLORREF line = shot.Pixel(100, top);
    CaptionGap gap;
    for (int x = 12; x < 188; ++x)
        if (shot.Pixel(x, top) != line) {
            if (gap.Left < 0)
                gap.Left = x;
            gap.Right = x;
        }
    return gap;
}
} // namespace

TEST_F(ThemedPainting, RightToLeftGroupBoxPutsItsCaptionAtTheRight) {
    groupBox->SetCaption("Optionen");
    form->Show();
    SIZE caption{};
    {
        const HDC dc = ::GetDC(groupBox->Handle());
        const HGDIOBJ old = ::SelectObject(dc, groupBox->Font()->Handle());
        ::GetTextExtentPoint32A(dc, "Optionen", 8, &caption);
        ::SelectObject(dc, old);
        ::ReleaseDC(groupBox->Handle(), dc);
    }
    ASSERT_GT(caption.cx, 10);
    const CaptionGap leftToRight = GapInTheTopEdge(groupBox);
    EXPECT_GE(leftToRight.Left, 8);
    EXPECT_LE(leftToRight.Right, 8 + caption.cx);

    groupBox->SetBiDiMode(bdRightToLeft);
    ASSERT_TRUE(groupBox->UseRightToLeftAlignment());
    const CaptionGap rightToLeft = GapInTheTopEdge(groupBox);
    EXPECT_GE(rightToLeft.Left, 200 - 8 - caption.cx) << "from Width - 8 - the caption's width";
    EXPECT_LE(rightToLeft.Right, 200 - 8);
    EXPECT_GT(rightToLeft.Right, 200 - 8 - caption.cx / 2);
}

TEST_F(ThemedPainting, RightToLeftPanelWritesALeftJustifiedCaptionFromTheRight) {
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetCaption("WW");
    panel->SetAlignment(taLeftJustify);
    panel->Font()->SetColor(clRed);
    const auto [ltrLeft, ltrRight] = RedColumns(panel);
    ASSERT_GE(ltrRight, 0);
    EXPECT_LT(ltrLeft, 10);
    panel->SetBiDiMode(bdRightToLeft);
    const auto [rtlLeft, rtlRight] = RedColumns(panel);
    EXPECT_GT(rtlRight, 110);
    EXPECT_GT(rtlLeft, 60);
}
} // namespace
