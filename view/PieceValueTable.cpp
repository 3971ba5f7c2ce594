#include "PieceValueTable.h"

#include "PieceValue.h"
#include "TrackI.h"
#include "TrackPointEx.h"
#include "TrackPointMethods.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using namespace PaletteParameter;

constexpr int ExtremeBlock = 64;
constexpr double NoTime = std::numeric_limits<double>::quiet_NaN();

} // namespace

bool PieceValueTable::UsesAggregate(Id parameter)
{
    return parameter == Speed || parameter == GpsSpeed;
}

PieceValueTable::PieceValueTable(const TrackI& segment, const std::vector<int>& valid, Id parameter,
                                 Aggregate aggregate)
    : m_parameter(parameter), m_aggregate(UsesAggregate(parameter) ? aggregate : Avg)
{
    const size_t count = valid.size();
    const bool extreme = UsesAggregate(parameter) && m_aggregate != Avg;
    const bool totals = !extreme && parameter != Heading && parameter != GpsHeading;
    m_seconds.resize(count, NoTime);
    if (totals)
        m_totals.resize(count, 0.0);
    if (extreme)
        m_legValues.resize(count, 0.0);
    if (parameter == Steepness || parameter == Heading || parameter == GpsHeading)
        m_endValues.resize(count, 0.0);
    if (parameter == Heading) {
        m_lons.resize(count);
        m_lats.resize(count);
    }
    TrackPointEx previous, point;
    Time firstTime;
    for (size_t i = 0; i < count; ++i) {
        segment.GetPointEx(valid[i], point);
        const Time& time = point.GetTime();
        if (firstTime.IsNull())
            firstTime = time;
        if (!time.IsNull())
            m_seconds[i] = (time - firstTime).GetInSeconds();
        const CalcTrackParams& calc = point.GetCalcParams();
        const TrackPointGpsParams& gps = point.GetGpsParams();
        if (parameter == Steepness)
            m_endValues[i] = point.GetElevation();
        else if (parameter == Heading)
            m_endValues[i] = calc.Heading;
        else if (parameter == GpsHeading)
            m_endValues[i] = gps.GetGpsAzimuth();
        if (parameter == Heading) {
            m_lons[i] = point.GetLon();
            m_lats[i] = point.GetLat();
        }
        if (i > 0) {
            // The leg from the previous point to this one.
            const double legSeconds = (time - previous.GetTime()).GetInSeconds();
            const TrackPointGpsParams& start = previous.GetGpsParams();
            double leg = 0;
            switch (parameter) {
            case Speed:
                leg = extreme ? calc.Speed : calc.Dist;
                break;
            case GpsSpeed:
                leg = extreme ? start.GetGpsSpeed() : start.GetGpsSpeed() * legSeconds / 3600.0;
                break;
            case Elevation:
                leg = (previous.GetElevation() + point.GetElevation()) / 2 * legSeconds;
                break;
            case Steepness:
                leg = calc.Dist3D;
                break;
            case HeartRate:
                leg = start.GetHeartRate();
                break;
            case Cadence:
                leg = start.GetCadence();
                break;
            case Temperature:
                leg = start.GetTemperature();
                break;
            default:
                break;
            }
            if (extreme)
                m_legValues[i] = leg;
            else if (totals)
                m_totals[i] = m_totals[i - 1] + leg;
        }
        previous = point;
    }
    if (extreme) {
        const bool least = m_aggregate == Min;
        for (size_t from = 0; from < count; from += ExtremeBlock) {
            const auto first = m_legValues.begin() + static_cast<std::ptrdiff_t>(from);
            const auto last = m_legValues.begin() + static_cast<std::ptrdiff_t>(std::min(count, from + ExtremeBlock));
            m_blockExtremes.push_back(least ? *std::min_element(first, last) : *std::max_element(first, last));
        }
    }
}

double PieceValueTable::Seconds(int first, int last) const
{
    const double seconds = m_seconds[static_cast<size_t>(last)] - m_seconds[static_cast<size_t>(first)];
    // A point without time makes the time between it and any other nil.
    return std::isnan(seconds) ? 0.0 : seconds;
}

double PieceValueTable::Extreme(int first, int last) const
{
    const bool least = m_aggregate == Min;
    double result = least ? PieceValue::NoMinimum : 0.0;
    const auto fold = [&](double value) { result = least ? std::min(result, value) : std::max(result, value); };
    int i = first + 1;
    for (; i <= last && i % ExtremeBlock != 0; ++i)
        fold(m_legValues[static_cast<size_t>(i)]);
    for (; i + ExtremeBlock - 1 <= last; i += ExtremeBlock)
        fold(m_blockExtremes[static_cast<size_t>(i / ExtremeBlock)]);
    for (; i <= last; ++i)
        fold(m_legValues[static_cast<size_t>(i)]);
    return result;
}

double PieceValueTable::Compute(int first, int last) const
{
    if (last <= first)
        return 0.0;
    const auto sum = [this, first, last] {
        return m_totals[static_cast<size_t>(last)] - m_totals[static_cast<size_t>(first)];
    };
    switch (m_parameter) {
    case Speed:
        if (m_aggregate != Avg)
            return Extreme(first, last);
        return sum() / 1000.0 / std::max(Seconds(first, last) / 3600.0, PieceValue::MinHours);
    case GpsSpeed:
        if (m_aggregate != Avg)
            return Extreme(first, last);
        return sum() / std::max(Seconds(first, last) / 3600.0, PieceValue::MinHours);
    case Elevation:
        return sum() / std::max(Seconds(first, last), PieceValue::MinSeconds);
    case Steepness:
        return (m_endValues[static_cast<size_t>(last)] - m_endValues[static_cast<size_t>(first)])
               / std::max(sum(), PieceValue::MinClimbMetres) * 100.0;
    case HeartRate:
    case Cadence:
    case Temperature:
        return sum() / static_cast<double>(last - first);
    case Heading:
        if (last == first + 1)
            return m_endValues[static_cast<size_t>(last)];
        return TrackPointMethods::GetHeading(
            TrackPointBase({m_lons[static_cast<size_t>(first)], m_lats[static_cast<size_t>(first)], 0.0}),
            TrackPointBase({m_lons[static_cast<size_t>(last)], m_lats[static_cast<size_t>(last)], 0.0}));
    case GpsHeading:
        return m_endValues[static_cast<size_t>(last)];
    default:
        return 0.0;
    }
}

size_t PieceValueTable::GetMemoryBytes() const
{
    return sizeof(*this)
           + sizeof(double)
                 * (m_seconds.capacity() + m_totals.capacity() + m_legValues.capacity() + m_blockExtremes.capacity()
                    + m_endValues.capacity() + m_lons.capacity() + m_lats.capacity());
}
