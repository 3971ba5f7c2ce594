#include "ProfileChart.h"

#include "StringIds.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <tuple>

using namespace ProfileQuantity;

namespace {

// Share of the value range left free above and below the line.
constexpr double ValuePadding = 0.05;

} // namespace

ProfileChart::ProfileChart()
    : m_offset([](double) { return 0; })
{
}

void ProfileChart::SetSeries(std::shared_ptr<const ProfileSeries> series)
{
    const bool sameSegment = m_series && series && m_series->tid == series->tid;
    const auto zoom = std::make_pair(m_from, m_to);
    m_series = std::move(series);
    ResetZoom();
    if (sameSegment && !IsEmpty()) {
        // The points changed under the same view: keep looking where the user looked.
        const auto [from, to] = FullRange();
        m_from = std::clamp(zoom.first, from, to);
        m_to = std::clamp(zoom.second, m_from, to);
        if (!(m_to > m_from))
            ResetZoom();
    }
}

void ProfileChart::SetAxis(ProfileAxis axis)
{
    if (axis == m_axis)
        return;
    // Elapsed and time of day share their x: only the labels differ.
    const bool sameX = axis != ProfileAxis::Distance && m_axis != ProfileAxis::Distance;
    m_axis = axis;
    if (!sameX)
        ResetZoom();
}

ProfileAxis ProfileChart::GetAxis() const
{
    return m_series && !m_series->hasTimes ? ProfileAxis::Distance : m_axis;
}

void ProfileChart::SetQuantities(std::vector<Id> quantities)
{
    m_quantities = std::move(quantities);
}

std::vector<Id> ProfileChart::GetShown() const
{
    std::vector<Id> shown;
    if (IsEmpty())
        return shown;
    for (Id id : m_quantities)
        if (m_series->carried[id])
            shown.push_back(id);
    return shown;
}

void ProfileChart::SetUnits(MeasuringSystem system, TemperatureUnits temperature)
{
    m_system = system;
    m_temperature = temperature;
}

void ProfileChart::SetUtcOffset(ProfileTicks::UtcOffset offset)
{
    m_offset = std::move(offset);
}

void ProfileChart::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    ClearColumns();
}

QRect ProfileChart::GetPlotRect() const
{
    const int count = static_cast<int>(GetShown().size());
    const int left = (count + 1) / 2 * AxisWidth + SideMargin;
    const int right = count / 2 * AxisWidth + SideMargin;
    return QRect(left, TopMargin, std::max(m_width - left - right, 0), std::max(m_height - TopMargin - BottomMargin, 0));
}

int ProfileChart::GetAxisX(int k) const
{
    const QRect plot = GetPlotRect();
    const int slot = k / 2;
    return IsLeftAxis(k) ? plot.left() - slot * AxisWidth : plot.left() + plot.width() + slot * AxisWidth;
}

const std::vector<double>& ProfileChart::Xs() const
{
    return m_series->X(GetAxis());
}

std::pair<double, double> ProfileChart::FullRange() const
{
    const std::vector<double>& xs = Xs();
    // Samples without time sort nowhere: the range runs between the timed ones.
    auto first = std::find_if(xs.begin(), xs.end(), [](double x) { return !std::isnan(x); });
    auto last = std::find_if(xs.rbegin(), xs.rend(), [](double x) { return !std::isnan(x); });
    if (first == xs.end())
        return {0.0, 1.0};
    const double from = *first;
    const double to = *last;
    return {from, to > from ? to : from + 1.0};
}

void ProfileChart::ResetZoom()
{
    if (IsEmpty()) {
        m_from = 0;
        m_to = 1;
    } else {
        std::tie(m_from, m_to) = FullRange();
    }
    ClearColumns();
}

bool ProfileChart::IsZoomed() const
{
    return !IsEmpty() && std::make_pair(m_from, m_to) != FullRange();
}

void ProfileChart::ZoomAt(int px, double factor)
{
    if (IsEmpty())
        return;
    const auto [from, to] = FullRange();
    const double anchor = PixelToX(px);
    const double span = std::clamp((m_to - m_from) * factor, (to - from) * MaxZoom, to - from);
    const double share = (anchor - m_from) / (m_to - m_from);
    m_from = std::clamp(anchor - share * span, from, to - span);
    m_to = m_from + span;
    ClearColumns();
}

void ProfileChart::PanBy(int dx)
{
    if (IsEmpty() || GetPlotRect().width() <= 0)
        return;
    const auto [from, to] = FullRange();
    const double span = m_to - m_from;
    m_from = std::clamp(m_from - dx * span / GetPlotRect().width(), from, to - span);
    m_to = m_from + span;
    ClearColumns();
}

double ProfileChart::PixelToX(double px) const
{
    const QRect plot = GetPlotRect();
    return m_from + (px - plot.left()) * (m_to - m_from) / std::max(plot.width(), 1);
}

double ProfileChart::XToPixel(double x) const
{
    const QRect plot = GetPlotRect();
    return plot.left() + (x - m_from) * plot.width() / (m_to - m_from);
}

int ProfileChart::SampleAtPixel(int px) const
{
    if (IsEmpty())
        return -1;
    const std::vector<double>& xs = Xs();
    const double x = std::clamp(PixelToX(px), m_from, m_to);
    const auto begin = std::lower_bound(xs.begin(), xs.end(), m_from);
    const auto end = std::upper_bound(begin, xs.end(), m_to);
    if (begin == end)
        return -1;
    auto it = std::lower_bound(begin, end, x);
    if (it == end || (it != begin && x - *(it - 1) <= *it - x))
        --it;
    return static_cast<int>(it - xs.begin());
}

std::pair<int, int> ProfileChart::PointsBetween(int px0, int px1) const
{
    if (IsEmpty())
        return {-1, -1};
    const std::vector<double>& xs = Xs();
    const double x0 = PixelToX(std::min(px0, px1));
    const double x1 = PixelToX(std::max(px0, px1));
    const auto begin = std::lower_bound(xs.begin(), xs.end(), x0);
    const auto end = std::upper_bound(begin, xs.end(), x1);
    if (begin == end)
        return {-1, -1};
    return {m_series->indices[static_cast<size_t>(begin - xs.begin())],
            m_series->indices[static_cast<size_t>(end - xs.begin() - 1)]};
}

void ProfileChart::ClearColumns()
{
    for (auto& columns : m_columns)
        columns.reset();
}

const std::vector<ProfileColumn>& ProfileChart::GetColumns(Id id) const
{
    std::optional<std::vector<ProfileColumn>>& columns = m_columns[id];
    if (!columns) {
        ++m_columnBuilds;
        columns = IsEmpty() ? std::vector<ProfileColumn>()
                            : ProfileColumns::Build(Xs(), m_series->values[id], m_series->breakBefore, m_from, m_to,
                                                    GetPlotRect().width());
    }
    return *columns;
}

std::pair<double, double> ProfileChart::GetValueRange(Id id) const
{
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (const ProfileColumn& column : GetColumns(id)) {
        if (column.IsEmpty())
            continue;
        low = std::min(low, ToShown(id, column.min));
        high = std::max(high, ToShown(id, column.max));
    }
    if (low > high)
        return {0.0, 1.0};
    if (high - low < 1e-9)
        return {low - 1.0, high + 1.0};
    const double room = (high - low) * ValuePadding;
    return {low - room, high + room};
}

double ProfileChart::ValueToPixel(Id id, double shownValue) const
{
    const QRect plot = GetPlotRect();
    const auto [low, high] = GetValueRange(id);
    return plot.top() + plot.height() - (shownValue - low) * plot.height() / (high - low);
}

std::vector<ProfileTick> ProfileChart::GetXTicks() const
{
    const int count = std::max(GetPlotRect().width() / XTickPitch, 1);
    switch (GetAxis()) {
    case ProfileAxis::Elapsed: {
        const double start = IsEmpty() ? 0.0 : FullRange().first;
        std::vector<ProfileTick> ticks = ProfileTicks::Elapsed(m_from - start, m_to - start, count);
        for (ProfileTick& tick : ticks)
            tick.value += start;
        return ticks;
    }
    case ProfileAxis::TimeOfDay:
        return ProfileTicks::TimeOfDay(m_from, m_to, count, m_offset);
    default: {
        const DistanceUnits units = UnitsConv::GetLargeDistUnits(m_system);
        const double scale = UnitsConv::MetersToUnits(1.0, units);
        std::vector<ProfileTick> ticks = ProfileTicks::Values(m_from * scale, m_to * scale, count);
        for (ProfileTick& tick : ticks)
            tick.value /= scale;
        if (!ticks.empty())
            ticks.back().label += u' ' + UnitsDisp::GetUnitNotation(units);
        return ticks;
    }
    }
}

std::vector<ProfileTick> ProfileChart::GetValueTicks(Id id) const
{
    const auto [low, high] = GetValueRange(id);
    return ProfileTicks::Values(low, high, std::max(GetPlotRect().height() / YTickPitch, 1));
}

double ProfileChart::ToShown(Id id, double value) const
{
    return UnitsConv::ToUnits(GetUnitKind(id), value, m_system, m_temperature);
}

QString ProfileChart::GetUnitNotation(Id id) const
{
    if (id == Steepness)
        return QStringLiteral("%");
    return UnitsDisp::GetUnitNotation(GetUnitKind(id), m_system, m_temperature);
}

QStringList ProfileChart::GetSampleLines(int sample) const
{
    QStringList lines;
    if (IsEmpty() || sample < 0 || sample >= m_series->Size())
        return lines;
    const Translator& tr = Translator::GetInstance();
    const QLocale locale;
    const size_t s = static_cast<size_t>(sample);
    const DistanceUnits large = UnitsConv::GetLargeDistUnits(m_system);
    lines << tr.LoadStr(IDS_PROFILE_AXIS_DISTANCE) + QStringLiteral(": ")
                 + locale.toString(UnitsConv::MetersToUnits(m_series->metres[s], large), 'f', 2) + u' '
                 + UnitsDisp::GetUnitNotation(large);
    if (GetAxis() != ProfileAxis::Distance && !std::isnan(m_series->seconds[s])) {
        const double utc = m_series->seconds[s];
        lines << tr.LoadStr(IDS_PROFILE_AXIS_TIME_OF_DAY) + QStringLiteral(": ")
                     + ProfileTicks::ClockText(utc + m_offset(utc), true);
        lines << tr.LoadStr(IDS_PROFILE_AXIS_ELAPSED) + QStringLiteral(": ")
                     + ProfileTicks::ElapsedText(utc - FullRange().first, true);
    }
    for (Id id : GetShown()) {
        const float value = m_series->values[id][s];
        if (std::isnan(value))
            continue;
        lines << tr.LoadStr(GetNameId(id)) + QStringLiteral(": ") + locale.toString(ToShown(id, value), 'f', GetDecimals(id))
                     + u' ' + GetUnitNotation(id);
    }
    return lines;
}
