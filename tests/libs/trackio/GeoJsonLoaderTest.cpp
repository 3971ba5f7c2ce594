#include "GeoJsonLoader.h"
#include "IsoTime.h"
#include "LoadedFile.h"

#include <gtest/gtest.h>

namespace {

LoadedFile Read(const QByteArray& json)
{
    GeoJsonLoader loader;
    return LoadedFile::ReadBytes(loader, json);
}

std::string TimeOf(const TrackPoint& point)
{
    return IsoTime::Format(point.GetTime());
}

} // namespace

TEST(GeoJsonLoader, LineStringIsASegmentWithTimesAndElevations)
{
    const LoadedFile file = Read(R"({"type": "Feature",
        "properties": {"name": "Ridge", "coordTimes": ["2024-05-01T10:00:00Z", "2024-05-01T10:00:05.250Z", 1714557610000]},
        "geometry": {"type": "LineString", "coordinates": [[7.5, 46.25, 1520.5], [7.501, 46.2505], [7.502, 46.251, 1522, 99]]}})");
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    ASSERT_EQ(file.segments.size(), 1u);
    EXPECT_EQ(file.segments[0].name, QStringLiteral("Ridge"));
    EXPECT_TRUE(file.folderPaths.isEmpty());
    const std::vector<TrackPoint>& points = file.segments[0].points->GetPoints();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_DOUBLE_EQ(points[0].GetLon(), 7.5);
    EXPECT_DOUBLE_EQ(points[0].GetLat(), 46.25);
    EXPECT_DOUBLE_EQ(points[0].GetElevation(), 1520.5);
    EXPECT_FALSE(points[1].HasElevation()) << "two numbers: no elevation";
    EXPECT_DOUBLE_EQ(points[2].GetElevation(), 1522.0) << "a fourth number is not read";
    EXPECT_EQ(TimeOf(points[0]), "2024-05-01T10:00:00Z");
    EXPECT_EQ(TimeOf(points[1]), "2024-05-01T10:00:05.250Z");
    // 1714557610000 ms after 1970 is 2024-05-01T10:00:10Z.
    EXPECT_EQ(TimeOf(points[2]), "2024-05-01T10:00:10Z");
}

TEST(GeoJsonLoader, MultiLineStringGivesASegmentPerLineWithItsOwnTimes)
{
    const LoadedFile file = Read(R"({"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {"name": "Two days",
          "coordTimes": [["2024-05-01T08:00:00Z", "2024-05-01T08:01:00Z"], ["2024-05-02T09:00:00Z"]]},
         "geometry": {"type": "MultiLineString", "coordinates": [[[1, 2], [1.1, 2.1]], [[3, 4, 10], [3.1, 4.1, 11]]]}}]})");
    ASSERT_EQ(file.status, TrackLoaderI::Success) << file.error.toStdString();
    EXPECT_EQ(file.PointsPerSegment(), (std::vector<int>{2, 2}));
    EXPECT_EQ(file.SegmentNames(), (QStringList{QStringLiteral("Two days"), QStringLiteral("Two days")}));
    const std::vector<TrackPoint>& second = file.segments[1].points->GetPoints();
    EXPECT_EQ(TimeOf(second[0]), "2024-05-02T09:00:00Z");
    EXPECT_TRUE(second[1].GetTime().IsNull()) << "fewer times than positions: the rest have none";
    EXPECT_DOUBLE_EQ(second[1].GetElevation(), 11.0);
}

TEST(GeoJsonLoader, BareGeometriesAndCollectionsAreReadThrough)
{
    const LoadedFile bare = Read(R"({"type": "LineString", "coordinates": [[10, 20], [10.5, 20.5]]})");
    ASSERT_EQ(bare.status, TrackLoaderI::Success);
    EXPECT_EQ(bare.PointCount(), 2);
    const LoadedFile collection = Read(R"({"type": "Feature", "properties": null, "geometry":
        {"type": "GeometryCollection", "geometries": [{"type": "LineString", "coordinates": [[1, 1], [2, 2]]},
                                                    {"type": "Polygon", "coordinates": [[[0, 0], [1, 0], [0, 1], [0, 0]]]}]}})");
    ASSERT_EQ(collection.status, TrackLoaderI::Success);
    EXPECT_EQ(collection.PointsPerSegment(), std::vector<int>{2}) << "the polygon is an area, not a track";
}

TEST(GeoJsonLoader, PointsAreKeptAsGpxWaypointsOfTheFile)
{
    const LoadedFile file = Read(R"({"type": "FeatureCollection", "features": [
        {"type": "Feature", "properties": {"name": "Hut & spring", "time": "2024-05-01T12:00:00Z"},
         "geometry": {"type": "Point", "coordinates": [7.25, 46.5, 2010.5]}},
        {"type": "Feature", "properties": {}, "geometry": {"type": "MultiPoint", "coordinates": [[8, 47]]}},
        {"type": "Feature", "properties": {}, "geometry": {"type": "LineString", "coordinates": [[8, 47], [8.1, 47.1]]}}]})");
    ASSERT_EQ(file.status, TrackLoaderI::Success);
    EXPECT_EQ(file.fileExtrasHead,
              QByteArray("  <wpt lat=\"46.5\" lon=\"7.25\"><ele>2010.5</ele><time>2024-05-01T12:00:00Z</time>"
                         "<name>Hut &amp; spring</name></wpt>\n"
                         "  <wpt lat=\"47\" lon=\"8\"></wpt>\n"));
}

TEST(GeoJsonLoader, WaypointsAloneHoldNoTrack)
{
    const LoadedFile file = Read(R"({"type": "Point", "coordinates": [7.25, 46.5]})");
    EXPECT_EQ(file.status, TrackLoaderI::NoTrack);
}

TEST(GeoJsonLoader, BrokenJsonFailsAtItsLine)
{
    const LoadedFile file = Read("{\"type\": \"LineString\",\n \"coordinates\": [[1, 2],\n [3, 4]\n");
    EXPECT_EQ(file.status, TrackLoaderI::ReadError);
    EXPECT_TRUE(file.error.startsWith(QStringLiteral("line 4"))) << file.error.toStdString();
}

TEST(GeoJsonLoader, PositionsOutOfRangeOrNotNumbersFail)
{
    for (const char* json : {R"({"type": "LineString", "coordinates": [[1, 2], [200, 4]]})",
                             R"({"type": "LineString", "coordinates": [[1, 2], ["3", 4]]})",
                             R"({"type": "LineString", "coordinates": [[1, 2], [3]]})"}) {
        const LoadedFile file = Read(json);
        EXPECT_EQ(file.status, TrackLoaderI::ReadError) << json;
        EXPECT_TRUE(file.error.contains(QStringLiteral("not [longitude, latitude]"))) << file.error.toStdString();
    }
    EXPECT_EQ(Read("[1, 2]").status, TrackLoaderI::ReadError) << "an array is no GeoJSON object";
}
