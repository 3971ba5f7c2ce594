#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The colours new segments get, in turn, as COLORREF values (0x00BBGGRR).
// Neighbouring entries differ strongly so that adjacent segments stand apart.
class ColourCycle
{
public:
    static constexpr std::array<uint32_t, 31> Colours = {
        0x00AFFB, 0x00CE00, 0xFFB0FF, 0xCEB44E, 0x369CB6, 0xFFFF00, 0x1CFF1C, 0xEB6CD2,
        0xAAEEFF, 0xFF6666, 0x7C7CFF, 0xFFFF9B, 0x00CECE, 0xFFE8E8, 0xFF1CBB, 0xB2B200,
        0x7BFBFF, 0x1919FF, 0x0BA40B, 0xFF49FF, 0x0058BE, 0xFF9E9E, 0x86FF86, 0x2FAE95,
        0xA8C242, 0x73D9EF, 0xFC00FC, 0x57BD00, 0x3838D1, 0xBAFF08, 0xE2DDFF,
    };

    // The colour after the last one handed out; the first call gives the
    // first colour, and after the last colour the cycle starts again.
    uint32_t Next()
    {
        m_position = (m_position + 1) % static_cast<int>(Colours.size());
        return Colours[static_cast<size_t>(m_position)];
    }

private:
    int m_position = -1;
};
