#include "FastXmlScanner.h"

#include "ExpatStreamReader.h"
#include "LoadContext.h"
#include "ReadChunk.h"
#include "XmlReadAhead.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Longer references (zero-padded ones) are left to expat.
constexpr size_t kLongestReference = 12;
// More attributes than this on one element are left to expat, which checks
// them for repeats in better than quadratic time.
constexpr size_t kMostAttributes = 64;
constexpr std::string_view kXmlUri = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kXmlnsUri = "http://www.w3.org/2000/xmlns/";
constexpr char kNameSeparator = '\x01';

// Bytes that stand for themselves in text or in an attribute value.
constexpr std::array<bool, 256> PlainBytes(std::string_view special)
{
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c)
        plain[c] = special.find(static_cast<char>(c)) == std::string_view::npos;
    return plain;
}

constexpr std::array<bool, 256> kPlainText = [] {
    std::array<bool, 256> plain = PlainBytes("<&]");
    plain['\t'] = plain['\n'] = true;
    return plain;
}();
constexpr std::array<bool, 256> kPlainValue = PlainBytes("<&\"'");

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// ASCII names only: the rest of XML's name characters are left to expat.
constexpr std::array<bool, 256> NameBytes(bool start)
{
    std::array<bool, 256> name{};
    for (int c = 'a'; c <= 'z'; ++c)
        name[c] = name[c - 'a' + 'A'] = true;
    name['_'] = true;
    if (!start) {
        for (int c = '0'; c <= '9'; ++c)
            name[c] = true;
        name['.'] = name['-'] = true;
    }
    return name;
}

constexpr std::array<bool, 256> kNameStart = NameBytes(true);
constexpr std::array<bool, 256> kNameChar = NameBytes(false);

bool IsNameStart(char c)
{
    return kNameStart[static_cast<unsigned char>(c)];
}

bool IsNameChar(char c)
{
    return kNameChar[static_cast<unsigned char>(c)];
}

bool IsXmlChar(unsigned long c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendUtf8(unsigned long c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point of a character reference's digits, 0 when they are not one.
unsigned long ReferencedChar(std::string_view digits)
{
    int base = 10;
    if (!digits.empty() && digits.front() == 'x') {
        base = 16;
        digits.remove_prefix(1);
    }
    if (digits.empty())
        return 0;
    unsigned long value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return 0;
        value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
    }
    return IsXmlChar(value) ? value : 0;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + ('a' - 'A') : x) == (y >= 'A' && y <= 'Z' ? y + ('a' - 'A') : y);
           });
}

std::string_view PrefixOf(std::string_view qname, size_t prefixLength)
{
    return qname.substr(0, prefixLength);
}

std::string_view LocalOf(std::string_view qname, size_t prefixLength)
{
    return prefixLength == 0 ? qname : qname.substr(prefixLength + 1);
}

// Line breaks as expat counts them: a CR, a CR LF pair or a lone LF is one.
long long CountBreaks(const char* bytes, size_t size, bool& crBefore)
{
    long long breaks = 0;
    for (size_t i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c == '\r' || (c == '\n' && !crBefore))
            ++breaks;
        crBefore = c == '\r';
    }
    return breaks;
}

} // namespace

FastXmlScanner::FastXmlScanner(ExpatStreamReader& reader, QIODevice& device, LoadContext& context,
                               size_t chunkBytes, XmlReadAhead* ahead)
    : m_reader(reader)
    , m_device(device)
    , m_context(context)
    , m_chunkBytes(std::max<size_t>(1, chunkBytes))
    , m_ahead(ahead)
{
}

FastXmlScanner::Outcome FastXmlScanner::Run()
{
    if (m_device.isSequential())
        return Outcome::Declined;
    m_start = m_device.pos();
    Step step = Refill(0);
    if (step == Step::Done)
        step = ReadProlog();
    if (step == Step::Done)
        step = ReadContent();
    switch (step) {
    case Step::Done:
        return Outcome::Finished;
    case Step::Stop:
        return Outcome::Stopped;
    case Step::More:
    case Step::Decline:
        break;
    }
    return Outcome::Declined;
}

long long FastXmlScanner::CurrentLine() const
{
    // Only a reader's failure asks, so the bytes already let go are read
    // again rather than counted all along.
    long long breaks = 0;
    bool crBefore = false;
    const qint64 resume = m_device.pos();
    if (m_base > 0 && m_device.seek(m_start)) {
        std::vector<char> piece(DefaultChunkBytes);
        long long left = m_base;
        while (left > 0) {
            const qint64 got = m_device.read(piece.data(), std::min<long long>(left, DefaultChunkBytes));
            if (got <= 0)
                break;
            breaks += CountBreaks(piece.data(), static_cast<size_t>(got), crBefore);
            left -= got;
        }
    }
    m_device.seek(resume);
    return 1 + breaks + CountBreaks(m_buffer.data(), m_event, crBefore);
}

long long FastXmlScanner::CurrentByteIndex() const
{
    return m_base + static_cast<long long>(m_event);
}

FastXmlScanner::Step FastXmlScanner::Refill(size_t keepFrom)
{
    keepFrom = std::min(keepFrom, m_pinned);
    if (keepFrom > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + keepFrom, m_size - keepFrom);
        m_size -= keepFrom;
        m_pos -= keepFrom;
        m_event = m_event >= keepFrom ? m_event - keepFrom : 0;
        if (m_pinned != kNotPinned)
            m_pinned -= keepFrom;
        m_base += static_cast<long long>(keepFrom);
    }
    // No more than the file holds: a small file gets a small buffer.
    const qint64 want = ReadChunkBytes(m_device, static_cast<qint64>(m_chunkBytes));
    if (m_buffer.size() - m_size < static_cast<size_t>(want) + 1)
        m_buffer.resize(m_size + static_cast<size_t>(want) + 1);
    const qint64 got = m_device.read(m_buffer.data() + m_size, want);
    if (got < 0)
        return Step::Decline;
    m_end = got == 0;
    m_size += static_cast<size_t>(got);
    m_buffer[m_size] = '\0';
    return m_context.ReportBytes(m_base + static_cast<long long>(m_size)) ? Step::Done : Step::Stop;
}

template <class Piece>
FastXmlScanner::Step FastXmlScanner::Complete(Piece piece)
{
    for (;;) {
        const Step step = piece();
        if (step != Step::More)
            return step;
        if (m_end)
            return Step::Decline;
        const Step refilled = Refill(m_pos);
        if (refilled != Step::Done)
            return refilled;
    }
}

FastXmlScanner::Step FastXmlScanner::ReadProlog()
{
    Step step = Complete([this] { return ReadDeclaration(); });
    bool atElement = false;
    while (step == Step::Done && !atElement) {
        if (m_pos == m_size) {
            if (m_end)
                return Step::Decline;
            step = Refill(m_pos);
            continue;
        }
        step = Complete([this, &atElement] { return ReadMisc(atElement); });
    }
    return step == Step::Done ? Complete([this] { return ReadStartTag(); }) : step;
}

FastXmlScanner::Step FastXmlScanner::ReadDeclaration()
{
    size_t at = 0;
    if (m_size < 3 && !m_end)
        return Step::More;
    if (m_size >= 3 && std::memcmp(m_buffer.data(), "\xEF\xBB\xBF", 3) == 0)
        at = 3;
    const auto next = [&](std::string_view text) {
        if (m_size - at < text.size())
            return Step::More;
        if (std::memcmp(m_buffer.data() + at, text.data(), text.size()) != 0)
            return Step::Decline;
        at += text.size();
        return Step::Done;
    };
    const auto spaces = [&] {
        const size_t first = at;
        while (IsSpace(m_buffer[at]))
            ++at;
        return at - first;
    };
    // name = "value" with either quote; the value's view is in value.
    std::string_view value;
    const auto pseudoAttribute = [&](std::string_view name) {
        Step step = next(name);
        if (step != Step::Done)
            return step;
        spaces();
        if ((step = next("=")) != Step::Done)
            return step;
        spaces();
        if (at >= m_size)
            return Step::More;
        const char quote = m_buffer[at];
        if (quote != '"' && quote != '\'')
            return Step::Decline;
        const size_t first = ++at;
        while (at < m_size && m_buffer[at] != quote && at - first < 64)
            ++at;
        if (at >= m_size)
            return Step::More;
        if (m_buffer[at] != quote)
            return Step::Decline;
        value = std::string_view(m_buffer.data() + first, at - first);
        ++at;
        return Step::Done;
    };
    if (m_size - at < 6) {
        if (!m_end)
            return Step::More;
        m_pos = at;
        return Step::Done;
    }
    if (std::memcmp(m_buffer.data() + at, "<?xml", 5) != 0 || !IsSpace(m_buffer[at + 5])) {
        m_pos = at;
        return Step::Done;
    }
    at += 5;
    spaces();
    Step step = pseudoAttribute("version");
    if (step != Step::Done || value != "1.0")
        return step == Step::Done ? Step::Decline : step;
    for (const std::string_view name : {std::string_view("encoding"), std::string_view("standalone")}) {
        const size_t before = at;
        if (spaces() == 0 || at >= m_size || m_buffer[at] != name.front()) {
            at = before;
            continue;
        }
        if ((step = pseudoAttribute(name)) != Step::Done)
            return step;
        const bool known = name == "encoding" ? EqualsIgnoringCase(value, "UTF-8") : value == "yes" || value == "no";
        if (!known)
            return Step::Decline;
    }
    spaces();
    if ((step = next("?>")) != Step::Done)
        return step;
    m_pos = at;
    return Step::Done;
}

FastXmlScanner::Step FastXmlScanner::ReadMisc(bool& atElement)
{
    const char c = m_buffer[m_pos];
    if (IsSpace(c)) {
        SkipSpaces(m_pos);
        return Step::Done;
    }
    if (c != '<')
        return Step::Decline;
    if (m_size - m_pos < 4)
        return Step::More;
    if (std::memcmp(m_buffer.data() + m_pos, "<!--", 4) == 0)
        return ReadComment();
    if (m_buffer[m_pos + 1] == '!' || m_buffer[m_pos + 1] == '?')
        return Step::Decline;
    atElement = true;
    return Step::Done;
}

FastXmlScanner::Step FastXmlScanner::ReadComment()
{
    size_t at = m_pos + 4;
    for (;;) {
        if (m_size - at < 3)
            return Step::More;
        const unsigned char c = static_cast<unsigned char>(m_buffer[at]);
        if (c == '-' && m_buffer[at + 1] == '-') {
            if (m_buffer[at + 2] != '>')
                return Step::Decline;
            m_pos = at + 3;
            return Step::Done;
        }
        if (c >= 0x80) {
            const Step step = ReadUtf8(at);
            if (step != Step::Done)
                return step;
        } else if (c < 0x20 && !IsSpace(static_cast<char>(c))) {
            return Step::Decline;
        } else {
            ++at;
        }
    }
}

FastXmlScanner::Step FastXmlScanner::ReadContent()
{
    while (m_depth > 0) {
        if (m_pos == m_size) {
            if (m_end)
                return Step::Decline;
            const Step step = Refill(m_pos);
            if (step != Step::Done)
                return step;
            continue;
        }
        if (m_ahead && m_base + static_cast<long long>(m_pos) >= m_aheadAt) {
            const Step step = OfferReadAhead();
            if (step != Step::Done)
                return step;
            continue;
        }
        Step step = Step::Done;
        switch (m_buffer[m_pos]) {
        case '<':
            step = Complete([this] { return ReadMarkup(); });
            break;
        case '&':
            step = Complete([this] {
                size_t at = m_pos;
                m_reference.clear();
                const Step read = ReadReference(at, m_reference);
                if (read == Step::Done) {
                    m_reader.TextEvent(m_reference.data(), m_reference.size());
                    m_pos = at;
                }
                return read;
            });
            break;
        default:
            step = Complete([this] { return ReadText(); });
            break;
        }
        if (step != Step::Done)
            return step;
    }
    return Step::Done;
}

FastXmlScanner::Step FastXmlScanner::OfferReadAhead()
{
    long long here = m_base + static_cast<long long>(m_pos);
    if (here == m_aheadAt && m_buffer[m_pos] == '<') {
        m_event = m_pos;
        const long long end = m_reader.ReadAheadEvent(here);
        if (m_reader.HasFailed())
            return Step::Stop;
        if (end > here) {
            const Step step = SkipTo(end);
            if (step != Step::Done)
                return step;
            here = end;
        }
    }
    // Past it by one at least, so that a stretch not taken is not offered again.
    m_aheadAt = m_ahead->NextStart(here == m_aheadAt ? here + 1 : here);
    return Step::Done;
}

FastXmlScanner::Step FastXmlScanner::SkipTo(long long offset)
{
    const long long inBuffer = offset - m_base;
    if (inBuffer <= static_cast<long long>(m_size)) {
        m_pos = static_cast<size_t>(inBuffer);
        return Step::Done;
    }
    if (!m_device.seek(m_start + offset))
        return Step::Decline;
    m_base = offset;
    m_size = m_pos = m_event = 0;
    m_end = false;
    return Refill(0);
}

FastXmlScanner::Step FastXmlScanner::ReadMarkup()
{
    if (m_size - m_pos < 2)
        return Step::More;
    switch (m_buffer[m_pos + 1]) {
    case '/':
        return ReadEndTag();
    case '!': {
        const std::string_view comment = "<!--";
        const std::string_view cdata = "<![CDATA[";
        const std::string_view start(m_buffer.data() + m_pos, std::min(m_size - m_pos, cdata.size()));
        if (start.substr(0, comment.size()) == comment)
            return ReadComment();
        if (start == cdata)
            return ReadCData();
        const bool maybe = comment.substr(0, start.size()) == start || cdata.substr(0, start.size()) == start;
        return maybe ? Step::More : Step::Decline;
    }
    case '?':
        return Step::Decline;
    default:
        return ReadStartTag();
    }
}

FastXmlScanner::Step FastXmlScanner::ReadCData()
{
    size_t at = m_pos + 9;
    size_t run = at;
    m_cdata.clear();
    for (;;) {
        if (m_size - at < 3)
            return Step::More;
        const unsigned char c = static_cast<unsigned char>(m_buffer[at]);
        if (c == ']' && m_buffer[at + 1] == ']' && m_buffer[at + 2] == '>') {
            m_cdata.append(m_buffer.data() + run, at - run);
            m_reader.TextEvent(m_cdata.data(), m_cdata.size());
            m_pos = at + 3;
            return Step::Done;
        }
        if (kPlainText[c] || c == '<' || c == '&' || c == ']') {
            ++at;
        } else if (c >= 0x80) {
            const Step step = ReadUtf8(at);
            if (step != Step::Done)
                return step;
        } else if (c == '\r') {
            m_cdata.append(m_buffer.data() + run, at - run);
            m_cdata += '\n';
            at += m_buffer[at + 1] == '\n' ? 2 : 1;
            run = at;
        } else {
            return Step::Decline;
        }
    }
}

FastXmlScanner::Step FastXmlScanner::ReadText()
{
    size_t at = m_pos;
    size_t run = at;
    const auto flush = [&] {
        if (at > run)
            m_reader.TextEvent(m_buffer.data() + run, at - run);
        m_pos = at;
    };
    for (;;) {
        const unsigned char c = static_cast<unsigned char>(m_buffer[at]);
        if (kPlainText[c]) {
            ++at;
            continue;
        }
        if (at >= m_size || c == '<' || c == '&')
            break;
        Step step = Step::Done;
        if (c >= 0x80) {
            step = ReadUtf8(at);
        } else if (c == ']') {
            if (m_size - at < 3)
                step = Step::More;
            else if (m_buffer[at + 1] == ']' && m_buffer[at + 2] == '>')
                step = Step::Decline;
            else
                ++at;
        } else if (c == '\r') {
            // Expat hands a CR LF pair or a lone CR on as one LF.
            flush();
            if (m_size - at < 2)
                return Step::More;
            m_reader.TextEvent("\n", 1);
            at += m_buffer[at + 1] == '\n' ? 2 : 1;
            run = at;
        } else {
            step = Step::Decline;
        }
        if (step != Step::Done) {
            flush();
            return step;
        }
    }
    flush();
    return Step::Done;
}

FastXmlScanner::Step FastXmlScanner::ReadReference(size_t& at, std::string& out) const
{
    size_t end = at + 1;
    while (end < m_size && end - at < kLongestReference && m_buffer[end] != ';')
        ++end;
    if (end >= m_size)
        return Step::More;
    if (m_buffer[end] != ';')
        return Step::Decline;
    const std::string_view name(m_buffer.data() + at + 1, end - at - 1);
    if (name == "lt") {
        out += '<';
    } else if (name == "gt") {
        out += '>';
    } else if (name == "amp") {
        out += '&';
    } else if (name == "quot") {
        out += '"';
    } else if (name == "apos") {
        out += '\'';
    } else if (!name.empty() && name.front() == '#') {
        const unsigned long c = ReferencedChar(name.substr(1));
        if (c == 0)
            return Step::Decline;
        AppendUtf8(c, out);
    } else {
        return Step::Decline;
    }
    at = end + 1;
    return Step::Done;
}

FastXmlScanner::Step FastXmlScanner::ReadUtf8(size_t& at) const
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(m_buffer[at + i]); };
    const unsigned char first = byte(0);
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        if (first == 0xE0)
            low = 0xA0;
        else if (first == 0xED) // no surrogates
            high = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        if (first == 0xF0)
            low = 0x90;
        else if (first == 0xF4)
            high = 0x8F;
    } else {
        return Step::Decline;
    }
    if (m_size - at < length)
        return Step::More;
    if (byte(1) < low || byte(1) > high)
        return Step::Decline;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return Step::Decline;
    }
    // U+FFFE and U+FFFF are not characters.
    if (first == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE)
        return Step::Decline;
    at += length;
    return Step::Done;
}

FastXmlScanner::Step FastXmlScanner::ReadName(size_t& at, size_t& prefixLength) const
{
    const size_t first = at;
    prefixLength = 0;
    if (at >= m_size)
        return Step::More;
    if (!IsNameStart(m_buffer[at]))
        return Step::Decline;
    for (++at;; ++at) {
        const char c = m_buffer[at];
        if (IsNameChar(c))
            continue;
        if (at >= m_size)
            return Step::More;
        if (c != ':')
            return Step::Done;
        if (prefixLength != 0)
            return Step::Decline;
        prefixLength = at - first;
        if (at + 1 >= m_size)
            return Step::More;
        if (!IsNameStart(m_buffer[at + 1]))
            return Step::Decline;
    }
}

FastXmlScanner::Step FastXmlScanner::ReadAttributeValue(size_t& at)
{
    const char quote = m_buffer[at];
    size_t run = ++at;
    for (;;) {
        const unsigned char c = static_cast<unsigned char>(m_buffer[at]);
        if (kPlainValue[c]) {
            ++at;
            continue;
        }
        if (at >= m_size)
            return Step::More;
        if (c == static_cast<unsigned char>(quote)) {
            m_attributeText.append(m_buffer.data() + run, at - run);
            ++at;
            return Step::Done;
        }
        if (c == '"' || c == '\'') {
            ++at;
            continue;
        }
        if (c >= 0x80) {
            const Step step = ReadUtf8(at);
            if (step != Step::Done)
                return step;
            continue;
        }
        m_attributeText.append(m_buffer.data() + run, at - run);
        if (c == '&') {
            const Step step = ReadReference(at, m_attributeText);
            if (step != Step::Done)
                return step;
        } else if (c == '\t' || c == '\n') {
            m_attributeText += ' ';
            ++at;
        } else if (c == '\r') {
            if (m_size - at < 2)
                return Step::More;
            m_attributeText += ' ';
            at += m_buffer[at + 1] == '\n' ? 2 : 1;
        } else {
            return Step::Decline; // "<" or a control character
        }
        run = at;
    }
}

FastXmlScanner::Step FastXmlScanner::ReadStartTag()
{
    size_t at = m_pos + 1;
    const size_t nameStart = at;
    size_t prefixLength = 0;
    Step step = ReadName(at, prefixLength);
    if (step != Step::Done)
        return step;
    const size_t nameLength = at - nameStart;
    m_attributes.clear();
    m_attributeText.clear();
    bool empty = false;
    for (;;) {
        const size_t before = at;
        if (!SkipSpaces(at))
            return Step::More;
        const char c = m_buffer[at];
        if (c == '>') {
            ++at;
            break;
        }
        if (c == '/') {
            if (at + 1 >= m_size)
                return Step::More;
            if (m_buffer[at + 1] != '>')
                return Step::Decline;
            at += 2;
            empty = true;
            break;
        }
        if (at == before || m_attributes.size() == kMostAttributes)
            return Step::Decline;
        Attribute attribute;
        const size_t attributeStart = at;
        if ((step = ReadName(at, attribute.prefixLength)) != Step::Done)
            return step;
        attribute.nameOffset = m_attributeText.size();
        attribute.nameLength = at - attributeStart;
        m_attributeText.append(m_buffer.data() + attributeStart, attribute.nameLength);
        m_attributeText += '\0';
        if (!SkipSpaces(at))
            return Step::More;
        if (m_buffer[at++] != '=')
            return Step::Decline;
        if (!SkipSpaces(at))
            return Step::More;
        if (m_buffer[at] != '"' && m_buffer[at] != '\'')
            return Step::Decline;
        attribute.valueOffset = m_attributeText.size();
        if ((step = ReadAttributeValue(at)) != Step::Done)
            return step;
        attribute.valueLength = m_attributeText.size() - attribute.valueOffset;
        m_attributeText += '\0';
        m_attributes.push_back(attribute);
    }
    m_event = m_pos;
    m_pos = at;
    return ReportStart(std::string_view(m_buffer.data() + nameStart, nameLength), prefixLength, empty);
}

FastXmlScanner::Step FastXmlScanner::ReadEndTag()
{
    size_t at = m_pos + 2;
    const size_t nameStart = at;
    size_t prefixLength = 0;
    Step step = ReadName(at, prefixLength);
    if (step != Step::Done)
        return step;
    const std::string_view name(m_buffer.data() + nameStart, at - nameStart);
    if (!SkipSpaces(at))
        return Step::More;
    if (m_buffer[at] != '>' || name != std::string_view(m_open[m_depth - 1].qname))
        return Step::Decline;
    m_event = m_pos;
    m_pos = at + 1;
    return ReportEnd();
}

FastXmlScanner::Step FastXmlScanner::ReadEpilog()
{
    for (;;) {
        if (m_pos == m_size) {
            if (m_end)
                return Step::Done;
            const Step step = Refill(m_pos);
            if (step != Step::Done)
                return step;
            continue;
        }
        bool atElement = false;
        const Step step = Complete([this, &atElement] { return ReadMisc(atElement); });
        if (step != Step::Done)
            return step;
        if (atElement) // a second root
            return Step::Decline;
    }
}

FastXmlScanner::Step FastXmlScanner::ReportStart(std::string_view qname, size_t prefixLength, bool empty)
{
    const std::string_view prefix = PrefixOf(qname, prefixLength);
    if (prefix == "xml" || prefix == "xmlns")
        return Step::Decline;
    if (m_depth == m_open.size())
        m_open.emplace_back();
    OpenElement& open = m_open[m_depth];
    open.qname.assign(qname);
    open.prefixLength = prefixLength;
    open.bindingsBefore = m_bindings.size();

    // Declarations first: they bind the element's own name too.
    bool plain = true; // no declaration, no prefixed attribute
    for (Attribute& attribute : m_attributes) {
        const std::string_view name = AttributeName(attribute);
        if (attribute.prefixLength == 0 && name != "xmlns")
            continue;
        plain = false;
        const std::string_view attributePrefix = PrefixOf(name, attribute.prefixLength);
        if (attributePrefix == "xml")
            return Step::Decline;
        if (attributePrefix != "xmlns" && name != "xmlns")
            continue;
        const std::string_view uri = AttributeValue(attribute);
        const std::string_view declared = attributePrefix.empty() ? std::string_view() : LocalOf(name, 5);
        if (declared == "xml" || declared == "xmlns" || uri == kXmlUri || uri == kXmlnsUri ||
            (!declared.empty() && uri.empty()))
            return Step::Decline;
        m_bindings.push_back({std::string(declared), std::string(uri)});
        attribute.declares = true;
    }
    if (m_bindings.size() != open.bindingsBefore)
        FindDefaultBinding();
    for (size_t i = 0; i < m_attributes.size(); ++i) {
        const Attribute& a = m_attributes[i];
        for (size_t j = i + 1; j < m_attributes.size(); ++j) {
            const Attribute& b = m_attributes[j];
            if (LocalOf(AttributeName(a), a.prefixLength) == LocalOf(AttributeName(b), b.prefixLength))
                return Step::Decline;
        }
    }
    open.binding = prefix.empty() ? m_defaultBinding : FindBinding(prefix);
    if (open.binding < 0 && !prefix.empty())
        return Step::Decline;

    m_attributeList.clear();
    if (plain) {
        for (const Attribute& attribute : m_attributes) {
            m_attributeList.push_back(m_attributeText.data() + attribute.nameOffset);
            m_attributeList.push_back(m_attributeText.data() + attribute.valueOffset);
        }
    } else if (!ExpandAttributes()) {
        return Step::Decline;
    }
    m_attributeList.push_back(nullptr);

    for (size_t b = open.bindingsBefore; b < m_bindings.size(); ++b)
        m_reader.OnNamespaceDeclaration(m_bindings[b].prefix, m_bindings[b].uri);
    ++m_depth;
    m_reader.StartEvent(NameOf(open), m_attributeList.data());
    if (m_reader.HasFailed())
        return Step::Stop;
    return empty ? ReportEnd() : Step::Done;
}

bool FastXmlScanner::ExpandAttributes()
{
    // As expat hands them: a namespaced name as "uri\1local\1prefix", each
    // name and value ending in a 0.
    m_expanded.clear();
    m_offsets.clear();
    for (const Attribute& attribute : m_attributes) {
        if (attribute.declares)
            continue;
        const std::string_view name = AttributeName(attribute);
        m_offsets.push_back(m_expanded.size());
        if (attribute.prefixLength == 0) {
            m_expanded.append(name);
        } else {
            const int binding = FindBinding(PrefixOf(name, attribute.prefixLength));
            if (binding < 0)
                return false;
            m_expanded.append(m_bindings[static_cast<size_t>(binding)].uri);
            m_expanded += kNameSeparator;
            m_expanded.append(LocalOf(name, attribute.prefixLength));
            m_expanded += kNameSeparator;
            m_expanded.append(PrefixOf(name, attribute.prefixLength));
        }
        m_expanded += '\0';
        m_offsets.push_back(m_expanded.size());
        m_expanded.append(AttributeValue(attribute));
        m_expanded += '\0';
    }
    for (const size_t offset : m_offsets)
        m_attributeList.push_back(m_expanded.data() + offset);
    return true;
}

FastXmlScanner::Step FastXmlScanner::ReportEnd()
{
    if (m_depth == 1) {
        // The reader finishes its document at the root's end, so whatever
        // follows must be known to be sound first.
        m_pinned = m_event;
        const Step step = ReadEpilog();
        m_pinned = kNotPinned;
        if (step != Step::Done)
            return step;
    }
    const OpenElement& element = m_open[m_depth - 1];
    m_reader.EndEvent(NameOf(element));
    if (m_bindings.size() != element.bindingsBefore) {
        m_bindings.resize(element.bindingsBefore);
        FindDefaultBinding();
    }
    --m_depth;
    return m_reader.HasFailed() ? Step::Stop : Step::Done;
}

ExpatStreamReader::Name FastXmlScanner::NameOf(const OpenElement& element) const
{
    ExpatStreamReader::Name name;
    name.local = LocalOf(element.qname, element.prefixLength);
    name.prefix = PrefixOf(element.qname, element.prefixLength);
    if (element.binding >= 0)
        name.uri = m_bindings[static_cast<size_t>(element.binding)].uri;
    return name;
}

bool FastXmlScanner::SkipSpaces(size_t& at) const
{
    // The 0 after the bytes held stops the loop.
    while (IsSpace(m_buffer[at]))
        ++at;
    return at < m_size;
}

int FastXmlScanner::FindBinding(std::string_view prefix) const
{
    for (size_t i = m_bindings.size(); i-- > 0;) {
        if (m_bindings[i].prefix == prefix)
            return static_cast<int>(i);
    }
    return -1;
}

void FastXmlScanner::FindDefaultBinding()
{
    m_defaultBinding = FindBinding({});
    // xmlns="" takes the default namespace away.
    if (m_defaultBinding >= 0 && m_bindings[static_cast<size_t>(m_defaultBinding)].uri.empty())
        m_defaultBinding = -1;
}

std::string_view FastXmlScanner::AttributeName(const Attribute& attribute) const
{
    return {m_attributeText.data() + attribute.nameOffset, attribute.nameLength};
}

std::string_view FastXmlScanner::AttributeValue(const Attribute& attribute) const
{
    return {m_attributeText.data() + attribute.valueOffset, attribute.valueLength};
}
