#include "TrkStatisticsRows.h"

#include "PropertyGrid.h"
#include "StringIds.h"
#include "StatisticsText.h"
#include "TrackStatistics.h"

#include <optional>

namespace TrkStatisticsRows {


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
    using namespace StatisticsText;
    const auto altitude = [](double metres) { return Altitude(metres); };
    const auto asDouble = [](const std::optional<int>& value) {
        return value ? std::optional<double>(*value) : std::nullopt;
    };
    grid.UpdateItem(IDS_TRACK_PROP_DURATION, Duration(stats.duration));
    grid.UpdateItem(IDS_TRACK_PROP_MOVING_TIME, Duration(stats.movingTime));
    grid.UpdateItem(IDS_TRACK_PROP_AVG_SPEED, Speed(stats.GetAverageSpeed()));
    grid.UpdateItem(IDS_TRACK_PROP_AVG_MOVING_SPEED, Speed(stats.GetAverageMovingSpeed()));
    grid.UpdateItem(IDS_TRACK_PROP_MAX_SPEED, Speed(stats.maxSpeed));
    grid.UpdateItem(IDS_TRACK_PROP_ASCENT_DESCENT, Pair(stats.ascent, stats.descent, altitude));
    grid.UpdateItem(IDS_TRACK_PROP_ELEVATION_RANGE, Pair(stats.minElevation, stats.maxElevation, altitude));
    grid.UpdateItem(IDS_TRACK_PROP_HEART_RATE, Pair(stats.GetAverageHeartRate(), asDouble(stats.maxHeartRate), HeartRate));
    grid.UpdateItem(IDS_TRACK_PROP_CADENCE, Pair(stats.GetAverageCadence(), asDouble(stats.maxCadence), Cadence));
}

} // namespace TrkStatisticsRows
