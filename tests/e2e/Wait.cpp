#include "tests/e2e/Wait.h"

#include <windows.h>

namespace e2e {

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PauseOnce() {
    PumpMessages();
    Sleep(static_cast<DWORD>(PollInterval.count()));
}

} // namespace e2e
