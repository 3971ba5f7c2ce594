#include "DrawingLayers.h"

#include "Dir.h"

#include <QPainter>

namespace {

struct Sprite
{
    QRect source;
    QPoint hotSpot;
};

constexpr int MemoryLayer = 0;
constexpr int TileLayer = 1;
constexpr int TopLayer = 2;
constexpr int MiddleLayer = 3;
constexpr int CasingLayer = 4;

const Sprite Sprites[] = {
    {QRect(QPoint(0, 0), QPoint(27, 27)), QPoint(12, 12)},
    {QRect(QPoint(28, 0), QPoint(55, 27)), QPoint(12, 12)},
};

QImage TransparentLayer(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

DrawingLayers::DrawingLayers(QColor face)
    : m_face(face)
{
}

DrawingLayers::~DrawingLayers()
{
    ReleaseLayers();
}

void DrawingLayers::OpenLayer(int index, QImage image)
{
    Layer& layer = m_layers[static_cast<size_t>(index)];
    layer.image = std::move(image);
    layer.painter = std::make_unique<QPainter>(&layer.image);
    layer.painter->setRenderHint(QPainter::Antialiasing);
    layer.painter->setRenderHint(QPainter::SmoothPixmapTransform);
    // Callers draw in window pixels.
    layer.painter->translate(-m_frame.x(), -m_frame.y());
    if (m_deferStrokes && index != MemoryLayer)
        layer.strokes = StrokeBatch::For(*layer.painter);
}

void DrawingLayers::ReleaseLayers()
{
    for (Layer& layer : m_layers) {
        layer.strokes.reset();
        layer.painter.reset();
        layer.image = QImage();
    }
    m_window = nullptr;
}

bool DrawingLayers::BeginFrame(QPaintDevice& window, const QRect& clip)
{
    ReleaseLayers();
    m_window = &window;
    m_frame = clip;
    m_tooSmall = clip.width() < MinFrameSize || clip.height() < MinFrameSize;
    QImage buffer(clip.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(m_tooSmall || !m_mapShown ? QColor::fromRgba(NoMapBackground) : m_face);
    OpenLayer(MemoryLayer, std::move(buffer));
    if (m_tooSmall) {
        EndFrame();
        return false;
    }
    return true;
}

void DrawingLayers::EndFrame()
{
    if (!m_window)
        return;
    Layer& memory = m_layers[MemoryLayer];
    if (!m_tooSmall) {
        const int order[] = {TileLayer, CasingLayer, MiddleLayer, TopLayer};
        for (const int index : order) {
            Layer& layer = m_layers[static_cast<size_t>(index)];
            if (!layer.painter)
                continue;
            if (layer.strokes)
                layer.strokes->Flush();
            layer.painter->end();
            memory.painter->drawImage(m_frame.topLeft(), layer.image);
        }
    }
    memory.painter->end();
    QPainter window(m_window);
    window.drawImage(m_frame.topLeft(), memory.image);
    window.end();
    ReleaseLayers();
}

QPainter* DrawingLayers::GetLayer(int index)
{
    Layer* layer = FindOrOpen(index);
    if (!layer)
        return nullptr;
    // What the painter draws goes over the strokes queued so far.
    if (layer->strokes)
        layer->strokes->Flush();
    return layer->painter.get();
}

StrokeBatch* DrawingLayers::GetSharedStrokes(int index)
{
    Layer* layer = FindOrOpen(index);
    return layer ? layer->strokes.get() : nullptr;
}

DrawingLayers::Layer* DrawingLayers::FindOrOpen(int index)
{
    if (index < 0 || index >= LayerCount || !m_window)
        return nullptr;
    Layer& layer = m_layers[static_cast<size_t>(index)];
    const bool mapLayer = index == TileLayer || index == CasingLayer;
    // A layer is made when first drawn on: one that nothing draws on costs
    // neither its clearing nor its stacking.
    if (!layer.painter && !m_tooSmall && (m_mapShown || !mapLayer))
        OpenLayer(index, TransparentLayer(m_frame.size()));
    return layer.painter ? &layer : nullptr;
}

void DrawingLayers::BeginOffscreenFrame(const QSize& size)
{
    m_offscreen = QImage(size, QImage::Format_ARGB32_Premultiplied);
    BeginFrame(m_offscreen, QRect(QPoint(0, 0), size));
}

QImage DrawingLayers::TakeOffscreenFrame()
{
    EndFrame();
    return std::move(m_offscreen);
}

PixelRect DrawingLayers::GetFrameLtrb() const
{
    return {m_frame.x(), m_frame.y(), m_frame.x() + m_frame.width(), m_frame.y() + m_frame.height()};
}

void DrawingLayers::DrawSprite(QPainter& surface, int id, int x, int y)
{
    if (!m_spritesTried) {
        m_spritesTried = true;
        m_sprites.load(Dir::GetDataFilePath(QStringLiteral("Res\\sprites.png")));
    }
    if (m_sprites.isNull() || id < 0 || id >= static_cast<int>(std::size(Sprites)))
        return;
    const Sprite& sprite = Sprites[id];
    // Pixel art: scaling or smoothing would blur it.
    const bool smooth = surface.testRenderHint(QPainter::SmoothPixmapTransform);
    surface.setRenderHint(QPainter::SmoothPixmapTransform, false);
    surface.drawImage(QPoint(x, y) - sprite.hotSpot, m_sprites, sprite.source);
    surface.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}
