#include "TrackView.h"

#include "AppTick.h"
#include "CalcDataGeneralI.h"
#include "CommandMenu.h"
#include "GEventManagerImpl.h"
#include "Locale.h"
#include "MapCacheSettings.h"
#include "WorldBasemap.h"
#include "MapDownloaderData.h"
#include "MapLayersI.h"
#include "FilterPreviewMarks.h"
#include "MapOverlays.h"
#include "MapScene.h"
#include "OpenTracks.h"
#include "PointRangeMenu.h"
#include "StringIds.h"
#include "TimeZones.h"
#include "TrackI.h"
#include "TrackPainter.h"
#include "TrackPointEx.h"
#include "TrackPtNavI.h"
#include "TrackTreeAlg.h"
#include "Translator.h"
#include "UnitsDisp.h"
#include "UpdateCounterImpl.h"
#include "ViewSettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int PickRadius = 15;
constexpr double FlySeconds = 1.0;
constexpr double ZoomInScale = 1.0;
constexpr double FitFill = 0.95;
// Width plus height below which a box to fit is widened: a second of arc.
constexpr double MinFitExtent = 1.0 / 3600.0;
constexpr QRgb LabelOutline = 0xFF444444;
constexpr int LabelOffset = 5;
// Above the tiles and under the markers and overlays: where a frame the
// worker finished goes whole while the map is dragged.
constexpr int TracksLayer = 3;

// Web tiles outlive the run in the user's cache folder.
std::unique_ptr<MapDownloaderData> MakeTileDownloader()
{
    auto downloader = std::make_unique<MapDownloaderData>();
    downloader->SetDiskCache(MapCacheSettings().OpenDiskCache());
    return downloader;
}

int RunPointMenu(const CommandMenu::Commands& commands, const QPoint& at)
{
    QMenu menu;
    QMenu* point = menu.addMenu(Translator::GetInstance().LoadStr(IDS_MENU_TRACK_POINT));
    CommandMenu::Fill(*point, commands, [](int id) { return id == 1504 || id == 1505; });
    return CommandMenu::Exec(*point, at);
}

// White text with a dark rim, readable over any map.
void DrawOutlinedText(QPainter& surface, const QString& text, const QPoint& bottomLeft, int pointSize)
{
    QFont font(QStringLiteral("Arial"), pointSize, QFont::Bold);
    const QFontMetrics metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QPainterPath path;
    int y = bottomLeft.y() - metrics.height() * (static_cast<int>(lines.size()) - 1) - metrics.descent();
    for (const QString& line : lines) {
        path.addText(QPointF(bottomLeft.x(), y), font, line);
        y += metrics.height();
    }
    surface.save();
    surface.setPen(QPen(QColor::fromRgba(LabelOutline), 3));
    surface.setBrush(Qt::NoBrush);
    surface.drawPath(path);
    surface.fillPath(path, Qt::white);
    surface.restore();
}

} // namespace

TrackView::TrackView(QWidget* parent)
    : QWidget(parent), m_layers(palette().window().color()), m_animation(m_transform),
      m_viewChanges(m_transform.GetUpdateWatcher()),
      m_actions(OpenTracks::Get().model, OpenTracks::Get().holder, GEventManagerImpl::GetInstance()),
      m_mouse(m_transform, m_actions, *this),
      m_attrs(OpenTracks::Get().model, OpenTracks::Get().holder.GetState(), GEventManagerImpl::GetInstance()),
      m_tiles(ViewSettings::GetInstance().GetMapLayers(), MakeTileDownloader(),
              std::make_shared<WorldBasemap>(WorldBasemap::FindDataFolder())), m_menuRunner(RunPointMenu)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    const ViewSettings& settings = ViewSettings::GetInstance();
    m_transform.SetScale(settings.mpp.Get());
    m_transform.SetCenter({settings.x.Get(), settings.y.Get()});
    m_events = GEventManagerImpl::GetInstance().Subscribe(
        GEventFilter::All(), [this] { RequestRedraw(); }, GEventGroup::Views);
    m_preview = FilterPreviewMarks::GetInstance().Subscribe([this] { update(); });
    m_tick = AppTick::GetInstance().Subscribe([this] {
        if (NeedsRedraw())
            update();
    });
}

TrackView::~TrackView()
{
    // Saving the view announces a settings change, which must not come
    // back to a window half taken down.
    m_events.disconnect();
    m_tick.disconnect();
    m_preview.disconnect();
    ViewSettings& settings = ViewSettings::GetInstance();
    settings.x.Set(m_transform.GetCenter().lon);
    settings.y.Set(m_transform.GetCenter().lat);
    settings.mpp.Set(m_transform.GetScale());
}

bool TrackView::NeedsRedraw()
{
    const bool viewChanged = m_viewChanges->IsUpdated();
    const bool newTiles = m_tiles.HasNewTiles();
    return m_countdown > 0 || viewChanged || newTiles || m_animation.IsActive()
           || m_mouse.NeedsRedraw(underMouse() || m_captured);
}

void TrackView::paintEvent(QPaintEvent*)
{
    if (m_countdown > 0)
        --m_countdown;
    ViewSettings& settings = ViewSettings::GetInstance();
    m_layers.SetMapShown(settings.showMap.Get());
    if (!m_layers.BeginFrame(*this, rect()))
        return;
    m_animation.StepFlyTo();
    if (m_mouse.IsDraggingMap() && (m_slowFrames || m_worker.IsBusy())) {
        PaintWhileDragging();
        return;
    }
    m_workerFrame = WorkerFrame();

    const PixelPoint mouse = m_mouse.GetPosition();
    const bool picking = m_mouse.AllowsHover();
    m_pick = PickState();
    if (picking)
        m_pick.Begin({mouse.x, mouse.y}, QRect(mouse.x - PickRadius, mouse.y - PickRadius, 2 * PickRadius + 1,
                                               2 * PickRadius + 1));
    OpenTracks& open = OpenTracks::Get();
    MapScene scene(open.model, m_attrs, m_tiles, m_lods);
    scene.DrawMap(m_layers, m_transform);
    QElapsedTimer tracksClock;
    tracksClock.start();
    DrawTracks(m_layers, m_transform, m_pick, &m_layers);
    m_slowFrames = tracksClock.elapsed() >= m_workerFromMs;
    m_pick.End();
    if (picking)
        m_mouse.SetPickResult(ReadPick());

    FinishFrame(scene, true);
}

void TrackView::FinishFrame(MapScene& scene, bool hover)
{
    const ViewSettings& settings = ViewSettings::GetInstance();
    scene.DrawOverlays(m_layers, m_transform.GetScale());
    if (settings.showMapCenter.Get())
        MapOverlays::DrawMapCenter(m_layers);
    if (QPainter* top = hover ? m_layers.GetLayer(2) : nullptr)
        DrawHover(*top);
    m_fps.OnRedraw();
    if (settings.showFps.Get())
        MapOverlays::DrawFps(m_layers, m_fps.GetFps());
    m_layers.EndFrame();
}

void TrackView::DrawTracks(DrawingLayersI& layers, const CoordTransformI& transform, PickState& pick,
                           DrawingLayers* current)
{
    OpenTracks& open = OpenTracks::Get();
    MapScene(open.model, m_attrs, m_tiles, m_lods).DrawTracks(layers, transform, pick);
    TrackPainter painter(layers, transform, open.model, pick, &m_lods);
    const PointRange range = open.holder.GetState().GetPointRange();
    if (!range.IsEmpty() && open.holder.GetState().GetCheckState(range.tid) != TracksStateI::Unchecked)
        painter.DrawPointRange(range);
    if (m_overlayPainter)
        m_overlayPainter(layers, transform);
    const FilterPreviewMarks& preview = FilterPreviewMarks::GetInstance();
    if (preview.GetTid() >= 0 && open.holder.GetState().GetCheckState(preview.GetTid()) != TracksStateI::Unchecked)
        painter.DrawPreviewMarks(preview.GetTid(), preview.GetIndices());
    const TrackPosition point = open.holder.GetState().GetCurrentPoint();
    if (current && point.tid >= 0 && point.index >= 0)
        painter.DrawCurrentPoint(*current, point);
}

void TrackView::PaintWhileDragging()
{
    OpenTracks& open = OpenTracks::Get();
    MapScene scene(open.model, m_attrs, m_tiles, m_lods);
    scene.DrawMap(m_layers, m_transform);
    QPainter* tracks = m_layers.GetLayer(TracksLayer);
    if (tracks && !m_workerFrame.image.isNull() && m_workerFrame.scale == m_transform.GetScale()) {
        const PixelPoint now = m_transform.GeoToPixel(m_workerFrame.centre);
        tracks->drawImage(QPoint(now.x - m_workerFrame.centrePixel.x, now.y - m_workerFrame.centrePixel.y),
                          m_workerFrame.image);
    }
    const TrackPosition current = open.holder.GetState().GetCurrentPoint();
    if (current.tid >= 0 && current.index >= 0) {
        PickState none;
        TrackPainter(m_layers, m_transform, open.model, none, &m_lods).DrawCurrentPoint(m_layers, current);
    }
    FinishFrame(scene, false);
    if (!m_worker.IsBusy())
        StartWorkerFrame();
}

void TrackView::StartWorkerFrame()
{
    // Drawn here, where the tracks may be read; its lines laid down there.
    auto frame = std::make_unique<DrawingLayers>(palette().window().color());
    frame->SetMapShown(ViewSettings::GetInstance().showMap.Get());
    frame->SetDeferStrokes(true);
    frame->BeginOffscreenFrame(rect().size());
    OpenTracks& open = OpenTracks::Get();
    MapScene(open.model, m_attrs, m_tiles, m_lods).DrawMap(*frame, m_transform);
    PickState none;
    DrawTracks(*frame, m_transform, none, nullptr);
    WorkerFrame done;
    done.centre = m_transform.GetCenter();
    done.centrePixel = m_transform.GeoToPixel(done.centre);
    done.scale = m_transform.GetScale();
    m_worker.Start(std::move(frame), this, [this, done](QImage image) mutable {
        if (!m_mouse.IsDraggingMap())
            return;
        done.image = std::move(image);
        m_workerFrame = std::move(done);
        update();
    });
}

PickResult TrackView::ReadPick() const
{
    PickResult result;
    if (m_pick.GetBestPoint().tid >= 0) {
        result.kind = PickResult::Point;
        result.point = m_pick.GetBestPoint();
        result.nearest = {m_pick.GetBestPointPixel().x(), m_pick.GetBestPointPixel().y()};
    } else if (m_pick.GetBestLine().tid >= 0) {
        result.kind = m_mouse.GetMode() == MouseModeEdit ? PickResult::Line : PickResult::Segment;
        result.point = m_pick.GetBestLine();
        const TrackPtr track = OpenTracks::Get().model.GetTrack(result.point.tid);
        result.second = track ? track->GetPtNav().GetNext(result.point.index, 1) : -1;
        result.nearest = {m_pick.GetNearestOnLine().x(), m_pick.GetNearestOnLine().y()};
    }
    return result;
}

void TrackView::DrawHover(QPainter& surface)
{
    OpenTracks& open = OpenTracks::Get();
    const PickResult& picked = m_mouse.GetPickResult();
    int hovered = -1;
    if (picked.kind == PickResult::Point) {
        const TrackPtr track = open.model.GetTrack(picked.point.tid);
        TrackPointEx point;
        if (track && track->GetPointEx(picked.point.index, point)) {
            const QPoint at(picked.nearest.x, picked.nearest.y);
            TrackPainter::DrawPointMarker(surface, at);
            m_layers.DrawSprite(surface, 1, at.x(), at.y());
            QString when = Translator::GetInstance().LoadStr(IDS_POINT_LABEL_NO_TIME);
            QString date;
            if (!point.GetTime().IsNull()) {
                const Time local = TimeZones::GetInstance().FromUtc(point.GetTime());
                when = Locale::GetTimeString(local);
                date = Locale::GetDateString(local) + QStringLiteral(", ");
            }
            const QString label = when + QLatin1Char('\n') + date
                                  + UnitsDisp::GetSpeedString(point.GetCalcParams().Speed);
            DrawOutlinedText(surface, label, at + QPoint(LabelOffset, -LabelOffset), 10);
        }
    } else if (picked.kind == PickResult::Segment) {
        hovered = picked.point.tid;
        std::vector<int> parentage;
        TrackTreeAlg(open.model.GetReader().get()).GetParentage(hovered, parentage);
        QStringList names;
        for (const int tid : parentage) {
            if (const TrackInfo::Node* node = open.model.GetReader()->GetNode(tid))
                names.append(node->GetName());
        }
        const PixelPoint mouse = m_mouse.GetPosition();
        DrawOutlinedText(surface, names.join(QLatin1Char('\n')), QPoint(mouse.x + LabelOffset, mouse.y - LabelOffset),
                         12);
    }
    if (open.holder.GetState().GetHoveredSegment() != hovered) {
        open.holder.SetHoveredSegment(hovered);
        RequestRedraw();
    }
}

void TrackView::ShowPoint(bool centreNow, bool zoomIn, const TrackPosition& point)
{
    const TrackPtr track = point.tid >= 0 ? OpenTracks::Get().model.GetTrack(point.tid) : nullptr;
    double x = 0, y = 0, z = 0;
    if (!track || !track->GetPosition(point.index, x, y, z))
        return;
    if (zoomIn && m_transform.GetScale() > ZoomInScale)
        m_transform.SetScale(ZoomInScale);
    if (centreNow) {
        m_transform.SetCenter({x, y});
        return;
    }
    const PixelPoint pixel = m_transform.GeoToPixel({x, y});
    const PixelRect& view = m_transform.GetViewRect();
    if (pixel.x < view.left || pixel.x > view.right || pixel.y < view.top || pixel.y > view.bottom)
        m_animation.StartFlyTo({x, y}, FlySeconds);
}

void TrackView::ZoomToSegments(const std::vector<int>& tids)
{
    PointBounds bounds;
    for (const int tid : tids) {
        if (const TrackPtr track = OpenTracks::Get().model.GetTrack(tid))
            bounds.Add(track->GetCalcData().GetValidBounds());
    }
    if (bounds.IsEmpty())
        return;
    GeoRect box{bounds.minX, bounds.minY, bounds.maxX, bounds.maxY};
    const double extent = box.Width() + box.Height();
    if (extent < MinFitExtent) {
        const double grow = (MinFitExtent - extent) / 4;
        box = {box.lon0 - grow, box.lat0 - grow, box.lon1 + grow, box.lat1 + grow};
    }
    m_transform.FitGeoRect(box, FitFill);
}

void TrackView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_transform.SetViewRect({0, 0, width(), height()});
}

void TrackView::keyPressEvent(QKeyEvent* event)
{
    RequestRedraw();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (!ctrl && (event->text() == QLatin1String("n") || event->text() == QLatin1String("p"))) {
        const TrackPosition point = m_actions.StepCurrentPoint(event->text() == QLatin1String("n"));
        if (point.tid >= 0)
            ShowPoint(point);
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        m_actions.RemovePoint(OpenTracks::Get().holder.GetState().GetCurrentPoint());
        return;
    }
    m_mouse.OnKeyDown(event->key(), shift, ctrl);
}

void TrackView::PassMouse(MouseMessage::Type type, QMouseEvent* event)
{
    RequestRedraw();
    MouseMessage message;
    message.type = type;
    message.pos = {event->position().toPoint().x(), event->position().toPoint().y()};
    message.leftHeld = event->buttons() & Qt::LeftButton;
    message.ctrl = event->modifiers() & Qt::ControlModifier;
    message.shift = event->modifiers() & Qt::ShiftModifier;
    m_mouse.OnMouseMessage(message);
    UpdateCursor();
}

void TrackView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        PassMouse(MouseMessage::LeftDown, event);
    else if (event->button() == Qt::RightButton)
        PassMouse(MouseMessage::RightDown, event);
}

void TrackView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        PassMouse(MouseMessage::LeftUp, event);
    else if (event->button() == Qt::RightButton)
        PassMouse(MouseMessage::RightUp, event);
}

void TrackView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        PassMouse(MouseMessage::LeftDoubleClick, event);
}

void TrackView::mouseMoveEvent(QMouseEvent* event)
{
    PassMouse(MouseMessage::Move, event);
}

void TrackView::wheelEvent(QWheelEvent* event)
{
    RequestRedraw();
    MouseMessage message;
    message.type = MouseMessage::Wheel;
    message.pos = {event->position().toPoint().x(), event->position().toPoint().y()};
    message.wheelDelta = event->angleDelta().y();
    message.overMap = rect().contains(event->position().toPoint());
    m_mouse.OnMouseMessage(message);
    event->accept();
}

void TrackView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_mouse.OnKillFocus();
    ReleaseMouse();
    unsetCursor();
    RequestRedraw();
}

void TrackView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    RequestRedraw();
}

void TrackView::UpdateCursor()
{
    switch (m_mouse.GetCursor()) {
    case MouseCursor::Dragging:
        setCursor(Qt::ClosedHandCursor);
        break;
    case MouseCursor::Hand:
        setCursor(Qt::OpenHandCursor);
        break;
    case MouseCursor::EditPoint:
        setCursor(Qt::SizeAllCursor);
        break;
    case MouseCursor::EditLine:
        setCursor(Qt::PointingHandCursor);
        break;
    case MouseCursor::Edit:
        setCursor(Qt::CrossCursor);
        break;
    case MouseCursor::Arrow:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void TrackView::CaptureMouse()
{
    // Qt keeps the mouse with the window while a button is held; the flag
    // keeps a thin segment hovered while the mouse wobbles off it.
    m_captured = true;
}

void TrackView::ReleaseMouse()
{
    m_captured = false;
}

bool TrackView::HasCapture() const
{
    return m_captured;
}

void TrackView::RepaintNow()
{
    repaint();
}

void TrackView::ShowPointMenu(const PixelPoint& at, const TrackPosition& point)
{
    const PointEdits::Place place = m_actions.GetPlace(point);
    const TrackPtr track = OpenTracks::Get().model.GetTrack(point.tid);
    TrackPoint value;
    if (place == PointEdits::NoPlace || !track || !track->GetPoint(point.index, value))
        return;
    const bool atEnd = place == PointEdits::First || place == PointEdits::Last;
    CommandMenu::Commands commands{{1502, value.IsValid()}, {1503, !value.IsValid()}, {1504, !atEnd}, {1505, atEnd}};
    PointRangeMenu::Append(commands);
    const int chosen = m_menuRunner(commands, mapToGlobal(QPoint(at.x, at.y)));
    if (PointRangeMenu::IsRangeCommand(chosen) && m_sendCommand)
        m_sendCommand(chosen);
    switch (chosen) {
    case 1502:
        m_actions.RemovePoint(point);
        break;
    case 1503:
        m_actions.RestorePoint(point);
        break;
    case 1504:
        m_actions.AddBreak(point);
        break;
    case 1505:
        m_actions.RemoveBreak(point);
        break;
    default:
        break;
    }
    RequestRedraw();
}

bool TrackView::IsOtherWindowActive() const
{
    const QWidget* active = QApplication::activeWindow();
    return active && active != window();
}

void TrackView::SelectSegment(int tid)
{
    OpenTracks::Get().holder.SetSelection({tid});
}
