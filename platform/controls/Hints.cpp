#include "platform/controls/Hints.h"

#include "platform/graphics/HandleCount.h"

#include <commctrl.h>

namespace {
HWND tooltip = nullptr;

HWND Tooltip() {
    if (!tooltip) {
        tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
        if (tooltip)
            CountHandle(THandleKind::Window, +1);
    }
    return tooltip;
}

TOOLINFOA ToolFor(HWND control, const std::string* text) {
    TOOLINFOA ti{};
    // The version-5 size: understood by every common-controls version.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = ::GetParent(control) ? ::GetParent(control) : control;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    ti.lpszText = text ? const_cast<char*>(text->c_str()) : nullptr;
    return ti;
}
} // namespace

void SetWindowHint(HWND control, const std::string& text) {
    if (!control)
        return;
    if (text.empty() && !tooltip)
        return;
    HWND tip = Tooltip();
    if (!tip)
        return;
    TOOLINFOA ti = ToolFor(control, nullptr);
    ::SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (text.empty())
        return;
    ti = ToolFor(control, &text);
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void ReleaseHints() {
    if (tooltip) {
        ::DestroyWindow(tooltip);
        tooltip = nullptr;
        CountHandle(THandleKind::Window, -1);
    }
}
