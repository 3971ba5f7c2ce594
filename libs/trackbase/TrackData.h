#pragma once

#include "PointMarkupTable.h"
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
    // Takes on the kept markup of points that carry some.
    explicit TrackData(std::vector<TrackPoint> points) : m_points(std::move(points)) { AdoptMarkup(0, m_points.size()); }

    int GetPointCount() const override { return static_cast<int>(m_points.size()); }
    const TrackPoint& GetTrackPoint(int index) const override { return m_points[static_cast<size_t>(index)]; }
    TrackPoint& GetTrackPoint(int index) override { return m_points[static_cast<size_t>(index)]; }

    void Append(const TrackPoint& point) { m_points.push_back(point); }
    void Append(const std::vector<TrackPoint>& points) { m_points.insert(m_points.end(), points.begin(), points.end()); }
    void Insert(int index, const TrackPoint& point) { InsertPoints(index, {point}); }
    void InsertPoints(int index, const std::vector<TrackPoint>& points);
    void Erase(int index) { m_points.erase(m_points.begin() + index); }
    void Reserve(int count) { m_points.reserve(static_cast<size_t>(count)); }
    void Clear() { m_points.clear(); }
    // Frees the spare capacity left by growing while reading.
    void Compact();

    const std::vector<TrackPoint>& GetPoints() const { return m_points; }
    std::vector<TrackPoint>& GetPoints() { return m_points; }

    // Markup kept for the points (by their tags); usually none.
    void AddMarkupTable(std::shared_ptr<const PointMarkupTable> table);
    std::optional<PointMarkup> FindMarkup(uint32_t tag) const;
    const std::vector<std::shared_ptr<const PointMarkupTable>>& GetMarkupTables() const { return m_markup; }

private:
    // Finds the tables of the tags of points [begin, end) that this array
    // does not hold yet.
    void AdoptMarkup(size_t begin, size_t end);

    std::vector<TrackPoint> m_points;
    std::vector<std::shared_ptr<const PointMarkupTable>> m_markup;
};

using TrackDataPtr = std::shared_ptr<TrackData>;
