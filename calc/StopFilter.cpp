#include "StopFilter.h"

#include "LocalWorkState.h"
#include "OpenTracksModel.h"
#include "StopDerivedSets.h"
#include "StopFinder.h"
#include "TrackPtNavI.h"

namespace {

constexpr int ShadowHalfWindow = 2;
constexpr int ShadowMultiHalfWindow = 3;

void AddFile(OpenTracksModel& model, const QString& name, std::vector<TrackPoint> points)
{
    TrackTree tree;
    const TrackTreeCreatorPtr creator = tree.GetCreator();
    const int file = creator->AddFile(name, QString(), TrackFileGpx);
    const int segment = creator->AddSegment(file, QString());
    TrackDataSetImpl data;
    data.Add(segment, std::make_shared<TrackData>(std::move(points)));
    model.AddNewFile(*tree.GetReader(), file, data);
}

} // namespace

int RunStopFilter(OpenTracksModel& model, int tid)
{
    const TrackPtr track = model.GetTrack(tid);
    if (!track || track->GetPtNav().GetValidCount() < 2)
        return 0;
    const std::vector<LocalRecord> records = LocalWorkState::FromTrack(*track).GetRecords();
    std::vector<TrackPoint> points(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        track->GetPoint(records[i].index, points[i]);
    const std::vector<StopFinder::Stop> stops = StopFinder::Find(records);

    const StopDerivedSets sets(points, stops);
    AddFile(model, QStringLiteral("Shadow_M"), sets.Shadow(ShadowHalfWindow));
    AddFile(model, QStringLiteral("Shadow_M_multi"), sets.Shadow(ShadowMultiHalfWindow));
    AddFile(model, QStringLiteral("Detailed"), sets.Detailed());
    AddFile(model, QStringLiteral("Rare"), sets.Rare());

    // The ends of the track stay, so that it keeps its start and end.
    const int last = static_cast<int>(records.size()) - 1;
    int filtered = 0;
    for (const StopFinder::Stop& stop : stops) {
        for (int i = stop.first; i <= stop.last; ++i) {
            if (i == stop.middle || i == 0 || i == last)
                continue;
            track->GetPointStatus(records[static_cast<size_t>(i)].index)->SetFilterReason(LocalWorkState::TooCloseReason);
            ++filtered;
        }
    }
    if (filtered > 0)
        track->Refresh(false);
    return filtered;
}
