#pragma once

#include "Time.h"

#include <string>
#include <string_view>

// ISO 8601 date-time text as track files carry it (GPX <time>, TCX <Time>,
// KML <when>).
class IsoTime
{
public:
    // Reads "2024-05-01T12:00:00Z" and the variants met in real files:
    // fractions of any length ("." or ","), zone offsets "+02:00", "-0500",
    // "+02", no zone at all (read as UTC), lower-case "t"/"z" or a space for
    // "T", the basic form "20240501T120000Z", a date alone (or a year-month,
    // or a year, as KML allows) meaning midnight UTC, 24:00:00 for the end of
    // a day and a leap second :60, and white space around the text. Returns
    // the time in UTC, or a null time when the text is not such a time.
    static Time Parse(std::string_view text);

    // "2024-05-01T12:00:00Z", with ".mmm" only when the time, rounded to the
    // millisecond, has a fraction. Empty for a null time.
    static std::string Format(const Time& utc);
};
