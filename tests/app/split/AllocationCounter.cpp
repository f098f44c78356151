// Counts the heap allocations of the test program.

#include "AllocationCounter.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> Count{0};
std::atomic<std::size_t> Bytes{0};
std::atomic<std::size_t> Peak{0};

// Each block carries its size in front, so that delete can count it off.
constexpr std::size_t Header = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
    void* block = std::malloc(size + Header);
    if (block == nullptr) {
        return nullptr;
    }
    *static_cast<std::size_t*>(block) = size;
    ++Count;
    const std::size_t now = Bytes += size;
    std::size_t peak = Peak.load();
    while (now > peak && !Peak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + Header;
}

void Release(void* pointer) noexcept {
    if (pointer == nullptr) {
        return;
    }
    void* block = static_cast<char*>(pointer) - Header;
    Bytes -= *static_cast<std::size_t*>(block);
    std::free(block);
}

void* AllocateOrThrow(std::size_t size) {
    if (void* pointer = Allocate(size)) {
        return pointer;
    }
    throw std::bad_alloc();
}

} // namespace

TAllocationWatch::TAllocationWatch() : FStartCount(Count.load()), FStartBytes(Bytes.load()) {
    Peak = FStartBytes;
}

TAllocations TAllocationWatch::Seen() const {
    return {Count.load() - FStartCount, Peak.load() - FStartBytes};
}

void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* pointer) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept {
    Release(pointer);
}
void operator delete(void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}
void operator delete[](void* pointer, const std::nothrow_t&) noexcept {
    Release(pointer);
}
