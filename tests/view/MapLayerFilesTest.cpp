#include "Dir.h"
#include "MapLayerChoice.h"
#include "MapLayerCoverageI.h"
#include "MapLayerParams.h"
#include "MapLayersImpl.h"
#include "WorldBasemap.h"
#include "MapTestSupport.h"
#include "MapTile.h"
#include "MapTileUrlI.h"
#include "MbTilesFile.h"
#include "RegistryKey.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray LayerFile(const QByteArray& guid, const QByteArray& name, const QByteArray& source = "osm")
{
    return R"(<?xml version="1.0"?>
<layer guid=")" + guid + R"(">
  <name>)" + name + R"(</name>
  <source type=")" + source + R"(">
    <base_url>https://{sp}.example.org/{z}/{x}/{y}.png</base_url>
  </source>
  <coverage><zoom min="2" max="9"/></coverage>
</layer>
)";
}

class MapLayerFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(m_dir).mkpath(QStringLiteral("Maps"));
        Dir::SetDataDir(m_dir);
        RegistryKey(QStringLiteral("Settings\\View")).ClearSection();
    }
    void TearDown() override { Dir::SetDataDir(QString()); }

    QString MapsPath(const QString& name) const { return QDir(m_dir).filePath(QStringLiteral("Maps/") + name); }

    // Loads one layer file; the error text when it does not load.
    MapLayerParams LoadLayer(const QByteArray& text, QString* error = nullptr)
    {
        const QString path = MapsPath(QStringLiteral("layer.xml"));
        WriteTestFile(path, text);
        MapLayerParams params;
        QString reason;
        m_loaded = params.Load(path, reason);
        if (error)
            *error = reason;
        return params;
    }

    QString m_dir = MakeTempDir();
    bool m_loaded = false;
};

} // namespace

TEST_F(MapLayerFilesTest, ALayerFileGivesIdentityCopyrightsUrlAndCoverage)
{
    const MapLayerParams params = LoadLayer(R"(<?xml version="1.0"?>
<layer guid="0d7a3c1e-1111-4b4b-9c9c-000000000001">
  <name>Streets</name>
  <link>https://example.org/about</link>
  <copyright author="Mappers" license="ODbL"/>
  <copyright author="Satellites Inc." license="CC-BY"/>
  <source type="osm">
    <base_url>https://{sp}.example.org/{z}/{x}/{y}.png</base_url>
    <server_prefix><letter>b</letter></server_prefix>
  </source>
  <coverage><zoom min="3" max="17" ratio="2"/></coverage>
</layer>
)");
    ASSERT_TRUE(m_loaded);
    EXPECT_TRUE(params.IsValid());
    EXPECT_EQ(params.GetGuid(), QStringLiteral("0d7a3c1e-1111-4b4b-9c9c-000000000001"));
    EXPECT_EQ(params.GetName(), QStringLiteral("Streets"));
    EXPECT_EQ(params.GetLink(), QStringLiteral("https://example.org/about"));
    const std::vector<MapCopyright> expected = {{"Mappers", "ODbL"}, {"Satellites Inc.", "CC-BY"}};
    EXPECT_EQ(params.GetCopyrights(), expected);
    ASSERT_TRUE(params.GetTileUrl());
    EXPECT_EQ(params.GetTileUrl()->GetUrl({5, 6, 7, 0}), QStringLiteral("https://b.example.org/7/5/6.png"));
    ASSERT_TRUE(params.GetCoverage());
    EXPECT_EQ(params.GetCoverage()->GetMinZoom(), 3);
    EXPECT_EQ(params.GetCoverage()->GetMaxZoom(), 17);
    // The ratio of 2 takes one level finer than zoom 10's own scale.
    EXPECT_EQ(params.GetCoverage()->GetZoom(20000000.0 / 256.0 / 1024.0), 11);
}

TEST_F(MapLayerFilesTest, BrokenFilesDoNotLoadAndSayWhy)
{
    QString error;
    LoadLayer("<layer guid=\"x\"><name>Half", &error);
    EXPECT_FALSE(m_loaded);
    EXPECT_FALSE(error.isEmpty());

    LoadLayer("<?xml version=\"1.0\"?><palette name=\"Speed\"/>", &error);
    EXPECT_FALSE(m_loaded);
    EXPECT_EQ(error, QStringLiteral("No layer tag."));

    MapLayerParams missing;
    EXPECT_FALSE(missing.Load(MapsPath(QStringLiteral("nothing-here.xml")), error));
    EXPECT_FALSE(missing.IsValid());
}

TEST_F(MapLayerFilesTest, LayersWithoutGuidNameOrKnownSourceAreNotValid)
{
    MapLayerParams params = LoadLayer(LayerFile("g-1", "Streets", "wms"));
    ASSERT_TRUE(m_loaded);
    EXPECT_FALSE(params.GetTileUrl());
    EXPECT_FALSE(params.GetCoverage());
    EXPECT_FALSE(params.IsValid());

    params = LoadLayer(LayerFile("", "Streets"));
    ASSERT_TRUE(m_loaded);
    EXPECT_FALSE(params.IsValid());

    params = LoadLayer(LayerFile("g-1", ""));
    ASSERT_TRUE(m_loaded);
    EXPECT_FALSE(params.IsValid());

    params = LoadLayer(LayerFile("g-1", "Streets"));
    ASSERT_TRUE(m_loaded);
    EXPECT_TRUE(params.IsValid());
}

TEST_F(MapLayerFilesTest, AZoomRangeThatMakesNoSenseLeavesNoCoverage)
{
    const QByteArray head = R"(<layer guid="g"><name>N</name><source type="osm"><base_url>u</base_url></source>)";
    EXPECT_FALSE(LoadLayer(head + R"(<coverage><zoom min="9" max="3"/></coverage></layer>)").GetCoverage());
    EXPECT_FALSE(LoadLayer(head + R"(<coverage><zoom min="-1" max="3"/></coverage></layer>)").GetCoverage());
    EXPECT_FALSE(LoadLayer(head + R"(<coverage><zoom min="0" max="31"/></coverage></layer>)").GetCoverage());
    EXPECT_FALSE(LoadLayer(head + R"(</layer>)").GetCoverage());
    // A ratio that is not above 0 is ignored.
    const MapLayerParams negativeRatio =
        LoadLayer(head + R"(<coverage><zoom min="0" max="19" ratio="-2"/></coverage></layer>)");
    ASSERT_TRUE(negativeRatio.GetCoverage());
    EXPECT_EQ(negativeRatio.GetCoverage()->GetZoom(20000000.0 / 256.0 / 1024.0), 10);
    // No letters: an empty prefix.
    EXPECT_EQ(negativeRatio.GetTileUrl()->GetUrl({}), QStringLiteral("u"));
}

TEST_F(MapLayerFilesTest, TheListNamesLayerFilesThatAreReadWhenFirstAskedFor)
{
    WriteTestFile(MapsPath(QStringLiteral("DefaultLayers.xml")), R"(<?xml version="1.0"?>
<layers>
  <layer path="Streets.xml"/>
  <layer path="Broken.xml"/>
  <layer path=")" + QDir(m_dir).filePath(QStringLiteral("Elsewhere.xml")).toUtf8() + R"("/>
  <layer path="Later.xml"/>
</layers>
)");
    WriteTestFile(MapsPath(QStringLiteral("Streets.xml")), LayerFile("g-streets", "Streets"));
    WriteTestFile(MapsPath(QStringLiteral("Broken.xml")), "<layer guid=\"g-broken\"><name>");
    WriteTestFile(QDir(m_dir).filePath(QStringLiteral("Elsewhere.xml")), LayerFile("g-abs", "Absolute"));

    const std::shared_ptr<MapLayersImpl> layers = LoadMapLayers();
    ASSERT_EQ(layers->GetCount(), 4);
    // Written after the list was read, before the layer is asked for.
    WriteTestFile(MapsPath(QStringLiteral("Later.xml")), LayerFile("g-later", "Later"));

    ASSERT_TRUE(layers->GetParams(0));
    EXPECT_EQ(layers->GetParams(0)->GetName(), QStringLiteral("Streets"));
    EXPECT_FALSE(layers->GetParams(1));
    ASSERT_TRUE(layers->GetParams(2));
    EXPECT_EQ(layers->GetParams(2)->GetName(), QStringLiteral("Absolute"));
    ASSERT_TRUE(layers->GetParams(3));
    EXPECT_EQ(layers->GetParams(3)->GetGuid(), QStringLiteral("g-later"));
    EXPECT_FALSE(layers->GetParams(4));
    EXPECT_FALSE(layers->GetParams(-1));

    // A layer that failed is not read again, even once it is repaired.
    WriteTestFile(MapsPath(QStringLiteral("Broken.xml")), LayerFile("g-broken", "Repaired"));
    EXPECT_FALSE(layers->GetParams(1));

    EXPECT_EQ(layers->FindByGuid(QStringLiteral("G-ABS")), 2);
    EXPECT_EQ(layers->FindByGuid(QStringLiteral("g-broken")), -1);
    ASSERT_TRUE(layers->GetLayerInfo(0));
    EXPECT_EQ(layers->GetLayerInfo(0)->path, MapsPath(QStringLiteral("Streets.xml")));
    EXPECT_FALSE(layers->GetLayerInfo(4));
    EXPECT_EQ(layers->FindLayer(layers->GetLayerId(3)), 3);
    EXPECT_EQ(layers->GetLayerId(4), -1);
    EXPECT_EQ(layers->FindLayer(-1), -1);
}

TEST_F(MapLayerFilesTest, WithoutAListFileThereAreNoLayers)
{
    EXPECT_EQ(LoadMapLayers()->GetCount(), 0);
    WriteTestFile(MapsPath(QStringLiteral("DefaultLayers.xml")), "<layers><layer path=");
    EXPECT_EQ(LoadMapLayers()->GetCount(), 0);
}

TEST_F(MapLayerFilesTest, TheChosenLayerIsRememberedWhileItsGuidStaysAtItsIndex)
{
    const auto layersOf = [this](const QByteArray& second) {
        WriteTestFile(MapsPath(QStringLiteral("A.xml")), LayerFile("g-a", "A"));
        WriteTestFile(MapsPath(QStringLiteral("B.xml")), second);
        return std::make_shared<MapLayersImpl>(
            QStringList{MapsPath(QStringLiteral("A.xml")), MapsPath(QStringLiteral("B.xml"))});
    };

    // Nothing stored: no map.
    EXPECT_EQ(MapLayerChoice(layersOf(LayerFile("g-b", "B"))).GetCurrentLayer(), MapLayerChoice::NoLayer);

    MapLayerChoice choice(layersOf(LayerFile("g-b", "B")));
    choice.SelectLayer(1);
    EXPECT_EQ(choice.GetCurrentLayer(), 1);
    const RegistryKey key(QStringLiteral("Settings\\View"));
    EXPECT_EQ(key.ReadString(QStringLiteral("GUID")), QStringLiteral("g-b"));
    EXPECT_EQ(key.ReadDword(QStringLiteral("Index"), 99), 1u);
    EXPECT_EQ(MapLayerChoice(layersOf(LayerFile("g-b", "B"))).GetCurrentLayer(), 1);

    // Another layer at that index now: not taken for the remembered one.
    EXPECT_EQ(MapLayerChoice(layersOf(LayerFile("g-c", "C"))).GetCurrentLayer(), MapLayerChoice::NoLayer);

    // Switching the map off is remembered too.
    choice.SelectLayer(MapLayerChoice::NoLayer);
    EXPECT_EQ(choice.GetCurrentLayer(), MapLayerChoice::NoLayer);
    EXPECT_EQ(MapLayerChoice(layersOf(LayerFile("g-b", "B"))).GetCurrentLayer(), MapLayerChoice::NoLayer);
    choice.SelectLayer(0);
    EXPECT_EQ(MapLayerChoice(layersOf(LayerFile("g-b", "B"))).GetCurrentLayer(), 0);
    // Choosing a layer that does not load switches the map off.
    MapLayerChoice broken(layersOf("<layer>"));
    broken.SelectLayer(1);
    EXPECT_EQ(broken.GetCurrentLayer(), MapLayerChoice::NoLayer);
    EXPECT_EQ(MapLayerChoice(layersOf(LayerFile("g-b", "B"))).GetCurrentLayer(), MapLayerChoice::NoLayer);
}

TEST_F(MapLayerFilesTest, AFirstRunShowsTheOfflineWorldUntilTheUserChoosesAnotherLayer)
{
    if (WorldBasemap::FindDataFolder().isEmpty())
        GTEST_SKIP() << "gmt-gshhg-low is not installed";
    WriteTestFile(MapsPath(QStringLiteral("A.xml")), LayerFile("g-a", "A"));
    WriteTestFile(MapsPath(QStringLiteral("W.xml")), LayerFile("g-w", "World", "gshhg"));
    const auto layers = std::make_shared<MapLayersImpl>(
        QStringList{MapsPath(QStringLiteral("A.xml")), MapsPath(QStringLiteral("W.xml"))});

    EXPECT_EQ(MapLayerChoice(layers).GetCurrentLayer(), 1);
    // Only a choice stored by the user counts as one: taking the world at
    // start stores nothing.
    EXPECT_FALSE(RegistryKey(QStringLiteral("Settings\\View")).HasValue(QStringLiteral("Index")));
    MapLayerChoice(layers).SelectLayer(0);
    EXPECT_EQ(MapLayerChoice(layers).GetCurrentLayer(), 0);
    // So does switching the map off.
    MapLayerChoice(layers).SelectLayer(MapLayerChoice::NoLayer);
    EXPECT_EQ(MapLayerChoice(layers).GetCurrentLayer(), MapLayerChoice::NoLayer);

    // Without a world layer among those that load, the map starts blank.
    RegistryKey(QStringLiteral("Settings\\View")).ClearSection();
    WriteTestFile(MapsPath(QStringLiteral("W.xml")), LayerFile("g-w", "World", "elsewhere"));
    EXPECT_EQ(MapLayerChoice(std::make_shared<MapLayersImpl>(QStringList{MapsPath(QStringLiteral("A.xml")),
                                                                         MapsPath(QStringLiteral("W.xml"))}))
                  .GetCurrentLayer(),
              MapLayerChoice::NoLayer);
}

TEST_F(MapLayerFilesTest, AStoredLayerThatIsGoneGivesWayToTheOfflineWorld)
{
    if (WorldBasemap::FindDataFolder().isEmpty())
        GTEST_SKIP() << "gmt-gshhg-low is not installed";
    WriteTestFile(MapsPath(QStringLiteral("A.xml")), LayerFile("g-a", "A"));
    WriteTestFile(MapsPath(QStringLiteral("W.xml")), LayerFile("g-w", "World", "gshhg"));
    const auto startLayers = [this] {
        return std::make_shared<MapLayersImpl>(
            QStringList{MapsPath(QStringLiteral("A.xml")), MapsPath(QStringLiteral("W.xml"))});
    };
    const RegistryKey key(QStringLiteral("Settings\\View"));

    // An MBTiles file opened in one run is chosen with it; the next run's
    // list does not hold it.
    const QString opened = MapsPath(QStringLiteral("Alps.mbtiles"));
    ASSERT_TRUE(QFile::copy(TestMbTilesPath(), opened));
    const auto firstRun = startLayers();
    const int added = firstRun->AddLayerFile(opened);
    ASSERT_TRUE(firstRun->GetParams(added));
    MapLayerChoice(firstRun).SelectLayer(added);
    EXPECT_EQ(MapLayerChoice(firstRun).GetCurrentLayer(), added);
    EXPECT_EQ(MapLayerChoice(startLayers()).GetCurrentLayer(), 1);
    // Taking the world stores nothing.
    EXPECT_EQ(key.ReadString(QStringLiteral("GUID")), QStringLiteral("mbtiles:") + opened);

    // A chosen layer file removed, or broken, since.
    MapLayerChoice(startLayers()).SelectLayer(0);
    ASSERT_TRUE(QFile::remove(MapsPath(QStringLiteral("A.xml"))));
    EXPECT_EQ(MapLayerChoice(startLayers()).GetCurrentLayer(), 1);
    WriteTestFile(MapsPath(QStringLiteral("A.xml")), "<layer>");
    EXPECT_EQ(MapLayerChoice(startLayers()).GetCurrentLayer(), 1);
    // Mended, it is the choice again.
    WriteTestFile(MapsPath(QStringLiteral("A.xml")), LayerFile("g-a", "A"));
    EXPECT_EQ(MapLayerChoice(startLayers()).GetCurrentLayer(), 0);

    // The map switched off stays off, though the world is at hand.
    MapLayerChoice(startLayers()).SelectLayer(MapLayerChoice::NoLayer);
    EXPECT_EQ(MapLayerChoice(startLayers()).GetCurrentLayer(), MapLayerChoice::NoLayer);
}

TEST_F(MapLayerFilesTest, TheShippedLayersLoad)
{
    Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR));
    const std::shared_ptr<MapLayersImpl> layers = LoadMapLayers();
    ASSERT_EQ(layers->GetCount(), 3);
    QStringList guids;
    // The world map is left out where its data is not installed.
    const int loading = WorldBasemap::FindDataFolder().isEmpty() ? 2 : 3;
    EXPECT_EQ(layers->GetParams(2) != nullptr, loading == 3);
    for (int index = 0; index < loading; ++index) {
        const std::shared_ptr<const MapLayerParamsI> params = layers->GetParams(index);
        ASSERT_TRUE(params) << index;
        EXPECT_FALSE(params->GetCopyrights().empty()) << index;
        // Public servers forbid bulk downloads; the others have nothing to
        // fetch.
        EXPECT_FALSE(params->AllowsAreaDownload()) << index;
        EXPECT_EQ(params->IsWorldMap(), index == 2) << index;
        guids.push_back(params->GetGuid());
    }
    guids.removeDuplicates();
    EXPECT_EQ(guids.size(), loading);
    const std::shared_ptr<const MapLayerParamsI> osm = layers->GetParams(0);
    EXPECT_EQ(osm->GetTileUrl()->GetUrl({4, 2, 3, 0}), QStringLiteral("https://tile.openstreetmap.org/3/4/2.png"));
    EXPECT_EQ(osm->GetCoverage()->GetMaxZoom(), 19);
    EXPECT_EQ(osm->GetCopyrights().front(), (MapCopyright{"OpenStreetMap contributors", "ODbL"}));
    EXPECT_EQ(osm->GetLink(), QStringLiteral("https://www.openstreetmap.org/copyright"));
    EXPECT_TRUE(layers->GetParams(1)->GetTileUrl()->GetUrl({4, 2, 3, 0}).startsWith(QStringLiteral("file:///")));
}

TEST_F(MapLayerFilesTest, OnlyALayerThatSaysSoAllowsAreaDownloads)
{
    const char* layer = R"(<layer guid="g"%1><name>Web</name>
<source type="osm"><base_url>https://tiles.example.org/{z}/{x}/{y}.png</base_url></source>
<coverage><zoom min="0" max="19"/></coverage></layer>)";
    const std::pair<const char*, bool> cases[] = {{"", false},
                                                  {R"( area_download="forbidden")", false},
                                                  {R"( area_download="yes")", false},
                                                  {R"( area_download="allowed")", true}};
    for (const auto& [attribute, allowed] : cases) {
        const MapLayerParams params = LoadLayer(QString::fromLatin1(layer).arg(QLatin1String(attribute)).toUtf8());
        ASSERT_TRUE(m_loaded) << attribute;
        EXPECT_EQ(params.AllowsAreaDownload(), allowed) << attribute;
        EXPECT_FALSE(params.IsWorldMap());
    }
}

TEST_F(MapLayerFilesTest, ALayerFileMayNameAnMbTilesFileBesideIt)
{
    ASSERT_TRUE(QFile::copy(TestMbTilesPath(), MapsPath(QStringLiteral("test.mbtiles"))));
    const MapLayerParams params = LoadLayer(R"(<layer guid="g-offline"><name>Offline</name>
<copyright author="Test" license="none"/>
<source type="mbtiles"><file>test.mbtiles</file></source></layer>)");
    ASSERT_TRUE(m_loaded);
    EXPECT_TRUE(params.IsValid());
    EXPECT_FALSE(params.GetTileUrl());
    ASSERT_TRUE(params.GetTileFile());
    EXPECT_EQ(params.GetTileFile()->GetMetadata().name, QStringLiteral("Quorvel test tiles"));
    // The file's zoom range, as the layer gives none.
    ASSERT_TRUE(params.GetCoverage());
    EXPECT_EQ(params.GetCoverage()->GetMinZoom(), 0);
    EXPECT_EQ(params.GetCoverage()->GetMaxZoom(), 2);

    const MapLayerParams ranged = LoadLayer(R"(<layer guid="g-offline"><name>Offline</name>
<source type="mbtiles"><file>test.mbtiles</file></source><coverage><zoom min="1" max="5"/></coverage></layer>)");
    ASSERT_TRUE(ranged.GetCoverage());
    EXPECT_EQ(ranged.GetCoverage()->GetMaxZoom(), 5);

    QString error;
    const MapLayerParams missing = LoadLayer(R"(<layer guid="g-gone"><name>Gone</name>
<source type="mbtiles"><file>gone.mbtiles</file></source></layer>)",
                                             &error);
    EXPECT_FALSE(m_loaded);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(MapLayerFilesTest, AnMbTilesFileIsALayerOfItsOwnAndCanBeAddedToTheList)
{
    const QString other = MapsPath(QStringLiteral("no name.mbtiles"));
    ASSERT_TRUE(QFile::copy(TestMbTilesPath(), other));
    const QString damaged = MapsPath(QStringLiteral("damaged.mbtiles"));
    WriteTestFile(damaged, QByteArray("no database").repeated(500));
    MapLayersImpl layers(QStringList{TestMbTilesPath()});

    const std::shared_ptr<const MapLayerParamsI> listed = layers.GetParams(0);
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->GetName(), QStringLiteral("Quorvel test tiles"));
    EXPECT_EQ(listed->GetGuid(), QStringLiteral("mbtiles:") + TestMbTilesPath());
    EXPECT_TRUE(listed->GetTileFile());
    EXPECT_EQ(listed->GetCoverage()->GetMaxZoom(), 2);

    EXPECT_EQ(layers.AddLayerFile(damaged), 1);
    EXPECT_FALSE(layers.GetParams(1));
    EXPECT_EQ(layers.AddLayerFile(TestMbTilesPath()), 0);
    EXPECT_EQ(layers.AddLayerFile(other), 2);
    EXPECT_EQ(layers.GetCount(), 3);
    EXPECT_EQ(layers.FindLayer(layers.GetLayerId(2)), 2);
    ASSERT_TRUE(layers.GetParams(2));
    EXPECT_EQ(layers.GetParams(2)->GetName(), QStringLiteral("Quorvel test tiles"));
    EXPECT_NE(layers.GetParams(2)->GetGuid(), listed->GetGuid());
    EXPECT_TRUE(IsMbTilesPath(QStringLiteral("/maps/Alps.MBTiles")));
    EXPECT_FALSE(IsMbTilesPath(QStringLiteral("/tracks/ride.gpx")));
}
