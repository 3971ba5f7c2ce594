// NMEA, OziExplorer and Magellan files written by receivers and other
// programs, against what GPSBabel found in them (oracle.json). Where this
// reader disagrees, the test says why and checks what it does instead.
#include "IsoTime.h"
#include "LoadedFile.h"
#include "MagellanLoader.h"
#include "NmeaLoader.h"
#include "OziLoader.h"
#include "PeerOracle.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

LoadedFile Load(TrackLoaderBase& loader, const char* path)
{
    return LoadedFile::ReadFile(loader, PeerOracle::PathOf(QString::fromLatin1(path)));
}

QJsonObject Entry(const char* path)
{
    return PeerOracle::Get().Entry(QString::fromLatin1(path));
}

std::vector<const TrackPoint*> ValidPoints(const LoadedFile& file)
{
    std::vector<const TrackPoint*> valid;
    for (const LoadedFile::Segment& segment : file.segments) {
        for (const TrackPoint& point : segment.points->GetPoints()) {
            if (point.IsValid())
                valid.push_back(&point);
        }
    }
    return valid;
}

double SecondsBetween(const Time& a, const Time& b)
{
    return std::fabs((a - b).GetInSeconds());
}

// Position and elevation as the oracle gives them; the time is checked by
// the caller where it differs.
void ExpectSamePlace(const TrackPoint& point, const QJsonValue& expected, double eleTolerance = 1e-6)
{
    const QJsonObject object = expected.toObject();
    EXPECT_NEAR(point.GetLat(), object.value(QStringLiteral("lat")).toDouble(), 1e-6);
    EXPECT_NEAR(point.GetLon(), object.value(QStringLiteral("lon")).toDouble(), 1e-6);
    const QJsonValue ele = object.value(QStringLiteral("ele"));
    ASSERT_EQ(point.HasElevation(), !ele.isNull());
    if (!ele.isNull()) {
        EXPECT_NEAR(point.GetElevation(), ele.toDouble(), eleTolerance);
    }
}

Time OracleTime(const QJsonValue& point)
{
    return IsoTime::Parse(point.toObject().value(QStringLiteral("time")).toString().toStdString());
}

} // namespace

// Every file of the three formats in the oracle is covered below.
TEST(LineFixtures, EveryFileIsCovered)
{
    const std::set<QString> covered = {
        "nmea/gpsbabel/adddate.nmea",     "nmea/gpsbabel/addmultipledaysmid.nmea", "nmea/gpsbabel/backfilldate.nmea",
        "nmea/gpsbabel/nmea",             "nmea/gpsbabel/nmea+ms.txt",             "nmea/gpsbabel/nmea_utf16",
        "nmea/gpsbabel/waypoints.nmea",   "nmea/gpsd/april6_2019.log",             "nmea/gpsd/com-1289.log",
        "nmea/gpsd/eXplorist210.log",     "nmea/gpsd/firefly-II.log",              "nmea/gpsd/garmin-geko201.log",
        "nmea/gpsd/haicom-305N.log",      "nmea/gpsd/holux-gm-210.log",            "nmea/gpsd/iTrek.log",
        "nmea/gpsd/nmea-fuzzy-cases.log", "nmea/gpsd/tomtom-mkII.log",             "plt/gpsbabel/20070813_short.plt",
        "plt/gpsbabel/ozitracks~gpx-2.plt", "plt/gpsbabel/ozitracks~gpx.plt",      "plt/mapsoft2/20040222_full.plt",
        "plt/mapsoft2/brd_n49.plt",       "plt/mapsoft2/ozi1.plt",                 "magellan/gpsbabel/magellandate.log",
    };
    QStringList inOracle = PeerOracle::Get().Files(QStringLiteral("nmea/"));
    inOracle += PeerOracle::Get().Files(QStringLiteral("plt/"));
    inOracle += PeerOracle::Get().Files(QStringLiteral("magellan/"));
    EXPECT_EQ(std::set<QString>(inOracle.begin(), inOracle.end()), covered);
}

// Files where both readers pair the sentences alike: the same points, the
// same first and last point, the same times.
TEST(LineFixtures, NmeaLogsReadAlike)
{
    for (const char* path : {"nmea/gpsbabel/addmultipledaysmid.nmea", "nmea/gpsbabel/backfilldate.nmea",
                             "nmea/gpsbabel/nmea", "nmea/gpsbabel/nmea_utf16", "nmea/gpsd/firefly-II.log",
                             "nmea/gpsd/nmea-fuzzy-cases.log"}) {
        SCOPED_TRACE(path);
        NmeaLoader loader;
        const LoadedFile file = Load(loader, path);
        ASSERT_EQ(file.status, TrackLoaderI::Success);
        EXPECT_EQ(file.PointsPerSegment(), PeerOracle::PointsPerSegment(Entry(path)));
        EXPECT_EQ(ValidPoints(file).size(), static_cast<size_t>(file.PointCount()));
        PeerOracle::ExpectSamePoints(file, Entry(path), 1e-6);
    }
}

TEST(LineFixtures, FireflyChecksumErrorsAreCounted)
{
    // Every GGA of this log has a wrong checksum (23 of them): the points
    // come from RMC alone, so none has an elevation, as the oracle says.
    NmeaLoader loader;
    Load(loader, "nmea/gpsd/firefly-II.log");
    const QJsonObject scan = Entry("nmea/gpsd/firefly-II.log").value(QStringLiteral("nmea_scan")).toObject();
    EXPECT_EQ(loader.GetStats().badChecksum, scan.value(QStringLiteral("checksum_bad")).toInteger());
}

TEST(LineFixtures, WaypointsOnlyIsNoTrack)
{
    NmeaLoader loader;
    const LoadedFile file = Load(loader, "nmea/gpsbabel/waypoints.nmea");
    EXPECT_EQ(file.status, TrackLoaderI::NoTrack);
    EXPECT_EQ(file.error, QStringLiteral("no sentence with a track point (9 read)"));
}

TEST(LineFixtures, LogWithoutDateKeepsItsPoints)
{
    // GGA only, no date anywhere: the oracle drops all 500 points. We keep
    // them without times; positions match the oracle's second reading with a
    // preset date.
    const char* path = "nmea/gpsbabel/adddate.nmea";
    NmeaLoader loader;
    const LoadedFile file = Load(loader, path);
    ASSERT_EQ(file.status, TrackLoaderI::Success);
    const QJsonObject preset = Entry(path).value(QStringLiteral("with_preset_date")).toObject();
    ASSERT_EQ(file.PointCount(), preset.value(QStringLiteral("points")).toInteger());
    ExpectSamePlace(file.First(), preset.value(QStringLiteral("first")));
    ExpectSamePlace(file.Last(), preset.value(QStringLiteral("last")));
    EXPECT_TRUE(file.First().GetTime().IsNull());
    EXPECT_TRUE(file.Last().GetTime().IsNull());
}

TEST(LineFixtures, VoidFixesKeptFiltered)
{
    // The oracle skips fixes marked void; we keep them as points filtered
    // "No GPS". The valid points are exactly the oracle's.
    for (const char* path : {"nmea/gpsd/haicom-305N.log", "nmea/gpsd/tomtom-mkII.log"}) {
        SCOPED_TRACE(path);
        NmeaLoader loader;
        const LoadedFile file = Load(loader, path);
        const QJsonObject entry = Entry(path);
        const std::vector<const TrackPoint*> valid = ValidPoints(file);
        ASSERT_EQ(static_cast<long long>(valid.size()), entry.value(QStringLiteral("points")).toInteger());
        EXPECT_GT(file.PointCount(), static_cast<long long>(valid.size()));
        for (const LoadedFile::Segment& segment : file.segments) {
            for (const TrackPoint& point : segment.points->GetPoints())
                EXPECT_TRUE(point.IsValid() || point.GetStatus().GetFilterReason() == 1);
        }
        ExpectSamePlace(*valid.front(), entry.value(QStringLiteral("first")));
        ExpectSamePlace(*valid.back(), entry.value(QStringLiteral("last")));
        EXPECT_EQ(valid.front()->GetTime(), OracleTime(entry.value(QStringLiteral("first"))));
        EXPECT_EQ(valid.back()->GetTime(), OracleTime(entry.value(QStringLiteral("last"))));
    }
}

TEST(LineFixtures, ReceiverWithoutFixGivesOnlyFilteredPoints)
{
    // Holux: every fix is void (GGA quality 0, RMC V). The oracle finds no
    // point (but counts an empty track); we have 11 filtered points, one per
    // GGA but the last, which is cut off without a checksum (the log's own
    // note says so) and so cannot be trusted.
    NmeaLoader loader;
    const LoadedFile holux = Load(loader, "nmea/gpsd/holux-gm-210.log");
    ASSERT_EQ(holux.status, TrackLoaderI::Success);
    EXPECT_EQ(holux.PointCount(), 11);
    EXPECT_TRUE(ValidPoints(holux).empty());
    EXPECT_EQ(loader.GetStats().unreadable, 1);
    EXPECT_EQ(IsoTime::Format(holux.First().GetTime()), "2005-04-05T01:25:19.563Z");

    // Garmin Geko in demo mode: RMC status V throughout. The oracle skips the
    // void RMC and so never sees a date; we keep 18 filtered points dated
    // 2005-06-14 by those RMC, at the positions and times of day the oracle
    // gives with a preset date.
    const char* path = "nmea/gpsd/garmin-geko201.log";
    const LoadedFile geko = Load(loader, path);
    const QJsonObject preset = Entry(path).value(QStringLiteral("with_preset_date")).toObject();
    ASSERT_EQ(geko.PointCount(), preset.value(QStringLiteral("points")).toInteger());
    EXPECT_TRUE(ValidPoints(geko).empty());
    ExpectSamePlace(geko.First(), preset.value(QStringLiteral("first")));
    ExpectSamePlace(geko.Last(), preset.value(QStringLiteral("last")));
    EXPECT_EQ(IsoTime::Format(geko.First().GetTime()), "2005-06-14T21:43:50Z");
    EXPECT_EQ(geko.First().GetTime().GetTime(), OracleTime(preset.value(QStringLiteral("first"))).GetTime());
    EXPECT_EQ(loader.GetStats().unreadable, 1) << "the $GPBOD with a star and no checksum";
}

TEST(LineFixtures, EverySentenceTimeIsAPoint)
{
    // The oracle "mostly follows GGA" and drops RMC-only fixes; we make a
    // point of every fix time with a position. The counts are the distinct
    // times of RMC/GGA/GLL with a position, counted with a script apart.
    struct Case
    {
        const char* path;
        long long points;
        long long withEle;
    };
    for (const Case& c : {Case{"nmea/gpsd/iTrek.log", 35, 23}, Case{"nmea/gpsbabel/nmea+ms.txt", 37, 30}}) {
        SCOPED_TRACE(c.path);
        NmeaLoader loader;
        const LoadedFile file = Load(loader, c.path);
        ASSERT_EQ(file.PointCount(), c.points);
        long long withEle = 0;
        for (const TrackPoint& point : file.segments.at(0).points->GetPoints())
            withEle += point.HasElevation() ? 1 : 0;
        EXPECT_EQ(withEle, c.withEle);
        const QJsonObject entry = Entry(c.path);
        ExpectSamePlace(file.First(), entry.value(QStringLiteral("first")));
    }
    // iTrek's last fix is an RMC alone: the oracle lends it the elevation of
    // the GGA before; we do not.
    NmeaLoader loader;
    const LoadedFile iTrek = Load(loader, "nmea/gpsd/iTrek.log");
    EXPECT_FALSE(iTrek.Last().HasElevation());
    EXPECT_EQ(iTrek.Last().GetTime(), OracleTime(Entry("nmea/gpsd/iTrek.log").value(QStringLiteral("last"))));
    // nmea+ms.txt starts with a GGA of 09:31:56.000 alone; the oracle gives
    // its position the time of the next RMC (.500).
    const LoadedFile ms = Load(loader, "nmea/gpsbabel/nmea+ms.txt");
    EXPECT_EQ(IsoTime::Format(ms.First().GetTime()), "2007-08-17T09:31:56Z");
    const QJsonObject entry = Entry("nmea/gpsbabel/nmea+ms.txt");
    ExpectSamePlace(ms.Last(), entry.value(QStringLiteral("last")));
    EXPECT_EQ(ms.Last().GetTime(), OracleTime(entry.value(QStringLiteral("last"))));
}

TEST(LineFixtures, GgaAndRmcOfOneTimeMerge)
{
    // com-1289: the oracle leaves the first RMC apart from its GGA, so its
    // first point lacks an elevation (13 of 14 have one); merged, all 14 do.
    const char* path = "nmea/gpsd/com-1289.log";
    NmeaLoader loader;
    const LoadedFile file = Load(loader, path);
    const QJsonObject entry = Entry(path);
    ASSERT_EQ(file.PointCount(), entry.value(QStringLiteral("points")).toInteger());
    EXPECT_TRUE(file.First().HasElevation());
    EXPECT_DOUBLE_EQ(file.First().GetElevation(), 42.2);
    EXPECT_EQ(file.First().GetTime(), OracleTime(entry.value(QStringLiteral("first"))));
    ExpectSamePlace(file.Last(), entry.value(QStringLiteral("last")));
    EXPECT_EQ(loader.GetStats().badChecksum, 1);

    // eXplorist 210: GLL times have a digit more (19.295 beside 19.30); the
    // oracle makes the first GLL a point of its own (5 points), we merge it
    // with its GGA and RMC (4 points, each with GGA's elevation).
    const LoadedFile explorist = Load(loader, "nmea/gpsd/eXplorist210.log");
    ASSERT_EQ(explorist.PointCount(), 4);
    const QJsonObject ex = Entry("nmea/gpsd/eXplorist210.log");
    EXPECT_NEAR(explorist.First().GetLat(), ex.value(QStringLiteral("first"))[QStringLiteral("lat")].toDouble(), 1e-6);
    EXPECT_EQ(explorist.First().GetTime(), OracleTime(ex.value(QStringLiteral("first"))));
    EXPECT_TRUE(explorist.First().HasElevation());
}

TEST(LineFixtures, TwoDigitYearsOfTheEighties)
{
    // The oracle reads years 98 and 99 as 2098 and 2099; no receiver wrote a
    // date before 1980, so they are 1998 and 1999 here. (april6_2019's "99"
    // is the Telit week-rollover bug: both readings are wrong there.) The
    // rest of each point is the oracle's.
    struct Case
    {
        const char* path;
        bool magellan;
        const char* firstTime;
    };
    for (const Case& c : {Case{"nmea/gpsd/april6_2019.log", false, "1999-08-22T00:02:31.099Z"},
                          Case{"magellan/gpsbabel/magellandate.log", true, "1998-08-07T03:29:08.380Z"}}) {
        SCOPED_TRACE(c.path);
        NmeaLoader nmea;
        MagellanLoader magellan;
        const LoadedFile file = c.magellan ? Load(magellan, c.path) : Load(nmea, c.path);
        const QJsonObject entry = Entry(c.path);
        EXPECT_EQ(file.PointsPerSegment(), PeerOracle::PointsPerSegment(entry));
        ExpectSamePlace(file.First(), entry.value(QStringLiteral("first")));
        ExpectSamePlace(file.Last(), entry.value(QStringLiteral("last")));
        EXPECT_EQ(IsoTime::Format(file.First().GetTime()), c.firstTime);
        const Time oracleFirst = OracleTime(entry.value(QStringLiteral("first")));
        EXPECT_EQ(file.First().GetTime().GetTime(), oracleFirst.GetTime()) << "the same time of day";
    }
    MagellanLoader magellan;
    const LoadedFile file = Load(magellan, "magellan/gpsbabel/magellandate.log");
    const QJsonValue last = Entry("magellan/gpsbabel/magellandate.log").value(QStringLiteral("last"));
    EXPECT_EQ(file.Last().GetTime(), OracleTime(last));
}

TEST(LineFixtures, OziTracksReadAlike)
{
    for (const char* path : {"plt/gpsbabel/20070813_short.plt", "plt/gpsbabel/ozitracks~gpx-2.plt",
                             "plt/gpsbabel/ozitracks~gpx.plt", "plt/mapsoft2/20040222_full.plt",
                             "plt/mapsoft2/brd_n49.plt", "plt/mapsoft2/ozi1.plt"}) {
        SCOPED_TRACE(path);
        OziLoader loader;
        const LoadedFile file = Load(loader, path);
        const QJsonObject entry = Entry(path);
        ASSERT_EQ(file.status, TrackLoaderI::Success);
        // The oracle makes a track of each run between breaks; here they are
        // the segments of the file's one track.
        EXPECT_EQ(file.PointsPerSegment(), PeerOracle::PointsPerSegment(entry));
        EXPECT_EQ(file.folderPaths.size(), 1);
        // Feet to metres leave the oracle's three decimals.
        ExpectSamePlace(file.First(), entry.value(QStringLiteral("first")), 1e-3);
        ExpectSamePlace(file.Last(), entry.value(QStringLiteral("last")), 1e-3);
        long long withTime = 0, withEle = 0;
        for (const LoadedFile::Segment& segment : file.segments) {
            for (const TrackPoint& point : segment.points->GetPoints()) {
                withTime += point.GetTime().IsNull() ? 0 : 1;
                withEle += point.HasElevation() ? 1 : 0;
                // The day counts here all stand for whole seconds.
                if (!point.GetTime().IsNull()) {
                    EXPECT_EQ(point.GetTime().GetMicroseconds() % 1000000, 0);
                }
            }
        }
        EXPECT_EQ(withTime, entry.value(QStringLiteral("points_with_time")).toInteger());
        EXPECT_EQ(withEle, entry.value(QStringLiteral("points_with_ele")).toInteger());
        // The oracle turns the day count into whole seconds plus a fraction
        // made of the count's own digits (39307.3279977 gives .328): within a
        // second of ours, never the same.
        for (const auto& [point, which] : {std::pair{&file.First(), "first"}, std::pair{&file.Last(), "last"}}) {
            const QJsonValue expected = entry.value(QString::fromLatin1(which));
            if (expected[QStringLiteral("time")].isNull()) {
                EXPECT_TRUE(point->GetTime().IsNull()) << which;
            } else {
                EXPECT_LT(SecondsBetween(point->GetTime(), OracleTime(expected)), 1.0) << which;
            }
        }
    }
}

TEST(LineFixtures, OziTimesMatchTheTextColumns)
{
    // 20070813_short.plt writes UTC in its text columns too ("07:52:19").
    OziLoader loader;
    const LoadedFile file = Load(loader, "plt/gpsbabel/20070813_short.plt");
    EXPECT_EQ(IsoTime::Format(file.First().GetTime()), "2007-08-13T07:52:19Z");
    EXPECT_EQ(file.folderPaths, QStringList{QString::fromUtf8("Vézelay / Cuncy-lès-Varzy")}) << "Latin-1 description";
    EXPECT_EQ(loader.GetDatum(), QStringLiteral("WGS 84"));
    // brd_n49.plt gives the Unix epoch as the day count of every point:
    // no time, as the oracle says.
    const LoadedFile brd = Load(loader, "plt/mapsoft2/brd_n49.plt");
    EXPECT_TRUE(brd.First().GetTime().IsNull());
}
