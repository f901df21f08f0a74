#pragma once

#include <cstdint>

// What a piece of work takes from memory: the heap blocks it allocates with
// operator new (which the benchmarks replace to count them, memory_use.cpp;
// nothing else is built with it) and how far the resident memory of the
// process rises above where it stood at the start (the kernel's high-water
// mark, reset at Start).
struct MemoryUse {
    int64_t allocations = 0;
    double peakGrowthMB = 0;

    static void Start();
    static MemoryUse Read();
};
