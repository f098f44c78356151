#include "tests/e2e/WindowQuery.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace e2e {

namespace {

struct TCollector {
    std::vector<HWND> Windows;
    bool Failed = false;
};

// Called by EnumWindows and EnumChildWindows for every window found.
BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    auto& collector = *reinterpret_cast<TCollector*>(lParam);
    try {
        collector.Windows.push_back(window);
        return TRUE;
    } catch (...) {
        collector.Failed = true;
        return FALSE;
    }
}

std::vector<HWND> Collected(const TCollector& collector) {
    if (collector.Failed)
        throw std::runtime_error("out of memory while listing windows");
    return collector.Windows;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Hex(unsigned value) {
    char text[16];
    wsprintfA(text, "0x%X", value);
    return text;
}

} // namespace

std::string StripAccelerators(std::string_view caption) {
    std::string result;
    for (size_t i = 0; i < caption.size(); ++i) {
        // A marker stands before the character it marks; "&&" is a plain '&'.
        if (caption[i] == '&' && ++i == caption.size())
            break;
        result += caption[i];
    }
    return result;
}

bool CaptionMatches(std::string_view actual, std::string_view wanted, TCaptionMatch match) {
    if (match == TCaptionMatch::Exact)
        return actual == wanted;
    return StripAccelerators(actual) == StripAccelerators(wanted);
}

std::vector<HWND> TopLevelWindows() {
    TCollector collector;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collector));
    return Collected(collector);
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> windows = TopLevelWindows();
    std::erase_if(windows, [processId](HWND window) { return ProcessOf(window) != processId; });
    return windows;
}

std::vector<HWND> VisibleTopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> windows = TopLevelWindowsOf(processId);
    std::erase_if(windows, [](HWND window) { return !IsWindowVisible(window); });
    return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
    TCollector collector;
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&collector));
    return Collected(collector);
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::string ClassName(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, static_cast<size_t>(std::max(length, 0)));
}

bool ClassMatches(HWND window, std::string_view className) {
    return className.empty() || EqualIgnoringCase(ClassName(window), className);
}

std::string Caption(HWND window) {
    std::string text(static_cast<size_t>(std::max(GetWindowTextLengthA(window), 0)) + 1, '\0');
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

namespace {

template <class Ch, class Send> std::basic_string<Ch> TextOf(HWND window, TDuration timeout, Send send) {
    RequireWindow(window, "read the text of");
    const auto length = static_cast<size_t>(send(window, WM_GETTEXTLENGTH, 0, 0, timeout));
    std::basic_string<Ch> text(length + 1, Ch(0));
    const auto copied = static_cast<size_t>(
        send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timeout));
    text.resize(std::min(copied, length));
    return text;
}

} // namespace

std::string WindowText(HWND window, TDuration timeout) {
    return TextOf<char>(window, timeout, SendWithTimeout);
}

std::wstring WideWindowText(HWND window, TDuration timeout) {
    return TextOf<wchar_t>(window, timeout, SendUnicodeWithTimeout);
}

std::string DescribeChildren(HWND parent) {
    std::string list;
    for (HWND child : ChildWindows(parent))
        list += "\n  " + Describe(child);
    return list.empty() ? " (none)" : list;
}

std::string Describe(HWND window) {
    if (!IsWindow(window))
        return "(no window " + Hex(static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window))) + ")";
    return ClassName(window) + " \"" + Caption(window) + "\" id " +
           std::to_string(GetDlgCtrlID(window)) + (IsWindowVisible(window) ? "" : " hidden");
}

HWND FindChild(HWND parent, std::string_view className, std::string_view caption,
               TCaptionMatch match) {
    for (HWND child : ChildWindows(parent))
        if (ClassMatches(child, className) && CaptionMatches(Caption(child), caption, match))
            return child;
    return nullptr;
}

HWND FindChildById(HWND parent, int id) {
    for (HWND child : ChildWindows(parent))
        if (GetDlgCtrlID(child) == id)
            return child;
    return nullptr;
}

HWND Control(HWND parent, std::string_view className, std::string_view caption,
             TCaptionMatch match) {
    RequireWindow(parent, "search in");
    if (HWND child = FindChild(parent, className, caption, match))
        return child;
    throw std::runtime_error("no control of class \"" + std::string(className) +
                             "\" with caption \"" + std::string(caption) + "\" in " +
                             Describe(parent) + "; its children:" + DescribeChildren(parent));
}

HWND ControlById(HWND parent, int id) {
    RequireWindow(parent, "search in");
    if (HWND child = FindChildById(parent, id))
        return child;
    throw std::runtime_error("no control with id " + std::to_string(id) + " in " +
                             Describe(parent) + "; its children:" + DescribeChildren(parent));
}

bool IsEnabled(HWND window) {
    RequireWindow(window, "read the enabled state of");
    return IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window) {
    RequireWindow(window, "read the visibility of");
    return IsWindowVisible(window) != FALSE;
}

TCheckState CheckState(HWND button) {
    RequireWindow(button, "read the check state of");
    switch (SendWithTimeout(button, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
        return TCheckState::Checked;
    case BST_INDETERMINATE:
        return TCheckState::Indeterminate;
    default:
        return TCheckState::Unchecked;
    }
}

TBounds BoundsInParent(HWND window) {
    RequireWindow(window, "read the bounds of");
    RECT rect;
    GetWindowRect(window, &rect);
    // GA_PARENT gives the desktop for a top-level window, so its bounds stay
    // in screen coordinates.
    MapWindowPoints(nullptr, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

TBounds ClientBounds(HWND window) {
    RequireWindow(window, "read the client area of");
    RECT rect;
    GetClientRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

HWND FocusedWindow(HWND window) {
    RequireWindow(window, "find the focus of");
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus)
        return info.hwndFocus;
    return window;
}

namespace {

using TSendTimeout = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR);

LRESULT SendWith(TSendTimeout send, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                 TDuration timeout) {
    DWORD_PTR result = 0;
    if (!send(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
              static_cast<UINT>(timeout.count()), &result))
        throw std::runtime_error("message " + Hex(message) + " to " + Describe(window) +
                                 " got no answer within " + std::to_string(timeout.count()) +
                                 " ms (error " + std::to_string(GetLastError()) + ")");
    return static_cast<LRESULT>(result);
}

} // namespace

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                        TDuration timeout) {
    return SendWith(SendMessageTimeoutA, window, message, wParam, lParam, timeout);
}

LRESULT SendUnicodeWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               TDuration timeout) {
    return SendWith(SendMessageTimeoutW, window, message, wParam, lParam, timeout);
}

void RequireWindow(HWND window, const char* action) {
    if (!window || !IsWindow(window))
        throw std::runtime_error(std::string("cannot ") + action + " a window that does not exist");
}

} // namespace e2e
