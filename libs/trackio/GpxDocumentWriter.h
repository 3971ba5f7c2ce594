#pragma once

#include "TrackDataSet.h"
#include "TrackTreeInterfaces.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class XmlBufferWriter;

// Lays out the GPX 1.1 document of one node of a tree:
// - a file: each folder becomes a track named after it, with the folder's
//   segments as track segments; a folder inside a folder becomes a track of
//   its own named with the path ("Outer / Inner"; of a path longer than
//   MaxTrackNameChars only the innermost names, after an ellipsis); a
//   segment straight under the file becomes a track of its own, named after
//   the segment, or after the file when the segment has no name;
// - a folder: the same from that folder on;
// - a segment: one track named after the segment, or after its parent.
// Segments without points are left out, and so are tracks left without a
// segment. What was kept from the file beyond the tree (NodeExtras) is
// written back only when a whole file is saved; what was kept for points
// goes wherever the points go. The kept namespaces are declared on <gpx>,
// or on the track or segment that uses them when two parts bind a prefix
// differently (nodes moved between files). The prefixes of our own
// extensions avoid every prefix the kept markup uses.
class GpxDocumentWriter
{
public:
    static constexpr qsizetype MaxTrackNameChars = 1000;

    GpxDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree, const TrackDataSetI& data);

    void Write(int tid);

private:
    using Namespaces = std::vector<std::pair<QByteArray, QByteArray>>;

    void PlanNamespaces(int rootTid);
    void PlanBinding(int tid, const QByteArray& prefix, const QByteArray& uri);
    std::string FreePrefix(std::string_view wanted, std::string_view uri) const;
    void WriteHeader();
    void WriteFolders(int topTid);
    void WriteTrack(const QString& name, int folderTid, const std::vector<int>& segmentTids);
    void WriteSegment(int tid);
    void WriteDeclarations(const Namespaces& namespaces);
    void WriteName(const QString& name);
    // The kept markup of tid when it is written back, else null.
    const TrackInfo::NodeExtras* GetExtras(int tid) const;
    bool HasPoints(int segmentTid) const;

    XmlBufferWriter& m_out;
    const TrackTreeReaderI& m_tree;
    const TrackDataSetI& m_data;
    bool m_withExtras = false;
    Namespaces m_rootNamespaces;
    std::map<int, Namespaces> m_localNamespaces;
    std::string m_xsiPrefix;
    std::string m_garminPrefix;
    std::string m_powerPrefix;
    std::string m_statusPrefix;
};
