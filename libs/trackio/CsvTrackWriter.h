#pragma once

#include "Time.h"
#include "TrackWriterBase.h"
#include "UnitsConv.h"

#include <string>
#include <vector>

class TrackPointEx;

// Writes points as comma-separated values, one line per point (CR LF), the
// fields in the order given (PointFieldsId values; an unknown number gives
// an empty column). Numbers use '.' whatever the locale; a value the point
// lacks is an empty field. Lengths, speeds and accelerations are in the
// units of the measuring system, as the header names them; temperatures in
// °C, angles in degrees. Times are UTC: "Date/time" in ISO 8601 with "Z",
// "Date" as YYYY-MM-DD, "Time" as hh:mm:ss; "Elapsed time" is h:mm:ss
// since the start time (hours beyond 24, '-' before the start), with
// milliseconds when the time has a fraction.
class CsvTrackWriter : public TrackWriterBase
{
public:
    void SetFieldOrder(std::vector<int> fields) { m_fields = std::move(fields); }
    const std::vector<int>& GetFieldOrder() const { return m_fields; }
    void SetMeasuringSystem(MeasuringSystem system) { m_system = system; }

    // One line of header texts as given (already narrow text); a text with a
    // comma or quote is quoted.
    SaveStatus WriteHeader(const std::vector<std::string>& headers);
    // The base of "Elapsed time", normally the time of a segment's first
    // point; null leaves the elapsed times empty.
    void SetStartTime(const Time& start) { m_start = start; }
    SaveStatus WritePoint(const TrackPointEx& point);

private:
    void AppendField(std::string& out, int field, const TrackPointEx& point) const;

    std::vector<int> m_fields;
    MeasuringSystem m_system = MeasuringSystem::Metric;
    Time m_start;
};
