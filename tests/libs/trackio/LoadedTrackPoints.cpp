#include "LoadedTrackPoints.h"

#include "TrackTree.h"

namespace {

void CollectPoints(const TrackTreeReaderI& tree, const TrackDataSetI& data, int tid, std::vector<TrackPoint>& points)
{
    if (const TrackDataPtr segment = data.Get(tid))
        points.insert(points.end(), segment->GetPoints().begin(), segment->GetPoints().end());
    for (int child : tree.GetChildren(tid))
        CollectPoints(tree, data, child, points);
}

} // namespace

std::vector<TrackPoint> AllPoints(const LoadedTrackFile& file)
{
    std::vector<TrackPoint> points;
    if (file.fileTid >= 0)
        CollectPoints(*file.tree.GetReader(), *file.data, file.fileTid, points);
    return points;
}
