#pragma once

#include "PaneDlgBase.h"

#include <boost/signals2/connection.hpp>

class CleaningLog;
class QAction;
class QLabel;
class QTreeWidget;

// The Cleaning Report pane: what the last cleaning step or recipe changed
// in each file it touched, figure by figure before and after, for the
// whole file and each touched segment, with the points removed and left
// filtered by reason; and whether a recipe is being recorded. It follows
// the log and can stay open while the user cleans.
class CleaningReportDlg : public PaneDlgBase
{
public:
    static constexpr int kTemplateId = 150;

    // showPoints, when given, is the command that overlays the counted
    // points on the map; the pane offers it as a button.
    explicit CleaningReportDlg(CleaningLog& log, QAction* showPoints = nullptr, QWidget* parent = nullptr);

    QTreeWidget& GetTree() { return *m_tree; }
    QLabel& GetTitle() { return *m_title; }

private:
    void Refill();

    CleaningLog& m_log;
    QLabel* m_title;
    QTreeWidget* m_tree;
    boost::signals2::scoped_connection m_changes;
};
