#pragma once
// TKitGradient: two colours, a number of steps and a shape, with the colour
// table (and on request a logical palette) kept ready for painting. Both are
// rebuilt on every change, never while painting.

#include "components/base/kitclass.h"
#include "components/drawing/kitgradient.h"
#include "platform/classes/List.h"
#include "platform/graphics/Color.h"

#include <cstdint>
#include <windows.h>

// Colours in a gradient's table: 2..236.
using TKitColorCount = std::uint8_t;
inline constexpr TKitColorCount MinKitColorCount = 2;
inline constexpr TKitColorCount MaxKitColorCount = 236;

class TKitGradient : public TKitObject {
    TESSARO_CLASS(TKitGradient, TKitObject)
public:
    TKitGradient();
    ~TKitGradient() override;
    void Assign(TPersistent* source) override;
    // Rebuilds table and palette, also while updating, then reports.
    void Change() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    TKitColorCount ColorCount() const { return FColorCount; }
    // Kept to 2..236: a table of one colour cannot be interpolated.
    void SetColorCount(TKitColorCount value);
    TKitGradientStyle Style() const { return FStyle; }
    void SetStyle(TKitGradientStyle value);
    TColor EndColor() const { return FEndColor; }
    void SetEndColor(TColor value);
    bool PaletteRealize() const { return FPaletteRealize; }
    void SetPaletteRealize(bool value);

    // ColorCount 32-bit RGB values, the start colour first.
    const TList& Colors() const { return FColors; }
    // Made from Colors while PaletteRealize is set, else null; owned.
    HPALETTE Palette() const { return FPalette; }

private:
    void RebuildColors();
    void DestroyPalette();

    TList FColors;
    HPALETTE FPalette = nullptr;
    TColor FColor = clBlue;
    TKitColorCount FColorCount = 16;
    TKitGradientStyle FStyle = gstVertical;
    TColor FEndColor = clBlack;
    bool FPaletteRealize = false;
};
