#include "MapFileOpening.h"

#include "MapLayerChoice.h"
#include "MapLayersImpl.h"
#include "StringIds.h"
#include "TrackView.h"
#include "Translator.h"
#include "ViewSettings.h"

#include <QDir>

QStringList OpenMapFiles(const QStringList& files, TrackView& view)
{
    QStringList tracks;
    ViewSettings& settings = ViewSettings::GetInstance();
    for (const QString& file : files) {
        if (!IsMbTilesPath(file)) {
            tracks.push_back(file);
            continue;
        }
        const int index = settings.GetMapLayers()->AddLayerFile(file);
        if (!settings.GetMapLayers()->GetParams(index)) {
            Translator& texts = Translator::GetInstance();
            texts.MessageBoxW(texts.Format(IDS_MAP_FILE_NOT_OPENED, QDir::toNativeSeparators(file)),
                              MB_OK | MB_ICONERROR);
            continue;
        }
        settings.GetMapLayerChoice().SelectLayer(index);
        settings.showMap.Set(true);
        view.RequestRedraw();
    }
    return tracks;
}
