// GeoJSON files written by other programs, against what GPSBabel found in
// them (oracle.json). Where this reader disagrees, the test says why and
// checks what it does instead.
#include "GeoJsonLoader.h"
#include "LoadedFile.h"
#include "PeerOracle.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <set>

namespace {

LoadedFile Load(const QString& path)
{
    GeoJsonLoader loader;
    return LoadedFile::ReadFile(loader, PeerOracle::PathOf(path));
}

struct Fixture
{
    const char* path;
    // Segments read from LineString features. The oracle makes a route of a
    // LineString and tracks only of MultiLineStrings; a line recorded by a
    // device is a track whichever of the two a writer chose, so we read both
    // as tracks. These segments come first in the file, so the oracle's
    // tracks are our segments after them.
    int lineStringSegments;
    // Route points of the oracle that we do not read: its routes hold the
    // LineStrings (read by us as the segments above) and the outer rings of
    // Polygons, which are areas, not tracks.
    int polygonRoutePoints;
};

// geojson.geojson has one feature of each geometry type, in the order
// Point, MultiPoint, Polygon, LineString, MultiPolygon, MultiLineString.
const Fixture kFixtures[] = {
    {"geojson/gpsbabel/geojson.geojson", 1, 8},
};

} // namespace

TEST(GeoJsonFixtures, EveryFileIsCovered)
{
    std::set<QString> covered;
    for (const Fixture& fixture : kFixtures)
        covered.insert(QString::fromLatin1(fixture.path));
    const QStringList inOracle = PeerOracle::Get().Files(QStringLiteral("geojson/"));
    EXPECT_EQ(std::set<QString>(inOracle.begin(), inOracle.end()), covered);
}

TEST(GeoJsonFixtures, TracksAsTheOracleWithLineStringsReadAsTracksToo)
{
    for (const Fixture& fixture : kFixtures) {
        SCOPED_TRACE(fixture.path);
        const QString path = QString::fromLatin1(fixture.path);
        const QJsonObject entry = PeerOracle::Get().Entry(path);
        LoadedFile file = Load(path);
        ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
        ASSERT_GE(static_cast<int>(file.segments.size()), fixture.lineStringSegments);

        long long lineStringPoints = 0;
        for (int i = 0; i < fixture.lineStringSegments; ++i)
            lineStringPoints += file.segments[static_cast<size_t>(i)].points->GetPointCount();
        EXPECT_EQ(lineStringPoints + fixture.polygonRoutePoints,
                  entry.value(QStringLiteral("route_points")).toInteger())
            << "the oracle's route points are our LineString points and the polygons' rings";

        file.segments.erase(file.segments.begin(), file.segments.begin() + fixture.lineStringSegments);
        EXPECT_EQ(file.PointsPerSegment(), PeerOracle::PointsPerSegment(entry));
        PeerOracle::ExpectSamePoints(file, entry, 1e-6);
    }
}

TEST(GeoJsonFixtures, PointsAndMultiPointsAreTheOraclesWaypoints)
{
    for (const Fixture& fixture : kFixtures) {
        SCOPED_TRACE(fixture.path);
        const QString path = QString::fromLatin1(fixture.path);
        const LoadedFile file = Load(path);
        EXPECT_EQ(file.fileExtrasHead.count("<wpt "),
                  PeerOracle::Get().Entry(path).value(QStringLiteral("waypoints")).toInteger());
    }
}
