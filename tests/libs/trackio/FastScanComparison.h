#pragma once

#include "FastXmlScanner.h"
#include "TrackFileType.h"

#include <QByteArray>

#include <string>

// Loads the bytes of an XML format (GPX, TCX, KML, KMZ) twice, with the
// fast scanner and with expat alone, and names the first difference in
// status, message, tree, kept markup or points. Shared by the differential
// tests and their fuzz target.
struct FastScanComparison
{
    // Whether type is read through the fast scanner at all.
    static bool Covers(TrackFileType type);
    // chunkBytes: how much the fast scanner reads at a time.
    static FastScanComparison Run(TrackFileType type, const QByteArray& bytes,
                                  size_t chunkBytes = FastXmlScanner::DefaultChunkBytes);

    // The fast scanner read the bytes itself rather than declining them.
    bool fastRead = false;
    bool loaded = false; // a success, with points
    // Empty when the two loads agree.
    std::string difference;
};
