#include "MapOverlays.h"

#include "DrawingLayersI.h"
#include "OverlayText.h"
#include "UnitsDisp.h"

#include <QPainter>

#include <array>

namespace MapOverlays {

namespace {

constexpr int OverlayLayer = 2;
constexpr QRgb TextBox = 0x80808080;
constexpr QRgb BarLight = 0xD8FFFFFF;
constexpr QRgb BarDark = 0xA0404040;
constexpr QRgb BarFrame = 0xFFA0A0A0;
constexpr QRgb CentreOnMap = 0xFF000000;
constexpr QRgb CentreWithoutMap = 0xFFC0C0C0;
constexpr QRgb CentreDot = 0xFF202020;

constexpr std::array<double, 17> LargeLengths{0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500,
                                              1000, 2000, 5000, 10000, 20000};
constexpr std::array<double, 15> SmallLengths{0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000};

OverlayText BoldText()
{
    return OverlayText(QStringLiteral("Arial"), 12, Qt::white, true);
}

// Fixed decimals by size: finer for small values.
QString Number(double value, double twoBelow, double oneBelow)
{
    const int decimals = value < twoBelow ? 2 : value < oneBelow ? 1 : 0;
    return QString::number(value, 'f', decimals);
}

template <size_t N>
std::optional<ScaleBar> Fit(const std::array<double, N>& lengths, DistanceUnits units, double metresPerPixel)
{
    for (auto it = lengths.rbegin(); it != lengths.rend(); ++it) {
        // Under one kilometre the small unit reads better.
        if (units == DistanceUnits::Kilometers && *it < 1)
            continue;
        const double pixels = UnitsConv::UnitsToMeters(*it, units) / metresPerPixel;
        if (pixels <= MaxBarPixels)
            return ScaleBar{*it, units, pixels};
    }
    return std::nullopt;
}

} // namespace

std::optional<ScaleBar> ChooseScaleBar(double metresPerPixel, MeasuringSystem system)
{
    if (!(metresPerPixel > 0))
        return std::nullopt;
    if (auto bar = Fit(LargeLengths, UnitsConv::GetLargeDistUnits(system), metresPerPixel))
        return bar;
    return Fit(SmallLengths, UnitsConv::GetSmallDistUnits(system), metresPerPixel);
}

QString FormatScale(double metresPerPixel, MeasuringSystem system)
{
    const DistanceUnits units = UnitsConv::GetSmallDistUnits(system);
    const double value = UnitsConv::MetersToUnits(metresPerPixel, units);
    const int decimals = value < 0.1 ? 3 : value < 1 ? 2 : value < 10 ? 1 : 0;
    return QString::number(value, 'f', decimals)
           + (units == DistanceUnits::Feet ? QStringLiteral(" ft/px") : QStringLiteral(" mpp"));
}

QString FormatBarLength(const ScaleBar& bar)
{
    return Number(bar.length, 0.1, 1) + QLatin1Char(' ') + UnitsDisp::GetUnitNotation(bar.units);
}

QString FormatFps(double framesPerSecond)
{
    const QString value = framesPerSecond < 0.995 ? QString::number(framesPerSecond, 'f', 2)
                                                  : QString::number(framesPerSecond + 0.005, 'f', 1);
    return value + QStringLiteral(" fps");
}

int DrawCopyright(DrawingLayersI& layers, const QString& text)
{
    QPainter* surface = layers.GetLayer(OverlayLayer);
    if (!surface || text.isEmpty())
        return 0;
    OverlayText copyright(QStringLiteral("Arial"), 12, Qt::white, false);
    copyright.SetRectColor(QColor::fromRgba(TextBox));
    const PixelRect frame = layers.GetFrameLtrb();
    const QRect area = copyright.DrawTextW(*surface, text, QPoint(frame.right - 1, frame.bottom - 1),
                                           OverlayText::Anchor::BottomRight);
    return area.height() + 2;
}

void DrawScaleLabel(DrawingLayersI& layers, double metresPerPixel, MeasuringSystem system, int copyrightHeight)
{
    QPainter* surface = layers.GetLayer(OverlayLayer);
    if (!surface)
        return;
    OverlayText label = BoldText();
    label.SetRectColor(QColor::fromRgba(TextBox));
    const PixelRect frame = layers.GetFrameLtrb();
    label.DrawTextW(*surface, FormatScale(metresPerPixel, system),
                    QPoint(frame.right - 6, frame.bottom - 7 - copyrightHeight), OverlayText::Anchor::BottomRight);
}

void DrawScaleBar(DrawingLayersI& layers, double metresPerPixel, MeasuringSystem system)
{
    QPainter* surface = layers.GetLayer(OverlayLayer);
    const std::optional<ScaleBar> bar = ChooseScaleBar(metresPerPixel, system);
    if (!surface || !bar)
        return;
    const PixelRect frame = layers.GetFrameLtrb();
    const double x = frame.left + 8;
    const double y = frame.bottom - 11;
    const double quarter = bar->pixels / 4;
    surface->save();
    surface->setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 4; ++i) {
        QPen pen(QColor::fromRgba(i % 2 == 0 ? BarLight : BarDark), 7);
        pen.setCapStyle(Qt::FlatCap);
        surface->setPen(pen);
        surface->drawLine(QPointF(x + i * quarter, y), QPointF(x + (i + 1) * quarter, y));
    }
    surface->setPen(QPen(QColor::fromRgba(BarFrame), 1));
    surface->setBrush(Qt::NoBrush);
    surface->drawRect(QRectF(x - 1, y - 4, bar->pixels + 1, 7));
    surface->restore();
    const QPoint aboveMiddle(static_cast<int>(x + bar->pixels / 2), static_cast<int>(y) - 5);
    BoldText().DrawTextW(*surface, FormatBarLength(*bar), aboveMiddle, OverlayText::Anchor::BottomCentre);
}

void DrawMapCenter(DrawingLayersI& layers)
{
    QPainter* surface = layers.GetLayer(OverlayLayer);
    if (!surface)
        return;
    const QRect frame = layers.GetFrameRect();
    const int cx = frame.x() + frame.width() / 2;
    const int cy = frame.y() + frame.height() / 2;
    surface->save();
    surface->setRenderHint(QPainter::Antialiasing, false);
    surface->setPen(QPen(QColor::fromRgba(layers.IsMapShown() ? CentreOnMap : CentreWithoutMap), 1));
    surface->drawLine(cx - 7, cy, cx - 2, cy);
    surface->drawLine(cx + 2, cy, cx + 7, cy);
    surface->drawLine(cx, cy - 7, cx, cy - 2);
    surface->drawLine(cx, cy + 2, cx, cy + 7);
    surface->setPen(QPen(QColor::fromRgba(CentreDot), 1));
    surface->drawPoint(cx, cy);
    surface->restore();
}

void DrawFps(DrawingLayersI& layers, double framesPerSecond)
{
    QPainter* surface = layers.GetLayer(OverlayLayer);
    if (!surface)
        return;
    OverlayText text = BoldText();
    text.SetRectColor(QColor::fromRgba(TextBox));
    text.DrawTextW(*surface, FormatFps(framesPerSecond), QPoint(7, 6), OverlayText::Anchor::TopLeft);
}

} // namespace MapOverlays
