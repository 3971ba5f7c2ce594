#include "FilterManager.h"

#include "CalcDataGeneralI.h"
#include "FilterTestTracks.h"
#include "ParameterFilterImpl.h"
#include "TrackPtNavI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

using namespace filtertest;

namespace {

constexpr int kMinDistKey = 106;

Filter::Function MinDist(double metres)
{
    auto rules = std::make_shared<ParameterFilterImpl>();
    rules->Add(ParameterFilterImpl::KindDist, kMinDistKey, metres);
    return [rules](const TrackI& track) { return rules->Apply(track); };
}

// Points along the equator at the given metres east, one a second.
std::shared_ptr<Track> Line(std::initializer_list<double> east)
{
    std::vector<TrackPoint> points;
    double seconds = 0;
    for (double x : east)
        points.push_back(At(x, 0, seconds++));
    return MakeTrack(points);
}

// The sliding window done the plain way: a vector of valid points that
// loses the rejected one, a fresh window track each time.
std::map<int, int> ReferenceRun(const Track& track, const Filter::Function& filter)
{
    std::vector<int> valid;
    track.GetPtNav().GetValidIndices(valid);
    const std::vector<TrackPoint>& all = track.GetTrackDataPtr()->GetPoints();
    std::map<int, int> rejections;
    int start = 0;
    for (;;) {
        std::vector<TrackPoint> copies;
        const int end = std::min(start + 5, static_cast<int>(valid.size()));
        for (int k = start; k < end; ++k)
            copies.push_back(all[static_cast<size_t>(valid[static_cast<size_t>(k)])]);
        const Filter::Result result = filter(*MakeTrack(copies));
        if (!result.IsNone()) {
            rejections[valid[static_cast<size_t>(start + result.index)]] = result.reason;
            valid.erase(valid.begin() + start + result.index);
            start = std::max(start - 1, 0);
        } else if (start + 5 > static_cast<int>(valid.size())) {
            break;
        } else {
            ++start;
        }
    }
    return rejections;
}

std::vector<TrackPoint> RandomRide(std::mt19937& random, int count)
{
    std::uniform_real_distribution<double> step(0.0, 20.0);
    std::normal_distribution<double> turn(0.0, 30.0);
    std::uniform_int_distribution<int> pause(1, 3);
    std::vector<TrackPoint> points = {At(0, 0, 0)};
    double heading = 90.0;
    double seconds = 0;
    for (int i = 1; i < count; ++i) {
        heading += turn(random);
        seconds += pause(random);
        points.push_back(Towards(points.back(), heading, step(random), seconds));
    }
    return points;
}

std::map<int, int> RejectedOf(const Track& track)
{
    std::map<int, int> rejected;
    const std::vector<TrackPoint>& all = track.GetTrackDataPtr()->GetPoints();
    for (size_t i = 0; i < all.size(); ++i) {
        if (!all[i].IsValid())
            rejected[static_cast<int>(i)] = all[i].GetStatus().GetFilterReason();
    }
    return rejected;
}

} // namespace

TEST(FilterManager, RulesSeeTheDistanceToTheSurvivingNeighbour)
{
    // 23 is too close to 20; once it is gone, 26 is 6 m from 20 and stays.
    const auto track = Line({0, 10, 20, 23, 26, 40, 50});
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(5.0), track), 1);
    EXPECT_EQ(ReasonsOf(*track), (std::vector<int>{0, 0, 0, kMinDistKey, 0, 0, 0}));
}

TEST(FilterManager, ADistanceOfExactlyTheMinimumStays)
{
    const auto track = Line({0, 10, 20, 30});
    // The shortest step as the track measures it, to the last bit.
    double step = 1e9;
    for (int i = 1; i < 4; ++i)
        step = std::min(step, track->GetCalcData().GetPointParams(i).Dist);
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(step), track), 0);
    EXPECT_GT(FilterManager::ApplyFilter(MinDist(std::nextafter(step, 1e9)), track), 0);
}

TEST(FilterManager, FilteredPointsAreNotNeighbours)
{
    const auto track = Line({0, 10, 20, 22, 32});
    track->GetPointStatus(2)->SetFilterReason(12);
    track->Refresh(false);
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(5.0), track), 0);
    EXPECT_EQ(ReasonsOf(*track), (std::vector<int>{0, 0, 12, 0, 0}));
}

TEST(FilterManager, TheLastPointIsJudgedAndTheFirstIsNot)
{
    // The first two points are 1 m apart: only the second can go.
    const auto track = Line({0, 1, 10, 20, 30, 40, 50, 51});
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(5.0), track), 2);
    EXPECT_EQ(ReasonsOf(*track), (std::vector<int>{0, kMinDistKey, 0, 0, 0, 0, 0, kMinDistKey}));
}

TEST(FilterManager, ARunOfClosePointsGoesOneByOne)
{
    const auto track = Line({0, 10, 11, 12, 13, 14, 30});
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(5.0), track), 4);
    EXPECT_EQ(ReasonsOf(*track), (std::vector<int>{0, 0, kMinDistKey, kMinDistKey, kMinDistKey, kMinDistKey, 0}));
}

TEST(FilterManager, TwoPointsAreLeftAlone)
{
    const auto track = Line({0, 1});
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(5.0), track), 0);
    EXPECT_EQ(track->GetPtNav().GetValidCount(), 2);
}

TEST(FilterManager, TheTrackIsRefreshedOnceAndOnlyWhenSomethingWasRejected)
{
    const auto track = Line({0, 10, 11, 12, 30, 40});
    int refreshes = 0;
    const auto connection = track->SubscribeLayoutChanged([&refreshes] { ++refreshes; });
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(0.5), track), 0);
    EXPECT_EQ(refreshes, 0);
    EXPECT_EQ(FilterManager::ApplyFilter(MinDist(5.0), track), 2);
    EXPECT_EQ(refreshes, 1);
    // The derived data follow the new neighbours: 30 is now 20 m from 10.
    EXPECT_NEAR(track->GetCalcData().GetPointParams(4).Dist, 20.0, 0.05);
}

TEST(FilterManager, AgreesWithThePlainWindowOnRandomRides)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> scale(0.5, 1.5);
    for (int round = 0; round < 12; ++round) {
        const std::vector<TrackPoint> points = RandomRide(random, 150);
        auto rules = std::make_shared<ParameterFilterImpl>();
        // The rules in a different order each round.
        std::vector<std::pair<int, double>> kinds = {{3, 4.0}, {4, 4.0}, {5, 8.0}, {6, 3.0}, {7, 40.0}, {8, 3.0}};
        std::shuffle(kinds.begin(), kinds.end(), random);
        for (const auto& [kind, limit] : kinds)
            rules->Add(kind, 100 + kind, limit * scale(random));
        const Filter::Function filter = [rules](const TrackI& track) { return rules->Apply(track); };

        const auto track = MakeTrack(points);
        const std::map<int, int> expected = ReferenceRun(*track, filter);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(FilterManager::ApplyFilter(filter, track), static_cast<int>(expected.size()));
        EXPECT_EQ(RejectedOf(*track), expected) << "round " << round;
    }
}
