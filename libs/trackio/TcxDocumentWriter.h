#pragma once

#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <vector>

class Time;
class TrackPoint;
class XmlBufferWriter;

// Lays out the Training Center XML v2 document of one node of a tree: one
// Activity (sport "Other", its Id the first time of the node) whose laps
// come from the tree. TCX has no folders: the segments of a folder make one
// lap, a Track each, and a folder inside a folder makes laps of its own; a
// segment straight under the file is a lap of its own. A lap's time and
// distance are those of its points. Per point: Time, Position,
// AltitudeMeters, HeartRateBpm and Cadence, in the schema's order, where the
// point has them and the schema allows the value (heart rate 1 to 255,
// cadence up to 254). Segments without points are left out.
//
// The schema wants a time on every point and on every lap; a point without
// one is written without <Time>, which TcxReader reads back but other
// programs may refuse, and a lap without any time starts at 1970-01-01
// (SaveLossCheck tells before).
class TcxDocumentWriter
{
public:
    TcxDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree, const TrackDataSetI& data);

    void Write(int tid);

private:
    using Lap = std::vector<int>;

    void CollectLaps(int tid, std::vector<Lap>& laps) const;
    Time FirstTime(const Lap& lap) const;
    void WriteLap(const Lap& lap);
    void WritePoint(const TrackPoint& point);
    void WriteTime(const Time& time);
    bool HasPoints(int segmentTid) const;

    XmlBufferWriter& m_out;
    const TrackTreeReaderI& m_tree;
    const TrackDataSetI& m_data;
};
