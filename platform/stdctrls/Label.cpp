#include "platform/stdctrls/Label.h"

#include "platform/stdctrls/StandardProperties.h"

namespace {
const TEnumNames LayoutNames = {"tlTop", "tlCenter", "tlBottom"};
}

const TClassInfo& TLabel::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TLabel>("TLabel", [](TPropertyTable& t) {
        TPropertyBuilder<TLabel> p(t);
        StandardProperties<TLabel>::Bounds(p);
        p.Enum("Alignment", AlignmentNames(), &TLabel::Alignment, &TLabel::SetAlignment,
               std::optional<TAlignment>(taLeftJustify));
        p.Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true);
        p.String("Caption", &TControl::Caption, &TControl::SetCaption);
        p.Integer("Color", &TControl::Color, &TControl::SetColor, clBtnFace, &ColorIdents())
            .Stored = [](TObject& o) { return !static_cast<TControl&>(o).ParentColor(); };
        StandardProperties<TLabel>::Common(p);
        p.Enum("Layout", LayoutNames, &TLabel::Layout, &TLabel::SetLayout,
               std::optional<TTextLayout>(tlTop));
        p.Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true);
        p.Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true);
        p.Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false);
        p.Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false);
        p.Event("OnClick", &TControl::OnClick);
    });
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    FControlStyle.Include(csOpaque).Include(csReplicatable);
    FWidth = 65;
    FHeight = 17;
}

void TLabel::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value) {
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    AdjustBounds();
}

void TLabel::SetTransparent(bool value) {
    if (value == Transparent())
        return;
    if (value)
        FControlStyle.Exclude(csOpaque);
    else
        FControlStyle.Include(csOpaque);
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
    if (value == FLayout)
        return;
    FLayout = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    if (value == FWordWrap)
        return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    if (value == FShowAccelChar)
        return;
    FShowAccelChar = value;
    Invalidate();
}

void TLabel::SetText(const std::string& value) {
    if (value == FText)
        return;
    // The old text's area must go too, when the new one is shorter.
    Invalidate();
    TGraphicControl::SetText(value);
    AdjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

UINT TLabel::DrawTextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    switch (FAlignment) {
    case taLeftJustify:
        flags |= DT_LEFT;
        break;
    case taRightJustify:
        flags |= DT_RIGHT;
        break;
    case taCenter:
        flags |= DT_CENTER;
        break;
    }
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || Loading())
        return;
    HDC dc = ::GetDC(nullptr);
    if (!dc)
        return;
    HGDIOBJ old = ::SelectObject(dc, FFont->Handle());
    RECT r{0, 0, FWordWrap ? FWidth : 0, 0};
    const std::string text = FText.empty() ? std::string(" ") : FText;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                (DrawTextFlags() & ~static_cast<UINT>(DT_CENTER | DT_RIGHT)) | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    int left = FLeft;
    // A right-aligned label keeps its right edge.
    if (FAlignment == taRightJustify)
        left = FLeft + FWidth - r.right;
    SetBounds(left, FTop, r.right, r.bottom);
}

void TLabel::Paint() {
    TCanvas& canvas = *Canvas();
    RECT r = ClientRect();
    if (!Transparent()) {
        canvas.Brush()->SetColor(FColor);
        canvas.FillRect(r);
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetFont(FFont.get());
    UINT flags = DrawTextFlags();
    if (FLayout != tlTop) {
        RECT calc = r;
        ::DrawTextA(canvas.Handle(), FText.c_str(), static_cast<int>(FText.size()), &calc,
                    flags | DT_CALCRECT);
        const int offset = (r.bottom - r.top) - (calc.bottom - calc.top);
        r.top += FLayout == tlBottom ? offset : offset / 2;
    }
    HDC dc = canvas.Handle();
    if (!FEnabled) {
        // Disabled text: embossed, as the system draws it.
        RECT shifted = r;
        ::OffsetRect(&shifted, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &shifted, flags);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    }
    ::DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &r, flags);
}
