#include "PagePrefault.h"

#include <algorithm>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Small enough that a stop is heard at once, large enough to cost little.
constexpr size_t StepBytes = size_t{2} << 20;
// Below this a thread costs more than the faults it saves.
constexpr size_t MinBytes = size_t{16} << 20;

} // namespace

PagePrefault::PagePrefault(void* begin, size_t bytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (!begin || bytes < MinBytes)
        return;
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    // madvise takes whole pages; those the block only partly covers are
    // left to the reader.
    const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) / page * page;
    const uintptr_t end = (reinterpret_cast<uintptr_t>(begin) + bytes) / page * page;
    if (first >= end)
        return;
    m_thread = std::jthread([first, end](std::stop_token stop) {
        for (uintptr_t at = first; at < end && !stop.stop_requested(); at += StepBytes) {
            const size_t length = std::min<uintptr_t>(StepBytes, end - at);
            if (madvise(reinterpret_cast<void*>(at), length, MADV_POPULATE_WRITE) != 0)
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
