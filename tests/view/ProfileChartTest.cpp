#include "ProfileChart.h"
#include "ProfileColumns.h"
#include "ProfileSeries.h"
#include "ProfileTicks.h"
#include "Track.h"
#include "TrackTestSupport.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

using namespace tracktest;

namespace {

constexpr float Nan = std::numeric_limits<float>::quiet_NaN();
// Metres per degree of longitude on the equator, near enough for laying out points.
constexpr double MetresPerDegree = 111319.49;

// Points along the equator: metres east, seconds after the base, elevation.
struct Step
{
    double metres;
    double seconds;
    double elevation;
};

std::shared_ptr<Track> MakeTrack(const std::vector<Step>& steps)
{
    std::vector<TrackPoint> points;
    for (const Step& s : steps)
        points.push_back(PointAt(s.metres / MetresPerDegree, s.seconds, s.elevation));
    auto track = std::make_shared<Track>(MakeData(points), 7, -1);
    track->Refresh(true);
    return track;
}

// Every 10 m and 2 s, rising 1 m a point.
std::vector<Step> EvenWalk(int count)
{
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i)
        steps.push_back({i * 10.0, i * 2.0, 100.0 + i});
    return steps;
}

ProfileTicks::UtcOffset Berlin()
{
    return [](double utc) {
        return QTimeZone("Europe/Berlin").offsetFromUtc(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(utc), Qt::UTC));
    };
}

double Utc(int year, int month, int day, int hour, int minute = 0)
{
    return static_cast<double>(QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC).toSecsSinceEpoch());
}

std::vector<QString> Labels(const std::vector<ProfileTick>& ticks)
{
    std::vector<QString> labels;
    for (const ProfileTick& tick : ticks)
        labels.push_back(tick.label);
    return labels;
}

// The columns worked out the slow way: every sample placed in its column
// on its own, and joined when the sample before it was drawn.
std::vector<ProfileColumn> BruteForce(const std::vector<double>& xs, const std::vector<float>& values,
                                      const std::vector<uint8_t>& breaks, double from, double to, int width)
{
    std::vector<ProfileColumn> columns(static_cast<size_t>(width), ProfileColumn{Nan, Nan, Nan, Nan, false});
    for (size_t i = 0; i < xs.size(); ++i) {
        if (xs[i] < from || xs[i] > to || std::isnan(values[i]))
            continue;
        const int c = std::min(static_cast<int>(std::floor((xs[i] - from) / (to - from) * width)), width - 1);
        ProfileColumn& column = columns[static_cast<size_t>(c)];
        const bool previousDrawn = i > 0 && xs[i - 1] >= from && !std::isnan(values[i - 1]);
        if (column.IsEmpty()) {
            column = {values[i], values[i], values[i], values[i], previousDrawn && !breaks[i]};
        } else {
            column.min = std::min(column.min, values[i]);
            column.max = std::max(column.max, values[i]);
            column.last = values[i];
        }
    }
    return columns;
}

void ExpectSameColumns(const std::vector<ProfileColumn>& actual, const std::vector<ProfileColumn>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t c = 0; c < actual.size(); ++c) {
        SCOPED_TRACE(c);
        ASSERT_EQ(actual[c].IsEmpty(), expected[c].IsEmpty());
        if (actual[c].IsEmpty())
            continue;
        EXPECT_EQ(actual[c].min, expected[c].min);
        EXPECT_EQ(actual[c].max, expected[c].max);
        EXPECT_EQ(actual[c].first, expected[c].first);
        EXPECT_EQ(actual[c].last, expected[c].last);
        EXPECT_EQ(actual[c].joinsPrevious, expected[c].joinsPrevious);
    }
}

} // namespace

// Pixel columns

TEST(ProfileColumns, EqualTheBruteForceColumnsWholeAndZoomed)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> step(0.0, 3.0);
    std::normal_distribution<float> value(50.0f, 20.0f);
    std::vector<double> xs;
    std::vector<float> values;
    std::vector<uint8_t> breaks;
    double x = 0;
    for (int i = 0; i < 20000; ++i) {
        x += step(random);
        xs.push_back(x);
        // Holes without a value, breaks, and runs of equal x.
        values.push_back(i % 97 == 5 ? Nan : value(random));
        breaks.push_back(i % 501 == 7);
    }
    for (const auto& [from, to, width] : {std::tuple{xs.front(), xs.back(), 1200}, std::tuple{xs.front(), xs.back(), 7},
                                          std::tuple{100.0, 400.0, 300}, std::tuple{1000.5, 1001.5, 50}}) {
        SCOPED_TRACE(width);
        ExpectSameColumns(ProfileColumns::Build(xs, values, breaks, from, to, width),
                          BruteForce(xs, values, breaks, from, to, width));
    }
}

TEST(ProfileColumns, NothingForAnEmptyRangeOrWidth)
{
    const std::vector<double> xs{1, 2, 3};
    const std::vector<float> values{1, 2, 3};
    const std::vector<uint8_t> breaks(3, 0);
    EXPECT_TRUE(ProfileColumns::Build(xs, values, breaks, 0, 10, 0).empty());
    for (const ProfileColumn& column : ProfileColumns::Build(xs, values, breaks, 5, 5, 10))
        EXPECT_TRUE(column.IsEmpty());
    for (const ProfileColumn& column : ProfileColumns::Build(xs, values, breaks, 20, 30, 10))
        EXPECT_TRUE(column.IsEmpty());
}

// Series of a segment

TEST(ProfileSeries, LeavesFilteredPointsOutAndKeepsTheirIndices)
{
    std::shared_ptr<Track> track = MakeTrack(EvenWalk(10));
    for (int index : {3, 4, 8})
        track->GetPointStatus(index)->SetFilterReason(7);
    track->Refresh(false);
    const ProfileSeries series = ProfileSeries::Build(*track);
    EXPECT_EQ(series.indices, (std::vector<int>{0, 1, 2, 5, 6, 7, 9}));
    EXPECT_EQ(series.SampleOfPoint(5), 3);
    EXPECT_EQ(series.SampleOfPoint(4), -1);
    EXPECT_FLOAT_EQ(series.values[ProfileQuantity::Elevation][3], 105.0f);
    EXPECT_TRUE(series.carried[ProfileQuantity::Elevation]);
    EXPECT_FALSE(series.carried[ProfileQuantity::HeartRate]);
    EXPECT_TRUE(std::isnan(series.values[ProfileQuantity::HeartRate][0]));
}

TEST(ProfileSeries, BreaksTheLineAtPausesAndJumps)
{
    std::vector<Step> steps = EvenWalk(60);
    // A ten-minute pause before point 20, a 5 km jump before point 40.
    for (size_t i = 20; i < steps.size(); ++i)
        steps[i].seconds += 600;
    for (size_t i = 40; i < steps.size(); ++i)
        steps[i].metres += 5000;
    const ProfileSeries series = ProfileSeries::Build(*MakeTrack(steps));
    std::vector<int> breaks;
    for (int i = 0; i < series.Size(); ++i)
        if (series.breakBefore[static_cast<size_t>(i)])
            breaks.push_back(i);
    EXPECT_EQ(breaks, (std::vector<int>{20, 40}));

    // One point per column: only the columns after a gap are not joined.
    ProfileChart chart;
    chart.SetSeries(std::make_shared<ProfileSeries>(series));
    chart.SetQuantities({ProfileQuantity::Elevation});
    chart.SetAxis(ProfileAxis::Elapsed);
    chart.SetSize(4000, 300);
    std::vector<int> unjoined;
    const std::vector<ProfileColumn>& columns = chart.GetColumns(ProfileQuantity::Elevation);
    int sample = 0;
    for (const ProfileColumn& column : columns)
        if (!column.IsEmpty() && !column.joinsPrevious)
            unjoined.push_back(sample++);
        else if (!column.IsEmpty())
            ++sample;
    EXPECT_EQ(unjoined, (std::vector<int>{0, 20, 40}));
}

TEST(ProfileSeries, SteepnessIsRiseOverAtLeastTwentyMetres)
{
    // 5 m apart, 0.5 m up each: 10 %.
    std::vector<Step> steps;
    for (int i = 0; i < 20; ++i)
        steps.push_back({i * 5.0, i * 1.0, 100 + i * 0.5});
    const ProfileSeries series = ProfileSeries::Build(*MakeTrack(steps));
    const std::vector<float>& steepness = series.values[ProfileQuantity::Steepness];
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(std::isnan(steepness[static_cast<size_t>(i)])) << i;
    for (int i = 4; i < 20; ++i)
        EXPECT_NEAR(steepness[static_cast<size_t>(i)], 10.0, 0.05) << i;
}

// Ticks

TEST(ProfileTicks, TimeOfDayRunsThroughMidnightWithTheDate)
{
    // 23:30 to 02:30 in Berlin in summer (UTC + 2).
    const auto ticks = ProfileTicks::TimeOfDay(Utc(2026, 7, 10, 21, 30), Utc(2026, 7, 11, 0, 30), 4, Berlin());
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0].value, Utc(2026, 7, 10, 22));
    EXPECT_EQ(ticks[0].label, QLocale().toString(QDate(2026, 7, 11), QLocale::ShortFormat));
    EXPECT_EQ(Labels(ticks), (std::vector<QString>{ticks[0].label, "01:00", "02:00"}));
    EXPECT_EQ(ticks[2].value, Utc(2026, 7, 11, 0));
}

TEST(ProfileTicks, TimeOfDayReadsAsTheClockAcrossDaylightSavingChanges)
{
    // Spring: at 01:00 UTC the clock jumps from 02:00 to 03:00.
    const auto spring = ProfileTicks::TimeOfDay(Utc(2026, 3, 29, 0), Utc(2026, 3, 29, 3), 4, Berlin());
    EXPECT_EQ(Labels(spring), (std::vector<QString>{"01:00", "03:00", "04:00", "05:00"}));
    EXPECT_EQ(spring[1].value, Utc(2026, 3, 29, 1));
    // Autumn: at 01:00 UTC it falls back from 03:00 to 02:00, which comes twice.
    const auto autumn = ProfileTicks::TimeOfDay(Utc(2026, 10, 25, 0), Utc(2026, 10, 25, 2), 2, Berlin());
    EXPECT_EQ(Labels(autumn), (std::vector<QString>{"02:00", "02:00", "03:00"}));
    const auto halves = ProfileTicks::TimeOfDay(Utc(2026, 10, 25, 0), Utc(2026, 10, 25, 2), 4, Berlin());
    EXPECT_EQ(Labels(halves), (std::vector<QString>{"02:00", "02:30", "02:00", "02:30", "03:00"}));
    EXPECT_EQ(autumn[1].value - autumn[0].value, 3600.0);
}

TEST(ProfileTicks, ElapsedAndValuesAtRoundSteps)
{
    EXPECT_EQ(Labels(ProfileTicks::Elapsed(0, 5400, 4)), (std::vector<QString>{"0:00", "0:30", "1:00", "1:30"}));
    EXPECT_EQ(Labels(ProfileTicks::Elapsed(0, 40, 3)), (std::vector<QString>{"0:00:00", "0:00:15", "0:00:30"}));
    const auto values = ProfileTicks::Values(93.0, 151.0, 4);
    EXPECT_EQ(Labels(values), (std::vector<QString>{"100", "120", "140"}));
    EXPECT_EQ(Labels(ProfileTicks::Values(0.03, 0.11, 4)),
              (std::vector<QString>{QLocale().toString(0.04, 'f', 2), QLocale().toString(0.06, 'f', 2),
                                    QLocale().toString(0.08, 'f', 2), QLocale().toString(0.10, 'f', 2)}));
}

// The chart

class ProfileChartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_chart.SetSeries(std::make_shared<ProfileSeries>(ProfileSeries::Build(*MakeTrack(EvenWalk(101)))));
        m_chart.SetQuantities({ProfileQuantity::Elevation, ProfileQuantity::HeartRate, ProfileQuantity::Speed});
        m_chart.SetSize(600, 200);
    }

    ProfileChart m_chart;
};

TEST_F(ProfileChartTest, ShowsOnlyCarriedValuesEachWithItsAxis)
{
    EXPECT_EQ(m_chart.GetShown(), (std::vector<ProfileQuantity::Id>{ProfileQuantity::Elevation, ProfileQuantity::Speed}));
    const QRect plot = m_chart.GetPlotRect();
    EXPECT_EQ(plot.left(), ProfileChart::AxisWidth + ProfileChart::SideMargin);
    EXPECT_EQ(600 - plot.left() - plot.width(), ProfileChart::AxisWidth + ProfileChart::SideMargin);
    EXPECT_EQ(m_chart.GetAxisX(0), plot.left());
    EXPECT_EQ(m_chart.GetAxisX(1), plot.left() + plot.width());
}

TEST_F(ProfileChartTest, KeepsItsColumnsUntilZoomOrSizeChange)
{
    m_chart.GetColumns(ProfileQuantity::Elevation);
    m_chart.GetColumns(ProfileQuantity::Elevation);
    m_chart.GetValueTicks(ProfileQuantity::Elevation);
    m_chart.SetSize(600, 200);
    EXPECT_EQ(m_chart.GetColumnBuilds(), 1);
    m_chart.ZoomAt(300, 0.5);
    m_chart.GetColumns(ProfileQuantity::Elevation);
    EXPECT_EQ(m_chart.GetColumnBuilds(), 2);
    m_chart.SetSize(500, 200);
    m_chart.GetColumns(ProfileQuantity::Elevation);
    EXPECT_EQ(m_chart.GetColumnBuilds(), 3);
}

TEST_F(ProfileChartTest, ZoomKeepsThePointUnderTheMouseAndPanStaysInside)
{
    const double length = m_chart.GetSeries()->metres.back();
    const double before = m_chart.PixelToX(250);
    m_chart.ZoomAt(250, 0.25);
    EXPECT_NEAR(m_chart.PixelToX(250), before, 1e-6);
    EXPECT_NEAR(m_chart.GetVisibleRange().second - m_chart.GetVisibleRange().first, length / 4, 1e-6);
    EXPECT_TRUE(m_chart.IsZoomed());
    m_chart.PanBy(10000);
    EXPECT_DOUBLE_EQ(m_chart.GetVisibleRange().first, 0.0);
    m_chart.ResetZoom();
    EXPECT_FALSE(m_chart.IsZoomed());
    EXPECT_EQ(m_chart.GetVisibleRange(), std::make_pair(0.0, length));
}

TEST_F(ProfileChartTest, PixelsFindTheNearestSampleAndTheRangeBetween)
{
    const QRect plot = m_chart.GetPlotRect();
    // 1000 m over the plot width: sample k sits at k * 10 m.
    const auto pixelOf = [&](int k) { return static_cast<int>(std::lround(m_chart.XToPixel(k * 10.0))); };
    EXPECT_EQ(m_chart.SampleAtPixel(pixelOf(37)), 37);
    EXPECT_EQ(m_chart.SampleAtPixel(plot.left() - 30), 0);
    EXPECT_EQ(m_chart.SampleAtPixel(plot.left() + plot.width() + 30), 100);
    // Between two pixels, either way round: the samples whose x lies between.
    const int from = pixelOf(20) - 1;
    const int to = pixelOf(30) + 1;
    EXPECT_EQ(m_chart.PointsBetween(from, to), std::make_pair(20, 30));
    EXPECT_EQ(m_chart.PointsBetween(to, from), std::make_pair(20, 30));
}

TEST_F(ProfileChartTest, UnitsChangeTheValueAndDistanceLabels)
{
    EXPECT_EQ(m_chart.GetUnitNotation(ProfileQuantity::Elevation), "m");
    EXPECT_TRUE(m_chart.GetXTicks().back().label.endsWith(" km"));
    // 100 to 200 m: ticks between 100 and 200.
    const auto metric = m_chart.GetValueTicks(ProfileQuantity::Elevation);
    EXPECT_GE(metric.front().value, 95.0);
    EXPECT_LE(metric.back().value, 205.0);
    m_chart.SetUnits(MeasuringSystem::Imperial, TemperatureUnits::Fahrenheit);
    EXPECT_EQ(m_chart.GetUnitNotation(ProfileQuantity::Elevation), "ft");
    EXPECT_TRUE(m_chart.GetXTicks().back().label.endsWith(" mi"));
    // 328 to 656 ft.
    const auto imperial = m_chart.GetValueTicks(ProfileQuantity::Elevation);
    EXPECT_GE(imperial.front().value, 310.0);
    EXPECT_GE(imperial.back().value, 600.0);
    EXPECT_LE(imperial.back().value, 675.0);
}
