#pragma once

#include "DrawingLayersI.h"
#include "StrokeBatch.h"

#include <QColor>
#include <QImage>

#include <array>
#include <memory>

class QPaintDevice;

// Draws a frame into layers of window size and stacks them onto the window
// at the end, so that the tiles, casings and lines of one frame never mix
// their anti-aliasing.
class DrawingLayers : public DrawingLayersI
{
public:
    // Shown where nothing covers it.
    static constexpr QRgb NoMapBackground = 0xFF646464;
    // Below this many pixels in either direction only the background shows.
    static constexpr int MinFrameSize = 5;

    // face: the window colour of the theme, which the buffer starts with.
    explicit DrawingLayers(QColor face);
    ~DrawingLayers() override;

    // Set by the window before each frame.
    void SetMapShown(bool shown) { m_mapShown = shown; }
    // The layers keep the raster strokes queued until the frame's end, or
    // until a painter draws on the layer (GetLayer), so that a frame can
    // be finished on another thread (FrameWorker).
    void SetDeferStrokes(bool defer) { m_deferStrokes = defer; }

    // Starts a frame over the clip bounds of the window; false when the
    // window is too small to draw into (the frame has then ended already).
    bool BeginFrame(QPaintDevice& window, const QRect& clip);
    // Stacks the layers, copies the result to the window, releases them.
    void EndFrame();
    // A frame drawn into an image of its own instead of a window; Take
    // ends it and gives the image.
    void BeginOffscreenFrame(const QSize& size);
    QImage TakeOffscreenFrame();

    // Sprite 0 marks the current point. The sheet is read on first use; a
    // sheet that cannot be read switches sprites off for good.
    void DrawSprite(QPainter& surface, int id, int x, int y);

    QPainter* GetLayer(int index) override;
    StrokeBatch* GetSharedStrokes(int index) override;
    QRect GetFrameRect() const override { return m_frame; }
    PixelRect GetFrameLtrb() const override;
    int GetWidth() const override { return m_frame.width(); }
    int GetHeight() const override { return m_frame.height(); }
    bool IsMapShown() const override { return m_mapShown; }
    bool IsTooSmall() const { return m_tooSmall; }

private:
    struct Layer
    {
        QImage image;
        std::unique_ptr<QPainter> painter;
        std::unique_ptr<StrokeBatch> strokes; // when deferring
    };

    void OpenLayer(int index, QImage image);
    Layer* FindOrOpen(int index);
    void ReleaseLayers();

    QColor m_face;
    QPaintDevice* m_window = nullptr;
    std::array<Layer, LayerCount> m_layers;
    QRect m_frame;
    bool m_mapShown = false;
    bool m_deferStrokes = false;
    bool m_tooSmall = false;
    QImage m_offscreen;
    QImage m_sprites;
    bool m_spritesTried = false;
};
