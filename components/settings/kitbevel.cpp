#include "components/settings/kitbevel.h"

#include "platform/classes/Properties.h"

#include <windows.h>

namespace {

const TEnumNames BevelStyleNames = {"bvNone",        "bvLowered", "bvRaised", "bvFrameLowered",
                                    "bvFrameRaised", "bvNormal",  "bvShadow"};
const TEnumNames BevelModeNames = {"bmCustom", "bmStandard", "bmEdge", "bmWindows"};
const TEnumNames BorderStyleNames = {
    "lsNone",         "lsSingle",       "lsLowered",       "lsRaised",       "lsRaisedspb",
    "lsLoweredspb",   "lsRaisedExt",    "lsLoweredExt",    "lsFrameInset",   "lsFrameOffset",
    "lsWindowBorder", "lsSingleRaised", "lsSingleLowered", "lsDoubleRaised", "lsDoubleLowered"};
const TEnumNames EdgeStyleNames = {"etRaisedInner", "etRaisedOuter", "etSunkenInner",
                                   "etSunkenOuter", "etBump",        "etEtched",
                                   "etRaised",      "etSunken"};
const TEnumNames FrameSideNames = {"fsBottom", "fsLeft", "fsRight", "fsTop"};

bool IsFrameStyle(TKitBevelStyle style) {
    return style == bvFrameLowered || style == bvFrameRaised;
}

UINT EdgeOf(TKitEdgeStyle style) {
    switch (style) {
    case etRaisedInner:
        return BDR_RAISEDINNER;
    case etRaisedOuter:
        return BDR_RAISEDOUTER;
    case etSunkenInner:
        return BDR_SUNKENINNER;
    case etSunkenOuter:
        return BDR_SUNKENOUTER;
    case etBump:
        return EDGE_BUMP;
    case etEtched:
        return EDGE_ETCHED;
    case etRaised:
        return EDGE_RAISED;
    case etSunken:
        return EDGE_SUNKEN;
    }
    return EDGE_ETCHED;
}

UINT SideFlagsOf(TKitFrameSides sides) {
    UINT flags = 0;
    if (sides.Contains(fsBottom))
        flags |= BF_BOTTOM;
    if (sides.Contains(fsLeft))
        flags |= BF_LEFT;
    if (sides.Contains(fsRight))
        flags |= BF_RIGHT;
    if (sides.Contains(fsTop))
        flags |= BF_TOP;
    return flags;
}

void Shrink(TRect& rect, int by) {
    ::InflateRect(&rect, -by, -by);
}

} // namespace

const TClassInfo& TKitBevel::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitBevel>("TKitBevel", [](TPropertyTable& t) {
        TPropertyBuilder<TKitBevel> p(t);
        p.Enum("StyleInner", BevelStyleNames, &TKitBevel::StyleInner, &TKitBevel::SetStyleInner,
               std::optional<TKitBevelStyle>(bvNone));
        p.Enum("StyleOuter", BevelStyleNames, &TKitBevel::StyleOuter, &TKitBevel::SetStyleOuter,
               std::optional<TKitBevelStyle>(bvNone));
        p.Integer("WidthInner", &TKitBevel::WidthInner, &TKitBevel::SetWidthInner, 1);
        p.Integer("WidthOuter", &TKitBevel::WidthOuter, &TKitBevel::SetWidthOuter, 1);
        p.Integer("BorderColor", &TKitBevel::BorderColor, &TKitBevel::SetBorderColor, clBtnFace,
                  &ColorIdents());
        p.Set("BorderSides", FrameSideNames, &TKitBevel::BorderSides, &TKitBevel::SetBorderSides,
              std::optional<TKitFrameSides>(AllFrameSides));
        p.Integer("BorderWidth", &TKitBevel::BorderWidth, &TKitBevel::SetBorderWidth, 0);
        p.Integer("BorderInnerWidth", &TKitBevel::BorderInnerWidth, &TKitBevel::SetBorderInnerWidth,
                  0);
        p.Enum("EdgeStyle", EdgeStyleNames, &TKitBevel::EdgeStyle, &TKitBevel::SetEdgeStyle,
               std::optional<TKitEdgeStyle>(etEtched));
        p.Integer("LightColor", &TKitBevel::LightColor, &TKitBevel::SetLightColor, clBtnHighlight,
                  &ColorIdents());
        // Mode and StandardStyle have no default: always written.
        p.Enum("Mode", BevelModeNames, &TKitBevel::Mode, &TKitBevel::SetMode,
               std::optional<TKitBevelMode>());
        p.Integer("ShadowColor", &TKitBevel::ShadowColor, &TKitBevel::SetShadowColor, clBtnShadow,
                  &ColorIdents());
        p.Enum("StandardStyle", BorderStyleNames, &TKitBevel::StandardStyle,
               &TKitBevel::SetStandardStyle, std::optional<TKitBorderStyle>());
    });
    return info;
}

void TKitBevel::Change() {
    FExtent = GetBevelExtent();
    TKitObject::Change();
}

void TKitBevel::SetStyleInner(TKitBevelStyle value) {
    if (value == FStyleInner)
        return;
    if (FStyleInner == bvShadow)
        FStyleOuter = bvNone;
    FStyleInner = value;
    if (value == bvShadow)
        FStyleOuter = bvShadow;
    Change();
}

void TKitBevel::SetStyleOuter(TKitBevelStyle value) {
    if (value == FStyleOuter)
        return;
    if (FStyleOuter == bvShadow)
        FStyleInner = bvNone;
    FStyleOuter = value;
    if (value == bvShadow)
        FStyleInner = bvShadow;
    Change();
}

void TKitBevel::SetWidthInner(TKitBevelWidth value) {
    SetField(FWidthInner, value);
}
void TKitBevel::SetWidthOuter(TKitBevelWidth value) {
    SetField(FWidthOuter, value);
}

void TKitBevel::SetColor(int index, TColor value) {
    TColor* const fields[] = {&FBorderColor, &FLightColor, &FShadowColor};
    SetField(*fields[index], value);
}
void TKitBevel::SetBorderColor(TColor value) {
    SetColor(0, value);
}
void TKitBevel::SetLightColor(TColor value) {
    SetColor(1, value);
}
void TKitBevel::SetShadowColor(TColor value) {
    SetColor(2, value);
}

void TKitBevel::SetBorderSides(TKitFrameSides value) {
    SetField(FBorderSides, value);
}
void TKitBevel::SetBorderWidth(TKitBorderWidth value) {
    SetField(FBorderWidth, value);
}
void TKitBevel::SetBorderInnerWidth(TKitBorderWidth value) {
    SetField(FBorderInnerWidth, value);
}
void TKitBevel::SetEdgeStyle(TKitEdgeStyle value) {
    SetField(FEdgeStyle, value);
}
void TKitBevel::SetMode(TKitBevelMode value) {
    SetField(FMode, value);
}

void TKitBevel::SetStandardStyle(TKitBorderStyle value) {
    if (value == FStandardStyle)
        return;
    FStandardStyle = value;
    if (FMode == bmStandard)
        Change();
}

void TKitBevel::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* bevel = dynamic_cast<TKitBevel*>(source)) {
        FStyleInner = bevel->FStyleInner;
        FStyleOuter = bevel->FStyleOuter;
        FWidthInner = bevel->FWidthInner;
        FWidthOuter = bevel->FWidthOuter;
        FBorderSides = bevel->FBorderSides;
        FBorderInnerWidth = bevel->FBorderInnerWidth;
        FBorderWidth = bevel->FBorderWidth;
        FBorderColor = bevel->FBorderColor;
        FLightColor = bevel->FLightColor;
        FShadowColor = bevel->FShadowColor;
        FMode = bevel->FMode;
        FStandardStyle = bevel->FStandardStyle;
        FEdgeStyle = bevel->FEdgeStyle;
        Change();
        return;
    }
    TKitObject::Assign(source);
}

int TKitBevel::GetBevelExtent() const {
    switch (FMode) {
    case bmCustom: {
        if (FStyleInner == bvShadow)
            return FWidthInner + FBorderInnerWidth;
        int extent = FBorderWidth + FBorderInnerWidth;
        if (FStyleOuter != bvNone)
            extent += FWidthOuter;
        if (IsFrameStyle(FStyleOuter))
            ++extent;
        if (FStyleInner != bvNone)
            extent += FWidthInner;
        if (IsFrameStyle(FStyleInner))
            ++extent;
        return extent;
    }
    case bmStandard:
        return StandardBorderWidth(FStandardStyle) + FBorderInnerWidth;
    case bmEdge:
        return (FBorderSides.Empty() ? 0 : 2) + FBorderInnerWidth;
    case bmWindows:
        return 2 + FBorderInnerWidth;
    }
    return 0;
}

void TKitBevel::DrawBorderFrames(TCanvas& canvas, TRect& rect, int count, bool transparent) const {
    if (transparent) {
        Shrink(rect, count);
        return;
    }
    canvas.Brush()->SetColor(FBorderColor);
    for (int i = 0; i < count; ++i) {
        canvas.FrameRect(rect);
        Shrink(rect, 1);
    }
}

TRect TKitBevel::PaintBevel(TCanvas& canvas, const TRect& rect, bool transparent) {
    TRect r = rect;
    if (FExtent == 0)
        return r;
    switch (FMode) {
    case bmCustom:
        if (FStyleOuter == bvShadow) {
            DrawShadowFrame(canvas, r, FLightColor, FShadowColor, FBorderColor, FWidthOuter,
                            FWidthInner, transparent);
        } else {
            DrawBevelFrame(canvas, r, FStyleOuter, FLightColor, FShadowColor, FWidthOuter);
            DrawBorderFrames(canvas, r, FBorderWidth, transparent);
            DrawBevelFrame(canvas, r, FStyleInner, FLightColor, FShadowColor, FWidthInner);
        }
        break;
    case bmStandard:
        DrawStandardBorder(canvas, r, FStandardStyle, 0);
        break;
    case bmEdge:
        if (!FBorderSides.Empty()) {
            ::DrawEdge(canvas.Handle(), &r, EdgeOf(FEdgeStyle), SideFlagsOf(FBorderSides));
            Shrink(r, 2);
        }
        break;
    case bmWindows:
        DrawStandardBorder(canvas, r, lsLoweredExt, 0);
        break;
    }
    DrawBorderFrames(canvas, r, FBorderInnerWidth, transparent);
    return r;
}
