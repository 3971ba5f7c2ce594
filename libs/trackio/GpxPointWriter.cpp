#include "GpxPointWriter.h"

#include "GpxNames.h"
#include "TrackPoint.h"
#include "XmlBufferWriter.h"

#include <charconv>
#include <cmath>

namespace {

constexpr double KmhPerMs = 3.6;


const char* FixName(PositionFixType fix)
{
    switch (fix) {
    case PositionFixType::NoFix: return "none";
    case PositionFixType::Fix2D: return "2d";
    case PositionFixType::Fix3D: return "3d";
    case PositionFixType::Dgps: return "dgps";
    case PositionFixType::Pps: return "pps";
    case PositionFixType::Unknown: break;
    }
    return nullptr;
}

bool HasStatus(const TrackPointStatus& status)
{
    return !status.IsValid() || status.GetModes() != 0 || status.GetPenalty() != 0;
}

bool HasGarminValues(const TrackPointGpsParams& gps)
{
    return gps.HasTemperature() || gps.HasHeartRate() || gps.HasCadence() || gps.HasGpsSpeed()
        || gps.HasGpsAzimuth();
}

} // namespace

GpxPointWriter::GpxPointWriter(XmlBufferWriter& out, const Prefixes& prefixes)
    : m_out(out)
    , m_extensionOpen("<" + prefixes.garmin + ":TrackPointExtension>")
    , m_extensionClose("</" + prefixes.garmin + ":TrackPointExtension>")
    , m_garminPrefix(prefixes.garmin + ":")
    , m_powerOpen("<" + prefixes.power + ":PowerInWatts>")
    , m_powerClose("</" + prefixes.power + ":PowerInWatts>")
    , m_statusOpen("<" + prefixes.status + ":" + std::string(GpxNames::PointStatusElement))
{
}

void GpxPointWriter::Write(const TrackPoint& point, const std::optional<PointMarkup>& markup)
{
    const PointMarkup kept = markup.value_or(PointMarkup());
    const TrackPointGpsParams& gps = point.GetGpsParams();
    const bool garmin = HasGarminValues(gps);
    const bool status = HasStatus(point.GetStatus());
    const bool time = XmlBufferWriter::CanWriteTime(point.GetTime());
    const bool elevation = point.HasElevation() && std::isfinite(point.GetElevation());

    // The schema's longitudes stop short of 180; that meridian is -180.
    const double lon = point.GetLon() >= 180 ? point.GetLon() - 360 : point.GetLon();
    m_out.Append("      <trkpt lat=\"");
    m_out.AppendDouble(point.GetLat());
    m_out.Append("\" lon=\"");
    m_out.AppendDouble(lon);
    if (!elevation && !time && gps.IsEmpty() && !point.HasPower() && !status && !markup) {
        m_out.Append("\"/>\n");
        return;
    }
    m_out.Append("\">");
    if (elevation) {
        m_out.Append("<ele>");
        m_out.AppendDouble(point.GetElevation());
        m_out.Append("</ele>");
    }
    if (time) {
        m_out.Append("<time>");
        m_out.AppendTime(point.GetTime());
        m_out.Append("</time>");
    }
    m_out.Append(kept.fields);
    if (const char* fix = gps.HasFixType() ? FixName(gps.GetFixType()) : nullptr) {
        m_out.Append("<fix>");
        m_out.Append(fix);
        m_out.Append("</fix>");
    }
    if (gps.HasSatCount() && gps.GetSatCount() >= 0) {
        m_out.Append("<sat>");
        m_out.AppendInt(gps.GetSatCount());
        m_out.Append("</sat>");
    }
    const struct { bool has; double value; std::string_view open; std::string_view close; } dops[] = {
        {gps.HasHdop(), gps.GetHdop(), "<hdop>", "</hdop>"},
        {gps.HasVdop(), gps.GetVdop(), "<vdop>", "</vdop>"},
        {gps.HasPdop(), gps.GetPdop(), "<pdop>", "</pdop>"},
    };
    for (const auto& dop : dops) {
        if (!dop.has || !std::isfinite(dop.value))
            continue;
        m_out.Append(dop.open);
        m_out.AppendFloat(static_cast<float>(dop.value));
        m_out.Append(dop.close);
    }
    m_out.Append(kept.dgps);
    if (garmin || point.HasPower() || status || !kept.extensions.empty())
        WriteExtensions(point, garmin, status, kept.extensions);
    m_out.Append("</trkpt>\n");
}

void GpxPointWriter::WriteGarminValues(const TrackPointGpsParams& gps)
{
    m_out.Append(m_extensionOpen);
    const auto open = [this](std::string_view name) {
        m_out.Append('<');
        m_out.Append(m_garminPrefix);
        m_out.Append(name);
        m_out.Append('>');
    };
    const auto close = [this](std::string_view name) {
        m_out.Append("</");
        m_out.Append(m_garminPrefix);
        m_out.Append(name);
        m_out.Append('>');
    };
    // The extension's order: atemp, wtemp, depth, hr, cad, speed, course.
    if (gps.HasTemperature() && std::isfinite(gps.GetTemperature())) {
        const char* name = gps.GetTemperatureType() == TemperatureType::Water ? "wtemp" : "atemp";
        open(name);
        m_out.AppendFloat(gps.GetTemperature());
        close(name);
    }
    if (gps.HasHeartRate()) {
        open("hr");
        m_out.AppendInt(gps.GetHeartRate());
        close("hr");
    }
    if (gps.HasCadence()) {
        open("cad");
        m_out.AppendInt(gps.GetCadence());
        close("cad");
    }
    if (gps.HasGpsSpeed() && std::isfinite(gps.GetGpsSpeed())) {
        open("speed");
        WriteSpeed(gps.GetGpsSpeed());
        close("speed");
    }
    if (gps.HasGpsAzimuth() && std::isfinite(gps.GetGpsAzimuth())) {
        open("course");
        m_out.AppendFloat(static_cast<float>(gps.GetGpsAzimuth()));
        close("course");
    }
    m_out.Append(m_extensionClose);
}

void GpxPointWriter::WriteExtensions(const TrackPoint& point, bool garmin, bool status, std::string_view kept)
{
    m_out.Append("<extensions>");
    if (garmin)
        WriteGarminValues(point.GetGpsParams());
    if (point.HasPower()) {
        m_out.Append(m_powerOpen);
        m_out.AppendInt(point.GetPower());
        m_out.Append(m_powerClose);
    }
    if (status) {
        const TrackPointStatus& pointStatus = point.GetStatus();
        m_out.Append(m_statusOpen);
        if (!pointStatus.IsValid())
            m_out.Append(" filtered=\"true\"");
        const struct { const char* name; int value; } attributes[] = {
            {" reason=\"", pointStatus.GetFilterReason()},
            {" modes=\"", pointStatus.GetModes()},
            {" penalty=\"", pointStatus.GetPenalty()},
        };
        for (const auto& attribute : attributes) {
            if (attribute.value == 0)
                continue;
            m_out.Append(attribute.name);
            m_out.AppendInt(attribute.value);
            m_out.Append('"');
        }
        m_out.Append("/>");
    }
    m_out.Append(kept);
    m_out.Append("</extensions>");
}

void GpxPointWriter::WriteSpeed(double kmh)
{
    // Speeds are kept in km/h as floats and written in m/s. The short text
    // of the float nearest to the m/s value usually reads back to the same
    // float; where it does not, the full double is written.
    const float stored = static_cast<float>(kmh);
    const double ms = kmh / KmhPerMs;
    char text[64];
    const auto shortEnd = std::to_chars(text, text + sizeof(text), static_cast<float>(ms), std::chars_format::fixed).ptr;
    double back = 0;
    std::from_chars(text, shortEnd, back);
    if (static_cast<float>(back * KmhPerMs) == stored)
        m_out.AppendFloat(static_cast<float>(ms));
    else
        m_out.AppendDouble(ms);
}
