#pragma once

#include "TrackPoint.h"

#include <memory>
#include <vector>

// Read and write access to an ordered array of points.
class TrackDataI
{
public:
    virtual ~TrackDataI() = default;
    virtual int GetPointCount() const = 0;
    virtual const TrackPoint& GetTrackPoint(int index) const = 0;
    virtual TrackPoint& GetTrackPoint(int index) = 0;
};

// The points of one segment, in recorded order.
class TrackData : public TrackDataI
{
public:
    TrackData() = default;
    explicit TrackData(std::vector<TrackPoint> points) : m_points(std::move(points)) {}

    int GetPointCount() const override { return static_cast<int>(m_points.size()); }
    const TrackPoint& GetTrackPoint(int index) const override { return m_points[static_cast<size_t>(index)]; }
    TrackPoint& GetTrackPoint(int index) override { return m_points[static_cast<size_t>(index)]; }

    void Append(const TrackPoint& point) { m_points.push_back(point); }
    void Insert(int index, const TrackPoint& point) { m_points.insert(m_points.begin() + index, point); }
    void Erase(int index) { m_points.erase(m_points.begin() + index); }
    void Reserve(int count) { m_points.reserve(static_cast<size_t>(count)); }
    void Clear() { m_points.clear(); }
    // Frees the spare capacity left by growing while reading.
    void Compact() { m_points.shrink_to_fit(); }

    const std::vector<TrackPoint>& GetPoints() const { return m_points; }
    std::vector<TrackPoint>& GetPoints() { return m_points; }

private:
    std::vector<TrackPoint> m_points;
};

using TrackDataPtr = std::shared_ptr<TrackData>;
