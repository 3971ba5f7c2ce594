#include "FilterUI.h"

#include "CommandIds.h"
#include "CommandUI.h"
#include "FValueDlg.h"
#include "FilterManager.h"
#include "FilterReasons.h"
#include "GEventManagerImpl.h"
#include "LocalInconsistencyFilter.h"
#include "MainFrame.h"
#include "MessageBoxStyle.h"
#include "OpenTracks.h"
#include "ParameterFilterImpl.h"
#include "SpikeFilter.h"
#include "StopFilter.h"
#include "OptUnits.h"
#include "TimeCommands.h"
#include "ValueFilterLimits.h"

namespace {


const TracksStateI& State()
{
    return OpenTracks::Get().holder.GetState();
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
        RunShiftTimeCommand(&m_frame);
        break;
    case ID_TIME_RESET:
        RunResetTimeCommand(&m_frame);
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
    FilterRun run = BeginRun(scope);
    const std::shared_ptr<ParameterFilterImpl> rules =
        ValueFilterRows::BuildFilter(texts, system, FilterReasons::GetInstance());
    const Filter::Function filter = [rules](const TrackI& track) { return rules->Apply(track); };
    const int count = run.Run([&filter](const TrackPtr& track) { FilterManager::ApplyFilter(filter, track); });
    run.End(count, true);
}

void FilterUI::FilterSpikes()
{
    FilterRun run = BeginRun();
    const int count = run.Run([](const TrackPtr& track) { SpikeFilter().Apply(*track); });
    run.End(count, true);
}

void FilterUI::FilterLocal()
{
    FilterRun run = BeginRun(FilterRun::Scope::Adults);
    const LocalInconsistencyFilter filter(0, false);
    const int count = run.Run([&filter](const TrackPtr& track) { filter.Apply(*track); });
    run.End(count, true);
}

void FilterUI::FilterStops()
{
    std::vector<int> items;
    State().GetSelectedItems(items);
    if (items.size() != 1)
        return;
    FilterRun run = BeginRun();
    const int count = RunStopFilter(OpenTracks::Get().model, items.front());
    run.End(count, true);
}

void FilterUI::DeleteFiltered()
{
    FilterRun run = BeginRun();
    int removed = 0;
    run.Run([&removed](const TrackPtr& track) {
        const int before = track->GetPointCount();
        track->DeleteFiltered();
        removed += before - track->GetPointCount();
    });
    run.End(removed, true);
}

void FilterUI::RestoreFiltered()
{
    FilterRun run = BeginRun();
    run.Run([](const TrackPtr& track) { track->RestoreFiltered(); });
    run.End(0, false);
}
