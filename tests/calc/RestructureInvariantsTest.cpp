#include "LoadManager.h"
#include "RestructureTestSupport.h"
#include "TestSupport.h"
#include "TrackRestructure.h"
#include "TrackReverser.h"
#include "TrackTreeAlg.h"

#include <QDirIterator>

#include <gtest/gtest.h>

#include <random>

using namespace restructuretest;

namespace {

class RestructureInvariantsTest : public OpenTracksTest
{
protected:
    // A file whose points run in time with gaps of every size, split into
    // segments at random places, some points filtered.
    int OpenRandomFile(std::mt19937& random)
    {
        static const double kGapMinutes[] = {0.2, 3, 5.5, 7, 45, 59, 61, 180};
        std::vector<TrackPoint> all;
        const int runs = std::uniform_int_distribution<int>(1, 12)(random);
        for (int r = 0; r < runs; ++r) {
            const double gap = kGapMinutes[std::uniform_int_distribution<size_t>(0, std::size(kGapMinutes) - 1)(random)];
            AppendRun(all, std::uniform_int_distribution<int>(1, 40)(random), Minutes(gap));
        }
        SourceTree source;
        int parent = source.file;
        auto begin = all.begin();
        while (begin != all.end()) {
            const auto size = std::min<std::ptrdiff_t>(std::uniform_int_distribution<int>(1, 60)(random),
                                                       all.end() - begin);
            if (std::bernoulli_distribution(0.3)(random))
                parent = source.Folder(source.file);
            source.Segment(parent, {begin, begin + size});
            begin += size;
        }
        const int file = Open(source);
        for (const int segment : Segments(file)) {
            const TrackPtr track = model.GetTrack(segment);
            for (int i = 0; i < track->GetPointCount(); ++i) {
                if (std::bernoulli_distribution(0.05)(random))
                    track->GetPointStatus(i)->SetFilterReason(7);
            }
            track->Refresh(false);
        }
        return file;
    }

    // The ends of the segments of the original file, as indices of all its
    // points.
    std::vector<int> SegmentEnds(int file) const
    {
        std::vector<int> ends;
        int total = 0;
        for (const int size : SegmentSizes(model, file)) {
            total += size;
            ends.push_back(total - 1);
        }
        return ends;
    }

    // Gaps between folders exceed the folder threshold, gaps between
    // segments of a folder the segment threshold unless a kept break lies
    // there, and no folder holds a gap beyond the folder threshold.
    void ExpectCutsMatchGaps(int file, const RestructureParams& params, const std::vector<int>& oldEnds) const
    {
        const TimeSpan folderGap = Minutes(params.folderMinutes);
        const TimeSpan segmentGap = Minutes(params.segmentMinutes);
        const std::vector<TrackPoint> points = AllPoints(model, file);
        int index = 0;
        const std::vector<int> folders = Reader()->GetChildren(file);
        for (size_t f = 0; f < folders.size(); ++f) {
            ASSERT_EQ(Reader()->GetNode(folders[f])->GetKind(), TrackInfo::KindFolder);
            const std::vector<int> segments = Reader()->GetChildren(folders[f]);
            ASSERT_FALSE(segments.empty());
            for (size_t s = 0; s < segments.size(); ++s) {
                const int count = model.GetTrack(segments[s])->GetPointCount();
                ASSERT_GT(count, 0);
                for (int i = index; i + 1 < index + count; ++i) {
                    const TimeSpan gap = points[size_t(i + 1)].GetTime() - points[size_t(i)].GetTime();
                    EXPECT_LE(gap, folderGap) << "inside a folder at " << i;
                }
                index += count;
                if (static_cast<size_t>(index) == points.size())
                    continue;
                const TimeSpan gap = points[size_t(index)].GetTime() - points[size_t(index - 1)].GetTime();
                if (s + 1 == segments.size()) {
                    EXPECT_GT(gap, folderGap) << "between folders at " << index;
                } else {
                    const bool kept = params.keepBreaks
                        && std::find(oldEnds.begin(), oldEnds.end(), index - 1) != oldEnds.end();
                    EXPECT_TRUE(gap > segmentGap || kept) << "between segments at " << index;
                }
            }
        }
        EXPECT_EQ(static_cast<size_t>(index), points.size());
    }
};

} // namespace

TEST_F(RestructureInvariantsTest, GeneratedFilesKeepEveryPointAndCutOnlyAtGaps)
{
    std::mt19937 random(20240501);
    TrackRestructure restructure(model);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const int file = OpenRandomFile(random);
        const RestructureParams params{std::uniform_int_distribution<int>(1, 6)(random) * 10,
                                       std::uniform_int_distribution<int>(1, 10)(random),
                                       std::bernoulli_distribution(0.5)(random)};
        const std::vector<TrackPoint> before = AllPoints(model, file);
        const std::vector<int> ends = SegmentEnds(file);
        ASSERT_TRUE(restructure.RestructureFile(file, params));
        EXPECT_EQ(AllPoints(model, file), before);
        ExpectCutsMatchGaps(file, params, ends);
        ExpectCompositesAgree(file);
        model.Remove({file});
    }
}

TEST_F(RestructureInvariantsTest, GeneratedFilesMergeAndReverseBack)
{
    std::mt19937 random(99);
    TrackRestructure restructure(model);
    TrackReverser reverser(model, holder);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const int first = OpenRandomFile(random);
        const int second = OpenRandomFile(random);
        std::vector<TrackPoint> expected = AllPoints(model, first);
        const std::vector<TrackPoint> tail = AllPoints(model, second);
        expected.insert(expected.end(), tail.begin(), tail.end());
        const int merged = restructure.Merge({first, second}, {}, QStringLiteral("m"));
        EXPECT_EQ(AllPoints(model, merged), expected);

        reverser.Reverse({merged});
        reverser.Reverse({merged});
        EXPECT_EQ(AllPoints(model, merged), expected);
        model.Remove({first, second, merged});
    }
}

TEST_F(RestructureInvariantsTest, RealFilesSurviveRestructureMergeAndReverse)
{
    TrackRestructure restructure(model);
    TrackReverser reverser(model, holder);
    int tried = 0;
    QDirIterator it(FixturePath(QString()), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        LoadedTrackFile loaded = LoadManager().Load(path);
        if (loaded.status != TrackLoaderI::Success || loaded.data->GetTotalPointCount() == 0)
            continue;
        SCOPED_TRACE(path.toStdString());
        ++tried;
        const int file = model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, path,
                                             loaded.type);
        const std::vector<TrackPoint> before = AllPoints(model, file);

        const int merged = restructure.Merge({file}, {}, QStringLiteral("m"));
        EXPECT_EQ(AllPoints(model, merged), before);

        const RestructureParams params{10, 1, true};
        const std::vector<int> ends = SegmentEnds(file);
        ASSERT_TRUE(restructure.RestructureFile(file, params));
        EXPECT_EQ(AllPoints(model, file), before);
        ExpectCutsMatchGaps(file, params, ends);
        ExpectCompositesAgree(file);

        reverser.Reverse({file});
        reverser.Reverse({file});
        EXPECT_EQ(AllPoints(model, file), before);
        model.Remove({file, merged});
    }
    EXPECT_GT(tried, 10);
}
