#pragma once

#include <string_view>

// Namespaces and layout shared by the GPX reader and writer.
namespace GpxNames {

inline constexpr std::string_view Gpx10Uri = "http://www.topografix.com/GPX/1/0";
inline constexpr std::string_view Gpx11Uri = "http://www.topografix.com/GPX/1/1";
inline constexpr std::string_view XsiUri = "http://www.w3.org/2001/XMLSchema-instance";
// Bound to "xml" by XML itself; never declared.
inline constexpr std::string_view XmlUri = "http://www.w3.org/XML/1998/namespace";
inline constexpr std::string_view TrackPointExtV2Uri = "http://www.garmin.com/xmlschemas/TrackPointExtension/v2";
inline constexpr std::string_view TrackPointExtV2Xsd = "http://www.garmin.com/xmlschemas/TrackPointExtensionv2.xsd";
// A power meter's watts: <PowerInWatts>, as bike computers write it.
inline constexpr std::string_view PowerExtUri = "http://www.garmin.com/xmlschemas/PowerExtension/v1";
// Our own per-point extension: <TrackPointStatus filtered="true" reason="3"
// modes="8" penalty="2"/>, each attribute only when it is not the default
// (valid, no reason, no mode, no penalty). Never change this URI: saved files
// carry it.
inline constexpr std::string_view PointStatusUri = "https://quorvel.org/xmlschemas/TrackPointStatus/1";
inline constexpr std::string_view PointStatusElement = "TrackPointStatus";

// Saved files indent each level by this many spaces; kept markup is indented
// to the depth where it is written back.
inline constexpr int IndentWidth = 2;

} // namespace GpxNames
