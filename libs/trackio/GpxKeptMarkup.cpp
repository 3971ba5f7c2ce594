#include "GpxKeptMarkup.h"

#include "GpxNames.h"
#include "TextNumber.h"
#include "XmlEscape.h"

#include <algorithm>

namespace {

// The GPX 1.1 element types with element content and the children each may
// hold; everything else is a leaf.
struct GpxType
{
    std::string_view name;
    std::string_view children;
};

constexpr std::string_view kPointChildren =
    "ele time magvar geoidheight name cmt desc src link sym type fix sat hdop vdop pdop ageofdgpsdata dgpsid extensions";

constexpr GpxType kGpxTypes[] = {
    {"gpx", "metadata wpt rte trk extensions"},
    {"metadata", "name desc author copyright link time keywords bounds extensions"},
    {"wpt", kPointChildren},
    {"rtept", kPointChildren},
    {"trkpt", kPointChildren},
    {"rte", "name cmt desc src link number type extensions rtept"},
    {"trk", "name cmt desc src link number type extensions trkseg"},
    {"trkseg", "trkpt extensions"},
    {"author", "name email link"},
    {"copyright", "year license"},
    {"link", "text type"},
};

int FindGpxType(std::string_view local)
{
    for (size_t i = 0; i < std::size(kGpxTypes); ++i) {
        if (kGpxTypes[i].name == local)
            return static_cast<int>(i);
    }
    return -1;
}

// Position of word in a space-separated list, or -1.
int IndexInList(std::string_view list, std::string_view word)
{
    for (int index = 0; !list.empty(); ++index) {
        const size_t space = list.find(' ');
        if (list.substr(0, space) == word)
            return index;
        list = space == std::string_view::npos ? std::string_view() : list.substr(space + 1);
    }
    return -1;
}

// The schema's position of a child in its parent's sequence; -1 when the
// parent may not hold it.
int ChildRank(int gpxType, std::string_view local)
{
    return gpxType < 0 ? -1 : IndexInList(kGpxTypes[gpxType].children, local);
}

// The attributes of GPX elements; the schema requires each of them.
std::string_view AttributesOf(std::string_view element)
{
    constexpr GpxType kAttributes[] = {
        {"wpt", "lat lon"}, {"rtept", "lat lon"}, {"trkpt", "lat lon"},
        {"bounds", "minlat minlon maxlat maxlon"}, {"link", "href"}, {"email", "id domain"}, {"copyright", "author"},
    };
    for (const GpxType& entry : kAttributes) {
        if (entry.name == element)
            return entry.children;
    }
    return {};
}

bool AllowsAttribute(std::string_view element, const ExpatStreamReader::Name& attribute)
{
    if (!attribute.uri.empty())
        return attribute.uri == GpxNames::XsiUri;
    return IndexInList(AttributesOf(element), attribute.local) >= 0;
}

bool HasRequiredAttributes(std::string_view element, const char** attributes)
{
    std::string_view required = AttributesOf(element);
    while (!required.empty()) {
        const size_t space = required.find(' ');
        if (!ExpatStreamReader::Attribute(attributes, required.substr(0, space)))
            return false;
        required = space == std::string_view::npos ? std::string_view() : required.substr(space + 1);
    }
    return true;
}

// GPX leaves of XML Schema types whose white space is not part of the value.
bool IsTypedLeaf(std::string_view local)
{
    return IndexInList("ele time magvar geoidheight fix sat hdop vdop pdop ageofdgpsdata dgpsid number year license",
                       local)
        >= 0;
}

bool IsBlank(std::string_view text)
{
    return TextNumber::Trim(text).empty();
}

} // namespace

GpxKeptMarkup::GpxKeptMarkup(GpxPrefixMap& prefixes, std::string_view container, int childDepth, Layout layout)
    : m_prefixes(prefixes)
    , m_layout(layout)
{
    Frame root;
    root.role = Role::Container;
    root.gpxType = FindGpxType(container);
    root.depth = childDepth - 1;
    root.inExtensions = container == "extensions";
    m_frames.push_back(root);
}

void GpxKeptMarkup::Clear()
{
    m_out.clear();
    m_bindings.clear();
    m_frames.resize(1);
    m_frames.front().hasChildren = false;
    m_frames.front().hasLink = false;
    m_frames.front().children.clear();
}

void GpxKeptMarkup::Start(const Name& name, const char** attributes, std::string_view textBefore)
{
    const Role parentRole = m_frames.back().role;
    if (parentRole == Role::Dropped || parentRole == Role::Url || parentRole == Role::UrlName) {
        PushRole(Role::Dropped);
        return;
    }
    WriteMixedText(m_frames.back(), textBefore);
    const bool gpx = m_prefixes.IsGpx(name.uri);
    if (gpx && parentRole == Role::Wrapper)
        CloseWrapper();
    Frame& parent = m_frames.back();
    if (!parent.inExtensions) {
        if (gpx && (name.local == "url" || name.local == "urlname")) {
            PushRole(name.local == "url" ? Role::Url : Role::UrlName);
            return;
        }
        if (gpx && (ChildRank(parent.gpxType, name.local) < 0 || !HasRequiredAttributes(name.local, attributes))) {
            PushRole(Role::Dropped);
            return;
        }
        FlushLink(parent);
        if (!gpx)
            OpenWrapper();
    }
    PushWritten(m_frames.back(), name, attributes, gpx);
}

void GpxKeptMarkup::End(const Name& /*name*/, std::string_view text)
{
    if (m_frames.back().role == Role::Wrapper)
        CloseWrapper();
    Frame& frame = m_frames.back();
    Frame& parent = m_frames[m_frames.size() - 2];
    switch (frame.role) {
    case Role::Url:
        parent.hasLink = true;
        parent.linkHref = TextNumber::Trim(text);
        break;
    case Role::UrlName:
        parent.hasLink = true;
        parent.linkText = text;
        break;
    case Role::Written:
        FlushLink(frame);
        if (frame.hasChildren) {
            WriteMixedText(frame, text);
        } else if (!text.empty()) {
            CloseStartTag(frame);
            XmlEscape::AppendText(m_out, frame.typedLeaf ? TextNumber::Trim(text) : text);
        }
        WriteEndTag(frame);
        break;
    case Role::Container:
    case Role::Wrapper:
    case Role::Dropped:
        break;
    }
    m_frames.pop_back();
}

void GpxKeptMarkup::Finish()
{
    if (m_frames.back().role == Role::Wrapper)
        CloseWrapper();
    FlushLink(m_frames.back());
    SortChildren(m_frames.front());
}

void GpxKeptMarkup::PushRole(Role role)
{
    Frame frame;
    frame.role = role;
    m_frames.push_back(std::move(frame));
}

void GpxKeptMarkup::PushWritten(Frame& parent, const Name& name, const char** attributes, bool gpx)
{
    Frame frame;
    frame.depth = parent.depth + 1;
    frame.inExtensions = parent.inExtensions || (gpx && name.local == "extensions");
    frame.defaultNamespaceEmpty = parent.defaultNamespaceEmpty;
    const char* defaultDeclaration = nullptr;
    if (gpx) {
        frame.qualifiedName = name.local;
        frame.gpxType = parent.inExtensions ? -1 : FindGpxType(name.local);
        frame.typedLeaf = !parent.inExtensions && IsTypedLeaf(name.local);
        if (parent.defaultNamespaceEmpty) {
            defaultDeclaration = GpxNames::Gpx11Uri.data();
            frame.defaultNamespaceEmpty = false;
        }
    } else if (name.uri.empty()) {
        // An element of no namespace inside GPX ones must say so.
        frame.qualifiedName = name.local;
        if (!parent.defaultNamespaceEmpty) {
            defaultDeclaration = "";
            frame.defaultNamespaceEmpty = true;
        }
    } else {
        const int binding = m_prefixes.Bind(name.uri, name.prefix);
        UseBinding(binding);
        frame.qualifiedName = m_prefixes.GetPrefix(binding);
        frame.qualifiedName += ':';
        frame.qualifiedName += name.local;
    }

    const bool checked = gpx && !parent.inExtensions;
    BeginChild(parent, checked ? ChildRank(parent.gpxType, name.local) : 0);
    m_out += '<';
    m_out += frame.qualifiedName;
    if (defaultDeclaration) {
        m_out += " xmlns=\"";
        m_out += defaultDeclaration;
        m_out += '"';
    }
    for (const char** a = attributes; a && *a; a += 2) {
        const Name attribute = ExpatStreamReader::SplitName(a[0]);
        if (checked && !AllowsAttribute(name.local, attribute))
            continue;
        m_out += ' ';
        if (!attribute.uri.empty()) {
            const int binding = m_prefixes.Bind(attribute.uri, attribute.prefix);
            UseBinding(binding);
            m_out += m_prefixes.GetPrefix(binding);
            m_out += ':';
        }
        m_out += attribute.local;
        m_out += "=\"";
        XmlEscape::AppendAttribute(m_out, a[1]);
        m_out += '"';
    }
    frame.startTagOpen = true;
    m_frames.push_back(std::move(frame));
}

void GpxKeptMarkup::BeginChild(Frame& parent, int rank)
{
    CloseStartTag(parent);
    parent.hasChildren = true;
    parent.children.push_back({rank, m_out.size()});
    if (parent.role == Role::Container) {
        Indent(parent.depth + 1);
    } else if (!parent.mixed) {
        NewLine();
        Indent(parent.depth + 1);
    }
}

void GpxKeptMarkup::CloseStartTag(Frame& frame)
{
    if (frame.startTagOpen) {
        m_out += '>';
        frame.startTagOpen = false;
    }
}

void GpxKeptMarkup::WriteMixedText(Frame& frame, std::string_view text)
{
    if (frame.role == Role::Container || IsBlank(text))
        return;
    CloseStartTag(frame);
    XmlEscape::AppendText(m_out, text);
    frame.mixed = true;
}

void GpxKeptMarkup::WriteEndTag(Frame& frame)
{
    SortChildren(frame);
    if (frame.startTagOpen) {
        m_out += "/>";
        frame.startTagOpen = false;
    } else {
        if (frame.hasChildren && !frame.mixed) {
            NewLine();
            Indent(frame.depth);
        }
        m_out += "</";
        m_out += frame.qualifiedName;
        m_out += '>';
    }
    if (frame.depth == m_frames.front().depth + 1)
        NewLine();
}

void GpxKeptMarkup::OpenWrapper()
{
    Frame& parent = m_frames.back();
    BeginChild(parent, ChildRank(parent.gpxType, "extensions"));
    m_out += "<extensions";
    Frame wrapper;
    wrapper.role = Role::Wrapper;
    wrapper.qualifiedName = "extensions";
    wrapper.depth = parent.depth + 1;
    wrapper.inExtensions = true;
    wrapper.startTagOpen = true;
    m_frames.push_back(std::move(wrapper));
}

void GpxKeptMarkup::CloseWrapper()
{
    WriteEndTag(m_frames.back());
    m_frames.pop_back();
}

void GpxKeptMarkup::FlushLink(Frame& frame)
{
    if (!frame.hasLink)
        return;
    frame.hasLink = false;
    // Written as the reader would write a 1.1 link, so that reading the
    // result again gives the same text.
    BeginChild(frame, ChildRank(frame.gpxType, "link"));
    m_out += "<link href=\"";
    XmlEscape::AppendAttribute(m_out, frame.linkHref);
    m_out += '"';
    Frame link;
    link.qualifiedName = "link";
    link.depth = frame.depth + 1;
    link.startTagOpen = true;
    if (!frame.linkText.empty()) {
        BeginChild(link, 0);
        m_out += "<text>";
        XmlEscape::AppendText(m_out, frame.linkText);
        m_out += "</text>";
    }
    WriteEndTag(link);
    frame.linkHref.clear();
    frame.linkText.clear();
}

void GpxKeptMarkup::SortChildren(Frame& frame)
{
    // Files put children in any order; the schema wants its own. Each child
    // runs from its recorded start to the next one's (the last to the end).
    const auto byRank = [](const ChildStart& a, const ChildStart& b) { return a.rank < b.rank; };
    if (frame.mixed || std::is_sorted(frame.children.begin(), frame.children.end(), byRank))
        return;
    const size_t begin = frame.children.front().offset;
    std::vector<std::pair<ChildStart, std::string>> pieces;
    for (size_t i = 0; i < frame.children.size(); ++i) {
        const size_t end = i + 1 < frame.children.size() ? frame.children[i + 1].offset : m_out.size();
        const ChildStart& start = frame.children[i];
        pieces.emplace_back(start, m_out.substr(start.offset, end - start.offset));
    }
    std::stable_sort(pieces.begin(), pieces.end(), [&](const auto& a, const auto& b) { return byRank(a.first, b.first); });
    m_out.resize(begin);
    frame.children.clear();
    for (auto& [start, text] : pieces) {
        frame.children.push_back({start.rank, m_out.size()});
        m_out += text;
    }
}

void GpxKeptMarkup::NewLine()
{
    if (m_layout == Layout::Indented)
        m_out += '\n';
}

void GpxKeptMarkup::Indent(int depth)
{
    // Deeper levels share the last indentation: an indent that grew with
    // the depth would make deeply nested markup cost the square of its
    // depth, kept and written.
    if (m_layout == Layout::Indented)
        m_out.append(static_cast<size_t>(std::min(depth, MaxIndentDepth) * GpxNames::IndentWidth), ' ');
}

void GpxKeptMarkup::UseBinding(int binding)
{
    if (binding == GpxPrefixMap::XmlBinding)
        return;
    for (int used : m_bindings) {
        if (used == binding)
            return;
    }
    m_bindings.push_back(binding);
}
