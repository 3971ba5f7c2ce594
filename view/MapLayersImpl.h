#pragma once

#include "MapLayersI.h"

#include <QStringList>

#include <vector>

class MapLayersImpl : public MapLayersI
{
public:
    // layerFiles: absolute paths in list order; the ids are the list
    // positions.
    explicit MapLayersImpl(const QStringList& layerFiles);

    int GetCount() const override;
    const MapLayerInfo* GetLayerInfo(int index) const override;
    int GetLayerId(int index) const override;
    int FindLayer(int id) const override;
    int FindByGuid(const QString& guid) override;
    std::shared_ptr<const MapLayerParamsI> GetParams(int index) override;
    int AddLayerFile(const QString& path) override;

private:
    struct Entry
    {
        MapLayerInfo info;
        bool tried = false;
        std::shared_ptr<const MapLayerParamsI> params;
    };

    bool IsInRange(int index) const { return index >= 0 && index < GetCount(); }

    std::vector<Entry> m_entries;
};

// The layers of the list file "Maps\DefaultLayers.xml" in the data folder:
//   <layers><layer path="OpenStreetMap.xml"/>...</layers>
// where a path is absolute or relative to the "Maps" folder and names a
// layer file or an MBTiles file ("*.mbtiles"). No list file, no layers.
std::shared_ptr<MapLayersImpl> LoadMapLayers();

// An MBTiles file by its name: a map layer rather than a track file.
bool IsMbTilesPath(const QString& path);
