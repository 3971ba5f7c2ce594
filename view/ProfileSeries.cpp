#include "ProfileSeries.h"

#include "TrackI.h"
#include "TrackPointEx.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float NoValue = std::numeric_limits<float>::quiet_NaN();

// The median of the positive steps of a rising list; 0 without any.
double MedianStep(const std::vector<double>& xs)
{
    std::vector<double> steps;
    steps.reserve(xs.size());
    for (size_t i = 1; i < xs.size(); ++i) {
        const double step = xs[i] - xs[i - 1];
        if (step > 0)
            steps.push_back(step);
    }
    if (steps.empty())
        return 0.0;
    auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return *middle;
}

void MarkGaps(const std::vector<double>& xs, double floor, std::vector<uint8_t>& breaks)
{
    const double gap = std::max(floor, ProfileSeries::GapFactor * MedianStep(xs));
    for (size_t i = 1; i < xs.size(); ++i)
        if (xs[i] - xs[i - 1] > gap)
            breaks[i] = 1;
}

// Rise over run against the sample at least SteepnessRunMetres back, in
// percent; NaN at the start of the line, where there is no such run yet.
void FillSteepness(ProfileSeries& series)
{
    const std::vector<float>& elevation = series.values[ProfileQuantity::Elevation];
    std::vector<float>& steepness = series.values[ProfileQuantity::Steepness];
    steepness.assign(elevation.size(), NoValue);
    size_t from = 0;
    for (size_t i = 0; i < elevation.size(); ++i) {
        if (series.breakBefore[i] || std::isnan(elevation[i]))
            from = i;
        while (from + 1 < i && series.metres[i] - series.metres[from + 1] >= ProfileSeries::SteepnessRunMetres)
            ++from;
        const double run = series.metres[i] - series.metres[from];
        if (run >= ProfileSeries::SteepnessRunMetres && !std::isnan(elevation[from]))
            steepness[i] = static_cast<float>((elevation[i] - elevation[from]) / run * 100.0);
    }
}

} // namespace

ProfileSeries ProfileSeries::Build(const TrackI& segment)
{
    using namespace ProfileQuantity;
    ProfileSeries series;
    series.tid = segment.GetTid();
    const int count = segment.GetPointCount();
    series.indices.reserve(static_cast<size_t>(count));
    series.metres.reserve(static_cast<size_t>(count));
    series.seconds.reserve(static_cast<size_t>(count));
    for (auto& list : series.values)
        list.reserve(static_cast<size_t>(count));
    TrackPointEx point;
    for (int i = 0; i < count; ++i) {
        if (!segment.GetPointEx(i, point) || !point.IsValid())
            continue;
        series.indices.push_back(i);
        series.metres.push_back(point.GetCalcParams().DistFromStart);
        const bool timed = !point.GetTime().IsNull();
        series.seconds.push_back(timed ? point.GetTime().GetAbsSeconds() : std::nan(""));
        series.hasTimes = series.hasTimes || timed;
        for (int q = 0; q < Steepness; ++q) {
            const Id id = static_cast<Id>(q);
            const bool carried = IsCarried(point, id);
            series.carried[q] = series.carried[q] || carried;
            series.values[q].push_back(carried ? static_cast<float>(GetValue(point, id)) : NoValue);
        }
    }
    series.breakBefore.assign(series.indices.size(), 0);
    MarkGaps(series.metres, MinGapMetres, series.breakBefore);
    if (series.hasTimes)
        MarkGaps(series.seconds, MinGapSeconds, series.breakBefore);
    series.carried[Steepness] = series.carried[Elevation];
    FillSteepness(series);
    return series;
}

int ProfileSeries::SampleOfPoint(int index) const
{
    const auto it = std::lower_bound(indices.begin(), indices.end(), index);
    return it != indices.end() && *it == index ? static_cast<int>(it - indices.begin()) : -1;
}
