#include "ColumnFitCheck.h"

#include "ReportColumns.h"
#include "ReportControl.h"

#include <QHeaderView>

#include <gtest/gtest.h>

void ExpectEveryColumnFits(ReportControl& list, ReportColumns& columns,
                           const std::function<QString(int columnId)>& cellText)
{
    const ReportModel& model = list.GetModel();
    const QFontMetrics titles = list.header()->fontMetrics();
    const QFontMetrics cells = list.fontMetrics();
    for (int i = 0; i < model.GetColumnCount(); ++i) {
        const ReportColumn& column = model.GetColumn(i);
        columns.SetColumnVisible(column.id, true);
        const int width = list.header()->sectionSize(i);
        EXPECT_GT(width, titles.horizontalAdvance(column.GetTitle())) << qPrintable(column.GetTitle());
        if (!cellText)
            continue;
        const QString text = cellText(column.id);
        EXPECT_GT(width, cells.horizontalAdvance(text)) << qPrintable(text);
    }
}
