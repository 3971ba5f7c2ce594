#include "LocalScoring.h"

#include "LocalWorkState.h"
#include "NeighbourTest.h"

#include <algorithm>
#include <array>

namespace {

using Group = std::array<NeighbourPattern, 3>;

// The record before, the record itself and the record after; the shifted
// groups leave the record itself out of their tests.
constexpr Group BeforeGroup{{{2, 1, 2, 3}, {3, 1, 2, 4}, {3, 2, 3, 4}}};
constexpr Group CentredGroup{{{2, 1, 1, 2}, {3, 1, 1, 3}, {3, 2, 2, 3}}};
constexpr Group AfterGroup{{{3, 2, 1, 2}, {4, 2, 1, 3}, {4, 3, 2, 3}}};

constexpr std::array<NeighbourPattern, 8> LocalPatterns{{
    {2, 1, 1, 2},
    {3, 1, 1, 3},
    {4, 2, 2, 4},
    {3, 2, 1, 4},
    {4, 1, 2, 3},
    {5, 2, 1, 2},
    {2, 1, 2, 5},
    {5, 3, 3, 5},
}};

constexpr int VeryLocalMargin = 5;
constexpr int MinVeryLocalRecords = 11;
constexpr int MinLocalRecords = 5;
constexpr int FirstLocalPosition = 2;
constexpr int OutlierScore = 160;
constexpr int MaxScore = 1000;

int GroupScore(const std::vector<LocalRecord>& records, int i, const Group& group)
{
    const int first = NeighbourTest::Evaluate(records, i, group[0]);
    const int second = NeighbourTest::Evaluate(records, i, group[1]);
    const int third = NeighbourTest::Evaluate(records, i, group[2]);
    return (4 * first + 2 * second + third) / 7;
}

void ClearScores(std::vector<LocalRecord>& records)
{
    for (LocalRecord& record : records)
        record.score = 0;
}

} // namespace

void LocalScoring::ScoreVeryLocal(LocalWorkState& state)
{
    state.SetCode(VeryLocalCode);
    std::vector<LocalRecord>& records = state.GetRecords();
    ClearScores(records);
    const int count = static_cast<int>(records.size());
    if (count < MinVeryLocalRecords)
        return;
    for (int i = VeryLocalMargin; i < count - VeryLocalMargin; ++i) {
        LocalRecord& record = records[static_cast<size_t>(i)];
        if (record.IsSynthetic())
            continue;
        const int centred = GroupScore(records, i, CentredGroup);
        const int shifted = std::max(GroupScore(records, i - 1, BeforeGroup), GroupScore(records, i + 1, AfterGroup));
        record.score = centred > OutlierScore && centred > 2 * shifted ? std::min(2 * centred, MaxScore) : centred / 2;
    }
}

void LocalScoring::ScoreLocal(LocalWorkState& state)
{
    state.SetCode(LocalCode);
    std::vector<LocalRecord>& records = state.GetRecords();
    ClearScores(records);
    const int count = static_cast<int>(records.size());
    if (count < MinLocalRecords)
        return;
    // A test judges only its own record: the records its pattern skips are
    // judged by their own tests, with patterns that skip the record here.
    for (int i = FirstLocalPosition; i < count; ++i) {
        LocalRecord& record = records[static_cast<size_t>(i)];
        if (record.IsSynthetic())
            continue;
        for (const NeighbourPattern& pattern : LocalPatterns) {
            record.score = std::max(record.score, NeighbourTest::Evaluate(records, i, pattern));
            if (record.score >= MaxScore)
                break;
        }
    }
}
