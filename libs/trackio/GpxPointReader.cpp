#include "GpxPointReader.h"

#include "ExpatStreamReader.h"
#include "IsoTime.h"
#include "TextNumber.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

constexpr double KmhPerMs = 3.6;

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool ReadCoordinate(const char** attributes, const char* name, double limit, double& value, std::string& error)
{
    const char* text = ExpatStreamReader::Attribute(attributes, name);
    if (!text) {
        error = std::string("a point without the \"") + name + "\" attribute";
        return false;
    }
    if (!TextNumber::ToDouble(text, value)) {
        error = std::string("bad ") + name + " value " + TextNumber::Quote(text);
        return false;
    }
    if (std::abs(value) > limit) {
        error = std::string(name) + " " + TextNumber::Quote(text) + " is out of range";
        return false;
    }
    return true;
}

bool ParseFix(std::string_view text, PositionFixType& fix)
{
    text = TextNumber::Trim(text);
    const struct { std::string_view name; PositionFixType fix; } kFixes[] = {
        {"none", PositionFixType::NoFix}, {"2d", PositionFixType::Fix2D}, {"3d", PositionFixType::Fix3D},
        {"dgps", PositionFixType::Dgps}, {"pps", PositionFixType::Pps},
    };
    for (const auto& entry : kFixes) {
        if (EqualsNoCase(text, entry.name)) {
            fix = entry.fix;
            return true;
        }
    }
    return false;
}

// A byte-sized sensor value (heart rate, cadence), or false.
bool ParseByte(std::string_view text, unsigned char& value)
{
    double parsed = 0;
    if (!TextNumber::ToDouble(text, parsed) || parsed < 0 || parsed > 255)
        return false;
    value = static_cast<unsigned char>(std::lround(parsed));
    return true;
}

// A whole number from 0 to max in an attribute, or false.
bool ReadWhole(const char** attributes, const char* name, int max, int& value)
{
    const char* text = ExpatStreamReader::Attribute(attributes, name);
    double parsed = 0;
    if (!text || !TextNumber::ToDouble(text, parsed) || parsed < 0 || parsed > max || parsed != std::floor(parsed))
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

bool GpxPointReader::IsPointValue(std::string_view local)
{
    for (std::string_view value : {"ele", "time", "fix", "sat", "hdop", "vdop", "pdop", "speed", "course"}) {
        if (local == value)
            return true;
    }
    return false;
}

bool GpxPointReader::IsExtensionRead(std::string_view local)
{
    for (std::string_view read : {"TrackPointExtension", "hr", "heartrate", "cad", "cadence", "atemp", "temp",
                                  "Temperature", "wtemp", "speed", "course", "PowerInWatts", "power"}) {
        if (local == read)
            return true;
    }
    return false;
}

bool GpxPointReader::Begin(const char** attributes, std::string& error)
{
    m_point = TrackPoint();
    double lat = 0;
    double lon = 0;
    if (!ReadCoordinate(attributes, "lat", 90, lat, error) || !ReadCoordinate(attributes, "lon", 180, lon, error))
        return false;
    m_point.Set2D({lon, lat});
    return true;
}

bool GpxPointReader::ReadValue(std::string_view local, std::string_view text, std::string& error)
{
    const std::string_view trimmed = TextNumber::Trim(text);
    // Empty elements are written by some loggers for "unknown"; so is NaN.
    if (trimmed.empty() || EqualsNoCase(trimmed, "nan"))
        return true;
    TrackPointGpsParams& gps = m_point.GetGpsParams();
    if (local == "time") {
        const Time time = IsoTime::Parse(trimmed);
        if (time.IsNull()) {
            error = "bad time " + TextNumber::Quote(trimmed);
            return false;
        }
        m_point.SetTime(time);
        return true;
    }
    if (local == "fix") {
        PositionFixType fix = PositionFixType::Unknown;
        if (ParseFix(trimmed, fix))
            gps.SetFixType(fix);
        return true;
    }
    if (!IsPointValue(local))
        return true;
    double value = 0;
    const double scale = local == "speed" ? KmhPerMs : 1.0;
    if (!TextNumber::ToDouble(trimmed, value) || (local != "ele" && !TextNumber::FitsFloat(value * scale))) {
        error = "bad " + std::string(local == "ele" ? "elevation" : local) + " value " + TextNumber::Quote(trimmed);
        return false;
    }
    if (local == "ele")
        m_point.SetElevation(value);
    else if (local == "hdop")
        gps.SetHdop(value);
    else if (local == "vdop")
        gps.SetVdop(value);
    else if (local == "pdop")
        gps.SetPdop(value);
    else if (local == "sat")
        gps.SetSatCount(static_cast<int>(std::clamp(std::lround(value), 0L, 32767L)));
    else if (local == "speed")
        gps.SetGpsSpeed(value * KmhPerMs);
    else
        gps.SetGpsAzimuth(value);
    return true;
}

void GpxPointReader::ReadExtensionValue(std::string_view local, std::string_view text)
{
    TrackPointGpsParams& gps = m_point.GetGpsParams();
    unsigned char byte = 0;
    double value = 0;
    if (local == "hr" || local == "heartrate") {
        if (ParseByte(text, byte))
            gps.SetHeartRate(byte);
    } else if (local == "cad" || local == "cadence") {
        if (ParseByte(text, byte))
            gps.SetCadence(byte);
    } else if (local == "PowerInWatts" || local == "power") {
        if (TextNumber::ToDouble(text, value) && TrackPoint::IsPowerReading(value))
            m_point.SetPower(value);
    } else if (!TextNumber::ToDouble(text, value) || !TextNumber::FitsFloat(value * KmhPerMs)) {
        return; // unreadable, or beyond single precision at the largest scale used below
    } else if (local == "atemp" || local == "temp" || local == "Temperature") {
        gps.SetTemperature(static_cast<float>(value), TemperatureType::Air);
    } else if (local == "wtemp") {
        gps.SetTemperature(static_cast<float>(value), TemperatureType::Water);
    } else if (local == "speed") {
        gps.SetGpsSpeed(value * KmhPerMs);
    } else if (local == "course") {
        gps.SetGpsAzimuth(value);
    }
}

void GpxPointReader::ReadStatus(const char** attributes)
{
    TrackPointStatus& status = m_point.GetStatus();
    const char* filtered = ExpatStreamReader::Attribute(attributes, "filtered");
    if (filtered && (std::string_view(filtered) == "true" || std::string_view(filtered) == "1"))
        status.SetValid(false);
    int value = 0;
    // Scored reasons reach score * 1000 + code with scores up to 1000.
    constexpr int kMaxReasonKey = 1000 * 1000 + 99;
    if (ReadWhole(attributes, "reason", kMaxReasonKey, value) && value > 0)
        status.SetFilterReason(value);
    if (ReadWhole(attributes, "modes", 0xFF, value))
        status.SetModes(static_cast<uint8_t>(value));
    if (ReadWhole(attributes, "penalty", 0xFFFF, value))
        status.SetPenalty(static_cast<unsigned short>(value));
}
