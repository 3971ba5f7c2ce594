#include "PreparedSegments.h"

#include "TimeOrderCheck.h"
#include "Track.h"

void PreparedSegments::Prepare(const TrackTreeReaderI& tree, TrackDataSetI& data,
                               const std::function<bool()>& cancelled)
{
    std::vector<int> pending = tree.GetChildren(-1);
    while (!pending.empty()) {
        if (cancelled())
            return;
        const int tid = pending.back();
        pending.pop_back();
        const TrackInfo::Node* node = tree.GetNode(tid);
        if (node == nullptr)
            continue;
        if (node->GetKind() != TrackInfo::KindSegment) {
            const std::vector<int>& children = tree.GetChildren(tid);
            pending.insert(pending.end(), children.begin(), children.end());
            continue;
        }
        if (const TrackDataPtr points = data.Get(tid)) {
            TimeOrderCheck::Run(*points);
            m_tracks[tid] = std::make_shared<Track>(points, -1, -1);
        }
    }
}

std::shared_ptr<Track> PreparedSegments::Take(int loadedTid, const TrackDataPtr& points)
{
    const auto found = m_tracks.find(loadedTid);
    if (found == m_tracks.end())
        return nullptr;
    std::shared_ptr<Track> track = std::move(found->second);
    m_tracks.erase(found);
    if (track->GetTrackDataPtr() != points)
        return nullptr;
    return track;
}
