#pragma once

#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <QString>

#include <memory>

// Writes a node of a tree (a whole file, a folder or a segment) with the
// points below it to a file.
class TrackSaverI
{
public:
    enum SaveStatus {
        Success = 0,
        // The file cannot be created or written, or cannot take the place of
        // the old one; the old file is left as it was. GetErrorDesc says why.
        CannotWrite = 1,
        // tid names no node of the tree.
        NoSuchNode = 2,
    };

    virtual ~TrackSaverI() = default;

    virtual SaveStatus SaveTrack(const QString& fileName, const TrackTreeReaderPtr& tree, int tid,
                                 const std::shared_ptr<const TrackDataSetI>& data) = 0;
    // What went wrong in the last SaveTrack; empty after success.
    virtual QString GetErrorDesc() const = 0;
};
