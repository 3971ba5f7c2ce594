#pragma once

#include <QString>

#include <functional>
#include <optional>

struct TrackStatistics;

// The figures of TrackStatistics as the panes show them, in the user's
// units; an empty text for a figure the points cannot give.
namespace StatisticsText {

QString Duration(const std::optional<double>& seconds);
QString Speed(const std::optional<double>& kmh);
QString Altitude(const std::optional<double>& metres);
QString Distance(double metres);
// "a / b" when both are known.
QString Pair(const std::optional<double>& a, const std::optional<double>& b, const std::function<QString(double)>& text);
QString HeartRate(double beats);
QString Cadence(double perMinute);
// One line for a marked stretch: points, distance, duration, average
// speed, ascent and descent (what the stretch has of them).
QString Summary(const TrackStatistics& stats);

} // namespace StatisticsText
