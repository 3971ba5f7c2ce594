#include "OziLoader.h"

#include "IsoTime.h"
#include "LineStreamReader.h"
#include "TextNumber.h"

#include <QStringDecoder>

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int HeaderLines = 6;
constexpr double UnixEpochDays = 25569.0;
constexpr double NoAltitude = -777.0;
constexpr double MetresPerFoot = 0.3048;

// Up to the seven columns of a point line; more are ignored.
struct PointColumns
{
    std::array<std::string_view, 7> fields;
    size_t count = 0;

    explicit PointColumns(std::string_view line)
    {
        size_t start = 0;
        while (count < fields.size()) {
            const size_t comma = line.find(',', start);
            const size_t length = comma == std::string_view::npos ? comma : comma - start;
            fields[count++] = TextNumber::Trim(line.substr(start, length));
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
    }
    std::string_view Get(size_t index) const { return index < count ? fields[index] : std::string_view(); }
};

// Writers use the system code page; UTF-8 when the bytes are valid UTF-8,
// else Latin-1, where OziExplorer's stand-in for a comma (character 209)
// turns back into one.
QString DecodeText(std::string_view text)
{
    const QByteArray bytes = QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(bytes);
    if (utf8.hasError())
        decoded = QString::fromLatin1(bytes).replace(QChar(0xD1), QLatin1Char(','));
    return decoded.trimmed();
}

QString Quoted(std::string_view text)
{
    return QStringLiteral("\"%1\"").arg(DecodeText(text));
}

} // namespace

Time OziLoader::DayCountToTime(std::string_view text)
{
    double days = 0;
    if (!TextNumber::ToDouble(text, days) || days <= UnixEpochDays)
        return Time();
    const Time exact = Time::TimeDays(days - UnixEpochDays);
    if (exact.IsNull())
        return exact;
    const size_t point = text.find('.');
    const size_t decimals = point == std::string_view::npos ? 0 : text.size() - point - 1;
    const double halfUnitUs = 0.5 * std::pow(10.0, -static_cast<double>(decimals)) * TimeSpan::MicrosecondsPerDay;
    const int64_t us = exact.GetMicroseconds();
    const int64_t second = TimeSpan::MicrosecondsPerSecond;
    const int64_t nearestSecond = (us + second / 2) / second * second;
    if (static_cast<double>(std::llabs(us - nearestSecond)) <= halfUnitUs)
        return Time::FromMicroseconds(nearestSecond);
    return Time::FromMicroseconds((us + 500) / 1000 * 1000);
}

bool OziLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    m_datum.clear();
    LineStreamReader reader(device, context);
    std::string_view line;
    QString trackName;
    for (int number = 1; number <= HeaderLines; ++number) {
        if (!reader.Next(line)) {
            if (context.IsCancelled() || context.HasFailed() || number == 1)
                return !context.IsCancelled() && !context.HasFailed();
            context.FailAtLine(number, QStringLiteral("the file ends inside the header of six lines"));
            return false;
        }
        if (number == 1 && !TextNumber::Trim(line).starts_with("OziExplorer Track Point File")) {
            context.FailAtLine(1, QStringLiteral("this is not an OziExplorer track file"));
            return false;
        }
        if (number == 2)
            m_datum = DecodeText(line);
        if (number == 5)
            trackName = DecodeText(PointColumns(line).Get(3));
    }

    const int folderTid = context.AddFolder(context.GetFileTid(), trackName);
    TrackData* segment = nullptr;
    while (reader.Next(line)) {
        const long long number = reader.GetLineNumber();
        if (reader.WasCut()) {
            context.FailAtLine(number, QStringLiteral("the line is too long for a track point"));
            return false;
        }
        if (TextNumber::Trim(line).empty())
            continue;
        const PointColumns columns(line);
        double lat = 0, lon = 0;
        if (!TextNumber::ToDouble(columns.Get(0), lat) || std::fabs(lat) > 90) {
            context.FailAtLine(number, QStringLiteral("latitude %1 is not a latitude").arg(Quoted(columns.Get(0))));
            return false;
        }
        if (!TextNumber::ToDouble(columns.Get(1), lon) || std::fabs(lon) > 180) {
            context.FailAtLine(number, QStringLiteral("longitude %1 is not a longitude").arg(Quoted(columns.Get(1))));
            return false;
        }
        double breakFlag = 0, altitude = NoAltitude, days = 0;
        if (!columns.Get(2).empty() && !TextNumber::ToDouble(columns.Get(2), breakFlag)) {
            context.FailAtLine(number, QStringLiteral("break flag %1 is not a number").arg(Quoted(columns.Get(2))));
            return false;
        }
        if (!columns.Get(3).empty() && !TextNumber::ToDouble(columns.Get(3), altitude)) {
            context.FailAtLine(number, QStringLiteral("altitude %1 is not a number").arg(Quoted(columns.Get(3))));
            return false;
        }
        const std::string_view dayCount = columns.Get(4);
        if (!dayCount.empty() && !TextNumber::ToDouble(dayCount, days)) {
            context.FailAtLine(number, QStringLiteral("date %1 is not a day count").arg(Quoted(dayCount)));
            return false;
        }

        TrackPoint point;
        point.Set2D({lon, lat});
        if (altitude != NoAltitude)
            point.SetElevation(altitude * MetresPerFoot);
        if (!dayCount.empty())
            point.SetTime(DayCountToTime(dayCount));
        else if (!columns.Get(5).empty())
            point.SetTime(IsoTime::Parse(std::string(columns.Get(5)) + ' ' + std::string(columns.Get(6))));
        if (!segment || breakFlag != 0)
            segment = &context.AddSegment(folderTid, QString());
        segment->Append(point);
    }
    if (context.IsCancelled() || context.HasFailed())
        return false;
    context.RemoveNodeIfEmpty(folderTid);
    return true;
}
