// Fuzz entry for the bitmap-file reader: anything but a clean refusal or a
// picture that survives writing and reading again aborts, so the fuzzer
// keeps the input.

#include "BitmapFileCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string mismatch = BitmapFileMismatch(data, size);
    if (!mismatch.empty()) {
        std::fprintf(stderr, "%s\n", mismatch.c_str());
        std::abort();
    }
    return 0;
}
