// The themed track bar: its background and channel band come from the
// parent through custom draw, the theme draws channel and thumb, and the
// scroll notifications behind OnChange still reach the control.

#include "ContainersEnvironment.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/graphics/GdiObject.h"
#include "platform/stdctrls/TrackBar.h"
#include "theming/ThemeMgr.h"
#include "theming/ThemedContainers.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
struct Counter {
    void Notify(TObject*) { ++Count; }
    int Count = 0;
};

// Which custom-draw items passed the manager on their way to the handler.
struct ItemRecorder {
    void Receive(TThemeManager*, TControl*, TMessage& message, bool&) {
        if (message.Msg != CN_NOTIFY || !message.LParam)
            return;
        const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam);
        if (draw->hdr.code == static_cast<UINT>(NM_CUSTOMDRAW) &&
            draw->dwDrawStage == CDDS_ITEMPREPAINT)
            Items.push_back(draw->dwItemSpec);
    }
    bool Saw(DWORD_PTR item) const { return std::ranges::find(Items, item) != Items.end(); }
    std::vector<DWORD_PTR> Items;
};

class ThemedTrackBar : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(IsControlThemingEnabled());
        form = new TForm(Application);
        form->SetBounds(10, 10, 300, 200);
        form->SetColor(clWhite);
        trackBar = new TTrackBar(form);
        trackBar->SetParent(form);
        trackBar->SetBounds(10, 10, 200, 40);
        trackBar->OnChange = TNotifyEvent::Of<&Counter::Notify>(&changes);
        form->HandleNeeded();
        manager = new TThemeManager(form);
        manager->Loaded();
        int index = -1;
        ASSERT_TRUE(manager->List(TThemedClass::tcTrackBar).FindSubclassedControl(trackBar, index));
    }
    void TearDown() override { Free(form); }

    TMessage CustomDraw(NMCUSTOMDRAW& draw, DWORD stage, DWORD_PTR item, HDC dc) {
        draw.hdr.hwndFrom = trackBar->Handle();
        draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
        draw.dwDrawStage = stage;
        draw.dwItemSpec = item;
        draw.hdc = dc;
        return TMessage{CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw), 77};
    }

    ControlThemes themes{true};
    Counter changes;
    TForm* form = nullptr;
    TTrackBar* trackBar = nullptr;
    TThemeManager* manager = nullptr;
};

TEST_F(ThemedTrackBar, KeyboardStillFiresOnChange) {
    ::SendMessageA(trackBar->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_GT(changes.Count, 0);
    EXPECT_EQ(trackBar->Position(), 1);
}

TEST_F(ThemedTrackBar, KeyboardFiresOnChangeWithThemesOffToo) {
    ControlThemes off(false);
    ::SendMessageA(trackBar->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_GT(changes.Count, 0);
    EXPECT_EQ(trackBar->Position(), 1);
}

TEST_F(ThemedTrackBar, ScrollNotificationsAreNotTaken) {
    for (UINT msg : {static_cast<UINT>(CN_HSCROLL), static_cast<UINT>(CN_VSCROLL)}) {
        TMessage message{msg, TB_LINEDOWN, 0, 0};
        EXPECT_FALSE(TrackBarWindowProc(*manager, trackBar, message));
    }
}

TEST_F(ThemedTrackBar, AsksForItemDrawingAndLetsTheControlDrawEachItem) {
    NMCUSTOMDRAW draw{};
    TMessage pre = CustomDraw(draw, CDDS_PREPAINT, 0, nullptr);
    EXPECT_TRUE(TrackBarWindowProc(*manager, trackBar, pre));
    EXPECT_EQ(pre.Result, CDRF_NOTIFYITEMDRAW);
    TMessage thumb = CustomDraw(draw, CDDS_ITEMPREPAINT, TBCD_THUMB, nullptr);
    EXPECT_TRUE(TrackBarWindowProc(*manager, trackBar, thumb));
    EXPECT_EQ(thumb.Result, CDRF_DODEFAULT);
    TMessage post = CustomDraw(draw, CDDS_POSTPAINT, 0, nullptr);
    EXPECT_TRUE(TrackBarWindowProc(*manager, trackBar, post));
    EXPECT_EQ(post.Result, 0);
}

TEST_F(ThemedTrackBar, OtherNotificationsEndWithResultUnchanged) {
    NMHDR header{};
    header.code = static_cast<UINT>(NM_RELEASEDCAPTURE);
    TMessage message{CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&header), 77};
    EXPECT_TRUE(TrackBarWindowProc(*manager, trackBar, message));
    EXPECT_EQ(message.Result, 77);
}

TEST_F(ThemedTrackBar, UnfocusedTicsBackgroundCoversTheWholeClientArea) {
    SentinelBitmap bitmap(200, 40);
    NMCUSTOMDRAW draw{};
    TMessage tics = CustomDraw(draw, CDDS_ITEMPREPAINT, TBCD_TICS, bitmap.DC());
    ASSERT_TRUE(TrackBarWindowProc(*manager, trackBar, tics));
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(bitmap.Pixel(0, 0), white);
    EXPECT_EQ(bitmap.Pixel(199, 39), white);
    EXPECT_EQ(bitmap.Pixel(100, 20), white);
}

TEST_F(ThemedTrackBar, ChannelBandSpansTheThumbRowsAndRestoresTheClipping) {
    RECT thumb{};
    ::SendMessageA(trackBar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ASSERT_GT(thumb.bottom, thumb.top);
    SentinelBitmap bitmap(200, 40);
    TGdiObject<HRGN> region(::CreateRectRgn(0, 0, 150, 40));
    ::SelectClipRgn(bitmap.DC(), region.Get());
    NMCUSTOMDRAW draw{};
    TMessage channel = CustomDraw(draw, CDDS_ITEMPREPAINT, TBCD_CHANNEL, bitmap.DC());
    ASSERT_TRUE(TrackBarWindowProc(*manager, trackBar, channel));
    EXPECT_EQ(channel.Result, CDRF_DODEFAULT);
    const int middle = (thumb.top + thumb.bottom) / 2;
    // The band replaces the clipping while it is drawn, so it runs the full
    // width; the caller's region is back afterwards.
    EXPECT_EQ(bitmap.ChangedInRow(middle, 0, 200), 200);
    if (thumb.top > 0) {
        EXPECT_EQ(bitmap.ChangedInRow(thumb.top - 1, 0, 200), 0) << "nothing above the thumb";
    }
    if (thumb.bottom < 40) {
        EXPECT_EQ(bitmap.ChangedInRow(thumb.bottom, 0, 200), 0) << "nothing below the thumb";
    }
    ASSERT_TRUE(HasClipRegion(bitmap.DC()));
    const RECT box = ClipBox(bitmap.DC());
    EXPECT_EQ(box.right, 150);
    EXPECT_EQ(box.bottom, 40);
}

TEST_F(ThemedTrackBar, VerticalChannelBandSpansTheThumbColumns) {
    form->SetBounds(10, 10, 300, 400);
    trackBar->SetOrientation(trVertical);
    trackBar->SetBounds(10, 10, 40, 200);
    PumpMessages();
    // The window was made again: it is still themed, and the custom draw
    // below goes the control's own way in, through the manager.
    int index = -1;
    ASSERT_TRUE(manager->List(TThemedClass::tcTrackBar).FindSubclassedControl(trackBar, index));
    RECT thumb{};
    ::SendMessageA(trackBar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    ASSERT_GT(thumb.right, thumb.left);
    SentinelBitmap bitmap(40, 200);
    NMCUSTOMDRAW draw{};
    TMessage channel = CustomDraw(draw, CDDS_ITEMPREPAINT, TBCD_CHANNEL, bitmap.DC());
    EXPECT_EQ(trackBar->Perform(channel.Msg, channel.WParam, channel.LParam), CDRF_DODEFAULT);
    const int middle = (thumb.left + thumb.right) / 2;
    int column = 0;
    for (int y = 0; y < 200; ++y)
        column += bitmap.Pixel(middle, y) != Sentinel ? 1 : 0;
    EXPECT_EQ(column, 200);
    if (thumb.left > 0) {
        EXPECT_EQ(bitmap.Pixel(thumb.left - 1, 100), Sentinel);
    }
    EXPECT_FALSE(HasClipRegion(bitmap.DC()));
}

TEST_F(ThemedTrackBar, PaintingRunsThroughTheHandlerAndTheThemeDrawsTheItems) {
    ItemRecorder recorder;
    manager->OnControlMessage = TControlMessageEvent::Of<&ItemRecorder::Receive>(&recorder);
    SentinelBitmap bitmap(200, 40);
    trackBar->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.DC()), PRF_CLIENT);
    manager->OnControlMessage = {};
    ASSERT_TRUE(recorder.Saw(TBCD_TICS));
    ASSERT_TRUE(recorder.Saw(TBCD_CHANNEL));

    const COLORREF white = RGB(255, 255, 255);
    auto drawnIn = [&](const RECT& r) {
        int drawn = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                drawn += bitmap.Pixel(x, y) != white && bitmap.Pixel(x, y) != Sentinel ? 1 : 0;
        return drawn;
    };
    EXPECT_EQ(bitmap.Pixel(1, 1), white) << "the parent's background behind the control";
    RECT thumb{};
    ::SendMessageA(trackBar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    EXPECT_GT(drawnIn(thumb), 10) << "the thumb";
    const RECT rightOfThumb{thumb.right + 2, thumb.top, 200, thumb.bottom};
    RECT channel{};
    ::SendMessageA(trackBar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const bool ticsFirst = std::ranges::find(recorder.Items, DWORD_PTR{TBCD_TICS}) <
                           std::ranges::find(recorder.Items, DWORD_PTR{TBCD_CHANNEL});
    if (ticsFirst) {
        EXPECT_GT(drawnIn({thumb.right + 2, channel.top, channel.right, channel.bottom}), 0)
            << "the channel, right of the thumb";
    } else {
        // A control that draws the channel before the tics has it covered
        // by the tics' background, which spans the whole client area.
        EXPECT_EQ(drawnIn(rightOfThumb), 0);
    }
}
struct HiddenFocusCues {
    void Receive(TThemeManager*, TControl*, TMessage& message, bool& handled) {
        if (message.Msg != WM_QUERYUISTATE)
            return;
        ++Asked;
        message.Result = UISF_HIDEFOCUS;
        handled = true;
    }
    int Asked = 0;
};

int FocusBorder(UINT action) {
    UINT value = 0;
    ::SystemParametersInfoA(action, 0, &value, 0);
    return static_cast<int>(value);
}

TEST_F(ThemedTrackBar, FocusedTrackBarKeepsTheFocusBorderClearUnlessCuesAreHidden) {
    form->Show();
    trackBar->SetFocus();
    if (!trackBar->Focused())
        GTEST_SKIP() << "no keyboard focus on this display";
    const int width = FocusBorder(SPI_GETFOCUSBORDERWIDTH);
    const int height = FocusBorder(SPI_GETFOCUSBORDERHEIGHT);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    NMCUSTOMDRAW draw{};

    form->Perform(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    ::SendMessageA(trackBar->Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if ((trackBar->Perform(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) {
        SentinelBitmap shown(200, 40);
        TMessage tics = CustomDraw(draw, CDDS_ITEMPREPAINT, TBCD_TICS, shown.DC());
        ASSERT_TRUE(TrackBarWindowProc(*manager, trackBar, tics));
        EXPECT_EQ(shown.Pixel(width - 1, 20), Sentinel) << "the focus border stays clear";
        EXPECT_EQ(shown.Pixel(100, height - 1), Sentinel);
        EXPECT_NE(shown.Pixel(width, height), Sentinel);
    }

    // The form hides focus cues: answered on the control's way through the
    // manager, as the handler asks the control itself.
    HiddenFocusCues hide;
    manager->OnControlMessage = TControlMessageEvent::Of<&HiddenFocusCues::Receive>(&hide);
    SentinelBitmap hidden(200, 40);
    TMessage hiddenTics = CustomDraw(draw, CDDS_ITEMPREPAINT, TBCD_TICS, hidden.DC());
    ASSERT_TRUE(TrackBarWindowProc(*manager, trackBar, hiddenTics));
    EXPECT_GT(hide.Asked, 0);
    EXPECT_NE(hidden.Pixel(0, 0), Sentinel) << "hidden cues: the whole client area";

    // The channel band leaves the focus border out whatever the cues say.
    SentinelBitmap band(200, 40);
    TMessage channel = CustomDraw(draw, CDDS_ITEMPREPAINT, TBCD_CHANNEL, band.DC());
    ASSERT_TRUE(TrackBarWindowProc(*manager, trackBar, channel));
    manager->OnControlMessage = {};
    RECT thumb{};
    ::SendMessageA(trackBar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int middle = (thumb.top + thumb.bottom) / 2;
    EXPECT_EQ(band.ChangedInRow(middle, 0, width), 0);
    EXPECT_EQ(band.ChangedInRow(middle, 200 - width, 200), 0);
    EXPECT_EQ(band.ChangedInRow(middle, width, 200 - width), 200 - 2 * width);
}
} // namespace
