#include "bench/memory_use.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<int64_t> allocationCount{0};
long startKB = 0;

void* take(size_t size)
{
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

// A line "key  N kB" of /proc/self/status, in kB; 0 where there is none.
long statusKB(const char* key)
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0;
    char line[256];
    long value = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, key, std::strlen(key)) == 0)
            value = std::atol(line + std::strlen(key));
    std::fclose(f);
    return value;
}

}  // namespace

void MemoryUse::Start()
{
    // Writing 5 to clear_refs brings the high-water mark down to the present use.
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
    startKB = statusKB("VmRSS:");
    allocationCount = 0;
}

MemoryUse MemoryUse::Read()
{
    return MemoryUse{allocationCount.load(), (statusKB("VmHWM:") - startKB) / 1024.0};
}

void* operator new(size_t size) { return take(size); }
void* operator new[](size_t size) { return take(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
