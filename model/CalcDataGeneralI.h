#pragma once

#include "CalcTrackParams.h"
#include "PointBounds.h"

// The derived point parameters of a track, or of several tracks shown as one,
// with their aggregates.
class CalcDataGeneralI
{
public:
    virtual ~CalcDataGeneralI() = default;

    virtual PointBounds GetValidBounds() const = 0;
    virtual PointBounds GetFilteredBounds() const = 0;
    // km/h.
    virtual double GetMaxSpeed() const = 0;
    // The extremes of the acceleration's magnitude, m/s².
    virtual double GetMinAccel() const = 0;
    virtual double GetMaxAccel() const = 0;
    // Metres along the valid points.
    virtual double GetTotalDistance() const = 0;
    // Default-constructed for an index outside the points.
    virtual CalcTrackParams GetPointParams(int index) const = 0;
};
