#include "CleaningFigureRows.h"

#include "StringIds.h"

#include <cmath>

namespace {

struct Figure
{
    int labelId;
    std::optional<double> (*value)(const TrackStatistics& stats);
    int decimals;
};

const Figure kFigures[] = {
    {IDS_CLEAN_FIGURE_POINTS, [](const TrackStatistics& s) { return std::optional<double>(s.points); }, 0},
    {IDS_CLEAN_FIGURE_FILTERED, [](const TrackStatistics& s) { return std::optional<double>(s.filtered); }, 0},
    {IDS_CLEAN_FIGURE_DISTANCE, [](const TrackStatistics& s) { return std::optional<double>(s.distance); }, 1},
    {IDS_CLEAN_FIGURE_DURATION, [](const TrackStatistics& s) { return s.duration; }, 0},
    {IDS_CLEAN_FIGURE_MOVING, [](const TrackStatistics& s) { return s.movingTime; }, 0},
    {IDS_CLEAN_FIGURE_MAX_SPEED, [](const TrackStatistics& s) { return s.maxSpeed; }, 1},
    {IDS_CLEAN_FIGURE_ASCENT, [](const TrackStatistics& s) { return s.ascent; }, 1},
    {IDS_CLEAN_FIGURE_DESCENT, [](const TrackStatistics& s) { return s.descent; }, 1},
};

std::optional<double> ValueOf(const Figure& figure, const std::optional<TrackStatistics>& stats)
{
    if (!stats)
        return std::nullopt;
    const std::optional<double> value = figure.value(*stats);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

QString Number(const std::optional<double>& value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QStringLiteral("-");
}

} // namespace

std::vector<CleaningFigureRow> CleaningFigureRow::Of(const std::optional<TrackStatistics>& before,
                                                     const std::optional<TrackStatistics>& after)
{
    std::vector<CleaningFigureRow> rows;
    for (const Figure& figure : kFigures) {
        const std::optional<double> b = ValueOf(figure, before);
        const std::optional<double> a = ValueOf(figure, after);
        QString change = QStringLiteral("-");
        if (a && b) {
            change = Number(*a - *b, figure.decimals);
            // A change that rounds to nothing reads as none, not as "-0.0".
            if (change.startsWith(QLatin1Char('-')) && change.toDouble() == 0.0)
                change.remove(0, 1);
            if (!change.startsWith(QLatin1Char('-')) && change.toDouble() != 0.0)
                change.prepend(QLatin1Char('+'));
        }
        rows.push_back({figure.labelId, Number(b, figure.decimals), Number(a, figure.decimals), change});
    }
    return rows;
}
