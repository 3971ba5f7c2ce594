#include "TrkStatisticsRows.h"

#include "PropertyGrid.h"
#include "StringIds.h"
#include "TrackDurationText.h"
#include "TrackStatistics.h"
#include "UnitsDisp.h"

#include <cmath>
#include <functional>
#include <optional>

namespace TrkStatisticsRows {

namespace {

template <class T>
QString TextOf(const std::optional<T>& value, const std::function<QString(T)>& text)
{
    return value ? text(*value) : QString();
}

// "a / b" when both are known.
template <class A, class B>
QString PairOf(const std::optional<A>& a, const std::optional<B>& b, const std::function<QString(double)>& text)
{
    if (!a || !b)
        return {};
    return text(*a) + QStringLiteral(" / ") + text(*b);
}

QString Duration(double seconds)
{
    return TrackDurationText(TimeSpan::FromSeconds(seconds)).trimmed();
}

QString Speed(double kmh)
{
    return UnitsDisp::GetSpeedString(kmh, 1);
}

QString Altitude(double metres)
{
    return UnitsDisp::GetAltitudeString(metres, 0);
}

QString HeartRate(double beats)
{
    return UnitsDisp::GetHeartRateString(static_cast<int>(std::lround(beats)));
}

QString Cadence(double perMinute)
{
    return UnitsDisp::GetCadenceString(static_cast<int>(std::lround(perMinute)), CadenceType::Revolutions);
}

} // namespace

void Add(PropertyGrid& grid)
{
    QTreeWidgetItem* group = grid.AddNodeItem(IDS_TRACK_PROP_STATISTICS, true);
    for (int row : {IDS_TRACK_PROP_DURATION, IDS_TRACK_PROP_MOVING_TIME, IDS_TRACK_PROP_AVG_SPEED,
                    IDS_TRACK_PROP_AVG_MOVING_SPEED, IDS_TRACK_PROP_MAX_SPEED, IDS_TRACK_PROP_ASCENT_DESCENT,
                    IDS_TRACK_PROP_ELEVATION_RANGE, IDS_TRACK_PROP_HEART_RATE, IDS_TRACK_PROP_CADENCE})
        grid.AddChildItem(group, row, PropertyGrid::ValueType::Number);
}

void Fill(PropertyGrid& grid, const TrackStatistics& stats)
{
    grid.UpdateItem(IDS_TRACK_PROP_DURATION, TextOf<double>(stats.duration, Duration));
    grid.UpdateItem(IDS_TRACK_PROP_MOVING_TIME, TextOf<double>(stats.movingTime, Duration));
    grid.UpdateItem(IDS_TRACK_PROP_AVG_SPEED, TextOf<double>(stats.GetAverageSpeed(), Speed));
    grid.UpdateItem(IDS_TRACK_PROP_AVG_MOVING_SPEED, TextOf<double>(stats.GetAverageMovingSpeed(), Speed));
    grid.UpdateItem(IDS_TRACK_PROP_MAX_SPEED, TextOf<double>(stats.maxSpeed, Speed));
    grid.UpdateItem(IDS_TRACK_PROP_ASCENT_DESCENT, PairOf(stats.ascent, stats.descent, Altitude));
    grid.UpdateItem(IDS_TRACK_PROP_ELEVATION_RANGE, PairOf(stats.minElevation, stats.maxElevation, Altitude));
    grid.UpdateItem(IDS_TRACK_PROP_HEART_RATE, PairOf(stats.GetAverageHeartRate(), stats.maxHeartRate, HeartRate));
    grid.UpdateItem(IDS_TRACK_PROP_CADENCE, PairOf(stats.GetAverageCadence(), stats.maxCadence, Cadence));
}

} // namespace TrkStatisticsRows
