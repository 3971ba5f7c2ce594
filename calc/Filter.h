#pragma once

#include <functional>

class TrackI;

namespace Filter {

// A filter's verdict on a track: the point it rejects first and the reason
// key it gives, or none.
struct Result
{
    int index = -1;
    int reason = 0;

    bool IsNone() const { return reason == 0; }
};

// Judges the points of a track (a window of copies while the sliding window
// runs) and reports the first one it rejects.
using Function = std::function<Result(const TrackI& track)>;

} // namespace Filter
