// Fuzz entry for one of the record-reader checks (ReaderChecks.h), chosen
// by READER_CHECK when the target is built: anything the check reports
// aborts, so the fuzzer keeps the input.

#include "tests/components/readers/ReaderChecks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string mismatch = READER_CHECK(data, size);
    if (!mismatch.empty()) {
        std::fprintf(stderr, "%s\n", mismatch.c_str());
        std::abort();
    }
    return 0;
}
