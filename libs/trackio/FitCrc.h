#pragma once

#include <cstddef>
#include <cstdint>

// The 16-bit checksum of FIT files (polynomial 0xA001, reflected, worked a
// nibble at a time). Run over a block followed by its own little-endian
// checksum, it gives 0.
class FitCrc
{
public:
    static uint16_t Compute(const unsigned char* bytes, size_t count, uint16_t crc = 0);
};
