// UnitsDisp: coordinates.
#include "UnitsDisp.h"

#include <GeographicLib/UTMUPS.hpp>

#include <QLocale>

#include <cmath>
#include <cstdint>

namespace {

// Decimals: 1e-6 degree, 1e-4 minute and 1e-2 second are all 0.1 to 0.3 m.
constexpr int DEGREE_DECIMALS = 6;
constexpr int MINUTE_DECIMALS = 4;
constexpr int SECOND_DECIMALS = 2;

struct Marks
{
    QString degree, minute, second;
};

Marks GetMarks(AngleUnits angleUnits)
{
    switch (angleUnits) {
    case AngleUnits::Keyboard: return {QStringLiteral("°"), QStringLiteral("'"), QStringLiteral("\"")};
    case AngleUnits::Typographic: return {QStringLiteral("°"), QStringLiteral("′"), QStringLiteral("″")};
    case AngleUnits::Bare: break;
    }
    return {QStringLiteral(" "), QStringLiteral(" "), QString()};
}

// Coordinates are never grouped ("4306573", not "4,306,573"): the grouping
// mark could be the separator between the numbers.
QLocale CoordLocale()
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale;
}

constexpr int64_t Pow10(int n)
{
    return n == 0 ? 1 : 10 * Pow10(n - 1);
}

// How many of the last shown digit make one degree.
int64_t CountsPerDegree(CoordFormat format)
{
    switch (format) {
    case CoordFormat::DegreesMinutes: return 60 * Pow10(MINUTE_DECIMALS);
    case CoordFormat::DegreesMinutesSeconds: return 3600 * Pow10(SECOND_DECIMALS);
    case CoordFormat::DecimalDegrees:
    case CoordFormat::Utm: break;
    }
    return Pow10(DEGREE_DECIMALS);
}

// A fixed-point count, e.g. 53.4222 as 534222 with 4 decimals.
QString Fixed(const QLocale& locale, int64_t count, int decimals)
{
    return locale.toString(static_cast<double>(count) / static_cast<double>(Pow10(decimals)), 'f', decimals);
}

// Minutes and seconds always have two integer digits.
QString TwoDigits(const QLocale& locale, int64_t count, int decimals)
{
    const QString text = Fixed(locale, count, decimals);
    return count < 10 * Pow10(decimals) ? locale.zeroDigit() + text : text;
}

// The angle without its sign from its count of last shown digits: rounded
// once, so that 59.99999 minutes carries into the next degree instead of
// reading "60".
QString Magnitude(const QLocale& locale, int64_t count, CoordFormat format, const Marks& marks)
{
    const int64_t perDegree = CountsPerDegree(format);
    const QString degrees = locale.toString(static_cast<qlonglong>(count / perDegree)) + marks.degree;
    switch (format) {
    case CoordFormat::DegreesMinutes:
        return degrees + TwoDigits(locale, count % perDegree, MINUTE_DECIMALS) + marks.minute;
    case CoordFormat::DegreesMinutesSeconds: {
        const int64_t perMinute = perDegree / 60;
        return degrees + TwoDigits(locale, count % perDegree / perMinute, 0) + marks.minute
            + TwoDigits(locale, count % perMinute, SECOND_DECIMALS) + marks.second;
    }
    case CoordFormat::DecimalDegrees:
    case CoordFormat::Utm: break;
    }
    return Fixed(locale, count, DEGREE_DECIMALS) + marks.degree;
}

QString AngleString(const QLocale& locale, double angle, CoordFormat format, CoordSignFormat signFormat,
                    const Marks& marks, QChar positive, QChar negative)
{
    const int64_t count = std::llround(std::abs(angle) * static_cast<double>(CountsPerDegree(format)));
    // Judged after rounding: a value that shows as zero has no sign.
    const bool isNegative = angle < 0.0 && count > 0;
    const QString text = Magnitude(locale, count, format, marks).trimmed();
    if (signFormat == CoordSignFormat::Letters)
        return text + QLatin1Char(' ') + (isNegative ? negative : positive);
    return isNegative ? locale.negativeSign() + text : text;
}

QString UtmString(const QLocale& locale, double lat, double lon, const QString& separator)
{
    int zone = 0;
    bool north = true;
    double easting = 0.0;
    double northing = 0.0;
    GeographicLib::UTMUPS::Forward(lat, lon, zone, north, easting, northing);
    const QString zoneText = QString::fromStdString(GeographicLib::UTMUPS::EncodeZone(zone, north)).toUpper();
    return zoneText + separator + locale.toString(static_cast<qlonglong>(std::llround(easting))) + separator
        + locale.toString(static_cast<qlonglong>(std::llround(northing)));
}

} // namespace

QString UnitsDisp::GetCoordString(double lat, double lon, AngleUnits angleUnits)
{
    const OptUnits& options = OptUnits::GetInstance();
    return GetCoordString(lat, lon, options.GetCoordFormat(), options.GetCoordSignFormat(), angleUnits);
}

QString UnitsDisp::GetCoordString(double lat, double lon, CoordFormat format, CoordSignFormat signFormat,
                                  AngleUnits angleUnits)
{
    if (!std::isfinite(lat) || !std::isfinite(lon) || std::abs(lat) > 90.0 || std::abs(lon) > 180.0)
        return {};
    const QLocale locale = CoordLocale();
    const QString separator = locale.decimalPoint() == QStringLiteral(",") ? QStringLiteral("; ")
                                                                           : QStringLiteral(", ");
    if (format == CoordFormat::Utm)
        return UtmString(locale, lat, lon, separator);
    const Marks marks = GetMarks(angleUnits);
    return AngleString(locale, lat, format, signFormat, marks, QLatin1Char('N'), QLatin1Char('S')) + separator
        + AngleString(locale, lon, format, signFormat, marks, QLatin1Char('E'), QLatin1Char('W'));
}
