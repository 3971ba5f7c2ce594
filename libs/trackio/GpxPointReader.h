#pragma once

#include "TrackPoint.h"

#include <string>
#include <string_view>

// The values of one GPX point (trkpt or rtept) as the reader meets them:
// position, elevation, time, the receiver values of GPX (fix, sat, hdop,
// vdop, pdop; speed and course of GPX 1.0), the sensor values of Garmin's
// TrackPointExtension v1/v2 and its older and similar forms, and our own
// point status. Everything else of a point (magvar, geoidheight, name, cmt,
// desc, src, link, sym, type, ageofdgpsdata, dgpsid, other extensions) is
// the GPX reader's to keep as markup.
class GpxPointReader
{
public:
    // The point's children that ReadValue reads.
    static bool IsPointValue(std::string_view local);
    // Children of a point's extensions whose values ReadExtensionValue
    // reads, directly or inside (TrackPointExtension).
    static bool IsExtensionRead(std::string_view local);

    // A new point from the lat and lon attributes; false with a message when
    // one is missing, not a number, or out of range.
    bool Begin(const char** attributes, std::string& error);
    // A child element of the point. A GPX value that is not empty and not a
    // number (or time) fails with a message; unknown elements are ignored.
    bool ReadValue(std::string_view local, std::string_view text, std::string& error);
    // A leaf element inside the point's extensions, matched by its local
    // name whatever its namespace. Foreign markup is not ours to judge, so a
    // value of another form is ignored rather than refused.
    void ReadExtensionValue(std::string_view local, std::string_view text);
    // The attributes of our TrackPointStatus extension element.
    void ReadStatus(const char** attributes);

    const TrackPoint& GetPoint() const { return m_point; }

private:
    TrackPoint m_point;
};
