#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Looks at eight bytes at a time for the line readers' hot loops.
namespace ByteScan {

static_assert(std::endian::native == std::endian::little, "words are read little-endian");

constexpr size_t WordBytes = sizeof(uint64_t);

inline uint64_t Load(const char* at)
{
    uint64_t word = 0;
    std::memcpy(&word, at, WordBytes);
    return word;
}

// The high bit of each byte of word that equals c, and no other bit.
inline uint64_t Matches(uint64_t word, char c)
{
    constexpr uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t x = word ^ (0x0101010101010101ULL * static_cast<unsigned char>(c));
    return ~(((x & low7) + low7) | x | low7);
}

// The index of the first byte that matches names.
inline size_t FirstIndex(uint64_t matches)
{
    return static_cast<size_t>(std::countr_zero(matches)) / 8;
}

} // namespace ByteScan
