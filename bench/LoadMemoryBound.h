#pragma once

#include "TrackFileType.h"

// The most memory loading a file of a format may take at its peak: a fixed
// multiple of the file's size plus a constant. bench_memory measures its
// worst cases against it, the fuzz targets every input they try.
struct LoadMemoryBound
{
    long long perInputByte = 0;
    long long constantBytes = 0;

    long long For(long long inputBytes) const { return perInputByte * inputBytes + constantBytes; }

    // The multiples are the worst of bench_memory's cases for the format,
    // rounded up: a segment of one point costs about 2.5 to 2.8 KB whatever
    // its text (GPX and KML segments of about 100 bytes: 32x; GeoJSON
    // features of 110 bytes: 28x; PLT segments of 45 bytes: 68x; FIT
    // records of 27 bytes between a timer stop and start: 99x; TCX laps:
    // 13x), deep markup costs 24x, streamed lines only their points (IGC:
    // 10x). A KMZ inflates up to 1032 times (deflate's limit) before its KML
    // is read, and unpacking takes buffers of its own. The constant covers
    // what any load allocates, whatever its size (at most 80 KB for a small
    // GPX).
    static constexpr LoadMemoryBound Of(TrackFileType type)
    {
        constexpr long long constant = 1LL << 20;
        switch (type) {
        case TrackFileGpx:
        case TrackFileKml:
        case TrackFileGeoJson:
            return {40, constant};
        case TrackFileTcx:
            return {20, constant};
        case TrackFileOzi:
            return {80, constant};
        case TrackFileFit:
            return {120, constant};
        case TrackFileKmz:
            return {40 * 1032, 4 * constant};
        default:
            return {16, constant};
        }
    }
};
