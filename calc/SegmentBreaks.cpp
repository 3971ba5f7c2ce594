#include "SegmentBreaks.h"

#include "OpenTracksModel.h"
#include "TrackTreeAlg.h"

#include <algorithm>

bool SegmentBreaks::Join(const std::vector<int>& items)
{
    const TrackTreeAlg tree(m_model.GetReader().get());
    std::vector<int> segments;
    tree.GetSubsegmentIds(items, segments);
    if (segments.size() < 2)
        return true;
    const int file = tree.GetFileId(segments.front());
    std::vector<int> order;
    tree.GetSubsegmentIds(file, order);
    const auto start = std::find(order.begin(), order.end(), segments.front());
    if (order.end() - start < static_cast<std::ptrdiff_t>(segments.size())
        || !std::equal(segments.begin(), segments.end(), start))
        return false;
    // Each join leaves the next segment right after the first one.
    for (auto it = segments.begin() + 1; it != segments.end(); ++it)
        m_model.JoinSegments(segments.front(), *it);
    return true;
}

int SegmentBreaks::AddBreak(const TrackPosition& point)
{
    const TrackPosition local = ToSegment(point);
    if (local.tid < 0 || local.index == 0 || local.index == m_model.GetTrack(local.tid)->GetPointCount() - 1)
        return -1;
    return m_model.SplitSegment(local.tid, local.index);
}

TrackPosition SegmentBreaks::RemoveBreak(const TrackPosition& point)
{
    const TrackPosition local = ToSegment(point);
    if (local.tid < 0)
        return {};
    const TrackTreeAlg tree(m_model.GetReader().get());
    if (local.index == 0) {
        const int previous = tree.GetAdjacentSegment(local.tid, -1);
        const int offset = previous < 0 ? 0 : m_model.GetTrack(previous)->GetPointCount();
        if (m_model.JoinSegments(previous, local.tid))
            return {previous, offset};
    }
    if (local.index == m_model.GetTrack(local.tid)->GetPointCount() - 1
        && m_model.JoinSegments(local.tid, tree.GetAdjacentSegment(local.tid, 1)))
        return local;
    return {};
}

TrackPosition SegmentBreaks::ToSegment(const TrackPosition& point) const
{
    const TrackPtr track = m_model.GetTrack(point.tid);
    if (!track || point.index < 0 || point.index >= track->GetPointCount())
        return {};
    const TrackPositionConverter converter(*m_model.GetReader(),
                                           [this](int tid) { return m_model.GetTrack(tid).get(); });
    return converter.Convert(point, track->GetSegmentTid(point.index));
}
