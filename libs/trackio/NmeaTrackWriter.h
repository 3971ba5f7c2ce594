#pragma once

#include "TrackWriterBase.h"

class TrackData;
class TrackPoint;

// Writes points as an NMEA 0183 log: per point the sentences of the
// message set, in the order RMC, GGA, GLL, GSA, ZDA, with talker "GP",
// checksums and CR LF. Positions have five decimals of minutes (under 2 cm),
// times milliseconds. A field the point has no value for stays empty, so
// reading the log back gives what the point had. A filtered point is
// written as a void fix (RMC/GLL status V, GGA quality 0): other programs
// skip it, ours reads it back filtered as "No GPS". A point without time
// gets empty time and date fields and no ZDA. RMC's two-digit year is read
// back as 1980 to 2079; ZDA carries the whole year.
class NmeaTrackWriter : public TrackWriterBase
{
public:
    // Message-set bits.
    enum Messages {
        MessageRmc = 0x1,
        MessageGga = 0x2,
        MessageGsa = 0x4,
        MessageGll = 0x8,
        MessageZda = 0x10,
    };
    // Bits of GetParamsSet: what the sentences of a message set carry.
    enum Params {
        ParamLatLon = 1 << 0,
        ParamDate = 1 << 1,
        ParamTime = 1 << 2,
        ParamElevation = 1 << 3,
        ParamSatellites = 1 << 4,
        ParamHdop = 1 << 5,
        ParamPdop = 1 << 6,
        ParamVdop = 1 << 7,
    };

    void SetMessageSet(int messages) { m_messages = messages; }
    int GetMessageSet() const { return m_messages; }
    int GetParamsSet() const;
    // Whether a log with these parameters opens as a track with times:
    // position, date and time are needed.
    static bool AreParamsOkForTrack(int params);

    // Appends the points of one segment.
    SaveStatus Save(const TrackData& points);

    // The sentences of one point, each ending in CR LF.
    static void AppendPoint(std::string& out, const TrackPoint& point, int messages);

private:
    int m_messages = MessageRmc | MessageGga;
};
