#include "FileSnapshot.h"

#include "OpenTracksModel.h"
#include "Track.h"

namespace {

const TrackData& LiveData(const OpenTracksModel& model, int tid)
{
    return *std::static_pointer_cast<Track>(model.GetTrack(tid))->GetTrackDataPtr();
}

} // namespace

FileSnapshot::FileSnapshot(const OpenTracksModel& model, int fileTid, Depth depth)
    : m_depth(depth)
    , m_attr(*model.GetFileAttr(fileTid))
{
    m_file = CopyNode(*model.GetReader(), fileTid, -1);
}

int FileSnapshot::CopyNode(const TrackTreeReaderI& from, int tid, int parent)
{
    const int copy = m_tree.GetEditor()->AddNode(parent, *from.GetNode(tid));
    m_nodes.push_back(copy);
    if (from.GetNode(tid)->GetKind() == TrackInfo::KindSegment) {
        m_segments.push_back(copy);
        m_liveSegments.push_back(tid);
    }
    for (const int child : from.GetChildren(tid))
        CopyNode(from, child, copy);
    return copy;
}

FileSnapshot FileSnapshot::Take(const OpenTracksModel& model, int fileTid, Depth depth)
{
    FileSnapshot snapshot(model, fileTid, depth);
    for (size_t i = 0; i < snapshot.m_segments.size(); ++i) {
        const TrackData& live = LiveData(model, snapshot.m_liveSegments[i]);
        if (depth == Depth::Points) {
            snapshot.m_data.Add(snapshot.m_segments[i], std::make_shared<TrackData>(live));
            continue;
        }
        std::vector<TrackPointStatus> statuses;
        statuses.reserve(live.GetPoints().size());
        for (const TrackPoint& point : live.GetPoints())
            statuses.push_back(point.GetStatus());
        snapshot.m_statuses.push_back(std::move(statuses));
    }
    return snapshot;
}

FileSnapshot FileSnapshot::Adopt(const OpenTracksModel& model, int fileTid)
{
    FileSnapshot snapshot(model, fileTid, Depth::Points);
    for (size_t i = 0; i < snapshot.m_segments.size(); ++i) {
        const auto segment = std::static_pointer_cast<Track>(model.GetTrack(snapshot.m_liveSegments[i]));
        snapshot.m_data.Add(snapshot.m_segments[i], segment->GetTrackDataPtr());
    }
    return snapshot;
}

size_t FileSnapshot::GetBytes() const
{
    // A node costs about its record, its name and the tree's bookkeeping.
    size_t bytes = sizeof(*this) + m_nodes.size() * 160;
    // Room past an array's points has mostly never been written, so
    // costs no memory.
    for (const auto& [tid, data] : m_data.GetAll())
        bytes += data->GetPoints().size() * sizeof(TrackPoint);
    for (const auto& statuses : m_statuses)
        bytes += statuses.capacity() * sizeof(TrackPointStatus);
    return bytes;
}
