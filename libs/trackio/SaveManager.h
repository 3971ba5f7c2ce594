#pragma once

#include "TrackFileType.h"
#include "TrackSaverI.h"

#include <QString>

#include <map>
#include <memory>

class DocumentSaver;

// Hands out the saver for a file type: GPX, KML, TCX and GeoJSON are
// written.
class SaveManager
{
public:
    SaveManager();
    ~SaveManager();

    // Null for a type no saver writes. The manager keeps ownership.
    TrackSaverI* GetTrackSaver(TrackFileType type) const;

    // The type a file is saved as, told by the extension of its name
    // (.kml, .tcx, .geojson or .json); GPX for any other name.
    static TrackFileType TypeForPath(const QString& path);

private:
    std::map<TrackFileType, std::unique_ptr<DocumentSaver>> m_savers;
};
