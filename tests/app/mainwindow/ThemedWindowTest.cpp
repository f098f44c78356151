// The main window with its theme manager painting through the visual
// styles: Wine's common controls report 5.81, so the version-6 check is
// forced here, as on a Windows system with the version-6 manifest.

#include "MainWindowFixture.h"

#include "platform/forms/Application.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/ControlThemes.h"

#include <cstdlib>
#include <set>

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

int Colours(TBitmap& picture, const RECT& area) {
    std::set<TColor> seen;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            seen.insert(picture.Canvas()->Pixels(x, y));
    return static_cast<int>(seen.size());
}
} // namespace

TEST_F(MainWindow, WithVisualStylesTheHandlersPaintTheControlsAndKeepTheLayout) {
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
        // The handlers paint the buttons and the slider: edges and caption or
        // thumb, not the flat colour a skipped paint leaves.
        for (TWinControl* control :
             {static_cast<TWinControl*>(form->btnClose), static_cast<TWinControl*>(form->btnHelp),
              static_cast<TWinControl*>(form->TrackBarMaxLines)}) {
            RECT area = control->ClientRect();
            ::MapWindowPoints(control->Handle(), form->Handle(), reinterpret_cast<POINT*>(&area), 2);
            EXPECT_GT(Colours(*themed, area), 2) << control->Name();
        }
        // The picture keeps its layout: logo, white panel, the scale.
        EXPECT_EQ(Differences(*classic, *themed, {0, 0, 163, 297}), 0) << "the logo";
        EXPECT_EQ(Differences(*classic, *themed, {180, 111, 472, 113}), 0) << "the scale";
        EXPECT_EQ(themed->Canvas()->Pixels(165, 3), clWhite);
        Free(form);
    }
    form = new TfrmMain(Application);
    form->ReadFormResource();
}
