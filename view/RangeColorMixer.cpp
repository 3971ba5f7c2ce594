#include "RangeColorMixer.h"

#include <algorithm>
#include <cmath>

namespace {

// Tables longer than this would only repeat colours: 8 bits a channel.
constexpr double MaxTableEntries = 1'000'000;

} // namespace

RangeColorMixer::RangeColorMixer(double step)
    : m_step(step)
{
}

void RangeColorMixer::AddStop(double value, const RgbStruct& color)
{
    // A value past what a double holds ("1e999" in a file) has no place on
    // the scale.
    if (std::isfinite(value))
        m_stops.push_back({color, value});
}

void RangeColorMixer::Build()
{
    m_table.clear();
    if (m_stops.size() < 2)
        return;
    std::stable_sort(m_stops.begin(), m_stops.end(),
                     [](const Entry& a, const Entry& b) { return a.value < b.value; });
    m_min = m_stops.front().value;
    m_max = m_stops.back().value;
    m_range = m_max - m_min;
    if (!std::isfinite(m_range)) {
        // Stops further apart than a double reaches: no step fits between
        // them, so the table is the two ends.
        m_table = {m_stops.front(), m_stops.back()};
        return;
    }
    // A step so fine that the table would fill the memory is coarsened.
    const double step = std::max(m_step, m_range / MaxTableEntries);
    const double n = std::trunc(m_range / step);
    m_table.reserve(static_cast<size_t>(n) + 2);
    size_t i = 0;
    for (double k = 0; k < n + 2; ++k) {
        const double v = m_min + k * step;
        if (!(v < m_max))
            break;
        while (v > m_stops[i + 1].value)
            ++i;
        const Entry& a = m_stops[i];
        const Entry& b = m_stops[i + 1];
        const double t = b.value > a.value ? (v - a.value) / (b.value - a.value) : 0.0;
        m_table.push_back({a.color.Mix(b.color, t), v});
    }
    m_table.push_back(m_stops.back());
}

uint32_t RangeColorMixer::GetColor(double value) const
{
    if (m_table.empty())
        return 0;
    const double count = static_cast<double>(m_table.size());
    // A scale of one value (all stops equal) has no width to divide by.
    const double position = m_range > 0 ? std::trunc((value - m_min) * count / m_range) : 0.0;
    const double index = std::clamp(std::isnan(position) ? 0.0 : position, 0.0, count - 1);
    return m_table[static_cast<size_t>(index)].color.GetColorref();
}
