#include "AreaDownload.h"
#include "AreaDownloadDlg.h"
#include "AreaTiles.h"
#include "CommandIds.h"
#include "CoordTransform.h"
#include "DialogScript.h"
#include "Dir.h"
#include "LoopbackHttpServer.h"
#include "MainFrame.h"
#include "MapCacheSettings.h"
#include "MapLayerChoice.h"
#include "MapLayersI.h"
#include "MessageBoxScript.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "TileDiskCache.h"
#include "TrackView.h"
#include "Translator.h"
#include "ViewSettings.h"
#include "ViewUI.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

// The shipped data files, from before the window reads its map layers.
struct SourceDataDir
{
    SourceDataDir() { Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR)); }
    ~SourceDataDir() { Dir::SetDataDir(QString()); }
};

// The shipped layers, with a layer of the test's own server after them.
class AreaDownloadCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        new ViewUI(m_frame, m_frame.GetTrackView()); // a child of the frame
        // Inside tile (4, 2) of zoom 3, which the map shows at this scale.
        CoordTransform& transform = m_frame.GetTrackView().GetTransform();
        transform.SetViewRect({0, 0, 200, 150});
        transform.SetScale(6000);
        transform.SetCenter({22.5, 50.0});
    }

    void TearDown() override
    {
        Choice().SelectLayer(MapLayerChoice::NoLayer);
    }

    static MapLayerChoice& Choice() { return ViewSettings::GetInstance().GetMapLayerChoice(); }

    // The layer's index.
    int AddAllowedLayer(const LoopbackHttpServer& server)
    {
        const QString path = QDir(MakeTempDir()).filePath(QStringLiteral("allowed.xml"));
        WriteTestFile(path, QStringLiteral(R"(<layer guid="area-test" area_download="allowed"><name>Own server</name>
<source type="osm"><base_url>%1</base_url></source><coverage><zoom min="0" max="19"/></coverage></layer>)")
                                .arg(server.Url("/{z}/{x}/{y}.png"))
                                .toUtf8());
        return ViewSettings::GetInstance().GetMapLayers()->AddLayerFile(path);
    }

    // The texts of the message boxes the command showed, and no dialog.
    std::vector<QString> RefusalsOf(int layer)
    {
        Choice().SelectLayer(layer);
        MessageBoxScript boxes({IDOK});
        DialogScript dialogs;
        m_frame.RunCommand(ID_VIEW_DOWNLOAD_AREA);
        EXPECT_TRUE(dialogs.GetShownTitles().empty());
        std::vector<QString> texts;
        for (const MessageBoxScript::Shown& shown : boxes.GetShown())
            texts.push_back(shown.text);
        return texts;
    }

    SourceDataDir m_data;
    MainFrame m_frame;
};

bool WaitUntil(const std::function<bool()>& done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 10000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace

TEST_F(AreaDownloadCommandTest, IsRefusedWithTheReasonForLayersThatForbidOrNeedNoDownload)
{
    const Translator& tr = Translator::GetInstance();
    const std::vector<QString> forbidden = RefusalsOf(0);
    ASSERT_EQ(forbidden.size(), 1u);
    EXPECT_EQ(forbidden[0], tr.Format(IDS_AREA_DOWNLOAD_FORBIDDEN, QStringLiteral("OpenStreetMap")));
    EXPECT_TRUE(forbidden[0].contains(QStringLiteral("bulk downloads")));
    EXPECT_EQ(RefusalsOf(1), std::vector<QString>{tr.Format(IDS_AREA_DOWNLOAD_LOCAL, QStringLiteral("Offline tiles"))});
    EXPECT_EQ(RefusalsOf(MapLayerChoice::NoLayer), std::vector<QString>{tr.LoadStr(IDS_AREA_DOWNLOAD_NO_LAYER)});
}

TEST_F(AreaDownloadCommandTest, TheDialogCountsThenFetchesTheTilesInViewIntoTheMapCache)
{
    LoopbackHttpServer server;
    const GeoRect area = ViewGeoRect(m_frame.GetTrackView().GetTransform());
    const std::vector<MapTile> tiles = AreaTiles(area, 3, 4).List();
    for (const MapTile& tile : tiles)
        server.SetRoute(QStringLiteral("/%1/%2/%3.png").arg(tile.zoom).arg(tile.x).arg(tile.y).toStdString(),
                        LoopbackHttpServer::Route("tile"));
    Choice().SelectLayer(AddAllowedLayer(server));
    const QLocale locale;
    DialogScript dialogs;
    QString firstEstimate;
    QString tooMany;
    bool startWasOff = false;
    QString status;
    dialogs.AddAction([&](DlgBase& dlg) {
        auto& download = dynamic_cast<AreaDownloadDlg&>(dlg);
        // Three levels from the map's own zoom at first.
        EXPECT_EQ(download.GetFromZoom().value(), 3);
        EXPECT_EQ(download.GetToZoom().value(), 5);
        firstEstimate = download.GetEstimate().text();
        download.GetToZoom().setValue(19);
        tooMany = download.GetEstimate().text();
        startWasOff = !download.GetStartButton().isEnabled();
        download.GetToZoom().setValue(4);
        download.GetStartButton().click();
        EXPECT_TRUE(WaitUntil([&] { return download.GetDownload()->IsFinished(); }));
        EXPECT_TRUE(WaitUntil([&] { return download.GetCancelButton().text() != QStringLiteral("Cancel"); }));
        status = download.GetStatus().text();
        return IDOK;
    });
    m_frame.RunCommand(ID_VIEW_DOWNLOAD_AREA);
    EXPECT_EQ(dialogs.GetShownTitles().size(), 1u);
    const int64_t firstCount = AreaTiles(area, 3, 5).Count();
    EXPECT_EQ(firstEstimate,
              Translator::GetInstance().Format(IDS_AREA_DOWNLOAD_ESTIMATE, locale.toString(firstCount),
                                               locale.formattedDataSize(firstCount * AreaDownload::TypicalTileBytes)));
    EXPECT_TRUE(tooMany.contains(locale.toString(AreaDownload::MaxTiles))) << tooMany.toStdString();
    EXPECT_TRUE(startWasOff);
    EXPECT_EQ(server.GetRequestCount(), static_cast<int>(tiles.size()));
    EXPECT_EQ(status, Translator::GetInstance().Format(IDS_AREA_DOWNLOAD_DONE, locale.toString(tiles.size()),
                                                       locale.toString(0)));
    // Where the map window looks for them.
    const std::shared_ptr<TileDiskCache> disk = MapCacheSettings().OpenDiskCache();
    for (const MapTile& tile : tiles)
        EXPECT_TRUE(disk->Read(TileDiskCache::TileName(QStringLiteral("area-test"), tile))) << tile.zoom;
}

TEST_F(AreaDownloadCommandTest, CancelStopsTheDownloadAndASecondCancelCloses)
{
    LoopbackHttpServer server;
    const GeoRect area = ViewGeoRect(m_frame.GetTrackView().GetTransform());
    for (const MapTile& tile : AreaTiles(area, 3, 6).List())
        server.SetRoute(QStringLiteral("/%1/%2/%3.png").arg(tile.zoom).arg(tile.x).arg(tile.y).toStdString(),
                        LoopbackHttpServer::Route("slow").Delayed(200));
    Choice().SelectLayer(AddAllowedLayer(server));
    DialogScript dialogs;
    int64_t done = -1;
    int64_t total = 0;
    bool stayedOpen = false;
    dialogs.AddAction([&](DlgBase& dlg) {
        auto& download = dynamic_cast<AreaDownloadDlg&>(dlg);
        download.GetToZoom().setValue(6);
        download.GetStartButton().click();
        EXPECT_TRUE(WaitUntil([&] { return download.GetDownload()->GetProgress().done >= 1; }));
        download.GetCancelButton().click();
        EXPECT_TRUE(WaitUntil([&] { return download.GetDownload()->IsFinished(); }));
        stayedOpen = download.result() == 0;
        done = download.GetDownload()->GetProgress().done;
        total = download.GetDownload()->GetProgress().total;
        EXPECT_TRUE(WaitUntil([&] { return download.GetStatus().text().startsWith(QStringLiteral("Cancelled")); }));
        download.GetCancelButton().click();
        return download.result();
    });
    m_frame.RunCommand(ID_VIEW_DOWNLOAD_AREA);
    EXPECT_TRUE(stayedOpen);
    EXPECT_GE(done, 1);
    EXPECT_LT(done, total);
    EXPECT_LE(server.GetRequestCount(), done + AreaDownload::WorkerCount);
}
