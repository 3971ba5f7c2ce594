#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "MapOverlays.h"
#include "OpenTracksTestBench.h"
#include "PickState.h"
#include "SimpleColorMixer.h"
#include "TrackDrawAttrsImpl.h"
#include "TrackPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Colours everything red by elevation.
class RedPalette : public PaletteI
{
public:
    QString GetName() const override { return QStringLiteral("Red"); }
    PaletteParameter::Id GetParameter() const override { return PaletteParameter::Elevation; }
    PaletteParameter::Aggregate GetAggregate() const override { return PaletteParameter::Avg; }
    std::shared_ptr<const ColorMixerI> GetMixer() const override { return m_mixer; }

private:
    std::shared_ptr<SimpleColorMixer> m_mixer = std::make_shared<SimpleColorMixer>(0x0000FF);
};

constexpr QRgb Face = 0xFFEEEEEE;

class TrackRenderingTest : public OpenTracksTest
{
protected:
    // Two segments running east, one above the other, in a 300 x 200 window.
    void SetUp() override
    {
        SourceTree source;
        source.Segment(source.file, Row(47.000));
        source.Segment(source.file, Row(47.002));
        m_file = Open(source);
        m_segments = Segments(m_file);
        holder.SetSegmentColour(m_segments[0], RgbStruct(0, 160, 0), false);
        holder.SetSegmentColour(m_segments[1], RgbStruct(0, 0, 200), false);
        m_transform.SetViewRect({0, 0, 300, 200});
        m_transform.FitGeoRect({10.0, 46.999, 10.01, 47.003}, 0.8);
    }

    static std::vector<TrackPoint> Row(double lat)
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i <= 10; ++i)
            points.emplace_back(TVector3<double>(10.0 + i * 0.001, lat, 500.0 + i),
                                Time(2024, 5, 1, 10) + TimeSpan::FromSeconds(10.0 * i));
        return points;
    }

    QPoint PixelOf(double lon, double lat) const
    {
        const PixelPoint p = m_transform.GeoToPixel({lon, lat});
        return {p.x, p.y};
    }

    // One frame as the window draws it.
    QImage Frame(const TrackDrawOptions& options, const QSize& size = QSize(300, 200), bool showDeleted = false)
    {
        QImage window(size, QImage::Format_ARGB32);
        window.fill(Qt::magenta);
        DrawingLayers layers(QColor::fromRgba(Face));
        layers.SetMapShown(options.mapShown);
        if (!layers.BeginFrame(window, QRect(QPoint(0, 0), size)))
            return window;
        TrackPainter painter(layers, m_transform, model, m_pick);
        painter.DrawSegments(m_keeper.Get(options), showDeleted);
        layers.EndFrame();
        return window;
    }

    int m_file = -1;
    std::vector<int> m_segments;
    CoordTransform m_transform;
    TrackDrawAttrsImpl m_keeper{model, State(), events};
    PickState m_pick;
};

} // namespace

TEST_F(TrackRenderingTest, WithoutTheMapLinesLieOnGreyInTheirOwnColours)
{
    const QImage frame = Frame({});
    EXPECT_EQ(frame.pixel(2, 2), 0xFF646464u);
    EXPECT_EQ(frame.pixel(PixelOf(10.005, 47.000)), qRgb(0, 160, 0));
    EXPECT_EQ(frame.pixel(PixelOf(10.005, 47.002)), qRgb(0, 0, 200));
    // Between the rows: background.
    EXPECT_EQ(frame.pixel(PixelOf(10.005, 47.001)), 0xFF646464u);
}

TEST_F(TrackRenderingTest, ColourByParameterTakesOnlySelectedSegments)
{
    holder.SetSelection({m_segments[1]});
    const QImage frame = Frame({false, false, std::make_shared<RedPalette>()});
    EXPECT_EQ(frame.pixel(PixelOf(10.005, 47.000)), qRgb(0, 160, 0));
    EXPECT_EQ(frame.pixel(PixelOf(10.005, 47.002)), qRgb(255, 0, 0));
    // The selected line has a dark 6 px casing around its 4 px centre line.
    const QPoint centre = PixelOf(10.005, 47.002);
    EXPECT_EQ(frame.pixel(centre + QPoint(0, 1)), qRgb(255, 0, 0));
    EXPECT_EQ(frame.pixel(centre + QPoint(0, 2)), qRgb(0x30, 0x30, 0x30));
}

TEST_F(TrackRenderingTest, HiddenSegmentsAreNotDrawnAndTheMapFaceShowsWithTheMap)
{
    holder.SetCheckState({m_segments[0]}, false);
    const QImage frame = Frame({true, false, nullptr});
    EXPECT_EQ(frame.pixel(2, 2), Face);
    EXPECT_EQ(frame.pixel(PixelOf(10.005, 47.000)), Face);
    EXPECT_EQ(frame.pixel(PixelOf(10.005, 47.002)), qRgb(0, 0, 200));
    // With the map, an unselected segment has a 4 px casing around its 2 px
    // line; without it, none.
    const QPoint row = PixelOf(10.005, 47.002);
    EXPECT_NE(frame.pixel(row + QPoint(0, 1)), Face);
    EXPECT_NE(frame.pixel(row + QPoint(0, 1)), qRgb(0, 0, 200));
    holder.SetCheckState({m_segments[0]}, true);
    EXPECT_EQ(Frame({}).pixel(row + QPoint(0, 1)), 0xFF646464u);
}

TEST_F(TrackRenderingTest, PickingFindsTheDrawnPointNearTheMouse)
{
    const QPoint near = PixelOf(10.004, 47.002) + QPoint(3, -2);
    m_pick.Begin(near, QRect(near - QPoint(20, 20), QSize(40, 40)));
    Frame({});
    m_pick.End();
    EXPECT_EQ(m_pick.GetBestPoint(), (TrackPosition{m_segments[1], 4}));
    EXPECT_EQ(m_pick.GetBestLine().tid, m_segments[1]);
    EXPECT_EQ(m_pick.GetNearestOnLine(), QPoint(near.x(), PixelOf(10.004, 47.002).y()));
}

TEST_F(TrackRenderingTest, ATinyWindowShowsOnlyTheBackground)
{
    const QImage frame = Frame({}, QSize(4, 100));
    EXPECT_EQ(frame.pixel(1, 50), 0xFF646464u);
    EXPECT_EQ(frame.pixel(3, 99), 0xFF646464u);
}

TEST(MapOverlays, TheScaleBarIsTheLongestRoundLengthWithin160Pixels)
{
    using MapOverlays::ChooseScaleBar;
    // 1 m per pixel: no kilometre length fits, 100 m does.
    auto bar = ChooseScaleBar(1.0, MeasuringSystem::Metric);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->length, 100.0);
    EXPECT_EQ(bar->units, DistanceUnits::Meters);
    EXPECT_EQ(MapOverlays::FormatBarLength(*bar), QStringLiteral("100 m"));
    // 10 m per pixel: 1 km is 100 px.
    bar = ChooseScaleBar(10.0, MeasuringSystem::Metric);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->length, 1.0);
    EXPECT_EQ(bar->units, DistanceUnits::Kilometers);
    EXPECT_DOUBLE_EQ(bar->pixels, 100.0);
    // Miles may be tenths: 0.2 mi is 128.7 px at 2.5 m per pixel.
    bar = ChooseScaleBar(2.5, MeasuringSystem::Imperial);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->length, 0.2);
    EXPECT_EQ(bar->units, DistanceUnits::Miles);
    EXPECT_EQ(MapOverlays::FormatBarLength(*bar), QStringLiteral("0.2 mi"));
    // 0.1 mi is 160.9 px at 1 m per pixel: feet instead.
    bar = ChooseScaleBar(1.0, MeasuringSystem::Imperial);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->length, 500.0);
    EXPECT_EQ(bar->units, DistanceUnits::Feet);
    // Even 0.05 m is too long at a tenth of a millimetre per pixel.
    EXPECT_FALSE(ChooseScaleBar(0.0001, MeasuringSystem::Metric));
    bar = ChooseScaleBar(0.001, MeasuringSystem::Metric);
    ASSERT_TRUE(bar);
    EXPECT_EQ(MapOverlays::FormatBarLength(*bar), QStringLiteral("0.1 m"));
    bar = ChooseScaleBar(0.0005, MeasuringSystem::Metric);
    ASSERT_TRUE(bar);
    EXPECT_EQ(MapOverlays::FormatBarLength(*bar), QStringLiteral("0.05 m"));
}

TEST(MapOverlays, ScaleAndRateTexts)
{
    EXPECT_EQ(MapOverlays::FormatScale(0.05, MeasuringSystem::Metric), QStringLiteral("0.050 mpp"));
    EXPECT_EQ(MapOverlays::FormatScale(0.5, MeasuringSystem::Metric), QStringLiteral("0.50 mpp"));
    EXPECT_EQ(MapOverlays::FormatScale(2.0, MeasuringSystem::Metric), QStringLiteral("2.0 mpp"));
    EXPECT_EQ(MapOverlays::FormatScale(24000, MeasuringSystem::Metric), QStringLiteral("24000 mpp"));
    EXPECT_EQ(MapOverlays::FormatScale(0.3048, MeasuringSystem::Imperial), QStringLiteral("1.0 ft/px"));
    EXPECT_EQ(MapOverlays::FormatFps(0.5), QStringLiteral("0.50 fps"));
    EXPECT_EQ(MapOverlays::FormatFps(29.96), QStringLiteral("30.0 fps"));
    EXPECT_EQ(MapOverlays::FormatFps(12.0), QStringLiteral("12.0 fps"));
}

TEST(MapOverlays, BarAndCentreMarkAreDrawnWhereTheyBelong)
{
    QImage window(300, 200, QImage::Format_ARGB32);
    DrawingLayers layers(QColor::fromRgba(Face));
    ASSERT_TRUE(layers.BeginFrame(window, QRect(0, 0, 300, 200)));
    MapOverlays::DrawScaleBar(layers, 10.0, MeasuringSystem::Metric);
    MapOverlays::DrawMapCenter(layers);
    layers.EndFrame();
    // 1 km = 100 px from x = 8, centre line 11 px above the bottom: light,
    // dark, light, dark quarters.
    const QRgb light = window.pixel(8 + 12, 200 - 11);
    const QRgb dark = window.pixel(8 + 37, 200 - 11);
    EXPECT_GT(qRed(light), 200);
    EXPECT_LT(qRed(dark), 120);
    EXPECT_EQ(window.pixel(8 + 62, 200 - 11), light);
    // Map hidden: a light grey cross with a dark dot at the centre.
    EXPECT_EQ(window.pixel(150, 100), 0xFF202020u);
    EXPECT_EQ(window.pixel(150 - 5, 100), 0xFFC0C0C0u);
    EXPECT_EQ(window.pixel(150 - 1, 100), 0xFF646464u);
}
