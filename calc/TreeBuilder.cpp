#include "TreeBuilder.h"

#include "CutMap.h"
#include "OpenTracksModel.h"
#include "Track.h"
#include "TrackDataSet.h"

#include <iterator>

ConcatenatedPoints TreeBuilder::Concatenate(const OpenTracksModel& model, const std::vector<int>& segments,
                                            bool keepBreaks)
{
    std::vector<const std::vector<TrackPoint>*> parts;
    parts.reserve(segments.size());
    size_t total = 0;
    for (const int tid : segments) {
        if (const auto segment = std::dynamic_pointer_cast<Track>(model.GetTrack(tid))) {
            parts.push_back(&std::as_const(*segment->GetTrackDataPtr()).GetPoints());
            total += parts.back()->size();
        }
    }
    ConcatenatedPoints result;
    result.points.reserve(total);
    for (const std::vector<TrackPoint>* part : parts) {
        if (part->empty())
            continue;
        result.points.insert(result.points.end(), part->begin(), part->end());
        if (keepBreaks)
            result.keptBreaks.push_back(static_cast<int>(result.points.size()) - 1);
    }
    // The end of the last segment is the end of the points, not a break.
    if (!result.keptBreaks.empty())
        result.keptBreaks.pop_back();
    return result;
}

int TreeBuilder::Build(const TrackInfo::Node& fileRecord, std::vector<TrackPoint>& points, const CutMap& cuts,
                       TrackTreeCreatorI& tree, TrackDataSetI& data)
{
    const int file = tree.AddNode(-1, fileRecord);
    int folder = tree.AddFolder(file, QString());
    auto begin = points.begin();
    for (const auto& [index, kind] : cuts.GetCuts()) {
        const auto end = points.begin() + index + 1;
        const int segment = tree.AddSegment(folder, QString());
        data.Add(segment, std::make_shared<TrackData>(
                              std::vector<TrackPoint>(std::make_move_iterator(begin), std::make_move_iterator(end))));
        begin = end;
        if (kind == CutMap::NewFolder)
            folder = tree.AddFolder(file, QString());
    }
    points.clear();
    points.shrink_to_fit();
    return file;
}
