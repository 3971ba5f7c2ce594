#pragma once

#include <QStringDecoder>

#include <memory>
#include <string>
#include <string_view>

class LoadContext;
class QIODevice;

// Reads a text file line by line in pieces, for the line-based formats.
// Lines end in LF, CR LF or CR. A UTF-16 file (with its byte-order mark) is
// read as UTF-8. A line longer than MaxLineBytes is cut there and flagged, so
// a binary or broken file cannot make the reader hold it whole.
class LineStreamReader
{
public:
    static constexpr size_t MaxLineBytes = 64 * 1024;

    LineStreamReader(QIODevice& device, LoadContext& context);
    ~LineStreamReader();

    // The next line without its end, valid until the next call. False at
    // the end of the file, on a read error (context failed) or on cancel.
    bool Next(std::string_view& line);
    // 1-based number of the line Next returned last.
    long long GetLineNumber() const { return m_lineNumber; }
    // Whether the last line was longer than MaxLineBytes (and cut).
    bool WasCut() const { return m_cut; }
    // Where in the file the last line starts; meaningless when IsDecoding.
    qint64 GetLineOffset() const { return m_lineStart; }
    // Whether the file is UTF-16, read through a decoder.
    bool IsDecoding() const { return m_decoder != nullptr; }
    // The device is at offset, a line start in the middle of a file: no
    // byte-order mark is looked for, and offsets count from there.
    void StartMidFile(qint64 offset)
    {
        m_started = true;
        m_bufferStart = offset;
    }

private:
    bool Fill();

    QIODevice& m_device;
    LoadContext& m_context;
    std::string m_buffer;
    size_t m_pos = 0;
    bool m_eof = false;
    bool m_started = false;
    bool m_skipLf = false;
    bool m_cut = false;
    long long m_lineNumber = 0;
    qint64 m_bufferStart = 0; // the file offset of m_buffer's first byte
    qint64 m_lineStart = 0;
    qint64 m_bytesRead = 0;
    std::string m_line;
    std::unique_ptr<QStringDecoder> m_decoder;
};
