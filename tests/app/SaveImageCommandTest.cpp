#include "CommandIds.h"
#include "CoordTransform.h"
#include "DialogScript.h"
#include "Dir.h"
#include "DrawingLayers.h"
#include "FileDialogScript.h"
#include "MainFrame.h"
#include "MapLayerChoice.h"
#include "MapLayersI.h"
#include "MessageBoxScript.h"
#include "OpenTracks.h"
#include "RecordedLayers.h"
#include "StringIds.h"
#include "TestSupport.h"
#include "TrackPoint.h"
#include "TrackTree.h"
#include "TrackView.h"
#include "TracksFileUI.h"
#include "Translator.h"
#include "ViewSettings.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QSet>
#include <QSpinBox>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

constexpr QRgb TileRed = 0xFFC00000;
constexpr QRgb TileBlue = 0xFF0000C0;

class SaveImageCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR));
        m_dir = MakeTempDir();
        m_ui = std::make_unique<TracksFileUI>(m_frame);
        ViewSettings& settings = ViewSettings::GetInstance();
        settings.showMap.Set(false);
        settings.showScale.Set(false);
        settings.colorBy.Set(0);
        settings.GetMapLayerChoice().SelectLayer(MapLayerChoice::NoLayer);
    }

    void TearDown() override
    {
        ViewSettings::GetInstance().GetMapLayerChoice().SelectLayer(MapLayerChoice::NoLayer);
        m_ui.reset();
        Model().Remove(Model().GetFileTids());
        Dir::SetDataDir(QString());
    }

    static OpenTracksModel& Model() { return OpenTracks::Get().model; }

    // A zigzag of twelve points across a few kilometres, the map window
    // fitted to it at the given size.
    void OpenZigzagIn(const QSize& window)
    {
        TrackTree tree;
        const int file = tree.GetCreator()->AddFile(QStringLiteral("zigzag"), QString(), TrackFileGpx);
        const int segment = tree.GetCreator()->AddSegment(file, QString());
        auto points = std::make_shared<TrackData>();
        for (int i = 0; i < 12; ++i)
            points->Append(TrackPoint(TVector3<double>(8.0 + 0.004 * i, 47.0 + (i % 2) * 0.01, 500.0),
                                      Time(2024, 5, 1, 10, 0, i)));
        TrackDataSetImpl data;
        data.Add(segment, points);
        Model().AddOpenedFile(*tree.GetReader(), file, data, QString(), TrackFileGpx);
        CoordTransform& transform = m_frame.GetTrackView().GetTransform();
        transform.SetViewRect({0, 0, window.width(), window.height()});
        transform.FitGeoRect({8.0, 47.0, 8.044, 47.01}, 0.8);
    }

    // Answers the size dialog and the file dialog, runs the command.
    void SaveAs(const QString& name, const QSize& size)
    {
        DialogScript dialogs;
        dialogs.AddAction([size](DlgBase& dlg) {
            dlg.findChild<QSpinBox*>(QStringLiteral("Width"))->setValue(size.width());
            dlg.findChild<QSpinBox*>(QStringLiteral("Height"))->setValue(size.height());
            return IDOK;
        });
        FileDialogScript files;
        files.AddAnswer({QDir(m_dir).filePath(name)});
        ASSERT_TRUE(m_frame.GetHub().OnCommand(ID_FILE_SAVE_IMAGE));
    }

    QByteArray Read(const QString& name) const
    {
        QFile file(QDir(m_dir).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static int CountNot(const QImage& image, QRgb background)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += (image.pixel(x, y) | 0xFF000000) != background;
        return count;
    }

    // The bounds of what differs from the background.
    static QRect Covered(const QImage& image, QRgb background)
    {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) | 0xFF000000) != background)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    // A tile folder with every tile of zoom 3 red and of zoom 4 blue, as
    // the current map layer.
    void ShowTwoZoomLayer()
    {
        for (int zoom = 3; zoom <= 4; ++zoom) {
            QImage tile(256, 256, QImage::Format_ARGB32);
            tile.fill(zoom == 3 ? TileRed : TileBlue);
            for (int x = 0; x < (1 << zoom); ++x) {
                const QString folder = QDir(m_dir).filePath(QStringLiteral("tiles/%1/%2").arg(zoom).arg(x));
                QDir().mkpath(folder);
                for (int y = 0; y < (1 << zoom); ++y)
                    ASSERT_TRUE(tile.save(QDir(folder).filePath(QStringLiteral("%1.png").arg(y))));
            }
        }
        const QString layer = QDir(m_dir).filePath(QStringLiteral("layer.xml"));
        WriteTestFile(layer, QStringLiteral(R"(<layer guid="g-save-image"><name>Two zooms</name>
<source type="osm"><base_url>%1/tiles/{z}/{x}/{y}.png</base_url></source>
<coverage><zoom min="3" max="4"/></coverage></layer>)")
                                 .arg(QUrl::fromLocalFile(m_dir).toString())
                                 .toUtf8());
        ViewSettings& settings = ViewSettings::GetInstance();
        const int index = settings.GetMapLayers()->AddLayerFile(layer);
        ASSERT_GE(index, 0);
        settings.GetMapLayerChoice().SelectLayer(index);
        settings.showMap.Set(true);
    }

    QString m_dir;
    MainFrame m_frame;
    std::unique_ptr<TracksFileUI> m_ui;
};

} // namespace

TEST_F(SaveImageCommandTest, APictureIsDrawnAfreshAtItsSizeNotScaledUp)
{
    OpenZigzagIn(QSize(300, 200));
    MessageBoxScript boxes;
    SaveAs(QStringLiteral("small.png"), QSize(300, 200));
    SaveAs(QStringLiteral("large.png"), QSize(900, 600));
    EXPECT_TRUE(boxes.GetShown().empty());

    const QImage small = QImage::fromData(Read(QStringLiteral("small.png")), "PNG");
    const QImage large = QImage::fromData(Read(QStringLiteral("large.png")), "PNG");
    ASSERT_EQ(small.size(), QSize(300, 200));
    ASSERT_EQ(large.size(), QSize(900, 600));
    const int smallTrack = CountNot(small, DrawingLayers::NoMapBackground);
    const int largeTrack = CountNot(large, DrawingLayers::NoMapBackground);
    ASSERT_GT(smallTrack, 200);
    // Three times as long at the same width; scaled up it would cover nine
    // times the pixels.
    EXPECT_GT(largeTrack, 2 * smallTrack);
    EXPECT_LT(largeTrack, 4 * smallTrack);
}

TEST_F(SaveImageCommandTest, ColouredByAValueThePictureCarriesItsLegend)
{
    OpenZigzagIn(QSize(600, 400));
    ViewSettings& settings = ViewSettings::GetInstance();
    const PaletteList& palettes = settings.GetPalettes();
    int speed = -1;
    for (size_t i = 0; i < palettes.size(); ++i)
        if (palettes[i]->GetParameter() == PaletteParameter::Speed)
            speed = static_cast<int>(i);
    ASSERT_GE(speed, 0);
    SaveAs(QStringLiteral("plain.png"), QSize(600, 400));
    settings.colorBy.Set(speed);
    SaveAs(QStringLiteral("speed.png"), QSize(600, 400));

    const QImage plain = QImage::fromData(Read(QStringLiteral("plain.png")), "PNG");
    const QImage coloured = QImage::fromData(Read(QStringLiteral("speed.png")), "PNG");
    ASSERT_EQ(coloured.size(), QSize(600, 400));
    // The legend is a white box at the top right with the colour bar in it.
    auto whiteIn = [](const QImage& image, const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += (image.pixel(x, y) | 0xFF000000) == 0xFFFFFFFF;
        return count;
    };
    const QRect corner(600 - 140, 10, 130, 250);
    EXPECT_EQ(whiteIn(plain, corner), 0);
    EXPECT_GT(whiteIn(coloured, corner), corner.width() * corner.height() / 3);
    // The colour bar: a gradient of many colours.
    QSet<QRgb> colours;
    for (int y = corner.top(); y <= corner.bottom(); ++y)
        for (int x = corner.left(); x <= corner.right(); ++x)
            colours.insert(coloured.pixel(x, y) | 0xFF000000);
    EXPECT_GT(colours.size(), 40);
}

TEST_F(SaveImageCommandTest, PdfAndSvgKeepTheTrackAsLines)
{
    OpenZigzagIn(QSize(400, 300));
    MessageBoxScript boxes;
    SaveAs(QStringLiteral("map.png"), QSize(400, 300));
    SaveAs(QStringLiteral("map.svg"), QSize(400, 300));
    SaveAs(QStringLiteral("map.pdf"), QSize(400, 300));
    EXPECT_TRUE(boxes.GetShown().empty());

    // Rendered back, the drawing covers what the PNG covers.
    const QImage png = QImage::fromData(Read(QStringLiteral("map.png")), "PNG");
    QSvgRenderer renderer(Read(QStringLiteral("map.svg")));
    ASSERT_TRUE(renderer.isValid());
    QImage rendered(400, 300, QImage::Format_ARGB32);
    QPainter painter(&rendered);
    renderer.render(&painter);
    painter.end();
    const QRect drawn = Covered(png, DrawingLayers::NoMapBackground);
    const QRect fromSvg = Covered(rendered, DrawingLayers::NoMapBackground);
    ASSERT_TRUE(drawn.isValid());
    EXPECT_LE(std::abs(fromSvg.left() - drawn.left()), 2);
    EXPECT_LE(std::abs(fromSvg.right() - drawn.right()), 2);
    EXPECT_LE(std::abs(fromSvg.top() - drawn.top()), 2);
    EXPECT_LE(std::abs(fromSvg.bottom() - drawn.bottom()), 2);

    const QByteArray svg = Read(QStringLiteral("map.svg"));
    ASSERT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("<polyline") || svg.contains("<path"));
    // Without a map there is no raster in it at all.
    EXPECT_FALSE(svg.contains("<image"));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 400 300\""));
    const QByteArray pdf = Read(QStringLiteral("map.pdf"));
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    // A page of the picture's size: its pixels at the recording resolution.
    const double side = 400 * 72.0 / RecordedLayers::GetDpi();
    EXPECT_TRUE(pdf.contains(QStringLiteral("/MediaBox [0 0 %1 ").arg(side, 0, 'f', 6).toLatin1()));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
}

TEST_F(SaveImageCommandTest, TilesOfTheZoomThePictureCallsForAreWaitedFor)
{
    OpenZigzagIn(QSize(64, 64));
    CoordTransform& transform = m_frame.GetTrackView().GetTransform();
    transform.SetScale(6000);
    transform.SetCenter({45.0, 55.0});
    ShowTwoZoomLayer();
    MessageBoxScript boxes;
    SaveAs(QStringLiteral("same.png"), QSize(64, 64));
    SaveAs(QStringLiteral("finer.png"), QSize(256, 256));
    EXPECT_TRUE(boxes.GetShown().empty());

    const QImage same = QImage::fromData(Read(QStringLiteral("same.png")), "PNG");
    const QImage finer = QImage::fromData(Read(QStringLiteral("finer.png")), "PNG");
    ASSERT_FALSE(same.isNull());
    ASSERT_FALSE(finer.isNull());
    // Every tile arrived before writing: no gap of the background anywhere.
    EXPECT_EQ(CountNot(same, TileRed), 0);
    EXPECT_EQ(CountNot(finer, TileBlue), 0);
}

TEST_F(SaveImageCommandTest, AFailedWriteSaysSoAndLeavesTheOldFile)
{
    OpenZigzagIn(QSize(200, 200));
    const QString blocked = QDir(m_dir).filePath(QStringLiteral("no-such-folder/map.png"));
    MessageBoxScript boxes;
    DialogScript dialogs;
    dialogs.AddAnswer(IDOK);
    FileDialogScript files;
    files.AddAnswer({blocked});
    ASSERT_TRUE(m_frame.GetHub().OnCommand(ID_FILE_SAVE_IMAGE));
    ASSERT_EQ(boxes.GetShown().size(), 1u);
    EXPECT_TRUE(boxes.GetShown().front().text.contains(QDir::toNativeSeparators(blocked)));
    EXPECT_FALSE(QFile::exists(blocked));

    // Cancelling either dialog writes nothing.
    const QString kept = QDir(m_dir).filePath(QStringLiteral("kept.png"));
    WriteTestFile(kept, "old bytes");
    DialogScript cancelled;
    cancelled.AddAnswer(IDCANCEL);
    ASSERT_TRUE(m_frame.GetHub().OnCommand(ID_FILE_SAVE_IMAGE));
    EXPECT_EQ(Read(QStringLiteral("kept.png")), QByteArray("old bytes"));
}
