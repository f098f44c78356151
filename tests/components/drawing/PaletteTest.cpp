#include "DrawTestSupport.h"
#include "components/drawing/kitbitmap.h"
#include "components/base/kitclass.h"
#include "components/drawing/kitgradient.h"
#include "components/drawing/kitpalette.h"
#include "components/base/kitsysinfo.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

std::uint8_t depth = 32;
std::uint8_t SeamDepth() {
    return depth;
}

// A kit application of the test's own, with the display depth on a seam.
class PaletteRule : public ::testing::Test {
protected:
    void SetUp() override {
        Saved = KitApplication;
        Own = new TKitApplication(nullptr);
        KitApplication = Own;
        KitSysInfoSeams().ColorDepth = &SeamDepth;
        MakeGradientColors(clLime, clRed, 16, &Colors);
        Palette = CreateGradientPalette(&Colors);
        ASSERT_NE(Palette, nullptr);
    }
    void TearDown() override {
        DeleteKitPalette(Palette);
        ResetKitSysInfoSeams();
        KitApplication = Saved;
        delete Own;
    }
    HPALETTE SelectedPalette(TBitmap& bitmap) {
        return static_cast<HPALETTE>(::GetCurrentObject(bitmap.Canvas()->Handle(), OBJ_PAL));
    }
    TKitApplication* Saved = nullptr;
    TKitApplication* Own = nullptr;
    TList Colors;
    HPALETTE Palette = nullptr;
};

} // namespace

TEST_F(PaletteRule, ARequestedPaletteIsUsedByDefault) {
    depth = 8;
    EXPECT_FALSE(Own->AppOptions.Contains(aoLowColorNoPalette));
    EXPECT_TRUE(KitPaletteWanted(KitPaletteFlag));
    EXPECT_FALSE(KitPaletteWanted(kgOffscreen));
}

TEST_F(PaletteRule, LowColourDisplaysSkipThePaletteWhenTheOptionIsSet) {
    Own->AppOptions.Include(aoLowColorNoPalette);
    depth = 8;
    EXPECT_FALSE(KitPaletteWanted(KitPaletteFlag));
    depth = 9;
    EXPECT_TRUE(KitPaletteWanted(KitPaletteFlag));
    depth = 24;
    EXPECT_TRUE(KitPaletteWanted(KitPaletteFlag));
}

TEST_F(PaletteRule, FillGradientLeavesTheRealisedPaletteOnTheCanvas) {
    depth = 24;
    auto bitmap = FilledBitmap(20, 4);
    const HPALETTE before = SelectedPalette(*bitmap);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 20, 4}, gstHorizontal, &Colors, Palette, KitPaletteFlag,
                 0);
    EXPECT_EQ(SelectedPalette(*bitmap), Palette);
    EXPECT_EQ(PixelAt(*bitmap, 0, 0), GradientColorAt(Colors, 0));

    // Deleting it takes it out of the canvas first, so the delete succeeds.
    DeleteKitPalette(Palette);
    EXPECT_EQ(Palette, nullptr);
    EXPECT_EQ(SelectedPalette(*bitmap), before);
}

TEST_F(PaletteRule, NoPaletteIsSelectedOnALowColourDisplayWithTheOption) {
    Own->AppOptions.Include(aoLowColorNoPalette);
    depth = 8;
    auto bitmap = FilledBitmap(20, 4);
    const HPALETTE before = SelectedPalette(*bitmap);
    FillGradient(*bitmap->Canvas(), RECT{0, 0, 20, 4}, gstHorizontal, &Colors, Palette, KitPaletteFlag,
                 0);
    EXPECT_EQ(SelectedPalette(*bitmap), before);
    EXPECT_EQ(PixelAt(*bitmap, 19, 3), GradientColorAt(Colors, 15));
}

TEST(KitPalette, DeletingANullPaletteDoesNothing) {
    HPALETTE palette = nullptr;
    DeleteKitPalette(palette);
    EXPECT_EQ(palette, nullptr);
}

TEST(KitPalette, AnUnselectedPaletteIsDeletedAndCleared) {
    TList colors;
    MakeGradientColors(clBlack, clWhite, 4, &colors);
    HPALETTE palette = CreateGradientPalette(&colors);
    ASSERT_NE(palette, nullptr);
    const HPALETTE copy = palette;
    DeleteKitPalette(palette);
    EXPECT_EQ(palette, nullptr);
    EXPECT_EQ(::GetObjectType(copy), 0u);
}

// Both entry points realise the bitmap's palette for the draw, lend it to the
// transparent copy's temporary image, and take it out of the destination
// again, so freeing the bitmap afterwards deletes it.
TEST_F(PaletteRule, BitmapPaletteIsRealisedForTheDrawAndFreedWithItsBitmap) {
    depth = 24;
    using TDraw = void (*)(TCanvas&, TBitmap&);
    const std::pair<const char*, TDraw> draws[] = {
        {"DrawBitmapExt",
         [](TCanvas& canvas, TBitmap& image) {
             RECT painted{};
             DrawBitmapExt(canvas, RECT{0, 0, 10, 10}, image, KitPaletteFlag | kdTransparent,
                           clFuchsia, painted);
         }},
        {"DrawBitmapClipped", [](TCanvas& canvas, TBitmap& image) {
             DrawBitmapClipped(canvas, RECT{0, 0, 10, 10}, image,
                               KitPaletteFlag | kdTransparent | kdClip, 0, clFuchsia);
         }}};
    for (const auto& [name, draw] : draws) {
        auto image = FilledBitmap(6, 6, RGB(255, 0, 255));
        image->Canvas()->SetPixels(2, 2, clBlue);
        image->SetPixelFormat(pf8bit);
        const HPALETTE own = image->Palette();
        ASSERT_NE(own, nullptr);
        auto target = FilledBitmap(10, 10);
        const HPALETTE before = SelectedPalette(*target);
        draw(*target->Canvas(), *image);
        EXPECT_EQ(PixelAt(*target, 2, 2), RGB(0, 0, 255)) << name;
        EXPECT_EQ(PixelAt(*target, 0, 0), Sentinel) << name;
        // The temporary image gave the palette back instead of deleting it.
        EXPECT_EQ(image->Palette(), own) << name;
        EXPECT_EQ(SelectedPalette(*target), before) << name;
        image.reset();
        EXPECT_EQ(::GetObjectType(own), 0u) << name << ": the palette outlived its bitmap";
    }
}
