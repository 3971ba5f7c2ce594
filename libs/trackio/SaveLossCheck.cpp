#include "SaveLossCheck.h"

#include "TrackData.h"

#include <vector>

unsigned SaveLossCheck::Unheld(TrackFileType type)
{
    const unsigned common = KeptGpxParts | PointMarkup | PointStates | SpeedCourse | ReceiverValues;
    switch (type) {
    case TrackFileKml:
        return common | MissingTimes;
    case TrackFileTcx:
        return common | Folders | Temperature | MissingTimes;
    case TrackFileGeoJson:
        return common | Folders | Temperature | HeartRateCadence | Power;
    default:
        return 0;
    }
}

SaveLossCheck::Result SaveLossCheck::Find(TrackFileType type, const TrackTreeReaderI& tree, int tid,
                                          const TrackDataSetI& data)
{
    Result result;
    const unsigned unheld = Unheld(type);
    const TrackInfo::Node* root = tree.GetNode(tid);
    if (unheld == 0 || !root)
        return result;
    unsigned found = 0;
    // Kept markup is written back only when a whole file is saved as GPX.
    const bool wholeFile = root->GetKind() == TrackInfo::KindFile;
    std::vector<int> pending{tid};
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        const TrackInfo::Node* node = tree.GetNode(current);
        if (wholeFile && node->GetExtras() && !node->GetExtras()->IsEmpty())
            found |= KeptGpxParts;
        if (node->GetKind() == TrackInfo::KindFolder)
            found |= Folders;
        if (node->GetKind() != TrackInfo::KindSegment) {
            const std::vector<int>& children = tree.GetChildren(current);
            pending.insert(pending.end(), children.begin(), children.end());
            continue;
        }
        const TrackDataPtr points = data.Get(current);
        if (!points)
            continue;
        long long untimed = 0;
        for (const TrackPoint& point : points->GetPoints()) {
            const TrackPointGpsParams& gps = point.GetGpsParams();
            if (point.GetMarkupTag() != 0 && points->FindMarkup(point.GetMarkupTag()))
                found |= PointMarkup;
            if (!(point.GetStatus() == TrackPointStatus()))
                found |= PointStates;
            if (gps.HasGpsSpeed() || gps.HasGpsAzimuth())
                found |= SpeedCourse;
            if (gps.HasSatCount() || gps.HasFixType() || gps.HasHdop() || gps.HasVdop() || gps.HasPdop())
                found |= ReceiverValues;
            if (gps.HasTemperature())
                found |= Temperature;
            if (gps.HasHeartRate() || gps.HasCadence())
                found |= HeartRateCadence;
            if (point.HasPower())
                found |= Power;
            if (point.GetTime().IsNull())
                ++untimed;
        }
        // A KML track pairs times with points only when it has a time for
        // each; one without any is written without <when>.
        if (untimed > 0 && (type != TrackFileKml || untimed < points->GetPointCount())) {
            found |= MissingTimes;
            result.untimedPoints += untimed;
        }
    }
    result.losses = found & unheld;
    if (!result.Has(MissingTimes))
        result.untimedPoints = 0;
    return result;
}
