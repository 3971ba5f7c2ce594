#include "PointPropCtrl.h"

#include "FilterReasons.h"
#include "Locale.h"
#include "OblDlgBase.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "TrackPointEx.h"
#include "TrackPointRep.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <cmath>
#include <vector>

namespace {

enum Row {
    Number = 61600,
    DateTime = 61601,
    Coordinates = 61604,
    DistFromStart = 61605,
    Speed = 61606,
    GpsSpeed = 61607,
    Acceleration = 61608,
    Heading = 61609,
    GpsHeading = 61610,
    Elevation = 61611,
    Hdop = 61612,
    Vdop = 61613,
    Satellites = 61614,
    FixType = 61615,
    GpsGroup = 61616,
    MainGroup = 61617,
    CalculatedGroup = 61618,
    Status = 61619,
    Pdop = 61620,
    Temperature = 61621,
    Cadence = 61622,
    HeartRate = 61623,
    SensorsGroup = 61624,
};

// Locale::GetDateTimeString flags: with fractions of a second.
constexpr int WithFractions = 2;
constexpr int DefaultDecimals = -1;

QString StatusText(const TrackPointEx& point)
{
    const TrackPointStatus& status = point.GetStatus();
    if (!status.IsValid())
        return FilterReasons::GetInstance().GetText(status.GetFilterReason()).text;
    const Translator& tr = Translator::GetInstance();
    return status.IsInMode(TrackPointStatus::AddedByUser) ? tr.LoadStr(IDS_POINT_ADDED_BY_USER)
                                                          : tr.LoadStr(IDS_POINT_STATUS_OK);
}

} // namespace

PointPropCtrl::PointPropCtrl(QWidget* parent)
    : PropertyGrid(parent)
{
    const std::pair<int, std::vector<int>> groups[] = {
        {MainGroup, {Number, Coordinates, Elevation, DateTime, Status}},
        {CalculatedGroup, {DistFromStart, Speed, Acceleration, Heading}},
        {GpsGroup, {GpsSpeed, GpsHeading, Hdop, Vdop, Pdop, Satellites, FixType}},
        {SensorsGroup, {HeartRate, Cadence, Temperature}},
    };
    for (const auto& [group, rows] : groups) {
        QTreeWidgetItem* node = AddNodeItem(group, true);
        for (const int row : rows)
            AddChildItem(node, row);
    }
    SetRegSection(OblDlgBase::GetLayoutSection(QStringLiteral("PointProp")));
}

QString PointPropCtrl::DateTimeText(const TrackPointEx& point)
{
    const Time& time = point.GetTime();
    if (time.IsNull())
        return {};
    const double seconds = static_cast<double>(time.GetMicroseconds()) * 1e-6;
    const double fraction = seconds - std::floor(seconds);
    const bool withFractions = fraction >= 0.01 && fraction <= 0.99;
    return Locale::GetDateTimeString(TimeZones::GetInstance().FromUtc(time), withFractions ? WithFractions : 0);
}

void PointPropCtrl::Fill(const TrackPointEx& point, int index)
{
    const TrackPointRep rep(point);
    const CalcTrackParams& calc = point.GetCalcParams();
    const TrackPointGpsParams& gps = point.GetGpsParams();
    UpdateItem(Number, Locale::GetIntString(index + 1));
    UpdateItem(Coordinates, UnitsDisp::GetCoordString(point.GetLat(), point.GetLon(), AngleUnits::Keyboard));
    UpdateItem(Elevation, point.HasElevation() ? UnitsDisp::GetAltitudeString(point.GetElevation()) : QString());
    UpdateItem(DateTime, DateTimeText(point));
    UpdateItem(Status, StatusText(point));
    UpdateItem(DistFromStart, UnitsDisp::GetSmartDistanceString(calc.DistFromStart));
    UpdateItem(Speed, UnitsDisp::GetSpeedString(calc.Speed));
    UpdateItem(Acceleration, UnitsDisp::GetAccelString(calc.Accel));
    UpdateItem(Heading, rep.GetCalcHeadingLoc(DefaultDecimals));
    UpdateItem(GpsSpeed, gps.HasGpsSpeed() ? UnitsDisp::GetSpeedString(gps.GetGpsSpeed()) : QString());
    UpdateItem(GpsHeading, rep.GetGpsHeadingLoc(DefaultDecimals));
    UpdateItem(Hdop, rep.GetHdopLoc(DefaultDecimals));
    UpdateItem(Vdop, rep.GetVdopLoc(DefaultDecimals));
    UpdateItem(Pdop, rep.GetPdopLoc(DefaultDecimals));
    UpdateItem(Satellites, rep.GetSatCountLoc());
    UpdateItem(FixType, rep.GetPosQualityLoc());
    UpdateItem(HeartRate, gps.HasHeartRate() ? UnitsDisp::GetHeartRateString(gps.GetHeartRate()) : QString());
    UpdateItem(Cadence, gps.HasCadence() ? UnitsDisp::GetCadenceString(gps.GetCadence(), CadenceType::Revolutions)
                                         : QString());
    UpdateItem(Temperature, gps.HasTemperature() ? UnitsDisp::GetTemperatureString(gps.GetTemperature()) : QString());
}
