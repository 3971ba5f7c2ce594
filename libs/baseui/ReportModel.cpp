#include "ReportModel.h"

#include "ReportVirtualRecordI.h"

int ReportModel::AddColumn(const ReportColumn& column)
{
    const int index = GetColumnCount();
    beginInsertColumns({}, index, index);
    m_columns.push_back(column);
    endInsertColumns();
    return index;
}

int ReportModel::FindColumn(int columnId) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].id == columnId)
            return static_cast<int>(i);
    return -1;
}

void ReportModel::NotifyHeaderChanged()
{
    if (!m_columns.empty())
        headerDataChanged(Qt::Horizontal, 0, GetColumnCount() - 1);
}

void ReportModel::SetRecords(std::vector<std::unique_ptr<ReportRecord>> records)
{
    beginResetModel();
    m_virtual = nullptr;
    m_virtualRows = 0;
    m_roots = std::move(records);
    m_byId.clear();
    for (size_t i = 0; i < m_roots.size(); ++i) {
        m_roots[i]->SetRow(static_cast<int>(i));
        IndexRecords(*m_roots[i]);
    }
    endResetModel();
}

void ReportModel::IndexRecords(ReportRecord& record)
{
    m_byId[record.GetId()] = &record;
    for (int i = 0; i < record.GetChildCount(); ++i)
        IndexRecords(*record.GetChild(i));
}

void ReportModel::SetVirtual(const ReportVirtualRecordI* record, int rowCount)
{
    beginResetModel();
    m_roots.clear();
    m_byId.clear();
    m_virtual = record;
    m_virtualRows = record ? std::max(rowCount, 0) : 0;
    endResetModel();
}

void ReportModel::RefreshAll()
{
    const int rows = rowCount();
    if (rows > 0 && !m_columns.empty())
        dataChanged(index(0, 0), index(rows - 1, GetColumnCount() - 1));
}

void ReportModel::RefreshId(int id)
{
    const QModelIndex first = FindId(id);
    if (first.isValid() && !m_columns.empty())
        dataChanged(first, first.siblingAtColumn(GetColumnCount() - 1));
}

int ReportModel::GetId(const QModelIndex& index) const
{
    if (!index.isValid())
        return -1;
    if (m_virtual)
        return m_virtual->GetRowId(index.row());
    return GetRecord(index)->GetId();
}

int ReportModel::GetId(int row, const QModelIndex& parent) const
{
    if (m_virtual)
        return row >= 0 && row < m_virtualRows && !parent.isValid() ? m_virtual->GetRowId(row) : -1;
    return GetId(index(row, 0, parent));
}

QModelIndex ReportModel::FindId(int id) const
{
    if (m_virtual) {
        const int row = m_virtual->GetIdRow(id);
        return row >= 0 && row < m_virtualRows ? createIndex(row, 0) : QModelIndex();
    }
    const auto it = m_byId.find(id);
    if (it == m_byId.end())
        return {};
    const ReportRecord* record = it->second;
    return createIndex(record->GetRow(), 0, record->GetParent());
}

ReportRecord* ReportModel::GetRecord(const QModelIndex& index) const
{
    if (!index.isValid() || m_virtual)
        return nullptr;
    auto* parent = static_cast<ReportRecord*>(index.internalPointer());
    return parent ? parent->GetChild(index.row()) : m_roots[static_cast<size_t>(index.row())].get();
}

ReportRecordItem* ReportModel::GetItem(const QModelIndex& index) const
{
    const ReportRecord* record = GetRecord(index);
    return record ? record->GetItem(GetColumn(index.column()).id) : nullptr;
}

void ReportModel::ItemChanged(const QModelIndex& index)
{
    dataChanged(index, index);
    if (m_onItemChanged)
        m_onItemChanged(GetId(index), GetColumn(index.column()).id);
}

// Record mode: the internal pointer of an index is the parent record
// (nullptr for a top row); virtual mode keeps no pointer at all.
QModelIndex ReportModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= GetColumnCount() || row >= rowCount(parent))
        return {};
    if (m_virtual)
        return createIndex(row, column);
    return createIndex(row, column, parent.isValid() ? GetRecord(parent) : nullptr);
}

QModelIndex ReportModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || m_virtual)
        return {};
    const auto* parent = static_cast<ReportRecord*>(child.internalPointer());
    if (!parent)
        return {};
    return createIndex(parent->GetRow(), 0, parent->GetParent());
}

int ReportModel::rowCount(const QModelIndex& parent) const
{
    if (m_virtual)
        return parent.isValid() ? 0 : m_virtualRows;
    if (!parent.isValid())
        return static_cast<int>(m_roots.size());
    // Only the first column carries the tree.
    return parent.column() == 0 ? GetRecord(parent)->GetChildCount() : 0;
}

int ReportModel::columnCount(const QModelIndex&) const
{
    return GetColumnCount();
}

QVariant ReportModel::Alignment(int column) const
{
    const int a = GetColumn(column).alignment;
    const Qt::Alignment h = a == 2 ? Qt::AlignRight : a == 1 ? Qt::AlignHCenter : Qt::AlignLeft;
    return QVariant::fromValue(h | Qt::AlignVCenter);
}

QVariant ReportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return Alignment(index.column());
    if (m_virtual)
        return m_virtual->GetItemMetrics(index.row(), GetColumn(index.column()).id, role);
    const ReportRecordItem* item = GetItem(index);
    return item ? item->GetData(role) : QVariant();
}

bool ReportModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    ReportRecordItem* item = GetItem(index);
    if (!item || !item->SetData(value, role))
        return false;
    ItemChanged(index);
    return true;
}

Qt::ItemFlags ReportModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_draggable)
        f |= Qt::ItemIsDragEnabled;
    if (m_virtual)
        return f | Qt::ItemNeverHasChildren;
    if (const ReportRecordItem* item = GetItem(index))
        f |= item->GetFlags();
    return f;
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= GetColumnCount())
        return {};
    if (role == Qt::DisplayRole)
        return GetColumn(section).GetTitle();
    if (role == Qt::TextAlignmentRole)
        return Alignment(section);
    return {};
}
