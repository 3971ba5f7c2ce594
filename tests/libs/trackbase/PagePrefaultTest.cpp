#include "PagePrefault.h"
#include "PagesAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// Pages of [begin, begin + bytes) that are mapped in.
size_t ResidentPages(const void* begin, size_t bytes)
{
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t first = reinterpret_cast<uintptr_t>(begin) / page * page;
    const uintptr_t end = (reinterpret_cast<uintptr_t>(begin) + bytes + page - 1) / page * page;
    std::vector<unsigned char> resident((end - first) / page);
    if (mincore(reinterpret_cast<void*>(first), end - first, resident.data()) != 0)
        return 0;
    return static_cast<size_t>(std::count_if(resident.begin(), resident.end(), [](unsigned char r) { return r & 1; }));
}

bool KernelPopulates()
{
    void* probe = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const bool populates = probe != MAP_FAILED && madvise(probe, 4096, MADV_POPULATE_WRITE) == 0;
    if (probe != MAP_FAILED)
        munmap(probe, 4096);
    return populates;
}

} // namespace

TEST(PagePrefaultTest, ABlockFilledWhileItsPagesAreMappedInKeepsEveryValueAndEndsUpMapped)
{
    if (!KernelPopulates())
        GTEST_SKIP() << "this kernel cannot populate pages ahead";
    constexpr size_t Count = size_t{48} << 20 >> 3;
    std::vector<uint64_t> block;
    block.reserve(Count);
    const size_t bytes = Count * sizeof(uint64_t);
    EXPECT_LT(ResidentPages(block.data(), bytes), bytes / 4096 / 2) << "fresh memory should not be mapped yet";
    {
        PagePrefault prefault(block.data(), bytes);
        // The writer starts where the prefault does, so the two meet.
        for (size_t i = 0; i < Count; ++i)
            block.push_back(i * 2654435761u);
        prefault.Stop();
    }
    for (size_t i = 0; i < Count; ++i)
        ASSERT_EQ(block[i], i * 2654435761u) << i;

    // Left alone, it maps in the whole of a block nobody writes.
    std::vector<uint64_t> ahead;
    ahead.reserve(Count);
    EXPECT_LT(ResidentPages(ahead.data(), bytes), bytes / 4096 / 2);
    PagePrefault prefault(ahead.data(), bytes);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (ResidentPages(ahead.data(), bytes) < bytes / 4096 - 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // Pages the block only partly covers are left out.
    EXPECT_GE(ResidentPages(ahead.data(), bytes), bytes / 4096 - 2);
}

TEST(PagePrefaultTest, PagesAheadOfAWriterStayWithinAStretchOfItAndWithinTheBlock)
{
    if (!KernelPopulates())
        GTEST_SKIP() << "this kernel cannot populate pages ahead";
    // Above the size that the heap ever takes from its own free memory.
    constexpr size_t Count = size_t{48} << 20 >> 3;
    const size_t bytes = Count * sizeof(uint64_t);
    std::vector<uint64_t> block;
    block.reserve(Count);
    // A quarter of the block is written, a value at a time, each mapped in
    // ahead of the writer.
    PagesAhead ahead;
    for (size_t i = 0; i < Count / 4; ++i) {
        ahead.Before(block.data(), (block.size() + 1) * sizeof(uint64_t), bytes);
        block.push_back(i * 2654435761u);
    }
    for (size_t i = 0; i < Count / 4; ++i)
        ASSERT_EQ(block[i], i * 2654435761u) << i;
    const size_t pages = bytes / 4096;
    // No more than a stretch past what is written.
    const size_t mapped = ResidentPages(block.data(), bytes);
    EXPECT_GE(mapped, pages / 4 - 1);
    EXPECT_LE(mapped, pages / 4 + (size_t{256} << 10) / 4096 + 2);
    // What was mapped in past the written end goes back; the written pages,
    // and the one the end lies in, stay as they are.
    ahead.GiveBackAfter(block.data(), block.size() * sizeof(uint64_t));
    EXPECT_LE(ResidentPages(block.data(), bytes), pages / 4 + 1);
    EXPECT_GE(ResidentPages(block.data(), bytes), pages / 4 - 1);
    for (size_t i = 0; i < Count / 4; ++i)
        ASSERT_EQ(block[i], i * 2654435761u) << i;
    // The room given back is written again as any other.
    for (size_t i = Count / 4; i < Count / 2; ++i)
        block.push_back(i);
    EXPECT_EQ(block[Count / 4], Count / 4);
    EXPECT_EQ(block.back(), Count / 2 - 1);
    block.resize(Count / 4);
    const size_t resident = ResidentPages(block.data(), bytes);
    // Another block starts anew, a stretch ahead of its writer.
    std::vector<uint64_t> next;
    next.reserve(Count);
    ahead.Before(next.data(), sizeof(uint64_t), bytes);
    const size_t stretch = (size_t{256} << 10) / 4096;
    EXPECT_GE(ResidentPages(next.data(), bytes), stretch - 1);
    EXPECT_LE(ResidentPages(next.data(), bytes), stretch + 2);
    EXPECT_LE(ResidentPages(block.data(), bytes), resident + 1) << "the first block is left alone";
}
