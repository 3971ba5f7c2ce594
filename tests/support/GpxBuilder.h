#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// The GPX 1.1 text of an ordinary track file, for tests that need one as
// input: tracks of segments of points, each point with its time and
// elevation when given, names where set. Numbers are written so that they
// read back as the same double. Tests about exact bytes (broken files, odd
// markup, other namespaces) write their text by hand instead.
class GpxBuilder
{
public:
    struct Point
    {
        double lat = 0;
        double lon = 0;
        // The text of <time>, left out when absent.
        std::optional<QString> time;
        std::optional<double> elevation;
        QString name;
    };

    // Starts a track, with a <name> when name is not empty.
    GpxBuilder& Track(const QString& name = QString());
    // Starts a segment in the current track (a new unnamed track when there
    // is none yet).
    GpxBuilder& Segment();
    // Adds a point to the current segment (a new one when there is none yet).
    GpxBuilder& Add(const Point& point);
    GpxBuilder& Add(double lat, double lon, std::optional<QString> time = std::nullopt,
                    std::optional<double> elevation = std::nullopt);
    GpxBuilder& Add(double lat, double lon, const QDateTime& time, std::optional<double> elevation = std::nullopt);

    QByteArray Text() const;
    // Writes Text() with WriteTestFile and gives back path.
    QString Write(const QString& path) const;

    // ISO 8601 in UTC as GPX files write it: seconds, milliseconds only when
    // there are any, and a Z.
    static QString Iso(const QDateTime& time);

private:
    struct SegmentPoints
    {
        std::vector<Point> points;
    };
    struct TrackSegments
    {
        QString name;
        std::vector<SegmentPoints> segments;
    };

    std::vector<TrackSegments> m_tracks;
};
