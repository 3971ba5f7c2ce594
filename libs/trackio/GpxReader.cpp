#include "GpxReader.h"

#include "GpxNames.h"
#include "LoadContext.h"
#include "PointMarkupRegistry.h"
#include "SecondReader.h"
#include "TextNumber.h"

#include <algorithm>

namespace {

constexpr int FileChildDepth = 1;
constexpr int TrackChildDepth = 2;
constexpr int SegmentChildDepth = 3;
constexpr int PointChildDepth = 4;
// After this many points of a segment, the bytes they took tell how many
// the rest of the file may hold, and the array is sized once for them.
constexpr size_t EstimateAfterPoints = 256;

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void AddBindings(std::vector<int>& all, const std::vector<int>& more)
{
    for (int binding : more) {
        if (std::find(all.begin(), all.end(), binding) == all.end())
            all.push_back(binding);
    }
}

} // namespace

GpxReader::GpxReader(LoadContext& context)
    : ExpatStreamReader(context)
    , m_metadata(m_prefixes, "gpx", FileChildDepth)
    , m_waypoints(m_prefixes, "gpx", FileChildDepth)
    , m_routes(m_prefixes, "gpx", FileChildDepth)
    , m_fileExtensions(m_prefixes, "extensions", FileChildDepth + 1)
    , m_trackHead(m_prefixes, "trk", TrackChildDepth)
    , m_segmentTail(m_prefixes, "trkseg", SegmentChildDepth)
    , m_pointFields(m_prefixes, "trkpt", PointChildDepth, GpxKeptMarkup::Layout::OneLine)
    , m_pointExtensions(m_prefixes, "extensions", PointChildDepth + 1, GpxKeptMarkup::Layout::OneLine)
{
}

void GpxReader::OnStartElement(const Name& name, const char** attributes)
{
    if (m_stopped)
        return;
    if (m_stack.empty()) {
        StartDocument(name);
        return;
    }
    switch (m_stack.back()) {
    case In::Gpx:
        StartInGpx(name, attributes);
        break;
    case In::FileExtensions:
        StartKept(m_fileExtensions, name, attributes, In::Kept);
        break;
    case In::Track:
        StartInTrack(name, attributes);
        break;
    case In::Segment:
        StartInSegment(name, attributes);
        break;
    case In::Point:
        StartInPoint(name, attributes);
        break;
    case In::PointExtensionList:
        StartInPointExtensions(name, attributes);
        break;
    case In::PointExtensions:
        if (name.uri == GpxNames::PointStatusUri && name.local == GpxNames::PointStatusElement)
            m_point.ReadStatus(attributes);
        m_stack.push_back(In::PointExtensions);
        break;
    case In::Route:
        if (name.local == "rtept") {
            StartKept(*m_keep, name, attributes, In::RoutePoint);
            StartPoint(attributes);
        } else {
            StartKept(*m_keep, name, attributes, In::Kept);
        }
        break;
    case In::RoutePoint:
    case In::Kept:
        StartKept(*m_keep, name, attributes, In::Kept);
        break;
    case In::FileField:
    case In::TrackName:
    case In::PointValue:
    case In::Skipped:
        m_stack.push_back(In::Skipped);
        break;
    }
}

void GpxReader::OnEndElement(const Name& name)
{
    // Expat may still report the end of an empty element after a stop.
    if (m_stopped || m_stack.empty())
        return;
    const In kind = m_stack.back();
    m_stack.pop_back();
    const In parent = m_stack.empty() ? In::Skipped : m_stack.back();
    switch (kind) {
    case In::Gpx:
        FinishDocument();
        break;
    case In::FileField:
        m_metadata10.SetField(name.local, Text());
        break;
    case In::Track:
        FinishTrack();
        break;
    case In::TrackName:
        m_trackName = ToQString(TextNumber::Trim(Text()));
        break;
    case In::Segment:
        FinishSegment();
        break;
    case In::Point:
        FinishPoint();
        break;
    case In::PointValue:
        ReadPointValue(name);
        break;
    case In::PointExtensions:
        m_point.ReadExtensionValue(name.local, Text());
        break;
    case In::Route:
    case In::RoutePoint:
    case In::Kept:
        EndKept(kind, parent, name);
        break;
    case In::FileExtensions:
    case In::PointExtensionList:
    case In::Skipped:
        break;
    }
}

void GpxReader::StartDocument(const Name& name)
{
    if (name.local != "gpx") {
        m_stopped = true;
        Fail("the file is not GPX: its root element is <" + std::string(name.local) + ">");
        return;
    }
    m_prefixes.SetGpxUri(name.uri);
    m_stack.push_back(In::Gpx);
}

void GpxReader::StartInGpx(const Name& name, const char** attributes)
{
    const std::string_view local = name.local;
    if (local == "trk") {
        StartTrack();
        m_stack.push_back(In::Track);
    } else if (local == "rte") {
        m_routeList.emplace_back();
        StartKept(m_routes, name, attributes, In::Route);
    } else if (local == "wpt") {
        StartKept(m_waypoints, name, attributes, In::Kept);
    } else if (local == "metadata") {
        m_hasMetadata = true;
        StartKept(m_metadata, name, attributes, In::Kept);
    } else if (local == "extensions") {
        m_stack.push_back(In::FileExtensions);
    } else if (!m_prefixes.IsGpx(name.uri)) {
        // GPX 1.0 puts foreign elements straight into <gpx>.
        StartKept(m_fileExtensions, name, attributes, In::Kept);
    } else if (Gpx10Metadata::IsField(local)) {
        if (local == "bounds")
            m_metadata10.SetBounds(attributes);
        m_stack.push_back(In::FileField);
    } else {
        m_stack.push_back(In::Skipped);
    }
}

void GpxReader::StartInTrack(const Name& name, const char** attributes)
{
    if (name.local == "trkseg") {
        if (m_segment)
            FinishSegment();
        StartSegment();
        m_stack.push_back(In::Segment);
    } else if (name.local == "trkpt") {
        if (!m_segment)
            StartSegment();
        StartPoint(attributes);
        m_stack.push_back(In::Point);
    } else if (name.local == "name" && m_prefixes.IsGpx(name.uri)) {
        m_stack.push_back(In::TrackName);
    } else {
        StartKept(m_trackHead, name, attributes, In::Kept);
    }
}

void GpxReader::StartInSegment(const Name& name, const char** attributes)
{
    if (name.local == "trkpt") {
        StartPoint(attributes);
        m_stack.push_back(In::Point);
    } else if (name.local == "extensions" || !m_prefixes.IsGpx(name.uri)) {
        StartKept(m_segmentTail, name, attributes, In::Kept);
    } else {
        m_stack.push_back(In::Skipped);
    }
}

void GpxReader::StartInPoint(const Name& name, const char** attributes)
{
    if (name.local == "extensions")
        m_stack.push_back(In::PointExtensionList);
    else if (GpxPointReader::IsPointValue(name.local))
        m_stack.push_back(In::PointValue);
    else if (m_prefixes.IsGpx(name.uri))
        StartKept(m_pointFields, name, attributes, In::Kept);
    else // GPX 1.0 puts foreign elements straight into the point
        StartKept(m_pointExtensions, name, attributes, In::Kept);
}

void GpxReader::StartInPointExtensions(const Name& name, const char** attributes)
{
    // What we read is written back from the point's values; the rest is
    // kept as it came.
    const bool status = name.uri == GpxNames::PointStatusUri && name.local == GpxNames::PointStatusElement;
    if (!status && !GpxPointReader::IsExtensionRead(name.local)) {
        StartKept(m_pointExtensions, name, attributes, In::Kept);
        return;
    }
    if (status)
        m_point.ReadStatus(attributes);
    m_stack.push_back(In::PointExtensions);
}

void GpxReader::StartKept(GpxKeptMarkup& markup, const Name& name, const char** attributes, In kind)
{
    m_keep = &markup;
    markup.Start(name, attributes, Text());
    m_stack.push_back(kind);
}

void GpxReader::EndKept(In kind, In parent, const Name& name)
{
    m_keep->End(name, Text());
    if (kind == In::RoutePoint)
        m_routeList.back().points.Append(m_point.GetPoint());
    else if (parent == In::RoutePoint)
        ReadPointValue(name);
    else if (parent == In::Route && name.local == "name")
        m_routeList.back().name = ToQString(TextNumber::Trim(Text()));
}

void GpxReader::StartTrack()
{
    ++m_trackCount;
    m_trackName.clear();
    m_folderTid = -1;
    m_trackHead.Clear();
}

void GpxReader::OpenTrackFolder()
{
    if (m_folderTid >= 0)
        return;
    m_trackHead.Finish();
    const QString name = m_trackName.isEmpty() ? QStringLiteral("Track %1").arg(m_trackCount) : m_trackName;
    m_folderTid = Context().AddFolder(Context().GetFileTid(), name);
}

void GpxReader::FinishTrack()
{
    if (m_segment)
        FinishSegment();
    // A track without segments has nothing to show; its description goes
    // with it.
    if (m_folderTid < 0)
        return;
    m_trackHead.Finish();
    SetExtras(m_folderTid, m_trackHead.GetMarkup(), {}, m_trackHead.GetBindings());
    Context().RemoveNodeIfEmpty(m_folderTid);
    m_folderTid = -1;
}

void GpxReader::StartSegment()
{
    OpenTrackFolder();
    m_segment = &Context().AddSegment(m_folderTid, QString(), m_segmentTid);
    m_segmentStartByte = CurrentByteIndex();
    m_segmentReserved = false;
    m_segmentHasMarkup = false;
    m_segmentTail.Clear();
    // A new array may lie where a freed one did.
    m_pagesAhead = PagesAhead();
}

void GpxReader::FinishSegment()
{
    m_segmentTail.Finish();
    SetExtras(m_segmentTid, {}, m_segmentTail.GetMarkup(), m_segmentTail.GetBindings());
    if (m_segmentHasMarkup)
        m_segment->AddMarkupTable(m_pointMarkup);
    ReleaseSpareRoom();
    m_longestSegment = std::max(m_longestSegment, m_segment->GetPoints().size());
    Context().RemoveNodeIfEmpty(m_segmentTid);
    m_segment = nullptr;
    m_segmentTid = -1;
}

void GpxReader::ReleaseSpareRoom()
{
    const std::vector<TrackPoint>& points = m_segment->GetPoints();
    const size_t spare = points.capacity() - points.size();
    if (spare <= points.size() / 8 + 64)
        return;
    // Copying costs a fresh page for every page copied, while room never
    // written costs no memory, only addresses; those are kept within a few
    // times the points.
    if (spare > points.size() * 8) {
        m_segment->Compact();
        return;
    }
    m_pagesAhead.GiveBackAfter(points.data(), points.size() * sizeof(TrackPoint));
}

void GpxReader::StartPoint(const char** attributes)
{
    m_pointFields.Clear();
    m_pointExtensions.Clear();
    std::string error;
    if (!m_point.Begin(attributes, error)) {
        m_stopped = true;
        Fail(error);
    }
}

void GpxReader::MapInAhead(size_t morePoints)
{
    const std::vector<TrackPoint>& points = m_segment->GetPoints();
    const size_t end = points.size() + morePoints;
    if (end <= points.capacity())
        m_pagesAhead.Before(points.data(), end * sizeof(TrackPoint), points.capacity() * sizeof(TrackPoint));
}

void GpxReader::FinishPoint()
{
    MapInAhead(1);
    m_segment->Append(m_point.GetPoint());
    if (const uint32_t tag = KeepPointMarkup()) {
        m_segment->GetPoints().back().SetMarkupTag(tag);
        m_segmentHasMarkup = true;
    }
    ++m_trackPoints;
    const int count = m_segment->GetPointCount();
    if (NeedsReserving(static_cast<size_t>(count) + 1))
        ReserveForRest(count, CurrentByteIndex());
}

bool GpxReader::NeedsReserving(size_t count) const
{
    return count >= EstimateAfterPoints && (!m_segmentReserved || m_segment->GetPoints().capacity() < count);
}

void GpxReader::ReserveForRest(int count, long long here)
{
    const bool first = !m_segmentReserved;
    m_segmentReserved = true;
    const long long total = Context().GetTotalBytes();
    if (total <= here)
        return;
    const double bytesPerPoint = std::max(16.0, static_cast<double>(here - m_segmentStartByte) / count);
    double expected = std::min(1e8, static_cast<double>(total - here) / bytesPerPoint * 1.05);
    if (first && m_longestSegment > 0)
        expected = std::min(expected, 2.0 * static_cast<double>(m_longestSegment));
    m_segment->Reserve(count + static_cast<int>(expected) + 16);
}

XmlReadAhead* GpxReader::StartReadAhead(const QIODevice& device, long long stretchBytes)
{
    std::unique_ptr<QIODevice> second = OpenSecondReader(device);
    if (second)
        m_runs = std::make_unique<GpxPointRuns>(std::move(second), stretchBytes);
    return m_runs.get();
}

long long GpxReader::OnReadAhead(long long at)
{
    if (m_stopped || !m_runs || m_stack.empty() || m_stack.back() != In::Segment)
        return -1;
    std::optional<GpxPointRuns::Run> run = m_runs->Take(at);
    if (!run)
        return -1;
    const int count = m_segment->GetPointCount() + static_cast<int>(run->points.size());
    if (NeedsReserving(static_cast<size_t>(count)))
        ReserveForRest(count, run->end);
    MapInAhead(run->points.size());
    m_segment->Append(run->points);
    m_trackPoints += static_cast<long long>(run->points.size());
    m_pointsReadAhead += static_cast<long long>(run->points.size());
    return run->end;
}

uint32_t GpxReader::KeepPointMarkup()
{
    m_pointFields.Finish();
    m_pointExtensions.Finish();
    if (m_pointFields.IsEmpty() && m_pointExtensions.IsEmpty())
        return 0;
    const uint32_t tag = PointMarkupRegistry::Instance().NextTag();
    if (tag == 0)
        return 0;
    // The fields are in the schema's order; the DGPS ones come after the
    // values we write ourselves. Text is escaped, so "<" starts a tag.
    const std::string_view fields = m_pointFields.GetMarkup();
    const size_t dgps = std::min(fields.find("<ageofdgpsdata"), fields.find("<dgpsid"));
    const size_t split = dgps == std::string_view::npos ? fields.size() : dgps;
    m_pointMarkup->Add(tag, fields.substr(0, split), fields.substr(split), m_pointExtensions.GetMarkup());
    AddBindings(m_pointBindings, m_pointFields.GetBindings());
    AddBindings(m_pointBindings, m_pointExtensions.GetBindings());
    return tag;
}

void GpxReader::ReadPointValue(const Name& name)
{
    std::string error;
    if (!m_point.ReadValue(name.local, Text(), error)) {
        m_stopped = true;
        Fail(error);
    }
}

void GpxReader::FinishDocument()
{
    if (!m_hasMetadata)
        m_metadata10.WriteTo(m_metadata);
    m_fileExtensions.Finish();
    const std::string head = m_metadata.GetMarkup() + m_waypoints.GetMarkup() + m_routes.GetMarkup();
    std::string tail;
    if (!m_fileExtensions.IsEmpty()) {
        const std::string indent(GpxNames::IndentWidth * FileChildDepth, ' ');
        tail = indent + "<extensions>\n" + m_fileExtensions.GetMarkup() + indent + "</extensions>\n";
    }
    std::vector<int> bindings;
    for (const GpxKeptMarkup* markup : {&m_metadata, &m_waypoints, &m_routes, &m_fileExtensions})
        AddBindings(bindings, markup->GetBindings());
    SetExtras(Context().GetFileTid(), head, tail, bindings);
    if (!m_pointMarkup->IsEmpty()) {
        std::vector<std::pair<std::string, std::string>> namespaces;
        for (int binding : m_pointBindings)
            namespaces.emplace_back(m_prefixes.GetPrefix(binding), m_prefixes.GetUri(binding));
        m_pointMarkup->SetNamespaces(std::move(namespaces));
        m_pointMarkup->Compact();
        PointMarkupRegistry::Instance().Register(m_pointMarkup);
    }
    if (m_trackPoints == 0)
        AddRoutesAsTracks();
}

void GpxReader::AddRoutesAsTracks()
{
    for (size_t i = 0; i < m_routeList.size(); ++i) {
        Route& route = m_routeList[i];
        if (route.points.GetPointCount() == 0)
            continue;
        const QString name = route.name.isEmpty() ? QStringLiteral("Route %1").arg(i + 1) : route.name;
        const int folderTid = Context().AddFolder(Context().GetFileTid(), name);
        Context().AddSegment(folderTid, QString()) = std::move(route.points);
    }
}

void GpxReader::SetExtras(int tid, const std::string& head, const std::string& tail, const std::vector<int>& bindings)
{
    if (head.empty() && tail.empty())
        return;
    auto extras = std::make_shared<TrackInfo::NodeExtras>();
    extras->head = QByteArray(head.data(), static_cast<qsizetype>(head.size()));
    extras->tail = QByteArray(tail.data(), static_cast<qsizetype>(tail.size()));
    for (int binding : bindings) {
        const std::string& prefix = m_prefixes.GetPrefix(binding);
        const std::string& uri = m_prefixes.GetUri(binding);
        extras->namespaces.emplace_back(QByteArray(prefix.data(), static_cast<qsizetype>(prefix.size())),
                                        QByteArray(uri.data(), static_cast<qsizetype>(uri.size())));
    }
    Context().GetCreator().SetNodeExtras(tid, std::move(extras));
}
