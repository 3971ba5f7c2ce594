#include "PropertyGrid.h"

#include "RegistryKey.h"
#include "Translator.h"

#include <QHeaderView>

namespace {

const QString kNameWidth = QStringLiteral("NameWidth");

} // namespace

PropertyGrid::PropertyGrid(QWidget* parent)
    : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderLabels({QString(), QString()});
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    connect(header(), &QHeaderView::sectionResized, this, [this](int index, int, int size) {
        if (index == 0 && !m_section.isEmpty() && size > 0)
            m_widthChanged = true;
    });
}

// Stored once rather than on every step of dragging the column edge.
PropertyGrid::~PropertyGrid()
{
    if (m_widthChanged)
        RegistryKey(m_section).WriteDword(kNameWidth, static_cast<uint32_t>(header()->sectionSize(0)));
}

QTreeWidgetItem* PropertyGrid::AddNodeItem(int captionId, bool expanded)
{
    auto* node = new QTreeWidgetItem(this, {Translator::GetInstance().LoadStr(captionId)});
    QFont bold = node->font(0);
    bold.setBold(true);
    node->setFont(0, bold);
    node->setFirstColumnSpanned(true);
    node->setExpanded(expanded);
    return node;
}

QTreeWidgetItem* PropertyGrid::AddChildItem(QTreeWidgetItem* node, int captionId, ValueType type)
{
    auto* item = new QTreeWidgetItem(node, {Translator::GetInstance().LoadStr(captionId), QString()});
    if (type == ValueType::Number)
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    m_items.insert(captionId, item);
    return item;
}

bool PropertyGrid::UpdateItem(int captionId, const QString& text)
{
    QTreeWidgetItem* item = m_items.value(captionId);
    if (!item)
        return false;
    if (item->text(1) != text) {
        item->setText(1, text);
        item->setToolTip(1, text);
    }
    return true;
}

QString PropertyGrid::GetItemText(int captionId) const
{
    const QTreeWidgetItem* item = m_items.value(captionId);
    return item ? item->text(1) : QString();
}

void PropertyGrid::ClearAllItems()
{
    m_items.clear();
    clear();
}

void PropertyGrid::SetRegSection(const QString& section)
{
    // Cleared first: applying the stored width must not write it back.
    m_section.clear();
    const RegistryKey reg(section);
    if (reg.HasValue(kNameWidth))
        header()->resizeSection(0, static_cast<int>(reg.ReadDword(kNameWidth, 0)));
    else if (topLevelItemCount() > 0)
        // Until the user sets a width, no caption is cut off.
        resizeColumnToContents(0);
    m_section = section;
    m_widthChanged = false;
}
