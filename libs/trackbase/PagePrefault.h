#pragma once

#include <cstddef>
#include <thread>

// Maps in the whole pages of a block now, on this thread, as writing
// through them would, without touching their contents: one call costs far
// less than a fault per page. False where the kernel cannot do it.
bool PopulatePages(void* begin, size_t bytes);
// Gives the whole pages of a block back to the system, which hands out
// cleared ones when they are written again; for room nobody holds data in.
void ReleasePages(void* begin, size_t bytes);

// Maps in the pages of a freshly reserved block on a thread of its own,
// ahead of a reader filling the block from its start: the kernel's work of
// handing out and clearing each page then runs on another core instead of
// in the middle of the reading. The contents are never touched, so the two
// may meet anywhere. Does nothing where the kernel cannot do it (before
// Linux 5.14, or elsewhere).
class PagePrefault
{
public:
    PagePrefault() = default;
    PagePrefault(void* begin, size_t bytes);
    ~PagePrefault() = default;
    PagePrefault(PagePrefault&&) noexcept = default;
    PagePrefault& operator=(PagePrefault&&) noexcept = default;

    // Stops and waits for the thread; before the block is freed or moved.
    void Stop();

private:
    std::jthread m_thread;
};
