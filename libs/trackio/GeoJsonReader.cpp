#include "GeoJsonReader.h"

#include "IsoTime.h"
#include "LoadContext.h"
#include "TrackData.h"
#include "XmlEscape.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <charconv>
#include <cmath>

namespace {

QString TypeOf(const QJsonObject& object)
{
    return object.value(QLatin1String("type")).toString();
}

QString NameOf(const QJsonObject& properties)
{
    return properties.value(QLatin1String("name")).toString();
}

Time ReadTime(const QJsonValue& value)
{
    if (value.isString())
        return IsoTime::Parse(value.toString().toStdString());
    constexpr double MaxMilliseconds = 1e15;
    if (value.isDouble() && std::abs(value.toDouble()) < MaxMilliseconds)
        return Time::FromMicroseconds(std::llround(value.toDouble() * 1000.0));
    return {};
}

void AppendNumber(std::string& out, double value)
{
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
    out.append(buffer, static_cast<size_t>(end - buffer));
}

} // namespace

GeoJsonReader::GeoJsonReader(LoadContext& context)
    : m_context(context)
{
}

bool GeoJsonReader::Read(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const qsizetype offset = std::min<qsizetype>(error.offset, json.size());
        m_context.FailAtLine(json.left(offset).count('\n') + 1, error.errorString());
        return false;
    }
    if (!document.isObject()) {
        m_context.Fail(QStringLiteral("the file holds no GeoJSON object"));
        return false;
    }
    ReadObject(document.object(), {});
    FinishWaypoints();
    return !m_failed;
}

void GeoJsonReader::ReadObject(const QJsonObject& object, const QJsonObject& properties)
{
    const QString type = TypeOf(object);
    const QJsonValue coordinates = object.value(QLatin1String("coordinates"));
    if (type == QLatin1String("FeatureCollection")) {
        for (const QJsonValue feature : object.value(QLatin1String("features")).toArray())
            ReadObject(feature.toObject(), {});
    } else if (type == QLatin1String("Feature")) {
        ReadObject(object.value(QLatin1String("geometry")).toObject(),
                   object.value(QLatin1String("properties")).toObject());
    } else if (type == QLatin1String("GeometryCollection")) {
        for (const QJsonValue geometry : object.value(QLatin1String("geometries")).toArray())
            ReadObject(geometry.toObject(), properties);
    } else if (type == QLatin1String("LineString")) {
        ReadLine(coordinates, properties.value(QLatin1String("coordTimes")), NameOf(properties));
    } else if (type == QLatin1String("MultiLineString")) {
        const QJsonArray lines = coordinates.toArray();
        const QJsonArray times = properties.value(QLatin1String("coordTimes")).toArray();
        for (qsizetype i = 0; i < lines.size() && !m_failed; ++i)
            ReadLine(lines[i], times.at(i), NameOf(properties));
    } else if (type == QLatin1String("Point")) {
        ReadWaypoint(coordinates, properties);
    } else if (type == QLatin1String("MultiPoint")) {
        for (const QJsonValue position : coordinates.toArray())
            ReadWaypoint(position, properties);
    }
}

void GeoJsonReader::ReadLine(const QJsonValue& positions, const QJsonValue& times, const QString& name)
{
    const QJsonArray line = positions.toArray();
    if (line.isEmpty() || m_failed || m_context.IsCancelled())
        return;
    const QJsonArray timeArray = times.toArray();
    TrackData& segment = m_context.AddSegment(m_context.GetFileTid(), name);
    segment.Reserve(static_cast<int>(line.size()));
    for (qsizetype i = 0; i < line.size(); ++i) {
        TrackPoint point;
        if (!ReadPosition(line[i], point))
            return;
        point.SetTime(ReadTime(timeArray.at(i)));
        segment.Append(point);
    }
}

void GeoJsonReader::ReadWaypoint(const QJsonValue& position, const QJsonObject& properties)
{
    TrackPoint point;
    if (m_failed || !ReadPosition(position, point))
        return;
    m_waypoints += "  <wpt lat=\"";
    AppendNumber(m_waypoints, point.GetLat());
    m_waypoints += "\" lon=\"";
    AppendNumber(m_waypoints, point.GetLon());
    m_waypoints += "\">";
    if (point.HasElevation()) {
        m_waypoints += "<ele>";
        AppendNumber(m_waypoints, point.GetElevation());
        m_waypoints += "</ele>";
    }
    const Time time = ReadTime(properties.value(QLatin1String("time")));
    if (!time.IsNull())
        m_waypoints += "<time>" + IsoTime::Format(time) + "</time>";
    const QString name = NameOf(properties);
    if (!name.isEmpty()) {
        m_waypoints += "<name>";
        XmlEscape::AppendText(m_waypoints, name.toStdString());
        m_waypoints += "</name>";
    }
    m_waypoints += "</wpt>\n";
}

bool GeoJsonReader::ReadPosition(const QJsonValue& value, TrackPoint& point)
{
    const QJsonArray numbers = value.toArray();
    const double lon = numbers.at(0).toDouble(NAN);
    const double lat = numbers.at(1).toDouble(NAN);
    if (!(std::abs(lat) <= 90.0 && std::abs(lon) <= 180.0)) {
        m_context.Fail(QStringLiteral("a position is not [longitude, latitude] in degrees: %1")
                           .arg(QString::fromUtf8(QJsonDocument(numbers).toJson(QJsonDocument::Compact).left(80))));
        m_failed = true;
        return false;
    }
    point.Set2D({lon, lat});
    if (numbers.size() > 2 && numbers.at(2).isDouble())
        point.SetElevation(numbers.at(2).toDouble());
    return true;
}

void GeoJsonReader::FinishWaypoints()
{
    if (m_waypoints.empty() || m_failed)
        return;
    auto extras = std::make_shared<TrackInfo::NodeExtras>();
    extras->head = QByteArray::fromStdString(m_waypoints);
    m_context.GetCreator().SetNodeExtras(m_context.GetFileTid(), std::move(extras));
}
