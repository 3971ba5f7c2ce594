#include "TMath.h"
#include "TVector2.h"
#include "TVector3.h"

#include <cmath>
#include <map>

#include <gtest/gtest.h>

using V2 = TVector2<double>;
using V3 = TVector3<double>;

TEST(TMath, AngleConstantsAreInverse)
{
    EXPECT_DOUBLE_EQ(180.0 * TMath<double>::DEG_TO_RAD, TMath<double>::PI);
    EXPECT_DOUBLE_EQ(TMath<double>::PI * TMath<double>::RAD_TO_DEG, 180.0);
    EXPECT_DOUBLE_EQ(std::cos(60.0 * TMath<double>::DEG_TO_RAD), 0.5);
    EXPECT_FLOAT_EQ(90.0f * TMath<float>::DEG_TO_RAD, TMath<float>::PI / 2.0f);
}

TEST(TMath, LimitsAreOrdered)
{
    EXPECT_EQ(1.0 + TMath<double>::EPSILON / 2.0, 1.0);
    EXPECT_GT(1.0 + TMath<double>::EPSILON, 1.0);
    EXPECT_GT(TMath<double>::ZERO_TOLERANCE, TMath<double>::EPSILON);
    EXPECT_GT(TMath<double>::POS_INFINITY, TMath<double>::MAX_REAL);
    EXPECT_TRUE(std::isfinite(TMath<double>::MAX_REAL));
    EXPECT_TRUE(std::isinf(TMath<float>::POS_INFINITY));
}

TEST(TVector2, Arithmetic)
{
    const V2 a(1.0, 2.0);
    const V2 b(4.0, -6.0);
    EXPECT_EQ(a + b, V2(5.0, -4.0));
    EXPECT_EQ(b - a, V2(3.0, -8.0));
    EXPECT_EQ(-a, V2(-1.0, -2.0));
    EXPECT_EQ(a * 3.0, V2(3.0, 6.0));
    EXPECT_EQ(3.0 * a, V2(3.0, 6.0));
    EXPECT_EQ(b / 2.0, V2(2.0, -3.0));
    V2 c = a;
    c += b;
    c -= V2(1.0, 1.0);
    c *= 2.0;
    c /= 4.0;
    EXPECT_EQ(c, V2(2.0, -2.5));
    EXPECT_EQ(V2(), V2(0.0, 0.0));
}

TEST(TVector2, DotAndLength)
{
    EXPECT_DOUBLE_EQ(V2(1.0, 2.0).Dot(V2(4.0, -6.0)), -8.0);
    EXPECT_DOUBLE_EQ(V2(3.0, 4.0).SquaredLength(), 25.0);
    EXPECT_DOUBLE_EQ(V2(-3.0, 4.0).Length(), 5.0);
    // Squaring must not overflow for large coordinates.
    EXPECT_DOUBLE_EQ(V2(3e200, 4e200).Length(), 5e200);
}

TEST(TVector2, NormalizeKeepsDirectionAndReturnsLength)
{
    V2 v(0.0, -7.0);
    EXPECT_DOUBLE_EQ(v.Normalize(), 7.0);
    EXPECT_EQ(v, V2(0.0, -1.0));

    V2 w(3.0, 4.0);
    w.Normalize();
    EXPECT_DOUBLE_EQ(w.x, 0.6);
    EXPECT_DOUBLE_EQ(w.y, 0.8);
}

TEST(TVector2, NormalizeOfAVanishingVectorGivesZero)
{
    V2 zero;
    EXPECT_EQ(zero.Normalize(), 0.0);
    EXPECT_EQ(zero, V2());
    V2 tiny(1e-12, -1e-12);
    tiny.Normalize();
    EXPECT_EQ(tiny, V2());
}

TEST(TVector2, ComparisonOrdersByXThenY)
{
    EXPECT_TRUE(V2(1.0, 9.0) < V2(2.0, 0.0));
    EXPECT_TRUE(V2(1.0, 0.0) < V2(1.0, 0.5));
    EXPECT_FALSE(V2(1.0, 0.5) < V2(1.0, 0.5));
    EXPECT_NE(V2(1.0, 0.5), V2(1.0, 0.25));
    std::map<V2, int> keyed{{V2(2.0, 1.0), 1}, {V2(1.0, 2.0), 2}};
    EXPECT_EQ(keyed.begin()->second, 2);
}

TEST(TVector3, ArithmeticAndLength)
{
    const V3 a(1.0, 2.0, 3.0);
    const V3 b(-2.0, 0.5, 4.0);
    EXPECT_EQ(a + b, V3(-1.0, 2.5, 7.0));
    EXPECT_EQ(a - b, V3(3.0, 1.5, -1.0));
    EXPECT_EQ(-b, V3(2.0, -0.5, -4.0));
    EXPECT_EQ(2.0 * a, V3(2.0, 4.0, 6.0));
    EXPECT_EQ(a / 2.0, V3(0.5, 1.0, 1.5));
    EXPECT_DOUBLE_EQ(a.Dot(b), -2.0 + 1.0 + 12.0);
    EXPECT_DOUBLE_EQ(V3(2.0, 3.0, 6.0).Length(), 7.0);
    EXPECT_DOUBLE_EQ(V3(2.0, 3.0, 6.0).SquaredLength(), 49.0);
    V3 c = a;
    c += b;
    c -= a;
    c *= 4.0;
    c /= 2.0;
    EXPECT_EQ(c, V3(-4.0, 1.0, 8.0));
}

TEST(TVector3, NormalizeAndComparison)
{
    V3 v(2.0, 3.0, 6.0);
    EXPECT_DOUBLE_EQ(v.Normalize(), 7.0);
    EXPECT_DOUBLE_EQ(v.Length(), 1.0);
    EXPECT_DOUBLE_EQ(v.z, 6.0 / 7.0);
    V3 zero;
    EXPECT_EQ(zero.Normalize(), 0.0);
    EXPECT_EQ(zero, V3());
    EXPECT_TRUE(V3(1.0, 1.0, 0.0) < V3(1.0, 1.0, 0.1));
    EXPECT_TRUE(V3(1.0, 0.0, 5.0) < V3(1.0, 1.0, 0.0));
}
