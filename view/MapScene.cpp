#include "MapScene.h"

#include "CoordTransformI.h"
#include "MapLayerChoice.h"
#include "MapLayerParamsI.h"
#include "MapLayersI.h"
#include "MapOverlays.h"
#include "MapTileDrawer.h"
#include "OptUnits.h"
#include "TrackDrawAttrsImpl.h"
#include "TrackPainter.h"
#include "ViewSettings.h"

#include <QStringList>

MapScene::MapScene(const OpenTracksModel& model, TrackDrawAttrsImpl& attrs, MapTileDrawer& tiles, TrackLodCache& lods)
    : m_model(model), m_attrs(attrs), m_tiles(tiles), m_lods(lods)
{
}

void MapScene::DrawMapAndTracks(DrawingLayersI& layers, const CoordTransformI& transform, PickState& pick)
{
    DrawMap(layers, transform);
    DrawTracks(layers, transform, pick);
}

void MapScene::DrawMap(DrawingLayersI& layers, const CoordTransformI& transform)
{
    m_tiles.DrawTiles(layers, transform, ViewSettings::GetInstance().GetMapLayerChoice().GetCurrentLayer());
}

void MapScene::DrawTracks(DrawingLayersI& layers, const CoordTransformI& transform, PickState& pick)
{
    ViewSettings& settings = ViewSettings::GetInstance();
    TrackPainter painter(layers, transform, m_model, pick, &m_lods);
    const TrackDrawOptions options{settings.showMap.Get(), settings.showArrows.Get(), settings.GetCurrentPalette()};
    painter.DrawSegments(m_attrs.Get(options), settings.showDeleted.Get());
}

void MapScene::DrawOverlays(DrawingLayersI& layers, double metresPerPixel)
{
    ViewSettings& settings = ViewSettings::GetInstance();
    const MeasuringSystem system = OptUnits::GetInstance().GetMeasuringSystem();
    const int copyrightHeight =
        settings.showMap.Get()
            ? MapOverlays::DrawCopyright(layers, CopyrightOf(settings.GetMapLayerChoice().GetCurrentLayer()))
            : 0;
    if (settings.showScale.Get()) {
        MapOverlays::DrawScaleLabel(layers, metresPerPixel, system, copyrightHeight);
        MapOverlays::DrawScaleBar(layers, metresPerPixel, system);
    }
}

QString MapScene::CopyrightOf(int mapLayer)
{
    const auto params = mapLayer >= 0 ? ViewSettings::GetInstance().GetMapLayers()->GetParams(mapLayer) : nullptr;
    if (!params)
        return {};
    QStringList parts;
    for (const MapCopyright& copyright : params->GetCopyrights()) {
        QString part = QStringLiteral("\u00A9 ") + copyright.author;
        if (!copyright.license.isEmpty())
            part += QStringLiteral(" (") + copyright.license + QLatin1Char(')');
        parts.append(part);
    }
    return parts.join(QStringLiteral("; "));
}
