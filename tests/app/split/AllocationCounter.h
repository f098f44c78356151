#pragma once
// Counts the heap allocations of the test program (operator new is replaced
// for the whole executable), so a test can check what a call allocated.

#include <cstddef>

struct TAllocations {
    std::size_t Count = 0;     // allocations since the watch began
    std::size_t PeakBytes = 0; // most bytes allocated at once, above the start
};

// Watches the allocations from its construction on.
class TAllocationWatch {
public:
    TAllocationWatch();
    TAllocations Seen() const;

private:
    std::size_t FStartCount;
    std::size_t FStartBytes;
};
