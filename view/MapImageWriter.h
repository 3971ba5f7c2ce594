#pragma once

#include "CoordTransform.h"
#include "RecordedLayers.h"

#include <QSize>
#include <QString>

#include <memory>

class MapScene;
class MapTileDrawer;

// A picture of the map as the window shows it, drawn afresh at another
// size (not scaled): the same centre and at least the same area, with the
// tiles of the zoom that size calls for, the shown tracks, the copyright,
// the scale and the legend of the colours. Written as PNG, or as PDF or SVG
// with the tracks as vectors over the tiles.
class MapImageWriter
{
public:
    static constexpr int MaxSide = 8000;
    static constexpr int MinSide = 16;

    MapImageWriter(const CoordTransformI& window, const QSize& size);

    // Draws the picture again with the tiles at hand; returns how many tiles
    // are still on their way (asked for by this drawing).
    int Record(MapScene& scene, MapTileDrawer& tiles);
    // PDF or SVG by the file's extension, PNG otherwise; nothing is left
    // behind and an existing file stays as it was when writing fails.
    bool Write(const QString& path, QString& error);

    const CoordTransform& GetTransform() const { return m_transform; }

private:
    void DrawLegend();

    QSize m_size;
    CoordTransform m_transform;
    std::unique_ptr<RecordedLayers> m_layers;
};
