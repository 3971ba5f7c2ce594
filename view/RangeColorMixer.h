#pragma once

#include "ColorMixerI.h"
#include "RgbStruct.h"

#include <vector>

// A colour scale from stops (value, colour): a table of colours one step
// apart, mixed between the neighbouring stops, looked up by value.
class RangeColorMixer : public ColorMixerI
{
public:
    struct Entry
    {
        RgbStruct color;
        double value = 0;
    };

    // step: the distance between table entries; positive.
    explicit RangeColorMixer(double step);

    void AddStop(double value, const RgbStruct& color);
    // Builds the table from the stops; with fewer than two it stays empty
    // and every value is black.
    void Build();

    uint32_t GetColor(double value) const override;
    double GetMin() const override { return m_min; }
    double GetMax() const override { return m_max; }
    double GetStep() const override { return m_step; }
    const std::vector<Entry>& GetTable() const { return m_table; }

private:
    std::vector<Entry> m_stops;
    std::vector<Entry> m_table;
    double m_min = 0.0;
    double m_max = 1.0;
    double m_range = 1.0;
    double m_step = 0.0;
};
