#pragma once

#include "ExpatStreamReader.h"
#include "GpxPrefixMap.h"

#include <string>
#include <string_view>
#include <vector>

// Writes parts of a GPX file that the track tree does not model (metadata,
// waypoints, routes, extensions, a track's description) back out as GPX 1.1
// markup while the file is read, so that saving can put them back.
//
// Elements keep the file's prefix for their namespace (GpxPrefixMap); GPX
// elements of either version go into the GPX 1.1 namespace. GPX 1.0 forms
// become their 1.1 equivalents: url and urlname become a link, foreign
// elements directly inside a GPX element are wrapped into extensions, and
// GPX elements that 1.1 does not allow there (1.0's speed and course) are
// dropped, as are attributes GPX elements do not have and GPX elements
// without the attributes they need. Children of GPX elements are put into
// the schema's order. White space between elements is replaced by our own
// indentation at the depth where the markup is written back (up to
// MaxIndentDepth levels), and trimmed
// around numbers and times; other text is kept as it was.
class GpxKeptMarkup
{
public:
    using Name = ExpatStreamReader::Name;

    // Indented: one element a line, as the rest of a saved file. OneLine:
    // no white space of our own, for a point's markup, since saved points
    // take a line each.
    enum class Layout { Indented, OneLine };

    // Levels beyond this are indented as this one.
    static constexpr int MaxIndentDepth = 16;

    // container: the local name of the GPX element that the kept elements
    // are children of ("gpx", "trk", "trkseg", "trkpt", or "extensions" for
    // the content of an extensions element); it is not written itself. Kept
    // children are indented to childDepth.
    GpxKeptMarkup(GpxPrefixMap& prefixes, std::string_view container, int childDepth,
                  Layout layout = Layout::Indented);

    // textBefore: character data between the previous tag and this one.
    void Start(const Name& name, const char** attributes, std::string_view textBefore);
    // text: character data since the previous tag.
    void End(const Name& name, std::string_view text);
    // Writes what the container's end would close (a 1.0 link, an
    // extensions wrapper). Start may follow again.
    void Finish();

    bool IsEmpty() const { return m_out.empty(); }
    const std::string& GetMarkup() const { return m_out; }
    // The bindings of GpxPrefixMap that the markup uses, in first use order.
    const std::vector<int>& GetBindings() const { return m_bindings; }
    void Clear();

private:
    enum class Role { Container, Written, Wrapper, Url, UrlName, Dropped };

    struct ChildStart
    {
        // Position in the schema's sequence of the parent.
        int rank = 0;
        size_t offset = 0;
    };

    struct Frame
    {
        Role role = Role::Written;
        std::string qualifiedName;
        // Index of the GPX element type in the table of allowed children;
        // -1 for a leaf or a foreign element.
        int gpxType = -1;
        int depth = 0;
        bool inExtensions = false;
        bool defaultNamespaceEmpty = false;
        bool startTagOpen = false;
        bool hasChildren = false;
        bool mixed = false;
        bool typedLeaf = false;
        std::vector<ChildStart> children;
        // GPX 1.0 url / urlname, written as a link before the next child.
        bool hasLink = false;
        std::string linkHref;
        std::string linkText;
    };

    void PushRole(Role role);
    void PushWritten(Frame& parent, const Name& name, const char** attributes, bool gpx);
    void BeginChild(Frame& parent, int rank);
    void CloseStartTag(Frame& frame);
    void WriteMixedText(Frame& frame, std::string_view text);
    void WriteEndTag(Frame& frame);
    void OpenWrapper();
    void CloseWrapper();
    void FlushLink(Frame& frame);
    void SortChildren(Frame& frame);
    void Indent(int depth);
    void NewLine();
    void UseBinding(int binding);

    GpxPrefixMap& m_prefixes;
    const Layout m_layout;
    std::vector<Frame> m_frames;
    std::string m_out;
    std::vector<int> m_bindings;
};
