#include "KmlDocumentWriter.h"

#include "TrackData.h"
#include "XmlBufferWriter.h"

#include <algorithm>

namespace {

constexpr std::string_view SchemaId = "quorvel-values";

struct ArrayField
{
    const char* name;
    const char* type;
    bool (*has)(const TrackPoint&);
    void (*write)(XmlBufferWriter&, const TrackPoint&);
};

const ArrayField kArrays[] = {
    {"heartrate", "int", [](const TrackPoint& p) { return p.GetGpsParams().HasHeartRate(); },
     [](XmlBufferWriter& out, const TrackPoint& p) { out.AppendInt(p.GetGpsParams().GetHeartRate()); }},
    {"cadence", "int", [](const TrackPoint& p) { return p.GetGpsParams().HasCadence(); },
     [](XmlBufferWriter& out, const TrackPoint& p) { out.AppendInt(p.GetGpsParams().GetCadence()); }},
    {"temperature", "float", [](const TrackPoint& p) { return p.GetGpsParams().HasTemperature(); },
     [](XmlBufferWriter& out, const TrackPoint& p) { out.AppendFloat(p.GetGpsParams().GetTemperature()); }},
    {"power", "int", [](const TrackPoint& p) { return p.HasPower(); },
     [](XmlBufferWriter& out, const TrackPoint& p) { out.AppendInt(p.GetPower()); }},
};

} // namespace

KmlDocumentWriter::KmlDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree, const TrackDataSetI& data)
    : m_out(out)
    , m_tree(tree)
    , m_data(data)
{
}

void KmlDocumentWriter::Write(int tid)
{
    m_out.Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n"
                 "  <Document>\n    <Schema id=\"");
    m_out.Append(SchemaId);
    m_out.Append("\">\n");
    for (const ArrayField& field : kArrays) {
        m_out.Append("      <gx:SimpleArrayField name=\"");
        m_out.Append(field.name);
        m_out.Append("\" type=\"");
        m_out.Append(field.type);
        m_out.Append("\"/>\n");
    }
    m_out.Append("    </Schema>\n");
    const TrackInfo::Node* node = m_tree.GetNode(tid);
    if (node && node->GetKind() == TrackInfo::KindFile) {
        for (int child : m_tree.GetChildren(tid))
            WriteNode(child, 2);
    } else if (node) {
        WriteNode(tid, 2);
    }
    m_out.Append("  </Document>\n</kml>\n");
}

void KmlDocumentWriter::WriteNode(int tid, int depth)
{
    const TrackInfo::Node* node = m_tree.GetNode(tid);
    if (node->GetKind() == TrackInfo::KindFolder) {
        Indent(depth);
        m_out.Append("<Folder>\n");
        WriteName(node->GetName(), depth + 1);
        for (int child : m_tree.GetChildren(tid))
            WriteNode(child, depth + 1);
        Indent(depth);
        m_out.Append("</Folder>\n");
        return;
    }
    const TrackDataPtr points = m_data.Get(tid);
    if (!points || points->GetPointCount() == 0)
        return;
    Indent(depth);
    m_out.Append("<Placemark>\n");
    WriteName(node->GetName(), depth + 1);
    WriteTrack(*points, depth + 1);
    Indent(depth);
    m_out.Append("</Placemark>\n");
}

void KmlDocumentWriter::WriteTrack(const TrackData& points, int depth)
{
    const std::vector<TrackPoint>& all = points.GetPoints();
    Indent(depth);
    m_out.Append("<gx:Track>\n");
    Indent(depth + 1);
    m_out.Append("<altitudeMode>absolute</altitudeMode>\n");
    WriteWhens(all, depth + 1);
    for (const TrackPoint& point : all) {
        Indent(depth + 1);
        m_out.Append("<gx:coord>");
        m_out.AppendDouble(point.GetLon());
        m_out.Append(' ');
        m_out.AppendDouble(point.GetLat());
        if (point.HasElevation()) {
            m_out.Append(' ');
            m_out.AppendDouble(point.GetElevation());
        }
        m_out.Append("</gx:coord>\n");
    }
    WriteArrays(points, depth + 1);
    Indent(depth);
    m_out.Append("</gx:Track>\n");
}

void KmlDocumentWriter::WriteWhens(const std::vector<TrackPoint>& points, int depth)
{
    if (std::none_of(points.begin(), points.end(),
                     [](const TrackPoint& point) { return XmlBufferWriter::CanWriteTime(point.GetTime()); }))
        return;
    for (const TrackPoint& point : points) {
        Indent(depth);
        if (!XmlBufferWriter::CanWriteTime(point.GetTime())) {
            m_out.Append("<when/>\n");
            continue;
        }
        m_out.Append("<when>");
        m_out.AppendTime(point.GetTime());
        m_out.Append("</when>\n");
    }
}

void KmlDocumentWriter::WriteArrays(const TrackData& points, int depth)
{
    const std::vector<TrackPoint>& all = points.GetPoints();
    bool opened = false;
    for (const ArrayField& field : kArrays) {
        if (std::none_of(all.begin(), all.end(),
                         [&](const TrackPoint& point) { return field.has(point); }))
            continue;
        if (!opened) {
            Indent(depth);
            m_out.Append("<ExtendedData>\n");
            Indent(depth + 1);
            m_out.Append("<SchemaData schemaUrl=\"#");
            m_out.Append(SchemaId);
            m_out.Append("\">\n");
            opened = true;
        }
        Indent(depth + 2);
        m_out.Append("<gx:SimpleArrayData name=\"");
        m_out.Append(field.name);
        m_out.Append("\">\n");
        // An empty value keeps the place of a point without one.
        for (const TrackPoint& point : all) {
            Indent(depth + 3);
            if (!field.has(point)) {
                m_out.Append("<gx:value/>\n");
                continue;
            }
            m_out.Append("<gx:value>");
            field.write(m_out, point);
            m_out.Append("</gx:value>\n");
        }
        Indent(depth + 2);
        m_out.Append("</gx:SimpleArrayData>\n");
    }
    if (!opened)
        return;
    Indent(depth + 1);
    m_out.Append("</SchemaData>\n");
    Indent(depth);
    m_out.Append("</ExtendedData>\n");
}

void KmlDocumentWriter::WriteName(const QString& name, int depth)
{
    if (name.isEmpty())
        return;
    Indent(depth);
    m_out.Append("<name>");
    m_out.AppendEscaped(name.toStdString());
    m_out.Append("</name>\n");
}

void KmlDocumentWriter::Indent(int depth)
{
    // Deep trees share the last indentation, so the file grows with the
    // number of folders rather than its square.
    for (int i = 0; i < std::min(depth, MaxIndentDepth); ++i)
        m_out.Append("  ");
}
