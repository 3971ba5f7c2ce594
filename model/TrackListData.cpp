#include "TrackListData.h"

#include "CalcDataGeneralI.h"
#include "OpenTracks.h"
#include "TrackPoint.h"
#include "TrackPtNavI.h"
#include "TrackTreeAlg.h"

TrackListData TrackListData::OfNode(int tid)
{
    const TrackInfo::Node* node = OpenTracks::Get().model.GetReader()->GetNode(tid);
    if (!node)
        return {};
    TrackListData data = OfNodes({tid});
    data.tid = tid;
    data.kind = node->GetKind();
    return data;
}

TrackListData TrackListData::OfNodes(const std::vector<int>& tids)
{
    TrackListData data;
    std::vector<int> segments;
    TrackTreeAlg(OpenTracks::Get().model.GetReader().get()).GetSubsegmentIds(tids, segments);
    for (int segment : segments)
        data.AddSegment(segment);
    data.computed = true;
    return data;
}

void TrackListData::AddSegment(int segmentTid)
{
    const TrackPtr track = OpenTracks::Get().model.GetTrack(segmentTid);
    if (!track)
        return;
    const int count = track->GetPointCount();
    pointCount += count;
    validCount += track->GetPtNav().GetValidCount();
    distance += track->GetCalcData().GetTotalDistance();
    bounds.Add(track->GetCalcData().GetValidBounds());
    TrackPoint first;
    TrackPoint last;
    if (count == 0 || !track->GetPoint(0, first) || !track->GetPoint(count - 1, last))
        return;
    // A segment with a time missing at either end has no span to offer.
    if (first.GetTime().IsNull() || last.GetTime().IsNull())
        return;
    if (start.IsNull() || first.GetTime() < start)
        start = first.GetTime();
    if (finish.IsNull() || last.GetTime() > finish)
        finish = last.GetTime();
}
