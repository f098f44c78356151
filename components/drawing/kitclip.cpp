#include "components/drawing/kitclip.h"

#include "components/drawing/kitdrawmath.h"

#include <utility>

TKitClipScope::TKitClipScope(HDC dc, const RECT& rect) : FDC(dc) {
    TGdiObject<HRGN> saved(::CreateRectRgn(0, 0, 0, 0));
    // 1: the context has a clip region, now copied; 0: it has none.
    if (saved && ::GetClipRgn(dc, saved.Get()) == 1)
        FSaved = std::move(saved);
    TGdiObject<HRGN> region(::CreateRectRgnIndirect(&rect));
    // Within a clip the caller set: the kit's rectangle narrows it, never
    // widens it. The context copies the region, so ours goes at once.
    if (region)
        ::ExtSelectClipRgn(dc, region.Get(), FSaved ? RGN_AND : RGN_COPY);
}

TKitClipScope::~TKitClipScope() {
    ::SelectClipRgn(FDC, FSaved.Get());
}

RECT LogicalToDeviceRect(HDC dc, const RECT& rect) {
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::LPtoDP(dc, corners, 2);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

RECT OffsetClipRect(const RECT& rect, int offset) {
    const int x = OffsetX(offset);
    const int y = OffsetY(offset);
    return RECT{rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
}
