// The main window with its theme manager painting through the visual
// styles: Wine's common controls report 5.81, so the version-6 check is
// forced here, as on a Windows system with the version-6 manifest.

#include "MainWindowFixture.h"

#include "platform/forms/Application.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/ControlThemes.h"
#include "theming/WindowProcList.h"

#include <cstdlib>

namespace {
// The window's client area as it is on the screen.
std::unique_ptr<TBitmap> Capture(TForm& form) {
    form.Show();
    ::RedrawWindow(form.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application->ProcessMessages();
    const RECT r = form.ClientRect();
    auto shot = std::make_unique<TBitmap>();
    shot->SetPixelFormat(pf24bit);
    shot->SetSize(r.right, r.bottom);
    HDC dc = ::GetDC(form.Handle());
    ::BitBlt(shot->Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(form.Handle(), dc);
    return shot;
}

int Differences(TBitmap& a, TBitmap& b, const RECT& area) {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y);
    return n;
}
} // namespace

TEST_F(MainWindow, WithVisualStylesTheButtonsAndTheSliderPaintThroughTheTheme) {
    auto classic = Capture(*form);
    Free(form);
    form = nullptr;
    {
        ControlThemes themes(true);
        ASSERT_TRUE(IsControlThemingEnabled());
        form = new TfrmMain(Application);
        form->ReadFormResource();
        auto themed = Capture(*form);
        // Where the build wants to keep a picture of it for people to look at.
        if (const char* keep = std::getenv("TESSARO_SCREENSHOT"))
            themed->SaveToFile(keep);
        // Every control is in the list of its class, painted by the handlers.
        TThemeManager& manager = *form->ThemeManager;
        int index = -1;
        EXPECT_TRUE(
            manager.List(TThemedClass::tcButton).FindSubclassedControl(form->btnClose, index));
        EXPECT_TRUE(manager.List(TThemedClass::tcButton)
                        .FindSubclassedControl(form->rbSetExcel2007, index));
        EXPECT_TRUE(manager.List(TThemedClass::tcTrackBar)
                        .FindSubclassedControl(form->TrackBarMaxLines, index));
        EXPECT_TRUE(manager.List(TThemedClass::tcGroupBox)
                        .FindSubclassedControl(form->grpBoxSettings, index));
        EXPECT_TRUE(
            manager.List(TThemedClass::tcPanel).FindSubclassedControl(form->panPgCtr, index));
        // The picture keeps its layout: logo, white panel, the scale.
        EXPECT_EQ(Differences(*classic, *themed, {0, 0, 163, 297}), 0) << "the logo";
        EXPECT_EQ(Differences(*classic, *themed, {180, 111, 472, 113}), 0) << "the scale";
        EXPECT_EQ(themed->Canvas()->Pixels(165, 3), clWhite);
        Free(form);
    }
    form = new TfrmMain(Application);
    form->ReadFormResource();
}
