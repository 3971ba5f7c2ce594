#pragma once

#include <cstddef>
#include <cstdint>

// Maps in the pages of a block filled from its start a little ahead of the
// writer, on the writer's own thread, a stretch at a time: one call per
// stretch costs far less than a fault per page, and a block that stops
// filling holds at most a stretch mapped in but never written.
class PagesAhead
{
public:
    // Before the block of capacityBytes at block is written up to endBytes.
    void Before(const void* block, size_t endBytes, size_t capacityBytes);
    // Once the block is written up to endBytes for good: the pages mapped in
    // past that go back to the system, and read as zeros if written again.
    void GiveBackAfter(const void* block, size_t endBytes);

private:
    uintptr_t m_block = 0;
    uintptr_t m_mappedTo = 0; // the end of what is mapped in, in m_block
};
