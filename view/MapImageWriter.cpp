#include "MapImageWriter.h"

#include "LegendPainter.h"
#include "MapScene.h"
#include "MapTileDrawer.h"
#include "PickState.h"
#include "ViewSettings.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>

namespace {

constexpr int TopLayer = 2;
constexpr int LegendMargin = 10;
constexpr QSize LegendSize(130, 260);
constexpr double PointsPerInch = 72.0;
constexpr double MetresPerInch = 0.0254;

QSize Bounded(const QSize& size)
{
    return {std::clamp(size.width(), MapImageWriter::MinSide, MapImageWriter::MaxSide),
            std::clamp(size.height(), MapImageWriter::MinSide, MapImageWriter::MaxSide)};
}

bool Finish(QSaveFile& file, QString& error)
{
    if (file.commit())
        return true;
    error = file.errorString();
    return false;
}

} // namespace

MapImageWriter::MapImageWriter(const CoordTransformI& window, const QSize& size) : m_size(Bounded(size))
{
    const PixelRect& view = window.GetViewRect();
    const double widthRatio = static_cast<double>(std::max(view.right - view.left, 1)) / m_size.width();
    const double heightRatio = static_cast<double>(std::max(view.bottom - view.top, 1)) / m_size.height();
    m_transform.SetViewRect({0, 0, m_size.width(), m_size.height()});
    m_transform.SetCenter(window.GetCenter());
    m_transform.SetScale(window.GetScale() * std::max(widthRatio, heightRatio));
}

int MapImageWriter::Record(MapScene& scene, MapTileDrawer& tiles)
{
    m_layers = std::make_unique<RecordedLayers>(m_size, ViewSettings::GetInstance().showMap.Get());
    PickState noPicking;
    scene.DrawMapAndTracks(*m_layers, m_transform, noPicking);
    const int pending = tiles.GetPendingTiles();
    scene.DrawOverlays(*m_layers, m_transform.GetScale());
    DrawLegend();
    return pending;
}

void MapImageWriter::DrawLegend()
{
    QPainter* top = m_layers->GetLayer(TopLayer);
    LegendPainter legend;
    const QSize area(LegendSize.width(), std::min(LegendSize.height(), m_size.height() - 2 * LegendMargin));
    if (!top || area.height() <= 0 || m_size.width() < area.width() + 2 * LegendMargin || !legend.Relayout(area))
        return;
    top->save();
    top->translate(m_size.width() - area.width() - LegendMargin, LegendMargin);
    legend.Paint(*top, area);
    top->restore();
}

bool MapImageWriter::Write(const QString& path, QString& error)
{
    if (!m_layers) {
        error = QStringLiteral("nothing drawn");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&file);
        // One pixel of the picture is one dot of the page, at the resolution
        // the layers were recorded at.
        pdf.setResolution(RecordedLayers::GetDpi());
        pdf.setPageMargins({});
        pdf.setPageSize(QPageSize(QSizeF(m_size) * PointsPerInch / RecordedLayers::GetDpi(), QPageSize::Point));
        QPainter painter(&pdf);
        m_layers->Replay(painter);
        painter.end();
        return Finish(file, error);
    }
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setResolution(RecordedLayers::GetDpi());
        svg.setSize(m_size);
        svg.setViewBox(QRect(QPoint(0, 0), m_size));
        QPainter painter(&svg);
        m_layers->Replay(painter);
        painter.end();
        return Finish(file, error);
    }
    QImage image(m_size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        error = QStringLiteral("not enough memory for %1 x %2 pixels").arg(m_size.width()).arg(m_size.height());
        return false;
    }
    const int dotsPerMetre = qRound(RecordedLayers::GetDpi() / MetresPerInch);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    m_layers->Replay(painter);
    painter.end();
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        error = writer.errorString();
        return false;
    }
    return Finish(file, error);
}
