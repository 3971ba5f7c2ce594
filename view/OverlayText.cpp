#include "OverlayText.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int BoxMarginX = 3;
constexpr int BoxMarginY = 1;

} // namespace

OverlayText::OverlayText(const QString& family, int pointSize, QColor colour, bool bold)
    : m_font(family, pointSize, bold ? QFont::Bold : QFont::Normal), m_colour(colour)
{
}

QRect OverlayText::Measure(const QString& text) const
{
    const QFontMetrics metrics(m_font);
    return QRect(0, 0, metrics.horizontalAdvance(text) + 2 * BoxMarginX, metrics.height() + 2 * BoxMarginY);
}

QRect OverlayText::DrawTextW(QPainter& surface, const QString& text, const QPoint& origin, Anchor anchor) const
{
    QRect area = Measure(text);
    switch (anchor) {
    case Anchor::TopLeft:
        area.moveTopLeft(origin);
        break;
    case Anchor::BottomRight:
        area.moveBottomRight(origin);
        break;
    case Anchor::BottomCentre:
        area.moveBottom(origin.y());
        area.moveLeft(origin.x() - area.width() / 2);
        break;
    }
    surface.save();
    if (m_box.alpha() > 0)
        surface.fillRect(area, m_box);
    surface.setFont(m_font);
    surface.setPen(m_colour);
    surface.drawText(area, Qt::AlignCenter, text);
    surface.restore();
    return area;
}
