#include "NmeaFix.h"

void NmeaFix::Merge(const NmeaFix& other)
{
    parts = static_cast<uint8_t>(parts | other.parts);
    if (!hasTime && other.hasTime) {
        hasTime = true;
        timeOfDay = other.timeOfDay;
    }
    if (date.IsNull())
        date = other.date;
    if (!hasPosition && other.hasPosition) {
        hasPosition = true;
        lat = other.lat;
        lon = other.lon;
    }
    if (!hasElevation && other.hasElevation) {
        hasElevation = true;
        elevation = other.elevation;
    }
    isVoid = isVoid || other.isVoid;
    if (ggaQuality < 0)
        ggaQuality = other.ggaQuality;
    if (gsaMode < 0)
        gsaMode = other.gsaMode;

    const TrackPointGpsParams& o = other.gps;
    if (!gps.HasHdop() && o.HasHdop())
        gps.SetHdop(o.GetHdop());
    if (!gps.HasVdop() && o.HasVdop())
        gps.SetVdop(o.GetVdop());
    if (!gps.HasPdop() && o.HasPdop())
        gps.SetPdop(o.GetPdop());
    if (!gps.HasSatCount() && o.HasSatCount())
        gps.SetSatCount(o.GetSatCount());
    if (!gps.HasGpsSpeed() && o.HasGpsSpeed())
        gps.SetGpsSpeed(o.GetGpsSpeed());
    if (!gps.HasGpsAzimuth() && o.HasGpsAzimuth())
        gps.SetGpsAzimuth(o.GetGpsAzimuth());
}

PositionFixType NmeaFix::GetFixType() const
{
    // 2 differential, 4 and 5 RTK fixed and float: corrected fixes all.
    if (ggaQuality == 2 || ggaQuality == 4 || ggaQuality == 5)
        return PositionFixType::Dgps;
    if (ggaQuality == 3)
        return PositionFixType::Pps;
    switch (gsaMode) {
    case 1:
        return PositionFixType::NoFix;
    case 2:
        return PositionFixType::Fix2D;
    case 3:
        return PositionFixType::Fix3D;
    default:
        return ggaQuality == 0 ? PositionFixType::NoFix : PositionFixType::Unknown;
    }
}
