#include "platform/controls/ExceptionHook.h"

#include "platform/rtl/Exceptions.h"

#include <windows.h>

namespace {
TExceptionHandler& Handler() {
    static TExceptionHandler handler;
    return handler;
}
} // namespace

void SetExceptionHandler(TExceptionHandler handler) {
    Handler() = std::move(handler);
}

void HandleCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            if (Handler())
                Handler()(e);
            else
                ::MessageBoxA(nullptr, e.what(), nullptr, MB_ICONERROR | MB_OK);
        }
    } catch (...) {
        // Reporting failed as well; nothing more can be done here.
    }
}
