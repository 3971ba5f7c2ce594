#pragma once

#include "TrackDataSet.h"
#include "TrackFileType.h"
#include "TrackTreeInterfaces.h"

// What saving a node of a tree in a format would leave out or change, found
// before writing so that the user can be told and asked. GPX holds all of
// it; the others hold less (see their document writers).
class SaveLossCheck
{
public:
    enum Loss : unsigned {
        // TCX makes laps of folders, GeoJSON a feature of each segment.
        Folders = 1u << 0,
        // Waypoints, routes, metadata and extensions kept with the tree as
        // GPX markup (from a GPX file, or a GeoJSON file's points).
        KeptGpxParts = 1u << 1,
        // Filtered points, modes, penalties: written as ordinary points.
        PointStates = 1u << 2,
        SpeedCourse = 1u << 3,
        // Satellites, fix type, dilutions.
        ReceiverValues = 1u << 4,
        Temperature = 1u << 5,
        HeartRateCadence = 1u << 6,
        // TCX wants a time on every point, KML on every point of a track
        // that has times.
        MissingTimes = 1u << 7,
        // A GPX point's name, description, links, DGPS values and foreign
        // extensions (PointMarkupTable).
        PointMarkup = 1u << 8,
        Power = 1u << 9,
    };

    struct Result
    {
        unsigned losses = 0;
        // Points without a time, counted when MissingTimes is a loss.
        long long untimedPoints = 0;

        bool Has(Loss loss) const { return (losses & loss) != 0; }
    };

    // Nothing is lost for GPX, nor for a type no saver writes.
    static Result Find(TrackFileType type, const TrackTreeReaderI& tree, int tid, const TrackDataSetI& data);

private:
    // What the format cannot hold.
    static unsigned Unheld(TrackFileType type);
};
