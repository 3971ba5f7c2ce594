#pragma once

#include <QString>

#include <memory>
#include <vector>

class MapLayerCoverageI;
class MapTileUrlI;
class MbTilesFile;

struct MapCopyright
{
    QString author;
    QString license;

    bool operator==(const MapCopyright&) const = default;
};

// What a layer file says about one map layer.
class MapLayerParamsI
{
public:
    virtual ~MapLayerParamsI() = default;

    // Usable: it has a guid, a name and a coverage.
    virtual bool IsValid() const = 0;
    // The identity under which the chosen layer is remembered.
    virtual QString GetGuid() const = 0;
    // The caption in the "Map layer" menu.
    virtual QString GetName() const = 0;
    virtual QString GetLink() const = 0;
    virtual std::vector<MapCopyright> GetCopyrights() const = 0;
    // A layer has one of these two: a URL for web servers and tile folders,
    // a tile file for offline maps. None for a source type the program does
    // not know.
    virtual std::shared_ptr<const MapTileUrlI> GetTileUrl() const = 0;
    virtual std::shared_ptr<MbTilesFile> GetTileFile() const = 0;
    virtual std::shared_ptr<const MapLayerCoverageI> GetCoverage() const = 0;
    // The offline world map rather than tiles.
    virtual bool IsWorldMap() const = 0;
    // The tile server lets users fetch whole areas ahead of time; public
    // servers mostly forbid that in their usage policies.
    virtual bool AllowsAreaDownload() const = 0;
};
