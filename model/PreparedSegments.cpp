#include "PreparedSegments.h"

#include "TimeOrderCheck.h"
#include "Track.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct LoadedSegment
{
    int tid;
    TrackDataPtr points;
};

std::vector<LoadedSegment> SegmentsOf(const TrackTreeReaderI& tree, const TrackDataSetI& data)
{
    std::vector<LoadedSegment> segments;
    std::vector<int> pending = tree.GetChildren(-1);
    while (!pending.empty()) {
        const int tid = pending.back();
        pending.pop_back();
        const TrackInfo::Node* node = tree.GetNode(tid);
        if (node == nullptr)
            continue;
        if (node->GetKind() != TrackInfo::KindSegment) {
            const std::vector<int>& children = tree.GetChildren(tid);
            pending.insert(pending.end(), children.begin(), children.end());
        } else if (TrackDataPtr points = data.Get(tid)) {
            segments.push_back({tid, std::move(points)});
        }
    }
    return segments;
}

} // namespace

void PreparedSegments::Prepare(const TrackTreeReaderI& tree, TrackDataSetI& data,
                               const std::function<bool()>& cancelled)
{
    const std::vector<LoadedSegment> segments = SegmentsOf(tree, data);
    std::vector<std::shared_ptr<Track>> tracks(segments.size());
    // The segments are independent: the other cores take some while the
    // loading thread does the rest, each a whole segment at a time.
    std::atomic<size_t> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    const auto work = [&] {
        try {
            for (size_t i = next++; i < segments.size() && !cancelled(); i = next++) {
                TimeOrderCheck::Run(*segments[i].points);
                tracks[i] = std::make_shared<Track>(segments[i].points, -1, -1);
            }
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            next = segments.size();
        }
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> helpers;
    for (size_t i = 1; i < std::min(cores, segments.size()); ++i)
        helpers.emplace_back(work);
    work();
    helpers.clear();
    if (failure)
        std::rethrow_exception(failure);
    for (size_t i = 0; i < segments.size(); ++i)
        if (tracks[i])
            m_tracks[segments[i].tid] = std::move(tracks[i]);
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
