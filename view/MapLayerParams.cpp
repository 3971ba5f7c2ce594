#include "MapLayerParams.h"

#include "MapServerPrefix.h"
#include "MbTilesFile.h"
#include "OsmLayerCoverage.h"
#include "OsmMapTileUrl.h"
#include "String.h"
#include "TinyXmlHelper.h"
#include "WorldBasemap.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <tinyxml2.h>

namespace {

using tinyxml2::XMLElement;

std::shared_ptr<const MapTileUrlI> ReadOsmUrl(const XMLElement* source)
{
    QStringList letters;
    const XMLElement* prefix = source->FirstChildElement("server_prefix");
    for (const XMLElement* letter = prefix ? prefix->FirstChildElement("letter") : nullptr; letter;
         letter = letter->NextSiblingElement("letter")) {
        const QString text = TinyXmlHelper::GetText(letter);
        if (!text.isEmpty())
            letters.push_back(text);
    }
    return std::make_shared<OsmMapTileUrl>(TinyXmlHelper::GetText(source->FirstChildElement("base_url")),
                                           std::make_shared<MapServerPrefix>(std::move(letters)));
}

// None when the zoom range is missing or unusable: a layer without one
// cannot be drawn.
std::shared_ptr<const MapLayerCoverageI> ReadCoverage(const XMLElement* layer)
{
    const XMLElement* coverage = layer->FirstChildElement("coverage");
    const XMLElement* zoom = coverage ? coverage->FirstChildElement("zoom") : nullptr;
    if (!zoom)
        return nullptr;
    const int minZoom = String::Atoi(TinyXmlHelper::GetAttributeW(zoom, "min"));
    const int maxZoom = String::Atoi(TinyXmlHelper::GetAttributeW(zoom, "max"));
    if (minZoom < 0 || maxZoom < minZoom || maxZoom > OsmLayerCoverage::MaxGridZoom)
        return nullptr;
    const double givenRatio = String::Atof(TinyXmlHelper::GetAttributeW(zoom, "ratio"));
    return std::make_shared<OsmLayerCoverage>(minZoom, maxZoom, givenRatio > 0 ? givenRatio : 1.0);
}

} // namespace

MapLayerParams::MapLayerParams()
    : m_data(std::make_shared<MapLayerParamsData>())
{
}

bool MapLayerParams::Load(const QString& path, QString& error)
{
    tinyxml2::XMLDocument document;
    if (!TinyXmlHelper::LoadFromFile(document, path)) {
        error = TinyXmlHelper::GetErrorDescription(document);
        return false;
    }
    const XMLElement* root = document.FirstChildElement("layer");
    if (!root) {
        error = QStringLiteral("No layer tag.");
        return false;
    }
    auto data = std::make_shared<MapLayerParamsData>();
    data->guid = TinyXmlHelper::GetAttributeW(root, "guid");
    data->name = TinyXmlHelper::GetText(root->FirstChildElement("name"));
    data->link = TinyXmlHelper::GetText(root->FirstChildElement("link"));
    for (const XMLElement* copyright = root->FirstChildElement("copyright"); copyright;
         copyright = copyright->NextSiblingElement("copyright"))
        data->copyrights.push_back(
            {TinyXmlHelper::GetAttributeW(copyright, "author"), TinyXmlHelper::GetAttributeW(copyright, "license")});
    const XMLElement* source = root->FirstChildElement("source");
    const std::string type = source ? TinyXmlHelper::GetAttributeA(source, "type") : std::string();
    data->areaDownload = TinyXmlHelper::GetAttributeA(root, "area_download") == "allowed";
    if (type == "osm" || type == "mbtiles" || type == "gshhg")
        data->coverage = ReadCoverage(root);
    if (type == "gshhg") {
        if (WorldBasemap::FindDataFolder().isEmpty()) {
            error = QStringLiteral("The GSHHG data is not installed.");
            return false;
        }
        data->worldMap = true;
    } else if (type == "osm") {
        data->tileUrl = ReadOsmUrl(source);
    } else if (type == "mbtiles") {
        const QString file =
            QFileInfo(path).dir().absoluteFilePath(TinyXmlHelper::GetText(source->FirstChildElement("file")));
        if (!OpenTileFile(file, *data, error))
            return false;
    }
    m_data = std::move(data);
    return true;
}

bool MapLayerParams::LoadMbTiles(const QString& path, QString& error)
{
    auto data = std::make_shared<MapLayerParamsData>();
    if (!OpenTileFile(path, *data, error))
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    data->guid = QStringLiteral("mbtiles:") + absolute;
    data->name = data->tileFile->GetMetadata().name;
    if (data->name.isEmpty())
        data->name = QFileInfo(path).completeBaseName();
    data->link = QUrl::fromLocalFile(absolute).toString();
    const QString attribution = data->tileFile->GetMetadata().attribution;
    if (!attribution.isEmpty())
        data->copyrights.push_back({attribution, {}});
    m_data = std::move(data);
    return true;
}

bool MapLayerParams::OpenTileFile(const QString& path, MapLayerParamsData& data, QString& error)
{
    auto file = std::make_shared<MbTilesFile>();
    if (!file->Open(path, error))
        return false;
    const MbTilesFile::Metadata& metadata = file->GetMetadata();
    if (!data.coverage && metadata.minZoom >= 0 && metadata.maxZoom <= OsmLayerCoverage::MaxGridZoom)
        data.coverage = std::make_shared<OsmLayerCoverage>(metadata.minZoom, metadata.maxZoom);
    data.tileFile = std::move(file);
    return true;
}

bool MapLayerParams::IsValid() const
{
    return !m_data->guid.isEmpty() && !m_data->name.isEmpty() && m_data->coverage;
}

QString MapLayerParams::GetGuid() const
{
    return m_data->guid;
}

QString MapLayerParams::GetName() const
{
    return m_data->name;
}

QString MapLayerParams::GetLink() const
{
    return m_data->link;
}

std::vector<MapCopyright> MapLayerParams::GetCopyrights() const
{
    return m_data->copyrights;
}

std::shared_ptr<const MapTileUrlI> MapLayerParams::GetTileUrl() const
{
    return m_data->tileUrl;
}

std::shared_ptr<MbTilesFile> MapLayerParams::GetTileFile() const
{
    return m_data->tileFile;
}

std::shared_ptr<const MapLayerCoverageI> MapLayerParams::GetCoverage() const
{
    return m_data->coverage;
}

bool MapLayerParams::IsWorldMap() const
{
    return m_data->worldMap;
}

bool MapLayerParams::AllowsAreaDownload() const
{
    return m_data->areaDownload;
}
