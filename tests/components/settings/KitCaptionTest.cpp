// The caption objects: defaults, the angle rule, the coupling of rotation
// and font, copying, and the placement and painting of DrawCaption.

#include "SettingsTestSupport.h"
#include "components/settings/kitcaption.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Fonts the test pretends to have: only "Arial" is TrueType.
bool OnlyArialIsTrueType(TFont& font) {
    return font.Name() == "Arial";
}

class KitCaptionFonts : public ::testing::Test {
protected:
    void SetUp() override { TKitCaption::SetTrueTypeTest(&OnlyArialIsTrueType); }
    void TearDown() override { TKitCaption::SetTrueTypeTest(nullptr); }
};

const TRect Box{10, 10, 210, 110};

bool SameRect(const TRect& a, const TRect& b) {
    return ::EqualRect(&a, &b) != FALSE;
}

int InkPixels(TBitmap& bitmap) {
    return bitmap.Width() * bitmap.Height() -
           CountColor(bitmap, Sentinel, TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

// One past the rightmost column holding a pixel other than the sentinel.
int InkRight(TBitmap& bitmap) {
    for (int x = bitmap.Width() - 1; x >= 0; --x)
        for (int y = 0; y < bitmap.Height(); ++y)
            if (PixelAt(bitmap, x, y) != Sentinel)
                return x + 1;
    return 0;
}

} // namespace

TEST(KitCaption, NewCaptionHasTheDeclaredDefaults) {
    TKitCaption caption;
    EXPECT_EQ(agCenter, caption.Alignment());
    EXPECT_EQ("", caption.Caption());
    EXPECT_FALSE(caption.MultiLine());
    EXPECT_EQ("MS Sans Serif", caption.Font()->Name());
    EXPECT_EQ(-11, caption.Font()->Height());
    const TKitFxCaption& fx = *caption.FontFx();
    EXPECT_EQ(dsAuto, fx.DisabledStyle());
    EXPECT_EQ(1, fx.LightDepth());
    EXPECT_EQ(1, fx.ShadowDepth());
    EXPECT_EQ(clBtnHighlight, fx.LightColor());
    EXPECT_EQ(clBtnShadow, fx.ShadowColor());
    EXPECT_EQ(tdNone, fx.Style());
    EXPECT_EQ(0, fx.Tracing());
    EXPECT_EQ(0, fx.Angle());
    EXPECT_EQ(0, fx.PosX());
    EXPECT_EQ(0, fx.PosY());
}

TEST(KitCaption, SettersReportOnlyRealChanges) {
    TKitCaption caption;
    TChangeCounter changes;
    caption.OnChange = changes.Event();
    caption.SetAlignment(agCenter);
    caption.SetCaption("");
    caption.SetMultiLine(false);
    EXPECT_EQ(0, changes.Count());
    caption.SetAlignment(agTopLeft);
    caption.SetCaption("Skala");
    caption.SetCaption("Skala");
    caption.SetMultiLine(true);
    EXPECT_EQ(3, changes.Count());
    EXPECT_EQ(&caption, changes.LastSender());
}

TEST(KitCaption, FontAndEffectChangesReachTheOwnerAsItsOwn) {
    TKitCaption caption;
    TChangeCounter changes;
    caption.OnChange = changes.Event();
    caption.Font()->SetHeight(-20);
    EXPECT_EQ(1, changes.Count());
    caption.FontFx()->SetStyle(tdRaised);
    EXPECT_EQ(2, changes.Count());
    EXPECT_EQ(&caption, changes.LastSender());
}

TEST_F(KitCaptionFonts, AngleOf360IsStoredAsZeroAndReported) {
    TKitCaption caption;
    caption.Font()->SetName("Arial");
    TChangeCounter changes;
    caption.OnChange = changes.Event();
    TKitFxCaption& fx = *caption.FontFx();
    fx.SetAngle(360);
    EXPECT_EQ(0, fx.Angle());
    EXPECT_EQ(1, changes.Count());
    fx.SetAngle(0);
    EXPECT_EQ(1, changes.Count());
    fx.SetAngle(45);
    fx.SetAngle(360);
    EXPECT_EQ(0, fx.Angle());
    EXPECT_EQ(3, changes.Count());
}

TEST_F(KitCaptionFonts, RotationSwitchesARasterFontToArial) {
    TKitCaption caption;
    caption.Font()->SetName("Small Fonts");
    TChangeCounter changes;
    caption.OnChange = changes.Event();
    caption.FontFx()->SetAngle(90);
    EXPECT_EQ("Arial", caption.Font()->Name());
    EXPECT_EQ(90, caption.FontFx()->Angle());
    // The corrected font reports once, the angle change once.
    EXPECT_EQ(2, changes.Count());

    changes.Reset();
    caption.Font()->SetName("Small Fonts");
    EXPECT_EQ(0, caption.FontFx()->Angle());
    EXPECT_EQ("Small Fonts", caption.Font()->Name());
    EXPECT_EQ(2, changes.Count());
}

TEST_F(KitCaptionFonts, TrueTypeFontsKeepTheirRotation) {
    TKitCaption caption;
    caption.Font()->SetName("Arial");
    caption.FontFx()->SetAngle(270);
    caption.Font()->SetHeight(-30);
    EXPECT_EQ(270, caption.FontFx()->Angle());
    EXPECT_EQ("Arial", caption.Font()->Name());
}

TEST_F(KitCaptionFonts, RuleHoldsWhileUpdating) {
    TKitCaption caption;
    caption.Font()->SetName("Small Fonts");
    TChangeCounter changes;
    caption.OnChange = changes.Event();
    caption.BeginUpdate();
    caption.FontFx()->SetAngle(45);
    EXPECT_EQ("Arial", caption.Font()->Name());
    caption.EndUpdate(false);
    EXPECT_EQ(0, changes.Count());
}

TEST(KitCaption, SetPosChangesTheOriginWithoutReporting) {
    TKitCaption caption;
    TChangeCounter changes;
    caption.OnChange = changes.Event();
    caption.FontFx()->SetPos(3, 4);
    EXPECT_EQ(3, caption.FontFx()->PosX());
    EXPECT_EQ(4, caption.FontFx()->PosY());
    EXPECT_EQ(0, changes.Count());
    EXPECT_FALSE(caption.FontFx()->Updating());
}

TEST(KitCaption, CopyReportsOnceAfterEverythingIsCopied) {
    TKitCaption source;
    source.Font()->SetName("Arial");
    source.Font()->SetHeight(-17);
    source.FontFx()->SetStyle(tdShadow);
    source.FontFx()->SetPos(5, 6);
    source.SetAlignment(agBottomLeft);
    source.SetCaption("Zeilen");
    source.SetMultiLine(true);

    TKitCaption target;
    int events = 0;
    bool complete = false;
    struct TWatcher {
        TKitCaption* Target;
        int* Events;
        bool* Complete;
        void Changed(TObject*) {
            ++*Events;
            *Complete = Target->Font()->Height() == -17 && Target->FontFx()->Style() == tdShadow &&
                        Target->Alignment() == agBottomLeft && Target->Caption() == "Zeilen" &&
                        Target->MultiLine();
        }
    } watcher{&target, &events, &complete};
    target.OnChange = TNotifyEvent::Of<&TWatcher::Changed>(&watcher);
    target.Assign(&source);
    EXPECT_EQ(1, events);
    EXPECT_TRUE(complete);
    EXPECT_EQ("Arial", target.Font()->Name());
    EXPECT_EQ(5, target.FontFx()->PosX());
    EXPECT_EQ(6, target.FontFx()->PosY());
}

// --- placement and painting -------------------------------------------------

TEST(KitCaptionPlace, OneLineUnrotatedCaptionKeepsItsRectangle) {
    TKitCaption caption;
    caption.SetAlignment(agBottomRight);
    const TKitCaptionPlacement placement = caption.PlaceCaption("Text", Box, ktEnabled);
    EXPECT_EQ(0x087Au, placement.Format);
    EXPECT_TRUE(SameRect(Box, placement.Rect));

    caption.SetAlignment(agTopLeft);
    EXPECT_EQ(0x0870u, caption.PlaceCaption("Text", Box, ktEnabled).Format);
}

TEST(KitCaptionPlace, ShowPrefixDropsNoPrefix) {
    TKitCaption caption;
    EXPECT_EQ(0x0075u, caption.PlaceCaption("&Text", Box, ktShowPrefix).Format);
}

TEST(KitCaptionPlace, MultiLineBelowTheTopRowIsMeasuredAndPlaced) {
    TKitCaption caption;
    caption.SetMultiLine(true);
    caption.SetCaption("eins zwei");
    const TKitCaptionPlacement centre = caption.PlaceCaption(caption.Caption(), Box, 0);
    EXPECT_EQ(0x0855u, centre.Format);
    EXPECT_FALSE(SameRect(Box, centre.Rect));
    // Centred in Box, smaller than Box.
    EXPECT_GT(centre.Rect.left, Box.left);
    EXPECT_GT(centre.Rect.top, Box.top);
    EXPECT_LT(centre.Rect.right, Box.right);
    EXPECT_LT(centre.Rect.bottom, Box.bottom);

    caption.SetAlignment(agTopCenter);
    const TKitCaptionPlacement top = caption.PlaceCaption(caption.Caption(), Box, 0);
    EXPECT_EQ(0x0851u, top.Format);
    EXPECT_TRUE(SameRect(Box, top.Rect));

    // Measuring an unrotated caption puts its origin back to 0, 0.
    caption.SetAlignment(agBottomCenter);
    caption.FontFx()->SetPos(7, 8);
    const TKitCaptionPlacement bottom = caption.PlaceCaption(caption.Caption(), Box, 0);
    EXPECT_EQ(Box.bottom, bottom.Rect.bottom);
    EXPECT_EQ(0, caption.FontFx()->PosX());
    EXPECT_EQ(0, caption.FontFx()->PosY());
}

TEST_F(KitCaptionFonts, RotatedCaptionIsSingleLineAndPlacedUnlessTopLeft) {
    TKitCaption caption;
    caption.Font()->SetName("Arial");
    caption.SetMultiLine(true);
    caption.FontFx()->SetAngle(90);
    caption.SetAlignment(agTopLeft);
    caption.FontFx()->SetPos(3, 4);
    const TKitCaptionPlacement corner = caption.PlaceCaption("Hoch", Box, 0);
    EXPECT_EQ(0x0870u, corner.Format);
    EXPECT_TRUE(SameRect(Box, corner.Rect));
    EXPECT_EQ(3, caption.FontFx()->PosX());
    EXPECT_EQ(4, caption.FontFx()->PosY());

    caption.SetAlignment(agCenter);
    const TKitCaptionPlacement centre = caption.PlaceCaption("Hoch", Box, 0);
    EXPECT_EQ(0x0875u, centre.Format);
    EXPECT_FALSE(SameRect(Box, centre.Rect));
    // Turned by 90 degrees: taller than wide.
    EXPECT_GT(centre.Rect.bottom - centre.Rect.top, centre.Rect.right - centre.Rect.left);
}

TEST(KitCaptionDraw, AmpersandIsVisibleOnlyWithoutShowPrefix) {
    TKitCaption caption;
    caption.SetAlignment(agTopLeft);
    caption.Font()->SetHeight(-24);
    caption.Font()->SetColor(clBlack);
    auto plain = FilledBitmap(220, 120);
    caption.DrawCaption(*plain->Canvas(), "&W", Box, ktEnabled, clWhite, 0);
    auto prefixed = FilledBitmap(220, 120);
    caption.DrawCaption(*prefixed->Canvas(), "&W", Box, ktEnabled | ktShowPrefix, clWhite, 0);
    auto letter = FilledBitmap(220, 120);
    caption.DrawCaption(*letter->Canvas(), "W", Box, ktEnabled, clWhite, 0);

    // As a plain character the ampersand takes room before the letter.
    EXPECT_GT(InkRight(*plain), InkRight(*prefixed));
    EXPECT_EQ(InkRight(*letter), InkRight(*prefixed));
    // As a prefix it underlines the letter instead.
    EXPECT_GT(InkPixels(*prefixed), InkPixels(*letter));
}

TEST(KitCaptionDraw, TextIsDrawnWithoutBackgroundInTheFontColour) {
    TKitCaption caption;
    caption.Font()->SetHeight(-24);
    caption.Font()->SetColor(clRed);
    auto target = FilledBitmap(220, 120);
    caption.DrawCaption(*target->Canvas(), "WWW", Box, ktEnabled, clWhite, 0);
    const int ink = InkPixels(*target);
    EXPECT_GT(ink, 0);
    EXPECT_GT(CountColor(*target, RGB(255, 0, 0), Box), 0);
    EXPECT_EQ(0, CountColor(*target, RGB(255, 255, 255), TRect{0, 0, 220, 120}));
    EXPECT_EQ(0, PaintedOutside(*target, Box));
}

TEST(KitCaptionDraw, EmptyTextPaintsNothingButSetsBrushAndFont) {
    TKitCaption caption;
    caption.Font()->SetName("Arial");
    caption.Font()->SetHeight(-30);
    auto target = FilledBitmap(220, 120);
    caption.DrawCaption(*target->Canvas(), "", Box, ktEnabled | ktClip, clLime, 0);
    EXPECT_EQ(0, InkPixels(*target));
    EXPECT_EQ(clLime, target->Canvas()->Brush()->Color());
    EXPECT_EQ("Arial", target->Canvas()->Font()->Name());
    EXPECT_EQ(-30, target->Canvas()->Font()->Height());
}

TEST(KitCaptionDraw, ClipFollowsTheOffsetOfTheControl) {
    TKitCaption caption;
    caption.Font()->SetHeight(-40);
    caption.Font()->SetColor(clBlack);
    caption.SetAlignment(agTopLeft);
    const TRect small{0, 0, 30, 30};
    auto unshifted = FilledBitmap(220, 120);
    caption.DrawCaption(*unshifted->Canvas(), "WWWW", small, ktEnabled | ktClip, clWhite, 0);
    EXPECT_GT(CountColor(*unshifted, RGB(0, 0, 0), TRect{0, 0, 10, 30}), 0);
    EXPECT_EQ(0, PaintedOutside(*unshifted, small));

    // Control at (10, 0) of its parent: the clip lies 10 pixels right.
    auto shifted = FilledBitmap(220, 120);
    caption.DrawCaption(*shifted->Canvas(), "WWWW", small, ktEnabled | ktClip, clWhite, 10);
    const TRect clip{10, 0, 30, 30};
    EXPECT_GT(CountColor(*shifted, RGB(0, 0, 0), clip), 0);
    EXPECT_EQ(0, PaintedOutside(*shifted, clip));
}
