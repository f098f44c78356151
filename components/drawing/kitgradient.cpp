#include "components/drawing/kitgradient.h"

#include "components/drawing/kitclip.h"
#include "components/drawing/kitdrawmath.h"
#include "components/drawing/kitpalette.h"
#include "platform/graphics/Bitmap.h"

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

void MakeGradientColors(TColor startColor, TColor endColor, std::uint8_t count, TList* colors) {
    if (!colors || count == 0)
        return;
    InterpolateGradientColors(ColorToRGB(startColor), ColorToRGB(endColor), count, *colors);
}

HPALETTE CreateGradientPalette(const TList* colors) {
    if (!colors || colors->Count() == 0)
        return nullptr;
    const int count = colors->Count();
    // LOGPALETTE declares one entry; the rest follow it in the same block.
    std::vector<std::uint8_t> block(sizeof(LOGPALETTE) +
                                    sizeof(PALETTEENTRY) * static_cast<std::size_t>(count));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (int i = 0; i < count; ++i) {
        const std::uint32_t rgb = GradientColorAt(*colors, i);
        palette->palPalEntry[i] = PALETTEENTRY{static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8),
                                               static_cast<BYTE>(rgb >> 16), PC_NOCOLLAPSE};
    }
    return ::CreatePalette(palette);
}

namespace {

// The rectangle the shapes grow from, relative to the gradient's corner.
RECT BaseRect(TKitGradientStyle style, int w, int h) {
    switch (style) {
    case gstHorizontal:
    case gstVertical:
        return RECT{0, 0, w, h};
    case gstSquare:
    case gstElliptic:
        return RECT{w / 2, h / 2, w / 2, h / 2};
    case gstTopLeft:
        return RECT{0, 0, 1, 1};
    case gstTopRight:
        return RECT{w, 1, w + 1, 0};
    case gstBottomLeft:
        return RECT{1, h, 0, h + 1};
    case gstBottomRight:
        return RECT{w, h, w + 1, h + 1};
    }
    return RECT{0, 0, w, h};
}

int RoundDiv14(int value) {
    return static_cast<int>(std::lround(value / 1.4));
}

// Styles whose shapes grow from a point or corner until the last one covers
// the rectangle.
bool GrowingStyle(TKitGradientStyle style) {
    return style != gstHorizontal && style != gstVertical;
}

void PaintShape(TCanvas& target, TKitGradientStyle style, const RECT& base, int i, int n, int w,
                int h) {
    const int l = base.left, t = base.top, r = base.right, b = base.bottom;
    switch (style) {
    case gstHorizontal:
        target.FillRect(RECT{l + KitMulDiv(i, w, n), t, l + KitMulDiv(i + 1, w, n), b});
        return;
    case gstVertical:
        target.FillRect(RECT{l, t + KitMulDiv(i, h, n), r, t + KitMulDiv(i + 1, h, n)});
        return;
    case gstSquare: {
        const int dx = KitMulDiv(i + 1, w, n) / 2;
        const int dy = KitMulDiv(i + 1, h, n) / 2;
        target.Rectangle(l - dx, t - dy, l + dx + 2, t + dy + 2);
        return;
    }
    case gstElliptic: {
        const int rx = RoundDiv14(KitMulDiv(i + 1, w, n));
        const int ry = RoundDiv14(KitMulDiv(i + 1, h, n));
        target.Ellipse(l - rx, t - ry, l + rx, t + ry);
        return;
    }
    default:
        break;
    }
    const int dx = KitMulDiv(i + 1, w, n);
    const int dy = KitMulDiv(i + 1, h, n);
    switch (style) {
    case gstTopLeft:
        target.Rectangle(l, t, r + dx, b + dy);
        return;
    case gstTopRight:
        target.Rectangle(l - dx, t + dy, r, b);
        return;
    case gstBottomLeft:
        target.Rectangle(l + dx, t - dy, r, b);
        return;
    default:
        target.Rectangle(l - dx, t - dy, r, b);
        return;
    }
}

} // namespace

void FillGradient(TCanvas& canvas, const TRect& rect, TKitGradientStyle style, const TList* colors,
                  HPALETTE palette, std::uint16_t flags, std::int32_t offset) {
    if (!colors || colors->Count() == 0 || ::IsRectEmpty(&rect))
        return;
    const int n = colors->Count();
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const bool realise = KitPaletteWanted(flags);
    const bool offscreen = (flags & kgOffscreen) != 0;
    RECT base = BaseRect(style, w, h);

    std::unique_ptr<TBitmap> bitmap;
    std::optional<TKitClipScope> clip;
    std::optional<TKitClipScope> confine;
    TCanvas* target = &canvas;
    RECT area{0, 0, w, h};
    if (offscreen) {
        bitmap = std::make_unique<TBitmap>();
        bitmap->SetHeight(h);
        bitmap->SetWidth(w);
        target = bitmap->Canvas();
    } else {
        HDC dc = canvas.Handle();
        if (flags & kgClip)
            clip.emplace(dc, OffsetClipRect(rect, offset));
        // Ellipses and squares reach past the rectangle for some sizes; the
        // bitmap of the off-screen path cuts them off, here the clip does.
        confine.emplace(dc, LogicalToDeviceRect(dc, rect));
        area = rect;
        ::OffsetRect(&base, rect.left, rect.top);
    }

    if (realise)
        SelectKitPalette(target->Handle(), palette);
    target->Brush()->SetStyle(bsSolid);
    target->Pen()->SetStyle(psClear);
    const bool ascending = style == gstHorizontal;
    for (int k = 0; k < n; ++k) {
        const int i = ascending ? k : n - 1 - k;
        const std::uint32_t rgb = GradientColorAt(*colors, i) & 0xFFFFFFu;
        target->Brush()->SetColor(static_cast<TColor>(realise ? (rgb | 0x02000000u) : rgb));
        // The outermost shape is the whole rectangle: rounded radii leave
        // the corners of some sizes uncovered otherwise.
        if (i == n - 1 && GrowingStyle(style))
            target->FillRect(area);
        else
            PaintShape(*target, style, base, i, n, w, h);
    }
    if (realise)
        SelectKitPalette(canvas.Handle(), palette);
    if (bitmap)
        canvas.Draw(rect.left, rect.top, bitmap.get());
}
