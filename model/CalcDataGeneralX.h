#pragma once

#include "CalcDataGeneralI.h"

#include <memory>
#include <vector>

// The lists behind a CalcDataGeneralX.
struct CalcDataGeneralXImpl
{
    // The concatenated tracks' data, in order; not owned.
    std::vector<const CalcDataGeneralI*> members;
    // Where each member's points start in the concatenation, then the total:
    // 0, then the running sum of the members' point counts.
    std::vector<int> pointOffsets{0};
    // Likewise for the members' total distances, in metres.
    std::vector<double> distanceOffsets{0.0};
};

// The calculated data of several tracks shown as one. A point's distance from
// start runs on across the members.
class CalcDataGeneralX : public CalcDataGeneralI
{
public:
    CalcDataGeneralX();

    void ResetMembers();
    void AddMember(const CalcDataGeneralI& member, int pointCount);
    // A member's total changes with its deferred recalculation, so the
    // distance offsets are summed afresh on every tick.
    void OnTick();

    PointBounds GetValidBounds() const override;
    PointBounds GetFilteredBounds() const override;
    double GetMaxSpeed() const override;
    double GetMinAccel() const override;
    double GetMaxAccel() const override;
    double GetTotalDistance() const override;
    CalcTrackParams GetPointParams(int index) const override;

private:
    std::shared_ptr<CalcDataGeneralXImpl> m_impl;
};
