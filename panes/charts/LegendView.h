#pragma once

#include "LegendLayout.h"

#include <QFont>
#include <QWidget>

// The colour scale of the current "Color by" palette with its title,
// ticks and value labels.
class LegendView : public QWidget
{
public:
    explicit LegendView(QWidget* parent = nullptr);

    // Lays out for the current palette and units; false when there is
    // nothing to draw.
    bool Relayout();
    const LegendLayout& GetLayout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont m_font;
    LegendLayout m_layout;
};
