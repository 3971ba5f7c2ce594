#include "MapServerPrefix.h"
#include "MapTile.h"
#include "OsmLayerCoverage.h"
#include "OsmMapTileUrl.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

// Metres per pixel at which zoom z fits exactly.
double ScaleOfZoom(int zoom)
{
    return 20000000.0 / 256.0 / std::ldexp(1.0, zoom);
}

std::shared_ptr<MapServerPrefix> Letters(QStringList letters)
{
    return std::make_shared<MapServerPrefix>(std::move(letters));
}

} // namespace

TEST(MapTile, KeyIsTheFourNumbersInBase36)
{
    EXPECT_EQ(MapTileKey({71, 10, 5, 0}), "1z_a_5_0");
    EXPECT_EQ(MapTileKey({0, 0, 0, 0}), "0_0_0_0");
    EXPECT_EQ(MapTileKey({36, 1295, 19, 2}), "10_zz_j_2");
}

TEST(OsmLayerCoverage, KnownPlacesFallInTheirKnownTiles)
{
    // Berlin's Brandenburg Gate and the tile servers' own numbering of it.
    EXPECT_EQ(std::floor(OsmLayerCoverage::TileX(13.3777, 10)), 550);
    EXPECT_EQ(std::floor(OsmLayerCoverage::TileY(52.5163, 10)), 335);
    EXPECT_EQ(std::floor(OsmLayerCoverage::TileX(13.3777, 16)), 35203);
    EXPECT_EQ(std::floor(OsmLayerCoverage::TileY(52.5163, 16)), 21493);
    // Null Island sits on the corner of the four middle tiles.
    EXPECT_DOUBLE_EQ(OsmLayerCoverage::TileX(0, 1), 1.0);
    EXPECT_NEAR(OsmLayerCoverage::TileY(0, 1), 1.0, 1e-12);
    // The mercator edge of the world.
    EXPECT_NEAR(OsmLayerCoverage::TileLat(0, 0), 85.0511287798, 1e-9);
    EXPECT_NEAR(OsmLayerCoverage::TileLat(1, 0), -85.0511287798, 1e-9);
}

TEST(OsmLayerCoverage, TileBoundsRoundTripToTheTileEdges)
{
    const OsmLayerCoverage coverage(0, 19);
    const MapTile tile{550, 335, 10, 0};
    const GeoRect bounds = coverage.GetTileBounds(tile);
    // West, south, east, north.
    EXPECT_LT(bounds.lon0, bounds.lon1);
    EXPECT_LT(bounds.lat0, bounds.lat1);
    EXPECT_NEAR(OsmLayerCoverage::TileX(bounds.lon0, 10), 550.0, 1e-9);
    EXPECT_NEAR(OsmLayerCoverage::TileX(bounds.lon1, 10), 551.0, 1e-9);
    EXPECT_NEAR(OsmLayerCoverage::TileY(bounds.lat1, 10), 335.0, 1e-9);
    EXPECT_NEAR(OsmLayerCoverage::TileY(bounds.lat0, 10), 336.0, 1e-9);
    EXPECT_TRUE(bounds.lon0 < 13.3777 && 13.3777 < bounds.lon1);
    EXPECT_TRUE(bounds.lat0 < 52.5163 && 52.5163 < bounds.lat1);

    const GeoRect world = coverage.GetTileBounds({0, 0, 0, 0});
    EXPECT_DOUBLE_EQ(world.lon0, -180.0);
    EXPECT_DOUBLE_EQ(world.lon1, 180.0);
    EXPECT_NEAR(world.lat1, 85.0511287798, 1e-9);
}

TEST(OsmLayerCoverage, ZoomFollowsTheScaleWithinTheLayersRange)
{
    const OsmLayerCoverage wide(0, 19);
    EXPECT_EQ(wide.GetZoom(ScaleOfZoom(12)), 12);
    // Just coarser than zoom 12 needs: zoom 11, magnified a little.
    EXPECT_EQ(wide.GetZoom(ScaleOfZoom(12) * 1.01), 11);
    EXPECT_EQ(wide.GetZoom(ScaleOfZoom(12) * 0.99), 12);
    EXPECT_EQ(wide.GetZoom(24000), 1);

    // Finer than the layer goes: its deepest zoom, magnified.
    const OsmLayerCoverage shallow(3, 15);
    EXPECT_EQ(shallow.GetZoom(0.02), 15);
    EXPECT_EQ(shallow.GetZoom(ScaleOfZoom(16)), 15);
    EXPECT_EQ(shallow.GetZoom(24000), 3);
    EXPECT_EQ(shallow.GetMinZoom(), 3);
    EXPECT_EQ(shallow.GetMaxZoom(), 15);

    // A ratio of 2 takes tiles one level finer for the same scale.
    const OsmLayerCoverage retina(0, 19, 2.0);
    EXPECT_EQ(retina.GetZoom(ScaleOfZoom(12)), 13);
}

TEST(OsmLayerCoverage, TilesAreListedRowByRowFromTheNorthWest)
{
    const OsmLayerCoverage coverage(0, 19);
    // Within the middle of tile (550, 335) at zoom 10: the far edges round
    // up, so the next column and row come too.
    const std::vector<MapTile> tiles = coverage.GetTiles({13.4, 52.5, 13.6, 52.6}, 10);
    const std::vector<MapTile> expected = {
        {550, 335, 10, 0}, {551, 335, 10, 0}, {550, 336, 10, 0}, {551, 336, 10, 0}};
    EXPECT_EQ(tiles, expected);
}

TEST(OsmLayerCoverage, TheNearEdgesAreClampedToTheWorld)
{
    const OsmLayerCoverage coverage(0, 19);
    const std::vector<MapTile> tiles = coverage.GetTiles({-200, -60, 180, 89}, 1);
    // x and y from 0 (clamped) to 2 (ceil of the far edge, not clamped).
    ASSERT_EQ(tiles.size(), 9u);
    EXPECT_EQ(tiles.front(), (MapTile{0, 0, 1, 0}));
    EXPECT_EQ(tiles[1], (MapTile{1, 0, 1, 0}));
    EXPECT_EQ(tiles[3], (MapTile{0, 1, 1, 0}));
    EXPECT_EQ(tiles.back(), (MapTile{2, 2, 1, 0}));
}

TEST(OsmMapTileUrl, PlaceholdersAreFilledInAnyCase)
{
    const OsmMapTileUrl url(QStringLiteral("https://{SP}.tile.example.org/{Z}/{x}/{Y}.png"), Letters({"a"}));
    EXPECT_EQ(url.GetUrl({550, 335, 10, 0}), QStringLiteral("https://a.tile.example.org/10/550/335.png"));
}

TEST(OsmMapTileUrl, UnknownNamesAndUnclosedBracesStayAsWritten)
{
    const OsmMapTileUrl url(QStringLiteral("http://h/{z}/{x}/{y}.png?key={apikey}&{}&{x"), Letters({}));
    EXPECT_EQ(url.GetUrl({1, 2, 3, 0}), QStringLiteral("http://h/3/1/2.png?key={apikey}&{}&{x"));
    const OsmMapTileUrl plain(QStringLiteral("file:///tiles/base.png"), nullptr);
    EXPECT_EQ(plain.GetUrl({1, 2, 3, 0}), QStringLiteral("file:///tiles/base.png"));
}

TEST(OsmMapTileUrl, ALayerWithoutLettersHasAnEmptyPrefix)
{
    const OsmMapTileUrl url(QStringLiteral("https://{sp}tiles.example.org/{z}/{x}/{y}.png"), Letters({}));
    EXPECT_EQ(url.GetUrl({7, 8, 4, 0}), QStringLiteral("https://tiles.example.org/4/7/8.png"));
}

TEST(OsmMapTileUrl, TheServerLetterIsChosenAnewForEveryUrl)
{
    const OsmMapTileUrl url(QStringLiteral("{sp}"), Letters({"a", "b", "c"}));
    QSet<QString> seen;
    for (int i = 0; i < 300; ++i)
        seen.insert(url.GetUrl({}));
    EXPECT_EQ(seen, (QSet<QString>{"a", "b", "c"}));
}
