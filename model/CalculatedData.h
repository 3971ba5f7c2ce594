#pragma once

#include "CalcDataGeneralI.h"
#include "TrackData.h"

#include <memory>

class TrackPtNavI;
struct CalcDataInternal;

// The derived parameters of every point of one track. An edit recomputes
// only the points between the valid neighbours of what changed; the
// distances from start and the bounds wait for one full pass on a later
// application tick, so that a burst of edits costs one full pass, not one
// per edit.
class CalculatedData : public CalcDataGeneralI
{
public:
    // From this many points on, a full recalculation uses two threads.
    static constexpr int ParallelPoints = 1 << 16;

    // Calculates everything at once. navigator must outlive this object.
    CalculatedData(const TrackPtNavI& navigator, TrackDataPtr points);
    ~CalculatedData() override;
    // The tick subscription calls back into this object.
    CalculatedData(const CalculatedData&) = delete;
    CalculatedData& operator=(const CalculatedData&) = delete;

    // Recomputes the records of points first..last; out-of-range ends stand
    // for the first and the last point. The whole range is a full
    // recalculation; anything less leaves distances from start and bounds to
    // the next tick but one.
    void Recalculate(int first, int last);
    // Drops the record of a point that was deleted.
    void RemovePointRecord(int index);
    // One application tick.
    void OnTick();

    PointBounds GetValidBounds() const override;
    PointBounds GetFilteredBounds() const override;
    double GetMaxSpeed() const override;
    double GetMinAccel() const override;
    double GetMaxAccel() const override;
    double GetTotalDistance() const override;
    CalcTrackParams GetPointParams(int index) const override;

private:
    void RecalculateFull();
    void ComputeRange(int first, int last);
    void ComputeRangeOnTwoThreads(int first, int last);
    // The records of first..last, and the aggregates of their valid points
    // joined into minimum and maximum.
    void ComputeRecords(int first, int last, CalcTrackParams& minimum, CalcTrackParams& maximum);
    void ComputeDistancesAndBounds();

    std::shared_ptr<CalcDataInternal> m_internal;
    // Ticks still to wait before the deferred full recalculation (0 to 2).
    int m_pendingTicks = 0;
};
