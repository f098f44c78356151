#include "platform/controls/UtilityWindow.h"

#include "platform/controls/ExceptionHook.h"
#include "platform/graphics/HandleCount.h"
#include "platform/rtl/Exceptions.h"

namespace {

constexpr const char* UtilityWindowClass = "TessaroUtilityWindow";

TWndMethod* MethodOf(HWND window) {
    return reinterpret_cast<TWndMethod*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK UtilityWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWndMethod* method = MethodOf(window);
    // Messages of the creation, before the method is attached.
    if (!method)
        return ::DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        (*method)(message);
    } catch (...) {
        HandleCurrentException();
    }
    return message.Result;
}

void RegisterUtilityClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    if (::GetClassInfoA(instance, UtilityWindowClass, &wc))
        return;
    wc = WNDCLASSA{};
    wc.lpfnWndProc = &UtilityWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = UtilityWindowClass;
    if (!::RegisterClassA(&wc))
        throw EOSError("Die Hilfsfensterklasse kann nicht registriert werden");
}

} // namespace

HWND AllocateHWnd(const TWndMethod& method) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    RegisterUtilityClass(instance);
    HWND window = ::CreateWindowExA(WS_EX_TOOLWINDOW, UtilityWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                    nullptr, nullptr, instance, nullptr);
    if (!window)
        throw EOSError("Das Hilfsfenster kann nicht erstellt werden");
    CountHandle(THandleKind::Window, +1);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TWndMethod(method)));
    return window;
}

void DeallocateHWnd(HWND window) {
    if (!window)
        return;
    TWndMethod* method = MethodOf(window);
    // Detach first: the messages of the destruction go to the default.
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete method;
    if (::DestroyWindow(window))
        CountHandle(THandleKind::Window, -1);
}
