#include "ViewSettings.h"

#include "GEventKind.h"
#include "GEventManagerImpl.h"
#include "MapLayerChoice.h"
#include "MapLayersImpl.h"
#include "OptUnits.h"
#include "Palette.h"
#include "ProcessSingleton.h"

ViewSettings::ViewSettings()
    : OblOptionsBase(QStringLiteral("Settings\\View"))
{
    const OblOptionSectPtr& section = GetOblOptionSectI();
    x.Init(section, QStringLiteral("X"));
    y.Init(section, QStringLiteral("Y"));
    mpp.Init(section, QStringLiteral("Mpp"));
    showDeleted.Init(section, QStringLiteral("ShowDeleted"));
    showMapCenter.Init(section, QStringLiteral("ShowMapCenter"));
    showScale.Init(section, QStringLiteral("ShowScale"));
    showFps.Init(section, QStringLiteral("ShowFps"));
    showArrows.Init(section, QStringLiteral("ShowArrows"));
    showMap.Init(section, QStringLiteral("ShowMap"));
    colorBy.Init(section, QStringLiteral("ColorBy"));
    m_ownChanged = Subscribe([] { GEventManagerImpl::GetInstance().Notify(GEventKind::ViewSettingsChanged); });
    m_unitsChanged = OptUnits::GetInstance().Subscribe(
        [] { GEventManagerImpl::GetInstance().Notify(GEventKind::UnitsChanged); });
}

ViewSettings::~ViewSettings() = default;

ViewSettings& ViewSettings::GetInstance()
{
    return ProcessSingleton<ViewSettings>::Instance();
}

const PaletteList& ViewSettings::GetPalettes()
{
    if (!m_palettesLoaded) {
        m_palettes = LoadPalettes();
        m_palettesLoaded = true;
    }
    return m_palettes;
}

PalettePtr ViewSettings::GetCurrentPalette()
{
    const PaletteList& palettes = GetPalettes();
    const int index = colorBy.Get();
    return index >= 0 && index < static_cast<int>(palettes.size()) ? palettes[static_cast<size_t>(index)] : nullptr;
}

const std::shared_ptr<MapLayersI>& ViewSettings::GetMapLayers()
{
    if (!m_mapLayers)
        m_mapLayers = LoadMapLayers();
    return m_mapLayers;
}

MapLayerChoice& ViewSettings::GetMapLayerChoice()
{
    if (!m_mapLayerChoice)
        m_mapLayerChoice = std::make_unique<MapLayerChoice>(GetMapLayers());
    return *m_mapLayerChoice;
}
