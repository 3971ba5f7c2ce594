#pragma once

#include "TrackLoaderBase.h"

// IGC flight logs (.igc) from gliding and paragliding flight recorders,
// read with IgcRecords. The flight is one segment below the file node.
// - A B record is a point, timed by the HFDTE date and its time of day; a
//   time of day that falls back by more than half a day has passed midnight.
//   Points before any date keep no time.
// - Elevation is the GNSS altitude. Loggers without a GNSS altitude write 0
//   throughout; their pressure altitude is the elevation then, rather than
//   none: a barometric profile is what a pilot of such a logger knows. Apart
//   from that, the pressure altitude is not kept: a point has no place for
//   it.
// - A fix marked 'V' stays a point, filtered "No GPS", without GNSS altitude.
// - Task (C), comment (L), security (G) and the other records are skipped,
//   and so is a B record that cannot be read (counted).
class IgcLoader : public TrackLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileIgc; }

    // B records of the last read that could not be read.
    long long GetSkippedFixCount() const { return m_skipped; }

protected:
    void OnLoadStarting() override { m_skipped = 0; }
    bool ReadContent(QIODevice& device, LoadContext& context) override;

private:
    long long m_skipped = 0;
};
