#pragma once

#include "DiskStamp.h"
#include "TrackFileType.h"

#include <QString>

#include <memory>

// What the model keeps of one open file beside its tree node.
struct TrackFileAttr
{
    // Full path the file was read from or last saved to; empty for a file
    // that exists only in memory.
    QString path;
    // The type the loader detected; GPX once the file has been saved.
    TrackFileType type = TrackFileGpx;
    // False while the file matches what is on disk.
    bool modified = false;
    // The file at path when it was read or last saved.
    DiskStamp disk;
};

using TrackFileAttrPtr = std::shared_ptr<TrackFileAttr>;
