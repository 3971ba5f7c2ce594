#include "TrackReverser.h"

#include "LayoutDeferral.h"
#include "OpenTracksModel.h"
#include "Track.h"
#include "TrackTreeAlg.h"
#include "TracksStateHolderImpl.h"

#include <algorithm>

namespace {

std::vector<TrackPoint>& PointsOf(const TrackPtr& track)
{
    return std::dynamic_pointer_cast<Track>(track)->GetTrackDataPtr()->GetPoints();
}

} // namespace

TrackReverser::TrackReverser(OpenTracksModel& model, TracksStateHolderImpl& holder)
    : m_model(model)
    , m_holder(holder)
{
}

void TrackReverser::Reverse(const std::vector<int>& items)
{
    const TrackTreeReaderPtr reader = m_model.GetReader();
    const TrackTreeAlg tree(reader.get());
    const std::vector<int> adults = tree.GetAdults(items);
    if (adults.empty())
        return;
    TrackPosition current = m_holder.GetState().GetCurrentPoint();
    for (const int item : adults) {
        for (const int segment : ReversePoints(item)) {
            if (segment == current.tid)
                current.index = m_model.GetTrack(segment)->GetPointCount() - 1 - current.index;
        }
    }
    m_model.ReverseOrder(adults);
    if (current != m_holder.GetState().GetCurrentPoint())
        m_holder.SetCurrentPoint(current.tid, current.index);
}

std::vector<int> TrackReverser::ReversePoints(int item)
{
    std::vector<int> segments;
    TrackTreeAlg(m_model.GetReader().get()).GetSubsegmentIds(item, segments);
    // The first and the last time of the item as it runs now.
    Time first;
    Time last;
    for (const int segment : segments) {
        for (const TrackPoint& point : PointsOf(m_model.GetTrack(segment))) {
            if (point.GetTime().IsNull())
                continue;
            if (first.IsNull())
                first = point.GetTime();
            last = point.GetTime();
        }
    }
    const LayoutDeferral deferral;
    for (const int segment : segments) {
        const TrackPtr track = m_model.GetTrack(segment);
        std::vector<TrackPoint>& points = PointsOf(track);
        std::reverse(points.begin(), points.end());
        for (TrackPoint& point : points) {
            if (!point.GetTime().IsNull())
                point.SetTime(first + (last - point.GetTime()));
        }
        track->Refresh(false);
    }
    return segments;
}
