#include "DrawTestSupport.h"
#include "components/drawing/kitgraph.h"
#include "components/drawing/kittext.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != 0;
}

// fonts-wine's raster "MS Sans Serif", loaded for this process only: raster
// text has no smoothing, so its pixels have exactly the colours drawn.
class RasterFont : public ::testing::Test {
protected:
    static constexpr const char* FontFile = "Z:\\usr\\share\\wine\\fonts\\sserife.fon";
    void SetUp() override {
        if (::AddFontResourceExA(FontFile, FR_PRIVATE, nullptr) == 0)
            GTEST_SKIP() << "fonts-wine is not installed";
        Font.SetName("MS Sans Serif");
        Font.SetHeight(-11);
        // A charset of its own keeps the font mapper from answering with a
        // face it matched for the default charset before the file was added.
        Font.SetCharset(ANSI_CHARSET);
        Font.SetColor(static_cast<TColor>(Blue));
        ASSERT_FALSE(IsTrueTypeFont(Font));
    }
    void TearDown() override { ::RemoveFontResourceExA(FontFile, FR_PRIVATE, nullptr); }

    // The text's extent as the screen measures it in Font.
    SIZE Extent(const std::string& text) {
        TWindowDCProbe probe(Font);
        return probe.Extent(text);
    }
    struct TWindowDCProbe {
        explicit TWindowDCProbe(TFont& font) : DC(::GetDC(nullptr)) {
            Old = ::SelectObject(DC, font.Handle());
        }
        ~TWindowDCProbe() {
            ::SelectObject(DC, Old);
            ::ReleaseDC(nullptr, DC);
        }
        SIZE Extent(const std::string& text) {
            SIZE size{};
            ::GetTextExtentPoint32A(DC, text.data(), static_cast<int>(text.size()), &size);
            return size;
        }
        HDC DC;
        HGDIOBJ Old;
    };

    std::unique_ptr<TBitmap> Canvas(int w, int h) {
        auto bitmap = FilledBitmap(w, h);
        bitmap->Canvas()->SetFont(&Font);
        return bitmap;
    }

    static constexpr COLORREF Blue = RGB(0, 0, 255);
    static constexpr COLORREF LightColour = RGB(255, 255, 0);
    static constexpr COLORREF ShadowColour = RGB(0, 128, 0);
    TFont Font;
};

} // namespace

TEST(AlignRect, NinePositions) {
    const RECT outer{10, 20, 40, 60}; // 30 x 40
    const RECT inner{0, 0, 10, 20};
    const POINT expected[9] = {{10, 20}, {20, 20}, {30, 20}, {10, 30}, {20, 30},
                               {30, 30}, {10, 40}, {20, 40}, {30, 40}};
    for (int a = 0; a < 9; ++a) {
        RECT result{};
        AlignRect(static_cast<TKitAlignment>(a), inner, outer, result);
        const RECT wanted{expected[a].x, expected[a].y, expected[a].x + 10, expected[a].y + 20};
        EXPECT_TRUE(SameRect(result, wanted)) << a;
    }
}

TEST(AlignRect, CentringRoundsTowardZeroBothWays) {
    RECT result{};
    AlignRect(agCenter, RECT{0, 0, 10, 10}, RECT{0, 0, 15, 15}, result);
    EXPECT_TRUE(SameRect(result, RECT{2, 2, 12, 12}));
    AlignRect(agCenter, RECT{0, 0, 15, 15}, RECT{0, 0, 10, 10}, result);
    EXPECT_TRUE(SameRect(result, RECT{-2, -2, 13, 13}));
    AlignRect(agBottomRight, RECT{0, 0, 15, 15}, RECT{0, 0, 10, 10}, result);
    EXPECT_TRUE(SameRect(result, RECT{-5, -5, 10, 10}));
}

TEST_F(RasterFont, EmptyTextAndLoneAmpersandMeasureAsABlank) {
    const SIZE blank = Extent(" ");
    RECT r{0, 0, 100, 100};
    MeasureEffectText("", nullptr, r, Font, false, false, 0, 0);
    EXPECT_TRUE(SameRect(r, RECT{0, 0, blank.cx + 2, blank.cy + 2}));
    r = RECT{0, 0, 100, 100};
    MeasureEffectText("&", nullptr, r, Font, false, true, 3, 0);
    EXPECT_TRUE(SameRect(r, RECT{0, 0, blank.cx + 8, blank.cy + 8}));
    // Without ShowPrefix the ampersand is a character of its own.
    r = RECT{0, 0, 100, 100};
    MeasureEffectText("&", nullptr, r, Font, false, false, 0, 0);
    EXPECT_EQ(r.right, Extent("&").cx + 2);
}

TEST_F(RasterFont, PrefixesAreHiddenOnlyWhenShown) {
    RECT shown{0, 0, 200, 50};
    MeasureEffectText("&Datei", nullptr, shown, Font, false, true, 0, 0);
    RECT plain{0, 0, 200, 50};
    MeasureEffectText("&Datei", nullptr, plain, Font, false, false, 0, 0);
    EXPECT_EQ(shown.right, Extent("Datei").cx + 2);
    EXPECT_EQ(plain.right, Extent("&Datei").cx + 2);
}

TEST_F(RasterFont, EffectDepthGrowsTheMeasuredRectangle) {
    TKit3DCaption fx;
    fx.SetStyle(tdSunken);
    fx.SetLightDepth(2);
    const SIZE text = Extent("Tessaro");
    RECT r{5, 5, 200, 50};
    MeasureEffectText("Tessaro", &fx, r, Font, false, false, 0, 0);
    EXPECT_TRUE(SameRect(r, RECT{5, 5, 5 + text.cx + 4, 5 + text.cy + 4}));
}

TEST_F(RasterFont, UnrotatedOriginIsResetWithoutAChange) {
    TKitFxCaption fx;
    fx.SetPos(12, 34);
    int changes = 0;
    struct Counter {
        int* Count;
        void Changed(TObject*) { ++*Count; }
    } counter{&changes};
    fx.OnChange = TNotifyEvent::Of<&Counter::Changed>(&counter);
    RECT r{0, 0, 100, 40};
    MeasureEffectText("Text", &fx, r, Font, false, false, 0, 0);
    EXPECT_EQ(fx.PosX(), 0);
    EXPECT_EQ(fx.PosY(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(RasterFont, MultiLineCentredCaptionIsPlacedAndDrawnInside) {
    const std::string text = "Eine lange Zeile Text wird umgebrochen";
    const RECT bounds{0, 0, 80, 90};
    // The caption's word for a multi-line centred text: no DT_SINGLELINE.
    const UINT format = 0x0855;
    TKitFxCaption fx;
    RECT placed{};
    PlaceEffectText(agCenter, text, &fx, bounds, Font, true, false, format, placed);
    RECT measured{0, 0, 79, 90};
    MeasureEffectText(text, &fx, measured, Font, true, false, 0, format);
    const int w = measured.right - measured.left;
    const int h = measured.bottom - measured.top;
    EXPECT_GT(h, Extent(text).cy + 2); // broken into lines
    EXPECT_TRUE(
        SameRect(placed, RECT{(80 - w) / 2, (90 - h) / 2, (80 - w) / 2 + w, (90 - h) / 2 + h}));

    auto bitmap = Canvas(80, 90);
    DrawEffectText(*bitmap->Canvas(), text, &fx, placed, format, ktEnabled, nullptr);
    EXPECT_GT(CountColor(*bitmap, Blue, placed), 0);
    EXPECT_EQ(PaintedOutside(*bitmap, placed), 0);
}

TEST_F(RasterFont, OneLineBottomRightCaptionSitsOnTheCorner) {
    // The caption's word for one unrotated line at the bottom right.
    const UINT format = 0x087A;
    auto bitmap = Canvas(120, 40);
    TKitFxCaption fx;
    DrawEffectText(*bitmap->Canvas(), "Ende", &fx, RECT{0, 0, 120, 40}, format, ktEnabled, nullptr);
    // The text is drawn against the right and bottom edges.
    const SIZE text = Extent("Ende");
    const RECT textArea{120 - text.cx, 40 - text.cy, 120, 40};
    EXPECT_GT(CountColor(*bitmap, Blue), 0);
    EXPECT_EQ(PaintedOutside(*bitmap, textArea), 0);
}

TEST_F(RasterFont, TopCenterMultiLineIsDrawnIntoTheUnchangedRectangle) {
    // The caption's word for a multi-line text in the top row: not placed.
    const UINT format = 0x0851;
    auto bitmap = Canvas(100, 40);
    TKitFxCaption fx;
    DrawEffectText(*bitmap->Canvas(), "Mitte", &fx, RECT{0, 0, 100, 40}, format, ktEnabled,
                   nullptr);
    const SIZE text = Extent("Mitte");
    const int left = (100 - text.cx) / 2;
    const RECT textArea{left - 1, 0, left + text.cx + 1, text.cy};
    EXPECT_GT(CountColor(*bitmap, Blue), 0);
    EXPECT_EQ(PaintedOutside(*bitmap, textArea), 0);
}

TEST_F(RasterFont, NothingForEmptyTextOrRectangle) {
    auto bitmap = Canvas(40, 20);
    TKit3DCaption fx;
    HDC dc = bitmap->Canvas()->Handle();
    DrawEffectText(*bitmap->Canvas(), "", &fx, RECT{0, 0, 40, 20}, 0, ktClip, nullptr);
    DrawEffectText(*bitmap->Canvas(), "x", &fx, RECT{0, 0, 0, 20}, 0, ktClip, nullptr);
    EXPECT_EQ(CountColor(*bitmap, Sentinel), 800);
    EXPECT_FALSE(HasClipRegion(dc));
}

TEST_F(RasterFont, PlainTextWithoutEffects) {
    auto bitmap = Canvas(60, 20);
    DrawEffectText(*bitmap->Canvas(), "Abc", nullptr, RECT{0, 0, 60, 20}, DT_SINGLELINE, 0,
                   nullptr);
    EXPECT_GT(CountColor(*bitmap, Blue), 0);
}

TEST_F(RasterFont, SunkenDrawsTheLightCopyDownRight) {
    TKit3DCaption fx;
    fx.SetStyle(tdSunken);
    fx.SetLightDepth(2);
    fx.SetLightColor(static_cast<TColor>(LightColour));
    auto bitmap = Canvas(60, 20);
    DrawEffectText(*bitmap->Canvas(), "I", &fx, RECT{0, 0, 60, 20}, DT_SINGLELINE | DT_NOPREFIX,
                   ktEnabled, nullptr);
    const RECT text = [&] {
        RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 60; ++x)
                if (PixelAt(*bitmap, x, y) == Blue) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                }
        return r;
    }();
    ASSERT_NE(text.left, INT_MAX);
    // Text at 0, the light copy 2 pixels right and down from it.
    EXPECT_LT(text.left, 3);
    EXPECT_EQ(PixelAt(*bitmap, text.left + 2, text.top + 2) == Blue ||
                  PixelAt(*bitmap, text.left + 2, text.top + 2) == LightColour,
              true);
    EXPECT_GT(CountColor(*bitmap, LightColour), 0);
}

TEST_F(RasterFont, DisabledLooks) {
    struct Case {
        TKitDisabledStyle Disabled;
        std::uint16_t Flags;
        bool Gray, Normal, Light;
    };
    const Case cases[] = {
        {dsNone, 0, false, true, false},             // keeps its colours
        {dsStandard, 0, true, false, false},         // tdNone once in gray
        {dsAuto, 0, true, false, false},             // like dsStandard
        {dsAuto, ktAutoSunken, true, false, true},   // sunken
        {ds3d, 0, true, false, true},                // sunken
        {dsStandard, ktEnabled, false, true, false}, // enabled
    };
    for (const Case& c : cases) {
        TKit3DCaption fx;
        fx.SetDisabledStyle(c.Disabled);
        fx.SetLightColor(static_cast<TColor>(LightColour));
        auto bitmap = Canvas(60, 20);
        DrawEffectText(*bitmap->Canvas(), "Hallo", &fx, RECT{0, 0, 60, 20}, DT_SINGLELINE, c.Flags,
                       nullptr);
        const int index = static_cast<int>(&c - cases);
        EXPECT_EQ(CountColor(*bitmap, ColorToRGB(clGrayText)) > 0, c.Gray) << index;
        EXPECT_EQ(CountColor(*bitmap, Blue) > 0, c.Normal) << index;
        EXPECT_EQ(CountColor(*bitmap, LightColour) > 0, c.Light) << index;
    }
}

TEST_F(RasterFont, PColorRaisedDrawsTheTextInTheBrushColour) {
    TKit3DCaption fx;
    fx.SetStyle(tdPColorRaised);
    fx.SetLightColor(static_cast<TColor>(LightColour));
    fx.SetShadowColor(static_cast<TColor>(ShadowColour));
    auto bitmap = Canvas(60, 20);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    DrawEffectText(*bitmap->Canvas(), "Hallo", &fx, RECT{0, 0, 60, 20}, DT_SINGLELINE, ktEnabled,
                   nullptr);
    EXPECT_GT(CountColor(*bitmap, RGB(255, 0, 0)), 0);
    EXPECT_GT(CountColor(*bitmap, LightColour), 0);
    EXPECT_GT(CountColor(*bitmap, ShadowColour), 0);
    EXPECT_EQ(CountColor(*bitmap, Blue), 0);
    EXPECT_EQ(bitmap->Canvas()->Brush()->Style(), bsClear);
}

TEST_F(RasterFont, ClipFlagConfinesTheTextAndPutsTheClipBack) {
    TKit3DCaption fx;
    auto bitmap = Canvas(60, 20);
    HDC dc = bitmap->Canvas()->Handle();
    const RECT clip{0, 0, 8, 20};
    DrawEffectText(*bitmap->Canvas(), "WWWWWW", &fx, RECT{0, 0, 60, 20}, DT_SINGLELINE,
                   ktEnabled | ktClip, &clip);
    EXPECT_GT(CountColor(*bitmap, Blue), 0);
    EXPECT_EQ(PaintedOutside(*bitmap, clip), 0);
    EXPECT_FALSE(HasClipRegion(dc));
}

TEST_F(RasterFont, LetterSpacingIsResetAfterDrawing) {
    TKit3DCaption fx;
    fx.SetTracing(3);
    auto bitmap = Canvas(80, 20);
    HDC dc = bitmap->Canvas()->Handle();
    DrawEffectText(*bitmap->Canvas(), "abc", &fx, RECT{0, 0, 80, 20}, DT_SINGLELINE, ktEnabled,
                   nullptr);
    EXPECT_EQ(::GetTextCharacterExtra(dc), 0);
    RECT wide{0, 0, 200, 40};
    MeasureEffectText("abc", &fx, wide, Font, false, false, 0, 0);
    EXPECT_EQ(wide.right, Extent("abc").cx + 3 * 3 + 2);
}

TEST_F(RasterFont, OnlyTrueTypeFontsCountAsTrueType) {
    EXPECT_FALSE(IsTrueTypeFont(Font));
    // The same request in a face the system has only as TrueType.
    TFont scalable;
    scalable.Assign(&Font);
    scalable.SetName("Arial");
    EXPECT_TRUE(IsTrueTypeFont(scalable));
}

// Tahoma, the TrueType face the test runner puts into its Wine prefix (the
// default face there is a raster font, which does not turn).
class TrueTypeFonts : public ::testing::Test {
protected:
    void SetUp() override {
        font.SetName("Tahoma");
        ASSERT_TRUE(IsTrueTypeFont(font));
    }
    TFont font;
};

TEST_F(TrueTypeFonts, RotatedOriginFollowsTheAngle) {
    TKitFxCaption fx;
    const TSize text = [&] {
        TBitmap b;
        b.SetSize(1, 1);
        b.Canvas()->SetFont(&font);
        return b.Canvas()->TextExtent("Skala");
    }();
    fx.SetAngle(90);
    RECT r{0, 0, 300, 300};
    MeasureEffectText("Skala", &fx, r, font, false, false, 0, 0);
    // At 90 degrees the origin is the lower-left corner of the bounds.
    EXPECT_LE(std::abs(fx.PosX() - 0), 1);
    EXPECT_LE(std::abs(fx.PosY() - text.cx), 1);
    EXPECT_LE(std::abs((r.right - r.left) - (text.cy + 2)), 1);
    EXPECT_LE(std::abs((r.bottom - r.top) - (text.cx + 2)), 1);

    fx.SetAngle(270);
    r = RECT{0, 0, 300, 300};
    MeasureEffectText("Skala", &fx, r, font, false, false, 0, 0);
    // At 270 degrees: the upper-right corner.
    EXPECT_LE(std::abs(fx.PosX() - text.cy), 1);
    EXPECT_LE(std::abs(fx.PosY() - 0), 1);
}

TEST_F(TrueTypeFonts, RotatedDrawingLeavesTheRotatedFontOnTheCanvas) {
    TKitFxCaption fx;
    fx.SetAngle(90);
    RECT bounds{0, 0, 40, 80};
    MeasureEffectText("Skala", &fx, bounds, font, false, false, 0, 0);
    ASSERT_LE(bounds.bottom, 80);
    auto bitmap = FilledBitmap(40, 80);
    bitmap->Canvas()->SetFont(&font);
    DrawEffectText(*bitmap->Canvas(), "Skala", &fx, RECT{0, 0, 40, 80}, DT_SINGLELINE, ktEnabled,
                   nullptr);
    LOGFONTA lf{};
    ::GetObjectA(bitmap->Canvas()->Font()->Handle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfEscapement, 900);
    // Drawn upwards from the measured origin, inside the measured bounds.
    EXPECT_GT(80 * 40 - CountColor(*bitmap, Sentinel), 0);
    EXPECT_EQ(PaintedOutside(*bitmap, bounds), 0);
}
