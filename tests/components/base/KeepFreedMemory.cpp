#include "KeepFreedMemory.h"

#include <cstdlib>
#include <new>

bool KeepFreedMemory = false;

void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (!KeepFreedMemory)
        std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    if (!KeepFreedMemory)
        std::free(p);
}
