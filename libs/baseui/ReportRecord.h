#pragma once

#include "ReportRecordItem.h"

#include <memory>
#include <unordered_map>
#include <vector>

// One row of a report control in record mode: an id (a track-tree
// identifier, say), one item per column id, and child rows.
class ReportRecord
{
public:
    explicit ReportRecord(int id)
        : m_id(id)
    {
    }
    ReportRecord(const ReportRecord&) = delete;
    ReportRecord& operator=(const ReportRecord&) = delete;

    int GetId() const { return m_id; }

    void SetItem(int columnId, std::unique_ptr<ReportRecordItem> item);
    // nullptr when the record has nothing in that column.
    ReportRecordItem* GetItem(int columnId) const;

    ReportRecord* AddChild(std::unique_ptr<ReportRecord> child);
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    ReportRecord* GetChild(int row) const { return m_children[static_cast<size_t>(row)].get(); }
    ReportRecord* GetParent() const { return m_parent; }
    // Position among the parent's children (or among the top rows).
    int GetRow() const { return m_row; }
    void SetRow(int row) { m_row = row; }

private:
    int m_id;
    int m_row = 0;
    ReportRecord* m_parent = nullptr;
    std::unordered_map<int, std::unique_ptr<ReportRecordItem>> m_items;
    std::vector<std::unique_ptr<ReportRecord>> m_children;
};
