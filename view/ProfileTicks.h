#pragma once

#include <QString>

#include <functional>
#include <vector>

struct ProfileTick
{
    double value;
    QString label;
};

// The labelled marks of a profile axis over [from, to], at most about
// maxCount of them, at round steps.
namespace ProfileTicks {

// The zone's offset from UTC, in seconds, at a UTC moment (absolute seconds).
using UtcOffset = std::function<int(double utcSeconds)>;

// Steps of 1, 2 and 5 times a power of ten; as many decimals as the step needs.
std::vector<ProfileTick> Values(double from, double to, int maxCount);
// Seconds since the start, labelled "h:mm" (with ":ss" below a minute step).
std::vector<ProfileTick> Elapsed(double from, double to, int maxCount);
// Absolute UTC seconds, marked where the wall clock of the zone shows a
// round time and labelled with that wall-clock time, so a tick at a
// daylight-saving change reads as the clock does; local midnight is
// labelled with its date.
std::vector<ProfileTick> TimeOfDay(double from, double to, int maxCount, const UtcOffset& offset);

// "h:mm", or "h:mm:ss" with seconds; a negative span gets a "-".
QString ElapsedText(double seconds, bool withSeconds);
// The wall-clock time of local seconds (UTC seconds plus the offset),
// "hh:mm" or "hh:mm:ss".
QString ClockText(double localSeconds, bool withSeconds);

} // namespace ProfileTicks
