#include "tests/support/GdiCensus.h"

#include <windows.h>

int ProcessGdiObjects() {
    if (const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<int>(counted);
    // Wine takes a handle by its table index alone (the upper word zero);
    // the table has 16-bit indices.
    int live = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++live;
    return live;
}

bool GdiCensusSeesALeakedBrush() {
    const int before = ProcessGdiObjects();
    const HBRUSH leaked = ::CreateSolidBrush(RGB(1, 2, 3));
    const int withLeak = ProcessGdiObjects();
    ::DeleteObject(leaked);
    return withLeak == before + 1 && ProcessGdiObjects() == before;
}
