#pragma once

#include "FixDateResolver.h"
#include "NmeaFixAssembler.h"
#include "SentenceLoaderBase.h"

#include <optional>

class TrackData;

// NMEA 0183 logs from any talker (GP, GN, GL, GA, BD, ...): RMC, GGA, GLL,
// GSA, VTG and ZDA. The sentences of one fix make one point (see
// NmeaFixAssembler); dates come from RMC and ZDA (see FixDateResolver); a
// fix the receiver marked void stays a point, filtered as "No GPS". A log
// has no structure of its own, so the file holds one segment: gaps and
// jumps are for the user's restructuring to split.
class NmeaLoader : public SentenceLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileNmea; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;
    SentenceUse OnSentence(const NmeaSentence& sentence) override;

private:
    void AddFix(const NmeaFix& fix);

    NmeaFixAssembler m_assembler;
    TrackData* m_points = nullptr;
    std::optional<FixDateResolver> m_dates;
};
