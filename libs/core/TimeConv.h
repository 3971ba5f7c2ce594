#pragma once

#include "Time.h"

#include <QTimeZone>

#include <string>

// A time split into calendar fields; milliseconds are cut, not rounded, so
// 23:59:59.9996 stays on its day and second.
struct TimeComponents
{
    int year = 0;
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// How zone offsets are applied.
enum class DaylightSavingsMode
{
    // The zone's real offset at that moment, summer time included. A local
    // time that occurs twice (clocks going back) is taken as the first of the
    // two; one that never occurs (clocks going forward) is read with the
    // offset from before the change, so it lands just after the change.
    Auto = 0,
    // The zone's standard offset all year.
    Ignore = 1,
};

enum class MillisecondsStatus
{
    Without = 0,
    With = 1,
};

// Zone conversions and fixed-format text of times. A null time stays null
// and gives empty text.
class TimeConv
{
public:
    static Time UtcToLocal(const Time& utc, const QTimeZone& zone = QTimeZone::systemTimeZone(),
                           DaylightSavingsMode mode = DaylightSavingsMode::Auto);
    static Time LocalToUtc(const Time& local, const QTimeZone& zone = QTimeZone::systemTimeZone(),
                           DaylightSavingsMode mode = DaylightSavingsMode::Auto);
    // Local time minus UTC at the given UTC moment (zero for a null time).
    static TimeSpan GetUtcOffset(const Time& utc, const QTimeZone& zone,
                                 DaylightSavingsMode mode = DaylightSavingsMode::Auto);

    static TimeComponents GetComponents(const Time& time);

    // "2024-05-01" with separator '-'; separator '\0' leaves it out.
    static std::string GetYMD(const Time& time, char separator = '-');
    // "12:00:05" or "12:00:05.250" with separator ':'; separator '\0' leaves
    // it out ("120005.250", as NMEA wants).
    static std::string GetHMS(const Time& time, MillisecondsStatus ms, char separator = ':');
    // The same text for a span: whole hours may exceed 23 and a negative
    // span gets a leading '-'.
    static std::string GetHMS(TimeSpan span, MillisecondsStatus ms, char separator = ':');
};
