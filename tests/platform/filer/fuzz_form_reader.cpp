// Fuzz entry for the form reader: ObjectBinaryToText over arbitrary bytes
// may only refuse them with EReadError; anything else aborts, so the fuzzer
// keeps the input.

#include "FormReaderCheck.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string mismatch = FormReaderMismatch(data, size);
    if (!mismatch.empty()) {
        std::fprintf(stderr, "%s\n", mismatch.c_str());
        std::abort();
    }
    return 0;
}
