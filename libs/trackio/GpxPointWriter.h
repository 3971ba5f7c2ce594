#pragma once

#include <string>

class TrackPoint;
class XmlBufferWriter;

// Writes one <trkpt> of GPX 1.1, on a line of its own to keep large files
// small, in the schema's element order: position, ele, time, fix, sat,
// hdop, vdop, pdop, then extensions: Garmin's TrackPointExtension v2 for
// temperature, heart rate, cadence, speed and course (GPX 1.1 has no
// element for the last two), and our TrackPointStatus for points that are
// filtered or carry modes or a penalty. Each value is written so that it
// reads back the same, so a file saved, opened and saved again is the same.
class GpxPointWriter
{
public:
    // The prefixes declared for the two extension namespaces.
    GpxPointWriter(XmlBufferWriter& out, const std::string& extensionPrefix, const std::string& statusPrefix);

    void Write(const TrackPoint& point);

private:
    void WriteExtensions(const TrackPoint& point, bool garmin, bool status);
    void WriteSpeed(double kmh);

    XmlBufferWriter& m_out;
    std::string m_extensionOpen;
    std::string m_extensionClose;
    std::string m_garminPrefix;
    std::string m_statusOpen;
};
