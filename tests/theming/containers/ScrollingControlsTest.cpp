// Scroll box, grid, rich edit and cool bar on a themed form: the scroll
// box erases with its parent's background, every client edge gets the
// themed frame (the grid's scroll-bar corner filled, nobody else's), keys
// show the keyboard cues and still reach the control.

#include "ContainersEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiObject.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/CoolBar.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/RichEdit.h"
#include "platform/stdctrls/ScrollBox.h"
#include "theming/ThemeSrv.h"
#include "tests/support/ProcedureHook.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
// The whole window (frame included) filled with the sentinel, then read
// back after Paint ran.
class FramePicture {
public:
    template <class Paint> FramePicture(HWND window, Paint paint) {
        RECT r{};
        ::GetWindowRect(window, &r);
        FWidth = r.right - r.left;
        FHeight = r.bottom - r.top;
        {
            TNonClientDC dc(window);
            TGdiObject<HBRUSH> brush(::CreateSolidBrush(Sentinel));
            const RECT all{0, 0, FWidth, FHeight};
            ::FillRect(dc.Get(), &all, brush.Get());
        }
        paint();
        TNonClientDC dc(window);
        FPixels.reserve(static_cast<std::size_t>(FWidth * FHeight));
        SentinelBitmap copy(FWidth, FHeight);
        ::BitBlt(copy.DC(), 0, 0, FWidth, FHeight, dc.Get(), 0, 0, SRCCOPY);
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x)
                FPixels.push_back(copy.Pixel(x, y));
    }
    COLORREF Pixel(int x, int y) const { return FPixels[static_cast<std::size_t>(y * FWidth + x)]; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The square between the two scroll bars, inside the 2-pixel edge.
    RECT Corner() const {
        return {FWidth - 2 - ::GetSystemMetrics(SM_CXVSCROLL),
                FHeight - 2 - ::GetSystemMetrics(SM_CYHSCROLL), FWidth - 2, FHeight - 2};
    }

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<COLORREF> FPixels;
};

bool BothBars(TWinControl* control) {
    const LONG_PTR style = ::GetWindowLongPtrA(control->Handle(), GWL_STYLE);
    return (style & WS_HSCROLL) && (style & WS_VSCROLL);
}

class ScrollingControls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        form = new TForm(Application);
        form->SetBounds(10, 10, 620, 420);
        form->SetColor(clWhite);
        box = Add<TScrollBox>(10, 10, 180, 150);
        box->SetColor(clRed);
        Add<TButton>(box, 10, 10, 80, 24);
        auto* distant = new TLabel(form);
        distant->SetParent(box);
        distant->SetBounds(400, 400, 30, 20);
        grid = Add<TDrawGrid>(200, 10, 180, 150);
        grid->SetColCount(20);
        grid->SetRowCount(40);
        edit = Add<TRichEdit>(390, 10, 200, 150);
        edit->SetScrollBars(ssBoth);
        for (int i = 0; i < 30; ++i)
            edit->Lines()->Add("Zeile " + std::to_string(i) + std::string(80, 'x'));
        coolBar = Add<TCoolBar>(10, 200, 300, 50);
        band = Add<TButton>(coolBar, 0, 0, 80, 24);
        form->Show();
        PumpMessages();
    }
    void TearDown() override {
        Free(form);
        PumpMessages();
    }
    template <class T> T* Add(int left, int top, int width, int height) {
        return Add<T>(form, left, top, width, height);
    }
    template <class T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
        return AddControl<T>(form, parent, left, top, width, height);
    }
    TThemeManager* Manager() {
        manager = new TThemeManager(form);
        manager->Loaded();
        PumpMessages();
        return manager;
    }

    ControlThemes themes{true};
    TForm* form = nullptr;
    TScrollBox* box = nullptr;
    TDrawGrid* grid = nullptr;
    TRichEdit* edit = nullptr;
    TCoolBar* coolBar = nullptr;
    TButton* band = nullptr;
    TThemeManager* manager = nullptr;
};

TEST_F(ScrollingControls, AllAreThemedAsWindowedControlsAndTheBandsAsTheirClasses) {
    Manager();
    for (TWinControl* control :
         {static_cast<TWinControl*>(box), static_cast<TWinControl*>(grid),
          static_cast<TWinControl*>(edit), static_cast<TWinControl*>(coolBar)})
        EXPECT_TRUE(IsListed(manager, TThemedClass::tcWinControl, control)) << control->ClassName();
    EXPECT_TRUE(IsListed(manager, TThemedClass::tcButton, band));
    EXPECT_TRUE(manager->IsScrollingControl(box));
    EXPECT_TRUE(manager->IsScrollingControl(grid));
    EXPECT_TRUE(manager->IsScrollingControl(edit));
    EXPECT_FALSE(manager->IsScrollingControl(coolBar));
}

TEST_F(ScrollingControls, ScrollBoxErasesWithItsParentsBackgroundOrThroughItWhenBuffered) {
    Manager();
    FrameWitness witness(manager);
    SentinelBitmap bitmap(180, 150);
    const auto dc = reinterpret_cast<WPARAM>(bitmap.DC());
    EXPECT_EQ(box->Perform(WM_ERASEBKGND, dc, 0), 1);
    EXPECT_EQ(bitmap.Pixel(90, 75), RGB(255, 255, 255)) << "the form's white, not the box's red";
    EXPECT_EQ(witness.ErasesForAChild(form), 0);

    box->SetDoubleBuffered(true);
    SentinelBitmap buffered(180, 150);
    EXPECT_EQ(box->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffered.DC()), 0), 1);
    EXPECT_EQ(witness.ErasesForAChild(form), 1) << "the form erased for the box";
    EXPECT_EQ(buffered.Pixel(90, 75), RGB(255, 255, 255));
}

TEST_F(ScrollingControls, OtherWindowedControlsEraseThemselves) {
    Manager();
    SentinelBitmap bitmap(180, 150);
    const auto dc = reinterpret_cast<WPARAM>(bitmap.DC());
    grid->Perform(WM_ERASEBKGND, dc, 0);
    EXPECT_EQ(bitmap.Pixel(90, 75), Sentinel)
        << "the grid's own erase, which draws nothing, not the parent's background";
}

TEST_F(ScrollingControls, ClientEdgeGetsTheThemedFrameAndOnlyTheGridItsCorner) {
    ASSERT_TRUE(BothBars(box));
    ASSERT_TRUE(BothBars(grid));
    ASSERT_TRUE(BothBars(edit));
    // Below the manager's stub: the control's own non-client painting is
    // left out, so only what the handler draws shows.
    std::vector<std::unique_ptr<TProcedureHook>> noOwnFrames;
    for (TControl* control :
         {static_cast<TControl*>(box), static_cast<TControl*>(grid), static_cast<TControl*>(edit)})
        noOwnFrames.push_back(std::make_unique<TProcedureHook>(
            control, [](TMessage& message) { return message.Msg == WM_NCPAINT; }));
    Manager();
    struct Row {
        TWinControl* Control;
        bool CornerFilled;
    };
    for (const Row& row : {Row{grid, true}, Row{edit, false}, Row{box, false}}) {
        const HWND window = row.Control->Handle();
        const FramePicture picture(window, [&] { ::SendMessageA(window, WM_NCPAINT, 1, 0); });
        const std::string name = row.Control->ClassName();
        EXPECT_NE(picture.Pixel(0, picture.Height() / 2), Sentinel) << name << ": the edge";
        EXPECT_NE(picture.Pixel(picture.Width() / 2, 1), Sentinel) << name;
        EXPECT_EQ(picture.Pixel(picture.Width() / 2, picture.Height() / 2), Sentinel)
            << name << ": inside the edge nothing is drawn";
        const RECT corner = picture.Corner();
        const COLORREF cornerPixel =
            picture.Pixel((corner.left + corner.right) / 2, (corner.top + corner.bottom) / 2);
        if (row.CornerFilled)
            EXPECT_EQ(cornerPixel, ::GetSysColor(COLOR_BTNFACE)) << name;
        else
            EXPECT_EQ(cornerPixel, Sentinel) << name;
    }
}

TEST_F(ScrollingControls, ClientEdgeBorderPaintsTheEdgeOnlyAndTheCornerOnlyBetweenTwoBars) {
    TThemeServices* services = ThemeServicesInstance();
    const auto paint = [&](TWinControl* control, bool eraseCorner) {
        return FramePicture(control->Handle(),
                            [&] { services->PaintClientEdgeBorder(control, eraseCorner); });
    };
    const auto middle = [](const FramePicture& picture, const RECT& r) {
        return picture.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };

    const FramePicture both = paint(grid, true);
    EXPECT_EQ(middle(both, both.Corner()), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(both.Pixel(1, 1), Sentinel);
    EXPECT_EQ(both.Pixel(2, 2), Sentinel) << "the clip leaves out all but the 2-pixel edge";
    EXPECT_EQ(both.Pixel(both.Corner().left - 1, both.Corner().top - 1), Sentinel)
        << "the corner square and nothing beside it";
    const FramePicture notAsked = paint(grid, false);
    EXPECT_EQ(middle(notAsked, notAsked.Corner()), Sentinel);

    grid->SetScrollBars(ssVertical);
    const FramePicture oneBar = paint(grid, true);
    EXPECT_EQ(middle(oneBar, oneBar.Corner()), Sentinel) << "one scroll bar: no corner";
    EXPECT_NE(oneBar.Pixel(0, 0), Sentinel);

    grid->SetBorderStyle(bsNone);
    const FramePicture noEdge = paint(grid, true);
    EXPECT_EQ(noEdge.Pixel(0, 0), Sentinel) << "without a client edge nothing at all";
    EXPECT_EQ(middle(noEdge, noEdge.Corner()), Sentinel);
}

TEST_F(ScrollingControls, KeysShowTheCuesOnTheFormAndStillReachTheControl) {
    Manager();
    FrameWitness witness(manager);
    const int column = grid->Col();
    ::SendMessageA(grid->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(witness.Saw(form, WM_CHANGEUISTATE)) << "focus rectangles shown";
    EXPECT_EQ(grid->Col(), column + 1) << "the grid moved its current cell";
}
} // namespace
