#include "BenchOpenRide.h"

#include "OpenTracksModel.h"
#include "TrackTree.h"

int OpenRideAsFile(OpenTracksModel& model, const std::vector<TrackPoint>& points)
{
    TrackTree tree;
    const TrackTreeCreatorPtr creator = tree.GetCreator();
    const int source = creator->AddFile(QStringLiteral("ride"), QString(), TrackFileGpx);
    TrackDataSetImpl data;
    data.Add(creator->AddSegment(source, QString()), std::make_shared<TrackData>(points));
    return model.AddOpenedFile(*tree.GetReader(), source, data, QStringLiteral("ride.gpx"), TrackFileGpx);
}
