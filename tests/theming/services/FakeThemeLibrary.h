#pragma once
// Test support: the fake visual-styles library in place of "uxtheme.dll"
// for one scope, the common controls version forced through its seam, and
// a small top-level test window.

#include "platform/rtl/SystemSeams.h"

#include <string>
#include <vector>
#include <windows.h>

// Loads fakeuxtheme.dll whenever the binding asks for a library and counts
// loads and releases.
class TFakeThemeLibrary {
public:
    TFakeThemeLibrary();
    TFakeThemeLibrary(const TFakeThemeLibrary&) = delete;
    TFakeThemeLibrary& operator=(const TFakeThemeLibrary&) = delete;

    // The calls the loaded fake recorded, one per line; empty when it is
    // not loaded.
    static std::vector<std::string> Calls();
    // Clears the record and sets the fake's answers.
    static void Reset(bool appThemed = true, bool themeActive = true, DWORD appProperties = 7,
                      bool partiallyTransparent = false);
    static bool Loaded() { return ::GetModuleHandleA("fakeuxtheme.dll") != nullptr; }

    std::vector<std::string> RequestedNames;
    int Loads = 0;
    int Releases = 0;

private:
    TSeamOverride<HMODULE(const std::string&, DWORD)> FLoad;
    TSeamOverride<bool(HMODULE)> FRelease;
};

// Makes the common controls report Major.Minor for one scope.
class TForcedCommonControls {
public:
    TForcedCommonControls(DWORD major, DWORD minor);

private:
    TSeamOverride<TCommonControlsVersion()> FVersion;
};

// A hidden top-level window whose own procedure records the messages it
// sees through Observer (when set); destroyed with the object unless the
// test destroyed it before.
class TTestWindow {
public:
    using TObserver = void (*)(HWND window, UINT msg, void* context);
    explicit TTestWindow(HBRUSH background = nullptr);
    ~TTestWindow();
    TTestWindow(const TTestWindow&) = delete;
    TTestWindow& operator=(const TTestWindow&) = delete;

    HWND Handle() const { return FHandle; }
    void Destroy();
    void Observe(TObserver observer, void* context);
    static WNDPROC OwnProcedure();

private:
    HWND FHandle = nullptr;
};
