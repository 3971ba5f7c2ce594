#include "TcxDocumentWriter.h"

#include "TrackData.h"
#include "TrackPointMethods.h"
#include "XmlBufferWriter.h"

#include <algorithm>

namespace {

constexpr int MaxCadence = 254;
constexpr double MetresPerKilometre = 1000.0;

} // namespace

TcxDocumentWriter::TcxDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree, const TrackDataSetI& data)
    : m_out(out)
    , m_tree(tree)
    , m_data(data)
{
}

void TcxDocumentWriter::Write(int tid)
{
    std::vector<Lap> laps;
    if (const TrackInfo::Node* node = m_tree.GetNode(tid); node && node->GetKind() == TrackInfo::KindSegment) {
        if (HasPoints(tid))
            laps.push_back({tid});
    } else if (node) {
        CollectLaps(tid, laps);
    }
    Time first;
    for (const Lap& lap : laps) {
        first = FirstTime(lap);
        if (!first.IsNull())
            break;
    }
    m_out.Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<TrainingCenterDatabase xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\""
                 " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\""
                 "http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2"
                 " http://www.garmin.com/xmlschemas/TrainingCenterDatabasev2.xsd\">\n"
                 "  <Activities>\n    <Activity Sport=\"Other\">\n      <Id>");
    WriteTime(first);
    m_out.Append("</Id>\n");
    for (const Lap& lap : laps)
        WriteLap(lap);
    m_out.Append("    </Activity>\n  </Activities>\n</TrainingCenterDatabase>\n");
}

void TcxDocumentWriter::CollectLaps(int tid, std::vector<Lap>& laps) const
{
    const bool isFile = m_tree.GetNode(tid)->GetKind() == TrackInfo::KindFile;
    Lap own;
    std::vector<int> folders;
    for (int child : m_tree.GetChildren(tid)) {
        if (m_tree.GetNode(child)->GetKind() != TrackInfo::KindSegment)
            folders.push_back(child);
        else if (HasPoints(child) && isFile)
            laps.push_back({child});
        else if (HasPoints(child))
            own.push_back(child);
    }
    if (!own.empty())
        laps.push_back(own);
    for (int folder : folders)
        CollectLaps(folder, laps);
}

Time TcxDocumentWriter::FirstTime(const Lap& lap) const
{
    for (int tid : lap) {
        for (const TrackPoint& point : m_data.Get(tid)->GetPoints()) {
            if (XmlBufferWriter::CanWriteTime(point.GetTime()))
                return point.GetTime();
        }
    }
    return {};
}

void TcxDocumentWriter::WriteLap(const Lap& lap)
{
    Time first = FirstTime(lap);
    Time last;
    double metres = 0;
    for (int tid : lap) {
        const std::vector<TrackPoint>& points = m_data.Get(tid)->GetPoints();
        for (size_t i = 0; i < points.size(); ++i) {
            if (i > 0)
                metres += TrackPointMethods::GetRoughDist(points[i - 1], points[i]) * MetresPerKilometre;
            if (XmlBufferWriter::CanWriteTime(points[i].GetTime()))
                last = points[i].GetTime();
        }
    }
    m_out.Append("      <Lap StartTime=\"");
    WriteTime(first);
    m_out.Append("\">\n        <TotalTimeSeconds>");
    m_out.AppendDouble(first.IsNull() ? 0.0 : std::max(0.0, last.GetAbsSeconds() - first.GetAbsSeconds()));
    m_out.Append("</TotalTimeSeconds>\n        <DistanceMeters>");
    m_out.AppendDouble(metres);
    m_out.Append("</DistanceMeters>\n        <Calories>0</Calories>\n        <Intensity>Active</Intensity>\n"
                 "        <TriggerMethod>Manual</TriggerMethod>\n");
    for (int tid : lap) {
        m_out.Append("        <Track>\n");
        for (const TrackPoint& point : m_data.Get(tid)->GetPoints())
            WritePoint(point);
        m_out.Append("        </Track>\n");
    }
    m_out.Append("      </Lap>\n");
}

void TcxDocumentWriter::WritePoint(const TrackPoint& point)
{
    m_out.Append("          <Trackpoint>");
    if (XmlBufferWriter::CanWriteTime(point.GetTime())) {
        m_out.Append("<Time>");
        m_out.AppendTime(point.GetTime());
        m_out.Append("</Time>");
    }
    m_out.Append("<Position><LatitudeDegrees>");
    m_out.AppendDouble(point.GetLat());
    m_out.Append("</LatitudeDegrees><LongitudeDegrees>");
    m_out.AppendDouble(point.GetLon());
    m_out.Append("</LongitudeDegrees></Position>");
    if (point.HasElevation()) {
        m_out.Append("<AltitudeMeters>");
        m_out.AppendDouble(point.GetElevation());
        m_out.Append("</AltitudeMeters>");
    }
    const TrackPointGpsParams& gps = point.GetGpsParams();
    if (gps.HasHeartRate() && gps.GetHeartRate() > 0) {
        m_out.Append("<HeartRateBpm><Value>");
        m_out.AppendInt(gps.GetHeartRate());
        m_out.Append("</Value></HeartRateBpm>");
    }
    if (gps.HasCadence() && gps.GetCadence() <= MaxCadence) {
        m_out.Append("<Cadence>");
        m_out.AppendInt(gps.GetCadence());
        m_out.Append("</Cadence>");
    }
    if (point.HasPower()) {
        m_out.Append("<Extensions><TPX xmlns=\"http://www.garmin.com/xmlschemas/ActivityExtension/v2\"><Watts>");
        m_out.AppendInt(point.GetPower());
        m_out.Append("</Watts></TPX></Extensions>");
    }
    m_out.Append("</Trackpoint>\n");
}

void TcxDocumentWriter::WriteTime(const Time& time)
{
    // The schema wants a time where the tracks have none.
    m_out.AppendTime(time.IsNull() ? Time::FromMicroseconds(0) : time);
}

bool TcxDocumentWriter::HasPoints(int segmentTid) const
{
    const TrackDataPtr points = m_data.Get(segmentTid);
    return points && points->GetPointCount() > 0;
}
