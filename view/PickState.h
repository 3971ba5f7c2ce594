#pragma once

#include "GeoTypes.h"
#include "TrackPositionConverter.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

// What was drawn nearest the mouse in the last frame: a point within about
// 14 pixels and a line within about 12, for the window to hover or pick.
class PickState
{
public:
    static constexpr int NoPointDistanceSq = 197;
    static constexpr double NoLineDistanceSq = 145.0;

    // Starts recording for a frame; inactive, nothing is recorded.
    void Begin(const QPoint& mouse, const QRect& pickRect);
    void End() { m_active = false; }

    // Of equally near points the one offered last wins.
    void OfferPoint(const TrackPosition& point, const QPoint& pixel);
    // A drawn line from a to b that starts at the given point.
    void OfferLine(const TrackPosition& start, const QPointF& a, const QPointF& b);

    // tid -1 when nothing was near enough.
    const TrackPosition& GetBestPoint() const { return m_bestPoint; }
    const QPoint& GetBestPointPixel() const { return m_bestPointPixel; }
    const TrackPosition& GetBestLine() const { return m_bestLine; }
    const QPoint& GetNearestOnLine() const { return m_nearestOnLine; }

private:
    bool m_active = false;
    QRect m_pickRect;
    QPoint m_mouse;
    TrackPosition m_bestPoint;
    int m_bestPointDistanceSq = NoPointDistanceSq;
    QPoint m_bestPointPixel;
    TrackPosition m_bestLine;
    double m_bestLineDistanceSq = NoLineDistanceSq;
    QPoint m_nearestOnLine;
};
