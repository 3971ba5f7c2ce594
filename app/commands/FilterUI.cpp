#include "FilterUI.h"

#include "CommandIds.h"
#include "CommandUI.h"
#include "FValueDlg.h"
#include "FilterManager.h"
#include "FilterReasons.h"
#include "GEventManagerImpl.h"
#include "LocalInconsistencyFilter.h"
#include "CleaningLog.h"
#include "MainFrame.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
#include "ParameterFilterImpl.h"
#include "RecipeStepKind.h"
#include "SpikeFilter.h"
#include "StringIds.h"
#include "StopFilter.h"
#include "OptUnits.h"
#include "TimeCommands.h"
#include "TrackTreeAlg.h"
#include "Translator.h"
#include "ValueFilterLimits.h"

namespace {


const TracksStateI& State()
{
    return OpenTracks::Get().holder.GetState();
}

// Whether the segment is all its file holds.
bool IsWholeFile(int segmentTid)
{
    const TrackTreeAlg tree(OpenTracks::Get().model.GetReader().get());
    std::vector<int> segments;
    tree.GetSubsegmentIds(tree.GetFileId(segmentTid), segments);
    return segments.size() == 1;
}

} // namespace

FilterUI::FilterUI(MainFrame& frame)
    : QObject(&frame)
    , m_frame(frame)
{
    MainFrameImpl& hub = frame.GetHub();
    m_commands = hub.SubscribeCommand(ID_FILTER_FIRST, ID_FILTER_LAST, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(ID_FILTER_FIRST, ID_FILTER_LAST, [this](CommandUI& ui) { OnCommandUI(ui); });
}

void FilterUI::OnCommand(int id)
{
    switch (id) {
    case ID_FILTER_BY_VALUE:
        FilterByValue();
        break;
    case ID_FILTER_APPLY_LIMITS:
        ApplyLimits();
        break;
    case ID_FILTER_SPIKES:
        FilterSpikes();
        break;
    case ID_FILTER_LOCAL:
        FilterLocal();
        break;
    case ID_FILTER_STOPS:
        FilterStops();
        break;
    case ID_TIME_SHIFT:
        RunShiftTimeCommand(&m_frame, &m_frame.GetCleaningLog());
        break;
    case ID_TIME_RESET:
        RunResetTimeCommand(&m_frame, &m_frame.GetCleaningLog());
        break;
    case ID_FILTER_DELETE:
        DeleteFiltered();
        break;
    case ID_FILTER_RESTORE:
        RestoreFiltered();
        break;
    default:
        break;
    }
}

void FilterUI::OnCommandUI(CommandUI& ui) const
{
    if (ui.GetId() == ID_FILTER_APPLY_LIMITS) {
        ui.Enable(State().GetCurrentSegment() >= 0);
        return;
    }
    ui.Enable(State().GetSelectedCount() > 0);
}

FilterRun FilterUI::BeginRun(FilterRun::Scope scope) const
{
    return FilterRun(OpenTracks::Get().model, State(), GEventManagerImpl::GetInstance(), scope);
}

CleaningCapture FilterUI::BeginCapture() const
{
    std::vector<int> items;
    State().GetSelectedItems(items);
    OpenTracksModel& model = OpenTracks::Get().model;
    return CleaningCapture(&m_frame.GetCleaningLog(), model, CleaningCapture::FilesOf(model, items));
}

void FilterUI::FilterByValue()
{
    FValueDlg dialog(&m_frame);
    if (dialog.DoModal() != IDOK)
        return;
    ValueFilterLimits::GetInstance().SetTexts(dialog.GetTexts(), dialog.GetMeasuringSystem());
    RunValueFilter(dialog.GetTexts(), dialog.GetMeasuringSystem(), FilterRun::Scope::Segments);
}

void FilterUI::ApplyLimits()
{
    const MeasuringSystem system = OptUnits::GetInstance().GetMeasuringSystem();
    RunValueFilter(ValueFilterLimits::GetInstance().GetTexts(system), system, FilterRun::Scope::CurrentSegment);
}

void FilterUI::RunValueFilter(const ValueFilterRows::Texts& texts, MeasuringSystem system, FilterRun::Scope scope)
{
    CleaningCapture capture = BeginCapture();
    FilterRun run = BeginRun(scope);
    const std::shared_ptr<ParameterFilterImpl> rules =
        ValueFilterRows::BuildFilter(texts, system, FilterReasons::GetInstance());
    const Filter::Function filter = [rules](const TrackI& track) { return rules->Apply(track); };
    const int count = run.Run([&filter](const TrackPtr& track) { FilterManager::ApplyFilter(filter, track); });
    run.End(count, true);
    std::vector<RecipeStep> steps;
    if (std::optional<RecipeStep> step = ValueFilterRows::ToRecipeStep(texts, system))
        steps.push_back(std::move(*step));
    // A recipe step filters whole files: recorded from one segment of
    // several, it would replay as something the user did not do.
    if (scope == FilterRun::Scope::CurrentSegment && !steps.empty() && m_frame.GetCleaningLog().IsRecording() &&
        !IsWholeFile(State().GetCurrentSegment())) {
        steps.clear();
        Translator::GetInstance().MessageBoxW(Translator::GetInstance().LoadStr(IDS_RECIPE_ONE_SEGMENT_NOT_RECORDED),
                                              MB_OK | MB_ICONINFORMATION);
    }
    capture.Done(IDS_UNDO_FILTER_VALUE, steps);
}

void FilterUI::FilterSpikes()
{
    CleaningCapture capture = BeginCapture();
    FilterRun run = BeginRun();
    const int count = run.Run([](const TrackPtr& track) { SpikeFilter().Apply(*track); });
    run.End(count, true);
    capture.Done(IDS_UNDO_FILTER_SPIKES, {RecipeStep::Of(RecipeSteps::Spikes)});
}

void FilterUI::FilterLocal()
{
    CleaningCapture capture = BeginCapture();
    FilterRun run = BeginRun(FilterRun::Scope::Adults);
    const LocalInconsistencyFilter filter(0, false);
    const int count = run.Run([&filter](const TrackPtr& track) { filter.Apply(*track); });
    run.End(count, true);
    // Level 0 without the extended passes: the step's defaults.
    capture.Done(IDS_UNDO_FILTER_LOCAL, {RecipeStep::Of(RecipeSteps::LocalInconsistency)});
}

void FilterUI::FilterStops()
{
    std::vector<int> items;
    State().GetSelectedItems(items);
    if (items.size() != 1)
        return;
    CleaningCapture capture = BeginCapture();
    FilterRun run = BeginRun();
    const int count = RunStopFilter(OpenTracks::Get().model, items.front());
    run.End(count, true);
    capture.Done(IDS_UNDO_FILTER_STOPS, {RecipeStep::Of(RecipeSteps::Stops)});
}

void FilterUI::DeleteFiltered()
{
    CleaningCapture capture = BeginCapture();
    FilterRun run = BeginRun();
    int removed = 0;
    run.Run([&removed, &capture](const TrackPtr& track) {
        capture.CountBeforeDelete(track->GetTid());
        const int before = track->GetPointCount();
        track->DeleteFiltered();
        removed += before - track->GetPointCount();
    });
    run.End(removed, true);
    capture.Done(IDS_UNDO_DELETE_FILTERED, {RecipeStep::Of(RecipeSteps::DeleteFiltered)});
}

void FilterUI::RestoreFiltered()
{
    FilterRun run = BeginRun();
    run.Run([](const TrackPtr& track) { track->RestoreFiltered(); });
    run.End(0, false);
}
