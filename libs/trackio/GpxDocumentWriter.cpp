#include "GpxDocumentWriter.h"

#include "GpxNames.h"
#include "GpxPointWriter.h"
#include "XmlBufferWriter.h"

#include <algorithm>
#include <iterator>

namespace {

std::string_view View(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

const QString PathSeparator = QStringLiteral(" / ");

// The names joined by the separator; of a long path only the innermost
// names that fit in MaxTrackNameChars, after an ellipsis, so that deeply
// nested folders give names of bounded length.
QString TrackNameOf(const std::vector<QString>& path)
{
    size_t first = path.size();
    qsizetype length = 0;
    while (first > 0) {
        const qsizetype more = path[first - 1].size() + PathSeparator.size();
        if (first < path.size() && length + more > GpxDocumentWriter::MaxTrackNameChars)
            break;
        length += more;
        --first;
    }
    QString name;
    if (first > 0)
        name = QStringLiteral("\u2026") + PathSeparator;
    for (size_t i = first; i < path.size(); ++i) {
        if (i > first)
            name += PathSeparator;
        name += path[i];
    }
    return name;
}

} // namespace

GpxDocumentWriter::GpxDocumentWriter(XmlBufferWriter& out, const TrackTreeReaderI& tree, const TrackDataSetI& data)
    : m_out(out)
    , m_tree(tree)
    , m_data(data)
{
}

void GpxDocumentWriter::Write(int tid)
{
    const TrackInfo::Node* node = m_tree.GetNode(tid);
    if (!node)
        return;
    m_withExtras = node->GetKind() == TrackInfo::KindFile;
    PlanNamespaces(tid);
    m_xsiPrefix = FreePrefix("xsi", GpxNames::XsiUri);
    m_garminPrefix = FreePrefix("gpxtpx", GpxNames::TrackPointExtV2Uri);
    m_powerPrefix = FreePrefix("pwr", GpxNames::PowerExtUri);
    m_statusPrefix = FreePrefix("qvl", GpxNames::PointStatusUri);
    WriteHeader();

    const TrackInfo::NodeExtras* fileExtras = GetExtras(tid);
    if (fileExtras)
        m_out.Append(View(fileExtras->head));
    switch (node->GetKind()) {
    case TrackInfo::KindFile:
        for (int child : m_tree.GetChildren(tid)) {
            const TrackInfo::Node* childNode = m_tree.GetNode(child);
            if (childNode->GetKind() == TrackInfo::KindFolder)
                WriteFolders(child);
            else
                WriteTrack(childNode->GetName().isEmpty() ? node->GetName() : childNode->GetName(), -1, {child});
        }
        break;
    case TrackInfo::KindFolder:
        WriteFolders(tid);
        break;
    case TrackInfo::KindSegment: {
        const TrackInfo::Node* parent = m_tree.GetNode(m_tree.GetParent(tid));
        const QString name = node->GetName().isEmpty() && parent ? parent->GetName() : node->GetName();
        WriteTrack(name, -1, {tid});
        break;
    }
    }
    if (fileExtras)
        m_out.Append(View(fileExtras->tail));
    m_out.Append("</gpx>\n");
}

void GpxDocumentWriter::PlanNamespaces(int rootTid)
{
    std::vector<int> tids{rootTid};
    for (size_t i = 0; i < tids.size(); ++i) {
        const std::vector<int>& children = m_tree.GetChildren(tids[i]);
        tids.insert(tids.end(), children.begin(), children.end());
    }
    for (int tid : tids) {
        if (const TrackInfo::NodeExtras* extras = GetExtras(tid)) {
            for (const auto& [prefix, uri] : extras->namespaces)
                PlanBinding(tid, prefix, uri);
        }
        const TrackDataPtr points = m_data.Get(tid);
        if (!points)
            continue;
        for (const auto& table : points->GetMarkupTables()) {
            for (const auto& [prefix, uri] : table->GetNamespaces())
                PlanBinding(tid, QByteArray::fromStdString(prefix), QByteArray::fromStdString(uri));
        }
    }
}

void GpxDocumentWriter::PlanBinding(int tid, const QByteArray& prefix, const QByteArray& uri)
{
    const auto samePrefix = [&](const auto& binding) { return binding.first == prefix; };
    const auto root = std::find_if(m_rootNamespaces.begin(), m_rootNamespaces.end(), samePrefix);
    if (root == m_rootNamespaces.end()) {
        m_rootNamespaces.emplace_back(prefix, uri);
        return;
    }
    Namespaces& local = m_localNamespaces[tid];
    // A prefix is declared once per element; a second namespace under the
    // same prefix within one segment (points joined from two files) stays
    // unresolved and its markup lands in the first one.
    if (root->second != uri && std::none_of(local.begin(), local.end(), samePrefix))
        local.emplace_back(prefix, uri);
}

std::string GpxDocumentWriter::FreePrefix(std::string_view wanted, std::string_view uri) const
{
    // Taken when kept markup binds it to another namespace.
    const auto taken = [&](const std::string& prefix) {
        const auto clashes = [&](const Namespaces& list) {
            return std::any_of(list.begin(), list.end(), [&](const auto& binding) {
                return View(binding.first) == prefix && View(binding.second) != uri;
            });
        };
        return clashes(m_rootNamespaces)
            || std::any_of(m_localNamespaces.begin(), m_localNamespaces.end(),
                           [&](const auto& entry) { return clashes(entry.second); });
    };
    std::string prefix(wanted);
    for (int n = 1; taken(prefix); ++n)
        prefix = std::string(wanted) + std::to_string(n);
    return prefix;
}

void GpxDocumentWriter::WriteHeader()
{
    m_out.Append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    m_out.Append("<gpx version=\"1.1\" creator=\"Quorvel\" xmlns=\"");
    m_out.Append(GpxNames::Gpx11Uri);
    const std::pair<const std::string&, std::string_view> own[] = {
        {m_xsiPrefix, GpxNames::XsiUri},
        {m_garminPrefix, GpxNames::TrackPointExtV2Uri},
        {m_powerPrefix, GpxNames::PowerExtUri},
        {m_statusPrefix, GpxNames::PointStatusUri},
    };
    for (const auto& [prefix, uri] : own) {
        m_out.Append("\" xmlns:");
        m_out.Append(prefix);
        m_out.Append("=\"");
        m_out.Append(uri);
    }
    m_out.Append('"');
    Namespaces kept;
    std::copy_if(m_rootNamespaces.begin(), m_rootNamespaces.end(), std::back_inserter(kept), [&](const auto& binding) {
        return std::none_of(std::begin(own), std::end(own), [&](const auto& ours) {
            return View(binding.first) == ours.first && View(binding.second) == ours.second;
        });
    });
    WriteDeclarations(kept);
    m_out.Append(' ');
    m_out.Append(m_xsiPrefix);
    m_out.Append(":schemaLocation=\"");
    m_out.Append(GpxNames::Gpx11Uri);
    m_out.Append(" http://www.topografix.com/GPX/1/1/gpx.xsd ");
    m_out.Append(GpxNames::TrackPointExtV2Uri);
    m_out.Append(' ');
    m_out.Append(GpxNames::TrackPointExtV2Xsd);
    m_out.Append("\">\n");
}

void GpxDocumentWriter::WriteFolders(int topTid)
{
    // Walked with a stack of its own: trees nested thousands of folders deep
    // would overflow the call stack. Each entry holds a folder and how many
    // names of the path lie above it.
    std::vector<QString> path;
    std::vector<std::pair<int, size_t>> pending{{topTid, 0}};
    while (!pending.empty()) {
        const auto [tid, namesAbove] = pending.back();
        pending.pop_back();
        path.resize(namesAbove);
        if (const QString& own = m_tree.GetNode(tid)->GetName(); !own.isEmpty())
            path.push_back(own);
        std::vector<int> segments;
        std::vector<int> folders;
        for (int child : m_tree.GetChildren(tid))
            (m_tree.GetNode(child)->GetKind() == TrackInfo::KindSegment ? segments : folders).push_back(child);
        // Named only when written: most folders of a deep tree hold no points.
        if (std::any_of(segments.begin(), segments.end(), [this](int segment) { return HasPoints(segment); }))
            WriteTrack(TrackNameOf(path), tid, segments);
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
            pending.emplace_back(*folder, path.size());
    }
}

void GpxDocumentWriter::WriteTrack(const QString& name, int folderTid, const std::vector<int>& segmentTids)
{
    if (std::none_of(segmentTids.begin(), segmentTids.end(), [this](int tid) { return HasPoints(tid); }))
        return;
    m_out.Append("  <trk");
    const auto local = m_localNamespaces.find(folderTid);
    if (local != m_localNamespaces.end())
        WriteDeclarations(local->second);
    m_out.Append(">\n");
    WriteName(name);
    if (const TrackInfo::NodeExtras* extras = GetExtras(folderTid))
        m_out.Append(View(extras->head));
    for (int tid : segmentTids)
        WriteSegment(tid);
    m_out.Append("  </trk>\n");
}

void GpxDocumentWriter::WriteSegment(int tid)
{
    if (!HasPoints(tid))
        return;
    m_out.Append("    <trkseg");
    const auto local = m_localNamespaces.find(tid);
    if (local != m_localNamespaces.end())
        WriteDeclarations(local->second);
    m_out.Append(">\n");
    GpxPointWriter points(m_out, {m_garminPrefix, m_powerPrefix, m_statusPrefix});
    const TrackData& data = *m_data.Get(tid);
    for (const TrackPoint& point : data.GetPoints())
        points.Write(point, data.FindMarkup(point.GetMarkupTag()));
    if (const TrackInfo::NodeExtras* extras = GetExtras(tid))
        m_out.Append(View(extras->tail));
    m_out.Append("    </trkseg>\n");
}

void GpxDocumentWriter::WriteDeclarations(const Namespaces& namespaces)
{
    for (const auto& [prefix, uri] : namespaces) {
        m_out.Append(" xmlns:");
        m_out.Append(View(prefix));
        m_out.Append("=\"");
        m_out.AppendEscaped(View(uri));
        m_out.Append('"');
    }
}

void GpxDocumentWriter::WriteName(const QString& name)
{
    if (name.isEmpty())
        return;
    m_out.Append("    <name>");
    m_out.AppendEscaped(name.toStdString());
    m_out.Append("</name>\n");
}

const TrackInfo::NodeExtras* GpxDocumentWriter::GetExtras(int tid) const
{
    if (!m_withExtras)
        return nullptr;
    const TrackInfo::Node* node = m_tree.GetNode(tid);
    return node && node->GetExtras() && !node->GetExtras()->IsEmpty() ? node->GetExtras().get() : nullptr;
}

bool GpxDocumentWriter::HasPoints(int segmentTid) const
{
    const TrackDataPtr points = m_data.Get(segmentTid);
    return points && points->GetPointCount() > 0;
}
