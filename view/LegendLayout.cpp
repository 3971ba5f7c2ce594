#include "LegendLayout.h"

#include "ColorMixerI.h"
#include "StringIds.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int BarWidth = 14;
constexpr int TickLength = 5;
// The steps a tiny or unusual scale keeps.
constexpr double FallbackMajor = 5000.0;
constexpr double FallbackMinor = 1000.0;

bool IsSpeed(PaletteParameter::Id parameter)
{
    return parameter == PaletteParameter::Speed || parameter == PaletteParameter::GpsSpeed;
}

bool ConvertsSpeed(PaletteParameter::Id parameter, MeasuringSystem system)
{
    return IsSpeed(parameter) && system != MeasuringSystem::Metric;
}

bool ConvertsElevation(PaletteParameter::Id parameter, MeasuringSystem system)
{
    return parameter == PaletteParameter::Elevation && system != MeasuringSystem::Metric;
}

bool ConvertsTemperature(PaletteParameter::Id parameter, TemperatureUnits temperature)
{
    return parameter == PaletteParameter::Temperature && temperature != TemperatureUnits::Celsius;
}

// 0, step, 2 step ... up to top, and top itself when it lies between.
std::vector<double> UpTo(double top, double step)
{
    std::vector<double> out;
    double value = 0.0;
    for (int k = 1; value <= top; ++k) {
        out.push_back(value);
        value = k * step;
    }
    if (top - out.back() > 0.01)
        out.push_back(top);
    return out;
}

} // namespace

QString LegendLayout::Title(const PaletteI& palette)
{
    using namespace PaletteParameter;
    QString unit;
    switch (palette.GetParameter()) {
    case Speed:
    case GpsSpeed:
        unit = UnitsDisp::GetUnitNotation(UnitKind::Speed);
        break;
    case Elevation:
        unit = UnitsDisp::GetUnitNotation(UnitKind::SmallDistance);
        break;
    case Steepness:
        unit = QStringLiteral("%");
        break;
    case HeartRate:
        unit = UnitsDisp::GetUnitNotation(UnitKind::HeartRate);
        break;
    case Cadence:
        unit = UnitsDisp::GetUnitNotation(UnitKind::Cadence);
        break;
    case Temperature:
        unit = UnitsDisp::GetUnitNotation(UnitKind::Temperature);
        break;
    case Heading:
    case GpsHeading:
        unit = Translator::GetInstance().LoadStr(IDS_UNIT_DEGREES);
        break;
    default:
        break;
    }
    return unit.isEmpty() ? palette.GetName() : palette.GetName() + QStringLiteral(", ") + unit;
}

LegendLayout::Range LegendLayout::UserRange(PaletteParameter::Id parameter, double min, double max,
                                            MeasuringSystem system, TemperatureUnits temperature)
{
    Range out{min, max};
    if (ConvertsSpeed(parameter, system)) {
        const SpeedUnits units = UnitsConv::GetSpeedUnits(system);
        out.min = UnitsConv::KmhToUnits(min, units);
        out.max = 5 * std::trunc((UnitsConv::KmhToUnits(max, units) + 3) / 5);
    } else if (ConvertsElevation(parameter, system)) {
        const DistanceUnits units = UnitsConv::GetSmallDistUnits(system);
        out.min = -100 * std::trunc((50 - UnitsConv::MetersToUnits(min, units)) / 100);
        out.max = 1000 * std::trunc((UnitsConv::MetersToUnits(max, units) + 499) / 1000);
    } else if (ConvertsTemperature(parameter, temperature)) {
        const double low = UnitsConv::DegreesCToUnits(min, temperature);
        out.min = low <= 0 ? -5 * std::trunc((3 - low) / 5) : 5 * std::trunc((low + 3) / 5);
        out.max = UnitsConv::DegreesCToUnits(max, temperature);
    }
    return out;
}

double LegendLayout::ToInternal(PaletteParameter::Id parameter, double value, MeasuringSystem system,
                                TemperatureUnits temperature)
{
    if (ConvertsSpeed(parameter, system))
        return UnitsConv::UnitsToKmh(value, UnitsConv::GetSpeedUnits(system));
    if (ConvertsElevation(parameter, system))
        return UnitsConv::UnitsToMeters(value, UnitsConv::GetSmallDistUnits(system));
    if (ConvertsTemperature(parameter, temperature))
        return UnitsConv::UnitsToDegreesC(value, temperature);
    return value;
}

void LegendLayout::LabelSteps(double range, int labelCount, double& major, double& minor)
{
    static constexpr std::array<double, 10> majors{5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
    static constexpr std::array<double, 10> minors{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
    if (labelCount < 2)
        return;
    const double raw = std::trunc(range * 0.9 / (labelCount - 1));
    for (size_t i = 0; i < majors.size(); ++i) {
        if (majors[i] >= raw) {
            major = majors[i];
            minor = minors[i];
            return;
        }
    }
}

std::vector<double> LegendLayout::TickValues(double min, double max, double step)
{
    std::vector<double> out;
    if (min < 0) {
        const std::vector<double> below = UpTo(-min, step);
        // Zero comes with the upper half.
        for (auto it = below.rbegin(); it != below.rend() - 1; ++it)
            out.push_back(-*it);
    }
    for (double value : UpTo(std::max(max, 0.0), step)) {
        // Below a positive minimum a tick would lie off the bar.
        if (value >= min - 0.01)
            out.push_back(value);
    }
    return out;
}

bool LegendLayout::Compute(const PalettePtr& palette, const QSize& view, const QSize& labelSize,
                           MeasuringSystem system, TemperatureUnits temperature)
{
    m_ticks.clear();
    const std::shared_ptr<const ColorMixerI> mixer = palette ? palette->GetMixer() : nullptr;
    if (!mixer || view.height() < 10 || mixer->GetMax() - mixer->GetMin() <= 0)
        return false;
    const int labelHeight = labelSize.height();
    m_margin = static_cast<int>(0.4 * labelHeight);
    m_range = UserRange(palette->GetParameter(), mixer->GetMin(), mixer->GetMax(), system, temperature);
    const double range = m_range.max - m_range.min;
    if (range <= 0)
        return false;

    // Title on top; the bar below, half a label clear of both ends so the
    // end labels fit; labels right of the ticks.
    m_title = QRect(m_margin, m_margin, std::max(0, view.width() - 2 * m_margin), labelHeight);
    const int top = m_title.bottom() + 1 + m_margin + labelHeight / 2;
    const int bottom = view.height() - m_margin - labelHeight / 2;
    if (bottom - top < 2)
        return false;
    m_bar = QRect(QPoint(m_margin, top), QPoint(m_margin + BarWidth - 1, bottom));
    m_labelX = m_bar.right() + 1 + TickLength + m_margin;

    const int pitch = labelHeight + m_margin;
    m_major = FallbackMajor;
    m_minor = FallbackMinor;
    LabelSteps(range, (m_bar.height() + labelHeight) / std::max(1, pitch), m_major, m_minor);

    // Minor ticks between the labelled major ones; an end between
    // multiples is labelled only where it does not crowd its neighbour.
    int lastLabelled = -pitch * 2;
    for (double value : TickValues(m_range.min, m_range.max, m_minor)) {
        Tick tick;
        tick.value = value;
        tick.y = bottom - static_cast<int>(std::lround((value - m_range.min) / range * (bottom - top)));
        const double steps = value / m_major;
        const bool onMajor = std::abs(steps - std::round(steps)) < 1e-6;
        tick.labelled = std::abs(tick.y - lastLabelled) >= pitch && (onMajor || value == m_range.min || value == m_range.max);
        if (tick.labelled)
            lastLabelled = tick.y;
        m_ticks.push_back(tick);
    }
    return true;
}

double LegendLayout::ValueAt(int y) const
{
    const int span = std::max(1, m_bar.bottom() - m_bar.top());
    return m_range.min + (m_bar.bottom() - y) * (m_range.max - m_range.min) / span;
}
