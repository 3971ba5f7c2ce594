#pragma once

#include "CommandMenu.h"
#include "CoordTransform.h"
#include "DrawingLayers.h"
#include "FpsCounter.h"
#include "MapTileDrawer.h"
#include "MapViewHostI.h"
#include "MouseControllerImpl.h"
#include "PickState.h"
#include "TrackLodCache.h"
#include "PointEdits.h"
#include "FrameWorker.h"
#include "TrackDrawAttrsImpl.h"
#include "ViewAnimation.h"

#include <QWidget>

#include <boost/signals2/connection.hpp>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class MapScene;
class UpdateWatcher;

// The map window: the shown tracks over the map, drawn on demand, driven
// by the mouse and keys, redrawn after every change of the open tracks.
class TrackView : public QWidget, public MapViewHostI
{
public:
    explicit TrackView(QWidget* parent = nullptr);
    ~TrackView() override;

    // Polled while the program is idle; the window repaints when true.
    bool NeedsRedraw();
    void RequestRedraw() { m_countdown = 2; }
    // Brings a point into view: at once with centreNow, otherwise by flying
    // there when it lies outside the window; zoomIn goes to 1 m per pixel
    // at least.
    void ShowPoint(bool centreNow, bool zoomIn, const TrackPosition& point);
    // Fits the segments into the window.
    void ZoomToSegments(const std::vector<int>& tids);

    // Runs the point menu: the commands with whether each is enabled; gives
    // the chosen command or 0. Tests put a script in its place.
    using PointMenuRunner = CommandMenu::Runner;
    void SetPointMenuRunner(PointMenuRunner runner) { m_menuRunner = std::move(runner); }
    // Where the point menu's commands on the point range go: the frame.
    using SendCommand = std::function<void(int commandId)>;
    void SetCommandSender(SendCommand send) { m_sendCommand = std::move(send); }

    // Draws over the tracks in every frame (the points a cleaning took
    // out); none draws nothing.
    using OverlayPainter = std::function<void(DrawingLayersI& layers, const CoordTransformI& transform)>;
    void SetOverlayPainter(OverlayPainter painter) { m_overlayPainter = std::move(painter); }

    // While the map is dragged, frames whose tracks took longer than this
    // are drawn on a worker, and the window shows the last one finished.
    static constexpr int DefaultWorkerFromMs = 16;
    void SetWorkerFromMs(int milliseconds) { m_workerFromMs = milliseconds; }
    // Whether a frame is being laid down on the worker.
    bool IsDrawingOnWorker() const { return m_worker.IsBusy(); }

    CoordTransform& GetTransform() { return m_transform; }
    MouseControllerImpl& GetMouse() { return m_mouse; }
    TrackDrawAttrsImpl& GetDrawAttrs() { return m_attrs; }
    MapTileDrawer& GetTiles() { return m_tiles; }
    TrackLodCache& GetLods() { return m_lods; }

    // MapViewHostI
    void CaptureMouse() override;
    void ReleaseMouse() override;
    bool HasCapture() const override;
    void RepaintNow() override;
    void ShowPointMenu(const PixelPoint& at, const TrackPosition& point) override;
    bool IsOtherWindowActive() const override;
    void SelectSegment(int tid) override;
    void ShowPoint(const TrackPosition& point) override { ShowPoint(false, false, point); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PassMouse(MouseMessage::Type type, QMouseEvent* event);
    void UpdateCursor();
    void DrawHover(QPainter& surface);
    PickResult ReadPick() const;
    // The segments and what goes with them (range, overlay, preview marks);
    // current: the current point, which needs the window's sprites.
    void DrawTracks(DrawingLayersI& layers, const CoordTransformI& transform, PickState& pick,
                    DrawingLayers* current);
    // A frame while the map is dragged: the map, the last frame the worker
    // finished moved to where the map now is, the current point and the
    // overlays; and the next frame drawn and handed to the worker to finish.
    void PaintWhileDragging();
    void StartWorkerFrame();
    // The overlays over the frame (and what is under the mouse with hover),
    // then the frame onto the window.
    void FinishFrame(MapScene& scene, bool hover);

    // A frame the worker laid down, and where the view was for it.
    struct WorkerFrame
    {
        QImage image;
        GeoPoint centre;
        PixelPoint centrePixel;
        double scale = 0;
    };

    CoordTransform m_transform;
    DrawingLayers m_layers;
    PickState m_pick;
    TrackLodCache m_lods;
    ViewAnimation m_animation;
    FpsCounter m_fps;
    std::shared_ptr<UpdateWatcher> m_viewChanges;
    PointEdits m_actions;
    MouseControllerImpl m_mouse;
    TrackDrawAttrsImpl m_attrs;
    MapTileDrawer m_tiles;
    FrameWorker m_worker;
    WorkerFrame m_workerFrame;
    int m_workerFromMs = DefaultWorkerFromMs;
    bool m_slowFrames = false; // the last frame's tracks took longer than m_workerFromMs
    int m_countdown = 0;
    bool m_captured = false;
    PointMenuRunner m_menuRunner;
    SendCommand m_sendCommand;
    OverlayPainter m_overlayPainter;
    boost::signals2::scoped_connection m_events;
    boost::signals2::scoped_connection m_tick;
    boost::signals2::scoped_connection m_preview;
};
