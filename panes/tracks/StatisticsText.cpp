#include "StatisticsText.h"

#include "Locale.h"
#include "StringIds.h"
#include "TrackDurationText.h"
#include "TrackStatistics.h"
#include "Translator.h"
#include "UnitsDisp.h"

#include <QStringList>

#include <cmath>

namespace StatisticsText {

QString Duration(const std::optional<double>& seconds)
{
    return seconds ? TrackDurationText(TimeSpan::FromSeconds(*seconds)).trimmed() : QString();
}

QString Speed(const std::optional<double>& kmh)
{
    return kmh ? UnitsDisp::GetSpeedString(*kmh, 1) : QString();
}

QString Altitude(const std::optional<double>& metres)
{
    return metres ? UnitsDisp::GetAltitudeString(*metres, 0) : QString();
}

QString Distance(double metres)
{
    return UnitsDisp::GetSmartDistanceString(metres);
}

QString Pair(const std::optional<double>& a, const std::optional<double>& b, const std::function<QString(double)>& text)
{
    if (!a || !b)
        return {};
    return text(*a) + QStringLiteral(" / ") + text(*b);
}

QString HeartRate(double beats)
{
    return UnitsDisp::GetHeartRateString(static_cast<int>(std::lround(beats)));
}

QString Cadence(double perMinute)
{
    return UnitsDisp::GetCadenceString(static_cast<int>(std::lround(perMinute)), CadenceType::Revolutions);
}

QString Summary(const TrackStatistics& stats)
{
    const Translator& texts = Translator::GetInstance();
    QStringList parts{texts.Format(IDS_STATISTICS_POINTS, Locale::GetIntString(stats.points)),
                      Distance(stats.distance)};
    for (const QString& part : {Duration(stats.duration), Speed(stats.GetAverageSpeed())})
        if (!part.isEmpty())
            parts.append(part);
    if (stats.ascent && stats.descent)
        parts.append(texts.Format(IDS_STATISTICS_CLIMB, Altitude(stats.ascent), Altitude(stats.descent)));
    return parts.join(QStringLiteral(", "));
}

} // namespace StatisticsText
