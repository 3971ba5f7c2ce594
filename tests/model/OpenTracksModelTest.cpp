#include "OpenTracksTestBench.h"

#include "ColourCycle.h"
#include "LoadManager.h"
#include "OpenTracks.h"
#include "PreparedSegments.h"
#include "TestSupport.h"
#include "Track.h"
#include "TrackPointEx.h"
#include "TrackTreeAlg.h"
#include "TrackX.h"

using Tids = std::vector<int>;

namespace {
const Time kStart(2024, 5, 1, 10, 0, 0);

uint32_t ColourOf(const TrackTreeReaderI& tree, int tid)
{
    const auto* segment = dynamic_cast<const TrackInfo::Segment*>(tree.GetNode(tid));
    return segment != nullptr && segment->GetColour().IsSet() ? segment->GetColour().GetColorref() : 0xFFFFFFFFu;
}
} // namespace

TEST_F(OpenTracksTest, OpeningCopiesTheTreeAndTakesThePointArraysOver)
{
    SourceTree source(QStringLiteral("ride"));
    const int folder = source.Folder(source.file, QStringLiteral("Morning"));
    const int first = source.Segment(folder, MakePoints(5, kStart));
    source.Segment(source.file, MakePoints(3, kStart + TimeSpan::FromSeconds(100)));
    const TrackDataPtr firstArray = source.data->Get(first);

    const int file = model.AddOpenedFile(*source.tree.GetReader(), source.file, *source.data,
                                         QStringLiteral("/data/ride.gpx"), TrackFileTcx);

    const TrackTreeReaderPtr tree = Reader();
    ASSERT_EQ(model.GetFileTids(), Tids{file});
    const Tids children = tree->GetChildren(file);
    ASSERT_EQ(children.size(), 2u);
    EXPECT_EQ(tree->GetNode(file)->GetName(), QStringLiteral("ride"));
    EXPECT_EQ(tree->GetNode(children[0])->GetName(), QStringLiteral("Morning"));
    EXPECT_EQ(tree->GetNode(children[1])->GetKind(), TrackInfo::KindSegment);
    const int newFirst = tree->GetChildren(children[0]).at(0);

    // The arrays are handed over, not copied.
    EXPECT_TRUE(source.data->GetAll().empty());
    const auto firstTrack = std::dynamic_pointer_cast<Track>(model.GetTrack(newFirst));
    ASSERT_TRUE(firstTrack);
    EXPECT_EQ(firstTrack->GetTrackDataPtr(), firstArray);
    EXPECT_EQ(firstTrack->GetTid(), newFirst);
    EXPECT_EQ(firstTrack->GetParentTid(), children[0]);
    EXPECT_TRUE(std::dynamic_pointer_cast<TrackX>(model.GetTrack(children[0])));
    EXPECT_EQ(model.GetTrack(file)->GetPointCount(), 8);
    EXPECT_EQ(model.GetTrack(children[0])->GetPointCount(), 5);
    ExpectCompositesAgree(file);

    const TrackFileAttrPtr attr = model.GetFileAttr(file);
    ASSERT_TRUE(attr);
    EXPECT_EQ(attr->path, QStringLiteral("/data/ride.gpx"));
    EXPECT_EQ(attr->type, TrackFileTcx);
    EXPECT_FALSE(attr->modified);
    EXPECT_FALSE(model.GetFileAttr(children[0]));

    ASSERT_EQ(Seen(GEventKind::TreeChanged).size(), 1u);
    const SeenEvent event = Seen(GEventKind::TreeChanged).front();
    EXPECT_EQ(event.added, (Tids{file, children[0], newFirst, children[1]}));
    EXPECT_TRUE(event.removed.empty());
    EXPECT_TRUE(event.changed.empty());
    EXPECT_EQ(Kinds(), Tids{GEventKind::TreeChanged});
}

TEST_F(OpenTracksTest, OpeningChecksTheTimesOfEverySegment)
{
    SourceTree source;
    std::vector<TrackPoint> points = MakePoints(4, kStart);
    // 10, 20, 15, 30 s: the point at 20 s is the odd one.
    points[1].SetTime(kStart + TimeSpan::FromSeconds(20));
    points[2].SetTime(kStart + TimeSpan::FromSeconds(15));
    points[3].SetTime(kStart + TimeSpan::FromSeconds(30));
    points[0].SetTime(kStart + TimeSpan::FromSeconds(10));
    source.Segment(source.file, points);
    const int file = Open(source);

    const TrackPtr segment = model.GetTrack(Segments(file).at(0));
    TrackPoint point;
    ASSERT_TRUE(segment->GetPoint(1, point));
    EXPECT_EQ(point.GetStatus().GetFilterReason(), 11);
    EXPECT_EQ(segment->GetPtNav().GetValidCount(), 3);
    EXPECT_EQ(model.GetTrack(file)->GetPtNav().GetValidCount(), 3);
}

TEST_F(OpenTracksTest, NewSegmentsTakeTheColourCycleInTurnAndTheThirtySecondStartsItAgain)
{
    Tids segments;
    for (int n = 0; n < 4; ++n) {
        SourceTree source;
        for (int k = 0; k < 8; ++k)
            source.Segment(source.file, MakePoints(2, kStart));
        const Tids opened = Segments(Open(source));
        segments.insert(segments.end(), opened.begin(), opened.end());
    }
    ASSERT_EQ(segments.size(), 32u);
    const TrackTreeReaderPtr tree = Reader();
    EXPECT_EQ(ColourOf(*tree, segments[0]), 0x00AFFBu);
    EXPECT_EQ(ColourOf(*tree, segments[1]), 0x00CE00u);
    EXPECT_EQ(ColourOf(*tree, segments[30]), 0xE2DDFFu);
    EXPECT_EQ(ColourOf(*tree, segments[31]), 0x00AFFBu);
    for (size_t k = 0; k < 31; ++k)
        EXPECT_EQ(ColourOf(*tree, segments[k]), ColourCycle::Colours[k]) << k;
    // Colours change nothing that the views must hear of beyond the tree change.
    EXPECT_EQ(Kinds(), Tids(4, GEventKind::TreeChanged));
}

TEST_F(OpenTracksTest, ASegmentThatAlreadyHasAColourKeepsItAndTheCycleDoesNotMove)
{
    SourceTree source;
    const int coloured = source.Segment(source.file, MakePoints(2, kStart));
    source.Segment(source.file, MakePoints(2, kStart));
    source.tree.GetEditor()->SetSegmentColour(coloured, RgbStruct(1, 2, 3));
    const Tids segments = Segments(Open(source));

    EXPECT_EQ(ColourOf(*Reader(), segments[0]), RgbStruct(1, 2, 3).GetColorref());
    EXPECT_EQ(ColourOf(*Reader(), segments[1]), 0x00AFFBu);
}

TEST_F(OpenTracksTest, ARealFileOpensWholeAndClosesWithoutTrace)
{
    const QString path = FixturePath(QStringLiteral("gpx/gpsbabel/segmented_tracks.gpx"));
    LoadedTrackFile loaded = LoadManager().Load(path);
    ASSERT_EQ(loaded.status, TrackLoaderI::Success) << loaded.error.toStdString();
    std::vector<int> loadedSegments;
    TrackTreeAlg(loaded.tree.GetReader().get()).GetSubsegmentIds(loaded.fileTid, loadedSegments);
    ASSERT_GT(loadedSegments.size(), 1u);
    std::vector<TrackPoint> loadedPoints;
    for (const int tid : loadedSegments) {
        const TrackDataPtr points = loaded.data->Get(tid);
        loadedPoints.insert(loadedPoints.end(), points->GetPoints().begin(), points->GetPoints().end());
    }

    const int file =
        model.AddOpenedFile(*loaded.tree.GetReader(), loaded.fileTid, *loaded.data, path, loaded.type);
    ASSERT_GT(file, 0);
    const Tids segments = Segments(file);
    EXPECT_EQ(segments.size(), loadedSegments.size());
    // Same points in the same order; only a status may differ (time check).
    const std::vector<TrackPoint> points = PointsOf(file);
    ASSERT_EQ(points.size(), loadedPoints.size());
    for (size_t k = 0; k < points.size(); ++k) {
        EXPECT_EQ(points[k].Get3D(), loadedPoints[k].Get3D()) << k;
        EXPECT_EQ(points[k].GetTime(), loadedPoints[k].GetTime()) << k;
    }
    ExpectCompositesAgree(file);
    for (const int tid : segments)
        EXPECT_NE(ColourOf(*Reader(), tid), 0xFFFFFFFFu) << tid;
    EXPECT_EQ(model.GetFileAttr(file)->type, TrackFileGpx);

    std::vector<int> all;
    TrackTreeAlg(Reader().get()).GetDescendantsIds(file, all);
    all.insert(all.begin(), file);
    holder.SetSelection({file});
    seen.clear();
    model.Remove({file});

    EXPECT_EQ(Reader()->GetNodeCount(), 0);
    EXPECT_TRUE(model.GetFileTids().empty());
    EXPECT_TRUE(model.GetDataSet()->GetAll().empty());
    for (const int tid : all)
        EXPECT_FALSE(model.GetTrack(tid)) << tid;
    EXPECT_FALSE(model.GetFileAttr(file));
    EXPECT_EQ(Kinds(), (Tids{GEventKind::TreeChanged, GEventKind::SelectionChanged}));
    EXPECT_EQ(seen[0].removed, all);
    EXPECT_EQ(State().GetSelectedCount(), 0);
}

TEST_F(OpenTracksTest, RemovingASegmentRebuildsItsFileAndMarksItModified)
{
    SourceTree source;
    const int folder = source.Folder(source.file, QStringLiteral("f"));
    source.Segment(folder, MakePoints(4, kStart));
    source.Segment(folder, MakePoints(6, kStart + TimeSpan::FromSeconds(60)));
    const int file = Open(source);
    const Tids segments = Segments(file);
    const int newFolder = Reader()->GetChildren(file).at(0);
    seen.clear();

    model.Remove({segments[0]});

    EXPECT_EQ(Segments(file), Tids{segments[1]});
    EXPECT_EQ(model.GetTrack(file)->GetPointCount(), 6);
    ExpectCompositesAgree(file);
    EXPECT_TRUE(model.GetFileAttr(file)->modified);
    ASSERT_EQ(Seen(GEventKind::TreeChanged).size(), 1u);
    EXPECT_EQ(seen[0].removed, Tids{segments[0]});
    EXPECT_EQ(seen[0].changed, (Tids{file, newFolder}));
    EXPECT_TRUE(seen[0].added.empty());
}

TEST_F(OpenTracksTest, TheDataSetForSavingSharesTheSegmentsArrays)
{
    SourceTree source;
    source.Segment(source.file, MakePoints(3, kStart));
    const int file = Open(source);
    const int segment = Segments(file).at(0);

    const std::shared_ptr<TrackDataSetI> data = model.GetDataSet();
    ASSERT_EQ(data->GetAll().size(), 1u);
    model.GetTrack(segment)->DeletePoint(0);
    EXPECT_EQ(data->Get(segment)->GetPointCount(), 2);
}

TEST(OpenTracksProcessWide, TheStateAndTheNamerListenFromTheStart)
{
    OpenTracksModel& model = OpenTracksModel::GetInstance();
    SourceTree source;
    const int folder = source.Folder(source.file);
    source.Segment(folder, MakePoints(3, Time(2024, 5, 1, 8, 0, 0)));
    const int file = model.AddOpenedFile(*source.tree.GetReader(), source.file, *source.data, QString(), TrackFileGpx);

    const TrackTreeReaderPtr tree = model.GetReader();
    const int newFolder = tree->GetChildren(file).at(0);
    const int segment = tree->GetChildren(newFolder).at(0);
    EXPECT_TRUE(dynamic_cast<const TrackInfo::Segment&>(*tree->GetNode(segment)).GetColour().IsSet());
    EXPECT_FALSE(tree->GetNode(newFolder)->GetName().isEmpty());
    TracksStateHolderImpl::GetInstance().SetCurrentPoint(file, 1);
    EXPECT_EQ(TracksStateHolderImpl::GetInstance().GetState().GetCurrentPoint(), (TrackPosition{segment, 1}));

    model.Remove({file});
    EXPECT_EQ(TracksStateHolderImpl::GetInstance().GetState().GetCurrentPoint(), TrackPosition());
    EXPECT_EQ(&NamerImpl::GetInstance(), &OpenTracks::Get().namer);
}

TEST_F(OpenTracksTest, SegmentsPreparedWhileLoadingComeInAsIfBuiltHere)
{
    // Two copies of one file, one with a point out of time order: the copy
    // prepared ahead must end up exactly as the one checked and built on the
    // spot, with the tids of the open tracks.
    auto makeSource = [] {
        auto source = std::make_unique<SourceTree>(QStringLiteral("walk"));
        const int folder = source->Folder(source->file, QStringLiteral("Day"));
        std::vector<TrackPoint> points = MakePoints(6, kStart);
        points[3].SetTime(kStart - TimeSpan::FromSeconds(600));
        source->Segment(folder, points);
        source->Segment(source->file, MakePoints(4, kStart + TimeSpan::FromSeconds(900)));
        return source;
    };
    const auto plain = makeSource();
    const int plainFile = model.AddOpenedFile(*plain->tree.GetReader(), plain->file, *plain->data, QString(),
                                              TrackFileGpx);

    const auto early = makeSource();
    PreparedSegments prepared;
    prepared.Prepare(*early->tree.GetReader(), *early->data, [] { return false; });
    // A segment whose points were swapped after preparing is built afresh.
    const int lastLoaded = early->tree.GetReader()->GetChildren(early->file).back();
    early->data->Add(lastLoaded, std::make_shared<TrackData>(MakePoints(4, kStart + TimeSpan::FromSeconds(900))));
    const int preparedFile = model.AddOpenedFile(*early->tree.GetReader(), early->file, *early->data, QString(),
                                                 TrackFileGpx, &prepared);

    const Tids plainSegments = Segments(plainFile);
    const Tids preparedSegments = Segments(preparedFile);
    ASSERT_EQ(preparedSegments.size(), 2u);
    ASSERT_EQ(plainSegments.size(), 2u);
    for (size_t s = 0; s < 2; ++s) {
        const TrackPtr expected = model.GetTrack(plainSegments[s]);
        const TrackPtr actual = model.GetTrack(preparedSegments[s]);
        EXPECT_EQ(actual->GetTid(), preparedSegments[s]);
        EXPECT_EQ(actual->GetParentTid(), Reader()->GetParent(preparedSegments[s]));
        ASSERT_EQ(actual->GetTrackData().GetPointCount(), expected->GetTrackData().GetPointCount());
        for (int i = 0; i < expected->GetTrackData().GetPointCount(); ++i) {
            TrackPointEx want;
            TrackPointEx got;
            ASSERT_TRUE(expected->GetPointEx(i, want));
            ASSERT_TRUE(actual->GetPointEx(i, got));
            EXPECT_EQ(got.IsValid(), want.IsValid()) << s << "/" << i;
            EXPECT_EQ(got.GetStatus().GetFilterReason(), want.GetStatus().GetFilterReason()) << s << "/" << i;
            EXPECT_DOUBLE_EQ(got.GetCalcParams().Speed, want.GetCalcParams().Speed) << s << "/" << i;
        }
    }
    // The out-of-order point makes the comparison meaningful.
    EXPECT_GT(model.GetTrack(plainSegments[0])->GetPtNav().GetFilteredCount(), 0);
    ExpectCompositesAgree(preparedFile);
}
