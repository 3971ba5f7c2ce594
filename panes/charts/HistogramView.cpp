#include "HistogramView.h"

#include "HistogramBins.h"

#include <QPainter>

HistogramView::HistogramView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(20, 20);
}

void HistogramView::SetValues(std::vector<double> values)
{
    m_values = std::move(values);
    update();
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
    painter.setPen(QColor(0x00, 0x80, 0x00));
    const int bottom = height() - 1;
    for (int b = 0; b < static_cast<int>(bins.counts.size()); ++b) {
        const int count = bins.counts[static_cast<size_t>(b)];
        if (count > 0)
            painter.drawLine(b, bottom, b, bottom - (count * height() / bins.largest + 1));
    }
}
