#include "ProfileQuantity.h"

#include "StringIds.h"
#include "TrackPointEx.h"

namespace ProfileQuantity {

namespace {

struct Row
{
    UnitKind unit;
    int nameId;
    QRgb colour;
    int decimals;
};

// In the order of Id.
constexpr Row kRows[Count] = {
    {UnitKind::SmallDistance, IDS_PROFILE_ELEVATION, 0xFF8B5A2B, 0},
    {UnitKind::Speed, IDS_PROFILE_SPEED, 0xFF1F5FD0, 1},
    {UnitKind::HeartRate, IDS_PROFILE_HEART_RATE, 0xFFD02030, 0},
    {UnitKind::Cadence, IDS_PROFILE_CADENCE, 0xFF8040B0, 0},
    {UnitKind::Temperature, IDS_PROFILE_TEMPERATURE, 0xFFE07800, 1},
    {UnitKind::Speed, IDS_PROFILE_GPS_SPEED, 0xFF008C8C, 1},
    {UnitKind::None, IDS_PROFILE_STEEPNESS, 0xFF2E8B2E, 1},
};

} // namespace

UnitKind GetUnitKind(Id id)
{
    return kRows[id].unit;
}

int GetNameId(Id id)
{
    return kRows[id].nameId;
}

QRgb GetColour(Id id)
{
    return kRows[id].colour;
}

int GetDecimals(Id id)
{
    return kRows[id].decimals;
}

bool IsCarried(const TrackPointEx& point, Id id)
{
    const TrackPointGpsParams& gps = point.GetGpsParams();
    switch (id) {
    case Elevation:
    case Steepness:
        return point.HasElevation();
    case Speed:
        return true;
    case HeartRate:
        return gps.HasHeartRate();
    case Cadence:
        return gps.HasCadence();
    case Temperature:
        return gps.HasTemperature();
    case GpsSpeed:
        return gps.HasGpsSpeed();
    default:
        return false;
    }
}

double GetValue(const TrackPointEx& point, Id id)
{
    const TrackPointGpsParams& gps = point.GetGpsParams();
    switch (id) {
    case Elevation:
        return point.GetElevation();
    case Speed:
        return point.GetCalcParams().Speed;
    case HeartRate:
        return gps.GetHeartRate();
    case Cadence:
        return gps.GetCadence();
    case Temperature:
        return gps.GetTemperature();
    case GpsSpeed:
        return gps.GetGpsSpeed();
    default:
        return 0.0;
    }
}

} // namespace ProfileQuantity
