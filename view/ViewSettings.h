#pragma once

#include "OblOptions.h"
#include "PaletteI.h"

#include <memory>

class MapLayerChoice;
class MapLayersI;

// What the map window shows and where it looked last ("Settings\View"),
// with the palettes the "Color by" choice offers and the map layers. From
// its creation on, a change of these settings reaches the map and the panes
// as a view-settings change and a change of the user's units (OptUnits) as a
// units change, through the event manager.
class ViewSettings : public OblOptionsBase
{
public:
    ViewSettings();
    ~ViewSettings() override;
    static ViewSettings& GetInstance();

    // Read once, on first use.
    const PaletteList& GetPalettes();
    // The palette of "ColorBy"; empty for an index outside the list.
    PalettePtr GetCurrentPalette();
    // Both made on first use.
    const std::shared_ptr<MapLayersI>& GetMapLayers();
    MapLayerChoice& GetMapLayerChoice();

    OblOptionDouble x{0.0};
    OblOptionDouble y{0.0};
    OblOptionDouble mpp{20000.0};
    OblOptionBool showDeleted{true};
    OblOptionBool showMapCenter{false};
    OblOptionBool showScale{true};
    OblOptionBool showFps{false};
    OblOptionBool showArrows{true};
    OblOptionBool showMap{true};
    OblOptionInt colorBy{0};

private:
    PaletteList m_palettes;
    bool m_palettesLoaded = false;
    std::shared_ptr<MapLayersI> m_mapLayers;
    std::unique_ptr<MapLayerChoice> m_mapLayerChoice;
    boost::signals2::scoped_connection m_ownChanged;
    boost::signals2::scoped_connection m_unitsChanged;
};
