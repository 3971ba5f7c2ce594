#include "IsoTime.h"
#include "LoadedFile.h"
#include "MagellanLoader.h"
#include "NmeaTestLog.h"

#include <gtest/gtest.h>

namespace {

std::string TimeOf(const LoadedFile& file, int i)
{
    return IsoTime::Format(file.segments.at(0).points->GetTrackPoint(i).GetTime());
}

} // namespace

TEST(MagellanLoader, TrackSentences)
{
    MagellanLoader loader;
    const LoadedFile file = LoadedFile::ReadBytes(loader, NmeaLog({
        "PMGNCMD,VERSION,1",
        "PMGNTRK,4231.829,N,08807.303,W,00210,M,032908.38,A,Morning ride,070804",
        "PMGNTRK,4231.830,N,08807.304,W,00689,F,032909.38,A,Morning ride,070804",
        "PMGNTRK,4231.831,S,08807.305,E,,M,032910.38,V,,070804",
        "PMGNWPL,4231.829,N,08807.303,W,0000000,M,HOME,home,a",
        "PMGNCMD,END",
    }));
    ASSERT_EQ(file.status, TrackLoaderI::Success);
    EXPECT_EQ(file.SegmentNames(), QStringList{QStringLiteral("Morning ride")});
    ASSERT_EQ(file.PointCount(), 3) << "commands and waypoints are not track points";
    const TrackData& points = *file.segments[0].points;
    EXPECT_NEAR(points.GetTrackPoint(0).GetLat(), 42 + 31.829 / 60, 1e-12);
    EXPECT_NEAR(points.GetTrackPoint(0).GetLon(), -(88 + 7.303 / 60), 1e-12);
    EXPECT_DOUBLE_EQ(points.GetTrackPoint(0).GetElevation(), 210);
    EXPECT_DOUBLE_EQ(points.GetTrackPoint(1).GetElevation(), 689 * 0.3048) << "feet";
    EXPECT_FALSE(points.GetTrackPoint(2).HasElevation());
    EXPECT_LT(points.GetTrackPoint(2).GetLat(), 0);
    EXPECT_GT(points.GetTrackPoint(2).GetLon(), 0);
    EXPECT_EQ(TimeOf(file, 0), "2004-08-07T03:29:08.380Z");
    EXPECT_TRUE(points.GetTrackPoint(1).IsValid());
    EXPECT_EQ(points.GetTrackPoint(2).GetStatus().GetFilterReason(), 1) << "status V: no fix";
}

TEST(MagellanLoader, OldFirmwareWithoutDates)
{
    MagellanLoader loader;
    const LoadedFile file = LoadedFile::ReadBytes(loader, NmeaLog({
        "PMGNTRK,4231.829,N,08807.303,W,00210,M,235959,A,",
        "PMGNTRK,4231.829,N,08807.303,W,00210,M,000001,A,,311299",
        "PMGNTRK,4231.829,N,08807.303,W,00210,M,000002,A,",
    }));
    ASSERT_EQ(file.PointCount(), 3);
    EXPECT_EQ(TimeOf(file, 0), "1999-12-30T23:59:59Z") << "back-filled over midnight";
    EXPECT_EQ(TimeOf(file, 2), "1999-12-31T00:00:02Z");
}

TEST(MagellanLoader, BadLinesCounted)
{
    QByteArray log = NmeaLog({"PMGNTRK,4231.829,N,08807.303,W,00210,M,032908.38,A,,070804"});
    log += "$PMGNTRK,4231.829,N,08807.303,W,00210,M,032909.38,A,,070804*00\r\n"; // checksum
    log += NmeaLog({"PMGNTRK,4231.829,N,08807.303,W,00210,M,03290X,A,,070804"}); // time
    log += NmeaLog({"PMGNTRK,4231.829,N,08807.303,W"});                          // short
    log += "$PMGNTRK,4231.829,N,08807.303,W,00210,M,0329\r\n";                   // cut, no checksum
    MagellanLoader loader;
    const LoadedFile file = LoadedFile::ReadBytes(loader, log);
    EXPECT_EQ(file.PointCount(), 1);
    EXPECT_EQ(loader.GetStats().badChecksum, 1);
    EXPECT_EQ(loader.GetStats().unreadable, 3);
    EXPECT_EQ(loader.GetStats().firstBadLine, 2);
}

TEST(MagellanLoader, NoTrackSentenceIsNoTrack)
{
    MagellanLoader loader;
    const LoadedFile file = LoadedFile::ReadBytes(loader, NmeaLog({"PMGNCMD,END"}));
    EXPECT_EQ(file.status, TrackLoaderI::NoTrack);
    EXPECT_TRUE(file.segments.empty());
    EXPECT_EQ(file.error, QStringLiteral("no sentence with a track point (1 read)"));
}
