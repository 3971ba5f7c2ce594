#pragma once

#include "LegendPainter.h"

#include <QWidget>

// The colour scale of the current "Color by" palette with its title,
// ticks and value labels.
class LegendView : public QWidget
{
public:
    explicit LegendView(QWidget* parent = nullptr);

    // Lays out for the current palette and units; false when there is
    // nothing to draw.
    bool Relayout() { return m_painter.Relayout(size()); }
    const LegendLayout& GetLayout() const { return m_painter.GetLayout(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LegendPainter m_painter;
};
