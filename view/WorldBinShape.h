#pragma once

#include <QPainterPath>
#include <QRectF>

struct GshhgBin;

// What one bin of the offline world map draws, in degrees (x longitude,
// y latitude): the land as a path to fill odd-even, so that lakes and the
// islands in them come out right, and the lines along its shores or
// borders.
struct WorldBinShape
{
    QRectF bounds;
    QPainterPath land;
    QPainterPath lines;

    // The pieces of a shoreline bin that cross it are closed along the bin's
    // sides. With odd-even filling every piece then flips land and water on
    // its two sides whichever way round the bin it was closed, so the fill
    // is right or wrong as a whole; the corner levels tell which.
    static WorldBinShape FromShoreline(const GshhgBin& bin, double binSize);
    // The borders of the given level or lower (1: national only); no land.
    static WorldBinShape FromBorders(const GshhgBin& bin, double binSize, int maxLevel);
};
