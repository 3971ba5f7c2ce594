#include "HistogramView.h"

#include "HistogramBins.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor kBars(0x00, 0x80, 0x00);
const QColor kCutBars(0xE0, 0x20, 0x20);
const QColor kLine(0x20, 0x40, 0xA0);

} // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(20, 20);
    setCursor(Qt::SizeHorCursor);
}

void HistogramView::SetValues(std::vector<double> values)
{
    m_values = std::move(values);
    update();
}

void HistogramView::SetCutOffs(std::vector<CutOff> cutOffs)
{
    m_cutOffs = std::move(cutOffs);
    if (m_dragged >= static_cast<int>(m_cutOffs.size()))
        m_dragged = -1;
    update();
}

// As HistogramBins sets the range.
double HistogramView::Top() const
{
    return m_values.empty() ? 0.0 : std::clamp(m_values.back(), 1.0, 200.0);
}

int HistogramView::ColumnOf(double value) const
{
    const double top = Top();
    if (top <= 0.0 || width() < 1)
        return 0;
    return std::clamp(static_cast<int>(std::floor(value / top * width())), 0, width() - 1);
}

double HistogramView::ValueAtColumn(int x) const
{
    const double top = Top();
    return width() < 1 ? 0.0 : (std::clamp(x, 0, width() - 1) + 0.5) * top / width();
}

bool HistogramView::IsCutOff(double value) const
{
    return std::any_of(m_cutOffs.begin(), m_cutOffs.end(), [value](const CutOff& cut) {
        return cut.value && (cut.above ? value > *cut.value : value < *cut.value);
    });
}

void HistogramView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xFF, 0xFF, 0xFF));
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen frame(QColor(0x64, 0x95, 0xED, 0x40));
    frame.setStyle(Qt::DashDotLine);
    painter.setPen(frame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setRenderHint(QPainter::Antialiasing, false);

    const HistogramBins bins = HistogramBins::Compute(m_values, width());
    if (bins.top == 0.0 || bins.largest == 0)
        return;
    const int bottom = height() - 1;
    for (int b = 0; b < static_cast<int>(bins.counts.size()); ++b) {
        const int count = bins.counts[static_cast<size_t>(b)];
        if (count == 0)
            continue;
        // A column is cut off when its middle is.
        painter.setPen(IsCutOff((b + 0.5) * bins.width) ? kCutBars : kBars);
        painter.drawLine(b, bottom, b, bottom - (count * height() / bins.largest + 1));
    }
    QPen line(kLine, 1, Qt::DashLine);
    painter.setPen(line);
    for (const CutOff& cut : m_cutOffs) {
        if (!cut.value)
            continue;
        const int x = ColumnOf(*cut.value);
        painter.drawLine(x, 0, x, bottom);
        // A grip at the top, pointing to the side that is cut off.
        const int side = cut.above ? 1 : -1;
        painter.fillRect(cut.above ? x : x - 5, 0, 6, 6, kLine);
        painter.drawLine(x, 8, x + side * 6, 8);
    }
}

int HistogramView::NearestCutOff(int x) const
{
    int best = -1;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < m_cutOffs.size(); ++i) {
        const CutOff& cut = m_cutOffs[i];
        const int at = cut.value ? ColumnOf(*cut.value) : (cut.above ? width() - 1 : 0);
        const int distance = std::abs(at - x);
        if (distance < bestDistance) {
            best = static_cast<int>(i);
            bestDistance = distance;
        }
    }
    return best;
}

void HistogramView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_values.empty())
        return;
    m_dragged = NearestCutOff(event->position().toPoint().x());
    mouseMoveEvent(event);
}

void HistogramView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragged < 0 || !m_onMoved)
        return;
    m_onMoved(m_cutOffs[static_cast<size_t>(m_dragged)].row, ValueAtColumn(event->position().toPoint().x()));
}

void HistogramView::mouseReleaseEvent(QMouseEvent*)
{
    m_dragged = -1;
}
