#pragma once
// Clipping of the kit's drawing to one rectangle of a device context. The
// context's own clip region is saved first and put back at the end, so a
// routine that clips never leaves a context (often the parent's, shared with
// sibling controls) unclipped or clipped to the wrong area.

#include "platform/graphics/GdiObject.h"

#include <windows.h>

class TKitClipScope {
public:
    // Clips DC to Rect (device coordinates), within the clip region it
    // already has, until destruction.
    TKitClipScope(HDC dc, const RECT& rect);
    ~TKitClipScope();
    TKitClipScope(const TKitClipScope&) = delete;
    TKitClipScope& operator=(const TKitClipScope&) = delete;

private:
    HDC FDC;
    TGdiObject<HRGN> FSaved; // a copy of the previous clip region; empty: none
};

// Rect in DC's logical coordinates turned into device coordinates, the ones
// clip regions use.
RECT LogicalToDeviceRect(HDC dc, const RECT& rect);

// Rect shifted by the packed Offset (low word x, high word y, signed).
RECT OffsetClipRect(const RECT& rect, int offset);
