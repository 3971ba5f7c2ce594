#include "AreaDownloadCommand.h"

#include "AreaDownload.h"
#include "AreaDownloadDlg.h"
#include "CoordTransformI.h"
#include "MapCacheSettings.h"
#include "MapLayerChoice.h"
#include "MapLayerCoverageI.h"
#include "MapLayerParamsI.h"
#include "MapLayersI.h"
#include "MessageBoxStyle.h"
#include "StringIds.h"
#include "TrackView.h"
#include "Translator.h"
#include "ViewSettings.h"

void RunAreaDownloadCommand(TrackView& view, QWidget* parent)
{
    ViewSettings& settings = ViewSettings::GetInstance();
    Translator& tr = Translator::GetInstance();
    const int index = settings.GetMapLayerChoice().GetCurrentLayer();
    const std::shared_ptr<const MapLayerParamsI> layer = index >= 0 ? settings.GetMapLayers()->GetParams(index) : nullptr;
    if (!layer) {
        tr.MessageBoxW(tr.LoadStr(IDS_AREA_DOWNLOAD_NO_LAYER), MB_OK | MB_ICONINFORMATION);
        return;
    }
    switch (AreaDownload::Check(*layer)) {
    case AreaDownload::Refusal::Forbidden:
        tr.MessageBoxW(tr.Format(IDS_AREA_DOWNLOAD_FORBIDDEN, layer->GetName()), MB_OK | MB_ICONWARNING);
        return;
    case AreaDownload::Refusal::Local:
        tr.MessageBoxW(tr.Format(IDS_AREA_DOWNLOAD_LOCAL, layer->GetName()), MB_OK | MB_ICONINFORMATION);
        return;
    case AreaDownload::Refusal::None:
        break;
    }
    const CoordTransformI& transform = view.GetTransform();
    AreaDownloadDlg dialog(layer, ViewGeoRect(transform), layer->GetCoverage()->GetZoom(transform.GetScale()),
                           MapCacheSettings().OpenDiskCache(), parent);
    dialog.DoModal();
    // Tiles the map asked for before may be on the disk now.
    view.RequestRedraw();
}
