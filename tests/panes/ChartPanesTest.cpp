#include "ColorMixerI.h"
#include "Dir.h"
#include "HistogramBins.h"
#include "HistogramDlg.h"
#include "HistogramView.h"
#include "LegendDlg.h"
#include "LegendLayout.h"
#include "LegendView.h"
#include "AppTracksFixture.h"
#include "StringIds.h"
#include "Translator.h"
#include "UnitsDisp.h"
#include "ViewSettings.h"

#include <QImage>
#include <QLineEdit>

#include <algorithm>
#include <numeric>

namespace {

class RangeMixer : public ColorMixerI
{
public:
    RangeMixer(double min, double max) : m_min(min), m_max(max) {}
    uint32_t GetColor(double) const override { return 0x0000FF; }
    double GetMin() const override { return m_min; }
    double GetMax() const override { return m_max; }

private:
    double m_min;
    double m_max;
};

class FakePalette : public PaletteI
{
public:
    FakePalette(PaletteParameter::Id parameter, double min, double max)
        : m_parameter(parameter), m_mixer(std::make_shared<RangeMixer>(min, max))
    {
    }
    QString GetName() const override { return QStringLiteral("Scale"); }
    PaletteParameter::Id GetParameter() const override { return m_parameter; }
    PaletteParameter::Aggregate GetAggregate() const override { return PaletteParameter::Avg; }
    std::shared_ptr<const ColorMixerI> GetMixer() const override { return m_mixer; }

private:
    PaletteParameter::Id m_parameter;
    std::shared_ptr<const ColorMixerI> m_mixer;
};

PalettePtr Fake(PaletteParameter::Id parameter, double min, double max)
{
    return std::make_shared<FakePalette>(parameter, min, max);
}

int Sum(const std::vector<int>& counts)
{
    return std::accumulate(counts.begin(), counts.end(), 0);
}

// Pixels of a colour in an image.
int CountColor(const QImage& image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return count;
}

} // namespace

// Histogram binning

TEST(HistogramBins, NothingWithoutValuesOrBins)
{
    EXPECT_TRUE(HistogramBins::Compute({}, 100).counts.empty());
    EXPECT_TRUE(HistogramBins::Compute({1.0, 2.0}, 0).counts.empty());
}

TEST(HistogramBins, OneBinPerColumnAndEveryValueCounted)
{
    const HistogramBins bins = HistogramBins::Compute({1, 2, 3, 50, 60, 100}, 120);
    ASSERT_EQ(bins.counts.size(), 120u);
    EXPECT_DOUBLE_EQ(bins.top, 100.0);
    EXPECT_DOUBLE_EQ(bins.width, 100.0 / 120);
    EXPECT_EQ(Sum(bins.counts), 6);
    EXPECT_EQ(bins.counts.back(), 1);  // 100
    EXPECT_EQ(bins.counts[72], 1);     // 60 lies in [60, 60.83)
    EXPECT_EQ(bins.counts[60], 1);     // 50
    EXPECT_EQ(bins.counts[1], 1);      // 1
}

TEST(HistogramBins, TopIsHeldBetweenOneAndTwoHundred)
{
    const HistogramBins fast = HistogramBins::Compute({10, 150, 250, 900}, 10);
    EXPECT_DOUBLE_EQ(fast.top, 200.0);
    EXPECT_EQ(fast.counts[9], 2);  // both above 200
    EXPECT_EQ(fast.counts[7], 1);  // 150
    EXPECT_EQ(fast.counts[0], 1);  // 10
    EXPECT_EQ(fast.largest, 2);

    const HistogramBins slow = HistogramBins::Compute({0.1, 0.2}, 4);
    EXPECT_DOUBLE_EQ(slow.top, 1.0);
    EXPECT_EQ(slow.counts, (std::vector<int>{2, 0, 0, 0}));
}

TEST(HistogramBins, ZeroAndNegativeValuesFallIntoTheLowestBin)
{
    const HistogramBins bins = HistogramBins::Compute({-5, -1, 0, 0, 0.5, 40}, 4);
    EXPECT_EQ(bins.counts, (std::vector<int>{5, 0, 0, 1}));
    EXPECT_EQ(bins.largest, 5);
}

TEST(HistogramBins, LargestCountIsTheTallestBin)
{
    const HistogramBins bins = HistogramBins::Compute({1, 20, 21, 22, 23, 80, 81, 100}, 5);
    EXPECT_EQ(bins.counts, (std::vector<int>{1, 4, 0, 0, 3}));
    EXPECT_EQ(bins.largest, 4);
    // A single bin that takes everything is the largest too.
    EXPECT_EQ(HistogramBins::Compute({5, 5, 5}, 1).largest, 3);
}

// Legend layout

TEST(LegendLayout, NothingForAnEmptyRangeOrTinyView)
{
    LegendLayout layout;
    const QSize label(20, 14);
    EXPECT_FALSE(layout.Compute(Fake(PaletteParameter::Speed, 30, 30), {200, 300}, label, MeasuringSystem::Metric,
                                TemperatureUnits::Celsius));
    EXPECT_FALSE(layout.Compute(Fake(PaletteParameter::Speed, 40, 30), {200, 300}, label, MeasuringSystem::Metric,
                                TemperatureUnits::Celsius));
    EXPECT_FALSE(layout.Compute(Fake(PaletteParameter::Speed, 0, 30), {200, 9}, label, MeasuringSystem::Metric,
                                TemperatureUnits::Celsius));
    EXPECT_FALSE(layout.Compute(nullptr, {200, 300}, label, MeasuringSystem::Metric, TemperatureUnits::Celsius));
    EXPECT_TRUE(layout.Compute(Fake(PaletteParameter::Speed, 0, 30), {200, 300}, label, MeasuringSystem::Metric,
                               TemperatureUnits::Celsius));
    EXPECT_EQ(layout.GetMargin(), 5);  // 0.4 × 14, truncated
}

TEST(LegendLayout, MilesPerHourTopRoundsToFive)
{
    const LegendLayout::Range range = LegendLayout::UserRange(PaletteParameter::Speed, 0, 57.3,
                                                              MeasuringSystem::Imperial, TemperatureUnits::Celsius);
    EXPECT_DOUBLE_EQ(range.max, 35.0);
    EXPECT_DOUBLE_EQ(range.min, 0.0);
    const LegendLayout::Range gps = LegendLayout::UserRange(PaletteParameter::GpsSpeed, 10, 100,
                                                            MeasuringSystem::Imperial, TemperatureUnits::Celsius);
    EXPECT_NEAR(gps.min, 10 / 1.609344, 1e-9);
    EXPECT_DOUBLE_EQ(gps.max, 65.0);  // 62.1 + 3 → 65
}

TEST(LegendLayout, MetricAndCelsiusKeepTheEnds)
{
    for (PaletteParameter::Id id : {PaletteParameter::Speed, PaletteParameter::Elevation, PaletteParameter::Temperature,
                                    PaletteParameter::HeartRate}) {
        const LegendLayout::Range range =
            LegendLayout::UserRange(id, -3.7, 57.3, MeasuringSystem::Metric, TemperatureUnits::Celsius);
        EXPECT_DOUBLE_EQ(range.min, -3.7) << id;
        EXPECT_DOUBLE_EQ(range.max, 57.3) << id;
    }
    // Other parameters ignore the units.
    const LegendLayout::Range heart = LegendLayout::UserRange(PaletteParameter::HeartRate, 60, 181.5,
                                                              MeasuringSystem::Imperial, TemperatureUnits::Fahrenheit);
    EXPECT_DOUBLE_EQ(heart.max, 181.5);
}

TEST(LegendLayout, ElevationInFeetRoundsTheEnds)
{
    // 3000 m = 9842.5 ft → 10000; −120 m = −393.7 ft → −400.
    const LegendLayout::Range range = LegendLayout::UserRange(PaletteParameter::Elevation, -120, 3000,
                                                              MeasuringSystem::Imperial, TemperatureUnits::Celsius);
    EXPECT_DOUBLE_EQ(range.max, 10000.0);
    EXPECT_DOUBLE_EQ(range.min, -400.0);
    // 200 m = 656 ft: the formula brings a positive bottom to 0 or below.
    EXPECT_DOUBLE_EQ(LegendLayout::UserRange(PaletteParameter::Elevation, 200, 3000, MeasuringSystem::Nautical,
                                             TemperatureUnits::Celsius)
                         .min,
                     600.0);
}

TEST(LegendLayout, FahrenheitRoundsTheBottom)
{
    // −20 °C = −4 °F → −5; 40 °C = 104 °F stays.
    LegendLayout::Range range = LegendLayout::UserRange(PaletteParameter::Temperature, -20, 40,
                                                        MeasuringSystem::Metric, TemperatureUnits::Fahrenheit);
    EXPECT_DOUBLE_EQ(range.min, -5.0);
    EXPECT_NEAR(range.max, 104.0, 1e-9);
    // 10 °C = 50 °F → 50; 12 °C = 53.6 °F → 55.
    EXPECT_DOUBLE_EQ(LegendLayout::UserRange(PaletteParameter::Temperature, 10, 40, MeasuringSystem::Metric,
                                             TemperatureUnits::Fahrenheit)
                         .min,
                     50.0);
    range = LegendLayout::UserRange(PaletteParameter::Temperature, 12, 40, MeasuringSystem::Metric,
                                    TemperatureUnits::Fahrenheit);
    EXPECT_DOUBLE_EQ(range.min, 55.0);
    EXPECT_NEAR(LegendLayout::ToInternal(PaletteParameter::Temperature, 212, MeasuringSystem::Metric,
                                         TemperatureUnits::Fahrenheit),
                100.0, 1e-9);
}

TEST(LegendLayout, LabelStepsFollowTheRawStep)
{
    double major = 7, minor = 3;
    LegendLayout::LabelSteps(100, 1, major, minor);  // too few labels: unchanged
    EXPECT_EQ(major, 7);
    LegendLayout::LabelSteps(100, 10, major, minor);  // raw 10
    EXPECT_EQ(major, 10);
    EXPECT_EQ(minor, 2);
    LegendLayout::LabelSteps(35, 10, major, minor);  // raw 3.5
    EXPECT_EQ(major, 5);
    EXPECT_EQ(minor, 1);
    LegendLayout::LabelSteps(10000, 4, major, minor);  // raw 3000
    EXPECT_EQ(major, 5000);
    EXPECT_EQ(minor, 1000);
    LegendLayout::LabelSteps(100000, 4, major, minor);  // raw 30000: unchanged
    EXPECT_EQ(major, 5000);
    LegendLayout::LabelSteps(1000, 10, major, minor);  // raw 100
    EXPECT_EQ(major, 100);
    EXPECT_EQ(minor, 20);
}

TEST(LegendLayout, TickValuesAroundZero)
{
    EXPECT_EQ(LegendLayout::TickValues(0, 35, 10), (std::vector<double>{0, 10, 20, 30, 35}));
    EXPECT_EQ(LegendLayout::TickValues(0, 30.005, 10), (std::vector<double>{0, 10, 20, 30}));
    EXPECT_EQ(LegendLayout::TickValues(-12, 35, 10), (std::vector<double>{-12, -10, 0, 10, 20, 30, 35}));
    EXPECT_EQ(LegendLayout::TickValues(-20, 20, 10), (std::vector<double>{-20, -10, 0, 10, 20}));
    EXPECT_EQ(LegendLayout::TickValues(15, 45, 10), (std::vector<double>{20, 30, 40, 45}));
}

TEST(LegendLayout, TicksRunUpTheBarAndLabelsDoNotCrowd)
{
    LegendLayout layout;
    const QSize label(20, 14);
    ASSERT_TRUE(layout.Compute(Fake(PaletteParameter::Speed, 0, 57.3), {200, 300}, label,
                               MeasuringSystem::Imperial, TemperatureUnits::Celsius));
    EXPECT_DOUBLE_EQ(layout.GetRange().max, 35.0);
    const std::vector<LegendLayout::Tick>& ticks = layout.GetTicks();
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_EQ(ticks.front().value, 0);
    EXPECT_EQ(ticks.front().y, layout.GetBar().bottom());
    EXPECT_EQ(ticks.back().value, 35);
    EXPECT_EQ(ticks.back().y, layout.GetBar().top());
    int lastLabelled = -1000;
    int labelled = 0;
    for (size_t i = 1; i < ticks.size(); ++i)
        EXPECT_LT(ticks[i].y, ticks[i - 1].y);
    for (const LegendLayout::Tick& tick : ticks) {
        if (!tick.labelled)
            continue;
        ++labelled;
        EXPECT_GE(std::abs(tick.y - lastLabelled), 14 + layout.GetMargin());
        lastLabelled = tick.y;
    }
    EXPECT_GE(labelled, 2);
    EXPECT_NEAR(layout.ValueAt(layout.GetBar().top()), 35.0, 1e-9);
    EXPECT_NEAR(layout.ValueAt(layout.GetBar().bottom()), 0.0, 1e-9);
}

class ChartPanesTest : public AppTracksFixture
{
protected:
    // The palettes are read from the source tree's data on first use.
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR));
    }

    void TearDown() override
    {
        Dir::SetDataDir(QString());
        OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Metric));
        OptUnits::GetInstance().GetTemperatureUnitsI().Set(static_cast<int>(TemperatureUnits::Celsius));
        ViewSettings::GetInstance().colorBy.ResetToDefault();
        AppTracksFixture::TearDown();
    }

    // The "Color by" index of the first palette for parameter; -1 without one.
    static int PaletteIndex(PaletteParameter::Id parameter)
    {
        const PaletteList& palettes = ViewSettings::GetInstance().GetPalettes();
        for (size_t i = 0; i < palettes.size(); ++i)
            if (palettes[i]->GetParameter() == parameter)
                return static_cast<int>(i);
        return -1;
    }
};

TEST_F(ChartPanesTest, TitleCarriesTheUnitOfTheParameter)
{
    const Translator& tr = Translator::GetInstance();
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::Speed, 0, 1)),
              QStringLiteral("Scale, ") + UnitsDisp::GetUnitNotation(SpeedUnits::Kmh));
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::Steepness, 0, 1)), QStringLiteral("Scale, %"));
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::GpsHeading, 0, 1)),
              QStringLiteral("Scale, ") + tr.LoadStr(IDS_UNIT_DEGREES));
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::HeartRate, 0, 1)),
              QStringLiteral("Scale, ") + UnitsDisp::GetHeartRateNotation());
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::Cadence, 0, 1)),
              QStringLiteral("Scale, ") + UnitsDisp::GetCadenceNotation());
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::Segments, 0, 1)), QStringLiteral("Scale"));

    OptUnits::GetInstance().GetMeasuringSystemI().Set(static_cast<int>(MeasuringSystem::Imperial));
    OptUnits::GetInstance().GetTemperatureUnitsI().Set(static_cast<int>(TemperatureUnits::Fahrenheit));
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::GpsSpeed, 0, 1)),
              QStringLiteral("Scale, ") + UnitsDisp::GetUnitNotation(SpeedUnits::Mph));
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::Elevation, 0, 1)),
              QStringLiteral("Scale, ") + UnitsDisp::GetUnitNotation(DistanceUnits::Feet));
    EXPECT_EQ(LegendLayout::Title(*Fake(PaletteParameter::Temperature, 0, 1)),
              QStringLiteral("Scale, ") + UnitsDisp::GetUnitNotation(TemperatureUnits::Fahrenheit));
}

TEST_F(ChartPanesTest, LegendDrawsTheCurrentPaletteOnly)
{
    LegendDlg dlg;
    dlg.resize(200, 300);
    LegendView& view = dlg.GetView();

    ViewSettings::GetInstance().colorBy.Set(0);  // the segments' own colours: no scale
    const QImage blank = view.grab().toImage();
    EXPECT_FALSE(view.Relayout());
    EXPECT_EQ(CountColor(blank, qRgb(255, 255, 255)), blank.width() * blank.height());

    const int speed = PaletteIndex(PaletteParameter::Speed);
    ASSERT_GE(speed, 0);
    ViewSettings::GetInstance().colorBy.Set(speed);
    GEventManagerImpl::GetInstance().Notify(GEventKind::ViewSettingsChanged);
    const QImage drawn = view.grab().toImage();
    ASSERT_TRUE(view.Relayout());
    const QRect bar = view.GetLayout().GetBar();
    const PalettePtr palette = ViewSettings::GetInstance().GetCurrentPalette();
    const uint32_t bottomColor = palette->GetMixer()->GetColor(palette->GetMixer()->GetMin());
    const uint32_t topColor = palette->GetMixer()->GetColor(palette->GetMixer()->GetMax());
    auto asRgb = [](uint32_t c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); };
    // The bar runs from the lowest colour at the bottom to the highest on top.
    EXPECT_EQ(drawn.pixel(bar.center().x(), bar.bottom()) & 0xFFFFFF, asRgb(bottomColor) & 0xFFFFFF);
    EXPECT_EQ(drawn.pixel(bar.center().x(), bar.top()) & 0xFFFFFF, asRgb(topColor) & 0xFFFFFF);
    // Ticks beside the bar.
    EXPECT_GT(CountColor(drawn, qRgb(0xA9, 0xA9, 0xA9)), 0);
    EXPECT_EQ(drawn.pixel(bar.right() + 2, view.GetLayout().GetTicks().front().y) & 0xFFFFFF, 0xA9A9A9u);
}

TEST_F(ChartPanesTest, HistogramFillsWithTheSpeedsOfTheCurrentSegment)
{
    // 100 m, 200 m, 300 m per minute: 6, 12 and 18 km/h.
    std::vector<TrackPoint> points;
    double meters = 0;
    for (int i = 0; i < 4; ++i) {
        points.push_back(At(meters, Time(2024, 5, 1, 10, i)));
        meters += 100.0 * (3 - i);
    }
    const int segment = Segments(AddFile({points})).front();
    HistogramDlg dlg;
    dlg.resize(300, 150);
    EXPECT_TRUE(dlg.GetView().GetValues().empty());

    Holder().SetCurrentPoint(segment, 1);
    const std::vector<double>& values = dlg.GetView().GetValues();
    ASSERT_EQ(values.size(), 4u);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_NEAR(values.back(), 18.0, 0.2);
    EXPECT_EQ(values, HistogramDlg::SegmentSpeeds(segment));
    EXPECT_TRUE(dlg.GetSpeedField().text().isEmpty());
    EXPECT_TRUE(dlg.GetPercentField().text().isEmpty());
    EXPECT_TRUE(dlg.GetSpeedField().isReadOnly());

    // Green bars appear; a removed point leaves the list.
    const QImage image = dlg.GetView().grab().toImage();
    EXPECT_GT(CountColor(image, qRgb(0, 0x80, 0)), 0);
    Model().GetTrack(segment)->GetPointStatus(0)->SetFilterReason(12);
    Model().GetTrack(segment)->Refresh(false);
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
    EXPECT_EQ(dlg.GetView().GetValues().size(), 3u);

    // No current segment: nothing to chart, only the white area.
    Holder().SetCurrentPoint(-1, -1);
    Holder().SetSelection({});
    EXPECT_TRUE(dlg.GetView().GetValues().empty());
    EXPECT_EQ(CountColor(dlg.GetView().grab().toImage(), qRgb(0, 0x80, 0)), 0);
    EXPECT_TRUE(HistogramDlg::SegmentSpeeds(-1).empty());
}
