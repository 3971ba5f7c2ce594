#include "LegendView.h"

#include <QPainter>

LegendView::LegendView(QWidget* parent) : QWidget(parent)
{
}

void LegendView::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    m_painter.Paint(painter, size());
}
