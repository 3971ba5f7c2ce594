#include "RankBitset.h"

#include <random>

#include <gtest/gtest.h>

namespace {

// The answers worked out by scanning a plain array of flags.
struct Naive
{
    std::vector<bool> bits;

    int Rank(int i) const
    {
        int count = 0;
        for (int j = 0; j < std::min(i, static_cast<int>(bits.size())); ++j)
            count += bits[static_cast<size_t>(j)] ? 1 : 0;
        return count;
    }
    int Select(int k, bool value) const
    {
        for (int j = 0; j < static_cast<int>(bits.size()); ++j) {
            if (bits[static_cast<size_t>(j)] == value && k-- == 0)
                return j;
        }
        return -1;
    }
    int Next(int i, bool value) const
    {
        for (int j = std::max(i, 0); j < static_cast<int>(bits.size()); ++j) {
            if (bits[static_cast<size_t>(j)] == value)
                return j;
        }
        return -1;
    }
    int Prev(int i, bool value) const
    {
        for (int j = std::min(i, static_cast<int>(bits.size()) - 1); j >= 0; --j) {
            if (bits[static_cast<size_t>(j)] == value)
                return j;
        }
        return -1;
    }
};

void ExpectSame(const RankBitset& bitset, const Naive& naive)
{
    const int size = static_cast<int>(naive.bits.size());
    ASSERT_EQ(bitset.Size(), size);
    int set = 0;
    for (int i = 0; i < size; ++i) {
        ASSERT_EQ(bitset.Test(i), naive.bits[static_cast<size_t>(i)]) << i;
        set += naive.bits[static_cast<size_t>(i)] ? 1 : 0;
    }
    EXPECT_EQ(bitset.CountSet(), set);
    EXPECT_EQ(bitset.CountClear(), size - set);
    for (int i = -2; i <= size + 2; ++i) {
        ASSERT_EQ(bitset.Rank(i), naive.Rank(i)) << i;
        ASSERT_EQ(bitset.NextSet(i), naive.Next(i, true)) << i;
        ASSERT_EQ(bitset.NextClear(i), naive.Next(i, false)) << i;
        ASSERT_EQ(bitset.PrevSet(i), naive.Prev(i, true)) << i;
        ASSERT_EQ(bitset.PrevClear(i), naive.Prev(i, false)) << i;
        ASSERT_EQ(bitset.SelectSet(i), naive.Select(i, true)) << i;
        ASSERT_EQ(bitset.SelectClear(i), naive.Select(i, false)) << i;
    }
    std::vector<int> set1;
    std::vector<int> clear1;
    for (int i = 0; i < size; ++i)
        (naive.bits[static_cast<size_t>(i)] ? set1 : clear1).push_back(i);
    std::vector<int> out{42};
    bitset.CollectSet(out);
    EXPECT_EQ(out, set1);
    bitset.CollectClear(out);
    EXPECT_EQ(out, clear1);
}

} // namespace

TEST(RankBitset, EmptyAnswersNone)
{
    RankBitset bitset;
    bitset.Assign(0, [](int) { return true; });
    ExpectSame(bitset, Naive{});
    EXPECT_EQ(bitset.NextSet(0), -1);
    EXPECT_EQ(bitset.PrevClear(5), -1);
}

// Sizes around word boundaries, where the padding bits of the last word must
// never read as clear bits.
TEST(RankBitset, AgreesWithScanningAtWordBoundaries)
{
    std::mt19937 random(7);
    for (const int size : {1, 63, 64, 65, 127, 128, 129, 200, 640}) {
        for (const double density : {0.0, 0.03, 0.5, 0.97, 1.0}) {
            std::bernoulli_distribution pick(density);
            Naive naive;
            for (int i = 0; i < size; ++i)
                naive.bits.push_back(pick(random));
            RankBitset bitset;
            bitset.Assign(size, [&naive](int i) { return naive.bits[static_cast<size_t>(i)]; });
            SCOPED_TRACE(testing::Message() << "size " << size << " density " << density);
            ExpectSame(bitset, naive);
        }
    }
}

TEST(RankBitset, SetAndEraseKeepRankAndSelect)
{
    std::mt19937 random(11);
    Naive naive;
    for (int i = 0; i < 300; ++i)
        naive.bits.push_back(random() % 3 != 0);
    RankBitset bitset;
    bitset.Assign(300, [&naive](int i) { return naive.bits[static_cast<size_t>(i)]; });
    for (int step = 0; step < 400 && !naive.bits.empty(); ++step) {
        const int size = static_cast<int>(naive.bits.size());
        const int i = static_cast<int>(random() % static_cast<unsigned>(size));
        if (step % 3 == 0) {
            bitset.Erase(i);
            naive.bits.erase(naive.bits.begin() + i);
        } else {
            const bool value = random() % 2 == 0;
            bitset.Set(i, value);
            naive.bits[static_cast<size_t>(i)] = value;
        }
        if (step % 20 == 0) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            ExpectSame(bitset, naive);
        }
    }
    ExpectSame(bitset, naive);
}

TEST(RankBitset, EraseAtTheEdgesOfAWord)
{
    for (const int erased : {0, 62, 63, 64, 65, 127}) {
        Naive naive;
        for (int i = 0; i < 130; ++i)
            naive.bits.push_back(i % 5 == 0 || i == 64 || i == 127);
        RankBitset bitset;
        bitset.Assign(130, [&naive](int i) { return naive.bits[static_cast<size_t>(i)]; });
        bitset.Erase(erased);
        naive.bits.erase(naive.bits.begin() + erased);
        SCOPED_TRACE(testing::Message() << "erased " << erased);
        ExpectSame(bitset, naive);
    }
}
