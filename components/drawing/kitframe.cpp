#include "components/drawing/kitframe.h"

#include <array>

bool DrawBevelFrame(TCanvas& canvas, TRect& rect, TKitBevelStyle style, TColor lightColor,
                    TColor shadowColor, int width) {
    if (width == 0 || style == bvNone || style == bvShadow)
        return false;
    TColor upperLeft = clBlack;
    TColor lowerRight = clBlack;
    if (style == bvLowered || style == bvFrameLowered) {
        upperLeft = shadowColor;
        lowerRight = lightColor;
    } else if (style == bvRaised || style == bvFrameRaised) {
        upperLeft = lightColor;
        lowerRight = shadowColor;
    }
    const int l = rect.left, t = rect.top, r = rect.right;
    if (style == bvFrameLowered || style == bvFrameRaised) {
        const int b = rect.bottom;
        for (int k = 0; k < width; ++k) {
            canvas.Brush()->SetColor(lowerRight);
            canvas.FrameRect(RECT{l + k + 1, t + k + 1, r, b});
            canvas.Brush()->SetColor(upperLeft);
            canvas.FrameRect(RECT{l, t, r - k - 1, b - k - 1});
        }
        rect = RECT{l + width + 1, t + width + 1, r - width - 1, b - width - 1};
        return true;
    }
    rect.bottom -= 1;
    const int b = rect.bottom;
    if (width == 1) {
        rect.right -= 1;
        const int rr = rect.right;
        canvas.Pen()->SetWidth(1);
        canvas.Pen()->SetStyle(psSolid);
        canvas.Pen()->SetColor(upperLeft);
        const std::array<POINT, 3> upper{{{l, b}, {l, t}, {rr, t}}};
        canvas.Polyline(upper);
        canvas.Pen()->SetColor(lowerRight);
        const std::array<POINT, 3> lower{{{rr, t}, {rr, b}, {l, b}}};
        canvas.Polyline(lower);
        ::InflateRect(&rect, -1, -1);
    } else {
        const RECT inner{l + width, t + width, r - width, b - width};
        canvas.Pen()->SetStyle(psClear);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(lowerRight);
        const std::array<POINT, 6> lower{{{l, b + 1},
                                          {inner.left, inner.bottom},
                                          {inner.right, inner.bottom},
                                          {inner.right, inner.top},
                                          {r, t},
                                          {r, b + 1}}};
        canvas.Polygon(lower);
        canvas.Brush()->SetColor(upperLeft);
        const std::array<POINT, 6> upper{{{l, b},
                                          {inner.left, inner.bottom},
                                          {inner.left, inner.top},
                                          {inner.right - 1, inner.top},
                                          {r - 1, t},
                                          {l, t}}};
        canvas.Polygon(upper);
        ::InflateRect(&rect, -width, -width);
        rect.right -= 1;
    }
    rect.right += 1;
    rect.bottom += 1;
    return true;
}

bool DrawShadowFrame(TCanvas& canvas, TRect& rect, TColor lightColor, TColor shadowColor,
                     TColor borderColor, std::uint8_t shadowWidth, std::uint8_t frameCount,
                     bool transparent) {
    const int s = shadowWidth;
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Pen()->SetStyle(psClear);
    canvas.Brush()->SetColor(shadowColor);
    canvas.FillRect(RECT{r - s, t + s, r, b});
    canvas.FillRect(RECT{l + s, b - s, r, b});
    if (!transparent) {
        canvas.Brush()->SetColor(borderColor);
        canvas.FillRect(RECT{r - s, t, r, t + s});
        canvas.FillRect(RECT{l, b - s, l + s, b});
    }
    rect = RECT{l, t, r - s, b - s};
    canvas.Brush()->SetColor(lightColor);
    for (int k = 0; k < frameCount; ++k) {
        canvas.FrameRect(rect);
        ::InflateRect(&rect, -1, -1);
    }
    canvas.Pen()->SetWidth(1);
    return true;
}

int StandardBorderWidth(TKitBorderStyle style) {
    switch (style) {
    case lsNone:
        return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered:
        return 1;
    default:
        return 2;
    }
}

bool DrawStandardBorder(TCanvas& canvas, TRect& rect, TKitBorderStyle style,
                        std::uint16_t extraFlags) {
    const UINT f = extraFlags | BF_ADJUST;
    HDC dc = canvas.Handle();
    auto edge = [&](UINT edgeKind, UINT flags) { ::DrawEdge(dc, &rect, edgeKind, flags); };
    switch (style) {
    case lsNone:
        break;
    case lsSingle:
        edge(BDR_SUNKENOUTER, f | BF_SOFT | BF_LEFT | BF_TOP);
        edge(BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
        break;
    case lsLowered:
        edge(EDGE_SUNKEN, f | BF_SOFT | BF_RECT);
        break;
    case lsRaised:
        edge(EDGE_RAISED, f | BF_SOFT | BF_RECT);
        break;
    case lsRaisedspb:
    case lsRaisedExt:
        edge(BDR_RAISEDOUTER, f | BF_SOFT | BF_RECT);
        edge(BDR_RAISEDINNER, BF_ADJUST | BF_RIGHT | BF_BOTTOM);
        if (style == lsRaisedExt) {
            rect.top += 1;
            rect.left += 1;
        }
        break;
    case lsLoweredspb:
        edge(BDR_SUNKENOUTER, f | BF_RECT);
        edge(BDR_SUNKENINNER, f | BF_LEFT | BF_TOP);
        break;
    case lsLoweredExt:
        edge(BDR_SUNKENOUTER, f | BF_RECT);
        edge(BDR_SUNKENINNER, BF_ADJUST | BF_LEFT | BF_TOP);
        rect.right -= 1;
        rect.bottom -= 1;
        break;
    case lsFrameInset:
        edge(EDGE_ETCHED, f | BF_RECT);
        break;
    case lsFrameOffset:
        edge(BDR_RAISEDINNER, f | BF_RECT);
        edge(BDR_SUNKENOUTER, f | BF_RECT);
        break;
    case lsWindowBorder:
        edge(BDR_RAISEDOUTER, f | BF_RIGHT | BF_BOTTOM);
        rect.top += 1;
        rect.left += 1;
        edge(BDR_RAISEDINNER, f | BF_RECT);
        break;
    case lsSingleRaised:
        edge(BDR_RAISEDINNER, f | BF_RECT);
        break;
    case lsSingleLowered:
        edge(BDR_SUNKENOUTER, f | BF_RECT);
        break;
    case lsDoubleRaised:
        edge(BDR_RAISEDINNER, f | BF_RECT);
        edge(BDR_RAISEDINNER, f | BF_RECT);
        break;
    case lsDoubleLowered:
        edge(BDR_SUNKENOUTER, f | BF_RECT);
        edge(BDR_SUNKENOUTER, f | BF_RECT);
        break;
    }
    return true;
}

void DrawKitDesignFrame(TCanvas& canvas, int width, int height) {
    canvas.Pen()->SetColor(clBlack);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psDash);
    canvas.Pen()->SetMode(pmCopy);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(0, 0, width, height);
}
