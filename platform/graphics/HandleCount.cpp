#include "platform/graphics/HandleCount.h"

#include <atomic>

namespace {
std::atomic<std::int64_t> counts[4];
}

std::int64_t LiveHandleCount(THandleKind kind) {
    return counts[static_cast<int>(kind)].load();
}

void CountHandle(THandleKind kind, int delta) {
    counts[static_cast<int>(kind)] += delta;
}
