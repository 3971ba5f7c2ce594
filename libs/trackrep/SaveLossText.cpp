#include "SaveLossText.h"

#include "StringIds.h"
#include "Translator.h"

#include <QStringList>

namespace {

int FormatNameId(TrackFileType type)
{
    switch (type) {
    case TrackFileTcx:
        return IDS_FORMAT_TCX;
    case TrackFileGeoJson:
        return IDS_FORMAT_GEOJSON;
    default:
        return IDS_FORMAT_KML;
    }
}

} // namespace

QString SaveLossText(TrackFileType type, const SaveLossCheck::Result& result)
{
    using Loss = SaveLossCheck::Loss;
    const Translator& tr = Translator::GetInstance();
    QStringList lines;
    if (result.Has(Loss::Folders))
        lines.append(tr.LoadStr(type == TrackFileTcx ? IDS_SAVE_LOSS_FOLDERS_TCX : IDS_SAVE_LOSS_FOLDERS_GEOJSON));
    if (result.Has(Loss::MissingTimes))
        lines.append(tr.Format(type == TrackFileKml ? IDS_SAVE_LOSS_NO_TIME_KML : IDS_SAVE_LOSS_NO_TIME,
                               QString::number(result.untimedPoints)));
    const std::pair<Loss, int> plain[] = {
        {Loss::HeartRateCadence, IDS_SAVE_LOSS_HEART_CADENCE}, {Loss::Temperature, IDS_SAVE_LOSS_TEMPERATURE},
        {Loss::SpeedCourse, IDS_SAVE_LOSS_SPEED_COURSE},       {Loss::ReceiverValues, IDS_SAVE_LOSS_RECEIVER},
        {Loss::PointStates, IDS_SAVE_LOSS_POINT_STATES},       {Loss::KeptGpxParts, IDS_SAVE_LOSS_KEPT_GPX},
        {Loss::PointMarkup, IDS_SAVE_LOSS_POINT_MARKUP},       {Loss::Power, IDS_SAVE_LOSS_POWER},
    };
    for (const auto& [loss, id] : plain) {
        if (result.Has(loss))
            lines.append(tr.LoadStr(id));
    }
    if (lines.isEmpty())
        return {};
    return tr.Format(IDS_SAVE_LOSS_INTRO, tr.LoadStr(FormatNameId(type))) + QLatin1Char('\n') +
        lines.join(QLatin1Char('\n'));
}
