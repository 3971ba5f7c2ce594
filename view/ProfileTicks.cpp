#include "ProfileTicks.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>

namespace ProfileTicks {

namespace {

// Clock steps in seconds: seconds, minutes, hours, days.
constexpr std::array<double, 20> kClockSteps = {1,    2,    5,    10,    15,    30,    60,    120,   300,    600,
                                                900,  1800, 3600, 7200,  10800, 21600, 43200, 86400, 172800, 604800};

double ClockStep(double span, int maxCount)
{
    for (double step : kClockSteps)
        if (span / step <= maxCount)
            return step;
    return kClockSteps.back() * std::ceil(span / maxCount / kClockSteps.back());
}

QString Two(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

std::vector<ProfileTick> Values(double from, double to, int maxCount)
{
    std::vector<ProfileTick> ticks;
    if (!(to > from) || maxCount < 1)
        return ticks;
    const double raw = (to - from) / maxCount;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw) {
            step = factor * power;
            break;
        }
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    const QLocale locale;
    for (double k = std::ceil(from / step); k * step <= to + step * 1e-9; ++k) {
        const double value = k * step;
        ticks.push_back({value, locale.toString(value == 0 ? 0.0 : value, 'f', decimals)});
    }
    return ticks;
}

std::vector<ProfileTick> Elapsed(double from, double to, int maxCount)
{
    std::vector<ProfileTick> ticks;
    if (!(to > from) || maxCount < 1)
        return ticks;
    const double step = ClockStep(to - from, maxCount);
    for (double k = std::ceil(from / step); k * step <= to; ++k)
        ticks.push_back({k * step, ElapsedText(k * step, step < 60)});
    return ticks;
}

std::vector<ProfileTick> TimeOfDay(double from, double to, int maxCount, const UtcOffset& offset)
{
    std::vector<ProfileTick> ticks;
    if (!(to > from) || maxCount < 1)
        return ticks;
    const double step = ClockStep(to - from, maxCount);
    // Zones are offset from UTC by whole quarter hours (a few historic
    // ones aside), so a wall-clock round time lies on this grid.
    const double grid = step < 900 ? step : step < 86400 ? 900 : 3600;
    const QLocale locale;
    for (double t = std::ceil(from / grid) * grid; t <= to; t += grid) {
        const double local = t + offset(t);
        if (std::fmod(local, step) != 0)
            continue;
        const QDateTime wall = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(local), Qt::UTC);
        const QString label = wall.time() == QTime(0, 0) ? locale.toString(wall.date(), QLocale::ShortFormat)
                                                         : ClockText(local, step < 60);
        ticks.push_back({t, label});
    }
    return ticks;
}

QString ElapsedText(double seconds, bool withSeconds)
{
    const long long total = std::llround(seconds);
    const long long magnitude = std::llabs(total);
    QString text = (total < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 3600) + QLatin1Char(':')
                   + Two(static_cast<int>(magnitude / 60 % 60));
    if (withSeconds)
        text += QLatin1Char(':') + Two(static_cast<int>(magnitude % 60));
    return text;
}

QString ClockText(double localSeconds, bool withSeconds)
{
    const QTime clock = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(localSeconds)), Qt::UTC).time();
    return clock.toString(withSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
}

} // namespace ProfileTicks
