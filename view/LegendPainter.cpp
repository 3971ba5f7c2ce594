#include "LegendPainter.h"

#include "ColorMixerI.h"
#include "Locale.h"
#include "OptUnits.h"
#include "ViewSettings.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {

const QColor LabelColor(0x69, 0x69, 0x69);
const QColor TickColor(0xA9, 0xA9, 0xA9);
constexpr int TickLength = 5;

QString Label(double value)
{
    return Locale::GetIntString(static_cast<int64_t>(std::trunc(value)));
}

QColor FromColorref(uint32_t colorref)
{
    return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

} // namespace

LegendPainter::LegendPainter() : m_font(QStringLiteral("Arial"))
{
    m_font.setPointSize(11);
}

bool LegendPainter::Relayout(const QSize& area)
{
    const PalettePtr palette = ViewSettings::GetInstance().GetCurrentPalette();
    const auto mixer = palette ? palette->GetMixer() : nullptr;
    const QFontMetrics metrics(m_font);
    const QString widest = Label(mixer ? mixer->GetMax() : 0.0);
    const QSize labelSize(metrics.horizontalAdvance(widest), metrics.height());
    const OptUnits& units = OptUnits::GetInstance();
    return m_layout.Compute(palette, area, labelSize, units.GetMeasuringSystem(), units.GetTemperatureUnits());
}

void LegendPainter::Paint(QPainter& painter, const QSize& area)
{
    painter.fillRect(QRect(QPoint(0, 0), area), Qt::white);
    if (!Relayout(area))
        return;
    const PalettePtr palette = ViewSettings::GetInstance().GetCurrentPalette();
    const auto mixer = palette->GetMixer();
    const PaletteParameter::Id parameter = palette->GetParameter();
    const OptUnits& units = OptUnits::GetInstance();

    const QRect& bar = m_layout.GetBar();
    for (int y = bar.top(); y <= bar.bottom(); ++y) {
        const double value = LegendLayout::ToInternal(parameter, m_layout.ValueAt(y), units.GetMeasuringSystem(),
                                                      units.GetTemperatureUnits());
        painter.setPen(FromColorref(mixer->GetColor(value)));
        painter.drawLine(bar.left(), y, bar.right(), y);
    }

    painter.setFont(m_font);
    painter.setPen(LabelColor);
    painter.drawText(m_layout.GetTitleRect(), Qt::AlignLeft | Qt::AlignVCenter, LegendLayout::Title(*palette));

    const int labelHeight = QFontMetrics(m_font).height();
    for (const LegendLayout::Tick& tick : m_layout.GetTicks()) {
        painter.setPen(TickColor);
        painter.drawLine(bar.right() + 1, tick.y, bar.right() + TickLength, tick.y);
        if (!tick.labelled)
            continue;
        painter.setPen(LabelColor);
        painter.drawText(QRect(m_layout.GetLabelX(), tick.y - labelHeight / 2, area.width(), labelHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, Label(tick.value));
    }
}
