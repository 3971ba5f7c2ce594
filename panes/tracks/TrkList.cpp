#include "TrkList.h"

#include "DroppedFiles.h"
#include "GEventManagerImpl.h"
#include "Locale.h"
#include "OpenTracks.h"
#include "ReportColSettings.h"
#include "StringIds.h"
#include "TrackDurationText.h"
#include "TrackTreeAlg.h"
#include "TrkRecord.h"
#include "UndoScope.h"
#include "UnitsDisp.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <set>

namespace {

constexpr int kLayoutVersion = 3;

OpenTracks& Tracks()
{
    return OpenTracks::Get();
}

} // namespace

TrkList::TrkList(QWidget* parent)
    : ReportControl(parent)
    , m_columns(*this, std::make_unique<ReportColSettings>(QStringLiteral("TrackList"), kLayoutVersion))
{
    m_columns.SetDefaultMinWidth(20);
    m_columns.SetDefaultSortable(false);
    m_columns.SetDefaultAlignment(2);
    m_columns.AddColumn(TrkColumn::Name, IDS_TRACK_COL_NAME, 120, true);
    m_columns.AddColumn(TrkColumn::Start, IDS_TRACK_COL_START, 120, true);
    m_columns.AddColumn(TrkColumn::Finish, IDS_TRACK_COL_FINISH, 60, true);
    m_columns.AddColumn(TrkColumn::Duration, IDS_TRACK_COL_DURATION, 100, false);
    m_columns.AddColumn(TrkColumn::Distance, IDS_TRACK_COL_DISTANCE, 60, false);
    m_columns.AddColumn(TrkColumn::Points, IDS_TRACK_COL_POINTS, 40, false);
    m_columns.AddColumn(TrkColumn::Color, IDS_TRACK_COL_COLOR, 22, true);
    m_columns.SetAlignment(TrkColumn::Name, 0);
    m_columns.SetUnremovable(TrkColumn::Name);
    m_columns.SetAutosize(TrkColumn::Color, false);
    // Files show their date, segments their times of day; the name column
    // alone takes up what the pane's width leaves.
    const Time typical(2013, 8, 17, 18, 5, 10);
    m_columns.SetSample(TrkColumn::Name, QStringLiteral("Evening ride"));
    m_columns.SetSample(TrkColumn::Start, Locale::GetDateString(typical, Locale::LongDate));
    m_columns.SetSample(TrkColumn::Finish, Locale::GetTimeString(typical));
    m_columns.SetSample(TrkColumn::Duration, TrackDurationText(TimeSpan::FromSeconds(12 * 3600 + 34 * 60)));
    for (int column : {TrkColumn::Start, TrkColumn::Finish, TrkColumn::Duration, TrkColumn::Distance, TrkColumn::Points})
        m_columns.SetAutosize(column, false);
    UpdateTitles();
    m_columns.Init();

    // Renaming starts from F2 or the menu only: a click is for selecting.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_nameActions.toggleCheck = [this](int tid) { ToggleCheck({tid}); };
    m_nameActions.rename = [this](int tid, const QString& text) { Rename(tid, text); };
    SetOnSelectionChanged([this] { OnSelectionChanged(); });
    // Dragging reorders the rows; the drop is handled here, not by the
    // view's own item moving, which knows nothing of the tree's rules.
    GetModel().SetRowsDraggable(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    Rebuild();
}

QSize TrkList::sizeHint() const
{
    const int width = header()->length() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    return {width, ReportControl::sizeHint().height()};
}

void TrkList::Rebuild()
{
    std::set<int> expanded;
    for (const auto& [tid, record] : m_records)
        if (isExpanded(FindRow(tid)))
            expanded.insert(tid);
    const std::unordered_map<int, TrkRecord*> before = std::move(m_records);
    m_records.clear();

    std::vector<std::unique_ptr<ReportRecord>> top;
    AddRows(-1, nullptr, top);
    m_applying = true;
    SetRecords(std::move(top));
    // New files, folders and segments open up so that what was added shows.
    for (const auto& [tid, record] : m_records)
        if (record->GetChildCount() > 0 && (expanded.count(tid) || !before.count(tid)))
            expand(FindRow(tid));
    m_applying = false;
    SelectFromState();
}

void TrkList::AddRows(int parentTid, ReportRecord* parent, std::vector<std::unique_ptr<ReportRecord>>& top)
{
    const TrackTreeReaderPtr reader = Tracks().model.GetReader();
    for (int tid : reader->GetChildren(parentTid)) {
        auto record = std::make_unique<TrkRecord>(tid, m_nameActions);
        TrkRecord* raw = record.get();
        m_records[tid] = raw;
        if (parent)
            parent->AddChild(std::move(record));
        else
            top.push_back(std::move(record));
        AddRows(tid, raw, top);
    }
}

void TrkList::RefreshTexts()
{
    for (const auto& [tid, record] : m_records)
        record->Refresh();
    RefreshAll();
}

void TrkList::UpdateTitles()
{
    const DistanceUnits units = UnitsConv::GetLargeDistUnits(OptUnits::GetInstance().GetMeasuringSystem());
    m_columns.AddTextToTitle(TrkColumn::Distance, QStringLiteral(" (%1)").arg(UnitsDisp::GetUnitNotation(units)));
    m_columns.OnTitlesUpdated();
}

void TrkList::SelectFromState()
{
    const TracksStateI& state = Tracks().holder.GetState();
    std::vector<int> wanted;
    state.GetSelectedItems(wanted);
    std::vector<int> shown = GetSelectedIds();
    std::vector<int> sortedWanted = wanted;
    std::sort(sortedWanted.begin(), sortedWanted.end());
    std::sort(shown.begin(), shown.end());
    m_applying = true;
    if (shown != sortedWanted)
        Select(wanted);
    int current = state.GetCurrentSegment();
    if (!FindRow(current).isValid() && !wanted.empty())
        current = wanted.front();
    const QModelIndex row = FindRow(current);
    if (row.isValid()) {
        ExpandUp(row);
        SetFocusedId(current);
    }
    m_applying = false;
}

void TrkList::OnSelectionChanged()
{
    if (!m_applying)
        Tracks().holder.SetSelection(GetSelectedIds());
}

void TrkList::ToggleCheck(const std::vector<int>& tids)
{
    if (tids.empty())
        return;
    const bool checked = Tracks().holder.GetState().GetCheckState(tids.front()) != TracksStateI::Checked;
    Tracks().holder.SetCheckState(tids, checked);
}

void TrkList::EditFocusedName()
{
    const QModelIndex row = FindRow(GetFocusedId());
    if (row.isValid())
        edit(row);
}

// The name is stored in the file, so the file now differs from the disk;
// the announcement of that change redraws the row.
void TrkList::Rename(int tid, const QString& text)
{
    const QString name = text.trimmed();
    const TrackInfo::Node* node = Tracks().model.GetReader()->GetNode(tid);
    if (!node || name.isEmpty() || name == node->GetName())
        return;
    const int file = TrackTreeAlg(Tracks().model.GetReader().get()).GetFileId(tid);
    if (file == tid && m_fileNameCheck && !m_fileNameCheck(file, name))
        return;
    const UndoScope step(Tracks().model, IDS_UNDO_RENAME);
    Tracks().model.GetEditor()->SetName(tid, name);
    Tracks().model.SetModified(file, true);
    GEventManagerImpl::GetInstance().NotifyInt(file);
}

void TrkList::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
    case Qt::Key_Space:
        // The view would hand Ctrl+Space to the check box too; here it only
        // adds or removes the focused row from the selection.
        if (ctrl)
            selectionModel()->select(currentIndex(), QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
        else
            ToggleCheck(GetSelectedIds());
        return;
    case Qt::Key_A:
        if (!ctrl)
            break;
        // Also the rows inside collapsed parents.
        SelectAll();
        return;
    case Qt::Key_F2:
        EditFocusedName();
        return;
    case Qt::Key_Delete:
        if (m_onDeleteKey)
            m_onDeleteKey();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_enterPressed = true;
        return;
    default:
        break;
    }
    ReportControl::keyPressEvent(event);
}

void TrkList::keyReleaseEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_enterPressed && !event->isAutoRepeat()) {
        m_enterPressed = false;
        const int tid = GetFocusedId();
        if (tid > 0 && m_onLocate)
            m_onLocate(tid);
        return;
    }
    ReportControl::keyReleaseEvent(event);
}

void TrkList::contextMenuEvent(QContextMenuEvent* event)
{
    if (!GetSelectedIds().empty() && m_onContextMenu)
        m_onContextMenu(event->globalPos());
}

QMimeData* TrkList::MakeDragData(const std::vector<int>& tids)
{
    QStringList texts;
    for (const int tid : tids)
        texts.append(QString::number(tid));
    auto* data = new QMimeData;
    data->setData(DragFormat(), texts.join(QLatin1Char(',')).toLatin1());
    return data;
}

std::vector<int> TrkList::DraggedTids(const QMimeData& data)
{
    std::vector<int> tids;
    const QString text = QString::fromLatin1(data.data(DragFormat()));
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int tid = part.toInt(&ok);
        if (!ok)
            return {};
        tids.push_back(tid);
    }
    return tids;
}

TrkList::DropPlace TrkList::PlaceAt(const QPoint& pos) const
{
    const TrackTreeReaderPtr reader = Tracks().model.GetReader();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) {
        // Below the last row is after the last file.
        const std::vector<int>& files = reader->GetChildren(-1);
        if (files.empty())
            return {};
        QModelIndex last = FindRow(files.back());
        while (isExpanded(last) && model()->rowCount(last) > 0)
            last = model()->index(model()->rowCount(last) - 1, 0, last);
        if (!last.isValid() || pos.y() <= visualRect(last).bottom())
            return {};
        return {true, -1, -1, GetId(last), true};
    }
    const QModelIndex row = index.siblingAtColumn(0);
    const int tid = GetId(row);
    const QRect rect = visualRect(row);
    const int parent = reader->GetParent(tid);
    if (pos.y() < rect.top() + rect.height() / 2)
        return {true, parent, tid, tid, false};
    // Below an open parent is the gap above its first child.
    const std::vector<int>& children = reader->GetChildren(tid);
    if (isExpanded(row) && !children.empty())
        return {true, tid, children.front(), tid, true};
    const std::vector<int>& siblings = reader->GetChildren(parent);
    const auto next = std::find(siblings.begin(), siblings.end(), tid) + 1;
    return {true, parent, next < siblings.end() ? *next : -1, tid, true};
}

bool TrkList::MayDrop(const std::vector<int>& tids, const DropPlace& place)
{
    const OpenTracksModel& model = Tracks().model;
    return place.valid && model.CanMoveSiblings(tids, place.before) &&
           model.GetReader()->GetParent(tids.front()) == place.parent;
}

void TrkList::SetDropMark(const DropPlace& place)
{
    if (place == m_mark)
        return;
    m_mark = place;
    viewport()->update();
}

void TrkList::startDrag(Qt::DropActions /*supportedActions*/)
{
    const std::vector<int> tids = GetSelectedIds();
    if (tids.empty())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(MakeDragData(tids));
    drag->exec(Qt::MoveAction);
}

void TrkList::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(DragFormat()) || (data->hasUrls() && m_onFilesDropped)) {
        // The moves that follow tell where a drop may go.
        event->accept();
        dragMoveEvent(event);
        return;
    }
    event->ignore();
}

void TrkList::dragMoveEvent(QDragMoveEvent* event)
{
    // The view scrolls while the pointer is near its edges; whether and
    // where a drop goes is decided below.
    ReportControl::dragMoveEvent(event);
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(DragFormat())) {
        const DropPlace place = PlaceAt(event->position().toPoint());
        if (MayDrop(DraggedTids(*data), place)) {
            SetDropMark(place);
            event->setDropAction(Qt::MoveAction);
            event->accept();
        } else {
            SetDropMark({});
            event->ignore();
        }
        return;
    }
    SetDropMark({});
    if (data->hasUrls() && m_onFilesDropped)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TrkList::dragLeaveEvent(QDragLeaveEvent* event)
{
    ReportControl::dragLeaveEvent(event);
    SetDropMark({});
    event->accept();
}

void TrkList::dropEvent(QDropEvent* event)
{
    stopAutoScroll();
    SetDropMark({});
    const QMimeData* data = event->mimeData();
    if (data->hasFormat(DragFormat())) {
        const std::vector<int> tids = DraggedTids(*data);
        const DropPlace place = PlaceAt(event->position().toPoint());
        if (!MayDrop(tids, place)) {
            event->ignore();
            return;
        }
        {
            const UndoScope step(Tracks().model, IDS_UNDO_REORDER);
            Tracks().model.MoveSiblings(tids, place.before);
        }
        // The moved rows stay selected, wherever they went.
        Tracks().holder.SetSelection(tids);
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return;
    }
    const QStringList files = DroppedFilePaths(*data);
    if (!files.isEmpty() && m_onFilesDropped) {
        m_onFilesDropped(files);
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void TrkList::paintEvent(QPaintEvent* event)
{
    ReportControl::paintEvent(event);
    if (!m_mark.valid)
        return;
    const QRect rect = visualRect(FindRow(m_mark.row));
    if (!rect.isValid())
        return;
    // The line starts where the rows of the level the items go to start.
    int x = rect.left();
    const std::vector<int>& level = Tracks().model.GetReader()->GetChildren(m_mark.parent);
    if (!level.empty()) {
        const QRect first = visualRect(FindRow(level.front()));
        if (first.isValid())
            x = first.left();
    }
    const int y = m_mark.below ? rect.bottom() : rect.top();
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Text), 2));
    painter.drawLine(x, y, viewport()->width(), y);
}
