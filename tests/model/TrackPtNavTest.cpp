#include "TrackPtNav.h"
#include "TrackTestSupport.h"

#include <random>

#include <gtest/gtest.h>

using namespace tracktest;

namespace {

// The navigator's rules read literally, over two lists of indices.
struct ListNavigator
{
    std::vector<int> valid;
    std::vector<int> filtered;
    int count = 0;

    explicit ListNavigator(const std::vector<bool>& flags) : count(static_cast<int>(flags.size()))
    {
        for (int i = 0; i < count; ++i)
            (flags[static_cast<size_t>(i)] ? valid : filtered).push_back(i);
    }

    int Next(int index, int mode) const
    {
        if (count == 0)
            return -1;
        index = std::max(index, -1);
        if (mode == 0)
            return index + 1 < count ? index + 1 : -1;
        const std::vector<int>& list = mode == 1 ? valid : filtered;
        if (mode != 1 && mode != 2)
            return -1;
        for (const int i : list) {
            if (i > index)
                return i;
        }
        return -1;
    }
    int Prev(int index, int mode) const
    {
        if (count == 0)
            return -1;
        index = std::min(index, count);
        if (mode == 0)
            return index > 0 ? index - 1 : -1;
        if (mode != 1 && mode != 2)
            return -1;
        const std::vector<int>& list = mode == 1 ? valid : filtered;
        for (auto i = list.rbegin(); i != list.rend(); ++i) {
            if (*i < index)
                return *i;
        }
        return -1;
    }
    int Ordinal(int index) const
    {
        if (valid.empty())
            return -1;
        for (size_t k = 0; k < valid.size(); ++k) {
            if (valid[k] >= index)
                return static_cast<int>(k);
        }
        return static_cast<int>(valid.size());
    }
};

TrackDataPtr DataWithValidity(const std::vector<bool>& flags)
{
    std::vector<TrackPoint> points;
    for (size_t i = 0; i < flags.size(); ++i) {
        points.push_back(PointAt(0.001 * static_cast<double>(i), static_cast<double>(i)));
        if (!flags[i])
            points.back().GetStatus().SetFilterReason(7);
    }
    return MakeData(std::move(points));
}

void ExpectLikeLists(const TrackPtNavI& navigator, const std::vector<bool>& flags)
{
    const ListNavigator lists(flags);
    EXPECT_EQ(navigator.GetCount(), lists.count);
    EXPECT_EQ(navigator.GetValidCount(), static_cast<int>(lists.valid.size()));
    EXPECT_EQ(navigator.GetFilteredCount(), static_cast<int>(lists.filtered.size()));
    EXPECT_EQ(ValidIndices(navigator), lists.valid);
    EXPECT_EQ(FilteredIndices(navigator), lists.filtered);
    EXPECT_EQ(navigator.GetFirstValid(), lists.valid.empty() ? -1 : lists.valid.front());
    EXPECT_EQ(navigator.GetLastValid(), lists.valid.empty() ? -1 : lists.valid.back());
    for (int index = -3; index <= lists.count + 3; ++index) {
        for (int mode = 0; mode <= 3; ++mode) {
            ASSERT_EQ(navigator.GetNext(index, mode), lists.Next(index, mode)) << index << " mode " << mode;
            ASSERT_EQ(navigator.GetPrev(index, mode), lists.Prev(index, mode)) << index << " mode " << mode;
        }
        ASSERT_EQ(navigator.GetValidOrdinal(index), lists.Ordinal(index)) << index;
        const int ordinal = index;
        const int expected = ordinal >= 0 && ordinal < static_cast<int>(lists.valid.size())
                                 ? lists.valid[static_cast<size_t>(ordinal)]
                                 : -1;
        ASSERT_EQ(navigator.GetValidIndex(ordinal), expected) << ordinal;
    }
}

} // namespace

TEST(TrackPtNav, EmptyTrackAnswersNoneEverywhere)
{
    const TrackPtNav navigator(TrackData{});
    EXPECT_EQ(navigator.GetCount(), 0);
    EXPECT_EQ(navigator.GetValidCount(), 0);
    EXPECT_EQ(navigator.GetFilteredCount(), 0);
    EXPECT_EQ(navigator.GetFirstValid(), -1);
    EXPECT_EQ(navigator.GetLastValid(), -1);
    for (int mode = 0; mode < 3; ++mode) {
        EXPECT_EQ(navigator.GetNext(-1, mode), -1);
        EXPECT_EQ(navigator.GetNext(0, mode), -1);
        EXPECT_EQ(navigator.GetPrev(0, mode), -1);
        EXPECT_EQ(navigator.GetPrev(5, mode), -1);
    }
    EXPECT_EQ(navigator.GetValidOrdinal(0), -1);
    EXPECT_EQ(navigator.GetValidIndex(0), -1);
    EXPECT_TRUE(ValidIndices(navigator).empty());
    EXPECT_TRUE(FilteredIndices(navigator).empty());
}

TEST(TrackPtNav, AllFilteredHasNoValidPointButWalksAll)
{
    const std::vector<bool> flags(4, false);
    const TrackPtNav navigator(*DataWithValidity(flags));
    EXPECT_EQ(navigator.GetFirstValid(), -1);
    EXPECT_EQ(navigator.GetLastValid(), -1);
    EXPECT_EQ(navigator.GetNext(-1, 1), -1);
    EXPECT_EQ(navigator.GetNext(1, 1), -1);
    EXPECT_EQ(navigator.GetValidOrdinal(2), -1);
    std::vector<int> walked;
    for (int i = navigator.GetNext(-1, 0); i >= 0; i = navigator.GetNext(i, 0))
        walked.push_back(i);
    EXPECT_EQ(walked, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(navigator.GetNext(0, 2), 1);
    EXPECT_EQ(navigator.GetPrev(4, 2), 3);
    ExpectLikeLists(navigator, flags);
}

TEST(TrackPtNav, LastValidHasNoValidSuccessorEvenBeforeFilteredPoints)
{
    const std::vector<bool> flags{true, false, true, false, false};
    const TrackPtNav navigator(*DataWithValidity(flags));
    EXPECT_EQ(navigator.GetLastValid(), 2);
    EXPECT_EQ(navigator.GetNext(2, 1), -1);
    EXPECT_EQ(navigator.GetNext(2, 2), 3);
    EXPECT_EQ(navigator.GetNext(2, 0), 3);
    // Ordinals: before, on and after the valid points.
    EXPECT_EQ(navigator.GetValidOrdinal(1), 1);
    EXPECT_EQ(navigator.GetValidOrdinal(2), 1);
    EXPECT_EQ(navigator.GetValidOrdinal(3), 2);
    // From beyond the end the search starts at the last point.
    EXPECT_EQ(navigator.GetPrev(100, 0), 4);
    EXPECT_EQ(navigator.GetPrev(100, 1), 2);
    EXPECT_EQ(navigator.GetPrev(100, 2), 4);
    EXPECT_EQ(navigator.GetNext(-10, 0), 0);
    EXPECT_EQ(navigator.GetNext(-10, 2), 1);
}

TEST(TrackPtNav, AgreesWithTheListsOnRandomPatterns)
{
    std::mt19937 random(3);
    for (const int size : {1, 2, 3, 10, 64, 65, 150}) {
        for (int round = 0; round < 5; ++round) {
            std::vector<bool> flags;
            for (int i = 0; i < size; ++i)
                flags.push_back(random() % 4 != 0);
            SCOPED_TRACE(testing::Message() << "size " << size << " round " << round);
            ExpectLikeLists(TrackPtNav(*DataWithValidity(flags)), flags);
        }
    }
}

TEST(TrackPtNav, FollowsOnePointChangesWithoutRebuild)
{
    std::vector<bool> flags{true, true, false, true, false, true, true};
    TrackPtNav navigator(*DataWithValidity(flags));
    navigator.SetValid(2, true);
    navigator.SetValid(6, false);
    flags[2] = true;
    flags[6] = false;
    ExpectLikeLists(navigator, flags);
    navigator.ErasePoint(0);
    flags.erase(flags.begin());
    ExpectLikeLists(navigator, flags);
}
