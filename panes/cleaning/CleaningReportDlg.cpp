#include "CleaningReportDlg.h"

#include "CleaningFigureRows.h"
#include "CleaningLog.h"
#include "CleaningReportText.h"
#include "OpenTracks.h"
#include "StringIds.h"
#include "Translator.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <numeric>

namespace {

enum Column { FigureColumn, BeforeColumn, AfterColumn, ChangeColumn, ColumnCount };

QString Text(int id)
{
    return Translator::GetInstance().LoadStr(id);
}

QTreeWidgetItem* AddRow(QTreeWidgetItem* parent, const QString& label, const QString& before = QString(),
                        const QString& after = QString(), const QString& change = QString())
{
    auto* item = new QTreeWidgetItem(parent, {label, before, after, change});
    for (int column = BeforeColumn; column < ColumnCount; ++column)
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

int Total(const ReasonCounts& counts)
{
    return std::accumulate(counts.begin(), counts.end(), 0, [](int sum, const auto& entry) { return sum + entry.second; });
}

// Removed points count as a loss in the change column; points left
// filtered stand in the after column.
void AddReasons(QTreeWidgetItem* group, int titleId, const ReasonCounts& counts, bool removed)
{
    if (counts.empty())
        return;
    const auto figure = [removed](int count) { return removed ? QString::number(-count) : QString::number(count); };
    QTreeWidgetItem* title = removed ? AddRow(group, Text(titleId), QString(), QString(), figure(Total(counts)))
                                     : AddRow(group, Text(titleId), QString(), figure(Total(counts)));
    for (const auto& [reason, count] : counts) {
        if (removed)
            AddRow(title, reason, QString(), QString(), figure(count));
        else
            AddRow(title, reason, QString(), figure(count));
    }
    title->setExpanded(true);
}

void AddGroup(QTreeWidgetItem* file, const QString& title, const std::optional<TrackStatistics>& before,
              const std::optional<TrackStatistics>& after, const ReasonCounts& removed, const ReasonCounts& filtered)
{
    QTreeWidgetItem* group = AddRow(file, title);
    for (const CleaningFigureRow& row : CleaningFigureRow::Of(before, after))
        AddRow(group, Text(row.labelId), row.before, row.after, row.change);
    AddReasons(group, IDS_CLEAN_REPORT_REMOVED, removed, true);
    AddReasons(group, IDS_CLEAN_REPORT_FILTERED, filtered, false);
    group->setExpanded(true);
}

} // namespace

CleaningReportDlg::CleaningReportDlg(CleaningLog& log, QAction* showPoints, QWidget* parent)
    : PaneDlgBase(kTemplateId, parent)
    , m_log(log)
    , m_title(new QLabel(this))
    , m_tree(new QTreeWidget(this))
{
    m_title->setWordWrap(true);
    m_tree->setColumnCount(ColumnCount);
    m_tree->setHeaderLabels({Text(IDS_CLEANING_COL_FIGURE), Text(IDS_CLEANING_COL_BEFORE), Text(IDS_CLEANING_COL_AFTER),
                             Text(IDS_CLEANING_COL_CHANGE)});
    // Every column as wide as its texts: a narrow pane scrolls sideways
    // rather than cutting a label or a figure off.
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->setUniformRowHeights(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_title, 1);
    if (showPoints) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(showPoints);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        top->addWidget(button, 0, Qt::AlignTop);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_tree, 1);
    m_changes = m_log.Subscribe([this] { Refill(); });
    Refill();
}

void CleaningReportDlg::Refill()
{
    static const std::vector<CleaningLog::FileReport> none;
    const bool undone = !m_log.Describes(OpenTracks::Get().history);
    const std::vector<CleaningLog::FileReport>& files = undone ? none : m_log.GetFiles();
    QString title;
    if (undone)
        title = Text(IDS_CLEANING_REPORT_UNDONE).arg(Text(m_log.GetNameId()));
    else if (files.empty() && m_log.GetNameId() == 0)
        title = Text(IDS_CLEANING_REPORT_EMPTY);
    else
        title = Translator::GetInstance().LoadStr(IDS_CLEANING_REPORT_TITLE).arg(Text(m_log.GetNameId())).arg(files.size());
    if (m_log.IsRecording())
        title += QLatin1Char('\n') + Text(IDS_CLEANING_RECORDING).arg(m_log.GetRecipe().steps.size());
    m_title->setText(title);

    m_tree->clear();
    for (const CleaningLog::FileReport& file : files) {
        const CleaningReport& report = file.report;
        auto* item = new QTreeWidgetItem(m_tree, {file.fileName});
        if (!report.error.isEmpty())
            AddRow(item, report.error);
        AddGroup(item, Text(IDS_CLEAN_REPORT_TOTAL), report.before, report.after, report.GetRemoved(),
                 report.GetFiltered());
        for (const CleaningSegment& segment : report.segments)
            AddGroup(item, CleaningReportText::SegmentTitle(segment), segment.before, segment.after, segment.removed,
                     segment.filtered);
        if (report.unchangedSegments > 0)
            AddRow(item, Text(IDS_CLEAN_REPORT_UNCHANGED).arg(report.unchangedSegments));
        item->setExpanded(true);
    }
}
