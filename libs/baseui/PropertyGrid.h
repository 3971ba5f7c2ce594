#pragma once

#include <QHash>
#include <QTreeWidget>

// A read-only two-column sheet of named values grouped under expandable
// nodes. Rows are found by the string id of their caption, so each caption
// id appears once in a grid.
class PropertyGrid : public QTreeWidget
{
public:
    // Numbers are right-aligned so that their digits line up.
    enum class ValueType { Text, Number };

    explicit PropertyGrid(QWidget* parent = nullptr);
    ~PropertyGrid() override;

    QTreeWidgetItem* AddNodeItem(int captionId, bool expanded);
    QTreeWidgetItem* AddChildItem(QTreeWidgetItem* node, int captionId, ValueType type = ValueType::Text);
    // Sets the value of a row; false when no row has that caption.
    bool UpdateItem(int captionId, const QString& text);
    // The value of a row; empty for an unknown caption.
    QString GetItemText(int captionId) const;
    QTreeWidgetItem* FindItem(int captionId) const { return m_items.value(captionId); }
    void ClearAllItems();

    // Applies the width of the caption column stored under this settings
    // section, or fits the column to the captions added so far when none is
    // stored; a width the user changes is stored there when the grid goes.
    void SetRegSection(const QString& section);

private:
    QHash<int, QTreeWidgetItem*> m_items;
    QString m_section;
    bool m_widthChanged = false;
};
