#include "TrackPointRep.h"

#include "Locale.h"
#include "OptUnits.h"
#include "StringIds.h"
#include "Translator.h"
#include "UnitsConv.h"

namespace {

MeasuringSystem System()
{
    return OptUnits::GetInstance().GetMeasuringSystem();
}

QString Number(double value, int decimals)
{
    return Locale::GetDoubleString(value, decimals);
}

QString Degrees(double value, int decimals)
{
    return Number(value, decimals) + QChar(0x00B0);
}

} // namespace

QString TrackPointRep::GetSatCountLoc() const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    return gps.HasSatCount() ? Locale::GetIntString(gps.GetSatCount()) : QString();
}

QString TrackPointRep::GetPosQualityLoc() const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    if (!gps.HasFixType())
        return {};
    switch (gps.GetFixType()) {
    case PositionFixType::NoFix:
        return Translator::GetInstance().LoadStr(IDS_FIX_NONE);
    case PositionFixType::Fix2D:
        return Translator::GetInstance().LoadStr(IDS_FIX_2D);
    case PositionFixType::Fix3D:
        return Translator::GetInstance().LoadStr(IDS_FIX_3D);
    case PositionFixType::Dgps:
        return Translator::GetInstance().LoadStr(IDS_FIX_DGPS);
    case PositionFixType::Pps:
        return Translator::GetInstance().LoadStr(IDS_FIX_PPS);
    case PositionFixType::Unknown:
        break;
    }
    return {};
}

QString TrackPointRep::GetLegLengthLoc(int decimals) const
{
    return Number(UnitsConv::MetersToUnits(m_point.GetCalcParams().Dist, UnitsConv::GetSmallDistUnits(System())), decimals);
}

QString TrackPointRep::GetCalcSpeedLoc(int decimals) const
{
    return Number(UnitsConv::KmhToUnits(m_point.GetCalcParams().Speed, UnitsConv::GetSpeedUnits(System())), decimals);
}

QString TrackPointRep::GetAccelSLoc(int decimals) const
{
    return Number(UnitsConv::Ms2ToUnits(m_point.GetCalcParams().Accel, UnitsConv::GetAccelUnits(System())), decimals);
}

QString TrackPointRep::GetAccelVLoc(int decimals) const
{
    return Number(UnitsConv::Ms2ToUnits(m_point.GetCalcParams().AccelAbs, UnitsConv::GetAccelUnits(System())), decimals);
}

QString TrackPointRep::GetAccelTLoc(int decimals) const
{
    return Number(UnitsConv::Ms2ToUnits(m_point.GetCalcParams().AccelTang, UnitsConv::GetAccelUnits(System())), decimals);
}

QString TrackPointRep::GetAccelNLoc(int decimals) const
{
    return Number(UnitsConv::Ms2ToUnits(m_point.GetCalcParams().AccelNorm, UnitsConv::GetAccelUnits(System())), decimals);
}

QString TrackPointRep::GetElevationLoc(int decimals) const
{
    if (!m_point.HasElevation())
        return {};
    return Number(UnitsConv::MetersToUnits(m_point.GetElevation(), UnitsConv::GetSmallDistUnits(System())), decimals);
}

QString TrackPointRep::GetDistFromStart(int decimals) const
{
    return Number(UnitsConv::MetersToUnits(m_point.GetCalcParams().DistFromStart, UnitsConv::GetLargeDistUnits(System())),
                  decimals);
}

QString TrackPointRep::GetGpsSpeedLoc(int decimals) const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    if (!gps.HasGpsSpeed())
        return {};
    return Number(UnitsConv::KmhToUnits(gps.GetGpsSpeed(), UnitsConv::GetSpeedUnits(System())), decimals);
}

QString TrackPointRep::GetTemperatureLoc(int decimals) const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    if (!gps.HasTemperature())
        return {};
    return Number(UnitsConv::DegreesCToUnits(gps.GetTemperature(), OptUnits::GetInstance().GetTemperatureUnits()), decimals);
}

QString TrackPointRep::GetHeartRateLoc() const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    return gps.HasHeartRate() ? Locale::GetIntString(gps.GetHeartRate()) : QString();
}

QString TrackPointRep::GetCadenceLoc() const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    return gps.HasCadence() ? Locale::GetIntString(gps.GetCadence()) : QString();
}

QString TrackPointRep::GetCalcHeadingLoc(int decimals) const
{
    return Degrees(m_point.GetCalcParams().Heading, decimals);
}

QString TrackPointRep::GetGpsHeadingLoc(int decimals) const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    return gps.HasGpsAzimuth() ? Degrees(gps.GetGpsAzimuth(), decimals) : QString();
}

QString TrackPointRep::GetHdopLoc(int decimals) const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    return gps.HasHdop() ? Number(gps.GetHdop(), decimals) : QString();
}

QString TrackPointRep::GetVdopLoc(int decimals) const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    return gps.HasVdop() ? Number(gps.GetVdop(), decimals) : QString();
}

QString TrackPointRep::GetPdopLoc(int decimals) const
{
    const TrackPointGpsParams& gps = m_point.GetGpsParams();
    return gps.HasPdop() ? Number(gps.GetPdop(), decimals) : QString();
}
