// A stand-in for a system library that a test puts beside a copy of the
// program, as a planted library would lie in a downloads folder: every time
// it is loaded into a process it adds a line to "<its own path>.loaded".
// Built once per name (uxtheme.dll, winmm.dll); the sound entry lets a
// program that imports it at load time start, as a real attack's library
// would.

#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameA(instance, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const std::string marker = std::string(path, length) + ".loaded";
            const HANDLE file =
                ::CreateFileA(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                DWORD written = 0;
                ::WriteFile(file, "loaded\r\n", 8, &written, nullptr);
                ::CloseHandle(file);
            }
        }
    }
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI sndPlaySoundA(LPCSTR, UINT) {
    return FALSE;
}
