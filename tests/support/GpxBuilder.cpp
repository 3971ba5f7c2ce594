#include "GpxBuilder.h"

#include "TestSupport.h"

#include <QLocale>

namespace {

// Fixed notation (GPX numbers are decimals, never 1e-05) with the fewest
// digits that give the same double back.
QString Number(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace

GpxBuilder& GpxBuilder::Track(const QString& name)
{
    m_tracks.push_back({name, {}});
    return *this;
}

GpxBuilder& GpxBuilder::Segment()
{
    if (m_tracks.empty())
        Track();
    m_tracks.back().segments.emplace_back();
    return *this;
}

GpxBuilder& GpxBuilder::Add(const Point& point)
{
    if (m_tracks.empty() || m_tracks.back().segments.empty())
        Segment();
    m_tracks.back().segments.back().points.push_back(point);
    return *this;
}

GpxBuilder& GpxBuilder::Add(double lat, double lon, std::optional<QString> time, std::optional<double> elevation)
{
    return Add(Point{lat, lon, std::move(time), elevation, QString()});
}

GpxBuilder& GpxBuilder::Add(double lat, double lon, const QDateTime& time, std::optional<double> elevation)
{
    return Add(lat, lon, Iso(time), elevation);
}

QByteArray GpxBuilder::Text() const
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<gpx version=\"1.1\" creator=\"Quorvel tests\" "
                                  "xmlns=\"http://www.topografix.com/GPX/1/1\">\n");
    for (const TrackSegments& track : m_tracks) {
        text += QStringLiteral("  <trk>\n");
        if (!track.name.isEmpty())
            text += QStringLiteral("    <name>%1</name>\n").arg(track.name.toHtmlEscaped());
        for (const SegmentPoints& segment : track.segments) {
            text += QStringLiteral("    <trkseg>\n");
            for (const Point& point : segment.points) {
                text += QStringLiteral("      <trkpt lat=\"%1\" lon=\"%2\">").arg(Number(point.lat), Number(point.lon));
                // The order of the schema: ele, time, then name.
                if (point.elevation)
                    text += QStringLiteral("<ele>%1</ele>").arg(Number(*point.elevation));
                if (point.time)
                    text += QStringLiteral("<time>%1</time>").arg(point.time->toHtmlEscaped());
                if (!point.name.isEmpty())
                    text += QStringLiteral("<name>%1</name>").arg(point.name.toHtmlEscaped());
                text += QStringLiteral("</trkpt>\n");
            }
            text += QStringLiteral("    </trkseg>\n");
        }
        text += QStringLiteral("  </trk>\n");
    }
    text += QStringLiteral("</gpx>\n");
    return text.toUtf8();
}

QString GpxBuilder::Write(const QString& path) const
{
    return WriteTestFile(path, Text());
}

QString GpxBuilder::Iso(const QDateTime& time)
{
    const QDateTime utc = time.toUTC();
    return utc.toString(utc.time().msec() == 0 ? Qt::ISODate : Qt::ISODateWithMs);
}
