#pragma once

#include "ReportModel.h"

#include <QTreeView>

#include <functional>
#include <memory>
#include <vector>

class ReportVirtualRecordI;

// A list of records keyed by integer ids (track-tree identifiers, point
// indices). Rows are addressed by model indexes; GetRowIndex gives the index
// of a top row. In virtual mode the rows are only a count and each visible
// cell is computed by the virtual record.
class ReportControl : public QTreeView
{
public:
    // Item role of a colour swatch cell (a QColor).
    static constexpr int ColorSwatchRole = Qt::UserRole + 1;

    explicit ReportControl(QWidget* parent = nullptr);
    ~ReportControl() override;

    ReportModel& GetModel() { return *m_model; }
    const ReportModel& GetModel() const { return *m_model; }

    void SetRecords(std::vector<std::unique_ptr<ReportRecord>> records);
    // The record must outlive the control or the next mode change; call again
    // when the row count changes.
    void SetVirtualMode(const ReportVirtualRecordI* record, int rowCount);
    // Redraws every visible cell, or the row of one id.
    void RefreshAll() { m_model->RefreshAll(); }
    void RefreshId(int id) { m_model->RefreshId(id); }

    std::vector<int> GetSelectedIds() const;
    // Selects exactly the rows of these ids (ids without a row are skipped).
    void Select(const std::vector<int>& ids);
    void SelectAll();
    // The id of the row with the focus; -1 when none.
    int GetFocusedId() const;
    // Moves the focus to the row of the id without changing the selection.
    bool SetFocusedId(int id);

    QModelIndex GetRowIndex(int row) const { return m_model->index(row, 0); }
    int GetId(const QModelIndex& row) const { return m_model->GetId(row); }
    int GetId(int row) const { return m_model->GetId(GetRowIndex(row)); }
    // The row of an id; invalid when the id has no row.
    QModelIndex FindRow(int id) const { return m_model->FindId(id); }
    // Opens every parent of the row so that it can be seen, and scrolls to it.
    void ExpandUp(const QModelIndex& row);

    void SetOnSelectionChanged(std::function<void()> fn) { m_onSelectionChanged = std::move(fn); }
    void SetOnFocusChanged(std::function<void(int id)> fn) { m_onFocusChanged = std::move(fn); }

    // The width the column's title and its sample value need in this
    // control's fonts and style (a tree's first column with room for its
    // branches, a check box and an icon).
    int GetFittingWidth(int column) const;

    // Spreads a change of the control's width over the visible auto-size
    // columns in proportion to their widths, keeping their minimum widths;
    // a shrinking column stops where its title or sample would be cut.
    void FitAutosizeColumns(int widthChange);
    // True while the columns follow the control's width: those widths are
    // not the user's and are not stored.
    bool IsFittingColumns() const { return m_fitting; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnClicked(const QModelIndex& index);

    std::unique_ptr<ReportModel> m_model;
    std::function<void()> m_onSelectionChanged;
    std::function<void(int)> m_onFocusChanged;
    bool m_fitting = false;
};
