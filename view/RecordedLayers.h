#pragma once

#include "DrawingLayersI.h"

#include <QColor>
#include <QPicture>

#include <array>
#include <memory>

class QPainter;

// The layers of one frame recorded as drawing commands instead of pixels,
// so that a frame can be replayed onto a device of any kind and size: a
// large image, a PDF or SVG page (tracks stay vectors there). Replayed in
// the order the window stacks its layers.
class RecordedLayers : public DrawingLayersI
{
public:
    RecordedLayers(const QSize& size, bool mapShown);
    ~RecordedLayers() override;

    QPainter* GetLayer(int index) override;
    QRect GetFrameRect() const override { return {QPoint(0, 0), m_size}; }
    PixelRect GetFrameLtrb() const override { return {0, 0, m_size.width(), m_size.height()}; }
    int GetWidth() const override { return m_size.width(); }
    int GetHeight() const override { return m_size.height(); }
    bool IsMapShown() const override { return m_mapShown; }

    // The resolution the layers are recorded at; a target of another one
    // would scale them on replay.
    static int GetDpi();

    // Ends the recording (no layer can be drawn into afterwards) and draws
    // the background and the layers onto target, whose origin is the
    // frame's top left; can be repeated onto other targets.
    void Replay(QPainter& target);

private:
    struct Layer
    {
        QPicture picture;
        std::unique_ptr<QPainter> painter;
        bool used = false;
    };

    QSize m_size;
    bool m_mapShown;
    std::array<Layer, LayerCount> m_layers;
};
