// The platform's own limit: a plain block copy of a file in 1 MiB blocks.
//   plain_copy SOURCE TARGET

#include "BenchReport.h"

#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: plain_copy SOURCE TARGET\n");
        return 2;
    }
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    const HANDLE source =
        CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    const HANDLE target = CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (source == INVALID_HANDLE_VALUE || target == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open: error %lu\n", GetLastError());
        return 1;
    }
    std::vector<char> buffer(1024 * 1024);
    unsigned long long total = 0;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            std::fprintf(stderr, "read failed: error %lu\n", GetLastError());
            return 1;
        }
        if (got == 0) {
            break;
        }
        DWORD written = 0;
        if (!WriteFile(target, buffer.data(), got, &written, nullptr) || written != got) {
            std::fprintf(stderr, "write failed: error %lu\n", GetLastError());
            return 1;
        }
        total += got;
    }
    CloseHandle(source);
    CloseHandle(target);
    std::printf("bytes=%llu ", total);
    PrintFigures(SecondsSince(start));
    return 0;
}
