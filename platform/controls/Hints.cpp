#include "platform/controls/Hints.h"

#include "platform/graphics/HandleCount.h"

#include <commctrl.h>

#include <unordered_map>
#include <unordered_set>

namespace {
HWND tooltip = nullptr;

// The area tools of each window, to relay its mouse messages and to remove
// them with the window.
std::unordered_map<HWND, std::unordered_set<UINT_PTR>>& AreaTools() {
    static auto* const tools = new std::unordered_map<HWND, std::unordered_set<UINT_PTR>>;
    return *tools;
}

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

TOOLINFOA AreaTool(HWND window, UINT_PTR id) {
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = window;
    ti.uId = id;
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

void SetAreaHint(HWND window, UINT_PTR id, const RECT& area, const std::string& text) {
    auto& tools = AreaTools();
    const auto known = tools.find(window);
    const bool listed = known != tools.end() && known->second.contains(id);
    if (!window || (text.empty() && !listed))
        return;
    HWND tip = Tooltip();
    if (!tip)
        return;
    TOOLINFOA ti = AreaTool(window, id);
    ::SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    if (text.empty()) {
        known->second.erase(id);
        if (known->second.empty())
            tools.erase(known);
        return;
    }
    ti.rect = area;
    ti.lpszText = const_cast<char*>(text.c_str());
    if (::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)))
        tools[window].insert(id);
}

void ForgetAreaHints(HWND window) {
    auto& tools = AreaTools();
    const auto known = tools.find(window);
    if (known == tools.end())
        return;
    for (const UINT_PTR id : known->second) {
        TOOLINFOA ti = AreaTool(window, id);
        ::SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    tools.erase(known);
}

void RelayHintMouse(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!tooltip || !AreaTools().contains(window))
        return;
    MSG m{};
    m.hwnd = window;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    ::SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void ReleaseHints() {
    AreaTools().clear();
    if (tooltip) {
        ::DestroyWindow(tooltip);
        tooltip = nullptr;
        CountHandle(THandleKind::Window, -1);
    }
}
