#include "ProfilePainter.h"

#include "ProfileChart.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace ProfileQuantity;

namespace {

const QColor kFrame(0x64, 0x95, 0xED, 0x40);
const QColor kGrid(0xE4, 0xE4, 0xE4);
const QColor kText(0x69, 0x69, 0x69);
const QColor kBand(0x64, 0x95, 0xED, 0x38);
const QColor kCurrent(0xE0, 0x20, 0x20);
const QColor kCursor(0x40, 0x40, 0x40);
const QColor kLabelBack(0xFF, 0xFF, 0xE8, 0xE8);
constexpr int TickLength = 4;
constexpr int LabelGap = 3;
constexpr int MarkerRadius = 4;

void DrawXAxis(QPainter& painter, const ProfileChart& chart, const QRect& plot)
{
    const QFontMetrics metrics = painter.fontMetrics();
    for (const ProfileTick& tick : chart.GetXTicks()) {
        const int x = static_cast<int>(std::lround(chart.XToPixel(tick.value)));
        painter.setPen(kGrid);
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(kText);
        const int width = metrics.horizontalAdvance(tick.label);
        painter.drawText(std::clamp(x - width / 2, 0, std::max(chart.GetSize().width() - width, 0)),
                         plot.bottom() + LabelGap + metrics.ascent(), tick.label);
    }
}

void DrawValueAxis(QPainter& painter, const ProfileChart& chart, int k, Id id)
{
    const QRect plot = chart.GetPlotRect();
    const QFontMetrics metrics = painter.fontMetrics();
    const QColor colour = QColor::fromRgba(GetColour(id));
    const int axisX = chart.GetAxisX(k);
    const bool left = ProfileChart::IsLeftAxis(k);
    painter.setPen(colour);
    painter.drawLine(axisX, plot.top(), axisX, plot.bottom());
    for (const ProfileTick& tick : chart.GetValueTicks(id)) {
        const int y = static_cast<int>(std::lround(chart.ValueToPixel(id, tick.value)));
        painter.drawLine(axisX, y, left ? axisX - TickLength : axisX + TickLength, y);
        const int width = metrics.horizontalAdvance(tick.label);
        const int x = left ? axisX - TickLength - LabelGap - width : axisX + TickLength + LabelGap;
        painter.drawText(x, y + metrics.ascent() / 2 - 1, tick.label);
    }
    const QString unit = chart.GetUnitNotation(id);
    const int width = metrics.horizontalAdvance(unit);
    painter.drawText(left ? axisX - width - LabelGap : axisX + LabelGap, plot.top() - LabelGap, unit);
}

void DrawLine(QPainter& painter, const ProfileChart& chart, Id id)
{
    const QRect plot = chart.GetPlotRect();
    const std::vector<ProfileColumn>& columns = chart.GetColumns(id);
    // Named, not bound: clang before 16 cannot capture a structured binding.
    const auto range = chart.GetValueRange(id);
    const double low = range.first;
    const double scale = plot.height() / (range.second - low);
    // Shown units are a linear map of the stored ones.
    const double unitScale = chart.ToShown(id, 1.0) - chart.ToShown(id, 0.0);
    const double unitShift = chart.ToShown(id, 0.0);
    const auto y = [&](float value) { return plot.top() + plot.height() - (value * unitScale + unitShift - low) * scale; };
    std::vector<QLineF> lines;
    lines.reserve(columns.size() * 2);
    int previous = -1;
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const ProfileColumn& column = columns[static_cast<size_t>(c)];
        if (column.IsEmpty())
            continue;
        const double x = plot.left() + c + 0.5;
        if (column.joinsPrevious && previous >= 0)
            lines.emplace_back(plot.left() + previous + 0.5, y(columns[static_cast<size_t>(previous)].last), x,
                               y(column.first));
        // A column of one value still needs a dot of ink.
        lines.emplace_back(x, y(column.min) + 0.5, x, y(column.max) - 0.5);
        previous = c;
    }
    // A cosmetic one-pixel pen keeps to the fast path of the raster engine.
    QPen pen(QColor::fromRgba(GetColour(id)), 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

double SampleX(const ProfileChart& chart, int sample)
{
    const ProfileSeries& series = *chart.GetSeries();
    return chart.XToPixel(series.X(chart.GetAxis())[static_cast<size_t>(sample)]);
}

void DrawBand(QPainter& painter, const ProfileChart& chart, const ProfileMarks& marks)
{
    const QRect plot = chart.GetPlotRect();
    double from = -1;
    double to = -1;
    if (marks.dragFrom >= 0) {
        from = std::min(marks.dragFrom, marks.dragTo);
        to = std::max(marks.dragFrom, marks.dragTo);
    } else if (marks.rangeFirstSample >= 0 && marks.rangeLastSample >= 0) {
        from = SampleX(chart, marks.rangeFirstSample);
        to = SampleX(chart, marks.rangeLastSample);
    } else {
        return;
    }
    from = std::max(from, static_cast<double>(plot.left()));
    to = std::min(to, static_cast<double>(plot.left() + plot.width()));
    if (to >= from)
        painter.fillRect(QRectF(from, plot.top(), std::max(to - from, 1.0), plot.height()), kBand);
}

void DrawCurrent(QPainter& painter, const ProfileChart& chart, int sample, const std::vector<Id>& shown)
{
    const QRect plot = chart.GetPlotRect();
    const double x = SampleX(chart, sample);
    if (x < plot.left() || x > plot.left() + plot.width())
        return;
    painter.setPen(QPen(kCurrent, 1, Qt::DashLine));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kCurrent, 2));
    painter.setBrush(Qt::white);
    for (Id id : shown) {
        const float value = chart.GetSeries()->values[id][static_cast<size_t>(sample)];
        if (!std::isnan(value))
            painter.drawEllipse(QPointF(x, chart.ValueToPixel(id, chart.ToShown(id, value))), MarkerRadius,
                                MarkerRadius);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void DrawHover(QPainter& painter, const ProfileChart& chart, int sample)
{
    const QRect plot = chart.GetPlotRect();
    const int x = static_cast<int>(std::lround(SampleX(chart, sample)));
    painter.setPen(kCursor);
    painter.drawLine(x, plot.top(), x, plot.bottom());
    const QStringList lines = chart.GetSampleLines(sample);
    const QFontMetrics metrics = painter.fontMetrics();
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QSize box(width + 2 * LabelGap, static_cast<int>(lines.size()) * metrics.height() + 2 * LabelGap);
    // Beside the cursor, on the side with room.
    const int left = x + LabelGap + box.width() <= plot.left() + plot.width() ? x + LabelGap : x - LabelGap - box.width();
    const QRect frame(std::max(left, 0), plot.top() + LabelGap, box.width(), box.height());
    painter.fillRect(frame, kLabelBack);
    painter.setPen(kFrame);
    painter.drawRect(frame);
    painter.setPen(Qt::black);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(frame.left() + LabelGap, frame.top() + LabelGap + i * metrics.height() + metrics.ascent(),
                         lines[i]);
}

} // namespace

void ProfilePainter::Paint(QPainter& painter, const ProfileChart& chart, const ProfileMarks& marks)
{
    const QRect area(QPoint(0, 0), chart.GetSize());
    painter.fillRect(area, Qt::white);
    const QRect plot = chart.GetPlotRect();
    if (chart.IsEmpty() || plot.width() < 2 || plot.height() < 2) {
        painter.setPen(kText);
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, marks.emptyText);
        return;
    }
    DrawXAxis(painter, chart, plot);
    QPen frame(kFrame);
    frame.setStyle(Qt::DashDotLine);
    painter.setPen(frame);
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    DrawBand(painter, chart, marks);
    const std::vector<Id> shown = chart.GetShown();
    for (int k = 0; k < static_cast<int>(shown.size()); ++k)
        DrawValueAxis(painter, chart, k, shown[static_cast<size_t>(k)]);
    painter.save();
    painter.setClipRect(plot);
    for (Id id : shown)
        DrawLine(painter, chart, id);
    if (marks.currentSample >= 0)
        DrawCurrent(painter, chart, marks.currentSample, shown);
    painter.restore();
    if (marks.hoverSample >= 0)
        DrawHover(painter, chart, marks.hoverSample);
}
