#pragma once

#include "TrackPointEx.h"

#include <QString>

// The text of one field of a point, as the lists and the property sheet show
// it: converted to the user's units (OptUnits), written in the user's locale,
// without the unit (the column titles carry it). The integer of most
// functions is the number of decimals. A value the point does not have gives
// an empty text.
class TrackPointRep
{
public:
    explicit TrackPointRep(const TrackPointEx& point) : m_point(point) {}

    QString GetSatCountLoc() const;
    // "No fix", "2D", "3D", "DGPS", "PPS".
    QString GetPosQualityLoc() const;
    // Distance from the previous point, small distance unit.
    QString GetLegLengthLoc(int decimals) const;
    QString GetCalcSpeedLoc(int decimals) const;
    // Change of speed (scalar), length of the acceleration vector, its part
    // along the path and its part across.
    QString GetAccelSLoc(int decimals) const;
    QString GetAccelVLoc(int decimals) const;
    QString GetAccelTLoc(int decimals) const;
    QString GetAccelNLoc(int decimals) const;
    // Small distance unit.
    QString GetElevationLoc(int decimals) const;
    // Large distance unit.
    QString GetDistFromStart(int decimals) const;
    QString GetGpsSpeedLoc(int decimals) const;
    QString GetTemperatureLoc(int decimals) const;
    QString GetHeartRateLoc() const;
    QString GetCadenceLoc() const;
    // Degrees with the degree sign.
    QString GetCalcHeadingLoc(int decimals) const;
    QString GetGpsHeadingLoc(int decimals) const;
    QString GetHdopLoc(int decimals) const;
    QString GetVdopLoc(int decimals) const;
    QString GetPdopLoc(int decimals) const;

private:
    const TrackPointEx& m_point;
};
