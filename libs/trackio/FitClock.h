#pragma once

#include "Time.h"

#include <cstdint>
#include <vector>

class FitMessage;
class TrackData;

// Gives points their times from FIT timestamps. Timestamps below 0x10000000
// count from the device's power-on, not from the FIT epoch; a
// timestamp_correlation message pairs such a time with UTC. Devices write it
// when they get their first fix, after the first records: points timed
// before it get their time when it comes, and keep none if it never does.
class FitClock
{
public:
    // Seconds since 1989-12-31 00:00 UTC.
    static Time FromFitSeconds(int64_t seconds);

    void Reset();
    // Times the last point of the segment.
    void SetTime(uint32_t seconds, TrackData& segment);
    // A timestamp_correlation message: sets the offset and times the points
    // that waited for it.
    void Correlate(const FitMessage& message);

private:
    struct Waiting
    {
        TrackData* segment;
        int index;
        uint32_t seconds;
    };

    std::vector<Waiting> m_waiting;
    bool m_hasOffset = false;
    int64_t m_offset = 0;
};
