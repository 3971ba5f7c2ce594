#pragma once

#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <QString>

#include <vector>

class TrackData;
class TrackPoint;
class XmlBufferWriter;

// Lays out the KML 2.2 document of one node of a tree, the tree as it is:
// the Document holds the node; a folder is a Folder named after it, a
// segment a Placemark named after it holding a gx:Track: the points' times
// as <when>, then their positions and elevations as <gx:coord>, then heart
// rate, cadence and temperature as gx:SimpleArrayData of ExtendedData where
// any point of the segment has them (KmlReader reads these back). The
// Document itself has no name, so that reading the file back makes no
// folder of it. Segments without points are left out. A point without time
// in a segment with times gets an empty <when/>, which keeps the pairing by
// position; speed, course, the receiver's values and point states have no
// place in KML (SaveLossCheck tells).
class KmlDocumentWriter
{
public:
    KmlDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree, const TrackDataSetI& data);

    void Write(int tid);

private:
    void WriteNode(int tid, int depth);
    void WriteTrack(const TrackData& points, int depth);
    void WriteWhens(const std::vector<TrackPoint>& points, int depth);
    void WriteArrays(const TrackData& points, int depth);
    void WriteName(const QString& name, int depth);
    static constexpr int MaxIndentDepth = 16;

    void Indent(int depth);

    XmlBufferWriter& m_out;
    const TrackTreeReaderI& m_tree;
    const TrackDataSetI& m_data;
};
