#pragma once

#include <cstdint>

class CalcDataGeneralI;
class TrackPoint;
class TrackPointEx;
class TrackPtNavI;

// Reading a track's points.
class TrackMainI
{
public:
    virtual ~TrackMainI() = default;

    virtual const CalcDataGeneralI& GetCalcData() const = 0;
    virtual const TrackPtNavI& GetPtNav() const = 0;
    // The point with its derived parameters; false outside the points.
    virtual bool GetPointEx(int index, TrackPointEx& out) const = 0;
    virtual bool GetPoint(int index, TrackPoint& out) const = 0;
    // Longitude, latitude, elevation.
    virtual bool GetPosition(int index, double& x, double& y, double& z) const = 0;
    virtual int GetTid() const = 0;
    virtual int GetPointCount() const = 0;
    // Rises with every change of the points (positions, statuses, count),
    // so that what is derived from them for display knows it is stale.
    virtual uint64_t GetChangeCount() const = 0;
};
