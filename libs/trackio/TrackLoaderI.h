#pragma once

#include "OperationProgress.h"
#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <QString>

// Reads one kind of track file into a tree and a data set.
class TrackLoaderI
{
public:
    enum LoadStatus {
        Idle = 0,
        Running = 1,
        Cancelled = 2,
        FileMissing = 4,
        FileLocked = 5,
        FormatUnknown = 6,
        // The file is of a known format but broken; GetErrorDesc says where.
        ReadError = 7,
        TooLarge = 8,
        NoTrack = 9,
        Success = 10,
        // Read up to damage (a bad checksum, a cut-off end): the points
        // before it are kept and usable; GetErrorDesc says what was wrong.
        Damaged = 11,
    };

    virtual ~TrackLoaderI() = default;

    // Runs on a worker thread. Fills the creator of a fresh tree (one file
    // node with its folders and segments) and a fresh data set, reports the
    // percent, stops early when cancelled, and sets the final status on the
    // progress object before it returns. On any failure the tree and data
    // set are to be thrown away: they may hold part of the file. Damaged is
    // no failure: what it holds was read before the damage.
    virtual LoadStatus OpenTrack(const QString& fileName, const TrackTreeCreatorPtr& creator,
                                 const TrackDataSetPtr& data, const OperationProgressPtr& progress) = 0;
    // What went wrong in the last OpenTrack, such as the line and the fault;
    // empty when there is nothing to add to the status.
    virtual QString GetErrorDesc() const = 0;

    // A final progress status as a load status (unknown values stay as they
    // are and count as failures).
    static LoadStatus ConvertStatus(int status) { return static_cast<LoadStatus>(status); }
    // Whether the tree and data set of a load with this status are to be kept.
    static bool HasTracks(LoadStatus status) { return status == Success || status == Damaged; }
};
