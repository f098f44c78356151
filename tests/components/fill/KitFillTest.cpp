// The fill control: transparency following the fill, what it paints and
// when, the caption flags, and the scale of the main window read from a form.

#include "components/controls/kitextcS.h"
#include "components/imagelists/kitbitmaplist.h"
#include "platform/classes/Stream.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Reader.h"
#include "platform/forms/Form.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/BitmapFile.h"
#include "tests/support/SentinelBitmap.h"

#include <gtest/gtest.h>

namespace {
void PaintInto(TKitFill& fill, TBitmap& target) {
    fill.Perform(WM_PAINT, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
}

// Pixels painted anywhere: none is the sentinel any more.
int Painted(TBitmap& b) {
    return PaintedOutside(b, RECT{});
}

class TScaleForm : public TForm {
    TESSARO_CLASS(TScaleForm, TForm)
public:
    TScaleForm() : TForm(nullptr) {}
};
} // namespace

const TClassInfo& TScaleForm::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TScaleForm>("TScaleForm");
    return info;
}

TEST(KitFill, ANewFillIsTransparentEmptyAndPaintsNothing) {
    TKitFill fill(nullptr);
    EXPECT_TRUE(fill.Transparent());
    EXPECT_FALSE(fill.ControlStyle().Contains(csOpaque));
    EXPECT_EQ(fill.Width(), 30);
    EXPECT_EQ(fill.Height(), 30);
    EXPECT_TRUE(fill.IsEmpty());
    auto b = FilledBitmap(30, 30);
    PaintInto(fill, *b);
    EXPECT_EQ(Painted(*b), 0);
}

TEST(KitFill, ACaptionOrABevelAloneGivesItSomethingToPaint) {
    for (const bool bevel : {false, true}) {
        TKitFill fill(nullptr);
        if (bevel)
            fill.Bevel()->SetMode(bmWindows);
        else
            fill.Caption()->SetCaption("Text");
        EXPECT_FALSE(fill.IsEmpty()) << bevel;
        auto b = FilledBitmap(30, 30);
        PaintInto(fill, *b);
        EXPECT_GT(Painted(*b), 0) << bevel;
    }
}

TEST(KitFill, AnEmptyFillShowsItsDashedFrameOnlyAtDesignTime) {
    TKitFill fill(nullptr);
    fill.SetBounds(0, 0, 40, 20);
    fill.IncludeState(csDesigning);
    auto b = FilledBitmap(40, 20);
    PaintInto(fill, *b);
    // Dashes along all four edges of the control, nothing inside.
    int right = 0, bottom = 0;
    for (int y = 0; y < 20; ++y)
        right += b->Canvas()->Pixels(39, y) == clBlack;
    for (int x = 0; x < 40; ++x)
        bottom += b->Canvas()->Pixels(x, 19) == clBlack;
    EXPECT_GT(right, 0);
    EXPECT_GT(bottom, 0);
    EXPECT_EQ(b->Canvas()->Pixels(20, 10), Sentinel);
}

TEST(KitFill, TransparencyFollowsTheFillStyleOnly) {
    TKitFill fill(nullptr);
    fill.FillObject()->SetStyle(sfGradient);
    EXPECT_FALSE(fill.Transparent());
    EXPECT_TRUE(fill.ControlStyle().Contains(csOpaque));
    fill.Caption()->SetCaption("Beschriftung");
    fill.Bevel()->SetMode(bmStandard);
    EXPECT_FALSE(fill.Transparent()) << "bevel and caption changes leave it alone";
    fill.FillObject()->SetStyle(sfNone);
    EXPECT_TRUE(fill.Transparent());
}

TEST(KitFill, CaptionFlagsTellEnabledFromDisabled) {
    TKitFill fill(nullptr);
    EXPECT_EQ(fill.CaptionFlags(), 0x000A);
    fill.SetEnabled(false);
    EXPECT_EQ(fill.CaptionFlags(), 0x0009);
}

TEST(KitFill, TheListBitmapIsTheImageAtListIndexOrNothing) {
    TKitBitmapList list(nullptr);
    for (const int side : {4, 6}) {
        auto picture = FilledBitmap(side, side);
        list.BitmapItems(list.AddItem())->SetBitmap(picture.get());
    }
    TKitFill fill(nullptr);
    fill.SetImageList(&list);
    fill.SetListIndexValue(1);
    EXPECT_EQ(fill.FillObject()->ListBitmap()->Width(), 6) << "item 1 of the list, image 0";
    fill.SetListIndexValue(2); // past the list's end
    EXPECT_TRUE(fill.FillObject()->ListBitmap()->Empty());
}

namespace {
// Fails its first paint the way a damaged picture does.
class TFailingFill : public TKitFill {
public:
    using TKitFill::TKitFill;
    int Attempts = 0;

protected:
    void PaintLayers() override {
        if (Attempts++ == 0)
            throw EInvalidGraphic("Ung\xFCltiges Bitmap: besch\xE4"
                                  "digt");
        TKitFill::PaintLayers();
    }
};
} // namespace

TEST(KitFill, AnExceptionInPaintingEndsThatPaintAndTheNextOneWorks) {
    TFailingFill fill(nullptr);
    fill.SetBounds(0, 0, 20, 10);
    fill.FillObject()->SetStyle(sfGradient);
    auto b = FilledBitmap(20, 10);
    EXPECT_NO_THROW(PaintInto(fill, *b));
    EXPECT_EQ(fill.Attempts, 1);
    PaintInto(fill, *b);
    EXPECT_EQ(fill.Attempts, 2);
    EXPECT_EQ(Painted(*b), 200) << "the second paint covers the control";
}

TEST(KitFill, TheMainWindowsScaleReadFromAFormPaintsItsBands) {
    RegisterKitControls();
    const std::string text = R"(object Scale: TScaleForm
  object KitFill: TKitFill
    Left = 9
    Top = 71
    Width = 292
    Height = 20
    Bevel.Mode = bmCustom
    Bevel.StandardStyle = lsSingleLowered
    FillObject.Style = sfGradient
    FillObject.Gradient.Color = clLime
    FillObject.Gradient.ColorCount = 236
    FillObject.Gradient.Style = gstHorizontal
    FillObject.Gradient.EndColor = clRed
    FillObject.Alignment = agTopRight
  end
end
)";
    TMemoryStream stream;
    ObjectTextToBinary(text, stream);
    stream.SetPosition(0);
    TScaleForm form;
    TReader reader(stream);
    reader.ReadRootComponent(&form);
    auto* fill = dynamic_cast<TKitFill*>(form.FindComponent("KitFill"));
    ASSERT_NE(fill, nullptr);
    EXPECT_FALSE(fill->Transparent());
    EXPECT_EQ(fill->FillObject()->Gradient()->ColorCount(), 236);

    auto b = FilledBitmap(292, 20);
    fill->IncludeState(csLoading);
    PaintInto(*fill, *b);
    EXPECT_EQ(Painted(*b), 0) << "nothing is painted while loading";
    fill->ExcludeState(csLoading);
    PaintInto(*fill, *b);
    for (int i : {0, 1, 117, 234, 235}) {
        const int x0 = ::MulDiv(i, 292, 236);
        const int x1 = ::MulDiv(i + 1, 292, 236);
        const int red = ::MulDiv(i, 255, 235);
        for (int x = x0; x < x1; ++x)
            for (int y : {0, 10, 19})
                EXPECT_EQ(b->Canvas()->Pixels(x, y), static_cast<TColor>(RGB(red, 255 - red, 0)))
                    << "band " << i << " at " << x;
    }
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), static_cast<TColor>(RGB(0, 255, 0)));
    EXPECT_EQ(b->Canvas()->Pixels(291, 19), static_cast<TColor>(RGB(255, 0, 0)));
}
