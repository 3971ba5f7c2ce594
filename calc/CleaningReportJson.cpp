#include "CleaningReportJson.h"

#include <QJsonArray>

#include <cmath>

namespace {

QJsonValue Number(const std::optional<double>& value)
{
    return value && std::isfinite(*value) ? QJsonValue(*value) : QJsonValue();
}

QJsonObject Counts(const ReasonCounts& counts)
{
    QJsonObject object;
    for (const auto& [reason, count] : counts)
        object.insert(reason, count);
    return object;
}

QJsonValue Position(int position)
{
    return position < 0 ? QJsonValue() : QJsonValue(position);
}

QJsonValue OptionalFigures(const std::optional<TrackStatistics>& stats)
{
    return stats ? QJsonValue(CleaningReportJson::Figures(*stats)) : QJsonValue();
}

} // namespace

QJsonObject CleaningReportJson::Figures(const TrackStatistics& stats)
{
    return {
        {QStringLiteral("points"), stats.points},
        {QStringLiteral("filtered"), stats.filtered},
        {QStringLiteral("distance_m"), stats.distance},
        {QStringLiteral("duration_s"), Number(stats.duration)},
        {QStringLiteral("moving_time_s"), Number(stats.movingTime)},
        {QStringLiteral("max_speed_kmh"), Number(stats.maxSpeed)},
        {QStringLiteral("ascent_m"), Number(stats.ascent)},
        {QStringLiteral("descent_m"), Number(stats.descent)},
    };
}

QJsonObject CleaningReportJson::ToJson(const CleaningReport& report)
{
    QJsonArray segments;
    for (const CleaningSegment& segment : report.segments) {
        segments.append(QJsonObject{
            {QStringLiteral("before_segment"), Position(segment.beforePosition)},
            {QStringLiteral("after_segment"), Position(segment.afterPosition)},
            {QStringLiteral("before"), OptionalFigures(segment.before)},
            {QStringLiteral("after"), OptionalFigures(segment.after)},
            {QStringLiteral("removed"), Counts(segment.removed)},
            {QStringLiteral("filtered"), Counts(segment.filtered)},
        });
    }
    return {
        {QStringLiteral("before"), Figures(report.before)},
        {QStringLiteral("after"), Figures(report.after)},
        {QStringLiteral("removed"), Counts(report.GetRemoved())},
        {QStringLiteral("filtered"), Counts(report.GetFiltered())},
        {QStringLiteral("segments"), segments},
        {QStringLiteral("unchanged_segments"), report.unchangedSegments},
    };
}
