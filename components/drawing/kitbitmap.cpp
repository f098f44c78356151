#include "components/drawing/kitbitmap.h"

#include "components/drawing/kitclip.h"
#include "components/drawing/kitpalette.h"
#include "components/base/kitutils.h"
#include "platform/graphics/DeviceContext.h"

#include <cmath>
#include <functional>
#include <optional>

namespace {

// Where the image goes: one rectangle, or every tile of a grid.
struct TPlacement {
    bool Tiled = false;
    TRect Single{};
    TRect Dest{};
    int Columns = 0;
    int Rows = 0;
    int TileWidth = 0;
    int TileHeight = 0;

    void ForEach(const std::function<void(const TRect&)>& paint) const {
        if (!Tiled) {
            paint(Single);
            return;
        }
        for (int r = 0; r <= Rows; ++r)
            for (int c = 0; c <= Columns; ++c) {
                const int x = Dest.left + c * TileWidth;
                const int y = Dest.top + r * TileHeight;
                paint(TRect{x, y, x + TileWidth, y + TileHeight});
            }
    }
};

// The stretched placement; nothing when the source has no size to scale.
std::optional<TRect> StretchPlacement(const TRect& dest, int sw, int sh, std::uint16_t flags) {
    if (sw <= 0 || sh <= 0)
        return std::nullopt;
    const int dw = RectSize(dest).Width;
    const int dh = RectSize(dest).Height;
    int w = dw;
    int h = dh;
    const std::uint16_t keep = flags & kdFit;
    if (keep == kdKeepWidth) {
        h = static_cast<int>(std::lround(static_cast<double>(dw) / sw * sh));
    } else if (keep == kdKeepHeight) {
        w = static_cast<int>(std::lround(static_cast<double>(dh) / sh * sw));
    } else if (keep == kdFit) {
        const TRect fit = FitRect(TRect{0, 0, sw, sh}, TRect{0, 0, dw, dh});
        w = RectSize(fit).Width;
        h = RectSize(fit).Height;
    }
    return TRect{dest.left, dest.top, dest.left + w, dest.top + h};
}

void CopyThroughMask(TCanvas& canvas, const TPlacement& placement, TCanvas& mask,
                     const TRect& maskRect, TCanvas& image, const TRect& imageRect) {
    const TKitMaskColors colors(canvas);
    placement.ForEach([&](const TRect& target) {
        canvas.SetCopyMode(SRCAND);
        canvas.CopyRect(target, mask, maskRect);
        canvas.SetCopyMode(SRCPAINT);
        canvas.CopyRect(target, image, imageRect);
    });
}

// Gives a borrowed palette back to its owner before the bitmap that held it
// for a while is freed.
class TBorrowedPalette {
public:
    TBorrowedPalette(TBitmap& bitmap, HPALETTE palette) : FBitmap(bitmap) {
        if (palette) {
            FBitmap.SetPalette(palette);
            FBorrowed = true;
        }
    }
    ~TBorrowedPalette() {
        if (FBorrowed)
            FBitmap.ReleasePalette();
    }
    TBorrowedPalette(const TBorrowedPalette&) = delete;
    TBorrowedPalette& operator=(const TBorrowedPalette&) = delete;

private:
    TBitmap& FBitmap;
    bool FBorrowed = false;
};

} // namespace

TKitMaskColors::TKitMaskColors(TCanvas& canvas)
    : FCanvas(canvas), FDC(canvas.Handle()), FBack(::GetBkColor(FDC)), FText(::GetTextColor(FDC)),
      FCopyMode(canvas.CopyMode()) {
    ::SetBkColor(FDC, RGB(255, 255, 255));
    ::SetTextColor(FDC, RGB(0, 0, 0));
}

TKitMaskColors::~TKitMaskColors() {
    FCanvas.SetCopyMode(FCopyMode);
    ::SetTextColor(FDC, FText);
    ::SetBkColor(FDC, FBack);
}

void DrawBitmapCore(TCanvas& canvas, const TRect& dest, TCanvas* srcCanvas, const TRect& srcRect,
                    std::uint16_t flags, TColor color, HPALETTE palette, TObject* image,
                    TRect& painted) {
    painted = TRect{};
    if (::IsRectEmpty(&dest))
        return;
    const int sw = RectSize(srcRect).Width;
    const int sh = RectSize(srcRect).Height;
    const int dw = RectSize(dest).Width;
    const int dh = RectSize(dest).Height;

    TPlacement placement;
    if (flags & kdTile) {
        placement.Tiled = true;
        placement.Dest = dest;
        placement.TileWidth = sw;
        placement.TileHeight = sh;
        if (sw != 0 && sh != 0) {
            placement.Rows = dh / sh + 1;
            placement.Columns = dw / sw + 1;
        }
        painted = dest;
    } else {
        if (flags & kdStretch) {
            ::SetStretchBltMode(canvas.Handle(), COLORONCOLOR);
            const std::optional<TRect> stretched = StretchPlacement(dest, sw, sh, flags);
            if (!stretched)
                return;
            placement.Single = *stretched;
        } else if (flags & kdCenter) {
            const int x = dest.left + (dw - sw) / 2;
            const int y = dest.top + (dh - sh) / 2;
            placement.Single = TRect{x, y, x + sw, y + sh};
        } else {
            placement.Single = TRect{dest.left, dest.top, dest.left + sw, dest.top + sh};
        }
        const TRect& p = placement.Single;
        painted = (RectSize(p).Width <= 0 || RectSize(p).Height <= 0) ? dest : p;
    }

    if (flags & kdBrushCopy) {
        auto* bitmap = dynamic_cast<TBitmap*>(image);
        if (!bitmap)
            return;
        canvas.Brush()->SetColor(color);
        const TColor transparent = bitmap->TransparentColor();
        placement.ForEach(
            [&](const TRect& target) { canvas.BrushCopy(target, bitmap, srcRect, transparent); });
        return;
    }
    auto* mask = dynamic_cast<TCanvas*>(image);
    if ((flags & kdMasked) && mask && srcCanvas) {
        CopyThroughMask(canvas, placement, *mask, srcRect, *srcCanvas, srcRect);
        return;
    }
    if (!srcCanvas)
        return;
    if (flags & kdTransparent) {
        TBitmap maskBitmap;
        TBitmap imageBitmap;
        TBorrowedPalette borrowed(imageBitmap, palette);
        MakeTransparentMask(*srcCanvas, srcRect, &maskBitmap, &imageBitmap, color);
        const TRect whole{0, 0, sw, sh};
        CopyThroughMask(canvas, placement, *maskBitmap.Canvas(), whole, *imageBitmap.Canvas(),
                        whole);
        return;
    }
    placement.ForEach([&](const TRect& target) { canvas.CopyRect(target, *srcCanvas, srcRect); });
}

namespace {

// The pen of a bitmap's canvas at x = -1 marks a bitmap not to be drawn.
bool MarkedNotToDraw(TBitmap& bitmap) {
    return bitmap.Canvas()->PenPos().x == -1;
}

} // namespace

void DrawBitmapExt(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, std::uint16_t flags,
                   TColor color, TRect& painted) {
    painted = TRect{};
    if (MarkedNotToDraw(bitmap))
        return;
    const bool usePalette = KitPaletteWanted(flags);
    // Selected for this draw only: the bitmap owns the palette and Windows
    // cannot delete one that a context still holds once the bitmap is freed.
    const TPaletteSelection selection(canvas.Handle(), usePalette ? bitmap.Palette() : nullptr,
                                      false);
    const TRect source{0, 0, bitmap.Width(), bitmap.Height()};
    if (flags & kdBrushCopy) {
        DrawBitmapCore(canvas, dest, nullptr, source, flags, color, nullptr, &bitmap, painted);
    } else {
        DrawBitmapCore(canvas, dest, bitmap.Canvas(), source, flags, color,
                       usePalette ? bitmap.Palette() : nullptr, nullptr, painted);
    }
}

void DrawBitmapClipped(TCanvas& canvas, const TRect& dest, TBitmap& bitmap, std::uint16_t flags,
                       std::int32_t offset, TColor color) {
    if (MarkedNotToDraw(bitmap))
        return;
    const TPaletteSelection selection(
        canvas.Handle(), KitPaletteWanted(flags) ? bitmap.Palette() : nullptr, false);
    const TRect source{0, 0, bitmap.Width(), bitmap.Height()};
    if (flags & kdBrushCopy)
        DrawCanvasImage(canvas, dest, nullptr, source, flags, offset, color, &bitmap);
    else
        DrawCanvasImage(canvas, dest, bitmap.Canvas(), source, flags, offset, color, nullptr);
}

void DrawCanvasImage(TCanvas& canvas, const TRect& dest, TCanvas* srcCanvas, const TRect& srcRect,
                     std::uint16_t flags, std::int32_t offset, TColor color, TObject* mask) {
    TRect painted{};
    std::optional<TKitClipScope> clip;
    if (flags & kdClip)
        clip.emplace(canvas.Handle(), OffsetClipRect(dest, offset));
    DrawBitmapCore(canvas, dest, srcCanvas, srcRect, flags, color, nullptr, mask, painted);
}

void FillBitmap(TBitmap* bitmap, const TRect& rect, TColor color) {
    if (!bitmap || ::IsRectEmpty(&rect))
        return;
    const int w = RectSize(rect).Width;
    const int h = RectSize(rect).Height;
    bitmap->SetSize(w, h);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(TRect{0, 0, w, h});
}

void MakeTransparentMask(TCanvas& srcCanvas, const TRect& srcRect, TBitmap* mask, TBitmap* image,
                         TColor transparentColor) {
    if (!mask || !image)
        return;
    const int w = RectSize(srcRect).Width;
    const int h = RectSize(srcRect).Height;
    const TColor transparent = static_cast<TColor>(ColorToRGB(transparentColor));
    image->SetSize(w, h);
    ::BitBlt(image->Canvas()->Handle(), 0, 0, w, h, srcCanvas.Handle(), srcRect.left, srcRect.top,
             SRCCOPY);
    mask->SetSize(w, h);
    ::BitBlt(mask->Canvas()->Handle(), 0, 0, w, h, srcCanvas.Handle(), srcRect.left, srcRect.top,
             SRCCOPY);
    mask->Mask(transparent);
    HDC imageDC = image->Canvas()->Handle();
    ::SetBkColor(imageDC, RGB(0, 0, 0));
    ::SetTextColor(imageDC, RGB(255, 255, 255));
    ::BitBlt(imageDC, 0, 0, w, h, mask->Canvas()->Handle(), 0, 0, SRCAND);
}
