#include "CsvTrackWriter.h"

#include "IsoTime.h"
#include "PointFieldsId.h"
#include "TimeConv.h"
#include "TrackPointEx.h"

namespace {

void AppendQuoted(std::string& out, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

MillisecondsStatus FractionOf(int64_t microseconds)
{
    return microseconds % TimeSpan::MicrosecondsPerSecond != 0 ? MillisecondsStatus::With
                                                               : MillisecondsStatus::Without;
}

} // namespace

CsvTrackWriter::SaveStatus CsvTrackWriter::WriteHeader(const std::vector<std::string>& headers)
{
    std::string line;
    for (size_t i = 0; i < headers.size(); ++i) {
        if (i > 0)
            line += ',';
        AppendQuoted(line, headers[i]);
    }
    line += "\r\n";
    return Write(line);
}

CsvTrackWriter::SaveStatus CsvTrackWriter::WritePoint(const TrackPointEx& point)
{
    std::string line;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (i > 0)
            line += ',';
        AppendField(line, m_fields[i], point);
    }
    line += "\r\n";
    return Write(line);
}

void CsvTrackWriter::AppendField(std::string& out, int field, const TrackPointEx& point) const
{
    const CalcTrackParams& calc = point.GetCalcParams();
    const TrackPointGpsParams& gps = point.GetGpsParams();
    const Time& time = point.GetTime();
    const DistanceUnits small = UnitsConv::GetSmallDistUnits(m_system);
    const SpeedUnits speed = UnitsConv::GetSpeedUnits(m_system);
    const AccelUnits accel = UnitsConv::GetAccelUnits(m_system);
    switch (field) {
    case PointFieldStatus:
        AppendPadded(out, point.GetStatus().GetFilterReason(), 1);
        break;
    case PointFieldTime:
        if (!time.IsNull())
            out += TimeConv::GetHMS(time, FractionOf(time.GetMicroseconds()));
        break;
    case PointFieldDate:
        out += TimeConv::GetYMD(time);
        break;
    case PointFieldDateTime:
        out += IsoTime::Format(time);
        break;
    case PointFieldLegLength:
        AppendFixed(out, UnitsConv::MetersToUnits(calc.Dist, small), 2);
        break;
    case PointFieldSpeed:
        AppendFixed(out, UnitsConv::KmhToUnits(calc.Speed, speed), 2);
        break;
    case PointFieldGpsSpeed:
        if (gps.HasGpsSpeed())
            AppendFixed(out, UnitsConv::KmhToUnits(gps.GetGpsSpeed(), speed), 2);
        break;
    case PointFieldAccel:
        AppendFixed(out, UnitsConv::Ms2ToUnits(calc.Accel, accel), 3);
        break;
    case PointFieldAccelVector:
        AppendFixed(out, UnitsConv::Ms2ToUnits(calc.AccelAbs, accel), 3);
        break;
    case PointFieldAccelTang:
        AppendFixed(out, UnitsConv::Ms2ToUnits(calc.AccelTang, accel), 3);
        break;
    case PointFieldAccelRadial:
        AppendFixed(out, UnitsConv::Ms2ToUnits(calc.AccelNorm, accel), 3);
        break;
    case PointFieldHeading:
        AppendFixed(out, calc.Heading, 1);
        break;
    case PointFieldGpsHeading:
        if (gps.HasGpsAzimuth())
            AppendFixed(out, gps.GetGpsAzimuth(), 1);
        break;
    case PointFieldLatitude:
        AppendFixed(out, point.GetLat(), 8);
        break;
    case PointFieldLongitude:
        AppendFixed(out, point.GetLon(), 8);
        break;
    case PointFieldElevation:
        if (point.HasElevation())
            AppendFixed(out, UnitsConv::MetersToUnits(point.GetElevation(), small), 2);
        break;
    case PointFieldElapsedTime:
        if (!time.IsNull() && !m_start.IsNull()) {
            const TimeSpan elapsed = time - m_start;
            out += TimeConv::GetHMS(elapsed, FractionOf(elapsed.GetMicroseconds()));
        }
        break;
    case PointFieldFromStart:
        AppendFixed(out, UnitsConv::MetersToUnits(calc.DistFromStart, UnitsConv::GetLargeDistUnits(m_system)), 3);
        break;
    case PointFieldHdop:
        if (gps.HasHdop())
            AppendFixed(out, gps.GetHdop(), 2);
        break;
    case PointFieldVdop:
        if (gps.HasVdop())
            AppendFixed(out, gps.GetVdop(), 2);
        break;
    case PointFieldPdop:
        if (gps.HasPdop())
            AppendFixed(out, gps.GetPdop(), 2);
        break;
    case PointFieldHeartRate:
        if (gps.HasHeartRate())
            AppendPadded(out, gps.GetHeartRate(), 1);
        break;
    case PointFieldCadence:
        if (gps.HasCadence())
            AppendPadded(out, gps.GetCadence(), 1);
        break;
    case PointFieldTemperature:
        if (gps.HasTemperature())
            AppendFixed(out, gps.GetTemperature(), 1);
        break;
    default:
        break;
    }
}
