#pragma once
// TKitBevel: the border of a kit control. It tells the control how many
// pixels the border takes from each side (Extent) and paints itself,
// returning the area left inside for the content.

#include "components/base/kitclass.h"
#include "components/drawing/kitframe.h"
#include "platform/classes/Set.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>

enum class TKitBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
using enum TKitBevelMode;

enum class TKitEdgeStyle {
    etRaisedInner,
    etRaisedOuter,
    etSunkenInner,
    etSunkenOuter,
    etBump,
    etEtched,
    etRaised,
    etSunken
};
using enum TKitEdgeStyle;

enum class TKitFrameSide { fsBottom, fsLeft, fsRight, fsTop };
using enum TKitFrameSide;
using TKitFrameSides = TSet<TKitFrameSide>;

// Ring widths 0..50 and border widths 0..255; stored without a range check.
using TKitBevelWidth = std::uint8_t;
using TKitBorderWidth = std::uint8_t;

inline constexpr TKitFrameSides AllFrameSides{fsBottom, fsLeft, fsRight, fsTop};

class TKitBevel : public TKitObject {
    TESSARO_CLASS(TKitBevel, TKitObject)
public:
    TKitBevel() = default;
    void Assign(TPersistent* source) override;
    // Recomputes Extent, also while updating, then reports.
    void Change() override;

    // bvShadow is the style of both rings or of neither: setting it on one
    // sets it on the other, leaving it on one resets the other to bvNone.
    TKitBevelStyle StyleInner() const { return FStyleInner; }
    void SetStyleInner(TKitBevelStyle value);
    TKitBevelStyle StyleOuter() const { return FStyleOuter; }
    void SetStyleOuter(TKitBevelStyle value);
    TKitBevelWidth WidthInner() const { return FWidthInner; }
    void SetWidthInner(TKitBevelWidth value);
    TKitBevelWidth WidthOuter() const { return FWidthOuter; }
    void SetWidthOuter(TKitBevelWidth value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TKitFrameSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TKitFrameSides value);
    TKitBorderWidth BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(TKitBorderWidth value);
    TKitBorderWidth BorderInnerWidth() const { return FBorderInnerWidth; }
    void SetBorderInnerWidth(TKitBorderWidth value);
    TKitEdgeStyle EdgeStyle() const { return FEdgeStyle; }
    void SetEdgeStyle(TKitEdgeStyle value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor value);
    TKitBevelMode Mode() const { return FMode; }
    void SetMode(TKitBevelMode value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    // Stored in every mode, reported only in bmStandard (where it shows).
    TKitBorderStyle StandardStyle() const { return FStandardStyle; }
    void SetStandardStyle(TKitBorderStyle value);

    // Pixels taken from each side (for bvShadow from the left and top; the
    // right and bottom lose WidthOuter more). Valid after the first Change.
    int Extent() const { return FExtent; }
    // The extent the current settings give.
    int GetBevelExtent() const;

    // Paints the bevel into Rect and returns the area inside it. A
    // transparent control gets no plain border pixels, only their room.
    TRect PaintBevel(TCanvas& canvas, const TRect& rect, bool transparent);

private:
    // The indexed colour setter: 0 border, 1 light, 2 shadow.
    void SetColor(int index, TColor value);
    void DrawBorderFrames(TCanvas& canvas, TRect& rect, int count, bool transparent) const;

    TKitBevelStyle FStyleInner = bvNone;
    TKitBevelStyle FStyleOuter = bvNone;
    TKitBevelWidth FWidthInner = 1;
    TKitBevelWidth FWidthOuter = 1;
    TColor FBorderColor = clBtnFace;
    TKitFrameSides FBorderSides = AllFrameSides;
    TKitBorderWidth FBorderWidth = 0;
    TKitBorderWidth FBorderInnerWidth = 0;
    TKitEdgeStyle FEdgeStyle = etEtched;
    TColor FLightColor = clBtnHighlight;
    TKitBevelMode FMode = bmCustom;
    TColor FShadowColor = clBtnShadow;
    TKitBorderStyle FStandardStyle = lsSingleLowered;
    int FExtent = 0;
};
