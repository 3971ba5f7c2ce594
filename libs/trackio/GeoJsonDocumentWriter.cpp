#include "GeoJsonDocumentWriter.h"

#include "TrackData.h"
#include "XmlBufferWriter.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

GeoJsonDocumentWriter::GeoJsonDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree,
                                             const TrackDataSetI& data)
    : m_out(out)
    , m_tree(tree)
    , m_data(data)
{
}

void GeoJsonDocumentWriter::Write(int tid)
{
    m_out.Append("{\"type\": \"FeatureCollection\", \"features\": [");
    if (m_tree.GetNode(tid))
        WriteSubtree(tid);
    m_out.Append("\n]}\n");
}

void GeoJsonDocumentWriter::WriteSubtree(int tid)
{
    if (m_tree.GetNode(tid)->GetKind() != TrackInfo::KindSegment) {
        for (int child : m_tree.GetChildren(tid))
            WriteSubtree(child);
        return;
    }
    const TrackDataPtr points = m_data.Get(tid);
    if (points && points->GetPointCount() > 0)
        WriteFeature(tid, *points);
}

void GeoJsonDocumentWriter::WriteFeature(int segmentTid, const TrackData& points)
{
    m_out.Append(m_first ? "\n" : ",\n");
    m_first = false;
    const std::vector<TrackPoint>& all = points.GetPoints();
    m_out.Append("{\"type\": \"Feature\", \"properties\": {\"name\": ");
    QString name = m_tree.GetNode(segmentTid)->GetName();
    if (name.isEmpty()) {
        if (const TrackInfo::Node* parent = m_tree.GetNode(m_tree.GetParent(segmentTid)))
            name = parent->GetName();
    }
    WriteString(name);
    if (std::any_of(all.begin(), all.end(),
                    [](const TrackPoint& point) { return XmlBufferWriter::CanWriteTime(point.GetTime()); })) {
        m_out.Append(",\n \"coordTimes\": [[");
        for (size_t i = 0; i < all.size(); ++i) {
            if (i > 0)
                m_out.Append(", ");
            if (!XmlBufferWriter::CanWriteTime(all[i].GetTime())) {
                m_out.Append("null");
                continue;
            }
            m_out.Append('"');
            m_out.AppendTime(all[i].GetTime());
            m_out.Append('"');
        }
        m_out.Append("]]");
    }
    m_out.Append("},\n \"geometry\": {\"type\": \"MultiLineString\", \"coordinates\": [[");
    for (size_t i = 0; i < all.size(); ++i) {
        m_out.Append(i > 0 ? ", [" : "[");
        m_out.AppendDouble(all[i].GetLon());
        m_out.Append(", ");
        m_out.AppendDouble(all[i].GetLat());
        if (all[i].HasElevation()) {
            m_out.Append(", ");
            m_out.AppendDouble(all[i].GetElevation());
        }
        m_out.Append(']');
    }
    m_out.Append("]]}}");
}

void GeoJsonDocumentWriter::WriteString(const QString& text)
{
    // Qt's own writer escapes it; the brackets of the array around it go.
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    m_out.Append(std::string_view(json.constData() + 1, static_cast<size_t>(json.size() - 2)));
}
