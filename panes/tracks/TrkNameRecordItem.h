#pragma once

#include "ReportRecordItem.h"

#include <functional>

// What the name cell asks of the list: toggling a node's check box and
// renaming it. The list owns one and every name cell refers to it.
struct TrkNameActions
{
    std::function<void(int tid)> toggleCheck;
    std::function<void(int tid, const QString& name)> rename;
};

// The tree cell of a track list row: the node's check box (shown or hidden
// on the map), its icon by kind and its name, edited in place, in bold for
// the current segment. The check
// state and the name are read from the open tracks each time, so the cell
// never shows a value that the tracks do not hold.
class TrkNameRecordItem : public ReportRecordItem
{
public:
    TrkNameRecordItem(int tid, const TrkNameActions& actions);

    QVariant GetData(int role) const override;
    // Edits and check-box clicks go to the actions; the cell itself keeps
    // nothing, the change event that follows redraws it.
    bool SetData(const QVariant& value, int role) override;
    Qt::ItemFlags GetFlags() const override;

private:
    QString GetName() const;

    int m_tid;
    const TrkNameActions& m_actions;
};
