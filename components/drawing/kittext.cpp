#include "components/drawing/kittext.h"

#include "components/drawing/kitclip.h"
#include "components/drawing/kitdrawmath.h"
#include "components/drawing/kitgraph.h"
#include "components/base/kitutils.h"
#include "platform/graphics/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace {

// DrawTextEx wants a writable buffer even when it changes nothing.
int DrawTextInto(HDC dc, const std::string& text, RECT& rect, UINT format) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return ::DrawTextExA(dc, buffer.data(), static_cast<int>(text.size()), &rect, format, nullptr);
}

// Letter spacing on a context for one scope; 0 (nothing) stays untouched.
class TTracingScope {
public:
    TTracingScope(HDC dc, int tracing) : FDC(dc), FActive(tracing != 0) {
        if (FActive)
            ::SetTextCharacterExtra(FDC, tracing);
    }
    ~TTracingScope() {
        if (FActive)
            ::SetTextCharacterExtra(FDC, 0);
    }
    TTracingScope(const TTracingScope&) = delete;
    TTracingScope& operator=(const TTracingScope&) = delete;

private:
    HDC FDC;
    bool FActive;
};

TKitFxCaption* RotatedCaption(TKit3DCaption* fontFx) {
    auto* fx = dynamic_cast<TKitFxCaption*>(fontFx);
    return fx && fx->Angle() != 0 ? fx : nullptr;
}

} // namespace

void AlignRect(TKitAlignment alignment, const TRect& inner, const TRect& outer, TRect& result) {
    const int iw = inner.right - inner.left;
    const int ih = inner.bottom - inner.top;
    const int ow = outer.right - outer.left;
    const int oh = outer.bottom - outer.top;
    const int ordinal = static_cast<int>(alignment);
    const int column = ordinal % 3;
    const int row = ordinal / 3;
    const int dx = column == 0 ? 0 : column == 1 ? (ow - iw) / 2 : ow - iw;
    const int dy = row == 0 ? 0 : row == 1 ? (oh - ih) / 2 : oh - ih;
    result = TRect{outer.left + dx, outer.top + dy, outer.left + dx + iw, outer.top + dy + ih};
}

void MeasureEffectText(const std::string& text, TKit3DCaption* fontFx, TRect& rect, TFont& font,
                       bool multiLine, bool showPrefix, int margin, UINT format) {
    TWindowDC screen;
    TCanvas canvas;
    canvas.SetFont(&font);
    canvas.SetHandle(screen.Get());
    HDC dc = canvas.Handle();

    if (TKitFxCaption* fx = RotatedCaption(fontFx)) {
        TTracingScope tracing(dc, fx->Tracing());
        const int w = canvas.TextWidth(text);
        const int h = canvas.TextHeight(text);
        const int depth = fx->EffectDepth();
        rect = TRect{0, 0, w + depth, h + depth};
        RotatedRectBounds(rect, fx->Angle());
        const int d = fx->Style() == tdNone ? 0 : std::max((depth >> 1) - 1, 0);
        const int cx = rect.left + (rect.right - rect.left) / 2;
        const int cy = rect.top + (rect.bottom - rect.top) / 2;
        const double a = fx->Angle() * std::numbers::pi / 180.0;
        const double halfW = w / 2;
        const double halfH = h / 2;
        const long long x = std::llround(cx - halfW * std::cos(a) - halfH * std::sin(a)) - d;
        const long long y = std::llround(cy + halfW * std::sin(a) - halfH * std::cos(a)) - d;
        fx->SetPosX(ClampToWord(x));
        fx->SetPosY(ClampToWord(y));
    } else {
        if (auto* unrotated = dynamic_cast<TKitFxCaption*>(fontFx))
            unrotated->SetPos(0, 0);
        format |= DT_CALCRECT | DT_EXPANDTABS;
        if (multiLine)
            format |= DT_WORDBREAK;
        const bool blank = text.empty() || (showPrefix && text == "&");
        if (!showPrefix)
            format |= DT_NOPREFIX;
        TTracingScope tracing(dc, fontFx ? fontFx->Tracing() : 0);
        DrawTextInto(dc, blank ? std::string(" ") : text, rect, format);
        if (fontFx) {
            rect.right += fontFx->EffectDepth();
            rect.bottom += fontFx->EffectDepth();
        }
    }
    rect.right += 2 * (margin + 1);
    rect.bottom += 2 * (margin + 1);
    canvas.SetHandle(nullptr);
}

void PlaceEffectText(TKitAlignment alignment, const std::string& text, TKit3DCaption* fontFx,
                     const TRect& bounds, TFont& font, bool multiLine, bool showPrefix, UINT format,
                     TRect& result) {
    TRect measured = bounds;
    measured.right -= 1;
    MeasureEffectText(text, fontFx, measured, font, multiLine, showPrefix, 0, format);
    AlignRect(alignment, measured, bounds, result);
}

void DrawEffectText(TCanvas& canvas, const std::string& text, TKit3DCaption* fontFx,
                    const TRect& rect, UINT format, std::uint16_t flags, const TRect* clipRect) {
    if (text.empty() || ::IsRectEmpty(&rect))
        return;
    if (!fontFx) {
        RECT r = rect;
        DrawTextInto(canvas.Handle(), text, r, format);
        return;
    }
    TKitFxCaption* rotated = RotatedCaption(fontFx);
    auto* offsettable = dynamic_cast<TKitFxCaption*>(fontFx);

    std::optional<TKitClipScope> clip;
    if (flags & ktClip)
        clip.emplace(canvas.Handle(), clipRect ? *clipRect : rect);

    TKitThreeDStyle style = fontFx->Style();
    TColor color = clGrayText;
    if ((flags & ktEnabled) || fontFx->DisabledStyle() == dsNone) {
        const bool brushColored = style == tdPColorSunken || style == tdPColorRaised;
        color = brushColored ? canvas.Brush()->Color() : canvas.Font()->Color();
    } else if ((fontFx->DisabledStyle() == dsAuto && (flags & ktAutoSunken)) ||
               fontFx->DisabledStyle() == ds3d) {
        style = tdSunken;
    }

    if (rotated) {
        LOGFONTA lf{};
        ::GetObjectA(canvas.Font()->Handle(), sizeof(lf), &lf);
        lf.lfEscapement = rotated->Angle() * 10;
        canvas.Font()->SetHandle(::CreateFontIndirectA(&lf));
    }
    RECT r = rect;
    if (offsettable) {
        r.left += offsettable->PosX();
        r.top += offsettable->PosY();
    }
    TTracingScope tracing(canvas.Handle(), fontFx->Tracing());
    canvas.Brush()->SetStyle(bsClear);
    r.right -= fontFx->EffectDepth(style);

    auto pass = [&](int delta, TColor passColor) {
        canvas.Font()->SetColor(passColor);
        if (delta != 0)
            ::OffsetRect(&r, delta, delta);
        HDC dc = canvas.Handle();
        if (rotated)
            ::ExtTextOutA(dc, r.left, r.top, 0, &rect, text.data(), static_cast<UINT>(text.size()),
                          nullptr);
        else
            DrawTextInto(dc, text, r, format);
    };
    const int l = fontFx->LightDepth();
    const int s = fontFx->ShadowDepth();
    const TColor light = fontFx->LightColor();
    const TColor shadow = fontFx->ShadowColor();
    switch (style) {
    case tdNone:
        pass(0, color);
        break;
    case tdSunken:
        pass(l, light);
        pass(-l, color);
        break;
    case tdRaised:
        pass(0, light);
        pass(l, color);
        break;
    case tdSunkenShadow:
    case tdPColorSunken:
        pass(0, shadow);
        pass(l + s, light);
        pass(-l, color);
        break;
    case tdRaisedShadow:
    case tdPColorRaised:
        pass(l + s, shadow);
        pass(-(l + s), light);
        pass(l, color);
        break;
    case tdShadow:
        pass(s, shadow);
        pass(-s, color);
        break;
    }
}

bool IsTrueTypeFont(TFont& font) {
    TWindowDC screen;
    TObjectSelection selection(screen.Get(), font.Handle());
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen.Get(), &metrics);
    return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}
