#pragma once

#include "PaletteParameter.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TrackI;

// The values that colour the pieces of one segment, ready for any stretch
// of its valid points: sums over the legs kept as running totals, so that a
// piece costs the same whatever number of points it stands for. Gives what
// PieceValue::Compute gives over the same points, built once per change of
// the segment and per parameter.
class PieceValueTable
{
public:
    // valid: the segment's valid point indices, in order.
    PieceValueTable(const TrackI& segment, const std::vector<int>& valid, PaletteParameter::Id parameter,
                    PaletteParameter::Aggregate aggregate);

    bool IsFor(PaletteParameter::Id parameter, PaletteParameter::Aggregate aggregate) const
    {
        return parameter == m_parameter && (aggregate == m_aggregate || !UsesAggregate(parameter));
    }

    // The value of the piece of the valid points at positions first to
    // last, both included.
    double Compute(int first, int last) const;

    size_t GetMemoryBytes() const;

    static bool UsesAggregate(PaletteParameter::Id parameter);

private:
    double Seconds(int first, int last) const;
    // The least or greatest of m_legValues over the legs first + 1 to last.
    double Extreme(int first, int last) const;

    PaletteParameter::Id m_parameter;
    PaletteParameter::Aggregate m_aggregate;
    // Seconds from the first timed point; NaN where a point has no time.
    std::vector<double> m_seconds;
    // Running totals of a quantity per leg: m_totals[i] sums the legs that
    // end at positions 1 to i.
    std::vector<double> m_totals;
    // A value per leg, at the position it ends at (the first is unused),
    // and the least and greatest of each block of them.
    std::vector<double> m_legValues;
    std::vector<double> m_blockExtremes;
    // Per point, where a piece takes its ends: elevation, or a direction.
    std::vector<double> m_endValues;
    std::vector<double> m_lons;
    std::vector<double> m_lats;
};
