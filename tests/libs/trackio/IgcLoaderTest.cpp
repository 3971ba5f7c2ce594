#include "IgcLoader.h"
#include "IsoTime.h"
#include "LoadedFile.h"

#include <gtest/gtest.h>

namespace {

struct Read
{
    LoadedFile file;
    long long skipped = 0;
};

Read ReadIgc(const QByteArray& text)
{
    IgcLoader loader;
    Read read{LoadedFile::ReadBytes(loader, text), 0};
    read.skipped = loader.GetSkippedFixCount();
    return read;
}

const TrackPoint& PointAt(const LoadedFile& file, int index)
{
    return file.segments.at(0).points->GetTrackPoint(index);
}

} // namespace

TEST(IgcLoader, BRecordBecomesAPoint)
{
    // 47 degrees 30.500 minutes north, 8 degrees 15.250 minutes west;
    // pressure altitude 512 m, GNSS altitude 530 m; satellites in bytes 39-40.
    const Read read = ReadIgc("AXXX001\r\n"
                              "HFDTE160701\r\n"
                              "I023638FXA3940SIU\r\n"
                              "B1602404730500N00815250WA005120053003507\r\n");
    ASSERT_EQ(read.file.status, TrackLoaderI::Success) << read.file.error.toStdString();
    ASSERT_EQ(read.file.PointCount(), 1);
    const TrackPoint& point = read.file.First();
    EXPECT_NEAR(point.GetLat(), 47.0 + 30.5 / 60.0, 1e-9);
    EXPECT_NEAR(point.GetLon(), -(8.0 + 15.25 / 60.0), 1e-9);
    EXPECT_EQ(IsoTime::Format(point.GetTime()), "2001-07-16T16:02:40Z");
    ASSERT_TRUE(point.HasElevation());
    EXPECT_DOUBLE_EQ(point.GetElevation(), 530.0);
    EXPECT_EQ(point.GetGpsParams().GetSatCount(), 7);
    EXPECT_EQ(point.GetGpsParams().GetFixType(), PositionFixType::Fix3D);
    EXPECT_TRUE(point.IsValid());
    EXPECT_EQ(read.file.PointsPerSegment(), std::vector<int>{1});
}

TEST(IgcLoader, BothFormsOfTheDateHeader)
{
    for (const char* header : {"HFDTE160701", "HFDTEDATE:160701,01", "HFDTEDATE:160701"}) {
        SCOPED_TRACE(header);
        const Read read = ReadIgc(QByteArray("AXXX001\n") + header + "\nB1602404730500N00815250EA0051200530\n");
        ASSERT_EQ(read.file.PointCount(), 1);
        EXPECT_EQ(IsoTime::Format(read.file.First().GetTime()), "2001-07-16T16:02:40Z");
    }
    // Two-digit years from 80 on are the last century's.
    const Read old = ReadIgc("AXXX001\nHFDTE311298\nB2359594730500N00815250EA0051200530\n");
    EXPECT_EQ(IsoTime::Format(old.file.First().GetTime()), "1998-12-31T23:59:59Z");
}

TEST(IgcLoader, TimeFallingBackALotIsTheNextDay)
{
    const Read read = ReadIgc("AXXX001\nHFDTE311298\n"
                              "B2359584730500N00815250EA0051200530\n"
                              "B2359594730500N00815250EA0051200530\n"
                              "B0000014730500N00815250EA0051200530\n"
                              // A few seconds back: a logger's glitch, same day.
                              "B0000004730500N00815250EA0051200530\n");
    ASSERT_EQ(read.file.PointCount(), 4);
    EXPECT_EQ(IsoTime::Format(PointAt(read.file, 1).GetTime()), "1998-12-31T23:59:59Z");
    EXPECT_EQ(IsoTime::Format(PointAt(read.file, 2).GetTime()), "1999-01-01T00:00:01Z");
    EXPECT_EQ(IsoTime::Format(PointAt(read.file, 3).GetTime()), "1999-01-01T00:00:00Z");
}

TEST(IgcLoader, WithoutDateThePointsHaveNoTime)
{
    const Read read = ReadIgc("AXXX001\nB1602404730500N00815250EA0051200530\n");
    ASSERT_EQ(read.file.PointCount(), 1);
    EXPECT_TRUE(read.file.First().GetTime().IsNull());
}

TEST(IgcLoader, PressureAltitudeOnlyWhenTheLoggerHasNoGnssAltitude)
{
    const Read baro = ReadIgc("AXXX001\nHFDTE160701\n"
                              "B1602404730500N00815250EA0051200000\n"
                              "B1602414730500N00815250EA-001200000\n");
    ASSERT_EQ(baro.file.PointCount(), 2);
    EXPECT_DOUBLE_EQ(PointAt(baro.file, 0).GetElevation(), 512.0);
    EXPECT_DOUBLE_EQ(PointAt(baro.file, 1).GetElevation(), -12.0);
    // A GNSS altitude of 0 among others is a real one (the sea shore).
    const Read shore = ReadIgc("AXXX001\nHFDTE160701\n"
                               "B1602404730500N00815250EA0000500000\n"
                               "B1602414730500N00815250EA0000500003\n");
    EXPECT_DOUBLE_EQ(PointAt(shore.file, 0).GetElevation(), 0.0);
    EXPECT_DOUBLE_EQ(PointAt(shore.file, 1).GetElevation(), 3.0);
    // Neither altitude: no elevation rather than an invented 0.
    const Read none = ReadIgc("AXXX001\nHFDTE160701\nB1602404730500N00815250EA0000000000\n");
    EXPECT_FALSE(none.file.First().HasElevation());
}

TEST(IgcLoader, VoidFixIsFilteredWithoutGnssAltitude)
{
    const Read read = ReadIgc("AXXX001\nHFDTE160701\n"
                              "B1602404730500N00815250EA0051200530\n"
                              "B1602414730500N00815250EV0051300999\n");
    ASSERT_EQ(read.file.PointCount(), 2);
    const TrackPoint& point = PointAt(read.file, 1);
    EXPECT_FALSE(point.IsValid());
    EXPECT_EQ(point.GetStatus().GetFilterReason(), TrackPointStatus::NoGpsReason);
    EXPECT_FALSE(point.HasElevation());
    EXPECT_FALSE(point.GetGpsParams().HasFixType());
}

TEST(IgcLoader, OtherRecordsAreSkippedAndBrokenFixesCounted)
{
    const Read read = ReadIgc("AXXX001\nHFDTE160701\nHFPLTPILOT:B1602404730500N\n"
                              "C150701213841160701000102500KTri\n"
                              "C5111359N00101899WLashamClubhouse\n"
                              "LXXXB1602404730500N00815250EA0051200530\n"
                              "E160245PEV\nF160240040609123624221821\nK160248090\n"
                              "B1602404730500N00815250EA0051200530\n"
                              "B16024X4730500N00815250EA0051200530\n" // time
                              "B1602414730500X00815250EA0051200530\n" // hemisphere
                              "B1602424795000N00815250EA0051200530\n" // 95 minutes
                              "B1602434730500N00815250EX0051200530\n" // validity
                              "B1602444730500N00815250EA00512\n"      // short
                              "GREJNGJERJKNJKRE31895478537H43982FJN9248F942389T433T\n");
    ASSERT_EQ(read.file.status, TrackLoaderI::Success);
    EXPECT_EQ(read.file.PointCount(), 1);
    EXPECT_EQ(read.skipped, 5);
}

TEST(IgcLoader, NoFixIsNoTrack)
{
    EXPECT_EQ(ReadIgc("AXXX001\nHFDTE160701\nLXXX nothing flown\n").file.status, TrackLoaderI::NoTrack);
}
