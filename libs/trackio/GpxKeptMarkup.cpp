#include "GpxKeptMarkup.h"

#include "GpxNames.h"
#include "TextNumber.h"
#include "XmlEscape.h"

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

bool AllowsChild(int gpxType, std::string_view local)
{
    if (gpxType < 0)
        return false;
    std::string_view children = kGpxTypes[gpxType].children;
    while (!children.empty()) {
        const size_t space = children.find(' ');
        if (children.substr(0, space) == local)
            return true;
        children = space == std::string_view::npos ? std::string_view() : children.substr(space + 1);
    }
    return false;
}

bool IsBlank(std::string_view text)
{
    return TextNumber::Trim(text).empty();
}

} // namespace

GpxKeptMarkup::GpxKeptMarkup(GpxPrefixMap& prefixes, std::string_view container, int childDepth)
    : m_prefixes(prefixes)
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
        if (gpx && !AllowsChild(parent.gpxType, name.local)) {
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
            XmlEscape::AppendText(m_out, text);
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

    BeginChild(parent);
    m_out += '<';
    m_out += frame.qualifiedName;
    if (defaultDeclaration) {
        m_out += " xmlns=\"";
        m_out += defaultDeclaration;
        m_out += '"';
    }
    for (const char** a = attributes; a && *a; a += 2) {
        const Name attribute = ExpatStreamReader::SplitName(a[0]);
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

void GpxKeptMarkup::BeginChild(Frame& parent)
{
    CloseStartTag(parent);
    parent.hasChildren = true;
    if (parent.role == Role::Container) {
        Indent(parent.depth + 1);
    } else if (!parent.mixed) {
        m_out += '\n';
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
    if (frame.startTagOpen) {
        m_out += "/>";
        frame.startTagOpen = false;
    } else {
        if (frame.hasChildren && !frame.mixed) {
            m_out += '\n';
            Indent(frame.depth);
        }
        m_out += "</";
        m_out += frame.qualifiedName;
        m_out += '>';
    }
    if (frame.depth == m_frames.front().depth + 1)
        m_out += '\n';
}

void GpxKeptMarkup::OpenWrapper()
{
    Frame& parent = m_frames.back();
    BeginChild(parent);
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
    BeginChild(frame);
    m_out += "<link href=\"";
    XmlEscape::AppendAttribute(m_out, frame.linkHref);
    m_out += '"';
    Frame link;
    link.qualifiedName = "link";
    link.depth = frame.depth + 1;
    link.startTagOpen = true;
    if (!frame.linkText.empty()) {
        BeginChild(link);
        m_out += "<text>";
        XmlEscape::AppendText(m_out, frame.linkText);
        m_out += "</text>";
    }
    WriteEndTag(link);
    frame.linkHref.clear();
    frame.linkText.clear();
}

void GpxKeptMarkup::Indent(int depth)
{
    m_out.append(static_cast<size_t>(depth * GpxNames::IndentWidth), ' ');
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
