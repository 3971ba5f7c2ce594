#include "TAABox2.h"

#include <gtest/gtest.h>

using V2 = TVector2<double>;
using Box = TAABox2<double>;

TEST(TAABox2, StartsEmpty)
{
    const Box box;
    EXPECT_TRUE(box.IsEmpty());
    EXPECT_EQ(box.min, V2(TMath<double>::MAX_REAL, TMath<double>::MAX_REAL));
    EXPECT_EQ(box.max, V2(-TMath<double>::MAX_REAL, -TMath<double>::MAX_REAL));
    EXPECT_EQ(box.GetWidth(), 0.0);
    EXPECT_EQ(box.GetHeight(), 0.0);
    EXPECT_FALSE(box.Contains(V2()));
}

TEST(TAABox2, ExtendingByPointsGrowsToTheirBounds)
{
    Box box;
    box.Extend(V2(2.0, -1.0));
    EXPECT_FALSE(box.IsEmpty());
    EXPECT_EQ(box.min, V2(2.0, -1.0));
    EXPECT_EQ(box.max, V2(2.0, -1.0));
    EXPECT_EQ(box.GetWidth(), 0.0);
    box.Extend(V2(-3.0, 4.0));
    box.Extend(V2(0.0, 0.0));
    EXPECT_EQ(box, Box(-3.0, -1.0, 2.0, 4.0));
    EXPECT_DOUBLE_EQ(box.GetWidth(), 5.0);
    EXPECT_DOUBLE_EQ(box.GetHeight(), 5.0);
    EXPECT_EQ(box.GetCenter(), V2(-0.5, 1.5));
    box.SetEmpty();
    EXPECT_TRUE(box.IsEmpty());
}

TEST(TAABox2, ExtendingByBoxesIgnoresEmptyOnes)
{
    Box box(0.0, 0.0, 1.0, 1.0);
    box.Extend(Box());
    EXPECT_EQ(box, Box(0.0, 0.0, 1.0, 1.0));
    box.Extend(Box(-2.0, 0.5, 0.5, 3.0));
    EXPECT_EQ(box, Box(-2.0, 0.0, 1.0, 3.0));
    Box empty;
    empty.Extend(Box(5.0, 6.0, 7.0, 8.0));
    EXPECT_EQ(empty, Box(5.0, 6.0, 7.0, 8.0));
}

TEST(TAABox2, ContainsIncludesEdges)
{
    const Box box(0.0, 0.0, 10.0, 5.0);
    EXPECT_TRUE(box.Contains(V2(0.0, 0.0)));
    EXPECT_TRUE(box.Contains(V2(10.0, 5.0)));
    EXPECT_TRUE(box.Contains(V2(3.0, 5.0)));
    EXPECT_FALSE(box.Contains(V2(10.000001, 2.0)));
    EXPECT_FALSE(box.Contains(V2(3.0, -0.000001)));
}

TEST(TAABox2, Intersects)
{
    const Box box(0.0, 0.0, 10.0, 10.0);
    EXPECT_TRUE(box.Intersects(Box(5.0, 5.0, 20.0, 20.0)));
    EXPECT_TRUE(box.Intersects(Box(2.0, 2.0, 3.0, 3.0)));   // inside
    EXPECT_TRUE(box.Intersects(Box(-5.0, -5.0, 50.0, 50.0))); // around
    EXPECT_TRUE(box.Intersects(Box(10.0, 10.0, 12.0, 12.0))); // corner touch
    EXPECT_TRUE(box.Intersects(Box(-1.0, 4.0, 11.0, 6.0)));   // crossing band
    EXPECT_FALSE(box.Intersects(Box(10.5, 0.0, 12.0, 10.0)));
    EXPECT_FALSE(box.Intersects(Box(0.0, -3.0, 10.0, -0.5)));
    EXPECT_FALSE(box.Intersects(Box()));
    EXPECT_FALSE(Box().Intersects(box));
}
