#include "SentenceLoaderBase.h"


QString SentenceLoaderBase::GetErrorDesc() const
{
    const QString frameError = TrackLoaderBase::GetErrorDesc();
    if (!frameError.isEmpty() || !m_readToEnd || m_stats.points > 0 || m_stats.lines == 0)
        return frameError;
    if (m_stats.GetSkipped() > 0) {
        return QStringLiteral("%1 of %2 lines skipped (%3 with a wrong checksum, %4 unreadable), the first at line %5")
            .arg(m_stats.GetSkipped())
            .arg(m_stats.lines)
            .arg(m_stats.badChecksum)
            .arg(m_stats.unreadable)
            .arg(m_stats.firstBadLine);
    }
    return QStringLiteral("no sentence with a track point (%1 read)").arg(m_stats.sentences);
}

void SentenceLoaderBase::OnLoadStarting()
{
    m_stats = SentenceStats();
    m_readToEnd = false;
}

bool SentenceLoaderBase::ReadSentences(QIODevice& device, LoadContext& context)
{
    LineStreamReader reader(device, context);
    NmeaSentence sentence;
    std::string_view line;
    while (reader.Next(line)) {
        m_stats.CountLine(reader, line, sentence, [this](const NmeaSentence& read) {
            return OnSentence(read) == SentenceUse::Unreadable;
        });
        if (!OnLineRead(reader, context))
            break;
    }
    m_readToEnd = !context.IsCancelled() && !context.HasFailed();
    return m_readToEnd;
}
