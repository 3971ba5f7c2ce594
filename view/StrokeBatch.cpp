#include "StrokeBatch.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// Below this many queued vertices a thread costs more than it saves.
constexpr qsizetype MinVerticesPerBand = 2048;
constexpr int MaxBands = 4;

} // namespace

std::unique_ptr<StrokeBatch> StrokeBatch::For(QPainter& painter)
{
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QTransform& transform = painter.deviceTransform();
    const bool wholePixelMove = transform.type() <= QTransform::TxTranslate && transform.dx() == std::floor(transform.dx())
                                && transform.dy() == std::floor(transform.dy());
    if (image->format() != QImage::Format_ARGB32_Premultiplied || !wholePixelMove || painter.hasClipping()
        || painter.opacity() < 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver
        || !painter.testRenderHint(QPainter::Antialiasing))
        return nullptr;
    return std::make_unique<StrokeBatch>(*image,
                                         QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy())));
}

StrokeBatch::StrokeBatch(QImage& image, QPoint origin)
    : m_image(image), m_origin(origin)
{
}

StrokeBatch::~StrokeBatch()
{
    Flush();
}

void StrokeBatch::Polyline(const QPolygon& line, const StrokeRaster::Style& style)
{
    m_queue.push_back({line, style});
    m_queuedVertices += line.size();
}

void StrokeBatch::PolylineWithHead(const QPolygon& line, const StrokeRaster::Style& style, const QPointF (&head)[3])
{
    m_queue.push_back({line, style, true, {head[0], head[1], head[2]}});
    m_queuedVertices += line.size();
}

int StrokeBatch::ChooseBandCount() const
{
    if (m_bandCount > 0)
        return m_bandCount;
    const auto cores = static_cast<qsizetype>(std::max(1U, std::thread::hardware_concurrency()));
    return static_cast<int>(std::clamp<qsizetype>(std::min(cores, m_queuedVertices / MinVerticesPerBand), 1, MaxBands));
}

std::vector<int> StrokeBatch::BandEdges(int bands) const
{
    const int height = m_image.height();
    if (bands <= 1)
        return {0, height};
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(m_queuedVertices));
    for (const Stroke& stroke : m_queue) {
        for (const QPoint& p : stroke.line)
            rows.push_back(std::clamp(p.y() + m_origin.y(), 0, height));
    }
    std::vector<int> edges{0};
    for (int band = 1; band < bands; ++band) {
        const auto at = rows.begin() + static_cast<qsizetype>(rows.size()) * band / bands;
        std::nth_element(rows.begin(), at, rows.end());
        edges.push_back(std::max(edges.back(), *at));
    }
    edges.push_back(height);
    return edges;
}

void StrokeBatch::LayDown(StrokeRaster& raster) const
{
    for (const Stroke& stroke : m_queue) {
        const auto count = static_cast<int>(stroke.line.size());
        if (stroke.withHead) {
            const QPointF head[3] = {stroke.head[0], stroke.head[1], stroke.head[2]};
            raster.PolylineWithHead(stroke.line.constData(), count, stroke.style, head);
        } else {
            raster.Polyline(stroke.line.constData(), count, stroke.style);
        }
    }
}

void StrokeBatch::Flush()
{
    if (m_queue.empty())
        return;
    // Taken here, on the painter's thread: bits() may detach the image.
    uchar* bits = m_image.bits();
    const qsizetype bytesPerLine = m_image.bytesPerLine();
    const std::vector<int> edges = BandEdges(ChooseBandCount());
    const auto layDownBand = [&](size_t band) {
        if (edges[band] == edges[band + 1])
            return;
        StrokeRaster raster(bits, bytesPerLine, m_image.size(), m_origin, edges[band], edges[band + 1]);
        LayDown(raster);
    };
    {
        std::vector<std::jthread> helpers;
        for (size_t band = 1; band + 1 < edges.size(); ++band)
            helpers.emplace_back(layDownBand, band);
        layDownBand(0);
    }
    m_queue.clear();
    m_queuedVertices = 0;
}
