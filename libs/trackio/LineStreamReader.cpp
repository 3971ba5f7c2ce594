#include "LineStreamReader.h"

#include "ByteScan.h"
#include "LoadContext.h"
#include "ReadChunk.h"

#include <QIODevice>

namespace {

constexpr qint64 kChunkBytes = 1 << 20;

// The first CR or LF at or after from, or size.
size_t FindLineEnd(const char* bytes, size_t from, size_t size)
{
    size_t at = from;
    for (; at + ByteScan::WordBytes <= size; at += ByteScan::WordBytes) {
        const uint64_t word = ByteScan::Load(bytes + at);
        const uint64_t ends = ByteScan::Matches(word, '\n') | ByteScan::Matches(word, '\r');
        if (ends != 0)
            return at + ByteScan::FirstIndex(ends);
    }
    while (at < size && bytes[at] != '\n' && bytes[at] != '\r')
        ++at;
    return at;
}

} // namespace

LineStreamReader::LineStreamReader(QIODevice& device, LoadContext& context)
    : m_device(device)
    , m_context(context)
{
}

LineStreamReader::~LineStreamReader() = default;

bool LineStreamReader::Fill()
{
    if (m_eof)
        return false;
    const qint64 want = ReadChunkBytes(m_device, kChunkBytes);
    QByteArray chunk(want, Qt::Uninitialized);
    const qint64 got = m_device.read(chunk.data(), want);
    if (got < 0) {
        m_context.Fail(QStringLiteral("the file cannot be read: %1").arg(m_device.errorString()));
        m_eof = true;
        return false;
    }
    chunk.truncate(got);
    m_bytesRead += chunk.size();
    if (!m_started) {
        m_started = true;
        if (chunk.startsWith("\xFF\xFE"))
            m_decoder = std::make_unique<QStringDecoder>(QStringDecoder::Utf16LE);
        else if (chunk.startsWith("\xFE\xFF"))
            m_decoder = std::make_unique<QStringDecoder>(QStringDecoder::Utf16BE);
        else if (chunk.startsWith("\xEF\xBB\xBF")) {
            chunk.remove(0, 3);
            m_bufferStart = 3;
        }
        if (m_decoder)
            chunk.remove(0, 2);
    }
    if (m_decoder)
        chunk = QString(m_decoder->decode(chunk)).toUtf8();
    if (m_pos > 0) {
        m_buffer.erase(0, m_pos);
        m_bufferStart += static_cast<qint64>(m_pos);
        m_pos = 0;
    }
    m_buffer.append(chunk.constData(), static_cast<size_t>(chunk.size()));
    if (got == 0)
        m_eof = true;
    if (!m_context.ReportBytes(m_bytesRead)) {
        m_eof = true;
        return false;
    }
    return true;
}

bool LineStreamReader::Next(std::string_view& line)
{
    m_line.clear();
    m_cut = false;
    bool started = false;
    for (;;) {
        if (m_pos >= m_buffer.size() && !Fill()) {
            if (m_context.IsCancelled() || m_context.HasFailed())
                return false;
            if (m_line.empty() && !m_cut)
                return false;
            break; // the last line has no end
        }
        if (m_pos >= m_buffer.size())
            continue;
        if (m_skipLf) {
            m_skipLf = false;
            if (m_buffer[m_pos] == '\n')
                ++m_pos;
            continue;
        }
        if (!started) {
            m_lineStart = m_bufferStart + static_cast<qint64>(m_pos);
            started = true;
        }
        const size_t size = m_buffer.size();
        size_t end = FindLineEnd(m_buffer.data(), m_pos, size);
        const size_t stop = end;
        if (end == size)
            end = std::string::npos;
        if (end != std::string::npos && m_line.empty() && stop - m_pos <= MaxLineBytes) {
            // A whole line in the buffer is handed out where it lies.
            line = std::string_view(m_buffer).substr(m_pos, stop - m_pos);
            m_skipLf = m_buffer[end] == '\r';
            m_pos = stop + 1;
            ++m_lineNumber;
            return true;
        }
        const size_t room = MaxLineBytes > m_line.size() ? MaxLineBytes - m_line.size() : 0;
        const size_t take = std::min(stop - m_pos, room);
        m_line.append(m_buffer, m_pos, take);
        if (take < stop - m_pos)
            m_cut = true;
        m_pos = stop;
        if (end != std::string::npos) {
            m_skipLf = m_buffer[end] == '\r';
            ++m_pos;
            break;
        }
    }
    ++m_lineNumber;
    line = m_line;
    return true;
}
