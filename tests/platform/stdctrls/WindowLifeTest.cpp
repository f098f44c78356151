// Windows made again by property changes, and double-buffered painting.

#include "ControlsEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/stdctrls/Animate.h"
#include "platform/stdctrls/ButtonControls.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Panels.h"
#include "platform/stdctrls/RichEdit.h"
#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/TrackBar.h"
#include "tests/support/ProcedureHook.h"

#include <algorithm>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

namespace {
class WindowLife : public OnForm {};

struct RecreatingSetter {
    const char* Name;
    std::function<TWinControl*(TForm*)> Make;
    std::function<void(TWinControl*)> Change;
};

TEST_F(WindowLife, EveryRecreatingSetterGoesThroughTheControlsWindowProc) {
    const RecreatingSetter setters[] = {
        {"track bar orientation", [](TForm* f) { return new TTrackBar(f); },
         [](TWinControl* c) { static_cast<TTrackBar*>(c)->SetOrientation(trVertical); }},
        {"track bar ticks", [](TForm* f) { return new TTrackBar(f); },
         [](TWinControl* c) { static_cast<TTrackBar*>(c)->SetTickStyle(tsNone); }},
        {"track bar tick marks", [](TForm* f) { return new TTrackBar(f); },
         [](TWinControl* c) { static_cast<TTrackBar*>(c)->SetTickMarks(tmBoth); }},
        {"panel border", [](TForm* f) { return new TPanel(f); },
         [](TWinControl* c) { static_cast<TPanel*>(c)->SetBorderStyle(bsSingle); }},
        {"check box alignment", [](TForm* f) { return new TCheckBox(f); },
         [](TWinControl* c) { static_cast<TCheckBox*>(c)->SetAlignment(taLeftJustify); }},
        {"animation transparency", [](TForm* f) { return new TAnimate(f); },
         [](TWinControl* c) { static_cast<TAnimate*>(c)->SetTransparent(false); }},
        {"scroll box border", [](TForm* f) { return new TScrollBox(f); },
         [](TWinControl* c) { static_cast<TScrollBox*>(c)->SetBorderStyle(bsNone); }},
        {"grid scroll bars", [](TForm* f) { return new TDrawGrid(f); },
         [](TWinControl* c) { static_cast<TDrawGrid*>(c)->SetScrollBars(ssNone); }},
        {"rich edit scroll bars", [](TForm* f) { return new TRichEdit(f); },
         [](TWinControl* c) { static_cast<TRichEdit*>(c)->SetScrollBars(ssBoth); }},
    };
    for (const RecreatingSetter& setter : setters) {
        TWinControl* control = setter.Make(form);
        control->SetParent(form);
        const HWND before = control->Handle();
        {
            TProcedureHook witness(control);
            setter.Change(control);
            EXPECT_EQ(witness.Count(CM_RECREATEWND), 1) << setter.Name;
            EXPECT_GE(witness.Count(WM_DESTROY), 1) << setter.Name << ": the old window goes";
        }
        EXPECT_TRUE(control->HandleAllocated()) << setter.Name;
        EXPECT_NE(control->Handle(), before) << setter.Name;
        EXPECT_FALSE(::IsWindow(before)) << setter.Name;
        EXPECT_EQ(::GetParent(control->Handle()), form->Handle()) << setter.Name;
        Free(control);
    }
}

TEST_F(WindowLife, FormBorderChangesMakeTheFormAndItsChildrenAgain) {
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    const HWND formBefore = form->Handle();
    const HWND buttonBefore = button->Handle();
    TProcedureHook witness(form);
    form->SetBorderStyle(bsDialog);
    form->SetBorderIcons(TBorderIcons{biSystemMenu});
    EXPECT_EQ(witness.Count(CM_RECREATEWND), 2);
    EXPECT_NE(form->Handle(), formBefore);
    EXPECT_NE(button->Handle(), buttonBefore);
    EXPECT_EQ(::GetParent(button->Handle()), form->Handle());
    EXPECT_EQ(::GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_MINIMIZEBOX, 0);
}

TEST_F(WindowLife, ControlWithoutAWindowIsNotGivenOne) {
    auto* trackBar = new TTrackBar(form);
    TProcedureHook witness(trackBar);
    trackBar->SetOrientation(trVertical);
    EXPECT_EQ(witness.Count(CM_RECREATEWND), 0);
    EXPECT_FALSE(trackBar->HandleAllocated());
    trackBar->SetParent(form);
    EXPECT_NE(::GetWindowLongPtrA(trackBar->Handle(), GWL_STYLE) & TBS_VERT, 0)
        << "the setting shows when the window is made";
}

TEST_F(WindowLife, FocusStaysWithTheRecreatedControl) {
    auto* checkBox = Add<TCheckBox>(form, 10, 10, 120, 20);
    checkBox->SetFocus();
    if (::GetFocus() != checkBox->Handle())
        GTEST_SKIP() << "no keyboard focus on this display";
    checkBox->SetAlignment(taLeftJustify);
    EXPECT_EQ(::GetFocus(), checkBox->Handle());
}

TEST_F(WindowLife, DoubleBufferedWindowErasesOnlyIntoItsBitmap) {
    auto* panel = Add<TPanel>(form, 10, 10, 200, 100);
    panel->SetColor(clRed);
    panel->SetBevelOuter(TBevelCut::bvNone);
    auto* label = Add<TLabel>(panel, 20, 20, 60, 20);
    label->SetCaption("Mitte");
    panel->SetDoubleBuffered(true);
    // What kind of context each erase draws on, while it exists.
    std::vector<DWORD> eraseTargets;
    TProcedureHook witness(panel, [&](TMessage& message) {
        if (message.Msg == WM_ERASEBKGND)
            eraseTargets.push_back(::GetObjectType(reinterpret_cast<HGDIOBJ>(message.WParam)));
        return false;
    });
    ::RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    ::UpdateWindow(panel->Handle());

    // The system's erase before the paint draws nothing; the one into the
    // bitmap, with the bitmap's DC as LParam, does.
    std::vector<TMessage> erases;
    std::ranges::copy_if(witness.Seen, std::back_inserter(erases),
                         [](const TMessage& m) { return m.Msg == WM_ERASEBKGND; });
    ASSERT_FALSE(erases.empty());
    const TMessage& buffered = erases.back();
    EXPECT_EQ(static_cast<WPARAM>(buffered.LParam), buffered.WParam);
    EXPECT_EQ(eraseTargets.back(), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(witness.Count(WM_PAINT), 1);

    const TWindowShot shot(panel->Handle());
    EXPECT_EQ(shot.Pixel(5, 5), RGB(255, 0, 0)) << "the background, copied from the bitmap";
    int text = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 80; ++x)
            text += shot.Pixel(x, y) != RGB(255, 0, 0) ? 1 : 0;
    EXPECT_GT(text, 10) << "the non-windowed child is in the picture";
}

TEST_F(WindowLife, DoubleBufferedWindowAnswersAStrayEraseWithoutDrawing) {
    auto* panel = Add<TPanel>(form, 10, 10, 50, 50);
    panel->SetColor(clRed);
    panel->SetDoubleBuffered(true);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 50, 50);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    const RECT all{0, 0, 50, 50};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(::GetPixel(memory, 25, 25), RGB(0, 0, 0));
    EXPECT_EQ(panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory),
                             reinterpret_cast<LPARAM>(memory)),
              1);
    EXPECT_EQ(::GetPixel(memory, 25, 25), RGB(255, 0, 0));
    panel->SetDoubleBuffered(false);
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(::GetPixel(memory, 25, 25), RGB(255, 0, 0)) << "unbuffered: every erase draws";
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

TEST_F(WindowLife, DoubleBufferedWindowTooLargeForABitmapPaintsDirectly) {
    // 30000 x 30000 pixels at the screen's depth: no bitmap of that size.
    auto* panel = Add<TPanel>(form, 0, 0, 30000, 30000);
    panel->SetColor(clRed);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetDoubleBuffered(true);
    struct Reports {
        void Count(TObject*, const std::exception&) { ++Shown; }
        int Shown = 0;
    } reports;
    const TExceptionEvent previous = Application->OnException;
    Application->OnException = TExceptionEvent::Of<&Reports::Count>(&reports);
    const HDC screen = ::GetDC(panel->Handle());
    ::SetPixel(screen, 5, 5, RGB(0, 0, 0));
    ::RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(::GetPixel(screen, 5, 5), RGB(255, 0, 0));
    ::ReleaseDC(panel->Handle(), screen);
    Application->OnException = previous;
    EXPECT_EQ(reports.Shown, 0);
}
} // namespace
