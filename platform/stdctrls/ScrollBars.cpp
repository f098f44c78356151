#include "platform/stdctrls/ScrollBars.h"

#include <algorithm>

const TEnumNames& ScrollStyleNames() {
    static const TEnumNames names = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
    return names;
}

bool HasHorizontalBar(TScrollStyle style) {
    return style == ssHorizontal || style == ssBoth;
}

bool HasVerticalBar(TScrollStyle style) {
    return style == ssVertical || style == ssBoth;
}

void SetWindowScrollBar(HWND window, int bar, int min, int max, int page, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = min;
    info.nMax = std::max(min, max);
    info.nPage = static_cast<UINT>(std::max(page, 0));
    info.nPos = position;
    ::SetScrollInfo(window, bar, &info, TRUE);
}

int ScrollRequestPosition(HWND window, int bar, WORD code, int position, int min, int last,
                          int line, int page) {
    int target = position;
    switch (code) {
    case SB_LINEUP:
        target -= line;
        break;
    case SB_LINEDOWN:
        target += line;
        break;
    case SB_PAGEUP:
        target -= std::max(page, 1);
        break;
    case SB_PAGEDOWN:
        target += std::max(page, 1);
        break;
    case SB_TOP:
        target = min;
        break;
    case SB_BOTTOM:
        target = last;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position; the message carries only 16 bits.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (::GetScrollInfo(window, bar, &info))
            target = info.nTrackPos;
        break;
    }
    default:
        break;
    }
    return std::clamp(target, min, std::max(min, last));
}
