#pragma once

#include "TVector2.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <functional>
#include <vector>

// Turns the pixel positions of a segment's points into the polylines that
// reach into the view: each leg is clipped to the view grown by a margin,
// legs wholly outside are skipped, and a line that leaves the view ends
// there, to start anew where the track comes back.
class PolylineClipper
{
public:
    struct Vertex
    {
        QPoint pixel;
        // Which of the offered points the vertex stands for (an end moved
        // onto the edge of the view stands for the point it came from).
        int source = 0;
    };
    using Run = std::vector<Vertex>;
    using RunSink = std::function<void(const Run&)>;

    static constexpr int Margin = 10;

    PolylineClipper(const QRect& view, RunSink sink);

    // The next point's pixel position; the first call starts the line.
    void Add(const QPointF& pixel);
    // Hands over the run in progress.
    void Finish();

private:
    void Flush();
    void Append(const QPoint& pixel, int source);
    bool Inside(const TVector2<double>& v) const;

    double m_minX;
    double m_minY;
    double m_maxX;
    double m_maxY;
    RunSink m_sink;
    Run m_run;
    QPointF m_previous;
    int m_count = 0;
};
