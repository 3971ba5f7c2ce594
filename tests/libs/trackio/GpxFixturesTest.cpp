#include "GpxLoader.h"
#include "LoadedFile.h"
#include "PeerOracle.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace {

std::vector<int> ToInts(const QJsonValue& value)
{
    std::vector<int> ints;
    for (const QJsonValue& item : value.toArray())
        ints.push_back(item.toInt());
    return ints;
}

int Count(const QJsonObject& entry, const char* key)
{
    return entry.value(QLatin1String(key)).toInt();
}

} // namespace

// Files where we read more than the oracle on purpose.
TEST(GpxFixtures, EveryFileAgreesWithTheOracle)
{
    const PeerOracle oracle;
    const QStringList files = oracle.Files(QStringLiteral("gpx/"));
    ASSERT_GE(files.size(), 40);
    const QStringList ownReading = {
        // A prefixed GPX namespace (<ns2:gpx>): the oracle sees nothing in it,
        // we match local names and read what its xml_scan counts.
        QStringLiteral("gpx/android-gpx-parser/test.gpx"),
        // Routes only: read as one folder with the route's points.
        QStringLiteral("gpx/gpxpy/route.gpx"),
    };
    for (const QString& relativePath : files) {
        SCOPED_TRACE(relativePath.toStdString());
        GpxLoader loader;
        const LoadedFile file = LoadedFile::ReadFile(loader, PeerOracle::PathOf(relativePath));
        const QJsonObject entry = oracle.Entry(relativePath);
        if (ownReading.contains(relativePath))
            continue;
        if (!entry.value(QStringLiteral("gpsbabel_ok")).toBool()) {
            EXPECT_EQ(file.status, TrackLoaderI::ReadError);
            EXPECT_FALSE(file.error.isEmpty());
            continue;
        }
        if (Count(entry, "points") == 0) {
            EXPECT_EQ(file.status, TrackLoaderI::NoTrack) << file.error.toStdString();
            continue;
        }
        ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
        // The oracle drops empty segments as we do, but counts empty tracks;
        // we drop those too.
        EXPECT_EQ(static_cast<int>(file.segments.size()), Count(entry, "segments"));
        EXPECT_LE(file.folderPaths.size(), Count(entry, "tracks"));
        if (entry.value(QStringLiteral("points_per_segment")).isArray()) {
            EXPECT_EQ(file.PointsPerSegment(), ToInts(entry.value(QStringLiteral("points_per_segment"))));
        }
        // The oracle writes elevations with three decimals.
        PeerOracle::ExpectSamePoints(file, entry, 0.0005 + 1e-9);
    }
}

TEST(GpxFixtures, PrefixedGpxNamespaceIsReadLikeAnyOther)
{
    const PeerOracle oracle;
    const QString relativePath = QStringLiteral("gpx/android-gpx-parser/test.gpx");
    const QJsonObject scan = oracle.Entry(relativePath).value(QStringLiteral("xml_scan")).toObject();
    GpxLoader loader;
    const LoadedFile file = LoadedFile::ReadFile(loader, PeerOracle::PathOf(relativePath));
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    EXPECT_EQ(file.PointCount(), Count(scan, "trkpt"));
    EXPECT_EQ(file.segments.size(), 1u);
    long long withEle = 0;
    long long withSpeed = 0;
    for (const TrackPoint& point : file.segments.front().points->GetPoints()) {
        withEle += point.HasElevation() ? 1 : 0;
        withSpeed += point.GetGpsParams().HasGpsSpeed() ? 1 : 0;
    }
    EXPECT_EQ(withEle, Count(scan, "trkpt_with_ele"));
    // Every point has an unprefixed <speed> in m/s in its extensions; the
    // third one is 2.378365... m/s.
    EXPECT_EQ(withSpeed, file.PointCount());
    EXPECT_NEAR(file.segments.front().points->GetTrackPoint(2).GetGpsParams().GetGpsSpeed(), 2.378365 * 3.6, 1e-4);
    EXPECT_NEAR(file.First().GetLat(), 52.2488, 1e-9);
    EXPECT_NEAR(file.First().GetLon(), 5.126257, 1e-9);
}

TEST(GpxFixtures, RouteOnlyFileIsReadAsItsRoute)
{
    const PeerOracle oracle;
    const QString relativePath = QStringLiteral("gpx/gpxpy/route.gpx");
    GpxLoader loader;
    const LoadedFile file = LoadedFile::ReadFile(loader, PeerOracle::PathOf(relativePath));
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    EXPECT_EQ(file.PointCount(), Count(oracle.Entry(relativePath), "route_points"));
    EXPECT_EQ(file.segments.size(), 1u);
    EXPECT_EQ(file.folderPaths.size(), 1);
}

TEST(GpxFixtures, ReceiverValuesOfGpx10AndGarminExtensions)
{
    GpxLoader loader;
    // GPX 1.0 with every field: the one track point has fix 3d, sat 100,
    // hdop 101, vdop 102, pdop 103 (gpxpy's test file).
    const LoadedFile all = LoadedFile::ReadFile(loader, PeerOracle::PathOf(QStringLiteral("gpx/gpxpy/gpx1.0_with_all_fields.gpx")));
    ASSERT_EQ(all.status, TrackLoaderI::Success) << all.error.toStdString();
    ASSERT_EQ(all.PointCount(), 1);
    const TrackPointGpsParams& gps = all.First().GetGpsParams();
    EXPECT_EQ(gps.GetFixType(), PositionFixType::Fix3D);
    EXPECT_EQ(gps.GetSatCount(), 100);
    EXPECT_DOUBLE_EQ(gps.GetHdop(), 101);
    EXPECT_DOUBLE_EQ(gps.GetVdop(), 102);
    EXPECT_DOUBLE_EQ(gps.GetPdop(), 103);
    EXPECT_EQ(all.folderPaths, QStringList{QStringLiteral("example name t")});

    // Garmin TrackPointExtension v1: the first two points carry hr 111 /
    // cad 151 and hr 112 / cad 153.
    const LoadedFile garmin = LoadedFile::ReadFile(loader, PeerOracle::PathOf(QStringLiteral("gpx/gpsbabel/gpx_garmin_extensions.gpx")));
    ASSERT_EQ(garmin.status, TrackLoaderI::Success) << garmin.error.toStdString();
    const TrackData& points = *garmin.segments.front().points;
    EXPECT_EQ(points.GetTrackPoint(0).GetGpsParams().GetHeartRate(), 111);
    EXPECT_EQ(points.GetTrackPoint(0).GetGpsParams().GetCadence(), 151);
    EXPECT_EQ(points.GetTrackPoint(1).GetGpsParams().GetHeartRate(), 112);
    EXPECT_EQ(points.GetTrackPoint(1).GetGpsParams().GetCadence(), 153);
    EXPECT_FALSE(points.GetTrackPoint(0).GetGpsParams().HasTemperature());

    // GPX 1.0 <speed> in m/s, in a file without any namespace: 1.2, 2.2, 3.2.
    const LoadedFile speed = LoadedFile::ReadFile(loader, PeerOracle::PathOf(QStringLiteral("gpx/gpxpy/track_with_speed.gpx")));
    ASSERT_EQ(speed.status, TrackLoaderI::Success) << speed.error.toStdString();
    EXPECT_NEAR(speed.First().GetGpsParams().GetGpsSpeed(), 4.32, 1e-5);
    EXPECT_NEAR(speed.Last().GetGpsParams().GetGpsSpeed(), 11.52, 1e-5);
}
