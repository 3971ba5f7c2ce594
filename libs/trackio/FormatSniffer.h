#pragma once

#include "TrackFileType.h"

#include <QByteArray>

// Tells a track file's format from its first bytes, whatever its name: an
// NMEA log called .txt and a GPX file called .xml are common. FIT and KMZ
// (a zip) are the binary formats: their signatures are looked for before
// any text.
class FormatSniffer
{
public:
    // How much of the start of a file Detect wants to see.
    static constexpr int HeadBytes = 64 * 1024;

    // TrackFileAll when the content matches no known format.
    static TrackFileType Detect(const QByteArray& head);

private:
    static bool IsFit(const QByteArray& head);
    static bool IsGeoJson(const QByteArray& text);
    static bool IsIgc(const QByteArray& text);
    static TrackFileType DetectXml(const QByteArray& text);
    static TrackFileType DetectLines(const QByteArray& text);
};
