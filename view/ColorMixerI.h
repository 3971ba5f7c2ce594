#pragma once

#include <cstdint>

// Turns a parameter value into a colour, as COLORREF (0x00BBGGRR).
class ColorMixerI
{
public:
    virtual ~ColorMixerI() = default;

    virtual uint32_t GetColor(double value) const = 0;
    // The scale the legend shows; 0 for a mixer without one.
    virtual double GetMin() const { return 0.0; }
    virtual double GetMax() const { return 0.0; }
    virtual double GetStep() const { return 0.0; }
};
