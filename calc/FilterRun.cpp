#include "FilterRun.h"

#include "GEventKind.h"
#include "GEventNotifyI.h"
#include "LayoutDeferral.h"
#include "OpenTracksModel.h"
#include "StringIds.h"
#include "TrackPtNavI.h"
#include "TrackTreeAlg.h"
#include "TracksStateI.h"
#include "Translator.h"

#include <optional>

FilterRun::FilterRun(OpenTracksModel& model, const TracksStateI& state, GEventNotifyI& events, Scope scope)
    : m_model(model)
    , m_events(events)
    , m_scope(scope)
{
    std::vector<int> items;
    state.GetSelectedItems(items);
    const TrackTreeAlg tree(model.GetReader().get());
    if (scope == Scope::CurrentSegment) {
        if (state.GetCurrentSegment() >= 0)
            m_tids = {state.GetCurrentSegment()};
    } else if (scope == Scope::Adults)
        m_tids = tree.GetAdults(items);
    else
        tree.GetSubsegmentIds(items, m_tids);
    m_timer.start();
}

int FilterRun::Run(const TrackOperation& operation)
{
    // A composite numbers its points afresh only when it lays out, and an
    // operation on a composite reads that numbering: only a run over
    // segments alone may leave the layouts to the end.
    std::optional<LayoutDeferral> deferral;
    if (m_scope != Scope::Adults)
        deferral.emplace();
    int lost = 0;
    for (int tid : m_tids) {
        const TrackPtr track = m_model.GetTrack(tid);
        if (!track)
            continue;
        const int before = track->GetPtNav().GetValidCount();
        operation(track);
        lost += before - track->GetPtNav().GetValidCount();
    }
    return lost;
}

void FilterRun::End(int count, bool show)
{
    for (int file : TrackTreeAlg(m_model.GetReader().get()).GetParentFileIds(m_tids))
        m_model.SetModified(file, true);
    if (show) {
        Translator::GetInstance().MessageBoxW(FormatMessage(count, m_timer.elapsed()),
                                              MB_OK | MB_ICONINFORMATION);
    }
    m_events.Notify(GEventKind::PointsChanged);
}

QString FilterRun::FormatMessage(int count, qint64 milliseconds)
{
    const Translator& texts = Translator::GetInstance();
    return QString::number(count) + texts.LoadStr(IDS_POINTS_REMOVED) + texts.LoadStr(IDS_FILTER_TIME)
        + QString::number(milliseconds) + texts.LoadStr(IDS_FILTER_MS);
}
