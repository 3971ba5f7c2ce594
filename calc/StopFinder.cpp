#include "StopFinder.h"

#include "Median.h"

namespace {

// Scanning forwards from from: the last position before the first record
// that lies beyond the radius of the place.
int Reach(const std::vector<LocalRecord>& records, int from, double lon, double lat)
{
    int last = from;
    const int count = static_cast<int>(records.size());
    while (last + 1 < count) {
        const LocalRecord& next = records[static_cast<size_t>(last + 1)];
        if (LocalRecord::DistanceKm(lon, lat, next.lon, next.lat) > StopFinder::RadiusKm)
            break;
        ++last;
    }
    return last;
}

} // namespace

std::vector<StopFinder::Stop> StopFinder::Find(const std::vector<LocalRecord>& records)
{
    std::vector<Stop> stops;
    const int count = static_cast<int>(records.size());
    int first = 0;
    while (first < count) {
        const LocalRecord& anchor = records[static_cast<size_t>(first)];
        int last = Reach(records, first, anchor.lon, anchor.lat);
        const double seconds = records[static_cast<size_t>(last)].seconds - anchor.seconds;
        if (last - first + 1 < MinRecords || !(seconds >= MinSeconds)) {
            ++first;
            continue;
        }
        // The first record may sit at the edge of the scatter: measure the
        // rest of the stop from its median instead.
        std::vector<double> lons;
        std::vector<double> lats;
        for (int i = first; i <= last; ++i) {
            lons.push_back(records[static_cast<size_t>(i)].lon);
            lats.push_back(records[static_cast<size_t>(i)].lat);
        }
        const double lon = Median(lons);
        const double lat = Median(lats);
        Stop stop;
        stop.first = first;
        // Records that arrived at the far edge of the scatter were too far
        // from the anchor but belong to the stop as well.
        const int earliest = stops.empty() ? 0 : stops.back().last + 1;
        while (stop.first > earliest) {
            const LocalRecord& before = records[static_cast<size_t>(stop.first - 1)];
            if (LocalRecord::DistanceKm(lon, lat, before.lon, before.lat) > RadiusKm)
                break;
            --stop.first;
        }
        stop.last = Reach(records, last, lon, lat);
        double nearest = -1;
        for (int i = stop.first; i <= stop.last; ++i) {
            const LocalRecord& record = records[static_cast<size_t>(i)];
            const double d = LocalRecord::DistanceKm(lon, lat, record.lon, record.lat);
            if (nearest < 0 || d < nearest) {
                nearest = d;
                stop.middle = i;
            }
        }
        stops.push_back(stop);
        first = stop.last + 1;
    }
    return stops;
}
