#include "components/kitclip.h"

#include "components/kitdrawmath.h"

TKitClipScope::TKitClipScope(HDC dc, const RECT& rect) : FDC(dc) {
    TGdiObject<HRGN> saved(::CreateRectRgn(0, 0, 0, 0));
    // 1: the context has a clip region, now copied; 0: it has none.
    if (saved && ::GetClipRgn(dc, saved.Get()) == 1)
        FSaved = std::move(saved);
    TGdiObject<HRGN> region(::CreateRectRgnIndirect(&rect));
    // SelectClipRgn copies the region, so ours goes at once.
    if (region)
        ::SelectClipRgn(dc, region.Get());
}

TKitClipScope::~TKitClipScope() {
    ::SelectClipRgn(FDC, FSaved.Get());
}

RECT OffsetClipRect(const RECT& rect, int offset) {
    const int x = OffsetX(offset);
    const int y = OffsetY(offset);
    return RECT{rect.left + x, rect.top + y, rect.right + x, rect.bottom + y};
}
