#include "components/settings/kitgradientobject.h"

#include "components/drawing/kitpalette.h"
#include "platform/classes/Properties.h"

#include <algorithm>

namespace {

const TEnumNames GradientStyleNames = {"gstHorizontal", "gstVertical",   "gstSquare",
                                       "gstElliptic",   "gstTopLeft",    "gstTopRight",
                                       "gstBottomLeft", "gstBottomRight"};

} // namespace

const TClassInfo& TKitGradient::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitGradient>("TKitGradient", [](TPropertyTable& t) {
            TPropertyBuilder<TKitGradient> p(t);
            p.Integer("Color", &TKitGradient::Color, &TKitGradient::SetColor, clBlue,
                      &ColorIdents());
            p.Integer("ColorCount", &TKitGradient::ColorCount, &TKitGradient::SetColorCount, 16);
            p.Enum("Style", GradientStyleNames, &TKitGradient::Style, &TKitGradient::SetStyle,
                   std::optional<TKitGradientStyle>(gstVertical));
            p.Integer("EndColor", &TKitGradient::EndColor, &TKitGradient::SetEndColor, clBlack,
                      &ColorIdents());
            p.Boolean("PaletteRealize", &TKitGradient::PaletteRealize,
                      &TKitGradient::SetPaletteRealize, false);
        });
    return info;
}

TKitGradient::TKitGradient() {
    RebuildColors();
}

TKitGradient::~TKitGradient() {
    DestroyPalette();
}

void TKitGradient::Change() {
    RebuildColors();
    TKitObject::Change();
}

void TKitGradient::SetColor(TColor value) {
    SetField(FColor, value);
}

void TKitGradient::SetColorCount(TKitColorCount value) {
    SetField(FColorCount, std::clamp(value, MinKitColorCount, MaxKitColorCount));
}

void TKitGradient::SetStyle(TKitGradientStyle value) {
    SetField(FStyle, value);
}
void TKitGradient::SetEndColor(TColor value) {
    SetField(FEndColor, value);
}
void TKitGradient::SetPaletteRealize(bool value) {
    SetField(FPaletteRealize, value);
}

void TKitGradient::RebuildColors() {
    DestroyPalette();
    MakeGradientColors(FColor, FEndColor, FColorCount, &FColors);
    if (FPaletteRealize)
        FPalette = CreateGradientPalette(&FColors);
}

void TKitGradient::DestroyPalette() {
    // Takes the palette out of any context still holding it first, so the
    // deletion cannot fail and leave a stale handle behind.
    DeleteKitPalette(FPalette);
    FColors.Clear();
}

void TKitGradient::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* gradient = dynamic_cast<TKitGradient*>(source)) {
        BeginUpdate();
        SetColorCount(gradient->FColorCount);
        SetColor(gradient->FColor);
        SetStyle(gradient->FStyle);
        SetEndColor(gradient->FEndColor);
        SetPaletteRealize(gradient->FPaletteRealize);
        EndUpdate(true);
        return;
    }
    TKitObject::Assign(source);
}
