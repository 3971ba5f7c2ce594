#pragma once

#include "TrackLoaderBase.h"

#include <QString>

#include <string_view>

// OziExplorer track files (.plt): six header lines (file type, datum,
// "Altitude is in Feet", a reserved line, the track's line with its
// description, a point count that writers do not keep right and is not
// used), then one "lat,lon,break,altitude,days,date,time" line per point.
// - The file is one track: a folder named after the description, with a new
//   segment at every point flagged as a break.
// - Altitude is in feet; -777 means none.
// - The time is the day count (days since 1899-12-30, fractional). 0 and the
//   Unix epoch (25569) are what writers put for "no time". The date and time
//   text columns hold the writer's local time in its own locale, so they
//   are read only when the day count is left out, and only in ISO form.
// - Positions are read as they are, whatever the datum line says: OziExplorer
//   writes tracks in WGS 84, and for the rare file in another datum a
//   shift of some hundred metres is better than no track. GetDatum tells.
// A point line that cannot be read fails the load with its line number:
// unlike a receiver's log, this file was written by a program.
class OziLoader : public TrackLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileOzi; }
    // The datum line of the last file read.
    const QString& GetDatum() const { return m_datum; }

    // The time of a day-count field; null for 0, the epoch or earlier. The
    // count is rounded to the whole second when that lies within the
    // precision its digits give (seven decimals are 8.64 ms), which takes
    // away the noise of writers that turned whole seconds into days.
    static Time DayCountToTime(std::string_view text);

protected:
    bool ReadContent(QIODevice& device, LoadContext& context) override;

private:
    QString m_datum;
};
