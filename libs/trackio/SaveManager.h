#pragma once

#include "TrackFileType.h"
#include "TrackSaverI.h"

#include <memory>

class GpxSaver;

// Hands out the saver for a file type. Tracks are saved as GPX only.
class SaveManager
{
public:
    SaveManager();
    ~SaveManager();

    // Null for a type no saver writes. The manager keeps ownership.
    TrackSaverI* GetTrackSaver(TrackFileType type) const;

private:
    std::unique_ptr<GpxSaver> m_gpx;
};
