#include "PickState.h"
#include "PolylineClipper.h"

#include <gtest/gtest.h>

namespace {

std::vector<PolylineClipper::Run> Clip(const std::vector<QPointF>& pixels)
{
    std::vector<PolylineClipper::Run> runs;
    PolylineClipper clipper(QRect(0, 0, 100, 100), [&runs](const PolylineClipper::Run& run) { runs.push_back(run); });
    for (const QPointF& p : pixels)
        clipper.Add(p);
    clipper.Finish();
    return runs;
}

std::vector<QPoint> Pixels(const PolylineClipper::Run& run)
{
    std::vector<QPoint> out;
    for (const PolylineClipper::Vertex& v : run)
        out.push_back(v.pixel);
    return out;
}

} // namespace

TEST(PolylineClipper, ALineLeavingAndReenteringTheViewBreaksTenPixelsOutside)
{
    // In, out to the right, far out, back in.
    const auto runs = Clip({{50, 50}, {80, 50}, {300, 50}, {300, 80}, {60, 80}, {40, 90}});
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(Pixels(runs[0]), (std::vector<QPoint>{{50, 50}, {80, 50}, {110, 50}}));
    EXPECT_EQ(Pixels(runs[1]), (std::vector<QPoint>{{110, 80}, {60, 80}, {40, 90}}));
    // Each vertex stands for the point it came from.
    EXPECT_EQ(runs[0][2].source, 2);
    EXPECT_EQ(runs[1][0].source, 3);
    EXPECT_EQ(runs[1][2].source, 5);
}

TEST(PolylineClipper, RepeatedVerticesAndPointsWhollyOutsideAreDropped)
{
    // Points rounding to one pixel count once; a line that never enters
    // draws nothing.
    const auto runs = Clip({{10, 10}, {10.2, 9.9}, {20, 10}, {20.4, 10.3}, {30, 10}});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(Pixels(runs[0]), (std::vector<QPoint>{{10, 10}, {20, 10}, {30, 10}}));
    EXPECT_TRUE(Clip({{-50, -50}, {-20, -80}, {200, -30}}).empty());
    EXPECT_TRUE(Clip({{50, 50}}).empty());
    // Pixels right of or below the origin by a half round up, left of it
    // towards the origin.
    const auto halves = Clip({{-2.5, 3.5}, {5.5, 3.5}});
    ASSERT_EQ(halves.size(), 1u);
    EXPECT_EQ(Pixels(halves[0]), (std::vector<QPoint>{{-2, 4}, {6, 4}}));
}

TEST(PickState, TheNearestDrawnPointWinsAndTheLaterOfEquals)
{
    PickState pick;
    pick.OfferPoint({1, 0}, {10, 10});
    EXPECT_EQ(pick.GetBestPoint().tid, -1) << "inactive";
    pick.Begin({50, 50}, QRect(30, 30, 40, 40));
    pick.OfferPoint({1, 1}, {60, 50});
    pick.OfferPoint({1, 2}, {40, 50});
    EXPECT_EQ(pick.GetBestPoint(), (TrackPosition{1, 2}));
    pick.OfferPoint({1, 3}, {52, 51});
    EXPECT_EQ(pick.GetBestPoint(), (TrackPosition{1, 3}));
    EXPECT_EQ(pick.GetBestPointPixel(), QPoint(52, 51));
    pick.OfferPoint({2, 0}, {50, 50});
    EXPECT_EQ(pick.GetBestPoint(), (TrackPosition{2, 0}));

    PickState far;
    far.Begin({50, 50}, QRect(0, 0, 200, 200));
    far.OfferPoint({1, 0}, {65, 50});
    EXPECT_EQ(far.GetBestPoint().tid, -1) << "15 px is too far";
    far.OfferPoint({1, 1}, {64, 50});
    EXPECT_EQ(far.GetBestPoint(), (TrackPosition{1, 1})) << "14 px is near enough";
    far.OfferPoint({1, 2}, {150, 150});
    EXPECT_EQ(far.GetBestPoint(), (TrackPosition{1, 1}));

    PickState outside;
    outside.Begin({50, 50}, QRect(45, 45, 4, 4));
    outside.OfferPoint({1, 0}, {50, 50});
    EXPECT_EQ(outside.GetBestPoint().tid, -1);
}

TEST(PickState, TheNearestLineGivesItsNearestPixel)
{
    PickState pick;
    pick.Begin({50, 50}, QRect(0, 0, 100, 100));
    pick.OfferLine({7, 3}, {0, 60}, {100, 60});
    EXPECT_EQ(pick.GetBestLine(), (TrackPosition{7, 3}));
    EXPECT_EQ(pick.GetNearestOnLine(), QPoint(50, 60));
    pick.OfferLine({7, 4}, {40, 0}, {40, 100});
    EXPECT_EQ(pick.GetBestLine(), (TrackPosition{7, 3})) << "as near, not nearer";
    pick.OfferLine({8, 0}, {0, 0}, {100, 96});
    EXPECT_EQ(pick.GetBestLine(), (TrackPosition{8, 0}));
    // Over 12 px away counts for nothing.
    PickState far;
    far.Begin({50, 50}, QRect(0, 0, 100, 100));
    far.OfferLine({1, 0}, {0, 63}, {100, 63});
    EXPECT_EQ(far.GetBestLine().tid, -1);
}
