#include "FitCrc.h"

namespace {

constexpr uint16_t kNibbleTable[16] = {
    0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
    0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400,
};

uint16_t AddNibble(uint16_t crc, unsigned nibble)
{
    const uint16_t low = kNibbleTable[crc & 0xF];
    crc = static_cast<uint16_t>((crc >> 4) & 0x0FFF);
    return static_cast<uint16_t>(crc ^ low ^ kNibbleTable[nibble & 0xF]);
}

} // namespace

uint16_t FitCrc::Compute(const unsigned char* bytes, size_t count, uint16_t crc)
{
    for (size_t i = 0; i < count; ++i) {
        crc = AddNibble(crc, bytes[i]);
        crc = AddNibble(crc, bytes[i] >> 4u);
    }
    return crc;
}
