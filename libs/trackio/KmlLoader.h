#pragma once

#include "XmlTrackLoader.h"

// KML files (.kml); the mapping onto the tree is described at KmlReader.
class KmlLoader : public XmlTrackLoader
{
public:
    TrackFileType GetFileType() const override { return TrackFileKml; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;
};
