#pragma once

#include <memory>

class MapLayersI;

// The map layer the user chose, remembered across runs in the view settings
// by index and guid: a stored choice counts only while the layer at that
// index still has that guid, so an edited layer list never shows another map
// in its place.
class MapLayerChoice
{
public:
    static constexpr int NoLayer = -1;

    // Reads the stored choice. With none stored yet (a first run), or one
    // whose layer is gone (an MBTiles file opened for one run, a layer file
    // removed or broken since), the offline world, where its data is
    // installed: it shows without a network, where a blank map would look
    // broken. Nothing is stored for it, so a layer that comes back is shown
    // again. A map switched off stays off.
    explicit MapLayerChoice(std::shared_ptr<MapLayersI> layers);

    // NoLayer (or any index without a usable layer) switches the map off.
    void SelectLayer(int index);
    int GetCurrentLayer() const { return m_current; }

private:
    int FirstWorldMap() const;

    std::shared_ptr<MapLayersI> m_layers;
    int m_current = NoLayer;
};
