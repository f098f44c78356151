#include "platform/stdctrls/GlyphButtons.h"

#include "platform/controls/MouseTracking.h"
#include "platform/stdctrls/StandardProperties.h"

#include <algorithm>

const TEnumNames& ButtonLayoutNames() {
    static const TEnumNames names = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
    return names;
}

TGlyphSettings::TGlyphSettings() : FGlyph(std::make_unique<TBitmap>()) {}

namespace {
template <class T> void GlyphProperties(TPropertyBuilder<T>& p) {
    p.Object("Glyph", &TGlyphSettings::Glyph);
    p.Enum("Layout", ButtonLayoutNames(), &TGlyphSettings::Layout, &T::SetLayout,
           std::optional<TButtonLayout>(blGlyphLeft));
    p.Integer("Margin", &TGlyphSettings::Margin, &T::SetMargin, -1);
    p.Integer("NumGlyphs", &TGlyphSettings::NumGlyphs, &T::SetNumGlyphs, 1);
    p.Integer("Spacing", &TGlyphSettings::Spacing, &T::SetSpacing, 4);
}

// Draws Text centred in Rect with the control's font.
void DrawCaption(HDC dc, TFont* font, const std::string& text, RECT rect, bool enabled) {
    const HGDIOBJ oldFont = ::SelectObject(dc, font->Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(enabled ? font->Color() : clGrayText));
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc, oldFont);
}
} // namespace

// --- TBitBtn -------------------------------------------------------------------

const TClassInfo& TBitBtn::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TBitBtn>("TBitBtn", [](TPropertyTable& t) {
        TPropertyBuilder<TBitBtn> p(t);
        GlyphProperties(p);
    });
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    FGlyph->OnChange = TNotifyEvent::Of<&TBitBtn::GlyphChanged>(this);
}

TBitBtn::~TBitBtn() {
    FGlyph->OnChange.Clear();
}

void TBitBtn::SetGlyph(TBitmap* value) {
    FGlyph->Assign(value);
}

void TBitBtn::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value != FNumGlyphs) {
        FNumGlyphs = value;
        Invalidate();
    }
}

void TBitBtn::SetLayout(TButtonLayout value) {
    if (value != FLayout) {
        FLayout = value;
        Invalidate();
    }
}

void TBitBtn::SetMargin(int value) {
    if (value != FMargin && value >= -1) {
        FMargin = value;
        Invalidate();
    }
}

void TBitBtn::SetSpacing(int value) {
    if (value != FSpacing && value >= -1) {
        FSpacing = value;
        Invalidate();
    }
}

void TBitBtn::GlyphChanged(TObject*) {
    Invalidate();
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::Dispatch(TMessage& message) {
    if (message.Msg == CN_DRAWITEM) {
        if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))
            DrawItem(*item);
        message.Result = 1;
        return;
    }
    TButton::Dispatch(message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    RECT rect = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    ::DrawFrameControl(item.hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u));
    DrawCaption(item.hDC, Font(), Caption(), rect, Enabled());
    if (item.itemState & ODS_FOCUS) {
        ::InflateRect(&rect, -4, -4);
        ::DrawFocusRect(item.hDC, &rect);
    }
}

// --- TSpeedButton --------------------------------------------------------------

const TClassInfo& TSpeedButton::StaticClassInfo() {
    static const TClassInfo info =
        MakeClassInfo<TSpeedButton>("TSpeedButton", [](TPropertyTable& t) {
            TPropertyBuilder<TSpeedButton> p(t);
            StandardProperties<TSpeedButton>::Bounds(p);
            p.String("Caption", &TControl::Caption, &TControl::SetCaption);
            p.Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false);
            p.Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false);
            p.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0);
            GlyphProperties(p);
            StandardProperties<TSpeedButton>::Common(p);
            p.Event("OnClick", &TControl::OnClick);
        });
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    // It clicks on its own release, in its own way.
    FControlStyle.Exclude(csClickEvents);
    FWidth = 23;
    FHeight = 22;
    FGlyph->OnChange = TNotifyEvent::Of<&TSpeedButton::GlyphChanged>(this);
}

TSpeedButton::~TSpeedButton() {
    FGlyph->OnChange.Clear();
}

void TSpeedButton::SetGlyph(TBitmap* value) {
    FGlyph->Assign(value);
}

void TSpeedButton::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value != FNumGlyphs) {
        FNumGlyphs = value;
        Invalidate();
    }
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    if (value != FLayout) {
        FLayout = value;
        Invalidate();
    }
}

void TSpeedButton::SetMargin(int value) {
    if (value != FMargin && value >= -1) {
        FMargin = value;
        Invalidate();
    }
}

void TSpeedButton::SetSpacing(int value) {
    if (value != FSpacing && value >= -1) {
        FSpacing = value;
        Invalidate();
    }
}

void TSpeedButton::SetFlat(bool value) {
    if (value != FFlat) {
        FFlat = value;
        Invalidate();
    }
}

void TSpeedButton::SetDown(bool value) {
    // Only a grouped button stays down.
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown)
        return;
    FDown = value;
    if (value && Parent())
        for (TControl* sibling : Parent()->ControlList()) {
            auto* other = dynamic_cast<TSpeedButton*>(sibling);
            if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
                other->FDown = false;
                other->UpdateState();
            }
        }
    UpdateState();
}

void TSpeedButton::GlyphChanged(TObject*) {
    Invalidate();
}

void TSpeedButton::UpdateState() {
    TButtonState state = bsUp;
    if (!Enabled())
        state = bsDisabled;
    else if (FPressing)
        state = bsDown;
    else if (FDown)
        state = bsExclusive;
    if (state != FState) {
        FState = state;
        Invalidate();
    }
}

void TSpeedButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseInControl = message.Msg == CM_MOUSEENTER;
        if (FFlat && Enabled())
            Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        UpdateState();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // the second press of a quick pair presses it too
        if (Enabled()) {
            FPressing = true;
            UpdateState();
        }
        break;
    case WM_LBUTTONUP:
        if (FPressing) {
            FPressing = false;
            const POINT p = MouseMessagePoint(message.LParam);
            const RECT client = ClientRect();
            if (::PtInRect(&client, p)) {
                if (FGroupIndex != 0)
                    SetDown(!FDown);
                UpdateState();
                Click();
            } else {
                UpdateState();
            }
        }
        break;
    default:
        break;
    }
    TGraphicControl::Dispatch(message);
}

void TSpeedButton::Paint() {
    const HDC dc = Canvas()->Handle();
    RECT rect = ClientRect();
    const bool sunken = FState == bsDown || FState == bsExclusive;
    if (FFlat) {
        if (sunken || (FMouseInControl && Enabled()))
            ::DrawEdge(dc, &rect, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    } else {
        ::DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (sunken ? DFCS_PUSHED : 0u));
    }
    DrawCaption(dc, Font(), Caption(), rect, Enabled());
}
