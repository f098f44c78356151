// The split's copy engine on real files, without a window: the time of one
// split and the peak working set.
//   split_bench SOURCE OUTPUT_FOLDER\ EXTENSION LIMIT

#include "BenchReport.h"

#include "app/split/SplitEngine.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SystemText.h"

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: split_bench SOURCE OUTPUT_FOLDER\\ EXTENSION LIMIT\n");
        return 2;
    }
    const auto limit = static_cast<std::int32_t>(std::atoi(argv[4]));
    long long pumps = 0;
    TSplitProgress progress;
    progress.NowMs = [] { return static_cast<std::int64_t>(GetTickCount64()); };
    progress.Pump = [&pumps](std::int64_t) { ++pumps; };
    progress.LineLimit = [limit] { return limit; };
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    try {
        const TSplitResult result =
            SplitLines(AnsiToWide(argv[1]), AnsiToWide(argv[2]), AnsiToWide(argv[3]), progress);
        std::printf("lines=%lld parts=%lld pumps=%lld ", static_cast<long long>(result.Lines),
                    static_cast<long long>(result.Parts), pumps);
    } catch (const Exception& error) {
        std::fprintf(stderr, "split failed: %s\n", error.Message().c_str());
        return 1;
    }
    PrintFigures(SecondsSince(start));
    return 0;
}
