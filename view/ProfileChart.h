#pragma once

#include "ProfileColumns.h"
#include "ProfileSeries.h"
#include "ProfileTicks.h"

#include <QRect>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The geometry and contents of the profile chart without any widget: the
// series of the current segment, what is charted against what, the zoom,
// the plot area inside the chart's size, the pixel columns of every shown
// value (kept until the series, the axis, the zoom or the size change),
// the ticks, and the mapping between pixels, samples and points.
class ProfileChart
{
public:
    // Room for the numbers of one value axis, and under the plot for the x labels.
    static constexpr int AxisWidth = 50;
    static constexpr int BottomMargin = 20;
    static constexpr int TopMargin = 16;
    static constexpr int SideMargin = 8;
    // Ticks are kept this many pixels apart at least.
    static constexpr int XTickPitch = 90;
    static constexpr int YTickPitch = 28;
    // A zoom never shows less than this share of the whole range.
    static constexpr double MaxZoom = 1e-5;

    ProfileChart();

    // An empty pointer, or a series without samples, charts nothing. The
    // zoom is reset unless the series is of the same segment as before.
    void SetSeries(std::shared_ptr<const ProfileSeries> series);
    const ProfileSeries* GetSeries() const { return m_series.get(); }
    bool IsEmpty() const { return !m_series || m_series->Size() == 0; }

    // A segment without times is charted against distance whatever is chosen.
    void SetAxis(ProfileAxis axis);
    ProfileAxis GetAxis() const;
    // The chosen values; only those the series carries are shown, in order.
    void SetQuantities(std::vector<ProfileQuantity::Id> quantities);
    std::vector<ProfileQuantity::Id> GetShown() const;
    void SetUnits(MeasuringSystem system, TemperatureUnits temperature);
    void SetUtcOffset(ProfileTicks::UtcOffset offset);
    void SetSize(int width, int height);
    QSize GetSize() const { return {m_width, m_height}; }

    // Left and right axes alternate, the first value on the left.
    QRect GetPlotRect() const;
    // The pixel x of the axis of the k-th shown value and on which side.
    int GetAxisX(int k) const;
    static bool IsLeftAxis(int k) { return k % 2 == 0; }

    // Zooming and panning along x, in pixels of the chart.
    void ZoomAt(int px, double factor);
    void PanBy(int dx);
    void ResetZoom();
    bool IsZoomed() const;
    std::pair<double, double> GetVisibleRange() const { return {m_from, m_to}; }

    double PixelToX(double px) const;
    double XToPixel(double x) const;
    // The sample nearest to the pixel x among the visible ones; -1 for none.
    int SampleAtPixel(int px) const;
    // The first and last point indices of the samples between two pixel x,
    // in either order; (-1, -1) when none lies between them.
    std::pair<int, int> PointsBetween(int px0, int px1) const;

    const std::vector<ProfileColumn>& GetColumns(ProfileQuantity::Id id) const;
    // How often columns were built, for checking that they are kept.
    int GetColumnBuilds() const { return m_columnBuilds; }
    // The value range in the shown unit, over the visible columns, with some
    // room above and below.
    std::pair<double, double> GetValueRange(ProfileQuantity::Id id) const;
    double ValueToPixel(ProfileQuantity::Id id, double shownValue) const;

    std::vector<ProfileTick> GetXTicks() const;
    std::vector<ProfileTick> GetValueTicks(ProfileQuantity::Id id) const;

    double ToShown(ProfileQuantity::Id id, double value) const;
    // The unit after a value of the kind, "%" for steepness.
    QString GetUnitNotation(ProfileQuantity::Id id) const;
    // The label of a sample: its x, then every shown value it carries.
    QStringList GetSampleLines(int sample) const;

private:
    void ClearColumns();
    const std::vector<double>& Xs() const;
    std::pair<double, double> FullRange() const;

    std::shared_ptr<const ProfileSeries> m_series;
    ProfileAxis m_axis = ProfileAxis::Distance;
    std::vector<ProfileQuantity::Id> m_quantities;
    MeasuringSystem m_system = MeasuringSystem::Metric;
    TemperatureUnits m_temperature = TemperatureUnits::Celsius;
    ProfileTicks::UtcOffset m_offset;
    int m_width = 0;
    int m_height = 0;
    double m_from = 0;
    double m_to = 0;
    mutable std::array<std::optional<std::vector<ProfileColumn>>, ProfileQuantity::Count> m_columns;
    mutable int m_columnBuilds = 0;
};
