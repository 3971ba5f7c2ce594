#pragma once

#include <QString>

#include <cstdint>

class Time;

// Numbers, dates and times as the user's locale (QLocale()) writes them.
// Times are shown as they are given (convert them to the user's zone first);
// a null time gives an empty text. Time texts cut to the shown precision.
class Locale
{
public:
    // Flags of the date and time texts; 0 is the short date and hours,
    // minutes and seconds.
    enum Flags {
        LongDate = 1,          // the date with weekday and month name
        WithMilliseconds = 2,  // the time with a fraction of the second
    };

    // With the locale's digit grouping ("12,345").
    static QString GetIntString(int64_t value);
    // A fixed number of decimals; a negative count gives the shortest text
    // that reads back as the same double.
    static QString GetDoubleString(double value, int decimals);
    static QString GetDateString(const Time& time, int flags = 0);
    static QString GetTimeString(const Time& time, int flags = 0);
    // The date, a space and the time.
    static QString GetDateTimeString(const Time& time, int flags = 0);
};
