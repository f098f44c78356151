#include "components/settings/kitcaption.h"

#include "components/drawing/kitclip.h"
#include "components/settings/kitalignmentnames.h"
#include "platform/classes/Properties.h"

namespace {

// The font a rotation switches to when the current one cannot be rotated.
const char* const RotatableFontName = "Arial";

TKitCaption::TTrueTypeTest TrueTypeTest = &IsTrueTypeFont;

// DT_ alignment bits of each TKitAlignment.
UINT AlignmentFormat(TKitAlignment alignment) {
    static const UINT formats[] = {
        DT_LEFT | DT_TOP,     DT_CENTER | DT_TOP,     DT_RIGHT | DT_TOP,
        DT_LEFT | DT_VCENTER, DT_CENTER | DT_VCENTER, DT_RIGHT | DT_VCENTER,
        DT_LEFT | DT_BOTTOM,  DT_CENTER | DT_BOTTOM,  DT_RIGHT | DT_BOTTOM};
    return formats[static_cast<int>(alignment)];
}

} // namespace

const TClassInfo& TKitCaption::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitCaption>("TKitCaption", [](TPropertyTable& t) {
        TPropertyBuilder<TKitCaption> p(t);
        p.Enum("Alignment", KitAlignmentNames(), &TKitCaption::Alignment,
               &TKitCaption::SetAlignment, std::optional<TKitAlignment>(agCenter));
        p.String("Caption", &TKitCaption::Caption, &TKitCaption::SetCaption);
        p.Object("Font", &TKitCaption::Font);
        p.Object("FontFx", &TKitCaption::FontFx);
        p.Boolean("MultiLine", &TKitCaption::MultiLine, &TKitCaption::SetMultiLine, false);
    });
    return info;
}

void TKitCaption::SetTrueTypeTest(TTrueTypeTest test) {
    TrueTypeTest = test ? test : &IsTrueTypeFont;
}

TKitCaption::TKitCaption()
    : FFont(std::make_unique<TFont>()), FFontFx(std::make_unique<TKitFxCaption>()) {
    FFont->OnChange = TNotifyEvent::Of<&TKitCaption::FontChanged>(this);
    FFontFx->OnChange = TNotifyEvent::Of<&TKitCaption::FontChanged>(this);
}

TKitCaption::~TKitCaption() {
    FFontFx->OnChange.Clear();
    FFont->OnChange.Clear();
}

void TKitCaption::SetAlignment(TKitAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    Change();
}

void TKitCaption::SetCaption(const std::string& value) {
    if (value == FCaption)
        return;
    FCaption = value;
    Change();
}

void TKitCaption::SetFont(TFont* value) {
    FFont->Assign(value);
}

void TKitCaption::SetFontFx(TKitFxCaption* value) {
    FFontFx->Assign(value);
}

void TKitCaption::SetMultiLine(bool value) {
    if (value == FMultiLine)
        return;
    FMultiLine = value;
    Change();
}

void TKitCaption::FontChanged(TObject* sender) {
    // The correction changes Font or FontFx once more, which comes back here,
    // finds nothing left to correct and reports; this call reports as well.
    if (FFontFx->Angle() != 0 && !TrueTypeTest(*FFont)) {
        if (sender == FFont.get())
            FFontFx->SetAngle(0);
        else
            FFont->SetName(RotatableFontName);
    }
    SubObjectChanged(sender);
}

void TKitCaption::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* caption = dynamic_cast<TKitCaption*>(source)) {
        BeginUpdate();
        FFont->Assign(caption->FFont.get());
        FFontFx->Assign(caption->FFontFx.get());
        FAlignment = caption->FAlignment;
        FCaption = caption->FCaption;
        FMultiLine = caption->FMultiLine;
        EndUpdate(true);
        return;
    }
    TKitObject::Assign(source);
}

TKitCaptionPlacement TKitCaption::PlaceCaption(const std::string& text, const TRect& rect,
                                               std::uint16_t flags) {
    const bool showPrefix = (flags & ktShowPrefix) != 0;
    TKitCaptionPlacement placement{rect,
                                   AlignmentFormat(FAlignment) | DT_WORDBREAK | DT_EXPANDTABS};
    if (!showPrefix)
        placement.Format |= DT_NOPREFIX;
    bool measure = false;
    if (FFontFx->Angle() != 0) {
        placement.Format |= DT_SINGLELINE;
        // A rotated caption at the top left starts at its origin (PosX, PosY).
        measure = FAlignment != agTopLeft;
    } else if (!FMultiLine) {
        placement.Format |= DT_SINGLELINE;
    } else {
        // The top row of a multi-line caption needs no measuring.
        measure = static_cast<int>(FAlignment) >= static_cast<int>(agCenterLeft);
    }
    if (measure)
        PlaceEffectText(FAlignment, text, FFontFx.get(), rect, *FFont, FMultiLine, showPrefix,
                        placement.Format, placement.Rect);
    return placement;
}

void TKitCaption::DrawCaption(TCanvas& canvas, const std::string& text, const TRect& rect,
                              std::uint16_t flags, TColor color, std::int32_t offset) {
    const TRect clip = OffsetClipRect(rect, offset);
    const TKitCaptionPlacement placement = PlaceCaption(text, rect, flags);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Brush()->SetColor(color);
    canvas.SetFont(FFont.get());
    DrawEffectText(canvas, text, FFontFx.get(), placement.Rect, placement.Format, flags,
                   (flags & ktClip) != 0 ? &clip : nullptr);
}
