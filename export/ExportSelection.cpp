#include "ExportSelection.h"

#include "OpenTracksModel.h"
#include "TrackTreeAlg.h"

#include <algorithm>

namespace ExportSelection {

std::vector<int> FilesOf(const OpenTracksModel& model, const std::vector<int>& items)
{
    const TrackTreeAlg tree(model.GetReader().get());
    std::vector<int> files;
    for (const int item : items) {
        const int file = tree.GetFileId(item);
        if (file >= 0 && std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    }
    return files;
}

std::vector<int> SegmentsOf(const OpenTracksModel& model, const std::vector<int>& items)
{
    std::vector<int> segments;
    TrackTreeAlg(model.GetReader().get()).GetSubsegmentIds(items, segments);
    return segments;
}

} // namespace ExportSelection
