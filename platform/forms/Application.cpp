#include "platform/forms/Application.h"

#include "platform/controls/ExceptionHook.h"
#include "platform/controls/Hints.h"
#include "platform/dialogs/DialogClasses.h"
#include "platform/dialogs/MessageBoxCaption.h"
#include "platform/rtl/SystemLibrary.h"
#include "platform/rtl/SystemSeams.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/HandleCount.h"
#include "platform/rtl/Exceptions.h"
#include "platform/stdctrls/StandardControls.h"

#include <algorithm>
#include <commctrl.h>

TApplication* Application = nullptr;

namespace {
const char* const AppWindowClass = "TApplication";
}

const TClassInfo& TApplication::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TApplication>("TApplication");
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    SetExceptionHandler(
        [this](TObject* sender, const std::exception& e) { HandleException(sender, e); });
}

TApplication::~TApplication() {
    SetExceptionHandler(nullptr);
    if (FHandle) {
        ::DestroyWindow(FHandle);
        CountHandle(THandleKind::Window, -1);
        FHandle = nullptr;
    }
}

void TApplication::BeforeDestruction() {
    DestroyForms();
    TComponent::BeforeDestruction();
}

void TApplication::Initialize() {
    InitCommonControlClasses(ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES);
    if (FHandle)
        return;
    WNDCLASSA wc{};
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (!::GetClassInfoA(instance, AppWindowClass, &wc)) {
        wc = WNDCLASSA{};
        wc.lpfnWndProc = &AppWndProc;
        wc.hInstance = instance;
        wc.lpszClassName = AppWindowClass;
        wc.hIcon = ::LoadIconA(instance, "MAINICON");
        if (!::RegisterClassA(&wc))
            throw EOSError("Die Anwendungsfensterklasse kann nicht registriert werden");
    }
    FHandle = ::CreateWindowExA(WS_EX_TOOLWINDOW, AppWindowClass, FTitle.c_str(),
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, nullptr, nullptr,
                                instance, this);
    if (!FHandle)
        throw EOSError("Das Anwendungsfenster kann nicht erstellt werden");
    CountHandle(THandleKind::Window, +1);
    ::SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TApplication::SetTitle(const std::string& value) {
    FTitle = value;
    SetMessageBoxCaption(value);
    if (FHandle)
        ::SetWindowTextA(FHandle, value.c_str());
}

LRESULT CALLBACK TApplication::AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* app = reinterpret_cast<TApplication*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!app)
        return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        app->WndProc(m);
    } catch (...) {
        HandleCurrentException();
    }
    return m.Result;
}

void TApplication::WndProc(TMessage& message) {
    // Hooks see every message first; one that handles it ends the walk.
    for (const TWindowHook& hook : std::vector<TWindowHook>(FHooks)) {
        bool handled = false;
        hook(message, handled);
        if (handled)
            return;
    }
    switch (message.Msg) {
    case WM_CLOSE:
        if (FMainForm)
            FMainForm->Close();
        return;
    default:
        message.Result = ::DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
    }
}

void TApplication::HookMainWindow(const TWindowHook& hook) {
    if (std::find(FHooks.begin(), FHooks.end(), hook) == FHooks.end())
        FHooks.push_back(hook);
}

void TApplication::UnhookMainWindow(const TWindowHook& hook) {
    std::erase(FHooks, hook);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    // The dialog manager gives forms Tab, arrow-key and Alt+letter navigation.
    HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && dynamic_cast<TCustomForm*>(TWinControl::FindControl(root)) &&
        ::IsDialogMessageA(root, &msg))
        return true;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        ::WaitMessage();
    }
}

void TApplication::Run() {
    if (FMainForm)
        FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate() {
    if (!FTerminated)
        ::PostQuitMessage(0);
}

void TApplication::DestroyForms() {
    FMainForm = nullptr;
    DestroyComponents();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FMainForm)
        FMainForm = nullptr;
}

void TApplication::HandleException(TObject* sender, const std::exception& e) {
    if (OnException) {
        OnException(sender ? sender : this, e);
        return;
    }
    ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
    std::string text = e.what();
    if (!text.empty() && text.back() != '.')
        text += '.';
    MessageBox(text, MB_ICONERROR | MB_OK);
}

int TApplication::MessageBox(const std::string& text, UINT flags, HWND owner) {
    return ShowMessageBox(owner, text, FTitle, flags);
}

void InitializeFormsUnit() {
    RegisterStandardControls();
    RegisterDialogClasses();
    Screen = new TScreen(nullptr);
    Application = new TApplication(nullptr);
}

void FinalizeFormsUnit() {
    TApplication* app = Application;
    Application = nullptr;
    Free(app);
    ReleaseHints();
    TScreen* screen = Screen;
    Screen = nullptr;
    Free(screen);
}
