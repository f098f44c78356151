#include "platform/rtl/SystemLibrary.h"

#include "platform/rtl/SystemSeams.h"

#include <commctrl.h>

FARPROC ProcessLibraryAddress(const char* library, const char* entry) {
    // Never released: windows of the library's classes live until the end.
    const HMODULE module = LoadSystemLibraryForProcess(library);
    return module ? ::GetProcAddress(module, entry) : nullptr;
}

bool InitCommonControlClasses(DWORD classes) {
    using TInitCommonControlsEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const auto init =
        ProcessLibraryEntry<TInitCommonControlsEx>("comctl32.dll", "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    return init && init(&icc) != FALSE;
}

FARPROC LoadedLibraryAddress(const char* library, const char* name) {
    const HMODULE module = ::GetModuleHandleA(library);
    return module ? ::GetProcAddress(module, name) : nullptr;
}
