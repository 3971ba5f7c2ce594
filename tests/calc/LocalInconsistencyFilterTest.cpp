#include "LocalInconsistencyFilter.h"

#include "FilterTestTracks.h"
#include "LoadManager.h"
#include "Track.h"
#include "TrackPtNavI.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace filtertest;

namespace {

constexpr int TooClose = 15;

bool IsScoredKey(int key)
{
    return key % 100 == 91 || key % 100 == 92;
}

// count points northwards, `metres` apart and a second apart.
std::vector<TrackPoint> Straight(int count, double metres = 10.0)
{
    std::vector<TrackPoint> points;
    for (int i = 0; i < count; ++i)
        points.push_back(At(0, metres * i, i));
    return points;
}

// A ride along a circle of 300 m, one point every 2 s, at a speed swinging
// between 3 and 15 m/s.
std::vector<TrackPoint> SmoothRide(int count)
{
    std::vector<TrackPoint> points;
    double travelled = 0;
    for (int i = 0; i < count; ++i) {
        const double seconds = 2.0 * i;
        const double angle = travelled / 300.0;
        points.push_back(At(300.0 * std::sin(angle), 300.0 * (1 - std::cos(angle)), seconds));
        travelled += 2.0 * (9.0 + 6.0 * std::sin(seconds / 25.0));
    }
    return points;
}

// 30 points north at 10 m/s, then `standing` fixes scattered within `scatter`
// metres of one spot, then 30 points east at 10 m/s. Returns the positions
// of the standing points through first/last.
std::vector<TrackPoint> StopAndGo(int standing, double scatter, int& first, int& last)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<TrackPoint> points = Straight(30);
    first = static_cast<int>(points.size());
    for (int i = 0; i < standing; ++i) {
        const double r = scatter * std::sqrt(unit(random));
        const double a = 2 * M_PI * unit(random);
        points.push_back(At(r * std::cos(a), 300.0 + r * std::sin(a), 30 + i));
    }
    last = static_cast<int>(points.size()) - 1;
    for (int i = 1; i <= 30; ++i)
        points.push_back(At(10.0 * i, 300.0, 30 + standing + i - 1));
    return points;
}

int CountFiltered(const std::vector<int>& reasons, int first, int last)
{
    int count = 0;
    for (int i = first; i <= last; ++i)
        count += reasons[static_cast<size_t>(i)] != 0 ? 1 : 0;
    return count;
}

// The single segment of a fixture file as a track of its own.
std::shared_ptr<Track> LoadFixtureTrack(const QString& relativePath)
{
    const LoadedTrackFile loaded = LoadManager().Load(FixturePath(relativePath));
    if (loaded.fileTid < 0 || loaded.data->GetAll().size() != 1)
        return nullptr;
    const auto& segment = *loaded.data->GetAll().begin();
    auto track = std::make_shared<Track>(segment.second, segment.first, loaded.fileTid);
    track->Refresh(true);
    return track;
}

} // namespace

TEST(LocalInconsistencyFilter, APointWithinAMetreOfBothNeighboursIsTooClose)
{
    std::vector<TrackPoint> points = Straight(20);
    // 12 sits 0.4 m beyond 11, and 13 is pulled back 0.5 m from 12.
    points[12] = At(0, 110.4, 12);
    points[13] = At(0, 110.9, 13);
    const auto track = MakeTrack(points);
    LocalInconsistencyFilter().Apply(*track);
    EXPECT_EQ(ReasonsOf(*track)[12], TooClose);
}

TEST(LocalInconsistencyFilter, NeverTheFirstOrLastValidPoint)
{
    // Three points within a metre at either end.
    std::vector<TrackPoint> points = Straight(20);
    points[1] = At(0, 0.3, 1);
    points[2] = At(0, 0.6, 2);
    points[3] = At(0, 0.9, 3);
    points[17] = At(0, 179.1, 17);
    points[18] = At(0, 179.4, 18);
    points[19] = At(0, 179.7, 19);
    // Filtered beforehand: the first valid point is point 1.
    points[0].GetStatus().SetFilterReason(7);
    const auto track = MakeTrack(points);
    LocalInconsistencyFilter().Apply(*track);
    const std::vector<int> reasons = ReasonsOf(*track);
    EXPECT_EQ(reasons[0], 7);
    EXPECT_EQ(reasons[1], 0);
    EXPECT_EQ(reasons[2], TooClose);
    EXPECT_EQ(reasons[18], TooClose);
    EXPECT_EQ(reasons[19], 0);
    for (const int kept : {3, 17})
        EXPECT_EQ(reasons[static_cast<size_t>(kept)], 0) << kept;
}

TEST(LocalInconsistencyFilter, AFarPointIsFilteredWithItsScoreInTheKey)
{
    std::vector<TrackPoint> points = Straight(30);
    points[15] = At(40, 150, 15);
    const auto track = MakeTrack(points);
    EXPECT_EQ(LocalInconsistencyFilter().Apply(*track), 1);
    const std::vector<int> reasons = ReasonsOf(*track);
    const int key = reasons[15];
    ASSERT_TRUE(IsScoredKey(key)) << key;
    // Its score reaches the very-local limit; the key shows it in percent.
    EXPECT_GE(key / 1000, 250);
    EXPECT_LE(key / 1000, 1000);
    EXPECT_EQ(key / 10000, key / 1000 / 10);
    EXPECT_EQ(track->GetPtNav().GetValidCount(), 29);
}

TEST(LocalInconsistencyFilter, APointOffASmoothCurveIsFilteredAndOnlyIt)
{
    std::vector<TrackPoint> points = SmoothRide(80);
    const TrackPoint moved = Towards(points[40], 0.0, 60.0, 80);
    points[40] = moved;
    const auto track = MakeTrack(points);
    EXPECT_EQ(LocalInconsistencyFilter().Apply(*track), 1);
    EXPECT_TRUE(IsScoredKey(ReasonsOf(*track)[40]));
}

TEST(LocalInconsistencyFilter, ASmoothCurveAtVaryingSpeedStaysWhole)
{
    const auto track = MakeTrack(SmoothRide(200));
    EXPECT_EQ(LocalInconsistencyFilter().Apply(*track), 0);
    EXPECT_EQ(track->GetPtNav().GetValidCount(), 200);
    // Every point was scored and kept its score as a low penalty.
    TrackPoint point;
    for (int i = 0; i < 200; ++i) {
        track->GetPoint(i, point);
        EXPECT_LT(point.GetStatus().GetPenalty(), 200) << i;
    }
}

TEST(LocalInconsistencyFilter, FourPointsAreTooFewToScore)
{
    std::vector<TrackPoint> points = Straight(4);
    points[2] = At(200, 20, 2);
    const auto track = MakeTrack(points);
    EXPECT_EQ(LocalInconsistencyFilter().Apply(*track), 0);
}

TEST(LocalInconsistencyFilter, UnderElevenPointsOnlyTheLocalScoringJudges)
{
    std::vector<TrackPoint> points = Straight(8);
    points[4] = At(100, 40, 4);
    const auto track = MakeTrack(points);
    EXPECT_EQ(LocalInconsistencyFilter().Apply(*track), 1);
    EXPECT_EQ(ReasonsOf(*track)[4] % 100, 91);
}

TEST(LocalInconsistencyFilter, SyntheticRecordsNeverReachTheTrack)
{
    // One-second steps with a 20 s gap that the time evaluation fills.
    std::vector<TrackPoint> points;
    for (int i = 0; i < 40; ++i) {
        const double seconds = i < 20 ? i : i + 19;
        points.push_back(At(0, 10.0 * seconds, seconds));
    }
    const auto track = MakeTrack(points);
    const int filtered = LocalInconsistencyFilter().Apply(*track);
    EXPECT_EQ(track->GetPointCount(), 40);
    EXPECT_EQ(track->GetPtNav().GetFilteredCount(), filtered);
    for (int i = 0; i < 40; ++i) {
        TrackPoint point;
        track->GetPoint(i, point);
        EXPECT_EQ(point.GetTime(), points[static_cast<size_t>(i)].GetTime());
    }
    EXPECT_EQ(filtered, 0);
}

TEST(LocalInconsistencyFilter, TheRefinementLimitFollowsTheLevel)
{
    EXPECT_EQ(LocalInconsistencyFilter::RefinementLimit(0), 200);
    EXPECT_EQ(LocalInconsistencyFilter::RefinementLimit(1), 206);
    EXPECT_EQ(LocalInconsistencyFilter::RefinementLimit(33), 398);
    EXPECT_EQ(LocalInconsistencyFilter::RefinementLimit(50), 500);
    EXPECT_EQ(LocalInconsistencyFilter::RefinementLimit(100), 800);
}

TEST(LocalInconsistencyFilter, AModerateOffsetGoesAtLevelZeroOnly)
{
    // Near the start, outside the very-local range: only the local scoring
    // judges it, about 430 per mille for a 12 m offset on 10 m steps.
    std::vector<TrackPoint> points = Straight(30);
    points[3] = At(12, 30, 3);
    const auto strict = MakeTrack(points);
    LocalInconsistencyFilter(0).Apply(*strict);
    const int key = ReasonsOf(*strict)[3];
    EXPECT_EQ(key % 100, 91);
    EXPECT_GE(key / 1000, 200);
    EXPECT_LT(key / 1000, 500);
    for (const int level : {50, 100}) {
        const auto lenient = MakeTrack(points);
        LocalInconsistencyFilter(level).Apply(*lenient);
        EXPECT_EQ(ReasonsOf(*lenient)[3], 0) << level;
    }
}

TEST(LocalInconsistencyFilter, JitterAtAStopGoesAndTheMovingPartsStay)
{
    int first = 0, last = 0;
    const std::vector<TrackPoint> points = StopAndGo(40, 0.45, first, last);
    const auto track = MakeTrack(points);
    LocalInconsistencyFilter().Apply(*track);
    const std::vector<int> reasons = ReasonsOf(*track);
    EXPECT_GE(CountFiltered(reasons, first, last), 40 - 2);
    EXPECT_EQ(CountFiltered(reasons, 0, first - 1), 0);
    EXPECT_EQ(CountFiltered(reasons, last + 1, static_cast<int>(points.size()) - 1), 0);
}

TEST(LocalInconsistencyFilter, TheExtendedPassTakesAWiderScatterDownToOnePoint)
{
    // Fixes up to 2.5 m apart are not too close to each other.
    int first = 0, last = 0;
    const std::vector<TrackPoint> points = StopAndGo(40, 2.5, first, last);
    const auto basic = MakeTrack(points);
    LocalInconsistencyFilter().Apply(*basic);
    const auto extended = MakeTrack(points);
    LocalInconsistencyFilter(0, true).Apply(*extended);
    const std::vector<int> reasons = ReasonsOf(*extended);
    EXPECT_LT(CountFiltered(ReasonsOf(*basic), first, last), 40 - 2);
    EXPECT_GE(CountFiltered(reasons, first, last), 40 - 2);
    EXPECT_EQ(CountFiltered(reasons, 0, first - 1), 0);
    EXPECT_EQ(CountFiltered(reasons, last + 1, static_cast<int>(points.size()) - 1), 0);
}

TEST(LocalInconsistencyFilter, ARealLoggerTrackKeepsAlmostAllItsPoints)
{
    // A DG-100 logger, 12,027 fixes one to three seconds apart. Besides
    // standing points, only the places where the logger restarted (time
    // jumps of hours between neighbouring fixes) are inconsistent: a few
    // dozen points. More than 1 % would mean the filter eats moving parts.
    const auto track = LoadFixtureTrack(QStringLiteral("gpx/gpsbabel/dg100.gpx"));
    ASSERT_TRUE(track);
    const int before = track->GetPtNav().GetValidCount();
    ASSERT_GT(before, 12000);
    const int filtered = LocalInconsistencyFilter().Apply(*track);
    EXPECT_GT(filtered, 0);
    EXPECT_LE(filtered, before / 100);
}

TEST(LocalInconsistencyFilter, ASparseRideKeepsItsHairpinsButNotAnOutlier)
{
    // A ride sampled every four or five seconds, about ten metres apart:
    // its hairpins and right-angle corners are sharper than any curve
    // through the neighbours, yet ridden at the pace of the neighbours.
    const QString path = QStringLiteral("gpx/gpxgo/visnjan.gpx");
    const auto track = LoadFixtureTrack(path);
    ASSERT_TRUE(track);
    ASSERT_EQ(track->GetPointCount(), 413);
    LocalInconsistencyFilter().Apply(*track);
    const std::vector<int> reasons = ReasonsOf(*track);
    EXPECT_EQ(CountFiltered(reasons, 362, 371), 0) << "hairpin";
    EXPECT_EQ(CountFiltered(reasons, 28, 32), 0) << "corner";
    EXPECT_EQ(CountFiltered(reasons, 239, 249), 0) << "corners";
    EXPECT_LE(CountFiltered(reasons, 0, 412), 4);

    // One fix 60 m off the road in the middle of a straight stretch.
    const auto faulty = LoadFixtureTrack(path);
    ASSERT_TRUE(faulty);
    TrackPoint point;
    faulty->GetPoint(200, point);
    const double degreesEastPerMetre = 1.0 / (111111.1 * std::cos(point.GetLat() * M_PI / 180.0));
    point.Set2D({point.GetLon() + 60.0 * degreesEastPerMetre, point.GetLat()});
    faulty->SetPoint(200, point);
    LocalInconsistencyFilter().Apply(*faulty);
    EXPECT_TRUE(IsScoredKey(ReasonsOf(*faulty)[200]));
}
