#include "FilterUI.h"

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
#include "TimeCommands.h"

namespace {

constexpr int kFirstCommand = 32900;
constexpr int kLastCommand = 32990;
constexpr int kByValue = 32902;
constexpr int kSpikes = 32903;
constexpr int kLocal = 32904;
constexpr int kStops = 32905;
constexpr int kShiftTime = 32907;
constexpr int kResetTime = 32908;
constexpr int kDeleteFiltered = 32920;
constexpr int kRestoreFiltered = 32921;

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
    m_commands = hub.SubscribeCommand(kFirstCommand, kLastCommand, [this](int id) { OnCommand(id); });
    m_commandUIs = hub.SubscribeCommandUI(kFirstCommand, kLastCommand, [this](CommandUI& ui) { OnCommandUI(ui); });
}

void FilterUI::OnCommand(int id)
{
    switch (id) {
    case kByValue:
        FilterByValue();
        break;
    case kSpikes:
        FilterSpikes();
        break;
    case kLocal:
        FilterLocal();
        break;
    case kStops:
        FilterStops();
        break;
    case kShiftTime:
        RunShiftTimeCommand(&m_frame);
        break;
    case kResetTime:
        RunResetTimeCommand(&m_frame);
        break;
    case kDeleteFiltered:
        DeleteFiltered();
        break;
    case kRestoreFiltered:
        RestoreFiltered();
        break;
    default:
        break;
    }
}

void FilterUI::OnCommandUI(CommandUI& ui) const
{
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
    FilterRun run = BeginRun();
    const std::shared_ptr<ParameterFilterImpl> rules =
        ValueFilterRows::BuildFilter(dialog.GetTexts(), dialog.GetMeasuringSystem(), FilterReasons::GetInstance());
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
