#pragma once

#include "MapLayerParamsI.h"

// A layer read from its XML file:
//   <layer guid="...">
//     <name>...</name> <link>...</link>
//     <copyright author="..." license="..."/>
//     <source type="osm">
//       <base_url>https://{sp}.tile.example.org/{z}/{x}/{y}.png</base_url>
//       <server_prefix><letter>a</letter><letter>b</letter></server_prefix>
//     </source>
//     <coverage><zoom min="0" max="19" ratio="1"/></coverage>
//   </layer>
// or, for a map kept in an MBTiles file,
//     <source type="mbtiles"><file>maps/alps.mbtiles</file></source>
// with the file's path absolute or relative to the layer file; without a
// coverage element the file's own zoom range counts; or, for the offline
// world map, <source type="gshhg"/>, which does not load when its data is
// not installed. The attribute area_download="allowed" of the layer element
// lets users fetch an area's tiles ahead of time; without it they may not.
class MapLayerParams : public MapLayerParamsI
{
public:
    MapLayerParams();

    // False with the reason in error when the file cannot be read or has no
    // layer element. A file that loads may still not be valid.
    bool Load(const QString& path, QString& error);
    // A layer made of an MBTiles file alone (opened by the user): its name
    // is the file's, or the file name; its guid names the file.
    bool LoadMbTiles(const QString& path, QString& error);

    bool IsValid() const override;
    QString GetGuid() const override;
    QString GetName() const override;
    QString GetLink() const override;
    std::vector<MapCopyright> GetCopyrights() const override;
    std::shared_ptr<const MapTileUrlI> GetTileUrl() const override;
    std::shared_ptr<MbTilesFile> GetTileFile() const override;
    std::shared_ptr<const MapLayerCoverageI> GetCoverage() const override;
    bool IsWorldMap() const override;
    bool AllowsAreaDownload() const override;

private:
    struct MapLayerParamsData
    {
        QString guid;
        QString name;
        QString link;
        std::vector<MapCopyright> copyrights;
        std::shared_ptr<const MapTileUrlI> tileUrl;
        std::shared_ptr<MbTilesFile> tileFile;
        std::shared_ptr<const MapLayerCoverageI> coverage;
        bool worldMap = false;
        bool areaDownload = false;
    };

    // Opens the tile file into data; its zoom range becomes the coverage
    // unless the data has one.
    static bool OpenTileFile(const QString& path, MapLayerParamsData& data, QString& error);

    std::shared_ptr<const MapLayerParamsData> m_data;
};
