#pragma once

#include "LineStreamReader.h"
#include "NmeaSentence.h"
#include "TrackLoaderBase.h"

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

    // Counts the line reader read last; a sentence read from it goes to use,
    // which returns whether its fields could not be read.
    template <class Use>
    void CountLine(const LineStreamReader& reader, std::string_view line, NmeaSentence& sentence, Use use)
    {
        ++lines;
        const long long number = reader.GetLineNumber();
        if (reader.WasCut()) {
            CountBad(unreadable, number);
            return;
        }
        switch (sentence.Parse(line)) {
        case NmeaSentence::Result::NoSentence:
            return;
        case NmeaSentence::Result::BadChecksum:
            CountBad(badChecksum, number);
            return;
        case NmeaSentence::Result::Unreadable:
            CountBad(unreadable, number);
            return;
        case NmeaSentence::Result::Ok:
            break;
        }
        if (use(sentence))
            CountBad(unreadable, number);
        else
            ++sentences;
    }

private:
    void CountBad(long long& counter, long long line)
    {
        ++counter;
        if (firstBadLine == 0)
            firstBadLine = line;
    }
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
    // After each line; false when the rest of the log is read otherwise.
    virtual bool OnLineRead(const LineStreamReader& /*reader*/, LoadContext& /*context*/) { return true; }
    void CountPoint() { ++m_stats.points; }
    SentenceStats& Stats() { return m_stats; }

private:
    SentenceStats m_stats;
    bool m_readToEnd = false;
};
