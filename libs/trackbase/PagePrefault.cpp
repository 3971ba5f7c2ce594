#include "PagePrefault.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Small enough that a stop is heard at once, large enough to cost little.
constexpr size_t StepBytes = size_t{2} << 20;
// Below this a thread costs more than the faults it saves.
constexpr size_t MinBytes = size_t{16} << 20;

// madvise takes whole pages; those the block only partly covers are left
// to the writer. Gives the first and the end of them.
std::pair<uintptr_t, uintptr_t> WholePages(const void* begin, size_t bytes)
{
#if defined(__linux__)
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
#else
    const uintptr_t page = 4096;
#endif
    const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
    const uintptr_t end = (reinterpret_cast<uintptr_t>(begin) + bytes) / page * page;
    return {first, std::max(first, end)};
}

} // namespace

bool PopulatePages(void* begin, size_t bytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    const auto [first, end] = WholePages(begin, bytes);
    return begin && (first == end || madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE) == 0);
#else
    (void)begin;
    (void)bytes;
    return false;
#endif
}

void ReleasePages(void* begin, size_t bytes)
{
#if defined(__linux__)
    const auto [first, end] = WholePages(begin, bytes);
    if (begin && first < end)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
#else
    (void)begin;
    (void)bytes;
#endif
}

PagePrefault::PagePrefault(void* begin, size_t bytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (!begin || bytes < MinBytes)
        return;
    const auto [first, end] = WholePages(begin, bytes);
    if (first >= end)
        return;
    // Copied by name: clang before 16 cannot capture structured bindings.
    m_thread = std::jthread([first = first, end = end](std::stop_token stop) {
        for (uintptr_t at = first; at < end && !stop.stop_requested(); at += StepBytes) {
            if (!PopulatePages(reinterpret_cast<void*>(at), std::min<uintptr_t>(StepBytes, end - at)))
                return;
        }
    });
#else
    (void)begin;
    (void)bytes;
#endif
}

void PagePrefault::Stop()
{
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
}
