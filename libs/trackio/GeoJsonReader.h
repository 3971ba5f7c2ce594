#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <string>

class LoadContext;
class TrackPoint;

// Reads GeoJSON into the tree below the file node. The root may be a
// FeatureCollection, a Feature or a bare geometry; a GeometryCollection is
// read through.
//
//   segment per LineString, and per line of a MultiLineString, straight
//   below the file node, named by its feature's "name" property
//
// A position is [longitude, latitude] with the elevation as an optional
// third number; further numbers are ignored. Times come from the feature's
// "coordTimes" property, as route tools write it: an array per LineString,
// an array of arrays for a MultiLineString, paired with the positions by
// index. A time is ISO 8601 text or a number of milliseconds since 1970;
// an entry that is neither leaves its point without time, and surplus
// entries are ignored.
//
// Point and MultiPoint features are waypoints, named by "name" and timed by
// a "time" property: the tree has no place for them, so they are kept with
// the file as GPX waypoint markup (TrackInfo::NodeExtras), as GPX files'
// waypoints are, and saving as GPX writes them. Polygons are areas, not
// tracks, and are not read; nor are other properties.
class GeoJsonReader
{
public:
    explicit GeoJsonReader(LoadContext& context);

    // False after a fatal error recorded on the context.
    bool Read(const QByteArray& json);

private:
    void ReadObject(const QJsonObject& object, const QJsonObject& properties);
    void ReadLine(const QJsonValue& positions, const QJsonValue& times, const QString& name);
    void ReadWaypoint(const QJsonValue& position, const QJsonObject& properties);
    bool ReadPosition(const QJsonValue& value, TrackPoint& point);
    void FinishWaypoints();

    LoadContext& m_context;
    bool m_failed = false;
    std::string m_waypoints;
};
