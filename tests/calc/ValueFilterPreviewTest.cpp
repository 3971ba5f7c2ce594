#include "FilterManager.h"
#include "FilterReasons.h"
#include "LoadManager.h"
#include "ParameterFilterImpl.h"
#include "TestSupport.h"
#include "TrackPointStatus.h"
#include "ValueFilterPreview.h"
#include "ValueFilterRows.h"

#include "OpenTracksTestBench.h"

#include <QDirIterator>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>

namespace {

// Every row of the filter by value (dialog order) with its kind.
constexpr int kRows = ValueFilterRows::Count;

class ValueFilterPreviewTest : public OpenTracksTest
{
protected:
    // The limit at which the share of the valid points beyond it is about
    // share, from the values the row's rule compares.
    static double LimitAt(ValueFilterPreview& preview, int row, double share)
    {
        const ValueFilterRows::Row& info = ValueFilterRows::GetRows()[static_cast<size_t>(row)];
        ParameterFilterImpl probe;
        probe.Add(info.code, info.code, 1.0);
        const std::vector<double>& values = preview.ColumnOf(probe.GetRule(0)).values;
        if (values.empty())
            return 1.0;
        const double at = probe.GetRule(0).RejectsAbove() ? 1.0 - share : share;
        const size_t index = std::min(values.size() - 1, static_cast<size_t>(at * static_cast<double>(values.size())));
        return std::max(values[index], 0.001);
    }

    // What the filter writes into the segment: point -> reason code of the
    // points it newly marks. The segment is left as it was.
    std::map<int, int> Applied(const TrackPtr& track, const ParameterFilterImpl& rules)
    {
        std::vector<TrackPointStatus> before;
        for (int i = 0; i < track->GetPointCount(); ++i)
            before.push_back(*track->GetPointStatus(i));
        FilterManager::ApplyFilter([&rules](const TrackI& t) { return rules.Apply(t); }, track);
        std::map<int, int> marked;
        for (int i = 0; i < track->GetPointCount(); ++i) {
            TrackPointStatus* status = track->GetPointStatus(i);
            if (before[static_cast<size_t>(i)].IsValid() && !status->IsValid())
                marked[i] = status->GetFilterReason() % 100;
            *status = before[static_cast<size_t>(i)];
        }
        track->Refresh(false);
        return marked;
    }

    // The preview against the filter for limit sets around the values of
    // the segment: each rule alone at several shares, and all together.
    // Returns how many sets marked anything.
    int ExpectPreviewEqualsFilter(const TrackPtr& track)
    {
        int marking = 0;
        std::vector<std::vector<std::pair<int, double>>> sets;
        ValueFilterPreview preview(track);
        for (int row = 0; row < kRows; ++row)
            for (const double share : {0.005, 0.05, 0.4})
                sets.push_back({{row, LimitAt(preview, row, share)}});
        std::vector<std::pair<int, double>> all;
        for (int row = 0; row < kRows; ++row)
            all.emplace_back(row, LimitAt(preview, row, 0.01));
        sets.push_back(all);
        for (const auto& set : sets) {
            ParameterFilterImpl rules;
            for (const auto& [row, limit] : set) {
                const int code = ValueFilterRows::GetRows()[static_cast<size_t>(row)].code;
                rules.Add(code, code, limit);
            }
            const std::map<int, int> expected = Applied(track, rules);
            const std::map<int, int> shown = preview.Compute(rules);
            EXPECT_EQ(shown, expected) << "rule " << set.front().first << " limit " << set.front().second
                                       << " of " << set.size();
            marking += expected.empty() ? 0 : 1;
        }
        return marking;
    }

    int OpenFile(const QString& path)
    {
        LoadedTrackFile loaded = LoadManager().Load(path);
        if (loaded.status != TrackLoaderI::Success || loaded.data->GetTotalPointCount() == 0)
            return -1;
        return model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, path, loaded.type);
    }
};

} // namespace

TEST_F(ValueFilterPreviewTest, EqualsTheFilterPointForPointOnRealFiles)
{
    int segments = 0;
    int marking = 0;
    QDirIterator it(FixturePath(QString()), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const int file = OpenFile(path);
        if (file < 0)
            continue;
        SCOPED_TRACE(path.toStdString());
        for (const int segment : Segments(file)) {
            const TrackPtr track = model.GetTrack(segment);
            // The sliding window without shortcuts is slow; long segments add nothing new.
            if (track->GetPtNav().GetValidCount() < 3 || track->GetPointCount() > 5000)
                continue;
            ++segments;
            marking += ExpectPreviewEqualsFilter(track);
        }
        model.Remove({file});
    }
    EXPECT_GT(segments, 50);
    EXPECT_GT(marking, 100);
}

TEST_F(ValueFilterPreviewTest, EqualsTheFilterOnAGeneratedTrackWithFaultsAndFilteredPoints)
{
    const int file = OpenFile(QStringLiteral(QUORVEL_TEST_DATA_DIR "/generated/faulty_car.gpx"));
    ASSERT_GE(file, 0);
    std::mt19937 random(21);
    for (const int segment : Segments(file)) {
        const TrackPtr track = model.GetTrack(segment);
        ASSERT_GT(track->GetPointCount(), 1000);
        EXPECT_GE(ExpectPreviewEqualsFilter(track), 15);
        // Points filtered before change the neighbours the rules see.
        for (int i = 0; i < track->GetPointCount(); ++i)
            if (std::bernoulli_distribution(0.05)(random))
                track->GetPointStatus(i)->SetFilterReason(12);
        track->Refresh(false);
        EXPECT_GE(ExpectPreviewEqualsFilter(track), 15);
    }
}

TEST_F(ValueFilterPreviewTest, FollowsTheTrackWhenItsPointsChange)
{
    const int file = OpenFile(QStringLiteral(QUORVEL_TEST_DATA_DIR "/generated/faulty_car.gpx"));
    ASSERT_GE(file, 0);
    const TrackPtr track = model.GetTrack(Segments(file).front());
    ValueFilterPreview preview(track);
    ParameterFilterImpl rules;
    rules.Add(ParameterFilterImpl::KindHighSpeed, 7, LimitAt(preview, 1, 0.05));
    const std::map<int, int> first = preview.Compute(rules);
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(preview.IsCurrent());
    // The points it would mark, marked by hand: nothing is left to mark
    // among them, and the columns are made again from the valid points.
    for (const auto& [index, key] : first)
        track->GetPointStatus(index)->SetFilterReason(12);
    track->Refresh(false);
    EXPECT_FALSE(preview.IsCurrent());
    const std::map<int, int> second = preview.Compute(rules);
    for (const auto& [index, key] : second)
        EXPECT_EQ(first.count(index), 0u) << index;
    EXPECT_EQ(second, Applied(track, rules));
}

TEST_F(ValueFilterPreviewTest, WorkedOutInPartsGivesTheSameMarksAndEachPartSomeOfThem)
{
    const int file = OpenFile(QStringLiteral(QUORVEL_TEST_DATA_DIR "/generated/faulty_car.gpx"));
    ASSERT_GE(file, 0);
    const TrackPtr track = model.GetTrack(Segments(file).front());
    ValueFilterPreview preview(track);
    // A deadline already passed: every part judges the fewest windows.
    const auto passed = ValueFilterPreview::Clock::now() - std::chrono::seconds(1);
    int severalParts = 0;
    for (const double share : {0.01, 0.1, 0.4}) {
        auto rules = std::make_shared<ParameterFilterImpl>();
        rules->Add(ParameterFilterImpl::KindHighSpeed, 7, LimitAt(preview, 1, share));
        const std::map<int, int> whole = Applied(track, *rules);
        preview.Start(rules);
        int parts = 0;
        while (!preview.Continue(passed)) {
            ++parts;
            ASSERT_LT(parts, 100000);
            for (const auto& [index, reason] : preview.GetMarks()) {
                const auto found = whole.find(index);
                ASSERT_TRUE(found != whole.end() && found->second == reason) << "part " << parts << " point " << index;
            }
        }
        EXPECT_TRUE(preview.IsComplete());
        EXPECT_EQ(preview.GetMarks(), whole) << share;
        severalParts += parts > 1 ? 1 : 0;
    }
    EXPECT_GE(severalParts, 2);

    // The points change between two parts: the marks start again on them.
    auto rules = std::make_shared<ParameterFilterImpl>();
    rules->Add(ParameterFilterImpl::KindHighSpeed, 7, LimitAt(preview, 1, 0.3));
    preview.Start(rules);
    ASSERT_FALSE(preview.Continue(passed));
    for (int i = 0; i < track->GetPointCount(); i += 7)
        track->GetPointStatus(i)->SetFilterReason(12);
    track->Refresh(false);
    while (!preview.Continue(passed)) {
    }
    EXPECT_EQ(preview.GetMarks(), Applied(track, *rules));
}
