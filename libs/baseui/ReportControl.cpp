#include "ReportControl.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

// Draws colour swatch cells: the colour inset by 2 pixels in a black frame.
class ReportItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QVariant swatch = index.data(ReportControl::ColorSwatchRole);
        if (!swatch.isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyledItemDelegate::paint(painter, option, QModelIndex());
        const QRect r = option.rect.adjusted(2, 2, -3, -3);
        painter->save();
        painter->setPen(Qt::black);
        painter->setBrush(swatch.value<QColor>());
        painter->drawRect(r);
        painter->restore();
    }
};

} // namespace

ReportControl::ReportControl(QWidget* parent)
    : QTreeView(parent)
    , m_model(std::make_unique<ReportModel>())
{
    setModel(m_model.get());
    setItemDelegate(new ReportItemDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    // Column minimum widths are the list's own (ReportColumns), often
    // narrower than the style's default minimum.
    header()->setMinimumSectionSize(1);
    header()->setSectionsMovable(true);
    header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_onSelectionChanged)
            m_onSelectionChanged();
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (m_onFocusChanged)
            m_onFocusChanged(m_model->GetId(current));
    });
    connect(this, &QAbstractItemView::clicked, this, &ReportControl::OnClicked);
}

// The view must let go of the model before the model goes.
ReportControl::~ReportControl()
{
    setModel(nullptr);
}

void ReportControl::SetRecords(std::vector<std::unique_ptr<ReportRecord>> records)
{
    setRootIsDecorated(true);
    m_model->SetRecords(std::move(records));
}

void ReportControl::SetVirtualMode(const ReportVirtualRecordI* record, int rowCount)
{
    setRootIsDecorated(false);
    m_model->SetVirtual(record, rowCount);
}

// Walks the selection ranges rather than the selected indexes: selecting all
// of a million points is one range, not a million indexes.
std::vector<int> ReportControl::GetSelectedIds() const
{
    std::vector<int> ids;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        // Whole rows are selected; a range that starts further right belongs
        // to a row already counted through its first column.
        if (range.left() != 0)
            continue;
        for (int row = range.top(); row <= range.bottom(); ++row)
            ids.push_back(m_model->GetId(row, range.parent()));
    }
    return ids;
}

void ReportControl::Select(const std::vector<int>& ids)
{
    QItemSelection selection;
    const int lastColumn = m_model->GetColumnCount() - 1;
    QModelIndex first;
    QModelIndex last;
    const auto flush = [&] {
        if (first.isValid())
            selection.append(QItemSelectionRange(first, last.siblingAtColumn(lastColumn)));
    };
    for (int id : ids) {
        const QModelIndex row = m_model->FindId(id);
        if (!row.isValid())
            continue;
        // Consecutive rows of one parent make one range.
        if (first.isValid() && row.parent() == last.parent() && row.row() == last.row() + 1) {
            last = row;
            continue;
        }
        flush();
        first = last = row;
    }
    flush();
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// Every row, also those inside collapsed parents: one range per parent.
void ReportControl::SelectAll()
{
    QItemSelection selection;
    const int lastColumn = m_model->GetColumnCount() - 1;
    std::vector<QModelIndex> parents{QModelIndex()};
    while (!parents.empty() && lastColumn >= 0) {
        const QModelIndex parent = parents.back();
        parents.pop_back();
        const int rows = m_model->rowCount(parent);
        if (rows == 0)
            continue;
        selection.append(QItemSelectionRange(m_model->index(0, 0, parent), m_model->index(rows - 1, lastColumn, parent)));
        if (m_model->IsVirtual())
            continue;
        for (int row = 0; row < rows; ++row) {
            const QModelIndex child = m_model->index(row, 0, parent);
            if (m_model->rowCount(child) > 0)
                parents.push_back(child);
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

int ReportControl::GetFocusedId() const
{
    return m_model->GetId(selectionModel()->currentIndex());
}

bool ReportControl::SetFocusedId(int id)
{
    const QModelIndex row = m_model->FindId(id);
    if (!row.isValid())
        return false;
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    return true;
}

void ReportControl::ExpandUp(const QModelIndex& row)
{
    for (QModelIndex p = row.parent(); p.isValid(); p = p.parent())
        expand(p);
    if (row.isValid())
        scrollTo(row);
}

void ReportControl::OnClicked(const QModelIndex& index)
{
    ReportRecordItem* item = m_model->GetItem(index);
    if (item && item->OnClick(this))
        m_model->ItemChanged(index);
}

int ReportControl::GetFittingWidth(int column) const
{
    const ReportColumn& info = m_model->GetColumn(column);
    // The item delegate's text margin, on either side of the text.
    const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    int cell = info.sample.isEmpty() ? 0 : fontMetrics().horizontalAdvance(info.sample) + 2 * textMargin;
    // The first column of a tree also holds the branches of its top levels
    // and a check box and an icon.
    if (cell > 0 && rootIsDecorated() && header()->visualIndex(column) == 0)
        cell += indentation() * 2 + 2 * style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    return std::max(header()->sectionSizeHint(column), cell);
}

void ReportControl::FitAutosizeColumns(int widthChange)
{
    QHeaderView* h = header();
    int total = 0;
    for (int i = 0; i < m_model->GetColumnCount(); ++i)
        if (m_model->GetColumn(i).autosize && !h->isSectionHidden(i))
            total += h->sectionSize(i);
    if (total <= 0 || widthChange == 0)
        return;
    m_fitting = true;
    for (int i = 0; i < m_model->GetColumnCount(); ++i) {
        const ReportColumn& column = m_model->GetColumn(i);
        if (!column.autosize || h->isSectionHidden(i))
            continue;
        const int size = h->sectionSize(i);
        const int grown = size + static_cast<int>(static_cast<long long>(widthChange) * size / total);
        // A column the user made narrower than its title stays as narrow.
        const int fittingFloor = std::min(size, GetFittingWidth(i));
        h->resizeSection(i, std::max({grown, column.minWidth, fittingFloor}));
    }
    m_fitting = false;
}

void ReportControl::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    if (event->oldSize().isValid())
        FitAutosizeColumns(event->size().width() - event->oldSize().width());
}
