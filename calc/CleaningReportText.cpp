#include "CleaningReportText.h"

#include "CleaningFigureRows.h"
#include "StringIds.h"
#include "Translator.h"

#include <QStringList>

namespace {

QString Text(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

// "    distance (m)        12345.6 -> 12001.2"
QString Figures(const std::optional<TrackStatistics>& before, const std::optional<TrackStatistics>& after)
{
    QString text;
    for (const CleaningFigureRow& row : CleaningFigureRow::Of(before, after))
        text += QStringLiteral("    %1 %2 -> %3\n").arg(Text(row.labelId), -20).arg(row.before, 12).arg(row.after);
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

} // namespace

QString CleaningReportText::SegmentTitle(const CleaningSegment& segment)
{
    if (segment.beforePosition < 0)
        return Text(IDS_CLEAN_REPORT_NEW_SEGMENT).arg(segment.afterPosition);
    if (segment.afterPosition < 0)
        return Text(IDS_CLEAN_REPORT_GONE_SEGMENT).arg(segment.beforePosition);
    return Text(IDS_CLEAN_REPORT_SEGMENT).arg(segment.afterPosition);
}

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
