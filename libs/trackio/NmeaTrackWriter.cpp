#include "NmeaTrackWriter.h"

#include "NmeaSentence.h"
#include "TimeConv.h"
#include "TrackData.h"

#include <cmath>

namespace {

constexpr double KmhPerKnot = 1.852;
constexpr long long MinuteScale = 100000; // five decimals of minutes

// "ddmm.mmmmm,N": rounding is done on the whole value, so 59.999999
// minutes carry into the degrees instead of printing as 60.
void AppendCoordinate(std::string& out, double degrees, int degreeDigits, char positive, char negative)
{
    const long long perDegree = 60 * MinuteScale;
    const long long total = std::llround(std::fabs(degrees) * static_cast<double>(perDegree));
    TrackWriterBase::AppendPadded(out, total / perDegree, degreeDigits);
    TrackWriterBase::AppendPadded(out, total % perDegree / MinuteScale, 2);
    out += '.';
    TrackWriterBase::AppendPadded(out, total % MinuteScale, 5);
    out += ',';
    out += degrees < 0 ? negative : positive;
}

// What the sentences of one point share.
struct PointText
{
    std::string time; // "hhmmss.sss", empty without time
    TimeComponents date;
    std::string position; // "lat,N,lon,E"
    bool valid = true;

    explicit PointText(const TrackPoint& point)
        : valid(point.IsValid())
    {
        if (!point.GetTime().IsNull()) {
            // Rounded to the millisecond before splitting, so that
            // 23:59:59.9996 becomes midnight of the next day.
            const int64_t us = point.GetTime().GetMicroseconds();
            const int64_t ms = us >= 0 ? (us + 500) / 1000 : -((-us + 499) / 1000);
            const Time rounded = Time::FromMicroseconds(ms * 1000);
            time = TimeConv::GetHMS(rounded, MillisecondsStatus::With, '\0');
            date = TimeConv::GetComponents(rounded);
        }
        AppendCoordinate(position, point.GetLat(), 2, 'N', 'S');
        position += ',';
        AppendCoordinate(position, point.GetLon(), 3, 'E', 'W');
    }
    bool HasTime() const { return !time.empty(); }
};

void AppendSentence(std::string& out, std::string_view body)
{
    static const char Hex[] = "0123456789ABCDEF";
    const uint8_t sum = NmeaSentence::Checksum(body);
    out += '$';
    out += body;
    out += '*';
    out += Hex[sum >> 4];
    out += Hex[sum & 0xF];
    out += "\r\n";
}

void AppendRmc(std::string& out, const TrackPoint& point, const PointText& text)
{
    const TrackPointGpsParams& gps = point.GetGpsParams();
    std::string s = "GPRMC,";
    s += text.time;
    s += text.valid ? ",A," : ",V,";
    s += text.position;
    s += ',';
    if (gps.HasGpsSpeed())
        TrackWriterBase::AppendFixed(s, gps.GetGpsSpeed() / KmhPerKnot, 3);
    s += ',';
    if (gps.HasGpsAzimuth())
        TrackWriterBase::AppendFixed(s, gps.GetGpsAzimuth(), 2);
    s += ',';
    if (text.HasTime()) {
        TrackWriterBase::AppendPadded(s, text.date.day, 2);
        TrackWriterBase::AppendPadded(s, text.date.month, 2);
        TrackWriterBase::AppendPadded(s, text.date.year % 100, 2);
    }
    s += text.valid ? ",,,A" : ",,,N";
    AppendSentence(out, s);
}

int GgaQuality(const TrackPoint& point)
{
    if (!point.IsValid())
        return 0;
    const TrackPointGpsParams& gps = point.GetGpsParams();
    if (gps.HasFixType() && gps.GetFixType() == PositionFixType::Dgps)
        return 2;
    if (gps.HasFixType() && gps.GetFixType() == PositionFixType::Pps)
        return 3;
    return 1;
}

void AppendGga(std::string& out, const TrackPoint& point, const PointText& text)
{
    const TrackPointGpsParams& gps = point.GetGpsParams();
    std::string s = "GPGGA,";
    s += text.time;
    s += ',';
    s += text.position;
    s += ',';
    TrackWriterBase::AppendPadded(s, GgaQuality(point), 1);
    s += ',';
    if (gps.HasSatCount())
        TrackWriterBase::AppendPadded(s, gps.GetSatCount(), 2);
    s += ',';
    if (gps.HasHdop())
        TrackWriterBase::AppendFixed(s, gps.GetHdop(), 2);
    s += ',';
    if (point.HasElevation())
        TrackWriterBase::AppendFixed(s, point.GetElevation(), 2);
    s += ",M,,M,,";
    AppendSentence(out, s);
}

void AppendGll(std::string& out, const PointText& text)
{
    std::string s = "GPGLL,";
    s += text.position;
    s += ',';
    s += text.time;
    s += text.valid ? ",A,A" : ",V,N";
    AppendSentence(out, s);
}

// GSA's mode: 1 no fix, 2 2D, 3 3D (differential and PPS fixes are 3D).
void AppendGsaMode(std::string& s, const TrackPointGpsParams& gps)
{
    if (!gps.HasFixType())
        return;
    switch (gps.GetFixType()) {
    case PositionFixType::NoFix:
        s += '1';
        break;
    case PositionFixType::Fix2D:
        s += '2';
        break;
    case PositionFixType::Fix3D:
    case PositionFixType::Dgps:
    case PositionFixType::Pps:
        s += '3';
        break;
    case PositionFixType::Unknown:
        break;
    }
}

void AppendGsa(std::string& out, const TrackPoint& point)
{
    const TrackPointGpsParams& gps = point.GetGpsParams();
    std::string s = "GPGSA,A,";
    AppendGsaMode(s, gps);
    s += ",,,,,,,,,,,,,"; // twelve satellite numbers, not kept
    if (gps.HasPdop())
        TrackWriterBase::AppendFixed(s, gps.GetPdop(), 2);
    s += ',';
    if (gps.HasHdop())
        TrackWriterBase::AppendFixed(s, gps.GetHdop(), 2);
    s += ',';
    if (gps.HasVdop())
        TrackWriterBase::AppendFixed(s, gps.GetVdop(), 2);
    AppendSentence(out, s);
}

void AppendZda(std::string& out, const PointText& text)
{
    std::string s = "GPZDA,";
    s += text.time;
    s += ',';
    TrackWriterBase::AppendPadded(s, text.date.day, 2);
    s += ',';
    TrackWriterBase::AppendPadded(s, text.date.month, 2);
    s += ',';
    TrackWriterBase::AppendPadded(s, text.date.year, 4);
    s += ",00,00";
    AppendSentence(out, s);
}

} // namespace

int NmeaTrackWriter::GetParamsSet() const
{
    int params = 0;
    if (m_messages & MessageRmc)
        params |= ParamLatLon | ParamDate | ParamTime;
    if (m_messages & MessageGga)
        params |= ParamLatLon | ParamTime | ParamElevation | ParamSatellites | ParamHdop;
    if (m_messages & MessageGsa)
        params |= ParamPdop | ParamHdop | ParamVdop;
    if (m_messages & MessageGll)
        params |= ParamLatLon | ParamTime;
    if (m_messages & MessageZda)
        params |= ParamDate | ParamTime;
    return params;
}

bool NmeaTrackWriter::AreParamsOkForTrack(int params)
{
    const int required = ParamLatLon | ParamDate | ParamTime;
    return (params & required) == required;
}

NmeaTrackWriter::SaveStatus NmeaTrackWriter::Save(const TrackData& points)
{
    std::string text;
    for (const TrackPoint& point : points.GetPoints()) {
        AppendPoint(text, point, m_messages);
        if (text.size() >= 1 << 16) {
            if (const SaveStatus status = Write(text); status != TrackSaverI::Success)
                return status;
            text.clear();
        }
    }
    return Write(text);
}

void NmeaTrackWriter::AppendPoint(std::string& out, const TrackPoint& point, int messages)
{
    const PointText text(point);
    if (messages & MessageRmc)
        AppendRmc(out, point, text);
    if (messages & MessageGga)
        AppendGga(out, point, text);
    if (messages & MessageGll)
        AppendGll(out, text);
    if (messages & MessageGsa)
        AppendGsa(out, point);
    if ((messages & MessageZda) && text.HasTime())
        AppendZda(out, text);
}
