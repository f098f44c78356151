#include "platform/stdctrls/Panels.h"

#include "platform/stdctrls/StandardProperties.h"

namespace {
const TEnumNames BevelCutNames = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};

template <class T> void ContainerColor(TPropertyBuilder<T>& p, TColor def) {
    p.Integer("Color", &TControl::Color, &TControl::SetColor, def, &ColorIdents()).Stored =
        [](TObject& o) { return !static_cast<TControl&>(o).ParentColor(); };
}
} // namespace

void Frame3D(TCanvas& canvas, RECT& rect, TColor topColor, TColor bottomColor, int width) {
    canvas.Pen()->SetWidth(1);
    --rect.bottom;
    --rect.right;
    for (int i = 0; i < width; ++i) {
        canvas.Pen()->SetColor(topColor);
        canvas.MoveTo(rect.left, rect.bottom);
        canvas.LineTo(rect.left, rect.top);
        canvas.LineTo(rect.right, rect.top);
        canvas.Pen()->SetColor(bottomColor);
        canvas.LineTo(rect.right, rect.bottom);
        canvas.LineTo(rect.left - 1, rect.bottom);
        ::InflateRect(&rect, -1, -1);
    }
    ++rect.bottom;
    ++rect.right;
}

// --- TCustomPanel ------------------------------------------------------------

const TClassInfo& TCustomPanel::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomPanel>("TCustomPanel");
    return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TPanel>("TPanel", [](TPropertyTable& t) {
        TPropertyBuilder<TPanel> p(t);
        StandardProperties<TPanel>::Bounds(p);
        p.Enum("Alignment", AlignmentNames(), &TPanel::Alignment, &TPanel::SetAlignment,
               std::optional<TAlignment>(taCenter));
        p.Enum("BevelInner", BevelCutNames, &TPanel::BevelInner, &TPanel::SetBevelInner,
               std::optional<TBevelCut>(TBevelCut::bvNone));
        p.Enum("BevelOuter", BevelCutNames, &TPanel::BevelOuter, &TPanel::SetBevelOuter,
               std::optional<TBevelCut>(TBevelCut::bvRaised));
        p.Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, 1);
        p.Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth, 0);
        p.Enum("BorderStyle", BorderStyleNames(), &TPanel::BorderStyle, &TPanel::SetBorderStyle,
               std::optional<TBorderStyle>(bsNone));
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        ContainerColor(p, clBtnFace);
        StandardProperties<TPanel>::Common(p);
        p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false);
        StandardProperties<TPanel>::Tabbing(p, false);
        p.Event("OnClick", &TControl::OnClick);
    });
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csOpaque,          csDoubleClicks, csReplicatable};
    FWidth = 185;
    FHeight = 41;
    FColor = clBtnFace;
    FParentColor = false;
    Brush()->SetColor(FColor);
}

void TCustomPanel::SetAlignment(TAlignment value) {
    FAlignment = value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
    FBevelInner = value;
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
    FBevelOuter = value;
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value) {
    FBorderWidth = value < 0 ? 0 : value;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value) {
    FBevelWidth = value;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FBorderStyle == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::Paint() {
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        const bool raised = cut == TBevelCut::bvRaised;
        if (cut == TBevelCut::bvSpace)
            Frame3D(c, r, FColor, FColor, FBevelWidth);
        else
            Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow,
                    raised ? clBtnShadow : clBtnHighlight, FBevelWidth);
    };
    bevel(FBevelOuter);
    ::InflateRect(&r, -FBorderWidth, -FBorderWidth);
    bevel(FBevelInner);
    c.Brush()->SetColor(FColor);
    c.FillRect(r);
    if (FText.empty())
        return;
    c.Brush()->SetStyle(bsClear);
    c.SetFont(FFont.get());
    UINT flags = DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE;
    flags |= FAlignment == taLeftJustify    ? DT_LEFT
             : FAlignment == taRightJustify ? DT_RIGHT
                                            : DT_CENTER;
    ::DrawTextA(c.Handle(), FText.c_str(), static_cast<int>(FText.size()), &r, flags);
}

// --- TCustomGroupBox ---------------------------------------------------------

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TCustomGroupBox>("TCustomGroupBox");
    return info;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TGroupBox>("TGroupBox", [](TPropertyTable& t) {
        TPropertyBuilder<TGroupBox> p(t);
        StandardProperties<TGroupBox>::Bounds(p);
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        ContainerColor(p, clBtnFace);
        StandardProperties<TGroupBox>::Common(p);
        p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
        StandardProperties<TGroupBox>::Tabbing(p, false);
        p.Event("OnClick", &TControl::OnClick);
    });
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,
                                  csSetCaption,      csDoubleClicks, csReplicatable};
    FWidth = 185;
    FHeight = 105;
}

void TCustomGroupBox::Paint() {
    TCanvas& c = *Canvas();
    c.SetFont(FFont.get());
    const int h = c.TextHeight("0");
    // The etched frame: a shadow line and a light line beside it.
    RECT r{1, h / 2, FWidth, FHeight};
    c.Brush()->SetColor(clBtnHighlight);
    c.FrameRect(r);
    ::OffsetRect(&r, -1, -1);
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(r);
    if (FText.empty())
        return;
    RECT text{8, 0, 0, h};
    UINT flags = DT_SINGLELINE | DT_LEFT;
    ::DrawTextA(c.Handle(), FText.c_str(), static_cast<int>(FText.size()), &text,
                flags | DT_CALCRECT);
    c.Brush()->SetColor(FColor);
    c.Brush()->SetStyle(bsSolid);
    HDC dc = c.Handle();
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, ColorToRGB(FColor));
    ::SetTextColor(dc, ColorToRGB(FEnabled ? FFont->Color() : clGrayText));
    ::DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &text, flags);
}
