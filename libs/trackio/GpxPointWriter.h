#pragma once

#include "PointMarkup.h"

#include <optional>
#include <string>

class TrackPoint;
class TrackPointGpsParams;
class XmlBufferWriter;

// Writes one <trkpt> of GPX 1.1, on a line of its own to keep large files
// small, in the schema's element order: position, ele, time, the kept
// fields (magvar to type), fix, sat, hdop, vdop, pdop, the kept DGPS
// fields, then extensions: Garmin's TrackPointExtension v2 for
// temperature, heart rate, cadence, speed and course (GPX 1.1 has no
// element for the last two), Garmin's PowerInWatts for power, our
// TrackPointStatus for points that are
// filtered or carry modes or a penalty, and the kept extensions. Each value
// is written so that it reads back the same, so a file saved, opened and
// saved again is the same.
class GpxPointWriter
{
public:
    // The prefixes declared for the extension namespaces.
    struct Prefixes
    {
        std::string garmin;
        std::string power;
        std::string status;
    };
    GpxPointWriter(XmlBufferWriter& out, const Prefixes& prefixes);

    // markup: what was kept from the file for the point.
    void Write(const TrackPoint& point, const std::optional<PointMarkup>& markup);

private:
    void WriteExtensions(const TrackPoint& point, bool garmin, bool status, std::string_view kept);
    void WriteGarminValues(const TrackPointGpsParams& gps);
    void WriteSpeed(double kmh);

    XmlBufferWriter& m_out;
    std::string m_extensionOpen;
    std::string m_extensionClose;
    std::string m_garminPrefix;
    std::string m_powerOpen;
    std::string m_powerClose;
    std::string m_statusOpen;
};
