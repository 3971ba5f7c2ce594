#include "LoadManager.h"
#include "TestSupport.h"
#include "TimeOrderCheck.h"
#include "Track.h"
#include "TrackPtNavI.h"
#include "TrackTestSupport.h"
#include "TrackX.h"

#include <gtest/gtest.h>

using namespace tracktest;

namespace {

// Track objects for a loaded file, built the way the open tracks will:
// a Track over a copy of each segment's points, a TrackX per file or folder
// with the segments beneath it in tree order.
struct LoadedTracks
{
    LoadedTrackFile file;
    std::vector<std::shared_ptr<Track>> segments;
    std::vector<std::shared_ptr<TrackX>> composites;
    std::shared_ptr<TrackX> root;

    explicit LoadedTracks(const QString& relativePath)
        : file(LoadManager().Load(FixturePath(relativePath)))
    {
        if (file.status == TrackLoaderI::Success)
            root = std::static_pointer_cast<TrackX>(Build(file.fileTid, -1));
    }

    std::shared_ptr<TrackI> Build(int tid, int parentTid)
    {
        const TrackTreeReaderPtr reader = file.tree.GetReader();
        if (reader->GetNode(tid)->GetKind() == TrackInfo::KindSegment) {
            auto segment = std::make_shared<Track>(std::make_shared<TrackData>(*file.data->Get(tid)), tid, parentTid);
            segment->Refresh(true);
            segments.push_back(segment);
            return segment;
        }
        auto composite = std::make_shared<TrackX>(tid, parentTid);
        for (const int child : reader->GetChildren(tid))
            composite->AddPart(Build(child, tid));
        composites.push_back(composite);
        return composite;
    }
};

} // namespace

TEST(TrackFiles, RepeatedTimesOfARealFileAreFiltered)
{
    // Five points at 0, 1, 1, 2 and 2 seconds.
    const LoadedTracks loaded(QStringLiteral("gpx/gpsbabel/kalman_dt_zero_in.gpx"));
    ASSERT_EQ(loaded.file.status, TrackLoaderI::Success) << loaded.file.error.toStdString();
    ASSERT_EQ(loaded.segments.size(), 1u);
    const Track& track = *loaded.segments[0];
    EXPECT_EQ(Reasons(static_cast<const TrackData&>(track.GetTrackData())),
              (std::vector<int>{0, TimeOrderCheck::ReasonWrongTime, 0, TimeOrderCheck::ReasonWrongTime, 0}));
    ExpectConsistent(track, PointsOf(track), true);
}

TEST(TrackFiles, PointsWithoutTimeOfARealFileAreFiltered)
{
    const LoadedTracks loaded(QStringLiteral("gpx/gpxpy/cerknicko-without-times.gpx"));
    ASSERT_EQ(loaded.file.status, TrackLoaderI::Success) << loaded.file.error.toStdString();
    int withTime = 0;
    for (const auto& segment : loaded.segments) {
        const auto& points = static_cast<const TrackData&>(segment->GetTrackData()).GetPoints();
        for (const TrackPoint& point : points) {
            if (point.GetTime().IsNull()) {
                EXPECT_EQ(point.GetStatus().GetFilterReason(), TimeOrderCheck::ReasonNoTime);
            } else {
                ++withTime;
            }
        }
        EXPECT_TRUE(TimeOrderCheck::IsInOrder(static_cast<const TrackData&>(segment->GetTrackData())));
        ExpectConsistent(*segment, PointsOf(*segment), true);
    }
    EXPECT_EQ(loaded.root->GetPointCount(), 296);
    EXPECT_EQ(loaded.root->GetPtNav().GetValidCount(), withTime);
    ExpectCompositeAgrees(*loaded.root, true);
}

TEST(TrackFiles, MultiSegmentFilesMakeAgreeingComposites)
{
    for (const char* path : {"gpx/gpsbabel/lezyne_super_gps-garmin_fit-sample-bad-endian.gpx", "gpx/gpx-ruby/tracks.gpx",
                             "plt/mapsoft2/20040222_full.plt", "kml/gpsbabel/27GLQKF3.igc.kml"}) {
        SCOPED_TRACE(path);
        LoadedTracks loaded{QString::fromLatin1(path)};
        ASSERT_EQ(loaded.file.status, TrackLoaderI::Success) << loaded.file.error.toStdString();
        EXPECT_GT(loaded.segments.size(), 1u);
        EXPECT_EQ(loaded.root->GetPointCount(), loaded.file.data->GetTotalPointCount());
        for (const auto& segment : loaded.segments) {
            EXPECT_TRUE(TimeOrderCheck::IsInOrder(static_cast<const TrackData&>(segment->GetTrackData())));
            ExpectConsistent(*segment, PointsOf(*segment), true);
        }
        for (const auto& composite : loaded.composites)
            ExpectCompositeAgrees(*composite, true);
        // The whole file cleaned at once.
        loaded.root->DeleteFiltered();
        EXPECT_EQ(loaded.root->GetPtNav().GetFilteredCount(), 0);
        for (const auto& composite : loaded.composites)
            ExpectCompositeAgrees(*composite, true);
    }
}
