#include "TrkList.h"

#include "GEventManagerImpl.h"
#include "OpenTracks.h"
#include "ReportColSettings.h"
#include "StringIds.h"
#include "TrackTreeAlg.h"
#include "TrkRecord.h"
#include "UnitsDisp.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

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
    m_columns.AddColumn(TrkColumn::Name, IDS_TRACK_COL_NAME, 320, true);
    m_columns.AddColumn(TrkColumn::Start, IDS_TRACK_COL_START, 120, true);
    m_columns.AddColumn(TrkColumn::Finish, IDS_TRACK_COL_FINISH, 90, true);
    m_columns.AddColumn(TrkColumn::Duration, IDS_TRACK_COL_DURATION, 100, false);
    m_columns.AddColumn(TrkColumn::Distance, IDS_TRACK_COL_DISTANCE, 60, false);
    m_columns.AddColumn(TrkColumn::Points, IDS_TRACK_COL_POINTS, 40, false);
    m_columns.AddColumn(TrkColumn::Color, IDS_TRACK_COL_COLOR, 22, true);
    m_columns.SetAlignment(TrkColumn::Name, 0);
    m_columns.SetUnremovable(TrkColumn::Name);
    m_columns.SetAutosize(TrkColumn::Color, false);
    UpdateTitles();
    m_columns.Init();

    // Renaming starts from F2 or the menu only: a click is for selecting.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_nameActions.toggleCheck = [this](int tid) { ToggleCheck({tid}); };
    m_nameActions.rename = [this](int tid, const QString& text) { Rename(tid, text); };
    SetOnSelectionChanged([this] { OnSelectionChanged(); });
    Rebuild();
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
    Tracks().model.GetEditor()->SetName(tid, name);
    const int file = TrackTreeAlg(Tracks().model.GetReader().get()).GetFileId(tid);
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
