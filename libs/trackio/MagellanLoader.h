#pragma once

#include "FixDateResolver.h"
#include "SentenceLoaderBase.h"

#include <optional>

class TrackData;

// Track logs of Magellan SD and eXplorist receivers: one
// "$PMGNTRK,llll.ll,a,yyyyy.yy,a,alt,unit,hhmmss.ss,A,name,ddmmyy*hh" per
// point; other $PMGN sentences (commands, waypoints) are ignored. Older
// firmware leaves the date out, so dates are carried and back-filled as in
// NMEA logs. The log becomes one segment, named after the track name of its
// first track sentence.
class MagellanLoader : public SentenceLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileMagellanSd; }

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;
    SentenceUse OnSentence(const NmeaSentence& sentence) override;

private:
    LoadContext* m_context = nullptr;
    // Made on the first track sentence, which names it.
    TrackData* m_points = nullptr;
    int m_segmentTid = -1;
    std::optional<FixDateResolver> m_dates;
};
