#include "IgcRecords.h"

#include <limits>

namespace {

// The fixed part of a B record: time, latitude, longitude, validity,
// pressure and GNSS altitudes.
constexpr size_t FixBytes = 35;
constexpr int MilliMinutesPerDegree = 60000;
// Two-digit years: IGC files exist since the 1990s.
constexpr int FirstYear = 1980;

// A run of decimal digits, with a '-' in front when allowed.
bool ReadNumber(std::string_view text, int& value, bool allowMinus = false)
{
    const bool negative = allowMinus && !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return false;
    int number = 0;
    for (const char c : text) {
        // An extension's byte range may be long: a number an int cannot
        // hold is no number here.
        if (c < '0' || c > '9' || number > (std::numeric_limits<int>::max() - 9) / 10)
            return false;
        number = number * 10 + (c - '0');
    }
    value = negative ? -number : number;
    return true;
}

// "DDMMmmm" + hemisphere (latitude) or "DDDMMmmm" + hemisphere (longitude).
bool ReadAngle(std::string_view text, size_t degreeDigits, char positive, char negative, int maxDegrees, double& value)
{
    int degrees = 0, milliMinutes = 0;
    if (!ReadNumber(text.substr(0, degreeDigits), degrees) || !ReadNumber(text.substr(degreeDigits, 5), milliMinutes))
        return false;
    const char hemisphere = text[degreeDigits + 5];
    if (milliMinutes >= MilliMinutesPerDegree || (hemisphere != positive && hemisphere != negative))
        return false;
    value = degrees + static_cast<double>(milliMinutes) / MilliMinutesPerDegree;
    if (value > maxDegrees)
        return false;
    if (hemisphere == negative)
        value = -value;
    return true;
}

} // namespace

bool IgcRecords::ReadDate(std::string_view line, Time& date)
{
    if (!line.starts_with("HFDTE"))
        return false;
    line.remove_prefix(5);
    if (line.starts_with("DATE:"))
        line.remove_prefix(5);
    int day = 0, month = 0, year = 0;
    date = Time();
    if (line.size() >= 6 && ReadNumber(line.substr(0, 2), day) && ReadNumber(line.substr(2, 2), month) &&
        ReadNumber(line.substr(4, 2), year)) {
        year += year + 1900 < FirstYear ? 2000 : 1900;
        date = Time(year, month, day);
    }
    return true;
}

bool IgcRecords::ReadExtensions(std::string_view line, Extensions& extensions)
{
    extensions = Extensions();
    int count = 0;
    if (line.size() < 3 || line.front() != 'I' || !ReadNumber(line.substr(1, 2), count))
        return false;
    constexpr size_t EntryBytes = 7;
    if (line.size() < 3 + static_cast<size_t>(count) * EntryBytes)
        return false;
    for (int i = 0; i < count; ++i) {
        const std::string_view entry = line.substr(3 + static_cast<size_t>(i) * EntryBytes, EntryBytes);
        int first = 0, last = 0;
        if (!ReadNumber(entry.substr(0, 2), first) || !ReadNumber(entry.substr(2, 2), last) || first < 1 ||
            last < first)
            return false;
        if (entry.substr(4) == "SIU") {
            extensions.satellitesBegin = static_cast<size_t>(first - 1);
            extensions.satellitesEnd = static_cast<size_t>(last);
        }
    }
    return true;
}

bool IgcRecords::ReadFix(std::string_view line, const Extensions& extensions, IgcFix& fix)
{
    if (line.size() < FixBytes || line.front() != 'B')
        return false;
    int hours = 0, minutes = 0, seconds = 0;
    if (!ReadNumber(line.substr(1, 2), hours) || !ReadNumber(line.substr(3, 2), minutes) ||
        !ReadNumber(line.substr(5, 2), seconds) || hours > 23 || minutes > 59 || seconds > 59)
        return false;
    fix = IgcFix();
    fix.timeOfDay = ((hours * 60LL + minutes) * 60 + seconds) * TimeSpan::MicrosecondsPerSecond;
    const char validity = line[24];
    if (!ReadAngle(line.substr(7, 8), 2, 'N', 'S', 90, fix.lat) ||
        !ReadAngle(line.substr(15, 9), 3, 'E', 'W', 180, fix.lon) || (validity != 'A' && validity != 'V') ||
        !ReadNumber(line.substr(25, 5), fix.pressureAltitude, true) ||
        !ReadNumber(line.substr(30, 5), fix.gnssAltitude, true))
        return false;
    fix.valid = validity == 'A';
    const size_t end = extensions.satellitesEnd;
    if (end > extensions.satellitesBegin && end <= line.size())
        fix.hasSatellites =
            ReadNumber(line.substr(extensions.satellitesBegin, end - extensions.satellitesBegin), fix.satellites);
    return true;
}
