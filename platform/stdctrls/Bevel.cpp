#include "platform/stdctrls/Bevel.h"

#include "platform/stdctrls/StandardProperties.h"

namespace {
const TEnumNames ShapeNames = {"bsBox",      "bsFrame",     "bsTopLine", "bsBottomLine",
                               "bsLeftLine", "bsRightLine", "bsSpacer"};
const TEnumNames StyleNames = {"bsLowered", "bsRaised"};
} // namespace

const TClassInfo& TBevel::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBevel>("TBevel", [](TPropertyTable& t) {
        TPropertyBuilder<TBevel> p(t);
        StandardProperties<TBevel>::Bounds(p);
        p.Enum("Shape", ShapeNames, &TBevel::Shape, &TBevel::SetShape,
               std::optional<TBevelShape>(bsBox));
        p.Enum("Style", StyleNames, &TBevel::Style, &TBevel::SetStyle,
               std::optional<TBevelStyle>(bsLowered));
        p.Boolean("Visible", &TControl::Visible, &TControl::SetVisible, true);
    });
    return info;
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle.Include(csReplicatable);
    FWidth = 50;
    FHeight = 50;
}

void TBevel::SetShape(TBevelShape value) {
    if (value == FShape)
        return;
    FShape = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (value == FStyle)
        return;
    FStyle = value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas& c = *Canvas();
    // Lowered: shadow above and left, light below and right; raised: reversed.
    TColor first = clBtnShadow;
    TColor second = clBtnHighlight;
    if (FStyle == bsRaised)
        std::swap(first, second);
    const int w = FWidth;
    const int h = FHeight;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c.Pen()->SetColor(color);
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
    };
    c.Pen()->SetWidth(1);
    switch (FShape) {
    case bsBox:
        line(first, 0, h - 1, 0, 0);
        line(first, 0, 0, w - 1, 0);
        line(second, w - 1, 0, w - 1, h - 1);
        line(second, w - 1, h - 1, 0, h - 1);
        break;
    case bsFrame:
        line(first, 0, h - 2, 0, 0);
        line(first, 0, 0, w - 1, 0);
        line(first, w - 2, 1, w - 2, h - 2);
        line(first, w - 2, h - 2, 0, h - 2);
        line(second, 1, h - 2, 1, 1);
        line(second, 1, 1, w - 2, 1);
        line(second, w - 1, 0, w - 1, h - 1);
        line(second, w - 1, h - 1, -1, h - 1);
        break;
    case bsTopLine:
        line(first, 0, 0, w, 0);
        line(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w, h - 2);
        line(second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h);
        line(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h);
        line(second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}
