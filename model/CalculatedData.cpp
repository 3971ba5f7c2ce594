#include "CalculatedData.h"

#include "AppTick.h"
#include "CalcDataInternal.h"
#include "TrackPointMethods.h"
#include "TrackPtNavI.h"

#include <cmath>
#include <thread>

CalculatedData::CalculatedData(const TrackPtNavI& navigator, TrackDataPtr points)
    : m_internal(std::make_shared<CalcDataInternal>())
{
    m_internal->navigator = &navigator;
    m_internal->points = std::move(points);
    RecalculateFull();
    m_internal->tick = AppTick::GetInstance().Subscribe([this] { OnTick(); });
}

CalculatedData::~CalculatedData() = default;

void CalculatedData::Recalculate(int first, int last)
{
    const int count = m_internal->points->GetPointCount();
    if (first < 0)
        first = 0;
    if (last >= count || last < 0)
        last = count - 1;
    // A record array out of step with the points (points replaced behind the
    // track's back) can only be mended by a full pass.
    if ((first == 0 && last == count - 1) || m_internal->records.size() != static_cast<size_t>(count)) {
        RecalculateFull();
        return;
    }
    if (m_pendingTicks < 2)
        ++m_pendingTicks;
    ComputeRange(first, last);
}

void CalculatedData::RecalculateFull()
{
    CalcDataInternal& data = *m_internal;
    const int count = data.points->GetPointCount();
    data.minimum = CalcTrackParams();
    data.maximum = CalcTrackParams();
    data.records.resize(static_cast<size_t>(count));
    m_pendingTicks = 0;
    // With no point left, the boxes must not keep the last points' extent.
    if (count >= ParallelPoints)
        ComputeRangeOnTwoThreads(0, count - 1);
    else if (count > 0)
        ComputeRange(0, count - 1);
    ComputeDistancesAndBounds();
}

void CalculatedData::ComputeRange(int first, int last)
{
    CalcDataInternal& data = *m_internal;
    ComputeRecords(first, last, data.minimum, data.maximum);
}

void CalculatedData::ComputeRangeOnTwoThreads(int first, int last)
{
    // Every record depends only on the points around it, so the halves are
    // independent; the later half's aggregates join the earlier's as if
    // it had gone on.
    CalcDataInternal& data = *m_internal;
    const int middle = first + (last - first + 1) / 2;
    CalcTrackParams laterMinimum = data.minimum;
    CalcTrackParams laterMaximum = data.maximum;
    std::jthread later([&] { ComputeRecords(middle, last, laterMinimum, laterMaximum); });
    ComputeRecords(first, middle - 1, data.minimum, data.maximum);
    later.join();
    if (laterMaximum.Dist > data.maximum.Dist)
        data.maximum.Dist = laterMaximum.Dist;
    if (laterMaximum.Speed > data.maximum.Speed)
        data.maximum.Speed = laterMaximum.Speed;
    if (laterMaximum.Accel > data.maximum.Accel)
        data.maximum.Accel = laterMaximum.Accel;
    if (laterMinimum.Dist < data.minimum.Dist)
        data.minimum.Dist = laterMinimum.Dist;
    if (laterMinimum.Accel < data.minimum.Accel)
        data.minimum.Accel = laterMinimum.Accel;
}

void CalculatedData::ComputeRecords(int first, int last, CalcTrackParams& minimum, CalcTrackParams& maximum)
{
    CalcDataInternal& data = *m_internal;
    const std::vector<TrackPoint>& points = data.points->GetPoints();
    const TrackPtNavI& navigator = *data.navigator;
    const int count = static_cast<int>(points.size());

    int prevValid = navigator.GetPrev(first, TrackPtNavI::ModeValid);
    int nextValid = navigator.GetNext(first, TrackPtNavI::ModeValid);
    // The leg after a point is mostly the leg before the next one, measured
    // once for both.
    TrackPointMethods::Leg lastLeg;
    int lastFrom = -1;
    int lastTo = -1;
    const auto legOf = [&](int from, int to) {
        if (from != lastFrom || to != lastTo) {
            lastLeg = TrackPointMethods::LegOf(points[static_cast<size_t>(from)], points[static_cast<size_t>(to)]);
            lastFrom = from;
            lastTo = to;
        }
        return lastLeg;
    };
    for (int i = first; i <= last; ++i) {
        const TrackPoint& cur = points[static_cast<size_t>(i)];
        int prev = i > 0 ? i - 1 : 0;
        int next = i < count - 1 ? i + 1 : count - 1;
        bool atStart = i == 0;
        bool atEnd = i == count - 1;
        // A valid point is measured against the nearest valid points, a
        // filtered one against its raw neighbours.
        const bool valid = cur.IsValid();
        if (valid) {
            if (nextValid <= i)
                nextValid = navigator.GetNext(i, TrackPtNavI::ModeValid);
            if (prevValid >= 0)
                prev = prevValid;
            else
                atStart = true;
            if (nextValid >= 0)
                next = nextValid;
            else
                atEnd = true;
            prevValid = i;
        }

        const TrackPoint& before = points[static_cast<size_t>(prev)];
        CalcTrackParams& record = data.records[static_cast<size_t>(i)];
        const bool withAccel = !atStart && !atEnd;
        const TrackPointMethods::Leg legBefore = legOf(prev, i);
        const TrackPointMethods::Measures measures = withAccel
            ? TrackPointMethods::Measure(legBefore, legOf(i, next))
            : TrackPointMethods::Measure(legBefore);
        record.Dist = measures.dist * 1000.0;
        const double rise = cur.GetElevation() - before.GetElevation();
        record.Dist3D = std::sqrt(record.Dist * record.Dist + rise * rise);
        record.Speed = atStart ? 0.0f : static_cast<float>(measures.speed);
        record.Heading = static_cast<float>(measures.heading);
        record.Accel = static_cast<float>(measures.accel);
        record.AccelAbs
            = static_cast<float>(std::sqrt(measures.accelV.x * measures.accelV.x + measures.accelV.y * measures.accelV.y));
        record.AccelTang = static_cast<float>(measures.accelTang);
        record.AccelNorm = static_cast<float>(measures.accelNorm);

        if (valid) {
            // Strict comparisons: equal values and NaN leave the aggregates.
            if (record.Dist > maximum.Dist)
                maximum.Dist = record.Dist;
            if (record.Speed > maximum.Speed)
                maximum.Speed = record.Speed;
            if (record.AccelAbs > maximum.Accel)
                maximum.Accel = record.AccelAbs;
            if (record.Dist < minimum.Dist)
                minimum.Dist = record.Dist;
            if (record.AccelAbs < minimum.Accel)
                minimum.Accel = record.AccelAbs;
        }
    }
}

void CalculatedData::ComputeDistancesAndBounds()
{
    CalcDataInternal& data = *m_internal;
    const std::vector<TrackPoint>& points = data.points->GetPoints();
    data.validBounds = PointBounds();
    data.filteredBounds = PointBounds();
    double sum = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const TrackPoint& point = points[i];
        if (point.IsValid()) {
            sum += data.records[i].Dist;
            data.records[i].DistFromStart = sum;
            data.validBounds.Add(point.Get3D());
        } else {
            // A filtered point keeps the distance it had.
            data.filteredBounds.Add(point.Get3D());
        }
    }
}

void CalculatedData::RemovePointRecord(int index)
{
    std::vector<CalcTrackParams>& records = m_internal->records;
    if (index >= 0 && static_cast<size_t>(index) < records.size())
        records.erase(records.begin() + index);
}

void CalculatedData::OnTick()
{
    if (m_pendingTicks > 0 && --m_pendingTicks == 0)
        RecalculateFull();
}

PointBounds CalculatedData::GetValidBounds() const
{
    return m_internal->validBounds;
}

PointBounds CalculatedData::GetFilteredBounds() const
{
    return m_internal->filteredBounds;
}

double CalculatedData::GetMaxSpeed() const
{
    return m_internal->maximum.Speed;
}

double CalculatedData::GetMinAccel() const
{
    return m_internal->minimum.Accel;
}

double CalculatedData::GetMaxAccel() const
{
    return m_internal->maximum.Accel;
}

double CalculatedData::GetTotalDistance() const
{
    const int last = m_internal->navigator->GetLastValid();
    if (last < 0 || static_cast<size_t>(last) >= m_internal->records.size())
        return 0.0;
    return m_internal->records[static_cast<size_t>(last)].DistFromStart;
}

CalcTrackParams CalculatedData::GetPointParams(int index) const
{
    const std::vector<CalcTrackParams>& records = m_internal->records;
    if (index < 0 || static_cast<size_t>(index) >= records.size())
        return CalcTrackParams();
    return records[static_cast<size_t>(index)];
}
