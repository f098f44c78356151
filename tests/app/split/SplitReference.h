#pragma once
// The split done the plainest way, for comparison: the whole input in
// memory, the logical end and the line ends found first, then one line at a
// time, with the stop flag and the line limit asked before every line. A
// UTF-8 mark at the start is taken off and put before every part.

#include "app/split/SplitEngine.h"

#include <cstdint>
#include <string>
#include <vector>

struct TReferenceSplit {
    std::vector<std::string> Parts;
    std::int64_t Lines = 0;
    bool Stopped = false;
};

TReferenceSplit ReferenceSplit(const std::string& data, const TSplitProgress& progress,
                               std::size_t firstBlockSize = 64 * 1024, std::int64_t firstLine = 1);
