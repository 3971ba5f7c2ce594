// IGC flight logs against what GPSBabel found in them (oracle.json). Where
// this reader disagrees, the test says why and checks what it does instead.
#include "IgcLoader.h"
#include "IsoTime.h"
#include "LoadedFile.h"
#include "PeerOracle.h"

#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <set>

namespace {

LoadedFile Load(const QString& path)
{
    IgcLoader loader;
    return LoadedFile::ReadFile(loader, PeerOracle::PathOf(path));
}

void ExpectSamePlaceAndTime(const TrackPoint& point, const QJsonObject& expected)
{
    EXPECT_NEAR(point.GetLat(), expected.value(QStringLiteral("lat")).toDouble(), 1e-6);
    EXPECT_NEAR(point.GetLon(), expected.value(QStringLiteral("lon")).toDouble(), 1e-6);
    EXPECT_EQ(IsoTime::Format(point.GetTime()), expected.value(QStringLiteral("time")).toString().toStdString());
}

// The GNSS altitude of the file's first B record, read straight from its
// columns 31 to 35.
double FirstGnssAltitude(const QString& path)
{
    QFile file(PeerOracle::PathOf(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.startsWith('B'))
            return line.mid(30, 5).toDouble();
    }
    return -1;
}

} // namespace

TEST(IgcFixtures, EveryFileIsCovered)
{
    const std::set<QString> covered = {"igc/gpsbabel/27GLQKF3.igc", "igc/gpsbabel/92GV66G1.igc",
                                       "igc/gpsbabel/92HV66G1.igc", "igc/gpsbabel/igc2.igc",
                                       "igc/gpsbabel/skydrop~kml.igc"};
    const QStringList inOracle = PeerOracle::Get().Files(QStringLiteral("igc/"));
    EXPECT_EQ(std::set<QString>(inOracle.begin(), inOracle.end()), covered);
}

TEST(IgcFixtures, LoggerWithoutPressureAltitudeReadsAlike)
{
    // Its pressure altitude is 0 throughout: the oracle makes one track, with
    // the GNSS altitude, as we do.
    const QString path = QStringLiteral("igc/gpsbabel/skydrop~kml.igc");
    const LoadedFile file = Load(path);
    ASSERT_EQ(file.status, TrackLoaderI::Success);
    EXPECT_EQ(file.PointsPerSegment(), std::vector<int>{1329});
    PeerOracle::ExpectSamePoints(file, PeerOracle::Get().Entry(path), 1e-9);
}

TEST(IgcFixtures, BothAltitudesGiveOneTrackWithGnssElevation)
{
    // The oracle makes two tracks of the same fixes, the first with the
    // pressure altitude, the second with the GNSS one. We make one segment
    // with the GNSS altitude as elevation (the pressure altitude has no
    // place in a point): half the oracle's points, its first point's place
    // and time, and its last point whole, which is the GNSS track's.
    for (const char* name : {"27GLQKF3.igc", "92GV66G1.igc", "92HV66G1.igc", "igc2.igc"}) {
        SCOPED_TRACE(name);
        const QString path = QStringLiteral("igc/gpsbabel/") + QLatin1String(name);
        const LoadedFile file = Load(path);
        const QJsonObject entry = PeerOracle::Get().Entry(path);
        ASSERT_EQ(file.status, TrackLoaderI::Success);
        const QJsonArray perTrack = entry.value(QStringLiteral("points_per_segment")).toArray();
        ASSERT_EQ(perTrack.size(), 2);
        EXPECT_EQ(perTrack[0], perTrack[1]);
        EXPECT_EQ(file.PointsPerSegment(), std::vector<int>{perTrack[0].toInt()});
        const QJsonObject first = entry.value(QStringLiteral("first")).toObject();
        ExpectSamePlaceAndTime(file.First(), first);
        // The oracle's first elevation is the pressure altitude.
        EXPECT_DOUBLE_EQ(file.First().GetElevation(), FirstGnssAltitude(path));
        EXPECT_NE(file.First().GetElevation(), first.value(QStringLiteral("ele")).toDouble());
        const QJsonObject last = entry.value(QStringLiteral("last")).toObject();
        EXPECT_NEAR(file.Last().GetElevation(), last.value(QStringLiteral("ele")).toDouble(), 1e-9);
        EXPECT_NEAR(file.Last().GetLat(), last.value(QStringLiteral("lat")).toDouble(), 1e-6);
        EXPECT_NEAR(file.Last().GetLon(), last.value(QStringLiteral("lon")).toDouble(), 1e-6);
        if (path != QLatin1String("igc/gpsbabel/igc2.igc")) {
            EXPECT_EQ(IsoTime::Format(file.Last().GetTime()),
                      last.value(QStringLiteral("time")).toString().toStdString());
        }
    }
}

TEST(IgcFixtures, ShortStepBackIsNotANewDay)
{
    // igc2.igc's fixes go from 16:03:10 back to 16:02:48. The oracle takes
    // any step back for midnight and dates the last fixes a day later
    // (2001-07-17); 22 seconds back is no midnight, so they stay on the
    // 16th, the date of the file's header.
    const QString path = QStringLiteral("igc/gpsbabel/igc2.igc");
    const LoadedFile file = Load(path);
    const QString oracleLast =
        PeerOracle::Get().Entry(path).value(QStringLiteral("last")).toObject().value(QStringLiteral("time")).toString();
    EXPECT_EQ(oracleLast, QStringLiteral("2001-07-17T16:02:52Z"));
    EXPECT_EQ(IsoTime::Format(file.Last().GetTime()), "2001-07-16T16:02:52Z");
}

TEST(IgcFixtures, SatellitesFromTheExtension)
{
    // 27GLQKF3 declares SIU in bytes 39-40 ("I053638FXA3940SIU..."); its
    // first fix holds "12" there. 92GV66G1 declares none.
    const LoadedFile withSiu = Load(QStringLiteral("igc/gpsbabel/27GLQKF3.igc"));
    ASSERT_TRUE(withSiu.First().GetGpsParams().HasSatCount());
    EXPECT_EQ(withSiu.First().GetGpsParams().GetSatCount(), 12);
    const LoadedFile without = Load(QStringLiteral("igc/gpsbabel/92GV66G1.igc"));
    EXPECT_FALSE(without.First().GetGpsParams().HasSatCount());
}
