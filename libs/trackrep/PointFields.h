#pragma once

#include "Time.h"
#include "UnitsConv.h"

#include <QString>

#include <optional>
#include <span>
#include <string>
#include <vector>

class TrackPointEx;

// The fields of a point. A field's number is also its column id in the point
// list, and saved list layouts store those ids: a number never changes, and
// a new field takes the next free one.
namespace PointField {
enum Id : int {
    Status = 0,
    Number = 1,
    Time = 2,
    LegLength = 3,
    Speed = 4,
    Accel = 5,
    AccelVector = 6,
    AccelTang = 7,
    AccelRadial = 8,
    Heading = 9,
    Date = 10,
    Coordinates = 11,
    Elevation = 12,
    DateTime = 13,
    Elapsed = 14,
    FromStart = 15,
    GpsSpeed = 16,
    GpsHeading = 17,
    Hdop = 18,
    Vdop = 19,
    Pdop = 20,
    HeartRate = 21,
    Cadence = 22,
    Temperature = 23,
    // Not columns of the list.
    Latitude = 24,
    Longitude = 25,
    Satellites = 26,
    FixType = 27,
    // A column again.
    Power = 28,
};
} // namespace PointField

// The groups of the point properties, in their order.
enum class PointSheetGroup {
    None, // not in the properties
    Main,
    Calculated,
    Gps,
    Sensors
};

// How a plain value is written.
enum class PointValueStyle {
    Number, // with the view's decimals
    Angle,  // the same, and the list and the properties add a degree sign
    Count,  // a whole number
};

// What a field's text depends on besides the point.
struct PointFieldContext
{
    // The point's place in its segment; its number is one more.
    int index = -1;
    // What elapsed times count from; null leaves them empty.
    Time start;
    // The units of the CSV. The list and the properties show the user's
    // units (OptUnits) instead.
    MeasuringSystem system = MeasuringSystem::Metric;
    // The text of a filter reason key: the filters own those texts, and
    // this library cannot see them. Without it a filtered point has no status text.
    QString (*reasonText)(int key) = nullptr;
};

// One field of a point and how each view uses it. A place counts from 1
// within its view; 0 leaves the field out of that view.
struct PointFieldInfo
{
    PointField::Id id = PointField::Status;
    // What the value measures. The list's title names the unit, and so does
    // the CSV's header where the measuring system decides it (the CSV keeps
    // temperatures in °C); the properties write it after the value.
    UnitKind unit = UnitKind::None;
    // The value in the program's units (metres, km/h, m/s², °C, degrees),
    // empty where the point lacks it. Null for the fields whose texts are
    // their own (below).
    std::optional<double> (*value)(const TrackPointEx& point) = nullptr;
    PointValueStyle style = PointValueStyle::Number;

    struct Column
    {
        int place = 0;
        int titleId = 0;
        int width = 0;
        bool shown = false; // in the default layout
        int decimals = 0;
    } column{};

    struct SheetRow
    {
        int place = 0;
        PointSheetGroup group = PointSheetGroup::None;
        int titleId = 0;
    } sheet{};

    struct Csv
    {
        int place = 0;   // among the export's columns; 0 for a field it can write but leaves out
        int number = -1; // the field's number in the export's own numbering (ExportFieldName)
        int nameId = 0;  // the header's name; 0 for a field the export cannot write
        int decimals = 0;
    } csv{};

    // Texts of their own for a field that is no plain value.
    QString (*listText)(const TrackPointEx& point, const PointFieldContext& context) = nullptr;
    QString (*sheetText)(const TrackPointEx& point, const PointFieldContext& context) = nullptr;
    void (*csvText)(std::string& out, const TrackPointEx& point, const PointFieldContext& context) = nullptr;
};

namespace PointFields {

// Every field, in the order of their numbers.
std::span<const PointFieldInfo> All();
// Null for a number that is no field.
const PointFieldInfo* Find(int id);
// By the export's number; null where the export has none.
const PointFieldInfo* FindExported(int number);

// The fields of a view, in its order.
const std::vector<const PointFieldInfo*>& ListColumns();
const std::vector<const PointFieldInfo*>& SheetRows();
const std::vector<const PointFieldInfo*>& CsvColumns();
int SheetGroupTitleId(PointSheetGroup group);

// " (km/h)": the unit of a kind as a title carries it; empty for a kind
// without a unit.
QString UnitSuffix(UnitKind kind, MeasuringSystem system, TemperatureUnits temperature);
// The suffix of a list column's title, in the user's units.
QString ListTitleSuffix(const PointFieldInfo& field);

// The text of a list cell: in the user's units and locale, without the unit
// (the title carries it); empty for a value the point lacks and for a field
// that is no column.
QString ListText(const PointFieldInfo& field, const TrackPointEx& point, const PointFieldContext& context);
// The text of a row of the properties, with its unit; empty for a value the
// point lacks and for a field that is not in the properties.
QString SheetText(const PointFieldInfo& field, const TrackPointEx& point, const PointFieldContext& context);
// The CSV header of a field.
QString CsvHeader(const PointFieldInfo& field, MeasuringSystem system);
// The CSV text of a field, nothing for a value the point lacks or a field
// the export cannot write. Numbers use '.' whatever the locale; lengths,
// speeds and accelerations are in the units of the context's measuring
// system, temperatures in °C, angles in degrees. Times are UTC: date/time in
// ISO 8601 with "Z", date as YYYY-MM-DD, time as hh:mm:ss; elapsed time is
// h:mm:ss since the context's start (hours beyond 24, '-' before the start).
// Times and elapsed times have milliseconds when they have a fraction.
void AppendCsv(std::string& out, const PointFieldInfo& field, const TrackPointEx& point,
               const PointFieldContext& context);

} // namespace PointFields
