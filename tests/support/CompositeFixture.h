#pragma once

#include "Track.h"
#include "TrackX.h"

#include <map>
#include <memory>

namespace tracktest {

// file (1)
//   s0 (10): 2 points
//   folder (2)
//     s1 (11): 3 points
//     s2 (12): 2 points
//   s3 (13): 4 points
// Points run eastwards 0.001 degree and 10 s apart across the whole file.
struct CompositeFixture
{
    static constexpr int FileTid = 1;
    static constexpr int FolderTid = 2;
    static constexpr int S0 = 10, S1 = 11, S2 = 12, S3 = 13;

    CompositeFixture();

    // The segment made of points first .. first + count - 1 of the file.
    static TrackDataPtr Points(int first, int count);
    std::map<int, std::shared_ptr<TrackI>> ByTid() const;

    std::shared_ptr<Track> s0, s1, s2, s3;
    std::shared_ptr<TrackX> folder;
    std::shared_ptr<TrackX> file;
};

} // namespace tracktest
