#include "CalcDataGeneralI.h"
#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "LoadManager.h"
#include "OpenTracksTestBench.h"
#include "PickState.h"
#include "RecordedLayers.h"
#include "SimpleColorMixer.h"
#include "TestSupport.h"
#include "TrackDrawAttrsImpl.h"
#include "TrackI.h"
#include "TrackLineLod.h"
#include "TrackLodCache.h"
#include "TrackPainter.h"
#include "TrackTreeAlg.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// Colours by speed, so that pieces of the line take their points' values.
class SpeedPalette : public PaletteI
{
public:
    QString GetName() const override { return QStringLiteral("Speed"); }
    PaletteParameter::Id GetParameter() const override { return PaletteParameter::Speed; }
    PaletteParameter::Aggregate GetAggregate() const override { return PaletteParameter::Avg; }
    std::shared_ptr<const ColorMixerI> GetMixer() const override { return m_mixer; }

private:
    std::shared_ptr<SimpleColorMixer> m_mixer = std::make_shared<SimpleColorMixer>(0x2080FF);
};

// A long ride that wanders and turns back on itself, one point a second.
std::vector<TrackPoint> WanderingRide(int count)
{
    std::mt19937 random(7);
    std::normal_distribution<double> turn(0.0, 0.15);
    std::vector<TrackPoint> points;
    points.reserve(static_cast<size_t>(count));
    double lon = 11.0, lat = 46.0, heading = 0.0;
    const Time start(2024, 6, 1, 8);
    for (int i = 0; i < count; ++i) {
        heading += turn(random);
        const double metres = 5.0 + 3.0 * std::sin(i * 0.001);
        lon += metres * std::sin(heading) / (111111.0 * std::cos(lat * M_PI / 180.0));
        lat += metres * std::cos(heading) / 111111.0;
        points.emplace_back(TVector3<double>(lon, lat, 500.0 + 100.0 * std::sin(i * 0.0005)),
                            start + TimeSpan::FromSeconds(i));
    }
    return points;
}

class TrackLodTest : public OpenTracksTest
{
protected:
    // The share of pixels that differ between the frame drawn with the
    // simplified lines and the one drawn with the whole lines. A pixel
    // differs when a channel is off by more than a rounding of the
    // anti-aliasing would make it.
    double DifferingShare(const TrackDrawOptions& options)
    {
        return DifferingShare(Frame(options, &m_lods), Frame(options, nullptr));
    }

    // Between two frames, with a pixel differing when a channel is off by
    // more than tolerance.
    static double DifferingShare(const QImage& a, const QImage& b, int tolerance = 40)
    {
        int differing = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y);
                const QRgb q = b.pixel(x, y);
                if (std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                    std::abs(qBlue(p) - qBlue(q)) > tolerance)
                    ++differing;
            }
        return double(differing) / double(a.width() * a.height());
    }

    QImage Frame(const TrackDrawOptions& options, TrackLodCache* lods)
    {
        QImage window(1200, 800, QImage::Format_ARGB32);
        DrawingLayers layers(Qt::white);
        layers.SetMapShown(options.mapShown);
        layers.BeginFrame(window, window.rect());
        PickState pick;
        TrackPainter(layers, m_transform, model, pick, lods).DrawSegments(m_attrs.Get(options), true);
        layers.EndFrame();
        return window;
    }

    // The frame as a saved picture draws it: every line through the painter.
    QImage PaintedFrame(const TrackDrawOptions& options)
    {
        QImage picture(1200, 800, QImage::Format_ARGB32);
        RecordedLayers layers(picture.size(), options.mapShown);
        PickState pick;
        TrackPainter(layers, m_transform, model, pick, &m_lods).DrawSegments(m_attrs.Get(options), true);
        QPainter painter(&picture);
        layers.Replay(painter);
        return picture;
    }

    void Fit(int file)
    {
        PointBounds bounds;
        for (const int segment : Segments(file))
            bounds.Add(model.GetTrack(segment)->GetCalcData().GetValidBounds());
        m_transform.SetViewRect({0, 0, 1200, 800});
        m_transform.FitGeoRect({bounds.minX, bounds.minY, bounds.maxX, bounds.maxY}, 0.95);
    }

    // Every way the map draws a line, whole and zoomed in twice.
    void ExpectLooksTheSame(int file, const char* what)
    {
        Fit(file);
        holder.SetSelection({});
        for (int zoom = 0; zoom < 3; ++zoom) {
            EXPECT_LE(DifferingShare({true, false, nullptr}), 0.01) << what << " plain, zoom " << zoom;
            holder.SetSelection(Segments(file));
            EXPECT_LE(DifferingShare({true, true, nullptr}), 0.01) << what << " arrows, zoom " << zoom;
            EXPECT_LE(DifferingShare({false, false, std::make_shared<SpeedPalette>()}), 0.01)
                << what << " by speed, zoom " << zoom;
            holder.SetSelection({});
            m_transform.ZoomBy(4.0);
        }
    }

    CoordTransform m_transform;
    TrackLodCache m_lods;
    TrackDrawAttrsImpl m_attrs{model, holder.GetState(), events};
};

} // namespace

TEST_F(TrackLodTest, FormsThinWithTheScaleAndFollowChanges)
{
    SourceTree source;
    source.Segment(source.file, WanderingRide(20000));
    const int segment = Segments(Open(source)).front();
    const TrackPtr track = model.GetTrack(segment);
    const TrackLineLod lod(*track);
    EXPECT_EQ(lod.GetValidIndices().size(), 20000u);
    // Close in, every point counts; far out, a few remain, ends included.
    EXPECT_TRUE(lod.Select(0.05, 0.7).empty());
    const std::vector<int>& coarse = lod.Select(500.0, 0.7);
    ASSERT_GE(coarse.size(), 2u);
    EXPECT_LT(coarse.size(), 2000u);
    EXPECT_EQ(coarse.front(), 0);
    EXPECT_EQ(coarse.back(), 19999);
    EXPECT_TRUE(std::is_sorted(coarse.begin(), coarse.end()));
    // Thinner as the scale grows.
    size_t previous = lod.GetValidIndices().size();
    for (const double mpp : {1.0, 4.0, 16.0, 64.0, 256.0}) {
        const std::vector<int>& selected = lod.Select(mpp, 0.7);
        const size_t count = selected.empty() ? lod.GetValidIndices().size() : selected.size();
        EXPECT_LE(count, previous) << mpp;
        previous = count;
    }
    // Every form kept halves the finer one, down to the bare ends.
    previous = lod.GetValidIndices().size();
    for (double mpp = 0.01; mpp < 1e7; mpp *= 2) {
        const std::vector<int>& selected = lod.Select(mpp, 0.7);
        if (selected.empty() || selected.size() == previous)
            continue;
        EXPECT_LE(selected.size(), std::max<size_t>(2, previous / 2)) << mpp;
        previous = selected.size();
    }
    EXPECT_EQ(previous, 2u);
    EXPECT_LE(lod.GetMemoryBytes(), 16u * 20000u);

    // Far from the view only the ends of each box of points remain; a view
    // over everything keeps every point of the form.
    const std::vector<int> away = lod.VisiblePart({}, GeoRect{0.0, 0.0, 0.001, 0.001});
    EXPECT_LE(away.size(), 2u * (20000u / TrackLineLod::BlockSize + 1));
    EXPECT_EQ(away.front(), 0);
    EXPECT_EQ(away.back(), 19999);
    EXPECT_EQ(lod.VisiblePart({}, GeoRect{-180, -90, 180, 90}).size(), 20000u);
    EXPECT_EQ(lod.VisiblePart(coarse, GeoRect{-180, -90, 180, 90}), coarse);
    // A coarse form gives the positions of its drawn points, those of the
    // segment's points, also where only the ends of boxes remain; the whole
    // line gives none.
    std::vector<GeoPoint> points{{1, 2}};
    const std::vector<int> awayCoarse = lod.VisiblePart(coarse, GeoRect{0.0, 0.0, 0.001, 0.001}, &points);
    ASSERT_EQ(points.size(), awayCoarse.size());
    for (size_t i = 0; i < points.size(); ++i) {
        double x = 0, y = 0, z = 0;
        track->GetPosition(lod.GetValidIndices()[static_cast<size_t>(awayCoarse[i])], x, y, z);
        EXPECT_EQ(points[i], (GeoPoint{x, y})) << i;
    }
    lod.VisiblePart({}, GeoRect{-180, -90, 180, 90}, &points);
    EXPECT_TRUE(points.empty());

    // A moved point makes the lines stale; the cache builds them anew.
    TrackLodCache cache;
    const TrackLineLod* first = &cache.Get(*track);
    EXPECT_EQ(&cache.Get(*track), first);
    EXPECT_FALSE(lod.IsStaleFor(*track));
    TrackPoint point;
    ASSERT_TRUE(track->GetPoint(10, point));
    track->SetPoint(10, point);
    EXPECT_TRUE(lod.IsStaleFor(*track));
    track->GetPointStatus(11)->SetFilterReason(12);
    track->Refresh(false);
    EXPECT_EQ(cache.Get(*track).GetValidIndices().size(), 19999u);
    EXPECT_GT(cache.GetMemoryBytes(), 0u);
    model.Remove(model.GetFileTids());
    cache.DropClosed(model);
    EXPECT_EQ(cache.GetMemoryBytes(), 0u);
}

TEST_F(TrackLodTest, ALongRideLooksTheSameDrawnSimplified)
{
    SourceTree source;
    source.Segment(source.file, WanderingRide(300000));
    ExpectLooksTheSame(Open(source), "generated ride");
}

TEST_F(TrackLodTest, RealRecordingsLookTheSameDrawnSimplified)
{
    for (const char* name : {"gpx/gpsbabel/dg100.gpx", "gpx/gpsbabel/segmented_tracks.gpx"}) {
        const QString path = FixturePath(QString::fromLatin1(name));
        LoadedTrackFile loaded = LoadManager().Load(path);
        ASSERT_EQ(loaded.status, TrackLoaderI::Success) << name;
        const int file =
            model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, path, loaded.type);
        ExpectLooksTheSame(file, name);
        model.Remove({file});
    }
}

TEST_F(TrackLodTest, LinesDrawnStraightIntoTheLayersLookAsThePainterDrawsThem)
{
    SourceTree source;
    source.Segment(source.file, WanderingRide(100000));
    const int file = Open(source);
    const std::vector<int> segments = Segments(file);
    Fit(file);
    // The two ways anti-alias edges a little differently, and the painter
    // adds up the half-covered edges of its pieces of a long line where the
    // ride runs over itself: up to a third of a shade. A line half a pixel
    // too wide differs by more in 2 to 8 % of the frame.
    constexpr int Tolerance = 60;
    constexpr double MaxShare = 0.015;
    for (int zoom = 0; zoom < 3; ++zoom) {
        holder.SetSelection({});
        const TrackDrawOptions plain{true, false, nullptr};
        EXPECT_LE(DifferingShare(Frame(plain, &m_lods), PaintedFrame(plain), Tolerance), MaxShare)
            << "plain, zoom " << zoom;
        holder.SetSelection(segments);
        const TrackDrawOptions arrows{true, true, nullptr};
        EXPECT_LE(DifferingShare(Frame(arrows, &m_lods), PaintedFrame(arrows), Tolerance), MaxShare)
            << "arrows, zoom " << zoom;
        const TrackDrawOptions bySpeed{false, false, std::make_shared<SpeedPalette>()};
        EXPECT_LE(DifferingShare(Frame(bySpeed, &m_lods), PaintedFrame(bySpeed), Tolerance), MaxShare)
            << "by speed, zoom " << zoom;
        m_transform.ZoomBy(4.0);
    }
}
