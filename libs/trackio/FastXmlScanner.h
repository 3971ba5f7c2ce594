#pragma once

#include "ExpatStreamReader.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class LoadContext;
class QIODevice;
class XmlReadAhead;

// Reads the plain XML that track programs write straight from the bytes and
// reports to an ExpatStreamReader the same events, text, lines and offsets
// as expat would. It knows UTF-8 only, an XML declaration, comments, CDATA,
// the five predefined entities and character references, and ASCII names; a
// DOCTYPE, a processing instruction, another encoding, a name it
// does not know how to check, or anything not well-formed makes it decline.
// Expat then reads the whole file again: it stays the reference, also for
// the messages about broken files. The scanner never guesses.
class FastXmlScanner
{
public:
    enum class Outcome {
        Finished, // the whole document was read and reported
        Stopped,  // the reader failed, the user cancelled
        Declined, // expat must read the file
    };

    static constexpr size_t DefaultChunkBytes = 1 << 20;

    // chunkBytes: how much to read at a time (small in tests, to put the
    // ends of reads inside every kind of markup).
    // ahead: what another thread reads ahead for the reader, or null.
    FastXmlScanner(ExpatStreamReader& reader, QIODevice& device, LoadContext& context,
                   size_t chunkBytes = DefaultChunkBytes, XmlReadAhead* ahead = nullptr);

    Outcome Run();

    // Where the event being reported starts, as expat counts.
    long long CurrentLine() const;
    long long CurrentByteIndex() const;

private:
    // How a piece of the input went.
    enum class Step {
        Done,
        More,    // the piece runs past the bytes read so far
        Decline,
        Stop,
    };

    struct Binding
    {
        std::string prefix;
        std::string uri;
    };

    struct OpenElement
    {
        std::string qname;
        size_t prefixLength = 0; // 0 when the name has no prefix
        int binding = -1;        // the namespace of the name, -1 for none
        size_t bindingsBefore = 0;
    };

    // Name and value in m_attributeText, each ending in a 0.
    struct Attribute
    {
        size_t nameOffset = 0;
        size_t nameLength = 0;
        size_t prefixLength = 0;
        size_t valueOffset = 0;
        size_t valueLength = 0;
        bool declares = false; // xmlns or xmlns:prefix
    };

    static constexpr size_t kNotPinned = static_cast<size_t>(-1);

    // Reads more after keeping the bytes from keepFrom on; Stop on cancel,
    // Decline on a read error, More at the end of the input.
    Step Refill(size_t keepFrom);
    // Runs piece (a member returning Step) until it is not short of bytes.
    template <class Piece>
    Step Complete(Piece piece);

    Step ReadProlog();
    Step ReadDeclaration();
    // Space or a comment before or after the root; atElement at a tag.
    Step ReadMisc(bool& atElement);
    Step ReadComment();
    Step ReadContent();
    // At or past the next stretch read ahead: lets the reader take it.
    Step OfferReadAhead();
    // Goes on reading at offset, which may lie past the bytes held.
    Step SkipTo(long long offset);
    Step ReadMarkup();
    Step ReadCData();
    Step ReadText();
    Step ReadReference(size_t& at, std::string& out) const;
    Step ReadStartTag();
    Step ReadEndTag();
    Step ReadEpilog();
    Step ReadName(size_t& at, size_t& prefixLength) const;
    // Moves at past spaces; false when the bytes held end there.
    bool SkipSpaces(size_t& at) const;
    Step ReadAttributeValue(size_t& at);
    Step ReadUtf8(size_t& at) const;
    Step ReportStart(std::string_view qname, size_t prefixLength, bool empty);
    // The attributes' list with namespaced names; false on an unbound prefix.
    bool ExpandAttributes();
    Step ReportEnd();
    ExpatStreamReader::Name NameOf(const OpenElement& element) const;
    int FindBinding(std::string_view prefix) const;
    void FindDefaultBinding();
    std::string_view AttributeName(const Attribute& attribute) const;
    std::string_view AttributeValue(const Attribute& attribute) const;

    ExpatStreamReader& m_reader;
    QIODevice& m_device;
    LoadContext& m_context;
    const size_t m_chunkBytes;
    XmlReadAhead* const m_ahead;
    long long m_aheadAt = 0; // where to offer or ask m_ahead next

    std::vector<char> m_buffer;
    size_t m_size = 0;     // bytes held
    size_t m_pos = 0;      // next byte to read
    size_t m_event = 0;    // start of the event being reported
    // Refill keeps the bytes from here on (the root's end tag, while what
    // follows it is checked).
    size_t m_pinned = kNotPinned;
    long long m_start = 0; // the device's position when reading began
    long long m_base = 0;  // offset from m_start of m_buffer[0]
    bool m_end = false;    // the input holds nothing more

    // The open elements are m_open's first m_depth; the rest keep their
    // strings' memory for the next ones.
    std::vector<OpenElement> m_open;
    size_t m_depth = 0;
    std::vector<Binding> m_bindings;
    int m_defaultBinding = -1; // of unprefixed names, -1 for none
    std::vector<Attribute> m_attributes;
    std::string m_attributeText;
    std::string m_expanded; // the attributes with namespaced names
    std::vector<size_t> m_offsets;
    std::vector<const char*> m_attributeList;
    std::string m_reference; // a reference's character in text
    std::string m_cdata;
};
