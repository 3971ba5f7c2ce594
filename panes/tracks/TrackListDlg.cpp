#include "TrackListDlg.h"

#include "CommandIds.h"
#include "CommandMenu.h"
#include "GEventManagerImpl.h"
#include "OpenTracks.h"
#include "SegmentBreaks.h"
#include "StringIds.h"
#include "TrackTreeAlg.h"
#include "Translator.h"
#include "TrkList.h"
#include "TrkPropCtrl.h"
#include "UndoScope.h"

#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kListMinHeight = 150;
constexpr int kSheetMinHeight = 15;

OpenTracks& Tracks()
{
    return OpenTracks::Get();
}

int RunMenu(const CommandMenu::Commands& commands, const QPoint& at)
{
    QMenu menu;
    CommandMenu::Fill(menu, commands, [](int id) { return id == TrackListDlg::CmdJoin; });
    return CommandMenu::Exec(menu, at);
}

} // namespace

TrackListDlg::TrackListDlg(Locate locate, SendCommand sendCommand, MayClose mayClose, QWidget* parent)
    : PaneDlgBase(kTemplateId, parent)
    , m_locate(std::move(locate))
    , m_sendCommand(std::move(sendCommand))
    , m_mayClose(std::move(mayClose))
    , m_menuRunner(RunMenu)
{
    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_list = new TrkList(splitter);
    m_properties = new TrkPropCtrl(splitter);
    m_list->setMinimumHeight(kListMinHeight);
    m_properties->setMinimumHeight(kSheetMinHeight);
    splitter->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    m_list->SetOnDeleteKey([this] { CloseSelected(); });
    m_list->SetOnLocate([this](int tid) { LocateItems({tid}); });
    m_list->SetOnContextMenu([this](const QPoint& at) { ShowMenu(at); });

    using namespace GEventKind;
    m_events = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter{TreeChanged, FileAttrChanged, PointsChanged, DisplayAttrChanged, SelectionChanged,
                     CheckStateChanged, UnitsChanged, CurrentPointChanged},
        [this] { OnEvent(); }, GEventGroup::Views);
}

TrackListDlg::~TrackListDlg() = default;

void TrackListDlg::SetOpenFiles(OpenFiles openFiles)
{
    m_list->SetOnFilesDropped(std::move(openFiles));
}

void TrackListDlg::OnEvent()
{
    switch (GEventManagerImpl::GetInstance().GetCurrentEvent().kind) {
    case GEventKind::TreeChanged:
        m_list->Rebuild();
        break;
    case GEventKind::SelectionChanged:
        m_list->SelectFromState();
        m_list->RefreshAll();
        break;
    case GEventKind::CheckStateChanged:
    case GEventKind::CurrentPointChanged:
        // Only the check boxes or the bold current segment changed.
        m_list->RefreshAll();
        return;
    case GEventKind::UnitsChanged:
        m_list->UpdateTitles();
        m_list->RefreshTexts();
        break;
    default:
        m_list->RefreshTexts();
        break;
    }
    m_properties->Fill();
}

std::vector<int> TrackListDlg::SelectedItems() const
{
    std::vector<int> items;
    Tracks().holder.GetState().GetSelectedItems(items);
    return items;
}

void TrackListDlg::ShowMenu(const QPoint& globalPos)
{
    const size_t count = SelectedItems().size();
    if (count == 0)
        return;
    const std::vector<std::pair<int, bool>> commands{
        {CmdLocate, true}, {CmdSaveAs, true},    {CmdRename, count == 1}, {CmdDelete, true},
        {CmdMerge, count >= 2}, {CmdReverse, true}, {CmdJoin, count >= 2},
    };
    const int chosen = m_menuRunner(commands, globalPos);
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [chosen](const std::pair<int, bool>& c) { return c.first == chosen; });
    if (it != commands.end() && it->second)
        RunCommand(chosen);
}

void TrackListDlg::RunCommand(int id)
{
    switch (id) {
    case CmdLocate:
        LocateItems(SelectedItems());
        break;
    case CmdSaveAs:
        // The File menu's "Save as" saves the selected items.
        if (m_sendCommand)
            m_sendCommand(ID_FILE_SAVE_AS);
        break;
    case CmdRename:
        m_list->EditFocusedName();
        break;
    case CmdDelete:
        CloseSelected();
        break;
    case CmdMerge:
        if (m_sendCommand)
            m_sendCommand(ID_TRACK_MERGE);
        break;
    case CmdReverse:
        if (m_sendCommand)
            m_sendCommand(ID_TRACK_REVERSE);
        break;
    case CmdJoin:
        JoinSelected();
        break;
    default:
        break;
    }
}

void TrackListDlg::JoinSelected()
{
    const UndoScope step(Tracks().model, IDS_UNDO_JOIN);
    if (!SegmentBreaks(Tracks().model).Join(SelectedItems()))
        Translator::GetInstance().MessageBoxW(IDS_JOIN_NOT_CONSECUTIVE);
}

void TrackListDlg::LocateItems(const std::vector<int>& tids)
{
    std::vector<int> segments;
    TrackTreeAlg(Tracks().model.GetReader().get()).GetSubsegmentIds(tids, segments);
    if (m_locate && !segments.empty())
        m_locate(segments);
}

// The focus goes to the row that takes the place of the first closed one,
// so that Delete can be pressed again to go on down the list.
void TrackListDlg::CloseSelected()
{
    const std::vector<int> items = SelectedItems();
    if (items.empty())
        return;
    const TrackTreeAlg tree(Tracks().model.GetReader().get());
    TrackParts parts;
    tree.GetParts(items, parts);
    if (m_mayClose && !parts.files.empty() && !m_mayClose(parts.files))
        return;
    const std::vector<int> before = tree.GetAllTids();
    const auto first = std::find_if(before.begin(), before.end(), [&items](int tid) {
        return std::find(items.begin(), items.end(), tid) != items.end();
    });
    const size_t place = static_cast<size_t>(first - before.begin());
    {
        const UndoScope step(Tracks().model, IDS_UNDO_REMOVE_TRACKS);
        Tracks().model.Remove(items);
    }
    const std::vector<int> after = tree.GetAllTids();
    if (!after.empty())
        m_list->SetFocusedId(after[std::min(place, after.size() - 1)]);
    m_list->setFocus();
}
