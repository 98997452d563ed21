// Counts the heap allocations of a bench program's measured passes: the
// program links AllocationCount.cpp, which replaces the global operator new,
// sets `counting` around what it measures and reads `allocations`. A sanitizer
// build, whose own allocator must see every allocation and release, keeps the
// standard operators and counts nothing (KESTRUM_COUNTS_ALLOCATIONS is then
// not defined).
#pragma once

#include <atomic>

#ifndef __SANITIZE_ADDRESS__
#define KESTRUM_COUNTS_ALLOCATIONS 1
#endif

namespace AllocationCount
{
    extern std::atomic<bool> counting;
    extern std::atomic<unsigned long> allocations;
}
