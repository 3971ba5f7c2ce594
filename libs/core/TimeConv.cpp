#include "TimeConv.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

int OffsetSeconds(const QTimeZone& zone, int64_t utcMicroseconds, DaylightSavingsMode mode)
{
    // Offsets change on whole seconds at most, so milliseconds are enough.
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(utcMicroseconds / TimeSpan::MicrosecondsPerMillisecond,
                                                        QTimeZone::utc());
    return mode == DaylightSavingsMode::Ignore ? zone.standardTimeOffset(at) : zone.offsetFromUtc(at);
}

TimeSpan SecondsSpan(int seconds)
{
    return TimeSpan::FromMicroseconds(seconds * TimeSpan::MicrosecondsPerSecond);
}

std::string Separated(int a, int b, int c, char separator, int firstWidth)
{
    char text[40];
    if (separator == '\0')
        std::snprintf(text, sizeof text, "%0*d%02d%02d", firstWidth, a, b, c);
    else
        std::snprintf(text, sizeof text, "%0*d%c%02d%c%02d", firstWidth, a, separator, b, separator, c);
    return text;
}

} // namespace

Time TimeConv::UtcToLocal(const Time& utc, const QTimeZone& zone, DaylightSavingsMode mode)
{
    return utc + GetUtcOffset(utc, zone, mode);
}

TimeSpan TimeConv::GetUtcOffset(const Time& utc, const QTimeZone& zone, DaylightSavingsMode mode)
{
    if (utc.IsNull())
        return TimeSpan();
    return SecondsSpan(OffsetSeconds(zone, utc.GetMicroseconds(), mode));
}

Time TimeConv::LocalToUtc(const Time& local, const QTimeZone& zone, DaylightSavingsMode mode)
{
    if (local.IsNull())
        return local;
    // The offsets a day either side bracket any single change of the clocks;
    // a candidate UTC time is right when the zone's offset there maps it back
    // onto the local time.
    const int64_t us = local.GetMicroseconds();
    const int before = OffsetSeconds(zone, us - TimeSpan::MicrosecondsPerDay, mode);
    const int after = OffsetSeconds(zone, us + TimeSpan::MicrosecondsPerDay, mode);
    const Time early = local - SecondsSpan(std::max(before, after));
    const Time late = local - SecondsSpan(std::min(before, after));
    if (UtcToLocal(early, zone, mode) == local)
        return early;
    if (UtcToLocal(late, zone, mode) == local)
        return late;
    return local - SecondsSpan(before);
}

TimeComponents TimeConv::GetComponents(const Time& time)
{
    TimeComponents parts;
    if (time.IsNull())
        return parts;
    const int64_t days = time.GetDate().GetMicroseconds() / TimeSpan::MicrosecondsPerDay;
    const QDate date = QDate::fromJulianDay(days + Time::EpochJulianDay);
    parts.year = date.year();
    parts.month = date.month();
    parts.day = date.day();
    const int64_t ms = time.GetTime().GetMicroseconds() / TimeSpan::MicrosecondsPerMillisecond;
    parts.milliseconds = static_cast<int>(ms % 1000);
    parts.second = static_cast<int>(ms / 1000 % 60);
    parts.minute = static_cast<int>(ms / 60000 % 60);
    parts.hour = static_cast<int>(ms / 3600000);
    return parts;
}

std::string TimeConv::GetYMD(const Time& time, char separator)
{
    if (time.IsNull())
        return {};
    const TimeComponents parts = GetComponents(time);
    return Separated(parts.year, parts.month, parts.day, separator, 4);
}

std::string TimeConv::GetHMS(const Time& time, MillisecondsStatus ms, char separator)
{
    if (time.IsNull())
        return {};
    return GetHMS(time.GetTime(), ms, separator);
}

std::string TimeConv::GetHMS(TimeSpan span, MillisecondsStatus ms, char separator)
{
    const int64_t us = span.GetMicroseconds();
    const int64_t totalMs = std::llabs(us) / TimeSpan::MicrosecondsPerMillisecond;
    const int64_t totalSeconds = totalMs / 1000;
    std::string text = us < 0 ? "-" : "";
    text += Separated(static_cast<int>(totalSeconds / 3600), static_cast<int>(totalSeconds / 60 % 60),
                      static_cast<int>(totalSeconds % 60), separator, 2);
    if (ms == MillisecondsStatus::With) {
        char fraction[8];
        std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(totalMs % 1000));
        text += fraction;
    }
    return text;
}
