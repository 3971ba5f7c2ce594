#pragma once

#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <QString>

class TrackData;
class XmlBufferWriter;

// Lays out the GeoJSON document (a FeatureCollection) of one node of a
// tree: a Feature per segment with points, its geometry a MultiLineString
// of the segment's one line ([longitude, latitude, elevation], the
// elevation left out where the point has none), its properties the name
// (the segment's, else its folder's or file's) and "coordTimes", an array
// of ISO 8601 times per line (null for a point without time), as
// GeoJsonReader and route tools read them. GeoJSON has no folders, and no
// place for the points' other values (SaveLossCheck tells).
class GeoJsonDocumentWriter
{
public:
    GeoJsonDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree, const TrackDataSetI& data);

    void Write(int tid);

private:
    void WriteSubtree(int tid);
    void WriteFeature(int segmentTid, const TrackData& points);
    void WriteString(const QString& text);

    XmlBufferWriter& m_out;
    const TrackTreeReaderI& m_tree;
    const TrackDataSetI& m_data;
    bool m_first = true;
};
