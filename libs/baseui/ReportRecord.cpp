#include "ReportRecord.h"

void ReportRecord::SetItem(int columnId, std::unique_ptr<ReportRecordItem> item)
{
    m_items[columnId] = std::move(item);
}

ReportRecordItem* ReportRecord::GetItem(int columnId) const
{
    const auto it = m_items.find(columnId);
    return it == m_items.end() ? nullptr : it->second.get();
}

ReportRecord* ReportRecord::AddChild(std::unique_ptr<ReportRecord> child)
{
    child->m_parent = this;
    child->m_row = GetChildCount();
    m_children.push_back(std::move(child));
    return m_children.back().get();
}
