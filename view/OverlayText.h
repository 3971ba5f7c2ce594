#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;
class QPoint;
class QRect;

// Text over the map: a font, a colour and an optional box behind it, drawn
// at an anchor point by an alignment.
class OverlayText
{
public:
    enum class Anchor {
        TopLeft,
        BottomRight,
        BottomCentre,
    };

    OverlayText(const QString& family, int pointSize, QColor colour, bool bold);

    // A box filled in this colour behind the text, with a small margin.
    void SetRectColor(QColor colour) { m_box = colour; }
    // Draws the text with its anchor corner at origin; returns the area it
    // covers, box included.
    QRect DrawTextW(QPainter& surface, const QString& text, const QPoint& origin, Anchor anchor) const;
    // The area the text would cover, placed at the origin of the window.
    QRect Measure(const QString& text) const;

private:
    QFont m_font;
    QColor m_colour;
    QColor m_box = Qt::transparent;
};
