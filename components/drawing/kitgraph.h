#pragma once
// The kit's caption effect settings: TKit3DCaption (three-dimensional text
// style, depths, colours, letter spacing, disabled look) and TKitFxCaption
// (adds a rotation and the text origin used for rotated text).

#include "components/base/kitclass.h"
#include "platform/graphics/Color.h"

#include <cstdint>

enum class TKitThreeDStyle {
    tdNone,
    tdSunken,
    tdRaised,
    tdSunkenShadow,
    tdRaisedShadow,
    tdPColorSunken,
    tdPColorRaised,
    tdShadow
};
using enum TKitThreeDStyle;

enum class TKitDisabledStyle { dsAuto, dsStandard, ds3d, dsNone };
using enum TKitDisabledStyle;

// Degrees, counter-clockwise as the font escapement counts them: 0..360.
using TKitAngle = std::uint16_t;

class TKit3DCaption : public TKitObject {
    TESSARO_CLASS(TKit3DCaption, TKitObject)
public:
    TKit3DCaption() = default;
    void Assign(TPersistent* source) override;

    TKitDisabledStyle DisabledStyle() const { return FDisabledStyle; }
    void SetDisabledStyle(TKitDisabledStyle value);
    std::uint8_t LightDepth() const { return FLightDepth; }
    void SetLightDepth(std::uint8_t value);
    std::uint8_t ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(std::uint8_t value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor value);
    TKitThreeDStyle Style() const { return FStyle; }
    void SetStyle(TKitThreeDStyle value);
    std::int32_t Tracing() const { return FTracing; }
    void SetTracing(std::int32_t value);

    // Pixels the effect adds to the text's width and height in Style.
    int EffectDepth(TKitThreeDStyle style) const;
    int EffectDepth() const { return EffectDepth(FStyle); }

protected:
    void CopyEffects(const TKit3DCaption& source);

private:
    TKitDisabledStyle FDisabledStyle = dsAuto;
    std::uint8_t FLightDepth = 1;
    std::uint8_t FShadowDepth = 1;
    TColor FLightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    TKitThreeDStyle FStyle = tdNone;
    std::int32_t FTracing = 0;
};

class TKitFxCaption : public TKit3DCaption {
    TESSARO_CLASS(TKitFxCaption, TKit3DCaption)
public:
    TKitFxCaption() = default;
    void Assign(TPersistent* source) override;

    TKitAngle Angle() const { return FAngle; }
    // 360 is stored as 0 and still reported as a change.
    void SetAngle(TKitAngle value);
    std::uint16_t PosX() const { return FPosX; }
    void SetPosX(std::uint16_t value);
    std::uint16_t PosY() const { return FPosY; }
    void SetPosY(std::uint16_t value);
    // Both origin values at once, without a change report.
    void SetPos(std::uint16_t x, std::uint16_t y);

private:
    TKitAngle FAngle = 0;
    std::uint16_t FPosX = 0;
    std::uint16_t FPosY = 0;
};
