#include "platform/controls/ExceptionHook.h"

#include "platform/rtl/Exceptions.h"

#include <windows.h>

namespace {

TExceptionHandler& Handler() {
    static TExceptionHandler handler;
    return handler;
}

void Report(TObject* sender, const std::exception& e) {
    if (Handler())
        Handler()(sender, e);
    else
        ::MessageBoxA(nullptr, e.what(), nullptr, MB_ICONERROR | MB_OK);
}

} // namespace

void SetExceptionHandler(TExceptionHandler handler) {
    Handler() = std::move(handler);
}

void HandleCurrentException(TObject* sender) noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            Report(sender, e);
        } catch (...) {
            // Not ours and not the library's: still reported, with a text of
            // our own, since nothing else can be said about it.
            Report(sender, Exception(ForeignExceptionText));
        }
    } catch (...) {
        // Reporting failed as well; nothing more can be done here.
    }
}
