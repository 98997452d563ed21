#include "AllocationCount.hpp"

#include <cstdlib>
#include <new>

namespace AllocationCount
{
    std::atomic<bool> counting(false);
    std::atomic<unsigned long> allocations(0);
}

#ifdef KESTRUM_COUNTS_ALLOCATIONS
// The replaced operators below pair malloc with free themselves; the compiler
// cannot see that once it inlines them into the library's templates.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    if (AllocationCount::counting)
        ++AllocationCount::allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#endif
