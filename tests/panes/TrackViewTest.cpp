#include "CommandActions.h"
#include "CommandIds.h"
#include "MainFrame.h"
#include "Dir.h"
#include "MapLayerChoice.h"
#include "MessageBoxScript.h"
#include "StringIds.h"
#include "AppTracksFixture.h"
#include "TrackView.h"
#include "ViewSettings.h"
#include "ViewUI.h"
#include "WorldBasemap.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QThread>
#include <QToolBar>

namespace {

// The shipped data files, from before the window reads its map layers.
struct SourceDataDir
{
    SourceDataDir() { Dir::SetDataDir(QStringLiteral(QUORVEL_SOURCE_DATA_DIR)); }
    ~SourceDataDir() { Dir::SetDataDir(QString()); }
};

class TrackViewTest : public AppTracksFixture
{
protected:
    void SetUp() override
    {
        AppTracksFixture::SetUp();
        RegistryKey(QStringLiteral("Settings\\View")).ClearSection();
        ResetSettings();
        m_view.resize(400, 300);
        m_view.show();
        // Points 100 m apart along the equator, a minute apart.
        std::vector<TrackPoint> points;
        for (int i = 0; i < 11; ++i)
            points.push_back(At(100.0 * i, Time(2024, 5, 1, 10, i)));
        m_file = AddFile({points});
        m_segment = Segments(m_file).front();
    }

    void TearDown() override
    {
        ResetSettings();
        AppTracksFixture::TearDown();
    }

    static void ResetSettings()
    {
        ViewSettings& s = ViewSettings::GetInstance();
        for (OblOptionBool* option : {&s.showDeleted, &s.showMapCenter, &s.showScale, &s.showFps, &s.showArrows,
                                      &s.showMap})
            option->ResetToDefault();
        s.colorBy.ResetToDefault();
    }

    // Paints what is pending and takes note of every change of the view, so
    // that nothing asks for a repaint any more.
    void Settle()
    {
        m_view.grab();
        m_view.grab();
        m_view.NeedsRedraw();
    }

    PixelPoint PixelOf(int index)
    {
        double x = 0, y = 0, z = 0;
        Model().GetTrack(m_segment)->GetPosition(index, x, y, z);
        return m_view.GetTransform().GeoToPixel({x, y});
    }

    SourceDataDir m_dataDir;
    TrackView m_view;
    int m_file = -1;
    int m_segment = -1;
};

} // namespace

TEST_F(TrackViewTest, ZoomsToSegmentsAndShowsThem)
{
    m_view.ZoomToSegments({m_segment});
    // 1 km fills 95 % of the 400 px width.
    EXPECT_NEAR(PixelOf(10).x - PixelOf(0).x, 0.95 * 400, 1.0);
    EXPECT_EQ((PixelOf(0).x + PixelOf(10).x) / 2, 200);
    const QImage frame = m_view.grab().toImage();
    const PixelPoint middle = PixelOf(5);
    EXPECT_NE(frame.pixel(middle.x, middle.y), frame.pixel(middle.x, 10));

    // A single point is centred.
    std::vector<TrackPoint> lone{At(250, Time(2024, 5, 1, 10))};
    const int single = Segments(AddFile({lone})).front();
    m_view.ZoomToSegments({single});
    EXPECT_NEAR(m_view.GetTransform().GetCenter().lon, 250 * LonPerMeter(), 1e-12);
    // Nothing to fit: the view stays.
    const double scale = m_view.GetTransform().GetScale();
    m_view.ZoomToSegments({});
    EXPECT_EQ(m_view.GetTransform().GetScale(), scale);
}

TEST_F(TrackViewTest, ShowPointMovesTheViewOnlyForAPointOutside)
{
    m_view.ZoomToSegments({m_segment});
    m_view.GetTransform().ZoomBy(2.0);
    // On the right edge of the window (bounds count as inside): stays.
    m_view.GetTransform().PlaceGeoAt({400, 150}, m_view.GetTransform().PixelToGeo(PixelOf(10)));
    ASSERT_EQ(PixelOf(10).x, 400);
    const GeoPoint edged = m_view.GetTransform().GetCenter();
    Settle();
    ASSERT_FALSE(m_view.NeedsRedraw());
    m_view.ShowPoint(false, false, {m_segment, 10});
    EXPECT_FALSE(m_view.NeedsRedraw());
    EXPECT_EQ(m_view.GetTransform().GetCenter(), edged);
    m_view.ShowPoint(false, false, {m_segment, 0});
    EXPECT_TRUE(m_view.NeedsRedraw()) << "flying there";
    m_view.ShowPoint(true, true, {m_segment, 3});
    EXPECT_EQ(PixelOf(3), (PixelPoint{200, 150}));
    EXPECT_LE(m_view.GetTransform().GetScale(), 1.0);
}

TEST_F(TrackViewTest, AChangeWhileIdleGivesTwoRepaints)
{
    Settle();
    EXPECT_FALSE(m_view.NeedsRedraw());
    GEventManagerImpl::GetInstance().Notify(GEventKind::PointsChanged);
    EXPECT_TRUE(m_view.NeedsRedraw());
    m_view.grab();
    EXPECT_TRUE(m_view.NeedsRedraw());
    m_view.grab();
    EXPECT_FALSE(m_view.NeedsRedraw());
}

TEST_F(TrackViewTest, TypingNOrPStepsThroughThePoints)
{
    m_view.ZoomToSegments({m_segment});
    Holder().SetCurrentPoint(m_segment, 4);
    QKeyEvent next(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, QStringLiteral("n"));
    QApplication::sendEvent(&m_view, &next);
    EXPECT_EQ(OpenTracks::Get().holder.GetState().GetCurrentPoint(), (TrackPosition{m_segment, 5}));
    QKeyEvent previous(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, QStringLiteral("p"));
    QApplication::sendEvent(&m_view, &previous);
    QApplication::sendEvent(&m_view, &previous);
    EXPECT_EQ(OpenTracks::Get().holder.GetState().GetCurrentPoint(), (TrackPosition{m_segment, 3}));
    // Delete removes the current point, which can be restored.
    QKeyEvent remove(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(&m_view, &remove);
    EXPECT_EQ(Model().GetTrack(m_segment)->GetPtNav().GetValidCount(), 10);
    EXPECT_EQ(Model().GetTrack(m_segment)->GetPointCount(), 11);
}

TEST_F(TrackViewTest, ThePointMenuGreysWhatDoesNotApplyAndCarriesOutTheChoice)
{
    std::vector<std::pair<int, bool>> offered;
    m_view.SetPointMenuRunner([&offered](const std::vector<std::pair<int, bool>>& commands, const QPoint&) {
        offered = commands;
        return 1502;
    });
    m_view.ShowPointMenu({10, 10}, {m_segment, 0});
    // Without a point range its commands are there but greyed.
    const std::vector<std::pair<int, bool>> atStart{{1502, true},
                                                    {1503, false},
                                                    {1504, false},
                                                    {1505, true},
                                                    {ID_RANGE_NEW_SEGMENT, false},
                                                    {ID_RANGE_CROP, false},
                                                    {ID_RANGE_DELETE, false},
                                                    {ID_RANGE_SAVE_AS, false}};
    EXPECT_EQ(offered, atStart);
    EXPECT_EQ(Model().GetTrack(m_segment)->GetPtNav().GetValidCount(), 10);

    m_view.SetPointMenuRunner([&offered](const std::vector<std::pair<int, bool>>& commands, const QPoint&) {
        offered = commands;
        return 1504;
    });
    m_view.ShowPointMenu({10, 10}, {m_segment, 5});
    EXPECT_EQ(offered.size(), 8u);
    const std::vector<std::pair<int, bool>> inside{{1502, true}, {1503, false}, {1504, true}, {1505, false}};
    offered.resize(4);
    EXPECT_EQ(offered, inside);
    EXPECT_EQ(Segments(m_file).size(), 2u) << "a break after point 5";
}

TEST_F(TrackViewTest, ViewCommandsToggleTheirSettingsAndTheMapChangesTheCasings)
{
    MainFrame frame;
    TrackView& view = frame.GetTrackView();
    new ViewUI(frame, view); // a child of the frame
    ViewSettings& settings = ViewSettings::GetInstance();
    const auto unselectedCasing = [&view, &settings, this] {
        const TrackDrawOptions options{settings.showMap.Get(), settings.showArrows.Get(), nullptr};
        for (const TrackDrawAttrs& attrs : view.GetDrawAttrs().Get(options)) {
            if (attrs.tid == m_segment)
                return attrs.casingWidth;
        }
        return -1;
    };
    EXPECT_EQ(unselectedCasing(), 4);
    frame.RunCommand(ID_VIEW_MAP);
    EXPECT_FALSE(settings.showMap.Get());
    EXPECT_EQ(unselectedCasing(), 1);
    frame.GetActions().UpdateAll();
    EXPECT_FALSE(frame.GetActions().Get(ID_VIEW_MAP)->isChecked());
    frame.RunCommand(ID_VIEW_MAP);
    EXPECT_TRUE(settings.showMap.Get());
    frame.GetActions().UpdateAll();
    EXPECT_TRUE(frame.GetActions().Get(ID_VIEW_MAP)->isChecked());
    frame.RunCommand(ID_VIEW_ARROWS);
    EXPECT_FALSE(settings.showArrows.Get());
    frame.RunCommand(ID_VIEW_ARROWS);

    // Colour by: the menu lists the palettes, the combo follows a choice.
    frame.RunCommand(ID_VIEW_PALETTE_FIRST + 1);
    EXPECT_EQ(settings.colorBy.Get(), 1);
    auto* combo = frame.GetToolbar(TOOLBAR_VIEW_MODES)->findChild<QComboBox*>(QStringLiteral("ColorMode"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->count(), static_cast<int>(settings.GetPalettes().size()));
    frame.RunCommand(ID_VIEW_PALETTE_FIRST);

    // Mouse modes.
    frame.RunCommand(MouseModeEdit);
    EXPECT_EQ(view.GetMouse().GetMode(), MouseModeEdit);
    frame.GetActions().UpdateAll();
    EXPECT_TRUE(frame.GetActions().Get(MouseModeEdit)->isChecked());
    EXPECT_FALSE(frame.GetActions().Get(MouseModeDrag)->isChecked());
    frame.RunCommand(MouseModeDrag);
}

TEST_F(TrackViewTest, TheMapLayerMenuListsTheLayersAndRemembersTheChoice)
{
    MainFrame frame;
    new ViewUI(frame, frame.GetTrackView()); // a child of the frame
    QMenu* menu = frame.FindMenu(IDS_MENU_MAP_LAYER);
    ASSERT_NE(menu, nullptr);
    Q_EMIT menu->aboutToShow();
    QStringList names;
    for (const QAction* action : menu->actions())
        names.append(action->text());
    QStringList expected{QStringLiteral("OpenStreetMap"), QStringLiteral("Offline tiles")};
    // The world map only with its data.
    if (!WorldBasemap::FindDataFolder().isEmpty())
        expected.append(QStringLiteral("World (offline)"));
    EXPECT_EQ(names, expected);

    MapLayerChoice& choice = ViewSettings::GetInstance().GetMapLayerChoice();
    frame.RunCommand(ID_VIEW_MAP_LAYER_FIRST + 1);
    EXPECT_EQ(choice.GetCurrentLayer(), 1);
    frame.GetActions().UpdateAll();
    EXPECT_TRUE(frame.GetActions().Get(ID_VIEW_MAP_LAYER_FIRST + 1)->isChecked());
    EXPECT_FALSE(frame.GetActions().Get(ID_VIEW_MAP_LAYER_FIRST)->isChecked());
    EXPECT_EQ(RegistryKey(QStringLiteral("Settings\\View")).ReadDword(QStringLiteral("Index"), 99), 1u);
    // No map for the other tests: they must not reach a tile server.
    choice.SelectLayer(MapLayerChoice::NoLayer);
}

namespace {

void SendMouse(QWidget& view, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), view.mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

// Of two frames, b moved by shiftX, the share of pixels that differ.
double ShareDiffering(const QImage& a, const QImage& b, int shiftX)
{
    long long differing = 0;
    long long compared = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x + shiftX < a.width(); ++x) {
            ++compared;
            differing += a.pixel(x, y) != b.pixel(x + shiftX, y) ? 1 : 0;
        }
    }
    return static_cast<double>(differing) / static_cast<double>(compared);
}

} // namespace

TEST_F(TrackViewTest, WhileTheMapIsDraggedFramesAreLaidDownOnAWorkerAndTheLastOneMovesWithTheMap)
{
    ViewSettings& settings = ViewSettings::GetInstance();
    settings.showMap.Set(false);
    settings.showScale.Set(false);
    // A zigzag of many points across the view.
    std::vector<TrackPoint> points;
    for (int i = 0; i < 40000; ++i) {
        const int leg = i % 400 < 200 ? i % 200 : 200 - i % 200;
        points.push_back(At(0, Time(2024, 5, 1, 10) + TimeSpan::FromSeconds(i)));
        points.back().Set2D({i * 1e-6, leg * 1e-5});
    }
    const int segment = Segments(AddFile({points})).front();
    m_view.ZoomToSegments({segment});
    m_view.SetWorkerFromMs(0);
    Settle();

    const QPoint press(200, 150);
    SendMouse(m_view, QEvent::MouseButtonPress, press, Qt::LeftButton);
    SendMouse(m_view, QEvent::MouseMove, press + QPoint(10, 0), Qt::LeftButton);
    m_view.grab();
    EXPECT_TRUE(m_view.IsDrawingOnWorker());
    QElapsedTimer waited;
    waited.start();
    while (m_view.IsDrawingOnWorker() && waited.elapsed() < 10000) {
        QThread::msleep(1);
        QApplication::processEvents();
    }
    ASSERT_FALSE(m_view.IsDrawingOnWorker());
    const QImage laidDown = m_view.grab().toImage();

    // The finished frame follows the map at once, while the next is laid down.
    SendMouse(m_view, QEvent::MouseMove, press + QPoint(50, 0), Qt::LeftButton);
    const QImage moved = m_view.grab().toImage();
    EXPECT_TRUE(m_view.IsDrawingOnWorker());
    EXPECT_EQ(ShareDiffering(laidDown, moved, 40), 0.0);
    EXPECT_GT(ShareDiffering(laidDown, moved, 0), 0.01);

    // Let go where the worker's frame was made: the window's own frame
    // there is the same, drawn by the window again.
    SendMouse(m_view, QEvent::MouseMove, press + QPoint(10, 0), Qt::LeftButton);
    SendMouse(m_view, QEvent::MouseButtonRelease, press + QPoint(10, 0), Qt::NoButton);
    const QImage released = m_view.grab().toImage();
    EXPECT_EQ(ShareDiffering(laidDown, released, 0), 0.0);
    // And the frames compared hold the track, not just the background.
    QImage background(laidDown.size(), laidDown.format());
    background.fill(laidDown.pixel(0, 0));
    EXPECT_GT(ShareDiffering(laidDown, background, 0), 0.01);
}
