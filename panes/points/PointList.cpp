#include "PointList.h"

#include "FilterPreviewMarks.h"
#include "OpenTracks.h"
#include "PointFields.h"
#include "ReportColSettings.h"
#include "TrackPointEx.h"
#include "TrackPtNavI.h"
#include "ViewSettings.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

constexpr int kLayoutVersion = 7;

// A point with values as wide as they usually get, whose texts size the
// default columns.
TrackPointEx TypicalPoint()
{
    CalcTrackParams params;
    params.Dist = 123.4;
    params.Speed = 123.4f;
    params.Accel = -1.23f;
    params.Heading = 359.0f;
    params.DistFromStart = 123456.7;
    return TrackPointEx(TrackPoint({-122.4194, -33.8688, 1385.5}, Time(2013, 9, 25, 18, 5, 10)), params);
}

bool ShowFiltered()
{
    return ViewSettings::GetInstance().showDeleted.Get();
}

} // namespace

PointList::PointList(QWidget* parent)
    : ReportControl(parent)
    , m_columns(*this, std::make_unique<ReportColSettings>(QStringLiteral("PointList"), kLayoutVersion))
{
    m_columns.SetDefaultMinWidth(18);
    m_columns.SetDefaultSortable(false);
    m_columns.SetDefaultAlignment(2);
    for (const PointFieldInfo* field : PointFields::ListColumns())
        m_columns.AddColumn(field->id, field->column.titleId, field->column.width, field->column.shown);
    const TrackPointEx typical = TypicalPoint();
    PointFieldContext context;
    context.index = 9999;
    context.start = Time(2013, 9, 25, 8, 0, 0);
    for (const PointFieldInfo* field : PointFields::ListColumns())
        m_columns.SetSample(field->id, PointFields::ListText(*field, typical, context));
    m_columns.SetUnremovable(PtColumn::Number);
    UpdateTitles();
    m_columns.Init();

    setRootIsDecorated(false);
    setUniformRowHeights(true);
    m_record.SetState(&OpenTracks::Get().holder.GetState());
    m_preview = FilterPreviewMarks::GetInstance().Subscribe([this] { viewport()->update(); });
    SetOnFocusChanged([this](int index) {
        if (!m_applying && m_nav && index >= 0 && m_onPointFocused)
            m_onPointFocused({m_nav->GetTid(), index});
    });
    Bind();
}

PointList::~PointList()
{
    // The control must not read through a navigator that is gone.
    SetVirtualMode(nullptr, 0);
}

void PointList::UpdateTitles()
{
    for (const PointFieldInfo* field : PointFields::ListColumns()) {
        const QString suffix = PointFields::ListTitleSuffix(*field);
        if (!suffix.isEmpty())
            m_columns.AddTextToTitle(field->id, suffix);
    }
    m_columns.OnTitlesUpdated();
}

void PointList::Bind()
{
    const int keepRow = currentIndex().isValid() ? currentIndex().row() : -1;
    const int tid = OpenTracks::Get().holder.GetState().GetCurrentSegment();
    m_record.SetNav(nullptr);
    SetVirtualMode(nullptr, 0);
    m_nav = tid >= 0 ? MakePtListNav(tid, ShowFiltered()) : nullptr;
    m_record.SetNav(m_nav.get());
    SetRows(keepRow);
}

void PointList::SetRows(int keepRow)
{
    m_applying = true;
    SetVirtualMode(&m_record, m_nav ? m_nav->GetRowCount() : 0);
    m_applying = false;
    if (!m_nav)
        return;
    const TrackPosition current = OpenTracks::Get().holder.GetState().GetCurrentPoint();
    if (current.tid == m_nav->GetTid()) {
        FocusCurrentPoint();
        return;
    }
    const int rows = m_nav->GetRowCount();
    if (keepRow >= 0 && rows > 0) {
        m_applying = true;
        selectionModel()->setCurrentIndex(GetRowIndex(std::min(keepRow, rows - 1)), QItemSelectionModel::NoUpdate);
        m_applying = false;
    }
}

void PointList::FollowViewSettings()
{
    if (m_nav && m_nav->ShowsFiltered() != ShowFiltered())
        Bind();
}

void PointList::FocusCurrentPoint()
{
    const TrackPosition current = OpenTracks::Get().holder.GetState().GetCurrentPoint();
    if (!m_nav || current.tid != m_nav->GetTid() || current.index < 0)
        return;
    m_applying = true;
    const QModelIndex row = GetRowIndex(std::min(m_nav->IndexToRow(current.index), m_nav->GetRowCount() - 1));
    if (row.isValid()) {
        selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
        scrollTo(row);
    }
    m_applying = false;
}

void PointList::OnUnitsChanged()
{
    UpdateTitles();
    if (!m_nav)
        return;
    const int rowsBefore = model()->rowCount();
    m_nav->Refresh();
    if (m_nav->GetRowCount() == rowsBefore) {
        RefreshAll();
        return;
    }
    const int top = indexAt(QPoint(0, 0)).row();
    const int focused = currentIndex().row();
    SetRows(focused);
    if (top >= 0 && top < m_nav->GetRowCount())
        scrollTo(GetRowIndex(top), QAbstractItemView::PositionAtTop);
}

TrackPosition PointList::GetFocusedPoint() const
{
    const int index = GetFocusedId();
    if (!m_nav || index < 0)
        return {};
    return {m_nav->GetTid(), index};
}

int PointList::ReadFocusedPoint(TrackPointEx& out) const
{
    const QModelIndex row = currentIndex();
    return m_nav && row.isValid() ? m_nav->GetPoint(row.row(), out) : PtListNavI::NoPoint;
}

void PointList::JumpToOtherStatus(bool forward)
{
    TrackPointEx point;
    if (!m_nav || !m_nav->ShowsFiltered() || ReadFocusedPoint(point) == PtListNavI::NoPoint)
        return;
    const TrackPtr track = OpenTracks::Get().model.GetTrack(m_nav->GetTid());
    if (!track)
        return;
    const int mode = point.IsValid() ? TrackPtNavI::ModeFiltered : TrackPtNavI::ModeValid;
    const int from = GetFocusedId();
    const TrackPtNavI& nav = track->GetPtNav();
    const int found = forward ? nav.GetNext(from, mode) : nav.GetPrev(from, mode);
    if (found >= 0)
        SetFocusedId(found);
}

int PointList::RangeAnchor() const
{
    const int focused = GetFocusedId();
    const PointRange range = OpenTracks::Get().holder.GetState().GetPointRange();
    if (m_nav && range.tid == m_nav->GetTid()) {
        if (focused == range.last)
            return range.first;
        if (focused == range.first)
            return range.last;
    }
    return focused;
}

void PointList::ExtendRange(int anchor)
{
    const int focused = GetFocusedId();
    if (m_nav && anchor >= 0 && focused >= 0)
        OpenTracks::Get().holder.SetPointRange(m_nav->GetTid(), anchor, focused);
}

void PointList::mousePressEvent(QMouseEvent* event)
{
    if (!event->modifiers().testFlag(Qt::ShiftModifier) || event->button() != Qt::LeftButton) {
        ReportControl::mousePressEvent(event);
        return;
    }
    // The click moves the focus as a plain one would; the range, not the
    // list's own selection, says which points are chosen.
    const int anchor = RangeAnchor();
    QMouseEvent plain(event->type(), event->position(), event->scenePosition(), event->globalPosition(),
                      event->button(), event->buttons(), Qt::NoModifier, event->pointingDevice());
    ReportControl::mousePressEvent(&plain);
    ExtendRange(anchor);
}

void PointList::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    switch (event->key()) {
    case Qt::Key_Escape:
        OpenTracks::Get().holder.ClearPointRange();
        return;
    case Qt::Key_Delete:
        if (m_onDeleteKey && GetFocusedId() >= 0)
            m_onDeleteKey(modifiers.testFlag(Qt::ShiftModifier));
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (modifiers.testFlag(Qt::ShiftModifier) && !modifiers.testFlag(Qt::ControlModifier)) {
            const int anchor = RangeAnchor();
            QKeyEvent plain(event->type(), event->key(), Qt::NoModifier, event->text());
            ReportControl::keyPressEvent(&plain);
            ExtendRange(anchor);
            return;
        }
        if (!modifiers.testFlag(Qt::ControlModifier) || event->key() == Qt::Key_PageUp
            || event->key() == Qt::Key_PageDown)
            break;
        JumpToOtherStatus(event->key() == Qt::Key_Down);
        return;
    default:
        break;
    }
    ReportControl::keyPressEvent(event);
}

void PointList::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_nav && GetFocusedId() >= 0 && m_onContextMenu)
        m_onContextMenu(event->globalPos());
}
