#include "FakeThemeLibrary.h"

#include <sstream>

namespace {
using TFakeCallLog = const char*(WINAPI*)();
using TFakeReset = void(WINAPI*)(BOOL, BOOL, DWORD, BOOL);

template <class Fn> Fn FakeEntry(const char* name) {
    const HMODULE fake = ::GetModuleHandleA("fakeuxtheme.dll");
    if (!fake)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(fake, name)));
}

const char* const TestWindowClass = "TessaroThemeTestWindow";
TTestWindow::TObserver CurrentObserver = nullptr;
void* CurrentContext = nullptr;

LRESULT CALLBACK TestWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (CurrentObserver)
        CurrentObserver(window, msg, CurrentContext);
    return ::DefWindowProcA(window, msg, wParam, lParam);
}
} // namespace

TFakeThemeLibrary::TFakeThemeLibrary()
    : FLoad(SystemSeams().LoadLibraryByName,
            [this](const std::string& name, DWORD) {
                RequestedNames.push_back(name);
                const HMODULE module = ::LoadLibraryA("fakeuxtheme.dll");
                if (module)
                    ++Loads;
                return module;
            }),
      FRelease(SystemSeams().ReleaseLibrary, [this](HMODULE module) {
          ++Releases;
          return ::FreeLibrary(module) != FALSE;
      }) {}

std::vector<std::string> TFakeThemeLibrary::Calls() {
    std::vector<std::string> calls;
    const auto log = FakeEntry<TFakeCallLog>("FakeCallLog");
    if (!log)
        return calls;
    std::istringstream lines(log());
    for (std::string line; std::getline(lines, line);)
        calls.push_back(line);
    return calls;
}

void TFakeThemeLibrary::Reset(bool appThemed, bool themeActive, DWORD appProperties,
                              bool partiallyTransparent) {
    if (const auto reset = FakeEntry<TFakeReset>("FakeReset"))
        reset(appThemed, themeActive, appProperties, partiallyTransparent);
}

TForcedCommonControls::TForcedCommonControls(DWORD major, DWORD minor)
    : FVersion(SystemSeams().CommonControlsVersion, [major, minor] {
          return TCommonControlsVersion{major, minor};
      }) {}

TTestWindow::TTestWindow(HBRUSH background) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    // One class per background: the class brush is what the window erases with.
    const std::string className =
        std::string(TestWindowClass) + std::to_string(reinterpret_cast<UINT_PTR>(background));
    WNDCLASSA wc{};
    if (!::GetClassInfoA(instance, className.c_str(), &wc)) {
        wc = WNDCLASSA{};
        wc.lpfnWndProc = &TestWindowProc;
        wc.hInstance = instance;
        wc.hbrBackground = background;
        wc.lpszClassName = className.c_str();
        ::RegisterClassA(&wc);
    }
    FHandle = ::CreateWindowExA(0, className.c_str(), "", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                                instance, nullptr);
}

TTestWindow::~TTestWindow() {
    Destroy();
    CurrentObserver = nullptr;
    CurrentContext = nullptr;
}

void TTestWindow::Destroy() {
    if (FHandle)
        ::DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TTestWindow::Observe(TObserver observer, void* context) {
    CurrentObserver = observer;
    CurrentContext = context;
}

WNDPROC TTestWindow::OwnProcedure() {
    return &TestWindowProc;
}
