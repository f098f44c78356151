#pragma once
// Windows libraries bound at run time. The program runs with administrator
// rights from wherever it was unpacked: a library is taken from the system
// folder only, never from the program's folder or the current one, where
// anybody may have put one of the same name.

#include <windows.h>

// The flag every run-time load of a system library passes.
inline constexpr DWORD SystemFolderOnly = LOAD_LIBRARY_SEARCH_SYSTEM32;

// An entry's address as a function of type F.
template <class F> F AsFunction(FARPROC address) {
    // The detour through void(*)() tells the compiler the signature change is meant.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(address));
}

// An entry of a system library that stays loaded for the rest of the
// process, as a function of type F; null when the library or the entry is
// missing. The common controls, the common dialogs and the shell load
// further libraries of their own (the visual styles among them), so the
// program binds them only after start-up has restricted the search, never at
// load time. Call it once per entry and keep the result.
FARPROC ProcessLibraryAddress(const char* library, const char* entry);
template <class F> F ProcessLibraryEntry(const char* library, const char* entry) {
    return AsFunction<F>(ProcessLibraryAddress(library, entry));
}

// InitCommonControlsEx, bound as above: registers these control classes.
bool InitCommonControlClasses(DWORD classes);

// An entry of a library the process has already loaded, by its name, as a
// function of type F; null when no library of that name is loaded or it
// lacks the entry. Loads nothing.
FARPROC LoadedLibraryAddress(const char* library, const char* name);
template <class F> F LoadedLibraryEntry(const char* library, const char* name) {
    return AsFunction<F>(LoadedLibraryAddress(library, name));
}
