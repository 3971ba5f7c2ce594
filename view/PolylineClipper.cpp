#include "PolylineClipper.h"

#include "ClipLine.h"
#include "GeoTypes.h"

#include <QRect>

namespace {

QPoint ToPixel(const TVector2<double>& v)
{
    return {RoundToPixel(v.x), RoundToPixel(v.y)};
}

} // namespace

PolylineClipper::PolylineClipper(const QRect& view, RunSink sink)
    : m_minX(view.left() - Margin), m_minY(view.top() - Margin), m_maxX(view.left() + view.width() + Margin),
      m_maxY(view.top() + view.height() + Margin), m_sink(std::move(sink))
{
}

void PolylineClipper::Append(const QPoint& pixel, int source)
{
    if (!m_run.empty() && m_run.back().pixel == pixel)
        return;
    m_run.push_back({pixel, source});
}

bool PolylineClipper::Inside(const TVector2<double>& v) const
{
    return v.x >= m_minX && v.x <= m_maxX && v.y >= m_minY && v.y <= m_maxY;
}

void PolylineClipper::Flush()
{
    if (m_run.size() >= 2)
        m_sink(m_run);
    m_run.clear();
}

void PolylineClipper::Add(const QPointF& pixel)
{
    const int index = m_count++;
    if (index == 0) {
        m_previous = pixel;
        return;
    }
    TVector2<double> a(m_previous.x(), m_previous.y());
    TVector2<double> b(pixel.x(), pixel.y());
    m_previous = pixel;
    // Most legs of a line in view lie wholly inside, which clipping would
    // leave as they are.
    if (Inside(a) && Inside(b)) {
        Append(ToPixel(a), index - 1);
        Append(ToPixel(b), index);
        return;
    }
    const TAABox2<double> box(m_minX, m_minY, m_maxX, m_maxY);
    const IntxnResult2 result = ClipLine(box, a, b);
    if (result == IntxnOutside)
        return;
    if (result == IntxnStartCut || result == IntxnBothCut) {
        // Coming back into the view: a new line.
        Flush();
    }
    Append(ToPixel(a), index - 1);
    Append(ToPixel(b), index);
    if (result == IntxnEndCut || result == IntxnBothCut)
        Flush();
}

void PolylineClipper::Finish()
{
    Flush();
    m_count = 0;
}
