#pragma once
// What both benchmark programs print: seconds and the peak working set.

#include <cstdio>

#include <windows.h>

#include <psapi.h>

inline double SecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

inline void PrintFigures(double seconds) {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("seconds=%.3f peak_working_set_mib=%.1f\n", seconds,
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
}
