#include "RecordedLayers.h"

#include "DrawingLayers.h"

#include <QPainter>

namespace {

constexpr int TileLayer = 1;
constexpr int TopLayer = 2;
constexpr int MiddleLayer = 3;
constexpr int CasingLayer = 4;
// Under the map the window shows its face; a picture has none, so white.
constexpr QRgb MapBackground = 0xFFFFFFFF;

} // namespace

RecordedLayers::RecordedLayers(const QSize& size, bool mapShown)
    : m_size(size), m_mapShown(mapShown)
{
    for (const int index : {TileLayer, CasingLayer, MiddleLayer, TopLayer}) {
        if (!mapShown && (index == TileLayer || index == CasingLayer))
            continue;
        Layer& layer = m_layers[static_cast<size_t>(index)];
        // Recorded at the device's own size so that replaying needs no
        // scaling; fonts keep their pixel sizes.
        layer.picture.setBoundingRect(GetFrameRect());
        layer.painter = std::make_unique<QPainter>(&layer.picture);
        layer.used = true;
        layer.painter->setRenderHint(QPainter::Antialiasing);
        layer.painter->setRenderHint(QPainter::SmoothPixmapTransform);
    }
}

RecordedLayers::~RecordedLayers() = default;

QPainter* RecordedLayers::GetLayer(int index)
{
    if (index < 0 || index >= LayerCount)
        return nullptr;
    return m_layers[static_cast<size_t>(index)].painter.get();
}

int RecordedLayers::GetDpi()
{
    return QPicture().logicalDpiX();
}

void RecordedLayers::Replay(QPainter& target)
{
    target.fillRect(GetFrameRect(), QColor::fromRgba(m_mapShown ? MapBackground : DrawingLayers::NoMapBackground));
    for (const int index : {TileLayer, CasingLayer, MiddleLayer, TopLayer}) {
        Layer& layer = m_layers[static_cast<size_t>(index)];
        if (!layer.used)
            continue;
        if (layer.painter) {
            layer.painter->end();
            layer.painter.reset();
        }
        target.drawPicture(0, 0, layer.picture);
    }
}
