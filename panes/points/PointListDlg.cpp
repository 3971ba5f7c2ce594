#include "PointListDlg.h"

#include "CommandMenu.h"
#include "GEventManagerImpl.h"
#include "OpenTracks.h"
#include "PointList.h"
#include "PointRangeMenu.h"
#include "StringIds.h"
#include "UndoScope.h"
#include "TrackTreeAlg.h"
#include "Translator.h"

#include <QMenu>
#include <QVBoxLayout>

namespace {

int RunMenu(const CommandMenu::Commands& commands, const QPoint& at)
{
    QMenu menu;
    CommandMenu::Fill(menu, commands,
                      [](int id) { return id == PointListDlg::CmdAddBreak || id == PointListDlg::CmdRemoveBreak; });
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == PointListDlg::CmdRemove)
            action->setShortcut(QKeySequence(Qt::Key_Delete));
        else if (action->data().toInt() == PointListDlg::CmdDelete)
            action->setShortcut(QKeySequence(Qt::ShiftModifier | Qt::Key_Delete));
    }
    return CommandMenu::Exec(menu, at);
}

OpenTracks& Tracks()
{
    return OpenTracks::Get();
}

} // namespace

PointListDlg::PointListDlg(ShowPoint showPoint, QWidget* parent)
    : PaneDlgBase(kTemplateId, parent)
    , m_list(new PointList(this))
    , m_showPoint(std::move(showPoint))
    , m_menuRunner(RunMenu)
    , m_actions(Tracks().model, Tracks().holder, GEventManagerImpl::GetInstance())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);

    m_list->SetOnPointFocused([this](const TrackPosition& point) { OnPointFocused(point); });
    m_list->SetOnDeleteKey([this](bool forGood) { RunCommand(forGood ? CmdDelete : CmdRemove); });
    m_list->SetOnContextMenu([this](const QPoint& at) { ShowMenu(at); });

    // Single points removed, restored or added change the rows as much as
    // the wider changes do.
    using namespace GEventKind;
    m_events = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{TreeChanged, PointsChanged, SelectionChanged, PointViewChanged, PointRemovedRestored, PointAdded,
                     CurrentPointChanged, StateOtherChanged, ViewSettingsChanged, UnitsChanged, PointRangeChanged},
        [this] { OnEvent(); }, GEventGroup::Views);
}

PointListDlg::~PointListDlg() = default;

void PointListDlg::OnEvent()
{
    switch (GEventManagerImpl::GetInstance().GetCurrentEvent().kind) {
    case GEventKind::CurrentPointChanged:
    case GEventKind::StateOtherChanged:
        m_list->FocusCurrentPoint();
        break;
    case GEventKind::ViewSettingsChanged:
        m_list->FollowViewSettings();
        break;
    case GEventKind::UnitsChanged:
        m_list->OnUnitsChanged();
        break;
    case GEventKind::PointRangeChanged:
        m_list->RefreshAll();
        break;
    default:
        m_list->Bind();
        break;
    }
}

void PointListDlg::OnPointFocused(const TrackPosition& point)
{
    // The map moves only for a new point, not when the focus comes back to
    // the point that is current already.
    const bool changed = Tracks().holder.GetState().GetCurrentPoint() != point;
    Tracks().holder.SetCurrentPoint(point.tid, point.index);
    if (changed && m_showPoint)
        m_showPoint(point);
}

void PointListDlg::ShowMenu(const QPoint& globalPos)
{
    TrackPointEx point;
    const int code = m_list->ReadFocusedPoint(point);
    if (code == PtListNavI::NoPoint)
        return;
    const bool atEnd = code == PtListNavI::SegmentStart || code == PtListNavI::SegmentEnd;
    CommandMenu::Commands commands{{CmdRemove, point.IsValid()},
                                   {CmdDelete, true},
                                   {CmdRestore, !point.IsValid()},
                                   {CmdAddBreak, code == PtListNavI::Inside},
                                   {CmdRemoveBreak, atEnd}};
    PointRangeMenu::Append(commands);
    const int chosen = m_menuRunner(commands, globalPos);
    if (PointRangeMenu::IsRangeCommand(chosen)) {
        if (m_sendCommand)
            m_sendCommand(chosen);
        return;
    }
    for (const auto& [id, enabled] : commands)
        if (id == chosen && enabled)
            RunCommand(id);
}

void PointListDlg::RunCommand(int id)
{
    const TrackPosition point = m_list->GetFocusedPoint();
    if (point.tid < 0)
        return;
    switch (id) {
    case CmdRemove:
        m_actions.RemovePoint(point);
        break;
    case CmdDelete:
        DeletePoint(point);
        break;
    case CmdRestore:
        m_actions.RestorePoint(point);
        break;
    case CmdAddBreak:
        m_actions.AddBreak(point);
        break;
    case CmdRemoveBreak:
        m_actions.RemoveBreak(point);
        break;
    default:
        break;
    }
}

void PointListDlg::DeletePoint(const TrackPosition& point)
{
    OpenTracksModel& model = Tracks().model;
    const TrackPtr track = model.GetTrack(point.tid);
    if (!track || point.index < 0 || point.index >= track->GetPointCount())
        return;
    const UndoScope step(model, IDS_UNDO_DELETE_POINT);
    track->DeletePoint(point.index);
    const int file = TrackTreeAlg(model.GetReader().get()).GetFileId(point.tid);
    if (file >= 0)
        model.SetModified(file, true);
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
}
