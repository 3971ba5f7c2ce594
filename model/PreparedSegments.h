#pragma once

#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <functional>
#include <map>
#include <memory>

class Track;

// The segments of a freshly loaded file, time-checked and calculated on the
// loading thread, and on as many more as there are cores when the file has
// several segments: a big file costs a second of arithmetic, which must not
// freeze the window when the file is handed to the open tracks. The tracks
// are outside any tree until the model places them.
class PreparedSegments
{
public:
    // Builds a track over every segment's points in data (they stay in
    // data). Stops early, leaving the rest unprepared, once cancelled says so.
    void Prepare(const TrackTreeReaderI& tree, TrackDataSetI& data, const std::function<bool()>& cancelled);

    // The prepared track of a loaded segment, or null when the segment was
    // not prepared or its points were replaced since.
    std::shared_ptr<Track> Take(int loadedTid, const TrackDataPtr& points);

private:
    std::map<int, std::shared_ptr<Track>> m_tracks;
};
