#pragma once

#include "ColorMixerI.h"

// One colour for every value.
class SimpleColorMixer : public ColorMixerI
{
public:
    explicit SimpleColorMixer(uint32_t colorref) : m_color(colorref) {}

    uint32_t GetColor(double) const override { return m_color; }

private:
    uint32_t m_color;
};
