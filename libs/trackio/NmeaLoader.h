#pragma once

#include "FixDateResolver.h"
#include "NmeaFixAssembler.h"
#include "NmeaLogTail.h"
#include "PagePrefault.h"
#include "SecondReader.h"
#include "SentenceLoaderBase.h"

#include <memory>
#include <optional>

class TrackData;

// NMEA 0183 logs from any talker (GP, GN, GL, GA, BD, ...): RMC, GGA, GLL,
// GSA, VTG and ZDA. The sentences of one fix make one point (see
// NmeaFixAssembler); dates come from RMC and ZDA (see FixDateResolver); a
// fix the receiver marked void stays a point, filtered as "No GPS". A log
// has no structure of its own, so the file holds one segment: gaps and
// jumps are for the user's restructuring to split.
//
// A long log is read on two cores: a second thread reads its tail (see
// NmeaLogTail), which this loader takes where the two meet.
class NmeaLoader : public SentenceLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileNmea; }

    // Logs of fromBytes or more have the part after share of their size
    // read on a second thread.
    void SetTailReading(qint64 fromBytes, double share)
    {
        m_tailFromBytes = fromBytes;
        m_tailShare = share;
    }
    // Whether the last load took its tail from the second thread.
    bool TookTail() const { return m_tookTail; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;
    SentenceUse OnSentence(const NmeaSentence& sentence) override;
    bool OnLineRead(const LineStreamReader& reader, LoadContext& context) override;

private:
    void AddFix(const NmeaFix& fix);
    // Where the states meet after line of the tail: its fixes and counts
    // from there on become this loader's.
    void TakeTail(const NmeaLogTail::State& meeting, size_t line);

    NmeaFixAssembler m_assembler;
    TrackData* m_points = nullptr;
    std::optional<FixDateResolver> m_dates;
    // Page faults one by one cost far more than mapping the block at once.
    PagePrefault m_prefault;

    // The share was found best by measuring (0.48 to 0.6).
    qint64 m_tailFromBytes = SecondThreadFromBytes();
    double m_tailShare = 0.56;
    std::unique_ptr<NmeaLogTail> m_tail;
    size_t m_tailLine = 0;          // the tail's lines this loader has read too
    long long m_tailLineNumber = 0; // this loader's number of the tail's first line
    bool m_tookTail = false;
};
