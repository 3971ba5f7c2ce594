#include "MapTileDrawer.h"
#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "LruCacheImpl.h"
#include "MapDownloaderData.h"
#include "MapLayerParamsI.h"
#include "MapLayersImpl.h"
#include "MapTestSupport.h"
#include "TestSupport.h"
#include "TileDiskCache.h"
#include "WorldBasemap.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

constexpr QRgb Face = 0xFFEEEEEE;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Green = 0xFF00FF00;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Yellow = 0xFFFFFF00;
constexpr int ViewSize = 64;

// A 64-pixel view at zoom 3 (6000 m per pixel), centred on the border
// between tiles (4, 2) and (5, 2): tile 4 fills the left half, tile 5 the
// right half. Their parent at zoom 2 is (2, 1), of which they are the upper
// quarters.
class MapTileDrawerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_transform.SetViewRect({0, 0, ViewSize, ViewSize});
        m_transform.SetScale(6000);
        m_transform.SetCenter({45.0, 55.0});
    }

    // A layer over the tile folder of this test with the given zoom range.
    std::shared_ptr<MapLayersI> Layer(int minZoom, int maxZoom)
    {
        const QString path = QDir(m_dir).filePath(QStringLiteral("layer.xml"));
        const QString url = FileUrl(m_dir) + QStringLiteral("/tiles/{z}/{x}/{y}.png");
        WriteTestFile(path,
                      QStringLiteral(R"(<layer guid="g-test"><name>Test</name>
<source type="osm"><base_url>%1</base_url></source>
<coverage><zoom min="%2" max="%3"/></coverage></layer>)")
                          .arg(url)
                          .arg(minZoom)
                          .arg(maxZoom)
                          .toUtf8());
        return std::make_shared<MapLayersImpl>(QStringList{path});
    }

    void WriteTile(int zoom, int x, int y, const QImage& image)
    {
        const QString folder = QDir(m_dir).filePath(QStringLiteral("tiles/%1/%2").arg(zoom).arg(x));
        QDir().mkpath(folder);
        ASSERT_TRUE(image.save(QDir(folder).filePath(QStringLiteral("%1.png").arg(y))));
    }

    static QImage Solid(QRgb colour)
    {
        QImage image(256, 256, QImage::Format_ARGB32);
        image.fill(colour);
        return image;
    }

    static QByteArray Png(QRgb colour)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        Solid(colour).save(&buffer, "PNG");
        return bytes;
    }

    // The file of a layer over the server's tiles at zoom 3.
    QString WebLayer(const QString& guid, const LoopbackHttpServer& server)
    {
        const QString path = QDir(m_dir).filePath(QStringLiteral("web.xml"));
        WriteTestFile(path,
                      QStringLiteral(R"(<layer guid="%1"><name>Web</name>
<source type="osm"><base_url>%2</base_url></source>
<coverage><zoom min="3" max="3"/></coverage></layer>)")
                          .arg(guid, server.Url("/{z}/{x}/{y}.png"))
                          .toUtf8());
        return path;
    }

    // Red, green / blue, yellow quarters.
    static QImage Quarters()
    {
        QImage image = Solid(Red);
        QPainter painter(&image);
        painter.fillRect(128, 0, 128, 128, QColor::fromRgba(Green));
        painter.fillRect(0, 128, 128, 128, QColor::fromRgba(Blue));
        painter.fillRect(128, 128, 128, 128, QColor::fromRgba(Yellow));
        return image;
    }

    QImage Frame(MapTileDrawer& drawer, int layerIndex, bool mapShown = true)
    {
        QImage window(ViewSize, ViewSize, QImage::Format_ARGB32);
        window.fill(Qt::magenta);
        DrawingLayers layers(QColor::fromRgba(Face));
        layers.SetMapShown(mapShown);
        if (layers.BeginFrame(window, QRect(0, 0, ViewSize, ViewSize))) {
            drawer.DrawTiles(layers, m_transform, layerIndex);
            layers.EndFrame();
        }
        return window;
    }

    // True as soon as the drawer reports new tiles, false after `limit`.
    static bool WaitForNewTiles(MapTileDrawer& drawer, std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            if (drawer.HasNewTiles())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    QString m_dir = MakeTempDir();
    CoordTransform m_transform;
};

} // namespace

TEST_F(MapTileDrawerTest, ATileArrivesAndIsDrawnWhereItLies)
{
    WriteTile(3, 4, 2, Solid(Red));
    MapTileDrawer drawer(Layer(3, 3));
    const QImage first = Frame(drawer, 0);
    EXPECT_EQ(first.pixel(16, 32), Face);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    // Once per arrival.
    EXPECT_FALSE(drawer.HasNewTiles());

    const QImage second = Frame(drawer, 0);
    EXPECT_EQ(second.pixel(16, 32), Red);
    EXPECT_EQ(second.pixel(2, 2), Red);
    EXPECT_EQ(second.pixel(29, 60), Red);
    // Tile (5, 2) is missing: the map face shows.
    EXPECT_EQ(second.pixel(36, 32), Face);
    EXPECT_EQ(second.pixel(60, 2), Face);
}

TEST_F(MapTileDrawerTest, AMissingTileShowsItsPartOfTheParentMagnified)
{
    WriteTile(2, 2, 1, Quarters());
    MapTileDrawer drawer(Layer(2, 3));
    Frame(drawer, 0);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    const QImage frame = Frame(drawer, 0);
    // Tile (4, 2) is the parent's upper left quarter, (5, 2) its upper right.
    EXPECT_EQ(frame.pixel(16, 32), Red);
    EXPECT_EQ(frame.pixel(48, 32), Green);
    EXPECT_EQ(frame.pixel(60, 60), Green);
}

TEST_F(MapTileDrawerTest, FinerThanTheLayerGoesItsDeepestTilesAreMagnified)
{
    WriteTile(3, 4, 2, Solid(Red));
    MapTileDrawer drawer(Layer(3, 3));
    // Zoom 5 would suit this scale; the layer stops at 3.
    m_transform.SetScale(1500);
    Frame(drawer, 0);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    const QImage frame = Frame(drawer, 0);
    EXPECT_EQ(frame.pixel(2, 32), Red);
    EXPECT_EQ(frame.pixel(60, 32), Face);
}

TEST_F(MapTileDrawerTest, BytesThatAreNoPictureLeaveTheTileToItsParent)
{
    const QString folder = QDir(m_dir).filePath(QStringLiteral("tiles/3/4"));
    QDir().mkpath(folder);
    WriteTestFile(QDir(folder).filePath(QStringLiteral("2.png")), "<html>Over quota</html>");
    WriteTile(2, 2, 1, Quarters());
    MapTileDrawer drawer(Layer(2, 3));
    // Both the bad tile and the parent arrive, in either order.
    QImage frame = Frame(drawer, 0);
    for (int round = 0; round < 2 && frame.pixel(16, 32) != Red; ++round) {
        ASSERT_TRUE(WaitForNewTiles(drawer));
        frame = Frame(drawer, 0);
    }
    EXPECT_EQ(frame.pixel(16, 32), Red);
}

TEST_F(MapTileDrawerTest, AParentBelowTheLayersMinimumZoomIsNotUsed)
{
    WriteTile(2, 2, 1, Quarters());
    // Also a tile that does exist, so that an arrival tells that the frame's
    // downloads have been done.
    WriteTile(3, 5, 2, Solid(Blue));
    MapTileDrawer drawer(Layer(3, 3), std::make_unique<MapDownloaderData>(1));
    Frame(drawer, 0);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    const QImage frame = Frame(drawer, 0);
    EXPECT_EQ(frame.pixel(16, 32), Face);
    EXPECT_EQ(frame.pixel(48, 32), Blue);
}

TEST_F(MapTileDrawerTest, NothingIsDrawnWithoutALayerOrWithTheMapHidden)
{
    WriteTile(3, 4, 2, Solid(Red));
    MapTileDrawer drawer(Layer(3, 3));
    EXPECT_EQ(Frame(drawer, -1).pixel(16, 32), Face);
    EXPECT_EQ(Frame(drawer, 1).pixel(16, 32), Face);
    EXPECT_EQ(Frame(drawer, 0, false).pixel(16, 32), DrawingLayers::NoMapBackground);
    // None of these asked for a tile.
    EXPECT_FALSE(WaitForNewTiles(drawer, std::chrono::milliseconds(300)));
}

TEST_F(MapTileDrawerTest, NoTilesAreAskedForBeyond86Degrees)
{
    WriteTile(0, 0, 0, Solid(Red));
    MapTileDrawer drawer(Layer(0, 0));
    m_transform.SetScale(1000);
    m_transform.SetCenter({10.0, 88.0});
    EXPECT_EQ(Frame(drawer, 0).pixel(32, 32), Face);
    EXPECT_FALSE(WaitForNewTiles(drawer, std::chrono::milliseconds(300)));

    // Further south the same tile is fetched.
    m_transform.SetCenter({10.0, 80.0});
    Frame(drawer, 0);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    EXPECT_EQ(Frame(drawer, 0).pixel(32, 32), Red);
}

TEST_F(MapTileDrawerTest, WebTilesGoToTheDiskUnderTheirLayerAndLocalTilesDoNot)
{
    LoopbackHttpServer server;
    server.SetRoute("/3/4/2.png", LoopbackHttpServer::Route(Png(Red)));
    const QString layerFile = WebLayer(QStringLiteral("{web/../1}"), server);
    WriteTile(3, 4, 2, Solid(Blue));
    // Layer writes the file of the local layer.
    Layer(3, 3);
    const auto layers = std::make_shared<MapLayersImpl>(QStringList{layerFile, QDir(m_dir).filePath("layer.xml")});
    const QString root = MakeTempDir();
    auto downloader = std::make_unique<MapDownloaderData>();
    downloader->SetDiskCache(std::make_shared<TileDiskCache>(root, TileDiskCache::DefaultLimit));
    MapTileDrawer drawer(layers, std::move(downloader));
    Frame(drawer, 0);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    EXPECT_EQ(Frame(drawer, 0).pixel(16, 32), Red);
    // Only letters, digits and dashes of the guid name the folder.
    EXPECT_TRUE(QFile::exists(QDir(root).filePath(QStringLiteral("web1/3/4/2.tile"))));

    Frame(drawer, 1);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    EXPECT_EQ(Frame(drawer, 1).pixel(16, 32), Blue);
    EXPECT_EQ(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{QStringLiteral("web1")});
}

TEST_F(MapTileDrawerTest, AnMbTilesLayerIsDrawnAtOnceWithItsRowsTheRightWayUp)
{
    MapTileDrawer drawer(std::make_shared<MapLayersImpl>(QStringList{TestMbTilesPath()}));
    // The file stops at zoom 2: the view lies in tile (2, 1) of it.
    EXPECT_EQ(Frame(drawer, 0).pixel(32, 32), TestTileColour(2, 2, 1));
    m_transform.SetCenter({45.0, -55.0});
    EXPECT_EQ(Frame(drawer, 0).pixel(32, 32), TestTileColour(2, 2, 2));
    // The file lacks tile (3, 0): its parent's part stands in.
    m_transform.SetCenter({135.0, 75.0});
    EXPECT_EQ(Frame(drawer, 0).pixel(32, 32), TestTileColour(1, 1, 0));
    // Nothing was downloaded.
    EXPECT_FALSE(drawer.HasNewTiles());
}

TEST_F(MapTileDrawerTest, ATileThatFailedIsDrawnOnceItsRetryCameDue)
{
    LoopbackHttpServer server;
    server.SetRoute("/3/4/2.png", LoopbackHttpServer::Route("busy", 503));
    server.SetRoute("/3/5/2.png", LoopbackHttpServer::Route(Png(Blue)));
    const QString layerFile = WebLayer(QStringLiteral("web"), server);
    ManualClock clock;
    // One worker: tile (5, 2), asked for after (4, 2), arrives after it failed.
    MapTileDrawer drawer(std::make_shared<MapLayersImpl>(QStringList{layerFile}),
                         std::make_unique<MapDownloaderData>(1, LruCacheImpl::DefaultLimit, clock.Get()));
    Frame(drawer, 0);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    EXPECT_EQ(Frame(drawer, 0).pixel(16, 32), Face);
    EXPECT_EQ(Frame(drawer, 0).pixel(48, 32), Blue);

    server.SetRoute("/3/4/2.png", LoopbackHttpServer::Route(Png(Red)));
    clock.Advance(std::chrono::seconds(29));
    EXPECT_FALSE(drawer.HasNewTiles());
    EXPECT_EQ(Frame(drawer, 0).pixel(16, 32), Face);
    EXPECT_EQ(server.GetRequestCount("/3/4/2.png"), 1);

    clock.Advance(std::chrono::seconds(1));
    EXPECT_TRUE(drawer.HasNewTiles());
    Frame(drawer, 0);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    EXPECT_EQ(Frame(drawer, 0).pixel(16, 32), Red);
    EXPECT_EQ(server.GetRequestCount("/3/4/2.png"), 2);
}

TEST_F(MapTileDrawerTest, TheWorldMapShowsWhereTheServerFailsAndTilesCoverIt)
{
    auto world = std::make_shared<WorldBasemap>(WorldBasemap::FindDataFolder());
    if (!world->IsAvailable())
        GTEST_SKIP() << "gmt-gshhg-low is not installed";
    LoopbackHttpServer server;
    // Tile (4, 2) is not there; (5, 2) is.
    server.SetRoute("/3/5/2.png", LoopbackHttpServer::Route(Png(Blue)));
    MapTileDrawer drawer(std::make_shared<MapLayersImpl>(QStringList{WebLayer(QStringLiteral("web"), server)}),
                         nullptr, world);
    // Before any tile came, land and water of the world: the view is on
    // the land east of Moscow.
    EXPECT_EQ(Frame(drawer, 0).pixel(16, 32), WorldBasemap::Land);
    ASSERT_TRUE(WaitForNewTiles(drawer));
    const QImage frame = Frame(drawer, 0);
    EXPECT_EQ(frame.pixel(16, 32), WorldBasemap::Land);
    EXPECT_EQ(frame.pixel(48, 32), Blue);
}

TEST_F(MapTileDrawerTest, TheWorldLayerDrawsTheWorldMapAndNothingWithoutItsData)
{
    if (WorldBasemap::FindDataFolder().isEmpty())
        GTEST_SKIP() << "gmt-gshhg-low is not installed";
    const QString path = QDir(m_dir).filePath(QStringLiteral("world.xml"));
    WriteTestFile(path, R"(<layer guid="w"><name>World</name><source type="gshhg"/>
<coverage><zoom min="0" max="19"/></coverage></layer>)");
    const auto layers = std::make_shared<MapLayersImpl>(QStringList{path});
    ASSERT_TRUE(layers->GetParams(0));
    EXPECT_TRUE(layers->GetParams(0)->IsWorldMap());
    // Over the Black Sea.
    m_transform.SetCenter({34.0, 43.0});
    MapTileDrawer drawer(layers, nullptr, std::make_shared<WorldBasemap>(WorldBasemap::FindDataFolder()));
    EXPECT_EQ(Frame(drawer, 0).pixel(32, 32), WorldBasemap::Water);
    EXPECT_FALSE(drawer.HasNewTiles());

    MapTileDrawer withoutData(layers, nullptr, std::make_shared<WorldBasemap>(MakeTempDir()));
    EXPECT_EQ(Frame(withoutData, 0).pixel(32, 32), Face);
}
