#include "TrackMenuUI.h"

#include "CleaningCapture.h"
#include "CommandIds.h"
#include "CommandUI.h"
#include "IncreaseFrequencyCommand.h"
#include "MainFrame.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
#include "RebuildTreeDlg.h"
#include "RebuildTreeOptions.h"
#include "RecipeStepKind.h"
#include "SegmentBreaks.h"
#include "StringIds.h"
#include "TrackRestructure.h"
#include "TrackReverser.h"
#include "TrackTreeAlg.h"
#include "Translator.h"

#include <QAction>
#include <QKeySequence>

#include <algorithm>

namespace {

// The texts of the point list's menu items for the same commands.
constexpr int kAddBreakText = 1358;
constexpr int kRemoveBreakText = 1359;

OpenTracks& Tracks()
{
    return OpenTracks::Get();
}

std::vector<int> SelectedItems()
{
    std::vector<int> items;
    Tracks().holder.GetState().GetSelectedItems(items);
    return items;
}

} // namespace

TrackMenuUI::TrackMenuUI(MainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
{
    MainFrameImpl& hub = frame.GetHub();
    m_commands = hub.SubscribeCommand(ID_TRACK_RESTRUCTURE, ID_TRACK_INCREASE_FREQUENCY, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(ID_TRACK_RESTRUCTURE, ID_TRACK_INCREASE_FREQUENCY, [this](CommandUI& ui) { OnCommandUI(ui); });
    // The break commands have no menu item: their shortcuts live on the window.
    for (const auto& [id, key] : {std::pair{ID_TRACK_ADD_BREAK, Qt::Key_B}, std::pair{ID_TRACK_REMOVE_BREAK, Qt::Key_J}}) {
        QAction* action = frame.GetActions().Get(id);
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        frame.addAction(action);
    }
}

void TrackMenuUI::OnCommand(int id)
{
    switch (id) {
    case ID_TRACK_RESTRUCTURE:
        Restructure();
        break;
    case ID_TRACK_MERGE:
        Merge();
        break;
    case ID_TRACK_ADD_BREAK:
        AddBreak();
        break;
    case ID_TRACK_REMOVE_BREAK:
        RemoveBreak();
        break;
    case ID_TRACK_REVERSE:
        Reverse();
        break;
    case ID_TRACK_INCREASE_FREQUENCY:
        RunIncreaseFrequencyCommand(&m_frame, &m_frame.GetCleaningLog());
        break;
    default:
        break;
    }
}

void TrackMenuUI::OnCommandUI(CommandUI& ui)
{
    const int selected = Tracks().holder.GetState().GetSelectedCount();
    ui.Enable(ui.GetId() == ID_TRACK_MERGE ? selected > 1 : selected > 0);
    if (ui.GetId() == ID_TRACK_ADD_BREAK || ui.GetId() == ID_TRACK_REMOVE_BREAK)
        ui.SetText(Translator::GetInstance().LoadStr(ui.GetId() == ID_TRACK_ADD_BREAK ? kAddBreakText : kRemoveBreakText));
}

std::vector<int> TrackMenuUI::FilesToRestructure()
{
    const std::vector<int> items = SelectedItems();
    const TrackTreeReaderPtr reader = Tracks().model.GetReader();
    const bool allFiles = std::all_of(items.begin(), items.end(), [&reader](int tid) {
        const TrackInfo::Node* node = reader->GetNode(tid);
        return node != nullptr && node->GetKind() == TrackInfo::KindFile;
    });
    if (allFiles)
        return items;
    if (Translator::GetInstance().MessageBoxW(IDS_RESTRUCTURE_FILES_ONLY, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return {};
    return TrackTreeAlg(reader.get()).GetParentFileIds(items);
}

void TrackMenuUI::Restructure()
{
    const std::vector<int> files = FilesToRestructure();
    if (files.empty())
        return;
    RebuildTreeDlg dlg(&m_frame);
    if (dlg.DoModal() != IDOK)
        return;
    OpenTracksModel& model = Tracks().model;
    // The points keep their order and the file its tid, so the current
    // point keeps its place among the points of its file.
    const TrackPosition current = Tracks().holder.GetState().GetCurrentPoint();
    const TrackPositionConverter converter(*model.GetReader(), [&model](int tid) { return model.GetTrack(tid).get(); });
    const TrackPosition inFile = converter.Convert(current, TrackTreeAlg(model.GetReader().get()).GetFileId(current.tid));

    const RestructureParams params = RebuildTreeOptions::GetInstance().GetParams();
    CleaningCapture capture(&m_frame.GetCleaningLog(), model, files);
    TrackRestructure restructure(model);
    for (const int file : files) {
        if (!restructure.RestructureFile(file, params))
            Translator::GetInstance().MessageBoxW(IDS_SPLIT_ERROR, MB_OK | MB_ICONERROR);
    }
    if (inFile.tid >= 0 && Tracks().holder.GetState().GetCurrentPoint().tid < 0)
        Tracks().holder.SetCurrentPoint(inFile.tid, inFile.index);
    capture.Done(IDS_UNDO_RESTRUCTURE, {RecipeStep::Of(RecipeSteps::Restructure,
                                                       {{QStringLiteral("folder_gap_min"), params.folderMinutes},
                                                        {QStringLiteral("segment_gap_min"), params.segmentMinutes},
                                                        {QStringLiteral("keep_breaks"), params.keepBreaks}})});
}

void TrackMenuUI::Merge()
{
    const std::vector<int> items = SelectedItems();
    TrackRestructure restructure(Tracks().model);
    const int merged = restructure.Merge(items, RebuildTreeOptions::GetInstance().GetParams(),
                                         Tracks().namer.GetDefaultName(items));
    if (merged >= 0)
        Tracks().holder.SetSelection({merged});
}

void TrackMenuUI::Reverse()
{
    TrackReverser(Tracks().model, Tracks().holder).Reverse(SelectedItems());
}

void TrackMenuUI::AddBreak()
{
    SegmentBreaks(Tracks().model).AddBreak(Tracks().holder.GetState().GetCurrentPoint());
}

void TrackMenuUI::RemoveBreak()
{
    const TrackPosition moved = SegmentBreaks(Tracks().model).RemoveBreak(Tracks().holder.GetState().GetCurrentPoint());
    if (moved.tid >= 0)
        Tracks().holder.SetCurrentPoint(moved.tid, moved.index);
}
