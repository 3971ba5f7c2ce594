#pragma once

#include "ReportColumn.h"
#include "ReportRecord.h"

#include <QAbstractItemModel>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class ReportVirtualRecordI;

// The item model behind a report control. Its columns are the control's
// columns in the order they were added (the header keeps the order shown).
// Rows come either from a tree of records, or in virtual mode from a single
// record that computes every cell on demand.
class ReportModel : public QAbstractItemModel
{
public:
    using ItemChangedFn = std::function<void(int id, int columnId)>;

    int AddColumn(const ReportColumn& column);
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    ReportColumn& GetColumn(int index) { return m_columns[static_cast<size_t>(index)]; }
    const ReportColumn& GetColumn(int index) const { return m_columns[static_cast<size_t>(index)]; }
    // The index of a column id; -1 when there is no such column.
    int FindColumn(int columnId) const;
    void NotifyHeaderChanged();

    void SetRecords(std::vector<std::unique_ptr<ReportRecord>> records);
    void SetVirtual(const ReportVirtualRecordI* record, int rowCount);
    bool IsVirtual() const { return m_virtual != nullptr; }
    // Every visible cell is asked again.
    void RefreshAll();
    void RefreshId(int id);

    int GetId(const QModelIndex& index) const;
    // The same for a row under a parent, without building its index.
    int GetId(int row, const QModelIndex& parent) const;
    QModelIndex FindId(int id) const;
    ReportRecord* GetRecord(const QModelIndex& index) const;
    ReportRecordItem* GetItem(const QModelIndex& index) const;

    // Rows the view may start a drag from (the view decides what a drop does).
    void SetRowsDraggable(bool on) { m_draggable = on; }

    void SetOnItemChanged(ItemChangedFn fn) { m_onItemChanged = std::move(fn); }
    // Tells the view and the owner that an item changed its value.
    void ItemChanged(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void IndexRecords(ReportRecord& record);
    QVariant Alignment(int column) const;

    std::vector<ReportColumn> m_columns;
    std::vector<std::unique_ptr<ReportRecord>> m_roots;
    std::unordered_map<int, ReportRecord*> m_byId;
    const ReportVirtualRecordI* m_virtual = nullptr;
    bool m_draggable = false;
    int m_virtualRows = 0;
    ItemChangedFn m_onItemChanged;
};
