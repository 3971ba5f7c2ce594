#pragma once

class TrackI;
class TrackPoint;

// Finds points that jump away from the track and come straight back: long
// spikes (both legs over 10 km, the neighbours within 1 km of each other,
// reason 9) and spikes (the track turns back at the point more sharply than
// its speed allows, reason 10). Walks the valid points itself, without the
// derived data.
class SpikeFilter
{
public:
    static constexpr int ReasonLongSpike = 9;
    static constexpr int ReasonSpike = 10;

    // Marks the spikes of the track and refreshes it when it marked any;
    // returns their number.
    int Apply(TrackI& track) const;

    // The reason the middle point of three consecutive valid points gets,
    // 0 when it stays valid. The valid points before p0 and after p2 (null
    // at the ends of the track) tell whether p1 or a neighbour left the
    // track when it turns back sharply at p1.
    static int TestTriple(const TrackPoint& p0, const TrackPoint& p1, const TrackPoint& p2,
                          const TrackPoint* before = nullptr, const TrackPoint* after = nullptr);
};
