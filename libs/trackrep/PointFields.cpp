#include "PointFields.h"

#include "IsoTime.h"
#include "Locale.h"
#include "OptUnits.h"
#include "StringIds.h"
#include "TimeConv.h"
#include "TimeZones.h"
#include "TrackPointEx.h"
#include "TrackWriterBase.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// Where each plain value is read.
namespace Read {

// A derived value, which every point has.
template <auto member> std::optional<double> Calc(const TrackPointEx& point)
{
    return point.GetCalcParams().*member;
}

// A value from the receiver, which a point may lack.
template <auto has, auto get> std::optional<double> Gps(const TrackPointEx& point)
{
    const TrackPointGpsParams& gps = point.GetGpsParams();
    return (gps.*has)() ? std::optional<double>((gps.*get)()) : std::nullopt;
}

std::optional<double> Elevation(const TrackPointEx& point)
{
    return point.HasElevation() ? std::optional<double>(point.GetElevation()) : std::nullopt;
}

std::optional<double> Power(const TrackPointEx& point)
{
    return point.HasPower() ? std::optional<double>(point.GetPower()) : std::nullopt;
}

std::optional<double> Latitude(const TrackPointEx& point)
{
    return point.GetLat();
}

std::optional<double> Longitude(const TrackPointEx& point)
{
    return point.GetLon();
}

} // namespace Read

// The texts of the fields that are no plain value.
namespace Text {

const QString kNoTime = QStringLiteral("-");

Time Local(const TrackPointEx& point)
{
    return TimeZones::GetInstance().FromUtc(point.GetTime());
}

MillisecondsStatus FractionOf(int64_t microseconds)
{
    return microseconds % TimeSpan::MicrosecondsPerSecond != 0 ? MillisecondsStatus::With : MillisecondsStatus::Without;
}

QString Number(const TrackPointEx&, const PointFieldContext& context)
{
    return Locale::GetIntString(context.index + 1);
}

QString Coordinates(const TrackPointEx& point, const PointFieldContext&)
{
    return UnitsDisp::GetCoordString(point.GetLat(), point.GetLon(), AngleUnits::Keyboard);
}

QString ListTime(const TrackPointEx& point, const PointFieldContext&)
{
    return point.GetTime().IsNull() ? kNoTime : Locale::GetTimeString(Local(point));
}

QString ListDate(const TrackPointEx& point, const PointFieldContext&)
{
    return point.GetTime().IsNull() ? kNoTime : Locale::GetDateString(Local(point));
}

QString ListDateTime(const TrackPointEx& point, const PointFieldContext&)
{
    if (point.GetTime().IsNull())
        return kNoTime;
    const Time local = Local(point);
    return Locale::GetDateString(local) + QStringLiteral("  ") + Locale::GetTimeString(local);
}

// Whole days before the hours ("1d 02:03:04"), '-' before the start.
QString ListElapsed(const TrackPointEx& point, const PointFieldContext& context)
{
    if (context.start.IsNull() || point.GetTime().IsNull())
        return {};
    TimeSpan span = point.GetTime() - context.start;
    QString text;
    if (span < TimeSpan()) {
        span = -span;
        text = QStringLiteral("-");
    }
    const int days = static_cast<int>(std::floor(span.GetInDays()));
    if (days > 0) {
        text += QStringLiteral("%1d ").arg(days);
        span -= TimeSpan::FromSeconds(days * 86400.0);
    }
    return text + QString::fromStdString(TimeConv::GetHMS(span, MillisecondsStatus::Without));
}

// Fractions of a second only where there are some worth showing.
QString SheetDateTime(const TrackPointEx& point, const PointFieldContext&)
{
    const Time& time = point.GetTime();
    if (time.IsNull())
        return {};
    const double seconds = static_cast<double>(time.GetMicroseconds()) * 1e-6;
    const double fraction = seconds - std::floor(seconds);
    const bool withFractions = fraction >= 0.01 && fraction <= 0.99;
    return Locale::GetDateTimeString(Local(point), withFractions ? Locale::WithMilliseconds : 0);
}

QString SheetStatus(const TrackPointEx& point, const PointFieldContext& context)
{
    const TrackPointStatus& status = point.GetStatus();
    if (!status.IsValid())
        return context.reasonText ? context.reasonText(status.GetFilterReason()) : QString();
    return Translator::GetInstance().LoadStr(status.IsInMode(TrackPointStatus::AddedByUser) ? IDS_POINT_ADDED_BY_USER
                                                                                            : IDS_POINT_STATUS_OK);
}

QString SheetFixType(const TrackPointEx& point, const PointFieldContext&)
{
    const TrackPointGpsParams& gps = point.GetGpsParams();
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

void CsvStatus(std::string& out, const TrackPointEx& point, const PointFieldContext&)
{
    TrackWriterBase::AppendPadded(out, point.GetStatus().GetFilterReason(), 1);
}

void CsvTime(std::string& out, const TrackPointEx& point, const PointFieldContext&)
{
    const Time& time = point.GetTime();
    if (!time.IsNull())
        out += TimeConv::GetHMS(time, FractionOf(time.GetMicroseconds()));
}

void CsvDate(std::string& out, const TrackPointEx& point, const PointFieldContext&)
{
    out += TimeConv::GetYMD(point.GetTime());
}

void CsvDateTime(std::string& out, const TrackPointEx& point, const PointFieldContext&)
{
    out += IsoTime::Format(point.GetTime());
}

// Hours beyond 24, '-' before the start, milliseconds when there is a fraction.
void CsvElapsed(std::string& out, const TrackPointEx& point, const PointFieldContext& context)
{
    const Time& time = point.GetTime();
    if (time.IsNull() || context.start.IsNull())
        return;
    const TimeSpan elapsed = time - context.start;
    out += TimeConv::GetHMS(elapsed, FractionOf(elapsed.GetMicroseconds()));
}

} // namespace Text

using Group = PointSheetGroup;
using Style = PointValueStyle;

// The one table. Widths are in pixels; decimals are the list's in column
// and the CSV's in csv; the properties let the number choose its own.
constexpr PointFieldInfo kFields[] = {
    {.id = PointField::Status,
     .column = {.place = 1, .titleId = IDS_PTLIST_STATUS, .width = 18, .shown = true},
     .sheet = {.place = 5, .group = Group::Main, .titleId = IDS_PTPROP_STATUS},
     .csv = {.number = 0, .nameId = IDS_PTEXPORT_STATUS},
     .sheetText = Text::SheetStatus,
     .csvText = Text::CsvStatus},
    {.id = PointField::Number,
     .column = {.place = 2, .titleId = IDS_PTLIST_NUMBER, .width = 40, .shown = true},
     .sheet = {.place = 1, .group = Group::Main, .titleId = IDS_PTPROP_NUMBER},
     .listText = Text::Number,
     .sheetText = Text::Number},
    {.id = PointField::Time,
     .column = {.place = 13, .titleId = IDS_PTLIST_TIME, .width = 60},
     .csv = {.number = 1, .nameId = IDS_PTEXPORT_TIME},
     .listText = Text::ListTime,
     .csvText = Text::CsvTime},
    {.id = PointField::LegLength,
     .unit = UnitKind::SmallDistance,
     .value = Read::Calc<&CalcTrackParams::Dist>,
     .column = {.place = 4, .titleId = IDS_PTLIST_LEG_LENGTH, .width = 50, .shown = true, .decimals = 1},
     .csv = {.place = 7, .number = 4, .nameId = IDS_PTEXPORT_LEG_LENGTH, .decimals = 2}},
    {.id = PointField::Speed,
     .unit = UnitKind::Speed,
     .value = Read::Calc<&CalcTrackParams::Speed>,
     .column = {.place = 5, .titleId = IDS_PTLIST_SPEED, .width = 50, .shown = true, .decimals = 1},
     .sheet = {.place = 7, .group = Group::Calculated, .titleId = IDS_PTPROP_SPEED},
     .csv = {.place = 5, .number = 5, .nameId = IDS_PTEXPORT_SPEED, .decimals = 2}},
    {.id = PointField::Accel,
     .unit = UnitKind::Accel,
     .value = Read::Calc<&CalcTrackParams::Accel>,
     .column = {.place = 6, .titleId = IDS_PTLIST_ACCEL, .width = 50, .decimals = 2},
     .sheet = {.place = 8, .group = Group::Calculated, .titleId = IDS_PTPROP_ACCEL},
     .csv = {.number = 7, .nameId = IDS_PTEXPORT_ACCEL, .decimals = 3}},
    {.id = PointField::AccelVector,
     .unit = UnitKind::Accel,
     .value = Read::Calc<&CalcTrackParams::AccelAbs>,
     .column = {.place = 7, .titleId = IDS_PTLIST_ACCEL_VECTOR, .width = 50, .decimals = 2},
     .csv = {.number = 8, .nameId = IDS_PTEXPORT_ACCEL_VECTOR, .decimals = 3}},
    {.id = PointField::AccelTang,
     .unit = UnitKind::Accel,
     .value = Read::Calc<&CalcTrackParams::AccelTang>,
     .column = {.place = 8, .titleId = IDS_PTLIST_ACCEL_TANG, .width = 50, .decimals = 2},
     .csv = {.number = 9, .nameId = IDS_PTEXPORT_ACCEL_TANG, .decimals = 3}},
    {.id = PointField::AccelRadial,
     .unit = UnitKind::Accel,
     .value = Read::Calc<&CalcTrackParams::AccelNorm>,
     .column = {.place = 9, .titleId = IDS_PTLIST_ACCEL_RADIAL, .width = 50, .decimals = 2},
     .csv = {.number = 10, .nameId = IDS_PTEXPORT_ACCEL_RADIAL, .decimals = 3}},
    {.id = PointField::Heading,
     .value = Read::Calc<&CalcTrackParams::Heading>,
     .style = Style::Angle,
     .column = {.place = 10, .titleId = IDS_PTLIST_HEADING, .width = 36, .shown = true, .decimals = 0},
     .sheet = {.place = 9, .group = Group::Calculated, .titleId = IDS_PTPROP_HEADING},
     .csv = {.place = 6, .number = 11, .nameId = IDS_PTEXPORT_HEADING, .decimals = 1}},
    {.id = PointField::Date,
     .column = {.place = 14, .titleId = IDS_PTLIST_DATE, .width = 80},
     .csv = {.number = 2, .nameId = IDS_PTEXPORT_DATE},
     .listText = Text::ListDate,
     .csvText = Text::CsvDate},
    {.id = PointField::Coordinates,
     .column = {.place = 11, .titleId = IDS_PTLIST_COORDINATES, .width = 156, .shown = true},
     .sheet = {.place = 2, .group = Group::Main, .titleId = IDS_PTPROP_COORDINATES},
     .listText = Text::Coordinates,
     .sheetText = Text::Coordinates},
    {.id = PointField::Elevation,
     .unit = UnitKind::SmallDistance,
     .value = Read::Elevation,
     .column = {.place = 12, .titleId = IDS_PTLIST_ELEVATION, .width = 50, .shown = true, .decimals = 0},
     .sheet = {.place = 3, .group = Group::Main, .titleId = IDS_PTPROP_ELEVATION},
     .csv = {.place = 4, .number = 15, .nameId = IDS_PTEXPORT_ELEVATION, .decimals = 2}},
    {.id = PointField::DateTime,
     .column = {.place = 3, .titleId = IDS_PTLIST_DATE_TIME, .width = 130, .shown = true},
     .sheet = {.place = 4, .group = Group::Main, .titleId = IDS_PTPROP_DATE_TIME},
     .csv = {.place = 1, .number = 3, .nameId = IDS_PTEXPORT_DATE_TIME},
     .listText = Text::ListDateTime,
     .sheetText = Text::SheetDateTime,
     .csvText = Text::CsvDateTime},
    {.id = PointField::Elapsed,
     .column = {.place = 15, .titleId = IDS_PTLIST_ELAPSED, .width = 60},
     .csv = {.place = 9, .number = 16, .nameId = IDS_PTEXPORT_ELAPSED},
     .listText = Text::ListElapsed,
     .csvText = Text::CsvElapsed},
    {.id = PointField::FromStart,
     .unit = UnitKind::LargeDistance,
     .value = Read::Calc<&CalcTrackParams::DistFromStart>,
     .column = {.place = 16, .titleId = IDS_PTLIST_FROM_START, .width = 50, .decimals = 2},
     .sheet = {.place = 6, .group = Group::Calculated, .titleId = IDS_PTPROP_FROM_START},
     .csv = {.place = 8, .number = 17, .nameId = IDS_PTEXPORT_FROM_START, .decimals = 3}},
    {.id = PointField::GpsSpeed,
     .unit = UnitKind::Speed,
     .value = Read::Gps<&TrackPointGpsParams::HasGpsSpeed, &TrackPointGpsParams::GetGpsSpeed>,
     .column = {.place = 17, .titleId = IDS_PTLIST_GPS_SPEED, .width = 50, .shown = true, .decimals = 1},
     .sheet = {.place = 10, .group = Group::Gps, .titleId = IDS_PTPROP_GPS_SPEED},
     .csv = {.place = 13, .number = 6, .nameId = IDS_PTEXPORT_GPS_SPEED, .decimals = 2}},
    {.id = PointField::GpsHeading,
     .value = Read::Gps<&TrackPointGpsParams::HasGpsAzimuth, &TrackPointGpsParams::GetGpsAzimuth>,
     .style = Style::Angle,
     .column = {.place = 18, .titleId = IDS_PTLIST_GPS_HEADING, .width = 36, .shown = true, .decimals = 0},
     .sheet = {.place = 11, .group = Group::Gps, .titleId = IDS_PTPROP_GPS_HEADING},
     .csv = {.place = 14, .number = 12, .nameId = IDS_PTEXPORT_GPS_HEADING, .decimals = 1}},
    {.id = PointField::Hdop,
     .value = Read::Gps<&TrackPointGpsParams::HasHdop, &TrackPointGpsParams::GetHdop>,
     .column = {.place = 19, .titleId = IDS_PTLIST_HDOP, .width = 36, .shown = true, .decimals = 1},
     .sheet = {.place = 12, .group = Group::Gps, .titleId = IDS_PTPROP_HDOP},
     .csv = {.place = 15, .number = 18, .nameId = IDS_PTEXPORT_HDOP, .decimals = 2}},
    {.id = PointField::Vdop,
     .value = Read::Gps<&TrackPointGpsParams::HasVdop, &TrackPointGpsParams::GetVdop>,
     .column = {.place = 20, .titleId = IDS_PTLIST_VDOP, .width = 36, .shown = true, .decimals = 1},
     .sheet = {.place = 13, .group = Group::Gps, .titleId = IDS_PTPROP_VDOP},
     .csv = {.place = 16, .number = 19, .nameId = IDS_PTEXPORT_VDOP, .decimals = 2}},
    {.id = PointField::Pdop,
     .value = Read::Gps<&TrackPointGpsParams::HasPdop, &TrackPointGpsParams::GetPdop>,
     .column = {.place = 21, .titleId = IDS_PTLIST_PDOP, .width = 36, .shown = true, .decimals = 1},
     .sheet = {.place = 14, .group = Group::Gps, .titleId = IDS_PTPROP_PDOP},
     .csv = {.place = 17, .number = 20, .nameId = IDS_PTEXPORT_PDOP, .decimals = 2}},
    {.id = PointField::HeartRate,
     .unit = UnitKind::HeartRate,
     .value = Read::Gps<&TrackPointGpsParams::HasHeartRate, &TrackPointGpsParams::GetHeartRate>,
     .style = Style::Count,
     .column = {.place = 22, .titleId = IDS_PTLIST_HEART_RATE, .width = 36},
     .sheet = {.place = 17, .group = Group::Sensors, .titleId = IDS_PTPROP_HEART_RATE},
     .csv = {.place = 10, .number = 21, .nameId = IDS_PTEXPORT_HEART_RATE}},
    {.id = PointField::Cadence,
     .unit = UnitKind::Cadence,
     .value = Read::Gps<&TrackPointGpsParams::HasCadence, &TrackPointGpsParams::GetCadence>,
     .style = Style::Count,
     .column = {.place = 23, .titleId = IDS_PTLIST_CADENCE, .width = 36},
     .sheet = {.place = 18, .group = Group::Sensors, .titleId = IDS_PTPROP_CADENCE},
     .csv = {.place = 11, .number = 22, .nameId = IDS_PTEXPORT_CADENCE}},
    {.id = PointField::Temperature,
     .unit = UnitKind::Temperature,
     .value = Read::Gps<&TrackPointGpsParams::HasTemperature, &TrackPointGpsParams::GetTemperature>,
     .column = {.place = 24, .titleId = IDS_PTLIST_TEMPERATURE, .width = 36, .decimals = 1},
     .sheet = {.place = 19, .group = Group::Sensors, .titleId = IDS_PTPROP_TEMPERATURE},
     .csv = {.place = 12, .number = 23, .nameId = IDS_PTEXPORT_TEMPERATURE, .decimals = 1}},
    {.id = PointField::Latitude,
     .value = Read::Latitude,
     .csv = {.place = 2, .number = 13, .nameId = IDS_PTEXPORT_LATITUDE, .decimals = 8}},
    {.id = PointField::Longitude,
     .value = Read::Longitude,
     .csv = {.place = 3, .number = 14, .nameId = IDS_PTEXPORT_LONGITUDE, .decimals = 8}},
    {.id = PointField::Satellites,
     .value = Read::Gps<&TrackPointGpsParams::HasSatCount, &TrackPointGpsParams::GetSatCount>,
     .style = Style::Count,
     .sheet = {.place = 15, .group = Group::Gps, .titleId = IDS_PTPROP_SATELLITES}},
    {.id = PointField::FixType,
     .sheet = {.place = 16, .group = Group::Gps, .titleId = IDS_PTPROP_FIX_TYPE},
     .sheetText = Text::SheetFixType},
    {.id = PointField::Power,
     .value = Read::Power,
     .style = Style::Count,
     .column = {.place = 25, .titleId = IDS_PTLIST_POWER, .width = 36},
     .sheet = {.place = 20, .group = Group::Sensors, .titleId = IDS_PTPROP_POWER}},
};

constexpr bool NumberedInOrder()
{
    for (size_t i = 0; i < std::size(kFields); ++i)
        if (kFields[i].id != static_cast<int>(i))
            return false;
    return true;
}
static_assert(NumberedInOrder(), "a field's number is its row in the table");

template <typename Place> std::vector<const PointFieldInfo*> InPlaceOrder(Place place)
{
    std::vector<const PointFieldInfo*> fields;
    for (const PointFieldInfo& field : kFields)
        if (place(field) > 0)
            fields.push_back(&field);
    std::stable_sort(fields.begin(), fields.end(),
                     [&](const PointFieldInfo* a, const PointFieldInfo* b) { return place(*a) < place(*b); });
    return fields;
}

std::optional<double> ValueOf(const PointFieldInfo& field, const TrackPointEx& point)
{
    return field.value ? field.value(point) : std::nullopt;
}

// The value as the list writes it, already in the units shown.
QString ValueText(PointValueStyle style, double value, int decimals)
{
    switch (style) {
    case PointValueStyle::Number:
        return Locale::GetDoubleString(value, decimals);
    case PointValueStyle::Angle:
        return Locale::GetDoubleString(value, decimals) + QChar(0x00B0);
    case PointValueStyle::Count:
        return Locale::GetIntString(static_cast<int64_t>(value));
    }
    return {};
}

// The value with its unit as the properties write it, from the program's
// units; a distance from the start reads best in small units while short.
QString WithUnit(UnitKind kind, double value)
{
    switch (kind) {
    case UnitKind::SmallDistance:
        return UnitsDisp::GetAltitudeString(value);
    case UnitKind::LargeDistance:
        return UnitsDisp::GetSmartDistanceString(value);
    case UnitKind::Speed:
        return UnitsDisp::GetSpeedString(value);
    case UnitKind::Accel:
        return UnitsDisp::GetAccelString(value);
    case UnitKind::Temperature:
        return UnitsDisp::GetTemperatureString(value);
    case UnitKind::HeartRate:
        return UnitsDisp::GetHeartRateString(static_cast<int>(value));
    case UnitKind::Cadence:
        return UnitsDisp::GetCadenceString(static_cast<int>(value), CadenceType::Revolutions);
    case UnitKind::None:
        break;
    }
    return {};
}

} // namespace

namespace PointFields {

std::span<const PointFieldInfo> All()
{
    return kFields;
}

const PointFieldInfo* Find(int id)
{
    return id >= 0 && id < static_cast<int>(std::size(kFields)) ? &kFields[id] : nullptr;
}

const PointFieldInfo* FindExported(int number)
{
    if (number < 0)
        return nullptr;
    const auto found = std::find_if(std::begin(kFields), std::end(kFields),
                                    [number](const PointFieldInfo& field) { return field.csv.number == number; });
    return found != std::end(kFields) ? &*found : nullptr;
}

const std::vector<const PointFieldInfo*>& ListColumns()
{
    static const std::vector<const PointFieldInfo*> fields =
        InPlaceOrder([](const PointFieldInfo& field) { return field.column.place; });
    return fields;
}

const std::vector<const PointFieldInfo*>& SheetRows()
{
    static const std::vector<const PointFieldInfo*> fields =
        InPlaceOrder([](const PointFieldInfo& field) { return field.sheet.place; });
    return fields;
}

const std::vector<const PointFieldInfo*>& CsvColumns()
{
    static const std::vector<const PointFieldInfo*> fields =
        InPlaceOrder([](const PointFieldInfo& field) { return field.csv.place; });
    return fields;
}

int SheetGroupTitleId(PointSheetGroup group)
{
    switch (group) {
    case PointSheetGroup::Main:
        return IDS_PTPROP_GROUP_MAIN;
    case PointSheetGroup::Calculated:
        return IDS_PTPROP_GROUP_CALCULATED;
    case PointSheetGroup::Gps:
        return IDS_PTPROP_GROUP_GPS;
    case PointSheetGroup::Sensors:
        return IDS_PTPROP_GROUP_SENSORS;
    case PointSheetGroup::None:
        break;
    }
    return 0;
}

QString UnitSuffix(UnitKind kind, MeasuringSystem system, TemperatureUnits temperature)
{
    const QString notation = UnitsDisp::GetUnitNotation(kind, system, temperature);
    return notation.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(notation);
}

QString ListTitleSuffix(const PointFieldInfo& field)
{
    const OptUnits& options = OptUnits::GetInstance();
    return UnitSuffix(field.unit, options.GetMeasuringSystem(), options.GetTemperatureUnits());
}

QString ListText(const PointFieldInfo& field, const TrackPointEx& point, const PointFieldContext& context)
{
    if (field.column.place == 0)
        return {};
    if (field.listText)
        return field.listText(point, context);
    const std::optional<double> value = ValueOf(field, point);
    if (!value)
        return {};
    const OptUnits& options = OptUnits::GetInstance();
    const double shown =
        UnitsConv::ToUnits(field.unit, *value, options.GetMeasuringSystem(), options.GetTemperatureUnits());
    return ValueText(field.style, shown, field.column.decimals);
}

// Values without a unit are written with as many decimals as they have, up
// to two: a receiver's "1.25" stays, a heading stored as a float does not
// show its noise ("51.636043548583984°" reads "51.64°").
int SheetDecimals(double value)
{
    constexpr int kMost = 2;
    for (int decimals = 0; decimals < kMost; ++decimals) {
        const double scaled = value * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) < 1e-4)
            return decimals;
    }
    return kMost;
}

QString SheetText(const PointFieldInfo& field, const TrackPointEx& point, const PointFieldContext& context)
{
    if (field.sheet.place == 0)
        return {};
    if (field.sheetText)
        return field.sheetText(point, context);
    const std::optional<double> value = ValueOf(field, point);
    if (!value)
        return {};
    return field.unit == UnitKind::None ? ValueText(field.style, *value, SheetDecimals(*value))
                                        : WithUnit(field.unit, *value);
}

QString CsvHeader(const PointFieldInfo& field, MeasuringSystem system)
{
    if (field.csv.nameId == 0)
        return {};
    const QString name = Translator::GetInstance().LoadStr(field.csv.nameId);
    if (name.isEmpty() || !UnitsConv::DependsOnSystem(field.unit))
        return name;
    return name + UnitSuffix(field.unit, system, TemperatureUnits::Celsius);
}

void AppendCsv(std::string& out, const PointFieldInfo& field, const TrackPointEx& point,
               const PointFieldContext& context)
{
    if (field.csv.nameId == 0)
        return;
    if (field.csvText) {
        field.csvText(out, point, context);
        return;
    }
    const std::optional<double> value = ValueOf(field, point);
    if (!value)
        return;
    if (field.style == PointValueStyle::Count) {
        TrackWriterBase::AppendPadded(out, static_cast<long long>(*value), 1);
        return;
    }
    // Only the measuring system converts; temperatures stay in °C.
    const double written = UnitsConv::ToUnits(field.unit, *value, context.system, TemperatureUnits::Celsius);
    TrackWriterBase::AppendFixed(out, written, field.csv.decimals);
}

} // namespace PointFields
