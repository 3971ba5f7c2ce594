#include "ClipLine.h"
#include "Distance.h"

#include <cctype>
#include <ostream>
#include <random>
#include <string>

#include <gtest/gtest.h>

using V2 = TVector2<double>;
using Box = TAABox2<double>;

namespace {

const Box kBox(0.0, 0.0, 10.0, 10.0);

struct ClipCase
{
    const char* name;
    V2 a, b;
    IntxnResult2 expected;
    V2 clippedA, clippedB;
};

// Expected cut points are worked out from the line equations by hand.
const ClipCase kCases[] = {
    {"inside", {1, 1}, {9, 5}, IntxnInside, {1, 1}, {9, 5}},
    {"end leaves right", {5, 5}, {15, 5}, IntxnEndCut, {5, 5}, {10, 5}},
    {"start comes from left", {-5, 5}, {5, 5}, IntxnStartCut, {0, 5}, {5, 5}},
    {"reversed: start outside right", {15, 5}, {5, 5}, IntxnStartCut, {10, 5}, {5, 5}},
    {"end leaves through the bottom", {2, 8}, {6, -4}, IntxnEndCut, {2, 8}, {(2 + 8.0 / 3.0), 0}},
    {"diagonal through corners", {-5, -5}, {15, 15}, IntxnBothCut, {0, 0}, {10, 10}},
    // y = 4 + x / 2: enters at x = 0 (y 4), leaves at x = 10 (y 9).
    {"oblique both cut", {-2, 3}, {12, 10}, IntxnBothCut, {0, 4}, {10, 9}},
    {"vertical both cut", {4, -3}, {4, 13}, IntxnBothCut, {4, 0}, {4, 10}},
    {"vertical end cut", {4, 5}, {4, 20}, IntxnEndCut, {4, 5}, {4, 10}},
    {"horizontal along the top edge", {-5, 10}, {5, 10}, IntxnStartCut, {0, 10}, {5, 10}},
    {"ends on the edges: nothing cut", {0, 3}, {10, 7}, IntxnInside, {0, 3}, {10, 7}},
    // y = x + 10 touches the box only at its corner (0, 10).
    {"touches a corner", {-5, 5}, {5, 15}, IntxnBothCut, {0, 10}, {0, 10}},
    {"point inside", {3, 3}, {3, 3}, IntxnInside, {3, 3}, {3, 3}},
    {"point on an edge", {10, 5}, {10, 5}, IntxnInside, {10, 5}, {10, 5}},
    {"point outside", {12, 3}, {12, 3}, IntxnOutside, {12, 3}, {12, 3}},
    {"beside the box", {11, 0}, {20, 5}, IntxnOutside, {11, 0}, {20, 5}},
    // y = x + 11: its bounding box overlaps the box, the line passes above.
    {"bounding box overlaps, line misses", {-5, 6}, {6, 17}, IntxnOutside, {-5, 6}, {6, 17}},
    {"vertical beside the box", {11, -3}, {11, 13}, IntxnOutside, {11, -3}, {11, 13}},
    {"horizontal below the box", {-3, -1}, {13, -1}, IntxnOutside, {-3, -1}, {13, -1}},
    {"collinear with an edge but beyond it", {12, 10}, {20, 10}, IntxnOutside, {12, 10}, {20, 10}},
};

void PrintTo(const ClipCase& c, std::ostream* os)
{
    *os << c.name;
}

class ClipLineCases : public testing::TestWithParam<ClipCase>
{
};

} // namespace

TEST_P(ClipLineCases, ClipsAndReportsWhichEndsWereCut)
{
    const ClipCase& c = GetParam();
    V2 a = c.a;
    V2 b = c.b;
    EXPECT_EQ(ClipLine(kBox, a, b), c.expected);
    EXPECT_DOUBLE_EQ(a.x, c.clippedA.x);
    EXPECT_DOUBLE_EQ(a.y, c.clippedA.y);
    EXPECT_DOUBLE_EQ(b.x, c.clippedB.x);
    EXPECT_DOUBLE_EQ(b.y, c.clippedB.y);
}

INSTANTIATE_TEST_SUITE_P(Table, ClipLineCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ClipCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(ClipLine, EmptyBoxClipsEverythingAway)
{
    V2 a(0, 0);
    V2 b(1, 1);
    EXPECT_EQ(ClipLine(Box(), a, b), IntxnOutside);
    EXPECT_EQ(a, V2(0, 0));
    EXPECT_EQ(b, V2(1, 1));
}

// Random segments against an awkward box: a cut end must be one that lay
// outside, every clipped end must lie in the box exactly, and the clipped
// piece must cover every sample of the original segment that is in the box.
TEST(ClipLine, AgreesWithSamplingOnRandomSegments)
{
    const Box box(-0.3, 0.1, 0.7, 0.45);
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> coord(-1.5, 1.5);
    int visible = 0;
    for (int i = 0; i < 20000; ++i) {
        const V2 a0(coord(random), coord(random));
        const V2 b0(coord(random), coord(random));
        V2 a = a0;
        V2 b = b0;
        const IntxnResult2 result = ClipLine(box, a, b);
        if (result == IntxnOutside) {
            EXPECT_EQ(a, a0);
            EXPECT_EQ(b, b0);
            for (int k = 0; k <= 200; ++k)
                ASSERT_FALSE(box.Contains(a0 + (b0 - a0) * (k / 200.0))) << i;
            continue;
        }
        ++visible;
        ASSERT_TRUE(box.Contains(a)) << i;
        ASSERT_TRUE(box.Contains(b)) << i;
        EXPECT_EQ((result & IntxnStartCut) != 0, !box.Contains(a0)) << i;
        EXPECT_EQ((result & IntxnEndCut) != 0, !box.Contains(b0)) << i;
        EXPECT_EQ(result == IntxnInside, a == a0 && b == b0) << i;
        // The clipped ends stay on the original segment and keep its direction.
        EXPECT_LT(Distance::PtToLineSq(a, a0, b0), 1e-20) << i;
        EXPECT_LT(Distance::PtToLineSq(b, a0, b0), 1e-20) << i;
        EXPECT_GE((b - a).Dot(b0 - a0), 0.0) << i;
        for (int k = 0; k <= 200; ++k) {
            const V2 sample = a0 + (b0 - a0) * (k / 200.0);
            if (box.Contains(sample)) {
                ASSERT_LT(Distance::PtToLineSq(sample, a, b), 1e-20) << i;
            }
        }
    }
    // The box and range make both outcomes common; guard the test's own reach.
    EXPECT_GT(visible, 2000);
    EXPECT_LT(visible, 18000);
}
