#include "components/drawing/kitgraph.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
    TNotifyEvent Event() { return TNotifyEvent::Of<&TChangeCounter::Changed>(this); }
};

} // namespace

TEST(Kit3DCaption, Defaults) {
    TKit3DCaption fx;
    EXPECT_EQ(fx.DisabledStyle(), dsAuto);
    EXPECT_EQ(fx.LightDepth(), 1);
    EXPECT_EQ(fx.ShadowDepth(), 1);
    EXPECT_EQ(fx.LightColor(), clBtnHighlight);
    EXPECT_EQ(fx.ShadowColor(), clBtnShadow);
    EXPECT_EQ(fx.Style(), tdNone);
    EXPECT_EQ(fx.Tracing(), 0);
}

TEST(Kit3DCaption, SettersReportRealChangesOnly) {
    TKit3DCaption fx;
    TChangeCounter counter;
    fx.OnChange = counter.Event();
    fx.SetLightDepth(1);
    fx.SetStyle(tdNone);
    fx.SetShadowColor(clBtnShadow);
    EXPECT_EQ(counter.Count, 0);
    fx.SetLightDepth(3);
    fx.SetShadowDepth(4);
    fx.SetLightColor(clRed);
    fx.SetShadowColor(clBlue);
    fx.SetStyle(tdRaised);
    fx.SetTracing(2);
    fx.SetDisabledStyle(ds3d);
    EXPECT_EQ(counter.Count, 7);
}

TEST(Kit3DCaption, EffectDepthByStyle) {
    TKit3DCaption fx;
    fx.SetLightDepth(2);
    fx.SetShadowDepth(5);
    EXPECT_EQ(fx.EffectDepth(tdNone), 0);
    EXPECT_EQ(fx.EffectDepth(tdSunken), 2);
    EXPECT_EQ(fx.EffectDepth(tdRaised), 2);
    EXPECT_EQ(fx.EffectDepth(tdSunkenShadow), 7);
    EXPECT_EQ(fx.EffectDepth(tdRaisedShadow), 7);
    EXPECT_EQ(fx.EffectDepth(tdPColorSunken), 7);
    EXPECT_EQ(fx.EffectDepth(tdPColorRaised), 7);
    EXPECT_EQ(fx.EffectDepth(tdShadow), 5);
}

TEST(Kit3DCaption, CopyReportsOneChange) {
    TKit3DCaption source;
    source.SetStyle(tdShadow);
    source.SetLightDepth(9);
    source.SetTracing(-1);
    source.SetDisabledStyle(dsNone);
    TKit3DCaption target;
    TChangeCounter counter;
    target.OnChange = counter.Event();
    target.Assign(&source);
    EXPECT_EQ(counter.Count, 1);
    EXPECT_EQ(target.Style(), tdShadow);
    EXPECT_EQ(target.LightDepth(), 9);
    EXPECT_EQ(target.Tracing(), -1);
    EXPECT_EQ(target.DisabledStyle(), dsNone);
    target.Assign(&target);
    EXPECT_EQ(counter.Count, 1);
}

TEST(KitFxCaption, AngleThreeSixtyIsStoredAsZeroAndStillReported) {
    TKitFxCaption fx;
    TChangeCounter counter;
    fx.OnChange = counter.Event();
    fx.SetAngle(0);
    EXPECT_EQ(counter.Count, 0);
    fx.SetAngle(360);
    EXPECT_EQ(fx.Angle(), 0);
    EXPECT_EQ(counter.Count, 1);
    fx.SetAngle(90);
    fx.SetAngle(90);
    EXPECT_EQ(counter.Count, 2);
}

TEST(KitFxCaption, SetPosStoresWithoutAChange) {
    TKitFxCaption fx;
    TChangeCounter counter;
    fx.OnChange = counter.Event();
    fx.SetPos(3, 4);
    EXPECT_EQ(fx.PosX(), 3);
    EXPECT_EQ(fx.PosY(), 4);
    EXPECT_EQ(counter.Count, 0);
    EXPECT_FALSE(fx.Updating());
    fx.SetPosX(5);
    EXPECT_EQ(counter.Count, 1);
}

TEST(KitFxCaption, CopyTakesRotationAndOriginWithOneChange) {
    TKitFxCaption source;
    source.SetAngle(45);
    source.SetPos(7, 8);
    source.SetStyle(tdSunken);
    TKitFxCaption target;
    TChangeCounter counter;
    target.OnChange = counter.Event();
    target.Assign(&source);
    EXPECT_EQ(counter.Count, 1);
    EXPECT_EQ(target.Angle(), 45);
    EXPECT_EQ(target.PosX(), 7);
    EXPECT_EQ(target.PosY(), 8);
    EXPECT_EQ(target.Style(), tdSunken);

    // From a plain 3D caption only the shared settings come over.
    TKit3DCaption plain;
    plain.SetStyle(tdRaised);
    target.Assign(&plain);
    EXPECT_EQ(counter.Count, 2);
    EXPECT_EQ(target.Style(), tdRaised);
    EXPECT_EQ(target.Angle(), 45);
}

TEST(KitFxCaption, PublishedPropertiesInOrderWithDefaults) {
    const TPropertyTable& table = TKitFxCaption::StaticClassInfo().Properties();
    std::vector<std::string> names;
    for (const TPropInfo& p : table.Items())
        names.push_back(p.Name);
    const std::vector<std::string> expected = {
        "DisabledStyle", "LightDepth", "ShadowDepth", "LightColor", "ShadowColor",
        "Style",         "Tracing",    "Angle",       "PosX",       "PosY"};
    EXPECT_EQ(names, expected);
}
