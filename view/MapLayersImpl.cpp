#include "MapLayersImpl.h"

#include "Dir.h"
#include "MapLayerParams.h"
#include "String.h"
#include "TinyXmlHelper.h"

#include <QFileInfo>

#include <tinyxml2.h>

MapLayersImpl::MapLayersImpl(const QStringList& layerFiles)
{
    m_entries.reserve(static_cast<size_t>(layerFiles.size()));
    for (const QString& path : layerFiles)
        m_entries.push_back({{path, static_cast<int>(m_entries.size())}, false, nullptr});
}

int MapLayersImpl::GetCount() const
{
    return static_cast<int>(m_entries.size());
}

const MapLayerInfo* MapLayersImpl::GetLayerInfo(int index) const
{
    return IsInRange(index) ? &m_entries[static_cast<size_t>(index)].info : nullptr;
}

int MapLayersImpl::GetLayerId(int index) const
{
    return IsInRange(index) ? m_entries[static_cast<size_t>(index)].info.id : -1;
}

int MapLayersImpl::FindLayer(int id) const
{
    for (int index = 0; index < GetCount(); ++index)
        if (m_entries[static_cast<size_t>(index)].info.id == id)
            return index;
    return -1;
}

int MapLayersImpl::FindByGuid(const QString& guid)
{
    for (int index = 0; index < GetCount(); ++index) {
        const std::shared_ptr<const MapLayerParamsI> params = GetParams(index);
        if (params && String::CompareNoCase(params->GetGuid(), guid) == 0)
            return index;
    }
    return -1;
}

std::shared_ptr<const MapLayerParamsI> MapLayersImpl::GetParams(int index)
{
    if (!IsInRange(index))
        return nullptr;
    Entry& entry = m_entries[static_cast<size_t>(index)];
    if (!entry.tried) {
        entry.tried = true;
        auto params = std::make_shared<MapLayerParams>();
        // A broken layer simply has no map; there is no one to tell why.
        QString error;
        const bool loaded = IsMbTilesPath(entry.info.path) ? params->LoadMbTiles(entry.info.path, error)
                                                           : params->Load(entry.info.path, error);
        if (loaded && params->IsValid())
            entry.params = std::move(params);
    }
    return entry.params;
}

int MapLayersImpl::AddLayerFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (int index = 0; index < GetCount(); ++index)
        if (m_entries[static_cast<size_t>(index)].info.path == absolute)
            return index;
    m_entries.push_back({{absolute, static_cast<int>(m_entries.size())}, false, nullptr});
    return GetCount() - 1;
}

bool IsMbTilesPath(const QString& path)
{
    return path.endsWith(QStringLiteral(".mbtiles"), Qt::CaseInsensitive);
}

std::shared_ptr<MapLayersImpl> LoadMapLayers()
{
    QStringList layerFiles;
    tinyxml2::XMLDocument list;
    if (TinyXmlHelper::LoadFromFile(list, Dir::GetDataFilePath(QStringLiteral("Maps\\DefaultLayers.xml")))) {
        const QString folder = Dir::GetDataFilePath(QStringLiteral("Maps"));
        const tinyxml2::XMLElement* root = list.FirstChildElement("layers");
        for (const tinyxml2::XMLElement* entry = root ? root->FirstChildElement("layer") : nullptr; entry;
             entry = entry->NextSiblingElement("layer"))
            layerFiles.push_back(Dir::GetAbsFileName(TinyXmlHelper::GetAttributeW(entry, "path"), folder));
    }
    return std::make_shared<MapLayersImpl>(layerFiles);
}
