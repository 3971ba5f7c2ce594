#pragma once

#include "LegendLayout.h"

#include <QFont>

class QPainter;

// Draws the colour scale of the current "Color by" palette with its title,
// ticks and value labels into an area: for the Legend pane and for saved
// pictures of the map.
class LegendPainter
{
public:
    LegendPainter();

    // Lays out for the current palette and units in an area of this size;
    // false when there is nothing to draw.
    bool Relayout(const QSize& area);
    const LegendLayout& GetLayout() const { return m_layout; }
    // A white area, with the scale when there is one; the painter's origin
    // is the area's top left.
    void Paint(QPainter& painter, const QSize& area);

private:
    QFont m_font;
    LegendLayout m_layout;
};
