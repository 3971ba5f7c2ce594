#pragma once

#include "TrackData.h"
#include "TrackLoaderI.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class TrackLoaderBase;

// What a loader made of one file, flattened in tree order for checks.
struct LoadedFile
{
    struct Segment
    {
        // Names of the folders above the segment, outermost first.
        QStringList folders;
        QString name;
        TrackDataPtr points;
    };

    static LoadedFile ReadFile(TrackLoaderBase& loader, const QString& path);
    // From a buffer in memory, as a file named "memory".
    static LoadedFile ReadBytes(TrackLoaderBase& loader, const QByteArray& bytes);

    long long PointCount() const;
    std::vector<int> PointsPerSegment() const;
    QStringList SegmentNames() const;
    // First point of the first segment, last of the last.
    const TrackPoint& First() const;
    const TrackPoint& Last() const;

    TrackLoaderI::LoadStatus status = TrackLoaderI::Idle;
    QString error;
    // What the file node keeps beyond the tree (NodeExtras::head).
    QByteArray fileExtrasHead;
    // Every folder as its path of names joined by "/", in tree order.
    QStringList folderPaths;
    std::vector<Segment> segments;
};
