#include "FilterTestTracks.h"

#include <cmath>

namespace filtertest {

namespace {
// WGS 84 at the equator: metres per degree of latitude and of longitude.
constexpr double kMetresPerDegreeNorth = 110574.3;
constexpr double kMetresPerDegreeEast = 111319.5;
const Time kBase(2024, 6, 1, 9, 0, 0);
} // namespace

TrackPoint At(double east, double north, double seconds)
{
    return TrackPoint(TVector3<double>(east / kMetresPerDegreeEast, north / kMetresPerDegreeNorth, 0.0),
                      kBase + TimeSpan::FromSeconds(seconds));
}

TrackPoint Towards(const TrackPoint& from, double heading, double metres, double seconds)
{
    const double radians = heading * M_PI / 180.0;
    return At(from.GetLon() * kMetresPerDegreeEast + metres * std::sin(radians),
              from.GetLat() * kMetresPerDegreeNorth + metres * std::cos(radians), seconds);
}

std::shared_ptr<Track> MakeTrack(const std::vector<TrackPoint>& points)
{
    return std::make_shared<Track>(std::make_shared<TrackData>(points), 1, -1);
}

std::vector<int> ReasonsOf(const Track& track)
{
    std::vector<int> reasons;
    for (const TrackPoint& point : track.GetTrackDataPtr()->GetPoints())
        reasons.push_back(point.IsValid() ? 0 : point.GetStatus().GetFilterReason());
    return reasons;
}

} // namespace filtertest
