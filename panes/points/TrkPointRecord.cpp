#include "TrkPointRecord.h"

#include "FilterReasons.h"
#include "PtListNav.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace {

const QColor kFilteredText(0xA0, 0xA0, 0xA0);

// A dot inside a segment, a triangle at its start, a square at its end;
// green when valid, grey when filtered.
QIcon MakeIcon(int index)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(index % 2 ? QColor(0, 150, 0) : kFilteredText);
    switch (index / 2) {
    case 1:
        painter.drawPolygon(QPolygon({QPoint(2, 1), QPoint(11, 6), QPoint(2, 11)}));
        break;
    case 2:
        painter.drawRect(2, 2, 8, 8);
        break;
    default:
        painter.drawEllipse(3, 3, 6, 6);
        break;
    }
    return QIcon(pixmap);
}

} // namespace

TrkPointRecord::TrkPointRecord()
{
    for (int i = 0; i < static_cast<int>(m_icons.size()); ++i)
        m_icons[static_cast<size_t>(i)] = MakeIcon(i);
}

int TrkPointRecord::GetIconIndex(int classCode, bool valid)
{
    switch (classCode) {
    case PtListNavI::SegmentStart:
        return valid ? 3 : 2;
    case PtListNavI::SegmentEnd:
        return valid ? 5 : 4;
    default:
        return valid ? 1 : 0;
    }
}

QVariant TrkPointRecord::GetItemMetrics(int row, int columnId, int role) const
{
    TrackPointEx point;
    const int code = m_nav ? m_nav->GetPoint(row, point) : PtListNavI::NoPoint;
    if (code == PtListNavI::NoPoint)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return columnId == PtColumn::Status ? QVariant() : QVariant(GetText(columnId, m_nav->RowToIndex(row), point));
    case Qt::DecorationRole:
        if (columnId == PtColumn::Status)
            return m_icons[static_cast<size_t>(GetIconIndex(code, point.IsValid()))];
        return {};
    case Qt::ForegroundRole:
        return point.IsValid() ? QVariant() : QVariant(kFilteredText);
    case Qt::ToolTipRole:
        if (point.IsValid())
            return {};
        return FilterReasons::GetInstance().GetText(point.GetStatus().GetFilterReason()).text;
    default:
        return {};
    }
}

int TrkPointRecord::GetRowId(int row) const
{
    return m_nav && row >= 0 && row < m_nav->GetRowCount() ? m_nav->RowToIndex(row) : -1;
}

int TrkPointRecord::GetIdRow(int id) const
{
    return m_nav && id >= 0 ? m_nav->IndexToRow(id) : -1;
}

QString TrkPointRecord::GetText(int columnId, int index, const TrackPointEx& point) const
{
    const PointFieldInfo* field = PointFields::Find(columnId);
    if (!field)
        return {};
    PointFieldContext context;
    context.index = index;
    if (m_nav)
        context.start = m_nav->GetStartTime();
    return PointFields::ListText(*field, point, context);
}
