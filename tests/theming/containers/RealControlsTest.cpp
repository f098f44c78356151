// The handlers on real windows of the common controls they serve: status
// bar, list view, animation and splitter, reached through the manager.

#include "ContainersEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/stdctrls/Animate.h"
#include "platform/stdctrls/Frames.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/Splitter.h"
#include "platform/stdctrls/StaticText.h"
#include "platform/stdctrls/StatusBar.h"
#include "theming/ThemeMgr.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
bool Listed(const TThemeManager* manager, TThemedClass cls, TControl* control) {
    int index = -1;
    return manager->List(cls).FindSubclassedControl(control, index);
}

class RealControls : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(10, 10, 400, 300);
        form->SetColor(clWhite);
        statusBar = new TStatusBar(form);
        statusBar->SetParent(form);
        statusBar->SetBounds(0, 240, 300, 20);
        listView = new TListView(form);
        listView->SetParent(form);
        listView->SetBounds(10, 10, 200, 100);
        splitter = new TSplitter(form);
        splitter->SetParent(form);
        splitter->SetBounds(220, 10, 4, 100);
        form->HandleNeeded();
    }
    void TearDown() override { Free(form); }

    TThemeManager* Manager() {
        auto* manager = new TThemeManager(form);
        manager->Loaded();
        // List views come back on a posted recreation.
        Application->ProcessMessages();
        return manager;
    }

    TForm* form = nullptr;
    TStatusBar* statusBar = nullptr;
    TListView* listView = nullptr;
    TSplitter* splitter = nullptr;
};

TEST_F(RealControls, StatusBarBackgroundComesFromTheTheme) {
    ControlThemes on(true);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcStatusBar, statusBar));
    SentinelBitmap bitmap(300, 20);
    EXPECT_EQ(statusBar->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0), 1);
    EXPECT_EQ(bitmap.ChangedInRow(10, 0, 300), 300);
}

TEST_F(RealControls, StatusBarAsksForAFullRedrawOnResize) {
    ControlThemes on(true);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcStatusBar, statusBar));
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = {0, 240, 300, 260};
    params.rgrc[1] = params.rgrc[0];
    params.rgrc[2] = params.rgrc[0];
    const LRESULT result =
        statusBar->Perform(WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    EXPECT_EQ(result & 0x300, 0x300);
}

TEST_F(RealControls, ListViewIsSubclassedWithoutThemesAndDropsTheMissingImage) {
    ControlThemes off(false);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcListView, listView));
    EXPECT_TRUE(listView->HandleAllocated());
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_IMAGE;
    column.iImage = -1;
    column.cx = 80;
    char text[] = "Name";
    column.pszText = text;
    EXPECT_EQ(listView->Perform(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)), 0);
    EXPECT_EQ(column.mask, static_cast<UINT>(LVCF_TEXT | LVCF_WIDTH));
    const HWND header =
        reinterpret_cast<HWND>(::SendMessageA(listView->Handle(), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 1);
}

TEST_F(RealControls, TransparentAnimationAnswersWithItsSystemBrush) {
    ControlThemes on(true);
    auto* animate = new TAnimate(form);
    animate->SetParent(form);
    animate->SetColor(clBtnFace);
    TThemeManager* manager = Manager();
    EXPECT_FALSE(Listed(manager, TThemedClass::tcAnimate, animate)) << "off by default";
    TThemeOptions options = manager->Options();
    options.Include(toSubclassAnimate);
    manager->SetOptions(options);
    manager->UpdateControlSubclassing(animate, true);
    ASSERT_TRUE(Listed(manager, TThemedClass::tcAnimate, animate));
    EXPECT_EQ(animate->Perform(CN_CTLCOLORSTATIC, 0, 0),
              reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(animate->Perform(WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(RealControls, SplitterShowsItsParentsBackground) {
    ControlThemes on(true);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcSplitter, splitter));
    SentinelBitmap bitmap(300, 150);
    form->PaintControls(bitmap.DC());
    EXPECT_EQ(bitmap.Pixel(221, 50), RGB(255, 255, 255));
    EXPECT_EQ(bitmap.Pixel(230, 50), Sentinel) << "only the splitter's own area";
}

TEST_F(RealControls, WindowlessSplitterFreedWhileThemesAreOffLeavesItsList) {
    ControlThemes on(true);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcSplitter, splitter));
    {
        ControlThemes off(false);
        Free(splitter);
    }
    EXPECT_EQ(manager->List(TThemedClass::tcSplitter).Count(), 0);
}
TEST_F(RealControls, FrameErasesWithItsParentsBackground) {
    ControlThemes on(true);
    auto* frame = new TFrame(form);
    frame->SetParent(form);
    frame->SetBounds(230, 10, 100, 100);
    frame->SetColor(clRed);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcFrame, frame));
    SentinelBitmap bitmap(100, 100);
    EXPECT_EQ(frame->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0), 1);
    EXPECT_EQ(bitmap.Pixel(50, 50), RGB(255, 255, 255)) << "the form's white, not the frame's red";
}

TEST_F(RealControls, TabSheetErasesThroughThePageControl) {
    ControlThemes on(true);
    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(10, 120, 200, 110);
    auto* sheet = new TTabSheet(form);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Allgemein");
    sheet->SetColor(clRed);
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcTabSheet, sheet));
    EXPECT_EQ(pages->ActivePage(), sheet);
    for (bool alternate : {false, true}) {
        TThemeOptions options = manager->Options();
        if (alternate)
            options.Include(toAlternateTabSheetDraw);
        manager->SetOptions(options);
        SentinelBitmap bitmap(sheet->Width(), sheet->Height());
        EXPECT_EQ(sheet->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap.DC()), 0), 1);
        const COLORREF middle = bitmap.Pixel(sheet->Width() / 2, sheet->Height() / 2);
        EXPECT_NE(middle, Sentinel) << alternate;
        EXPECT_NE(middle, RGB(255, 0, 0)) << "never the sheet's own brush";
    }
    EXPECT_EQ(sheet->Perform(WM_NCPAINT, 1, 0), 0);
}
TEST_F(RealControls, StaticTextShowsThroughToItsParent) {
    ControlThemes on(true);
    auto* text = new TStaticText(form);
    text->SetParent(form);
    text->SetBounds(240, 120, 80, 20);
    text->SetCaption("Hinweis");
    TThemeManager* manager = Manager();
    ASSERT_TRUE(Listed(manager, TThemedClass::tcWinControl, text));
    SentinelBitmap bitmap(80, 20);
    const LRESULT brush = text->Perform(CN_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(bitmap.DC()),
                                        reinterpret_cast<LPARAM>(text->Handle()));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(bitmap.Pixel(40, 10), RGB(255, 255, 255)) << "the form's background behind it";
    EXPECT_EQ(::GetBkMode(bitmap.DC()), TRANSPARENT);
}
} // namespace
