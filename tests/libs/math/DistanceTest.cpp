#include "Distance.h"

#include <cmath>

#include <gtest/gtest.h>

using V2 = TVector2<double>;

namespace {

const V2 kA(0.0, 0.0);
const V2 kB(10.0, 0.0);

} // namespace

TEST(Distance, NearestPointInsideTheSegment)
{
    EXPECT_DOUBLE_EQ(Distance::PtToLineSq(V2(5.0, 5.0), kA, kB), 25.0);
    V2 nearest;
    EXPECT_DOUBLE_EQ(Distance::PtToLineEx(V2(5.0, -5.0), kA, kB, nearest), 5.0);
    EXPECT_EQ(nearest, V2(5.0, 0.0));
}

TEST(Distance, NearestPointOnAnOblique)
{
    V2 nearest;
    // The perpendicular from (0, 4) meets y = x at (2, 2).
    EXPECT_DOUBLE_EQ(Distance::PtToLineEx(V2(0.0, 4.0), V2(0.0, 0.0), V2(4.0, 4.0), nearest),
                     std::sqrt(8.0));
    EXPECT_DOUBLE_EQ(nearest.x, 2.0);
    EXPECT_DOUBLE_EQ(nearest.y, 2.0);
    EXPECT_DOUBLE_EQ(Distance::PtToLineSq(V2(0.0, 4.0), V2(4.0, 4.0), V2(0.0, 0.0)), 8.0);
}

TEST(Distance, BeyondAnEndTheEndIsNearest)
{
    // Beyond the ends the distance to the infinite line (4) would be wrong.
    EXPECT_DOUBLE_EQ(Distance::PtToLineSq(V2(-3.0, 4.0), kA, kB), 25.0);
    EXPECT_DOUBLE_EQ(Distance::PtToLineSq(V2(13.0, -4.0), kA, kB), 25.0);
    V2 nearest;
    EXPECT_DOUBLE_EQ(Distance::PtToLineEx(V2(-3.0, 4.0), kA, kB, nearest), 5.0);
    EXPECT_EQ(nearest, kA);
    EXPECT_DOUBLE_EQ(Distance::PtToLineEx(V2(13.0, -4.0), kA, kB, nearest), 5.0);
    EXPECT_EQ(nearest, kB);
}

TEST(Distance, PointOnTheSegment)
{
    V2 nearest;
    EXPECT_EQ(Distance::PtToLineEx(V2(7.5, 0.0), kA, kB, nearest), 0.0);
    EXPECT_EQ(nearest, V2(7.5, 0.0));
    EXPECT_EQ(Distance::PtToLineSq(kB, kA, kB), 0.0);
}

TEST(Distance, DegenerateSegmentIsAPoint)
{
    const V2 p(1.0, 1.0);
    EXPECT_DOUBLE_EQ(Distance::PtToLineSq(V2(4.0, 5.0), p, p), 25.0);
    V2 nearest(99.0, 99.0);
    EXPECT_DOUBLE_EQ(Distance::PtToLineEx(V2(-2.0, -3.0), p, p, nearest), 5.0);
    EXPECT_EQ(nearest, p);
    EXPECT_EQ(Distance::PtToLineSq(p, p, p), 0.0);
}
