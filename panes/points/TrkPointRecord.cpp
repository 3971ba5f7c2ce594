#include "TrkPointRecord.h"

#include "FilterPreviewMarks.h"
#include "FilterReasons.h"
#include "PtListNav.h"
#include "StringIds.h"
#include "TracksStateI.h"
#include "Translator.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

#include <array>
#include <tuple>

namespace {

const QColor kFilteredText(0xA0, 0xA0, 0xA0);
// The rows of points a filter would mark if it ran now (a preview).
const QColor kPreviewText(0xC0, 0x10, 0x10);
const QColor kPreviewBackground(0xFF, 0xE4, 0xE4);
// The rows of the point range.
const QColor kRangeBackground(0xE6, 0xFF, 0xE6);

// The strip of status icons in the list's numbering: a dot inside a
// segment, a triangle at its start, a square at its end; green when valid,
// grey when filtered.
enum class IconShape { Dot, Triangle, Square };
struct IconLook
{
    IconShape shape;
    bool valid;
};
constexpr std::array<IconLook, 6> kIconStrip = {{
    {IconShape::Dot, false},
    {IconShape::Dot, true},
    {IconShape::Triangle, true},
    {IconShape::Square, true},
    {IconShape::Triangle, false},
    {IconShape::Square, false},
}};

QIcon MakeIcon(const IconLook& look)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.valid ? QColor(0, 150, 0) : kFilteredText);
    switch (look.shape) {
    case IconShape::Triangle:
        painter.drawPolygon(QPolygon({QPoint(2, 1), QPoint(11, 6), QPoint(2, 11)}));
        break;
    case IconShape::Square:
        painter.drawRect(2, 2, 8, 8);
        break;
    case IconShape::Dot:
        painter.drawEllipse(3, 3, 6, 6);
        break;
    }
    return QIcon(pixmap);
}

} // namespace

TrkPointRecord::TrkPointRecord()
{
    static_assert(kIconStrip.size() == std::tuple_size_v<decltype(m_icons)>);
    for (size_t i = 0; i < m_icons.size(); ++i)
        m_icons[i] = MakeIcon(kIconStrip[i]);
}

int TrkPointRecord::GetIconIndex(int classCode, bool valid)
{
    switch (classCode) {
    case PtListNavI::SegmentStart:
        return valid ? 2 : 4;
    case PtListNavI::SegmentEnd:
        return valid ? 3 : 5;
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
        if (!point.IsValid())
            return kFilteredText;
        return PreviewReason(row) != 0 ? QVariant(kPreviewText) : QVariant();
    case Qt::BackgroundRole:
        if (m_state && m_state->GetPointRange().Contains(m_nav->GetTid(), m_nav->RowToIndex(row)))
            return kRangeBackground;
        return PreviewReason(row) != 0 ? QVariant(kPreviewBackground) : QVariant();
    case Qt::ToolTipRole:
        if (point.IsValid()) {
            const int preview = PreviewReason(row);
            if (preview == 0)
                return {};
            return Translator::GetInstance()
                .LoadStr(IDS_PREVIEW_WOULD_FILTER)
                .arg(FilterReasons::GetInstance().GetText(preview).text);
        }
        return FilterReasons::GetInstance().GetText(point.GetStatus().GetFilterReason()).text;
    default:
        return {};
    }
}

int TrkPointRecord::PreviewReason(int row) const
{
    return FilterPreviewMarks::GetInstance().GetReason(m_nav->GetTid(), m_nav->RowToIndex(row));
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
