#include "AreaDownload.h"
#include "AreaTiles.h"
#include "Dir.h"
#include "MapLayerParams.h"
#include "MapLayersImpl.h"
#include "MapTestSupport.h"
#include "OsmLayerCoverage.h"
#include "TestSupport.h"
#include "TileDiskCache.h"

#include <QDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

bool WaitUntilFinished(const AreaDownload& download, std::chrono::milliseconds limit = 10s)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!download.IsFinished()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// The bounds of a tile as an area, shrunk a little so that it touches no
// neighbour.
GeoRect InsideTile(int x, int y, int zoom)
{
    const GeoRect bounds = OsmLayerCoverage(0, 19).GetTileBounds({x, y, zoom, 0});
    const double inset = 1e-9;
    return {bounds.lon0 + inset, bounds.lat0 + inset, bounds.lon1 - inset, bounds.lat1 - inset};
}

class AreaDownloadTest : public ::testing::Test
{
protected:
    MapLayerParams Layer(const char* areaDownload, const QString& url)
    {
        const QString path = QDir(m_dir).filePath(QStringLiteral("layer.xml"));
        WriteTestFile(path, QStringLiteral(R"(<layer guid="g-area"%1><name>Area</name>
<source type="osm"><base_url>%2</base_url></source>
<coverage><zoom min="0" max="19"/></coverage></layer>)")
                                .arg(QLatin1String(areaDownload), url)
                                .toUtf8());
        MapLayerParams params;
        QString error;
        EXPECT_TRUE(params.Load(path, error)) << error.toStdString();
        return params;
    }

    QString m_dir = MakeTempDir();
    std::shared_ptr<TileDiskCache> m_disk = std::make_shared<TileDiskCache>(MakeTempDir(), TileDiskCache::DefaultLimit);
};

} // namespace

TEST(AreaTilesTest, CountsTheTilesOfEachZoomThatTheAreaCovers)
{
    // The whole grid: 1 + 4 + 16.
    EXPECT_EQ(AreaTiles({-180, -90, 180, 90}, 0, 2).Count(), 21);
    // Exactly one tile at zoom 3; its four children at zoom 4, sixteen at 5.
    const AreaTiles tile = AreaTiles(InsideTile(4, 2, 3), 3, 5);
    EXPECT_EQ(tile.Count(), 1 + 4 + 16);
    const std::vector<MapTile> listed = tile.List();
    ASSERT_EQ(listed.size(), 21u);
    EXPECT_EQ(listed[0], (MapTile{4, 2, 3, 0}));
    EXPECT_EQ(listed[1], (MapTile{8, 4, 4, 0}));
    EXPECT_EQ(listed[2], (MapTile{9, 4, 4, 0}));
    EXPECT_EQ(listed[3], (MapTile{8, 5, 4, 0}));
    // Lower zooms than the area's tile: its ancestors, one each.
    EXPECT_EQ(AreaTiles(InsideTile(4, 2, 3), 0, 2).Count(), 3);
    // Nothing for an empty area or a reversed zoom range.
    EXPECT_EQ(AreaTiles({10, 10, 10, 20}, 0, 5).Count(), 0);
    EXPECT_EQ(AreaTiles({-180, -90, 180, 90}, 3, 2).Count(), 0);
    // Down to zoom 19 over a city is far beyond what may be fetched.
    EXPECT_GT(AreaTiles({2.2, 48.8, 2.5, 48.9}, 10, 19).Count(), AreaDownload::MaxTiles);
}

TEST_F(AreaDownloadTest, OnlyLayersWhoseFileAllowsItMayBeFetched)
{
    EXPECT_EQ(AreaDownload::Check(Layer(R"( area_download="allowed")", QStringLiteral("https://t.example/{z}/{x}/{y}"))),
              AreaDownload::Refusal::None);
    EXPECT_EQ(AreaDownload::Check(Layer("", QStringLiteral("https://t.example/{z}/{x}/{y}"))),
              AreaDownload::Refusal::Forbidden);
    EXPECT_EQ(AreaDownload::Check(Layer(R"( area_download="allowed")", QStringLiteral("file:///tiles/{z}/{x}/{y}.png"))),
              AreaDownload::Refusal::Local);
    // The shipped layers: the public server forbids it, the others are local.
    Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR));
    const std::shared_ptr<MapLayersImpl> shipped = LoadMapLayers();
    ASSERT_TRUE(shipped->GetParams(0));
    EXPECT_EQ(AreaDownload::Check(*shipped->GetParams(0)), AreaDownload::Refusal::Forbidden);
    EXPECT_EQ(AreaDownload::Check(*shipped->GetParams(1)), AreaDownload::Refusal::Local);
    if (const auto world = shipped->GetParams(2)) {
        EXPECT_EQ(AreaDownload::Check(*world), AreaDownload::Refusal::Local);
    }
}

TEST_F(AreaDownloadTest, FetchesEveryTileOfTheAreaOntoTheDiskOnce)
{
    LoopbackHttpServer server;
    const AreaTiles area(InsideTile(4, 2, 3), 3, 4);
    const std::vector<MapTile> tiles = area.List();
    // One of the five is not on the server.
    for (const MapTile& tile : tiles)
        if (!(tile == MapTile{9, 5, 4, 0}))
            server.SetRoute(QStringLiteral("/%1/%2/%3.png").arg(tile.zoom).arg(tile.x).arg(tile.y).toStdString(),
                            LoopbackHttpServer::Route("tile-bytes"));
    const MapLayerParams layer = Layer(R"( area_download="allowed")", server.Url("/{z}/{x}/{y}.png"));
    {
        AreaDownload download(layer, m_disk, tiles);
        download.Start();
        ASSERT_TRUE(WaitUntilFinished(download));
        const AreaDownload::Progress progress = download.GetProgress();
        EXPECT_EQ(progress.total, 5);
        EXPECT_EQ(progress.done, 5);
        EXPECT_EQ(progress.failed, 1);
        EXPECT_EQ(progress.bytes, 4 * 10);
    }
    EXPECT_EQ(server.GetRequestCount(), 5);
    // Where the map looks for them.
    const std::optional<StoredTile> stored = m_disk->Read(QStringLiteral("g-area/4/8/4"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(stored->bytes.Addr()), qsizetype(stored->bytes.Size())), "tile-bytes");
    EXPECT_FALSE(m_disk->Read(QStringLiteral("g-area/4/9/5")));

    // Again: only the missing tile is asked for.
    AreaDownload again(layer, m_disk, tiles);
    again.Start();
    ASSERT_TRUE(WaitUntilFinished(again));
    EXPECT_EQ(server.GetRequestCount(), 6);
    EXPECT_EQ(again.GetProgress().bytes, 0);
}

TEST_F(AreaDownloadTest, CancelStopsTheRunningTransfersAndFetchesNoMore)
{
    LoopbackHttpServer server;
    const std::vector<MapTile> tiles = AreaTiles(InsideTile(4, 2, 3), 3, 6).List();
    ASSERT_EQ(tiles.size(), 1u + 4 + 16 + 64);
    for (const MapTile& tile : tiles)
        server.SetRoute(QStringLiteral("/%1/%2/%3.png").arg(tile.zoom).arg(tile.x).arg(tile.y).toStdString(),
                        LoopbackHttpServer::Route("slow").Delayed(300));
    const MapLayerParams layer = Layer(R"( area_download="allowed")", server.Url("/{z}/{x}/{y}.png"));
    AreaDownload download(layer, m_disk, tiles);
    download.Start();
    std::this_thread::sleep_for(450ms);
    const auto cancelled = std::chrono::steady_clock::now();
    download.Cancel();
    ASSERT_TRUE(WaitUntilFinished(download));
    // The transfers under way did not run to their end.
    EXPECT_LT(std::chrono::steady_clock::now() - cancelled, 250ms);
    const AreaDownload::Progress progress = download.GetProgress();
    EXPECT_TRUE(download.IsCancelled());
    // The loopback server answers one request at a time.
    EXPECT_GE(progress.done, 1);
    EXPECT_LT(progress.done, 8);
    EXPECT_EQ(progress.failed, 0);
    EXPECT_LE(server.GetRequestCount(), progress.done + AreaDownload::WorkerCount);
}
