#include "tests/support/RealInput.h"

#include "platform/forms/Application.h"

#include <vector>

void PumpMessages() {
    Application->ProcessMessages();
}

void PumpFor(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        PumpMessages();
        ::Sleep(10);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
    PumpMessages();
}

void MoveCursorTo(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    PumpFor(500);
}

void SendMouseInput(DWORD flags, POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
    PumpFor(100);
}

void SendKeys(std::initializer_list<TKeyStroke> strokes) {
    std::vector<INPUT> in;
    for (const TKeyStroke& s : strokes) {
        INPUT key{};
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = s.Key;
        key.ki.dwFlags = s.Up ? KEYEVENTF_KEYUP : 0;
        in.push_back(key);
    }
    ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    PumpFor(100);
}

void SendKeyPress(WORD key) {
    SendKeys({{key, false}, {key, true}});
}
