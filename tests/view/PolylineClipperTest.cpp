#include "PickState.h"
#include "PixelPolyline.h"
#include "PolylineClipper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

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

TEST(PolylineClipper, PointsOnTheGrownEdgesStayWhereTheyAre)
{
    // Along the edges ten pixels outside the view, and through its corner.
    const auto runs = Clip({{-10, 50}, {110, 50}, {110, 110}, {50, 110}, {-10, -10}});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(Pixels(runs[0]), (std::vector<QPoint>{{-10, 50}, {110, 50}, {110, 110}, {50, 110}, {-10, -10}}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(runs[0][static_cast<size_t>(i)].source, i);
    // A hair beyond an edge is cut back onto it.
    const auto cut = Clip({{50, 50}, {110.4, 50}, {110.6, 60}});
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(Pixels(cut[0]), (std::vector<QPoint>{{50, 50}, {110, 50}}));
}

TEST(PixelPolyline, DroppedVerticesStayWithinHalfAPixelOfTheLegThatReplacesThem)
{
    // Squared distance from p to the leg ab, to its nearer end beyond them.
    const auto distanceSq = [](QPoint p, QPoint a, QPoint b) {
        const double dx = b.x() - a.x(), dy = b.y() - a.y(), length = dx * dx + dy * dy;
        const double t = length > 0 ? std::clamp(((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length, 0.0, 1.0) : 0;
        const double ex = p.x() - a.x() - t * dx, ey = p.y() - a.y() - t * dy;
        return ex * ex + ey * ey;
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> forward(1, 3), aside(-3, 3);
    for (int trial = 0; trial < 200; ++trial) {
        // A line of whole pixels wandering to the right (so that no pixel
        // comes twice), gently or sharply.
        PolylineClipper::Run run{{QPoint(0, 500), 0}};
        for (int i = 1; i < 400; ++i)
            run.push_back(
                {run.back().pixel + QPoint(forward(random), trial % 2 ? aside(random) : aside(random) / 3), i});
        const QPolygon kept = PixelPolyline::Simplified(run, 0, run.size() - 1);
        ASSERT_GE(kept.size(), 2);
        EXPECT_EQ(kept.front(), run.front().pixel);
        EXPECT_EQ(kept.back(), run.back().pixel);
        qsizetype leg = 0;
        for (const PolylineClipper::Vertex& vertex : run) {
            if (leg + 1 < kept.size() && vertex.pixel == kept[leg + 1])
                ++leg;
            else if (leg + 1 < kept.size())
                EXPECT_LE(distanceSq(vertex.pixel, kept[leg], kept[leg + 1]), 0.25) << trial;
        }
        EXPECT_EQ(leg + 1, kept.size()) << trial << ": every kept vertex is one of the run's, in order";
    }
    // A staircase no more than half a pixel off its straight line is one leg.
    PolylineClipper::Run stairs;
    for (int i = 0; i <= 20; ++i)
        stairs.push_back({QPoint(i, i / 2), i});
    EXPECT_EQ(PixelPolyline::Simplified(stairs, 0, stairs.size() - 1).size(), 2);
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
