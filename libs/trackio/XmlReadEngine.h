#pragma once

#include "FastXmlScanner.h"
#include "LoadContext.h"
#include "SecondReader.h"

#include <QIODevice>

#include <optional>

// Which XML reader reads a file: the fast scanner where it can, expat where
// it declines, and expat alone when the fast one is switched off (to compare
// the two).
class XmlReadEngine
{
public:
    enum class Used { None, Fast, Expat };

    void SetFastAllowed(bool allowed) { m_fastAllowed = allowed; }
    // How much the fast scanner reads at a time.
    void SetChunkBytes(size_t bytes) { m_chunkBytes = bytes; }
    // Files of fromBytes or more have stretches of stretchBytes read ahead
    // on a second thread, where the reader can use them (GPX).
    void SetReadAhead(long long stretchBytes, qint64 fromBytes)
    {
        m_readAheadBytes = stretchBytes;
        m_readAheadFrom = fromBytes;
    }
    // Which one read the last file to its end or its failure.
    Used LastUsed() const { return m_used; }
    // How many of the last file's points were read ahead.
    long long PointsReadAhead() const { return m_pointsReadAhead; }

    // Reads the device with a Reader (an ExpatStreamReader) made for context.
    template <class Reader>
    bool Read(QIODevice& device, LoadContext& context)
    {
        return Read<Reader>(device, context, [](const Reader&) {});
    }
    // The same, handing the reader that read the file to finished.
    template <class Reader, class Finished>
    bool Read(QIODevice& device, LoadContext& context, Finished finished)
    {
        m_used = Used::None;
        m_pointsReadAhead = 0;
        if (m_fastAllowed && !device.isSequential() && context.CanDiscardContent()) {
            const qint64 start = device.pos();
            std::optional<bool> read;
            {
                Reader reader(context);
                const bool ahead = device.size() - start >= m_readAheadFrom;
                read = reader.ParseFast(device, m_chunkBytes, ahead ? m_readAheadBytes : 0);
                m_pointsReadAhead = reader.GetPointsReadAhead();
                if (read)
                    finished(reader);
            }
            if (read) {
                m_used = Used::Fast;
                return *read;
            }
            context.DiscardContent();
            if (!device.seek(start)) {
                context.Fail(QStringLiteral("the file cannot be read again: %1").arg(device.errorString()));
                return false;
            }
        }
        m_used = Used::Expat;
        Reader reader(context);
        const bool read = reader.Parse(device);
        finished(reader);
        return read;
    }

private:
    bool m_fastAllowed = true;
    size_t m_chunkBytes = FastXmlScanner::DefaultChunkBytes;
    // A stretch is big enough to make handing it over rare; each one's
    // points wait in memory until the reader takes them, so not bigger.
    long long m_readAheadBytes = 1 << 18;
    qint64 m_readAheadFrom = SecondThreadFromBytes();
    Used m_used = Used::None;
    long long m_pointsReadAhead = 0;
};
