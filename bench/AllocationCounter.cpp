// SPDX-License-Identifier: MIT
#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include <malloc.h>

namespace {

// What the allocator really hands out for each block, its rounding
// included, so the figure is what the memory costs.
std::atomic<std::size_t> g_bytes{0};

void* Allocate(std::size_t size)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    g_bytes += malloc_usable_size(p);
    return p;
}

void Release(void* p) noexcept
{
    if (p == nullptr)
        return;
    g_bytes -= malloc_usable_size(p);
    std::free(p);
}

} // namespace

std::size_t AllocatedBytes()
{
    return g_bytes.load();
}

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
