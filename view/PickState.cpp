#include "PickState.h"

#include "Distance.h"


void PickState::Begin(const QPoint& mouse, const QRect& pickRect)
{
    *this = PickState();
    m_active = true;
    m_mouse = mouse;
    m_pickRect = pickRect;
}

void PickState::OfferPoint(const TrackPosition& point, const QPoint& pixel)
{
    if (!m_active || !m_pickRect.contains(pixel))
        return;
    const QPoint d = pixel - m_mouse;
    const int distanceSq = d.x() * d.x() + d.y() * d.y();
    if (distanceSq > m_bestPointDistanceSq)
        return;
    m_bestPointDistanceSq = distanceSq;
    m_bestPoint = point;
    m_bestPointPixel = pixel;
}

void PickState::OfferLine(const TrackPosition& start, const QPointF& a, const QPointF& b)
{
    if (!m_active)
        return;
    const TVector2<double> mouse(m_mouse.x(), m_mouse.y());
    TVector2<double> nearest;
    const double distanceSq =
        Distance::PtToLineNearestSq(mouse, TVector2<double>(a.x(), a.y()), TVector2<double>(b.x(), b.y()), nearest);
    if (!(distanceSq < m_bestLineDistanceSq))
        return;
    m_bestLineDistanceSq = distanceSq;
    m_bestLine = start;
    m_nearestOnLine = QPoint(RoundToPixel(nearest.x), RoundToPixel(nearest.y));
}
