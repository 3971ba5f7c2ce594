#include "MapLayerChoice.h"

#include "MapLayerParamsI.h"
#include "MapLayersI.h"
#include "RegistryKey.h"
#include "String.h"

namespace {

const QString SettingsKey = QStringLiteral("Settings\\View");
const QString GuidValue = QStringLiteral("GUID");
const QString IndexValue = QStringLiteral("Index");
// NoLayer as a DWORD.
constexpr uint32_t NoIndex = 0xFFFFFFFF;

} // namespace

MapLayerChoice::MapLayerChoice(std::shared_ptr<MapLayersI> layers)
    : m_layers(std::move(layers))
{
    const RegistryKey key(SettingsKey);
    const int index = static_cast<int>(key.ReadDword(IndexValue, NoIndex));
    const QString guid = key.ReadString(GuidValue);
    const bool switchedOff = key.HasValue(IndexValue) && index == NoLayer;
    const std::shared_ptr<const MapLayerParamsI> params = m_layers->GetParams(index);
    if (params && !guid.isEmpty() && String::CompareNoCase(params->GetGuid(), guid) == 0)
        m_current = index;
    else if (!switchedOff)
        m_current = FirstWorldMap();
}

int MapLayerChoice::FirstWorldMap() const
{
    for (int index = 0; index < m_layers->GetCount(); ++index) {
        const std::shared_ptr<const MapLayerParamsI> params = m_layers->GetParams(index);
        if (params && params->IsWorldMap())
            return index;
    }
    return NoLayer;
}

void MapLayerChoice::SelectLayer(int index)
{
    const std::shared_ptr<const MapLayerParamsI> params = m_layers->GetParams(index);
    m_current = params ? index : NoLayer;
    RegistryKey key(SettingsKey);
    key.WriteString(GuidValue, params ? params->GetGuid() : QString());
    key.WriteDword(IndexValue, static_cast<uint32_t>(m_current));
}
