#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "OpenTracksTestBench.h"
#include "PickState.h"
#include "TrackDrawAttrsImpl.h"
#include "TrackI.h"
#include "TrackLodCache.h"
#include "TrackPainter.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr QRgb RangeColour = 0xFFFF00FF;
constexpr int PointCount = 4001;
constexpr double Step = 0.00025;

// One straight segment of many points running east, drawn small enough for
// the simplified line to keep only a few of them.
class PointRangeRenderingTest : public OpenTracksTest
{
protected:
    void SetUp() override
    {
        std::vector<TrackPoint> points;
        for (int i = 0; i < PointCount; ++i)
            points.emplace_back(TVector3<double>(10.0 + i * Step, 47.0, 500.0),
                                Time(2024, 5, 1, 10) + TimeSpan::FromSeconds(i));
        SourceTree source;
        source.Segment(source.file, points);
        segment = Segments(Open(source)).front();
        transform.SetViewRect({0, 0, 400, 100});
        transform.FitGeoRect({10.0, 46.99, 10.0 + (PointCount - 1) * Step, 47.01}, 0.9);
    }

    // deferStrokes: the layers keep the strokes, as a frame for the worker.
    QImage Frame(const PointRange& range, const TrackDrawOptions& options = {}, bool deferStrokes = false,
                 bool showDeleted = false, const std::vector<int>& marks = {})
    {
        QImage window(QSize(400, 100), QImage::Format_ARGB32);
        DrawingLayers layers(QColor::fromRgba(0xFFEEEEEE));
        layers.SetMapShown(options.mapShown);
        layers.SetDeferStrokes(deferStrokes);
        layers.BeginFrame(window, QRect(0, 0, 400, 100));
        TrackPainter(layers, transform, model, pick, &lods).DrawSegments(attrs.Get(options), showDeleted);
        // As in the map window, which draws the range with a painter of its
        // own after the scene.
        TrackPainter(layers, transform, model, pick, &lods).DrawPointRange(range);
        if (!marks.empty())
            TrackPainter(layers, transform, model, pick, &lods).DrawPreviewMarks(segment, marks);
        layers.EndFrame();
        return window;
    }

    // A pixel beside the line, inside the band's width but off the line.
    QRgb Beside(const QImage& frame, int index) const
    {
        const PixelPoint p = transform.GeoToPixel({10.0 + index * Step, 47.0});
        return frame.pixel(p.x, p.y - 4);
    }

    int segment = -1;
    CoordTransform transform;
    TrackLodCache lods;
    PickState pick;
    TrackDrawAttrsImpl attrs{model, State(), events};
};

} // namespace

TEST_F(PointRangeRenderingTest, TheBandCoversTheRangeAndEndsAtItsOwnPointsOnASimplifiedLine)
{
    // The frame draws the simplified line: far fewer points than the segment.
    const TrackLineLod& lod = lods.Get(*model.GetTrack(segment));
    const std::vector<int>& form = lod.Select(transform.GetScale(), transform.GetLonFactor());
    ASSERT_FALSE(form.empty());
    ASSERT_LT(form.size(), static_cast<size_t>(PointCount) / 2);

    const QImage plain = Frame({});
    EXPECT_NE(Beside(plain, 2000), RangeColour);

    // 1017 and 2983 lie between the few points the simplified line keeps.
    const QImage frame = Frame({segment, 1017, 2983});
    EXPECT_EQ(Beside(frame, 1100), RangeColour);
    EXPECT_EQ(Beside(frame, 2000), RangeColour);
    EXPECT_EQ(Beside(frame, 2900), RangeColour);
    // Some 10 pixels outside either end: no band.
    const double pointsPerPixel = (transform.PixelToGeo({1, 0}).lon - transform.PixelToGeo({0, 0}).lon) / Step;
    const int margin = static_cast<int>(10 * pointsPerPixel);
    EXPECT_NE(Beside(frame, 1017 - margin), RangeColour);
    EXPECT_NE(Beside(frame, 2983 + margin), RangeColour);
    // Everywhere else the frame is as without a range.
    EXPECT_EQ(Beside(frame, 500), Beside(plain, 500));
    EXPECT_EQ(Beside(frame, 3500), Beside(plain, 3500));
}

TEST_F(PointRangeRenderingTest, TheBandShowsBesideASelectedLineWithArrowsOverTheMap)
{
    holder.SetSelection({segment});
    const QImage frame = Frame({segment, 1017, 2983}, {true, true, nullptr});
    // Beyond the arrow heads that cover the line's sides every few pixels.
    int shown = 0;
    for (int index = 1100; index < 2900; index += 10) {
        const PixelPoint p = transform.GeoToPixel({10.0 + index * Step, 47.0});
        shown += frame.pixel(p.x, p.y - 7) == RangeColour && frame.pixel(p.x, p.y + 7) == RangeColour;
    }
    EXPECT_EQ(shown, 180);
}

TEST_F(PointRangeRenderingTest, FilteredPointsAtTheEndsAreLeftOut)
{
    const auto track = model.GetTrack(segment);
    for (int i = 1000; i < 1200; ++i)
        track->GetPointStatus(i)->SetFilterReason(3);
    track->Refresh(false);
    const QImage frame = Frame({segment, 1000, 1500});
    EXPECT_NE(Beside(frame, 1100), RangeColour);
    EXPECT_EQ(Beside(frame, 1350), RangeColour);
}

TEST_F(PointRangeRenderingTest, ARangeOfOneValidPointIsADot)
{
    const QImage frame = Frame({segment, 2000, 2000});
    EXPECT_EQ(Beside(frame, 2000), RangeColour);
    EXPECT_NE(Beside(frame, 2100), RangeColour);
}

TEST_F(PointRangeRenderingTest, LayersThatKeepTheStrokesTillTheEndDrawTheSameFrame)
{
    // A dot and a band drawn by the painter over queued lines, deleted
    // points dashed through the painter, arrows over the map, and marks
    // another painter draws over all that.
    const auto track = model.GetTrack(segment);
    for (int i = 1000; i < 1200; ++i)
        track->GetPointStatus(i)->SetFilterReason(3);
    track->Refresh(false);
    const std::vector<int> marks{1500, 2500, 3500};
    for (const bool selected : {false, true}) {
        holder.SetSelection(selected ? std::vector<int>{segment} : std::vector<int>{});
        for (const bool deleted : {false, true}) {
            for (const PointRange& range : {PointRange{segment, 2000, 2000}, PointRange{segment, 1017, 2983}}) {
                const TrackDrawOptions options{true, selected, nullptr};
                const QImage direct = Frame(range, options, false, deleted, marks);
                EXPECT_TRUE(Frame(range, options, true, deleted, marks) == direct);
                EXPECT_FALSE(Frame({}, options, true, deleted, marks) == direct);
            }
        }
    }
}
