#pragma once

#include "TrackLoaderBase.h"

class NmeaSentence;

// What the last load met in a sentence log, for tests and the command line:
// logs from receivers carry noise, so a bad line is skipped and counted,
// never fatal.
struct SentenceStats
{
    long long lines = 0;
    long long sentences = 0;   // read and used or ignored as of no interest
    long long badChecksum = 0; // a checksum that does not match
    long long unreadable = 0;  // a '$' without sentence, fields that cannot be read, a line too long
    long long firstBadLine = 0;
    long long points = 0;

    long long GetSkipped() const { return badChecksum + unreadable; }
};

// The frame of the loaders of NMEA-style logs: reads the lines, takes the
// sentences apart, checks their checksums and counts what it skips.
class SentenceLoaderBase : public TrackLoaderBase
{
public:
    const SentenceStats& GetStats() const { return m_stats; }
    // When a log read to its end gave no point, says what was in the way.
    QString GetErrorDesc() const override;

protected:
    void OnLoadStarting() override;
    enum class SentenceUse { Ignored, Used, Unreadable };

    // Hands every sentence with a good (or no) checksum to OnSentence.
    // False when cancelled or the device failed.
    bool ReadSentences(QIODevice& device, LoadContext& context);
    virtual SentenceUse OnSentence(const NmeaSentence& sentence) = 0;
    void CountPoint() { ++m_stats.points; }

private:
    void CountBad(long long& counter, long long line);

    SentenceStats m_stats;
    bool m_readToEnd = false;
};
