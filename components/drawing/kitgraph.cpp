#include "components/drawing/kitgraph.h"

#include "platform/classes/Properties.h"

namespace {

const TEnumNames DisabledStyleNames = {"dsAuto", "dsStandard", "ds3d", "dsNone"};
const TEnumNames ThreeDStyleNames = {"tdNone",         "tdSunken",       "tdRaised",
                                     "tdSunkenShadow", "tdRaisedShadow", "tdPColorSunken",
                                     "tdPColorRaised", "tdShadow"};

} // namespace

const TClassInfo& TKit3DCaption::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKit3DCaption>("TKit3DCaption", [](TPropertyTable& t) {
            TPropertyBuilder<TKit3DCaption> p(t);
            p.Enum("DisabledStyle", DisabledStyleNames, &TKit3DCaption::DisabledStyle,
                   &TKit3DCaption::SetDisabledStyle, std::optional<TKitDisabledStyle>(dsAuto));
            p.Integer("LightDepth", &TKit3DCaption::LightDepth, &TKit3DCaption::SetLightDepth, 1);
            p.Integer("ShadowDepth", &TKit3DCaption::ShadowDepth, &TKit3DCaption::SetShadowDepth,
                      1);
            p.Integer("LightColor", &TKit3DCaption::LightColor, &TKit3DCaption::SetLightColor,
                      clBtnHighlight, &ColorIdents());
            p.Integer("ShadowColor", &TKit3DCaption::ShadowColor, &TKit3DCaption::SetShadowColor,
                      clBtnShadow, &ColorIdents());
            p.Enum("Style", ThreeDStyleNames, &TKit3DCaption::Style, &TKit3DCaption::SetStyle,
                   std::optional<TKitThreeDStyle>(tdNone));
            p.Integer("Tracing", &TKit3DCaption::Tracing, &TKit3DCaption::SetTracing, 0);
        });
    return info;
}

void TKit3DCaption::SetDisabledStyle(TKitDisabledStyle value) {
    SetField(FDisabledStyle, value);
}
void TKit3DCaption::SetLightDepth(std::uint8_t value) {
    SetField(FLightDepth, value);
}
void TKit3DCaption::SetShadowDepth(std::uint8_t value) {
    SetField(FShadowDepth, value);
}
void TKit3DCaption::SetLightColor(TColor value) {
    SetField(FLightColor, value);
}
void TKit3DCaption::SetShadowColor(TColor value) {
    SetField(FShadowColor, value);
}
void TKit3DCaption::SetStyle(TKitThreeDStyle value) {
    SetField(FStyle, value);
}
void TKit3DCaption::SetTracing(std::int32_t value) {
    SetField(FTracing, value);
}

int TKit3DCaption::EffectDepth(TKitThreeDStyle style) const {
    switch (style) {
    case tdNone:
        return 0;
    case tdSunken:
    case tdRaised:
        return FLightDepth;
    case tdShadow:
        return FShadowDepth;
    default:
        return FLightDepth + FShadowDepth;
    }
}

void TKit3DCaption::CopyEffects(const TKit3DCaption& source) {
    FDisabledStyle = source.FDisabledStyle;
    FLightDepth = source.FLightDepth;
    FShadowDepth = source.FShadowDepth;
    FLightColor = source.FLightColor;
    FShadowColor = source.FShadowColor;
    FStyle = source.FStyle;
    FTracing = source.FTracing;
}

void TKit3DCaption::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* caption = dynamic_cast<TKit3DCaption*>(source)) {
        CopyEffects(*caption);
        Change();
        return;
    }
    TKitObject::Assign(source);
}

const TClassInfo& TKitFxCaption::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TKitFxCaption>("TKitFxCaption", [](TPropertyTable& t) {
            TPropertyBuilder<TKitFxCaption> p(t);
            p.Integer("Angle", &TKitFxCaption::Angle, &TKitFxCaption::SetAngle, 0).MaxValue = 360;
            p.Integer("PosX", &TKitFxCaption::PosX, &TKitFxCaption::SetPosX, 0);
            p.Integer("PosY", &TKitFxCaption::PosY, &TKitFxCaption::SetPosY, 0);
        });
    return info;
}

void TKitFxCaption::SetAngle(TKitAngle value) {
    if (value == FAngle)
        return;
    FAngle = value == 360 ? 0 : value;
    Change();
}

void TKitFxCaption::SetPosX(std::uint16_t value) {
    SetField(FPosX, value);
}
void TKitFxCaption::SetPosY(std::uint16_t value) {
    SetField(FPosY, value);
}

void TKitFxCaption::SetPos(std::uint16_t x, std::uint16_t y) {
    BeginUpdate();
    SetPosX(x);
    SetPosY(y);
    EndUpdate(false);
}

void TKitFxCaption::Assign(TPersistent* source) {
    if (source == this)
        return;
    if (auto* caption = dynamic_cast<TKitFxCaption*>(source)) {
        CopyEffects(*caption);
        FPosX = caption->FPosX;
        FPosY = caption->FPosY;
        FAngle = caption->FAngle;
        Change();
        return;
    }
    TKit3DCaption::Assign(source);
}
