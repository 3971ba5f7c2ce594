#include "CleaningReportText.h"

#include "StringIds.h"
#include "Translator.h"

#include <QStringList>

#include <cmath>

namespace {

QString Text(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

QString Number(const std::optional<double>& value, int decimals)
{
    return value && std::isfinite(*value) ? QString::number(*value, 'f', decimals) : QStringLiteral("-");
}

// "    distance (m)        12345.6 -> 12001.2"
QString Row(int labelId, const QString& before, const QString& after)
{
    return QStringLiteral("    %1 %2 -> %3\n").arg(Text(labelId), -20).arg(before, 12).arg(after);
}

QString Figures(const std::optional<TrackStatistics>& before, const std::optional<TrackStatistics>& after)
{
    struct Figure
    {
        int labelId;
        std::optional<double> TrackStatistics::*value;
        int decimals;
    };
    const TrackStatistics none;
    const TrackStatistics& b = before ? *before : none;
    const TrackStatistics& a = after ? *after : none;
    const auto side = [](const std::optional<TrackStatistics>& stats, const QString& text) {
        return stats ? text : QStringLiteral("-");
    };
    QString text = Row(IDS_CLEAN_FIGURE_POINTS, side(before, QString::number(b.points)), side(after, QString::number(a.points)));
    text += Row(IDS_CLEAN_FIGURE_FILTERED, side(before, QString::number(b.filtered)),
                side(after, QString::number(a.filtered)));
    text += Row(IDS_CLEAN_FIGURE_DISTANCE, side(before, QString::number(b.distance, 'f', 1)),
                side(after, QString::number(a.distance, 'f', 1)));
    const Figure optional[] = {
        {IDS_CLEAN_FIGURE_DURATION, &TrackStatistics::duration, 0},
        {IDS_CLEAN_FIGURE_MOVING, &TrackStatistics::movingTime, 0},
        {IDS_CLEAN_FIGURE_MAX_SPEED, &TrackStatistics::maxSpeed, 1},
        {IDS_CLEAN_FIGURE_ASCENT, &TrackStatistics::ascent, 1},
        {IDS_CLEAN_FIGURE_DESCENT, &TrackStatistics::descent, 1},
    };
    for (const Figure& figure : optional)
        text += Row(figure.labelId, Number(b.*figure.value, figure.decimals), Number(a.*figure.value, figure.decimals));
    return text;
}

QString Counts(int titleId, const ReasonCounts& counts)
{
    if (counts.empty())
        return QString();
    QStringList parts;
    for (const auto& [reason, count] : counts)
        parts << QStringLiteral("%1 %2").arg(count).arg(reason);
    return QStringLiteral("    %1: %2\n").arg(Text(titleId), parts.join(QStringLiteral(", ")));
}

QString SegmentTitle(const CleaningSegment& segment)
{
    if (segment.beforePosition < 0)
        return Text(IDS_CLEAN_REPORT_NEW_SEGMENT).arg(segment.afterPosition);
    if (segment.afterPosition < 0)
        return Text(IDS_CLEAN_REPORT_GONE_SEGMENT).arg(segment.beforePosition);
    return Text(IDS_CLEAN_REPORT_SEGMENT).arg(segment.afterPosition);
}

} // namespace

QString CleaningReportText::Format(const QString& input, const QString& recipeName, const QString& output,
                                   const CleaningReport& report)
{
    QString text = Text(IDS_CLEAN_REPORT_FILE).arg(input, recipeName, output) + QLatin1Char('\n');
    const QString header = QStringLiteral("  %1 (%2)\n");
    text += header.arg(Text(IDS_CLEAN_REPORT_TOTAL), Text(IDS_CLEAN_REPORT_HEADER));
    text += Figures(report.before, report.after);
    text += Counts(IDS_CLEAN_REPORT_REMOVED, report.GetRemoved());
    text += Counts(IDS_CLEAN_REPORT_FILTERED, report.GetFiltered());
    for (const CleaningSegment& segment : report.segments) {
        text += header.arg(SegmentTitle(segment), Text(IDS_CLEAN_REPORT_HEADER));
        text += Figures(segment.before, segment.after);
        text += Counts(IDS_CLEAN_REPORT_REMOVED, segment.removed);
        text += Counts(IDS_CLEAN_REPORT_FILTERED, segment.filtered);
    }
    if (report.unchangedSegments > 0)
        text += QStringLiteral("  ") + Text(IDS_CLEAN_REPORT_UNCHANGED).arg(report.unchangedSegments) + QLatin1Char('\n');
    return text;
}
