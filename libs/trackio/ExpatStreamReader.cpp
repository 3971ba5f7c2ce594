#include "ExpatStreamReader.h"

#include "FastXmlScanner.h"
#include "LoadContext.h"
#include "ReadChunk.h"

#include <QIODevice>
#include <QString>

#include <cstring>

namespace {

constexpr char kNameSeparator = '\x01';
constexpr int kChunkBytes = 1 << 20;

// Windows-1252 above 0x7F; 0 where the code page has a hole.
constexpr unsigned short kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

} // namespace

ExpatStreamReader::ExpatStreamReader(LoadContext& context)
    : m_context(context)
    , m_parser(XML_ParserCreateNS(nullptr, kNameSeparator))
{
    XML_SetReturnNSTriplet(m_parser, 1);
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &StartHandler, &EndHandler);
    XML_SetCharacterDataHandler(m_parser, &TextHandler);
    XML_SetStartNamespaceDeclHandler(m_parser, &NamespaceHandler);
    XML_SetUnknownEncodingHandler(m_parser, &UnknownEncodingHandler, nullptr);
}

ExpatStreamReader::~ExpatStreamReader()
{
    XML_ParserFree(m_parser);
}

bool ExpatStreamReader::Parse(QIODevice& device)
{
    qint64 bytesRead = 0;
    for (;;) {
        const int want = static_cast<int>(ReadChunkBytes(device, kChunkBytes));
        void* buffer = XML_GetBuffer(m_parser, want);
        if (!buffer) {
            m_context.Fail(QStringLiteral("not enough memory to read the file"));
            return false;
        }
        const qint64 got = device.read(static_cast<char*>(buffer), want);
        if (got < 0) {
            m_context.Fail(QStringLiteral("the file cannot be read: %1").arg(device.errorString()));
            return false;
        }
        bytesRead += got;
        const bool last = got == 0;
        if (XML_ParseBuffer(m_parser, static_cast<int>(got), last) == XML_STATUS_ERROR) {
            if (!m_failed) {
                m_context.Fail(QStringLiteral("line %1, column %2: %3")
                                   .arg(XML_GetCurrentLineNumber(m_parser))
                                   .arg(XML_GetCurrentColumnNumber(m_parser) + 1)
                                   .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(m_parser)))));
            }
            return false;
        }
        if (m_failed)
            return false;
        if (!m_context.ReportBytes(bytesRead))
            return false;
        if (last)
            return true;
    }
}

std::optional<bool> ExpatStreamReader::ParseFast(QIODevice& device, size_t chunkBytes, long long readAheadBytes)
{
    // Offsets of the stretches count from the device's start.
    XmlReadAhead* ahead = readAheadBytes > 0 && device.pos() == 0 ? StartReadAhead(device, readAheadBytes) : nullptr;
    FastXmlScanner scanner(*this, device, m_context, chunkBytes, ahead);
    m_scanner = &scanner;
    const FastXmlScanner::Outcome outcome = scanner.Run();
    m_scanner = nullptr;
    switch (outcome) {
    case FastXmlScanner::Outcome::Finished:
        return true;
    case FastXmlScanner::Outcome::Stopped:
        return false;
    case FastXmlScanner::Outcome::Declined:
        break;
    }
    return std::nullopt;
}

ExpatStreamReader::Name ExpatStreamReader::SplitName(const char* name)
{
    const std::string_view full(name);
    const size_t first = full.find(kNameSeparator);
    if (first == std::string_view::npos)
        return {{}, full, {}};
    const size_t second = full.find(kNameSeparator, first + 1);
    Name split;
    split.uri = full.substr(0, first);
    if (second == std::string_view::npos) {
        split.local = full.substr(first + 1);
    } else {
        split.local = full.substr(first + 1, second - first - 1);
        split.prefix = full.substr(second + 1);
    }
    return split;
}

const char* ExpatStreamReader::Attribute(const char** attributes, std::string_view localName)
{
    for (const char** a = attributes; a && *a; a += 2) {
        if (SplitName(a[0]).local == localName)
            return a[1];
    }
    return nullptr;
}

void ExpatStreamReader::Fail(const std::string& message)
{
    if (m_failed)
        return;
    m_failed = true;
    m_context.FailAtLine(CurrentLine(), QString::fromStdString(message));
    if (!m_scanner)
        XML_StopParser(m_parser, XML_FALSE);
}

long long ExpatStreamReader::CurrentLine() const
{
    if (m_scanner)
        return m_scanner->CurrentLine();
    return static_cast<long long>(XML_GetCurrentLineNumber(m_parser));
}

long long ExpatStreamReader::CurrentByteIndex() const
{
    if (m_scanner)
        return m_scanner->CurrentByteIndex();
    return static_cast<long long>(XML_GetCurrentByteIndex(m_parser));
}

void ExpatStreamReader::StartEvent(const Name& name, const char** attributes)
{
    // After a failure expat may still report what it has parsed: readers
    // see nothing more.
    if (m_failed)
        return;
    if (++m_depth > MaxDepth) {
        Fail("too deeply nested: elements nested more than " + std::to_string(MaxDepth) + " levels deep");
        return;
    }
    OnStartElement(name, attributes);
    m_text.clear();
}

void ExpatStreamReader::EndEvent(const Name& name)
{
    if (m_failed)
        return;
    --m_depth;
    OnEndElement(name);
    m_text.clear();
}

long long ExpatStreamReader::ReadAheadEvent(long long at)
{
    if (m_failed)
        return -1;
    const long long end = OnReadAhead(at);
    // As after the end tag of the stretch's last element.
    if (end >= 0)
        m_text.clear();
    return end;
}

void XMLCALL ExpatStreamReader::StartHandler(void* self, const XML_Char* name, const XML_Char** attributes)
{
    static_cast<ExpatStreamReader*>(self)->StartEvent(SplitName(name), attributes);
}

void XMLCALL ExpatStreamReader::EndHandler(void* self, const XML_Char* name)
{
    static_cast<ExpatStreamReader*>(self)->EndEvent(SplitName(name));
}

void XMLCALL ExpatStreamReader::TextHandler(void* self, const XML_Char* text, int length)
{
    static_cast<ExpatStreamReader*>(self)->TextEvent(text, static_cast<size_t>(length));
}

void XMLCALL ExpatStreamReader::NamespaceHandler(void* self, const XML_Char* prefix, const XML_Char* uri)
{
    static_cast<ExpatStreamReader*>(self)->OnNamespaceDeclaration(prefix ? prefix : "", uri ? uri : "");
}

int XMLCALL ExpatStreamReader::UnknownEncodingHandler(void*, const XML_Char* name, XML_Encoding* info)
{
    // Files from Windows programs often declare windows-1252, which expat
    // does not know by itself.
    const QString encoding = QString::fromUtf8(name).toLower();
    if (encoding != QLatin1String("windows-1252") && encoding != QLatin1String("cp1252"))
        return XML_STATUS_ERROR;
    for (int i = 0; i < 256; ++i)
        info->map[i] = i;
    for (int i = 0x80; i < 0xA0; ++i)
        info->map[i] = kCp1252High[i - 0x80] ? kCp1252High[i - 0x80] : -1;
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}
