#include "TrackStatistics.h"

#include "CalcDataGeneralI.h"
#include "ClimbCounter.h"
#include "TrackMainI.h"
#include "TrackPoint.h"

#include <algorithm>

namespace {

template <class T, class Combine>
void Merge(std::optional<T>& into, const std::optional<T>& value, Combine combine)
{
    if (!value)
        return;
    into = into ? combine(*into, *value) : *value;
}

template <class T>
void Sum(std::optional<T>& into, const std::optional<T>& value)
{
    Merge(into, value, [](T a, T b) { return a + b; });
}

template <class T>
void Max(std::optional<T>& into, const std::optional<T>& value)
{
    Merge(into, value, [](T a, T b) { return std::max(a, b); });
}

template <class T>
void Min(std::optional<T>& into, const std::optional<T>& value)
{
    Merge(into, value, [](T a, T b) { return std::min(a, b); });
}

std::optional<double> Ratio(double sum, double count)
{
    if (!(count > 0))
        return std::nullopt;
    return sum / count;
}

constexpr double kSecondsPerHour = 3600.0;

} // namespace

std::optional<double> TrackStatistics::GetAverageSpeed() const
{
    if (!duration)
        return std::nullopt;
    return Ratio(distance / 1000.0 * kSecondsPerHour, *duration);
}

std::optional<double> TrackStatistics::GetAverageMovingSpeed() const
{
    if (!movingTime)
        return std::nullopt;
    return Ratio(movingDistance / 1000.0 * kSecondsPerHour, *movingTime);
}

std::optional<double> TrackStatistics::GetAverageHeartRate() const
{
    return Ratio(heartRateSum, heartRateCount);
}

std::optional<double> TrackStatistics::GetAverageCadence() const
{
    return Ratio(cadenceSum, cadenceCount);
}

void TrackStatistics::Add(const TrackStatistics& other)
{
    points += other.points;
    filtered += other.filtered;
    distance += other.distance;
    Sum(duration, other.duration);
    Sum(movingTime, other.movingTime);
    movingDistance += other.movingDistance;
    Max(maxSpeed, other.maxSpeed);
    Sum(ascent, other.ascent);
    Sum(descent, other.descent);
    Min(minElevation, other.minElevation);
    Max(maxElevation, other.maxElevation);
    Max(maxHeartRate, other.maxHeartRate);
    Max(maxCadence, other.maxCadence);
    heartRateSum += other.heartRateSum;
    heartRateCount += other.heartRateCount;
    cadenceSum += other.cadenceSum;
    cadenceCount += other.cadenceCount;
}

TrackStatistics TrackStatistics::OfRange(const TrackMainI& segment, int first, int last,
                                         const StatisticsParams& params)
{
    TrackStatistics stats;
    const int count = segment.GetPointCount();
    first = std::max(first, 0);
    if (last < 0 || last >= count)
        last = count - 1;
    ClimbCounter climbs(params.climbHysteresisMetres);
    bool started = false;
    TrackPoint previous;
    std::optional<Time> firstTime;
    std::optional<Time> lastTime;
    TrackPoint point;
    for (int i = first; i <= last; ++i) {
        ++stats.points;
        if (!segment.GetPoint(i, point) || !point.IsValid()) {
            ++stats.filtered;
            continue;
        }
        const bool timed = !point.GetTime().IsNull();
        if (timed) {
            if (!firstTime)
                firstTime = point.GetTime();
            lastTime = point.GetTime();
        }
        // A kept point's record measures the leg from the kept point before
        // it, which for the first one of the range lies outside.
        if (started) {
            const CalcTrackParams leg = segment.GetCalcData().GetPointParams(i);
            stats.distance += leg.Dist;
            if (timed && !previous.GetTime().IsNull()) {
                const double seconds = (point.GetTime() - previous.GetTime()).GetInSeconds();
                if (seconds > 0) {
                    Max(stats.maxSpeed, std::optional<double>(leg.Speed));
                    if (leg.Speed > params.movingSpeedKmh) {
                        stats.movingTime = stats.movingTime.value_or(0.0) + seconds;
                        stats.movingDistance += leg.Dist;
                    }
                }
            }
        }
        started = true;
        previous = point;
        if (point.HasElevation()) {
            climbs.Add(point.GetElevation());
            Min(stats.minElevation, std::optional<double>(point.GetElevation()));
            Max(stats.maxElevation, std::optional<double>(point.GetElevation()));
        }
        const TrackPointGpsParams& sensors = point.GetGpsParams();
        if (sensors.HasHeartRate()) {
            stats.heartRateSum += sensors.GetHeartRate();
            ++stats.heartRateCount;
            Max(stats.maxHeartRate, std::optional<int>(sensors.GetHeartRate()));
        }
        if (sensors.HasCadence()) {
            stats.cadenceSum += sensors.GetCadence();
            ++stats.cadenceCount;
            Max(stats.maxCadence, std::optional<int>(sensors.GetCadence()));
        }
    }
    if (firstTime) {
        stats.duration = (*lastTime - *firstTime).GetInSeconds();
        // Times without movement give a moving time, of zero.
        stats.movingTime = stats.movingTime.value_or(0.0);
    }
    if (stats.minElevation) {
        stats.ascent = climbs.GetAscent();
        stats.descent = climbs.GetDescent();
    }
    return stats;
}
