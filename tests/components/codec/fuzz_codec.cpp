// Fuzz entry for the codec and the list-file readers: anything CodecMismatch
// reports aborts, so the fuzzer keeps the input.

#include "CodecFuzzCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string mismatch = CodecMismatch(data, size);
    if (!mismatch.empty()) {
        std::fprintf(stderr, "%s\n", mismatch.c_str());
        std::abort();
    }
    return 0;
}
