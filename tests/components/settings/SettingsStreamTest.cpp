// The settings objects in a form resource: a component owning a bevel, a
// caption and a fill object, as the fill control does, read from and
// written back to the binary form format.

#include "SettingsTestSupport.h"
#include "components/settings/kitbevel.h"
#include "components/settings/kitcaption.h"
#include "components/settings/kitfillobject.h"
#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Stream.h"
#include "platform/filer/ObjectText.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Owns the three settings objects and counts their change reports.
class TSettingsHost : public TComponent {
    TESSARO_CLASS(TSettingsHost, TComponent)
public:
    explicit TSettingsHost(TComponent* owner) : TComponent(owner) {
        FBevel.OnChange = TNotifyEvent::Of<&TSettingsHost::ObjectChanged>(this);
        FCaption.OnChange = TNotifyEvent::Of<&TSettingsHost::ObjectChanged>(this);
        FFillObject.OnChange = TNotifyEvent::Of<&TSettingsHost::ObjectChanged>(this);
    }
    TKitBevel* Bevel() { return &FBevel; }
    TKitCaption* Caption() { return &FCaption; }
    TKitFillObject* FillObject() { return &FFillObject; }
    std::vector<TObject*> Changes;

private:
    void ObjectChanged(TObject* sender) { Changes.push_back(sender); }
    TKitBevel FBevel;
    TKitCaption FCaption;
    TKitFillObject FFillObject;
};

std::vector<std::uint8_t> ToBinary(const std::string& text) {
    TMemoryStream stream;
    ObjectTextToBinary(text, stream);
    return stream.Bytes();
}

void Read(TSettingsHost& host, const std::string& text) {
    const auto bytes = ToBinary(text);
    TReadOnlyMemoryStream stream(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    TReader reader(stream);
    reader.ReadRootComponent(&host);
}

std::string Write(TSettingsHost& host) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRootComponent(&host);
    const auto bytes = stream.Bytes();
    TReadOnlyMemoryStream in(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return ObjectBinaryToText(in);
}

// What the main window's form resource stores for its fill control.
const std::string MainWindowValues = R"(object KitFill: TSettingsHost
  Bevel.Mode = bmCustom
  Bevel.StandardStyle = lsSingleLowered
  Caption.Font.Charset = DEFAULT_CHARSET
  Caption.Font.Color = clWindowText
  Caption.Font.Height = -11
  Caption.Font.Name = 'MS Sans Serif'
  Caption.Font.Style = []
  FillObject.Style = sfGradient
  FillObject.Gradient.Color = clLime
  FillObject.Gradient.ColorCount = 236
  FillObject.Gradient.Style = gstHorizontal
  FillObject.Gradient.EndColor = clRed
  FillObject.Alignment = agTopRight
end
)";

} // namespace

const TClassInfo& TSettingsHost::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TSettingsHost>("TSettingsHost", [](TPropertyTable& t) {
            TPropertyBuilder<TSettingsHost> p(t);
            p.Object("Bevel", &TSettingsHost::Bevel);
            p.Object("Caption", &TSettingsHost::Caption);
            p.Object("FillObject", &TSettingsHost::FillObject);
        });
    return info;
}

TEST(SettingsStream, MainWindowValuesReadIntoTheObjects) {
    TSettingsHost host(nullptr);
    Read(host, MainWindowValues);
    const TKitBevel& bevel = *host.Bevel();
    EXPECT_EQ(bmCustom, bevel.Mode());
    EXPECT_EQ(lsSingleLowered, bevel.StandardStyle());
    EXPECT_EQ(0, bevel.GetBevelExtent());

    const TFont& font = *host.Caption()->Font();
    EXPECT_EQ(DEFAULT_CHARSET, font.Charset());
    EXPECT_EQ(clWindowText, font.Color());
    EXPECT_EQ(-11, font.Height());
    EXPECT_EQ("MS Sans Serif", font.Name());
    EXPECT_TRUE(font.Style().Empty());
    EXPECT_EQ("", host.Caption()->Caption());
    EXPECT_EQ(agCenter, host.Caption()->Alignment());

    const TKitFillObject& fill = *host.FillObject();
    EXPECT_EQ(sfGradient, fill.Style());
    EXPECT_EQ(agTopRight, fill.Alignment());
    EXPECT_EQ(tmTile, fill.TileMode());
    EXPECT_EQ((TKitFillOptions{foFillInner, foGrUseBitmap}), fill.Options());
    EXPECT_FALSE(fill.IsTransparent());
    const TKitGradient& gradient = *fill.Gradient();
    EXPECT_EQ(clLime, gradient.Color());
    EXPECT_EQ(236, gradient.ColorCount());
    EXPECT_EQ(gstHorizontal, gradient.Style());
    EXPECT_EQ(clRed, gradient.EndColor());
    EXPECT_FALSE(gradient.PaletteRealize());
    EXPECT_EQ(236, gradient.Colors().Count());
    // Every stored value was set through its setter and reported.
    EXPECT_FALSE(host.Changes.empty());
}

TEST(SettingsStream, MainWindowValuesWriteBackExactly) {
    TSettingsHost host(nullptr);
    Read(host, MainWindowValues);
    EXPECT_EQ(MainWindowValues, Write(host));
}

TEST(SettingsStream, FreshObjectsWriteOnlyWhatHasNoDefault) {
    TSettingsHost host(nullptr);
    host.SetName("Fresh");
    EXPECT_EQ(R"(object Fresh: TSettingsHost
  Bevel.Mode = bmCustom
  Bevel.StandardStyle = lsSingleLowered
  Caption.Font.Charset = DEFAULT_CHARSET
  Caption.Font.Color = clWindowText
  Caption.Font.Height = -11
  Caption.Font.Name = 'MS Sans Serif'
  Caption.Font.Style = []
  FillObject.Style = sfNone
end
)",
              Write(host));
}

TEST(SettingsStream, EverySettingSurvivesARoundTrip) {
    TSettingsHost source(nullptr);
    source.SetName("Host");
    TKitBevel& bevel = *source.Bevel();
    bevel.SetStyleOuter(bvFrameRaised);
    bevel.SetStyleInner(bvLowered);
    bevel.SetWidthInner(3);
    bevel.SetWidthOuter(0);
    bevel.SetBorderColor(clRed);
    bevel.SetBorderSides(TKitFrameSides{fsLeft, fsTop});
    bevel.SetBorderWidth(200);
    bevel.SetBorderInnerWidth(7);
    bevel.SetEdgeStyle(etSunken);
    bevel.SetLightColor(clAqua);
    bevel.SetMode(bmEdge);
    bevel.SetShadowColor(clNavy);
    bevel.SetStandardStyle(lsDoubleLowered);
    TKitCaption& caption = *source.Caption();
    caption.SetAlignment(agBottomLeft);
    caption.SetCaption("für Excel ab 2010");
    caption.SetMultiLine(true);
    caption.Font()->SetStyle(TFontStyles{fsBold});
    caption.FontFx()->SetStyle(tdPColorRaised);
    caption.FontFx()->SetDisabledStyle(ds3d);
    caption.FontFx()->SetLightDepth(3);
    caption.FontFx()->SetShadowDepth(4);
    caption.FontFx()->SetTracing(-2);
    caption.FontFx()->SetPosX(11);
    caption.FontFx()->SetPosY(12);
    TKitFillObject& fill = *source.FillObject();
    fill.SetStyle(sfBitmap);
    fill.SetTileMode(tmNone);
    fill.SetAlignment(agCenterRight);
    fill.SetOffsetX(-5);
    fill.SetOffsetY(6);
    fill.SetOptions(TKitFillOptions{foQuickDraw});
    fill.Brush()->SetColor(clYellow);
    fill.Brush()->SetStyle(bsBDiagonal);
    fill.Gradient()->SetPaletteRealize(true);
    auto picture = FilledBitmap(3, 2, RGB(1, 2, 3));
    fill.SetBitmap(picture.get());

    const std::string text = Write(source);
    TSettingsHost copy(nullptr);
    Read(copy, text);
    EXPECT_EQ(text, Write(copy));
    EXPECT_EQ(bvFrameRaised, copy.Bevel()->StyleOuter());
    EXPECT_EQ(200, copy.Bevel()->BorderWidth());
    EXPECT_EQ(lsDoubleLowered, copy.Bevel()->StandardStyle());
    EXPECT_EQ(bevel.GetBevelExtent(), copy.Bevel()->Extent());
    EXPECT_EQ("für Excel ab 2010", copy.Caption()->Caption());
    EXPECT_EQ(-2, copy.Caption()->FontFx()->Tracing());
    EXPECT_EQ(12, copy.Caption()->FontFx()->PosY());
    EXPECT_EQ(-5, copy.FillObject()->OffsetX());
    EXPECT_EQ(bsBDiagonal, copy.FillObject()->Brush()->Style());
    EXPECT_EQ(3, copy.FillObject()->Bitmap()->Width());
    EXPECT_EQ(RGB(1, 2, 3), PixelAt(*copy.FillObject()->Bitmap(), 2, 1));
    EXPECT_NE(nullptr, copy.FillObject()->Gradient()->Palette());
}

TEST(SettingsStream, StoredColorCountOutsideTheRangeIsKeptInIt) {
    TSettingsHost host(nullptr);
    Read(host, R"(object KitFill: TSettingsHost
  FillObject.Gradient.ColorCount = 1
end
)");
    EXPECT_EQ(2, host.FillObject()->Gradient()->ColorCount());
    EXPECT_EQ(2, host.FillObject()->Gradient()->Colors().Count());
}

TEST(SettingsStream, UnknownIdentifierIsAReadError) {
    TSettingsHost host(nullptr);
    EXPECT_THROW(Read(host, R"(object KitFill: TSettingsHost
  Bevel.Mode = bmRound
end
)"),
                 EReadError);
}
