#pragma once

#include "FastXmlScanner.h"
#include "TrackFileType.h"

#include <QByteArray>

#include <string>

// Loads the bytes of an XML format (GPX, TCX, KML, KMZ) with the fast
// scanner, with the fast scanner and points read ahead on a second thread,
// and with expat alone, and names the first difference in status, message,
// tree, kept markup or points. Shared by the differential
// tests and their fuzz target.
struct FastScanComparison
{
    // Whether type is read through the fast scanner at all.
    static bool Covers(TrackFileType type);
    // chunkBytes: how much the fast scanner reads at a time; readAheadBytes:
    // the stretches read ahead, small by default to put them everywhere.
    static FastScanComparison Run(TrackFileType type, const QByteArray& bytes,
                                  size_t chunkBytes = FastXmlScanner::DefaultChunkBytes, long long readAheadBytes = 61);

    // The fast scanner read the bytes itself rather than declining them.
    bool fastRead = false;
    bool loaded = false; // a success, with points
    long long pointsReadAhead = 0;
    // Empty when the two loads agree.
    std::string difference;
};
