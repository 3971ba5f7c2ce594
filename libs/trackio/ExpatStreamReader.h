#pragma once

#include <expat.h>

#include <optional>
#include <string>
#include <string_view>

class FastXmlScanner;
class LoadContext;
class QIODevice;
class XmlReadAhead;

// A streaming XML reader over expat for the track formats: it feeds the
// device to the parser in pieces (no document in memory), reports progress,
// honours cancel, and turns XML errors into "line N, column M: reason".
// Element names arrive split into namespace URI, local name and prefix, so
// readers can match local names whatever namespace a writer used.
class ExpatStreamReader
{
public:
    struct Name
    {
        std::string_view uri;
        std::string_view local;
        std::string_view prefix;
    };

    // Track files nest a few dozen levels at most. A deeper document is
    // broken or made to exhaust memory (every open level costs the parser
    // and the readers), so reading stops there.
    static constexpr int MaxDepth = 256;

    explicit ExpatStreamReader(LoadContext& context);
    virtual ~ExpatStreamReader();
    ExpatStreamReader(const ExpatStreamReader&) = delete;
    ExpatStreamReader& operator=(const ExpatStreamReader&) = delete;

    // False on an XML error, a reader's Fail, or cancel.
    bool Parse(QIODevice& device);
    // The same through FastXmlScanner, which reads the common shape of a
    // file straight from the bytes; empty when it declined the file. What
    // the reader made of it before then is to be thrown away, and the file
    // read again by Parse with a new reader. readAheadBytes: when not 0,
    // readers that can have stretches of about that size read ahead on
    // another thread (StartReadAhead).
    std::optional<bool> ParseFast(QIODevice& device, size_t chunkBytes, long long readAheadBytes = 0);
    // How many points the last fast read took from what was read ahead.
    virtual long long GetPointsReadAhead() const { return 0; }

    // Splits an element or attribute name as expat reports it.
    static Name SplitName(const char* name);
    // Value of a plain (un-namespaced) attribute, or null.
    static const char* Attribute(const char** attributes, std::string_view localName);

protected:
    // attributes: name, value pairs ending in a null; attribute names come
    // as "uri\x01local\x01prefix" when namespaced, else as the plain name.
    // Text() still holds the character data before the tag, so readers that
    // keep markup can keep mixed content too.
    virtual void OnStartElement(const Name& name, const char** attributes) = 0;
    // Text() holds the character data since the last start or end tag.
    virtual void OnEndElement(const Name& name) = 0;
    virtual void OnNamespaceDeclaration(std::string_view /*prefix*/, std::string_view /*uri*/) {}
    // A reader that can use stretches read ahead of device (at its start)
    // starts their reading; null for none.
    virtual XmlReadAhead* StartReadAhead(const QIODevice& /*device*/, long long /*stretchBytes*/) { return nullptr; }
    // The scanner is at the start of a stretch read ahead: a reader taking
    // it gives its end, where the scanner goes on; -1 leaves it.
    virtual long long OnReadAhead(long long /*at*/) { return -1; }

    // Character data since the last tag, untrimmed.
    const std::string& Text() const { return m_text; }
    // Stops the parse with a message at the current line.
    void Fail(const std::string& message);
    long long CurrentLine() const;
    // Offset in the input of the event being reported (for estimates).
    long long CurrentByteIndex() const;
    LoadContext& Context() { return m_context; }

private:
    friend class FastXmlScanner;

    // The events, from expat or the fast scanner.
    void StartEvent(const Name& name, const char** attributes);
    void EndEvent(const Name& name);
    long long ReadAheadEvent(long long at);
    void TextEvent(const char* text, size_t length)
    {
        if (!m_failed)
            m_text.append(text, length);
    }
    bool HasFailed() const { return m_failed; }

    static void XMLCALL StartHandler(void* self, const XML_Char* name, const XML_Char** attributes);
    static void XMLCALL EndHandler(void* self, const XML_Char* name);
    static void XMLCALL TextHandler(void* self, const XML_Char* text, int length);
    static void XMLCALL NamespaceHandler(void* self, const XML_Char* prefix, const XML_Char* uri);
    static int XMLCALL UnknownEncodingHandler(void* data, const XML_Char* name, XML_Encoding* info);

    LoadContext& m_context;
    XML_Parser m_parser;
    std::string m_text;
    int m_depth = 0;
    bool m_failed = false;
    // Set while the fast scanner reads: it knows the current position.
    const FastXmlScanner* m_scanner = nullptr;
};
