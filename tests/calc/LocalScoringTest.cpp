#include "LocalScoring.h"
#include "LocalTestRecords.h"
#include "LocalWorkState.h"
#include "NeighbourTest.h"
#include "TimeCurve.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace localtest;

namespace {

constexpr NeighbourPattern Nearest{2, 1, 1, 2};

// The score of a point displaced sideways by `offset` from the middle of a
// straight run of points `step` apart whose expected position is exact:
// detour 2 * hypot(step, offset), reference 2 * step.
int SidewaysScore(double step, double offset)
{
    const double r = (2 * std::hypot(step, offset) + 0.5 * offset) / (2 * step);
    return r >= 3.0 ? 1000 : static_cast<int>((r - 1.0) * 500.0);
}

// Positions along a circle of 200 m at a speed swinging between 2 and 8 m/s.
std::vector<LocalRecord> SmoothCurve(int count)
{
    std::vector<LocalRecord> records;
    double travelled = 0;
    for (int i = 0; i < count; ++i) {
        const double seconds = 2.0 * i;
        const double angle = travelled / 200.0;
        records.push_back(Rec(200.0 * std::sin(angle), 200.0 * (1 - std::cos(angle)), seconds, i));
        travelled += 2.0 * (5.0 + 3.0 * std::sin(seconds / 20.0));
    }
    return records;
}

} // namespace

TEST(TimeCurve, FollowsEvenAccelerationOnUnevenTimes)
{
    // x = t^2: the parabola tangents are exact, so the cubic between the
    // middle records is the parabola itself.
    const auto at = [](double t) { return Rec(t * t, 0, t); };
    const LocalRecord a = at(0), b = at(1), c = at(3), d = at(4);
    double lon = 0, lat = 0;
    TimeCurve(a, b, c, d).Evaluate(2.0, lon, lat);
    EXPECT_NEAR(lon, at(2).lon, 1e-12);
    TimeCurve(a, b, c, d).Evaluate(2.5, lon, lat);
    EXPECT_NEAR(lon, at(2.5).lon, 1e-12);
}

TEST(TimeCurve, AtTheEndsUsesTheChordSoSteadyMotionStaysStraight)
{
    // No record before the first: the track's own first record stands in.
    const LocalRecord a = Rec(0, 0, 0), b = Rec(30, 40, 10), c = Rec(60, 80, 20);
    double lon = 0, lat = 0;
    TimeCurve(a, a, b, c).Evaluate(4.0, lon, lat);
    EXPECT_NEAR(lon, Rec(12, 16, 4).lon, 1e-12);
    EXPECT_NEAR(lat, Rec(12, 16, 4).lat, 1e-12);
    TimeCurve(a, b, c, c).Evaluate(15.0, lon, lat);
    EXPECT_NEAR(lon, Rec(45, 60, 15).lon, 1e-12);
}

TEST(TimeCurve, TwoRecordsAtOneTimeGiveTheirMidpoint)
{
    const LocalRecord a = Rec(0, 0, 0), b = Rec(10, 0, 5), c = Rec(20, 10, 5), d = Rec(30, 0, 9);
    double lon = 0, lat = 0;
    TimeCurve(a, b, c, d).Evaluate(5.0, lon, lat);
    EXPECT_NEAR(lon, Rec(15, 5, 5).lon, 1e-12);
    EXPECT_NEAR(lat, Rec(15, 5, 5).lat, 1e-12);
}

TEST(NeighbourTest, APointOnTheLineScoresNothing)
{
    const std::vector<LocalRecord> records = Line(7);
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(NeighbourTest::Evaluate(records, i, Nearest), 0) << i;
}

TEST(NeighbourTest, SidewaysOffsetsScoreByTheirDetour)
{
    // 12 m and more: visiting X takes over 1.5 times the pace of the
    // neighbours, so it is judged by the curve alone.
    for (const double offset : {2.0, 12.0, 20.0}) {
        std::vector<LocalRecord> records = Line(7);
        records[3].lon = Rec(offset, 0, 0).lon;
        EXPECT_EQ(NeighbourTest::Evaluate(records, 3, Nearest), SidewaysScore(10.0, offset)) << offset;
    }
    // r = 1.86 for 12 m on 10 m steps: well inside the linear part.
    EXPECT_EQ(SidewaysScore(10.0, 12.0), 431);
}

TEST(NeighbourTest, ACornerTakenAtTheNeighboursPaceIsNoOutlier)
{
    // Sparse samples of a hairpin: up one side, the apex, down the other,
    // 10 s apart at about 1 m/s. The curve through the neighbours cannot
    // turn that sharply and expects X far from where it is.
    std::vector<LocalRecord> hairpin{Rec(0, 0, 0),   Rec(0, 10, 10),  Rec(0, 20, 20), Rec(5, 28, 30),
                                     Rec(10, 20, 40), Rec(10, 10, 50), Rec(10, 0, 60)};
    EXPECT_LE(NeighbourTest::Evaluate(hairpin, 3, Nearest), 150);
    EXPECT_LE(NeighbourTest::Evaluate(hairpin, 3, {3, 1, 1, 3}), 150);
    // The same apex reached in a 2 s leap from neighbours that crawl.
    for (size_t i = 0; i < hairpin.size(); ++i)
        hairpin[i].seconds = i < 3 ? 100.0 * static_cast<double>(i) : i == 3 ? 201 : 102 + 100.0 * static_cast<double>(i - 3);
    EXPECT_GT(NeighbourTest::Evaluate(hairpin, 3, Nearest), 250);
}

TEST(NeighbourTest, ARecordOnTheStraightWayBetweenItsNeighboursScoresAtMost150)
{
    // X lies on the line between P and N, but its time says it should be
    // near P: the receiver paused and caught up. The neighbours move slowly,
    // so the pace does not excuse X; the straight way does.
    const std::vector<LocalRecord> records{Rec(0, 0, 0), Rec(0, 10, 100), Rec(0, 20, 200), Rec(0, 39, 201),
                                           Rec(0, 40, 220), Rec(0, 50, 320), Rec(0, 60, 420)};
    const int score = NeighbourTest::Evaluate(records, 3, Nearest);
    EXPECT_EQ(score, 150);
    // A record as far from the expected position, but off the line.
    std::vector<LocalRecord> off = records;
    off[3] = Rec(19, 21, 201);
    EXPECT_GT(NeighbourTest::Evaluate(off, 3, Nearest), 150);
}

TEST(NeighbourTest, AFarPointScoresTheFullThousand)
{
    std::vector<LocalRecord> records = Line(7);
    records[3].lon = Rec(100, 0, 0).lon;
    EXPECT_EQ(NeighbourTest::Evaluate(records, 3, Nearest), 1000);
}

TEST(NeighbourTest, ACollapsedNeighbourhoodScoresFiveHundred)
{
    std::vector<LocalRecord> records;
    for (int i = 0; i < 5; ++i)
        records.push_back(Rec(0, 0, i));
    records[2].lon = Rec(5, 0, 0).lon;
    EXPECT_EQ(NeighbourTest::Evaluate(records, 2, Nearest), NeighbourTest::DegenerateScore);
}

TEST(NeighbourTest, APatternReachingPastAnEndHasNoValue)
{
    const std::vector<LocalRecord> records = Line(6);
    EXPECT_EQ(NeighbourTest::Evaluate(records, 1, Nearest), NeighbourTest::NoValue);
    EXPECT_EQ(NeighbourTest::Evaluate(records, 4, Nearest), NeighbourTest::NoValue);
    EXPECT_EQ(NeighbourTest::Evaluate(records, 2, {3, 1, 1, 3}), NeighbourTest::NoValue);
    EXPECT_NE(NeighbourTest::Evaluate(records, 3, Nearest), NeighbourTest::NoValue);
}

TEST(NeighbourTest, AnOvershootingCurveScoresByTheLogarithm)
{
    // The outer records bend the curve out to the east between P and N
    // while X sits on the chord: the expected detour exceeds the real one
    // (r < 1), which scores -100 ln r.
    const std::vector<LocalRecord> records{Rec(-40, -10, 0), Rec(0, 0, 10), Rec(0, 5, 15), Rec(0, 10, 20),
                                           Rec(-40, 20, 30)};
    LocalRecord e;
    TimeCurve(records[0], records[1], records[3], records[4]).Evaluate(15, e.lon, e.lat);
    const double r = (10.0 + 0.5 * Metres(e, records[2])) / (Metres(e, records[1]) + Metres(e, records[3]));
    ASSERT_LT(r, 0.95);
    EXPECT_EQ(NeighbourTest::Evaluate(records, 2, Nearest), static_cast<int>(-100.0 * std::log(r)));
}

TEST(VeryLocalScoring, ALoneOutlierGetsTwiceItsCentredScore)
{
    LocalWorkState state(Line(11));
    state.GetRecords()[5].lon = Rec(30, 0, 0).lon;
    LocalScoring::ScoreVeryLocal(state);
    EXPECT_EQ(state.GetCode(), LocalScoring::VeryLocalCode);
    // Centred group 1000, 1000 and 589 -> 941; the neighbours judged without
    // it lie on the line and score 0, so it doubles, capped at 1000.
    EXPECT_EQ(state.GetRecords()[5].score, 1000);
    for (int i : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10})
        EXPECT_LT(state.GetRecords()[static_cast<size_t>(i)].score, 250) << i;
}

TEST(VeryLocalScoring, AnOutlierNextToAnotherIsOnlyHalved)
{
    LocalWorkState state(Line(13));
    state.GetRecords()[6].lon = Rec(30, 0, 0).lon;
    state.GetRecords()[7].lon = Rec(30, 0, 0).lon;
    LocalScoring::ScoreVeryLocal(state);
    // Each one's shifted group sees the other far off the line.
    EXPECT_LE(state.GetRecords()[6].score, 500);
    EXPECT_LE(state.GetRecords()[7].score, 500);
}

TEST(VeryLocalScoring, ScoresOnlyFromTheFifthToTheSixthFromTheEnd)
{
    for (const int outlier : {4, 5, 10, 11}) {
        LocalWorkState state(Line(16));
        state.GetRecords()[static_cast<size_t>(outlier)].lon = Rec(30, 0, 0).lon;
        LocalScoring::ScoreVeryLocal(state);
        const bool inRange = outlier >= 5 && outlier <= 16 - 6;
        EXPECT_EQ(state.GetRecords()[static_cast<size_t>(outlier)].score, inRange ? 1000 : 0) << outlier;
    }
}

TEST(VeryLocalScoring, TenRecordsAreTooFewAndOldScoresAreCleared)
{
    std::vector<LocalRecord> records = Line(10);
    records[5].lon = Rec(30, 0, 0).lon;
    for (LocalRecord& record : records)
        record.score = 700;
    LocalWorkState state(records);
    LocalScoring::ScoreVeryLocal(state);
    for (const LocalRecord& record : state.GetRecords())
        EXPECT_EQ(record.score, 0);
}

TEST(LocalScoring, FiveRecordsAreJudgedByTheNearestPatternOnly)
{
    std::vector<LocalRecord> records = Line(5);
    records[2].lon = Rec(12, 0, 0).lon;
    LocalWorkState state(records);
    LocalScoring::ScoreLocal(state);
    EXPECT_EQ(state.GetCode(), LocalScoring::LocalCode);
    EXPECT_EQ(state.GetRecords()[2].score, SidewaysScore(10.0, 12.0));
    // The ends cannot be judged.
    for (int i : {0, 1, 3, 4})
        EXPECT_EQ(state.GetRecords()[static_cast<size_t>(i)].score, 0) << i;
}

TEST(LocalScoring, FourRecordsAreNotScored)
{
    std::vector<LocalRecord> records = Line(4);
    records[2].lon = Rec(50, 0, 0).lon;
    LocalWorkState state(records);
    LocalScoring::ScoreLocal(state);
    EXPECT_EQ(state.GetRecords()[2].score, 0);
}

TEST(LocalScoring, APairOffThePathIsCaughtByThePatternsThatSkipOne)
{
    LocalWorkState state(Line(12));
    state.GetRecords()[5].lon = Rec(30, 0, 0).lon;
    state.GetRecords()[6].lon = Rec(30, 0, 0).lon;
    LocalScoring::ScoreLocal(state);
    // Judged between 4 and 7 with the partner left out: a detour of
    // 31.6 + 36.1 m plus half the 30 m offset against 30 m gives r = 2.76.
    EXPECT_GE(state.GetRecords()[5].score, 800);
    EXPECT_GE(state.GetRecords()[6].score, 800);
}

TEST(LocalScoring, ASmoothCurveAtVaryingSpeedScoresLow)
{
    LocalWorkState state(SmoothCurve(60));
    LocalScoring::ScoreLocal(state);
    // The curve predicts each point within centimetres; 100 would take a
    // detour 20 % longer than expected.
    for (const LocalRecord& record : state.GetRecords())
        EXPECT_LT(record.score, 100) << record.index;
    LocalScoring::ScoreVeryLocal(state);
    for (const LocalRecord& record : state.GetRecords())
        EXPECT_LT(record.score, 100) << record.index;
}

TEST(LocalScoring, SyntheticRecordsAreNeverScored)
{
    std::vector<LocalRecord> records = Line(7);
    records[3].lon = Rec(40, 0, 0).lon;
    records[3].index = -1;
    LocalWorkState state(records);
    LocalScoring::ScoreLocal(state);
    EXPECT_EQ(state.GetRecords()[3].score, 0);
}
