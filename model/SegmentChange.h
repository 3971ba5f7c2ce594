#pragma once

#include "TrackPoint.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// What an edit changed in one segment's points, kept as the other side of
// the change only: the statuses or the points that differ, or, when points
// came or went, the stretch between the common beginning and end. Swap puts
// the kept side in place and keeps the present one, so one change serves
// for undo and redo alike.
class SegmentChange
{
public:
    // Nothing when the points are equal.
    static std::optional<SegmentChange> Between(const std::vector<TrackPoint>& before,
                                                const std::vector<TrackPoint>& now);
    // For a segment of which only the statuses were kept; the number of
    // points must not have changed.
    static std::optional<SegmentChange> Between(const std::vector<TrackPointStatus>& before,
                                                const std::vector<TrackPoint>& now);

    void Swap(std::vector<TrackPoint>& points);
    size_t GetBytes() const;

private:
    enum class Kind { Statuses, Points, Stretch };

    SegmentChange() = default;
    static SegmentChange Stretch(const std::vector<TrackPoint>& before, const std::vector<TrackPoint>& now);

    Kind m_kind = Kind::Statuses;
    std::vector<uint32_t> m_indices;
    std::vector<TrackPointStatus> m_statuses;
    std::vector<TrackPoint> m_points;
    // The stretch: where it starts and how long it is in the live points.
    size_t m_start = 0;
    size_t m_liveLength = 0;
};
