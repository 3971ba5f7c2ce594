#pragma once

#include "OblOptions.h"
#include "PaletteI.h"

// What the map window shows and where it looked last ("Settings\View"),
// with the palettes the "Color by" choice offers.
class ViewSettings : public OblOptionsBase
{
public:
    ViewSettings();
    static ViewSettings& GetInstance();

    // Read once, on first use.
    const PaletteList& GetPalettes();
    // The palette of "ColorBy"; empty for an index outside the list.
    PalettePtr GetCurrentPalette();

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
};
