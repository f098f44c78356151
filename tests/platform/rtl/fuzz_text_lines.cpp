// Fuzz entry for the line splitter: any disagreement with the plain reading
// of the rules aborts, so the fuzzer keeps the input.

#include "LineSplitCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string mismatch = LineSplitMismatch(data, size);
    if (!mismatch.empty()) {
        std::fprintf(stderr, "%s\n", mismatch.c_str());
        std::abort();
    }
    return 0;
}
