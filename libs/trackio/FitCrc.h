#pragma once

#include <cstddef>
#include <cstdint>

// The 16-bit checksum of FIT files (CRC-16/ARC: polynomial 0xA001,
// reflected). Run over a block followed by its own little-endian
// checksum, it gives 0.
class FitCrc
{
public:
    static uint16_t Compute(const unsigned char* bytes, size_t count, uint16_t crc = 0);
};
