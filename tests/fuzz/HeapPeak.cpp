#include "HeapPeak.h"

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <atomic>

namespace {

// Signed: blocks allocated before Start may be freed during the measure.
std::atomic<long long> g_held{0};
std::atomic<long long> g_peak{0};

void OnMalloc(const volatile void*, size_t size)
{
    const long long held = g_held.fetch_add(static_cast<long long>(size), std::memory_order_relaxed)
        + static_cast<long long>(size);
    long long peak = g_peak.load(std::memory_order_relaxed);
    while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
}

void OnFree(const volatile void* pointer)
{
    // Called before the block is released, so its size is still known.
    const size_t size = __sanitizer_get_allocated_size(const_cast<const void*>(pointer));
    g_held.fetch_sub(static_cast<long long>(size), std::memory_order_relaxed);
}

} // namespace

void HeapPeak::Start()
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    (void)installed;
    g_held.store(0, std::memory_order_relaxed);
    g_peak.store(0, std::memory_order_relaxed);
}

size_t HeapPeak::Rise()
{
    return static_cast<size_t>(std::max(0LL, g_peak.load(std::memory_order_relaxed)));
}
