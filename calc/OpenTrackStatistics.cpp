#include "OpenTrackStatistics.h"

#include "OpenTracks.h"
#include "StatisticsOptions.h"
#include "TrackTreeAlg.h"

namespace OpenTrackStatistics {

namespace {

TrackStatistics OfRange(int segmentTid, int first, int last, const StatisticsParams& params)
{
    const TrackPtr track = OpenTracks::Get().model.GetTrack(segmentTid);
    return track ? TrackStatistics::OfRange(*track, first, last, params) : TrackStatistics();
}

} // namespace

TrackStatistics OfSegmentRange(int segmentTid, int first, int last)
{
    return OfRange(segmentTid, first, last, StatisticsOptions::GetInstance().GetParams());
}

TrackStatistics OfNodes(const std::vector<int>& tids)
{
    const StatisticsParams params = StatisticsOptions::GetInstance().GetParams();
    std::vector<int> segments;
    TrackTreeAlg(OpenTracks::Get().model.GetReader().get()).GetSubsegmentIds(tids, segments);
    TrackStatistics sum;
    for (const int segment : segments)
        sum.Add(OfRange(segment, 0, -1, params));
    return sum;
}

} // namespace OpenTrackStatistics
