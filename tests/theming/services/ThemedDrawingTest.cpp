// The drawing wrappers with the real visual-styles library (common controls
// version 6 forced): they draw into a bitmap filled with a colour no theme
// uses, so every changed pixel came from the library.

#include "FakeThemeLibrary.h"
#include "tests/support/MemoryCanvas.h"
#include "theming/ThemeSrv.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF Sentinel = RGB(255, 0, 255);

// A memory canvas filled with the sentinel.
class TSentinelBitmap : public TMemoryCanvas {
public:
    TSentinelBitmap(int width, int height) : TMemoryCanvas(width, height, Sentinel) {}
    int ChangedPixels() const { return CountOtherThan(Sentinel, Bounds()); }
};

class RealThemedDrawing : public ::testing::Test {
protected:
    TForcedCommonControls version{6, 0};
    TThemeServices services{nullptr};
};

TEST_F(RealThemedDrawing, ThemesAreOnUnderWineWithVersionSix) {
    EXPECT_TRUE(services.LibraryLoaded());
    EXPECT_TRUE(services.ThemesInUse());
    EXPECT_TRUE(services.ControlThemingEnabled());
}

TEST_F(RealThemedDrawing, PushButtonFillsItsRectangle) {
    ASSERT_TRUE(services.ThemesInUse());
    TSentinelBitmap bitmap(60, 24);
    services.DrawElement(bitmap.DC(), TThemeServices::ButtonDetails(2), bitmap.Bounds());
    EXPECT_NE(bitmap.Pixel(30, 12), Sentinel);
    EXPECT_NE(bitmap.Pixel(1, 12), Sentinel) << "the frame is drawn too";
}

TEST_F(RealThemedDrawing, ClipRectangleLimitsTheDrawing) {
    ASSERT_TRUE(services.ThemesInUse());
    TSentinelBitmap bitmap(60, 24);
    const RECT left{0, 0, 30, 24};
    services.DrawElement(bitmap.DC(), TThemeServices::ButtonDetails(2), bitmap.Bounds(), &left);
    EXPECT_NE(bitmap.Pixel(15, 12), Sentinel);
    EXPECT_EQ(bitmap.Pixel(45, 12), Sentinel);
}

TEST_F(RealThemedDrawing, TrackBarChannelAndThumb) {
    ASSERT_TRUE(services.ThemesInUse());
    TSentinelBitmap track(80, 6);
    services.DrawElement(track.DC(), TThemeServices::TrackBarDetails(2), track.Bounds());
    EXPECT_GT(track.ChangedPixels(), 0);
    TSentinelBitmap thumb(12, 22);
    services.DrawElement(thumb.DC(), TThemeServices::TrackBarDetails(4), thumb.Bounds());
    EXPECT_NE(thumb.Pixel(6, 8), Sentinel);
}

TEST_F(RealThemedDrawing, TextIsDrawnInTheElementsFont) {
    ASSERT_TRUE(services.ThemesInUse());
    TSentinelBitmap bitmap(100, 24);
    ::SetBkMode(bitmap.DC(), TRANSPARENT);
    services.DrawElementText(bitmap.DC(), TThemeServices::ButtonDetails(2), L"Abbrechen",
                             bitmap.Bounds(), DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0);
    EXPECT_GT(bitmap.ChangedPixels(), 10);
    EXPECT_EQ(bitmap.Pixel(0, 0), Sentinel) << "only the glyphs are drawn";
}

TEST_F(RealThemedDrawing, EdgeIsDrawnOnTheBorder) {
    ASSERT_TRUE(services.ThemesInUse());
    TSentinelBitmap bitmap(40, 40);
    RECT content{};
    services.DrawElementEdge(bitmap.DC(), TThemeServices::ButtonDetails(27), bitmap.Bounds(),
                             EDGE_ETCHED, BF_RECT, &content);
    EXPECT_NE(bitmap.Pixel(0, 20), Sentinel);
    EXPECT_EQ(bitmap.Pixel(20, 20), Sentinel);
}

TEST_F(RealThemedDrawing, ParentBackgroundComesFromTheParentWindow) {
    ASSERT_TRUE(services.ThemesInUse());
    const HBRUSH green = ::CreateSolidBrush(RGB(0, 128, 0));
    {
        TTestWindow parent(green);
        const HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 30, 20,
                                             parent.Handle(), nullptr, nullptr, nullptr);
        TSentinelBitmap bitmap(30, 20);
        services.DrawParentBackground(child, bitmap.DC(), nullptr, true, nullptr);
        EXPECT_EQ(bitmap.Pixel(15, 10), RGB(0, 128, 0));
    }
    ::DeleteObject(green);
}

TEST(ClassicDrawing, NothingIsDrawnWhileThemesAreNotInUse) {
    TForcedCommonControls old(5, 81);
    TThemeServices services(nullptr);
    ASSERT_TRUE(services.LibraryLoaded());
    EXPECT_FALSE(services.ThemesInUse()) << "Wine's common controls report 5.81";
    TSentinelBitmap bitmap(60, 24);
    services.DrawElement(bitmap.DC(), TThemeServices::ButtonDetails(2), bitmap.Bounds());
    EXPECT_EQ(bitmap.ChangedPixels(), 0);
}

} // namespace
