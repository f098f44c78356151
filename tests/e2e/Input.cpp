#include "tests/e2e/Input.h"

#include "tests/e2e/WindowQuery.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>
#include <vector>

namespace e2e {

namespace {

// Tickets of the sends whose window procedure has returned. The replies come
// back on the sending thread, hence one set per thread.
thread_local std::unordered_set<ULONG_PTR> AnsweredSends;
thread_local ULONG_PTR LastTicket = 0;

// Called on this thread, from its message pumping, when a window procedure
// has returned from a message sent with SendMessageCallbackA.
VOID CALLBACK OnSendAnswered(HWND, UINT, ULONG_PTR ticket, LRESULT) {
    try {
        AnsweredSends.insert(ticket);
    } catch (...) {
        // Without the ticket the wait ends by its other conditions.
    }
}

bool IsExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_RCONTROL:
    case VK_RMENU:
        return true;
    default:
        return false;
    }
}

struct TPosted {
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

// Posts the messages of one user action (a key press, a click, a typed text)
// in order. The program may handle an early one before the next is posted;
// when that one closes the window (Alt+F4, a button's accelerator), the rest
// has nowhere to go and the action has done what it was for.
void PostAction(HWND target, const std::vector<TPosted>& messages) {
    bool first = true;
    for (const TPosted& posted : messages) {
        if (!PostMessageA(target, posted.Message, posted.WParam, posted.LParam)) {
            const DWORD error = GetLastError();
            if (!first && !IsWindow(target))
                return;
            throw std::runtime_error("cannot post to " + Describe(target) + " (error " +
                                     std::to_string(error) + ")");
        }
        first = false;
    }
}

} // namespace

TSendResult SendAndSettle(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          TDuration settle) {
    RequireWindow(window, "send to");
    const DWORD processId = ProcessOf(window);
    const std::vector<HWND> before = VisibleTopLevelWindowsOf(processId);
    const ULONG_PTR ticket = ++LastTicket;
    if (!SendMessageCallbackA(window, message, wParam, lParam, OnSendAnswered, ticket))
        throw std::runtime_error("cannot send to " + Describe(window) + " (error " +
                                 std::to_string(GetLastError()) + ")");

    TSendResult result = TSendResult::StillBusy;
    WaitUntil(
        [&] {
            if (AnsweredSends.erase(ticket) || !IsWindow(window)) {
                result = TSendResult::Handled;
                return true;
            }
            for (HWND shown : VisibleTopLevelWindowsOf(processId))
                if (std::find(before.begin(), before.end(), shown) == before.end()) {
                    result = TSendResult::WindowOpened;
                    return true;
                }
            return false;
        },
        settle);
    return result;
}

TSendResult Click(HWND button, TDuration settle) {
    RequireWindow(button, "click");
    if (!IsWindowVisible(button) || !IsWindowEnabled(button))
        throw std::runtime_error("cannot click " + Describe(button) + ": it is " +
                                 (IsWindowVisible(button) ? "disabled" : "hidden"));
    return SendAndSettle(button, BM_CLICK, 0, 0, settle);
}

void ClickAt(HWND window, int x, int y) {
    RequireWindow(window, "click");
    const LPARAM point = MAKELPARAM(x, y);
    PostAction(window, {{WM_MOUSEMOVE, 0, point},
                        {WM_LBUTTONDOWN, MK_LBUTTON, point},
                        {WM_LBUTTONUP, 0, point}});
}

HCURSOR CursorShownAt(HWND window, int x, int y, TDuration settle) {
    RequireWindow(window, "point at");
    POINT point{x, y};
    ClientToScreen(window, &point);
    // A real move ends there: the pointer steps onto the point from beside it.
    SetCursorPos(point.x - 1, point.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = 1;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &move, sizeof move);
    Sleep(static_cast<DWORD>(settle.count()));
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info))
        throw std::runtime_error("cannot read the cursor");
    return info.hCursor;
}

void ClickCentre(HWND window) {
    const TBounds client = ClientBounds(window);
    ClickAt(window, client.Width / 2, client.Height / 2);
}

LPARAM KeyMessageParam(WORD virtualKey, bool keyUp, bool altDown) {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    DWORD bits = 1 | ((scanCode & 0xFF) << 16);
    if (IsExtendedKey(virtualKey))
        bits |= 1u << 24;
    if (altDown)
        bits |= 1u << 29;
    if (keyUp)
        bits |= (1u << 30) | (1u << 31);
    return static_cast<LPARAM>(bits);
}

void PressKey(HWND target, WORD virtualKey) {
    RequireWindow(target, "send keys to");
    PostAction(target, {{WM_KEYDOWN, virtualKey, KeyMessageParam(virtualKey, false, false)},
                        {WM_KEYUP, virtualKey, KeyMessageParam(virtualKey, true, false)}});
}

void PressAltKey(HWND target, WORD virtualKey) {
    RequireWindow(target, "send keys to");
    PostAction(target, {{WM_SYSKEYDOWN, virtualKey, KeyMessageParam(virtualKey, false, true)},
                        {WM_SYSKEYUP, virtualKey, KeyMessageParam(virtualKey, true, true)}});
}

void TypeText(HWND target, std::string_view text) {
    RequireWindow(target, "type into");
    std::vector<TPosted> typed;
    for (char c : text)
        typed.push_back({WM_CHAR, static_cast<unsigned char>(c), 1});
    PostAction(target, typed);
}

} // namespace e2e
