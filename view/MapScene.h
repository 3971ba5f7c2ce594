#pragma once

#include <QString>

class CoordTransformI;
class DrawingLayersI;
class MapTileDrawer;
class OpenTracksModel;
class PickState;
class TrackDrawAttrsImpl;
class TrackLodCache;

// What the map window and a saved picture of it have in common: the tiles
// of the chosen map layer, the shown segments as the view settings want
// them, the copyright and the scale.
class MapScene
{
public:
    MapScene(const OpenTracksModel& model, TrackDrawAttrsImpl& attrs, MapTileDrawer& tiles, TrackLodCache& lods);

    // Tells pick what was drawn where.
    void DrawMapAndTracks(DrawingLayersI& layers, const CoordTransformI& transform, PickState& pick);
    void DrawMap(DrawingLayersI& layers, const CoordTransformI& transform);
    void DrawTracks(DrawingLayersI& layers, const CoordTransformI& transform, PickState& pick);
    void DrawOverlays(DrawingLayersI& layers, double metresPerPixel);

    // "© author (licence)" for each holder of the layer's rights.
    static QString CopyrightOf(int mapLayer);

private:
    const OpenTracksModel& m_model;
    TrackDrawAttrsImpl& m_attrs;
    MapTileDrawer& m_tiles;
    TrackLodCache& m_lods;
};
