#include "BytesDisp.h"

#include "Locale.h"

#include <QStringList>

#include <cmath>

namespace {

constexpr int DEFAULT_DECIMALS = 1;

} // namespace

QString BytesDisp::GetBytesString(int64_t bytes, int decimals)
{
    static const QStringList units = {QStringLiteral("KiB"), QStringLiteral("MiB"), QStringLiteral("GiB"),
                                      QStringLiteral("TiB"), QStringLiteral("PiB"), QStringLiteral("EiB")};
    if (std::llabs(bytes) < 1024)
        return Locale::GetIntString(bytes) + QStringLiteral(" B");
    if (decimals < 0)
        decimals = DEFAULT_DECIMALS;
    const double scale = std::pow(10.0, decimals);
    double value = static_cast<double>(bytes) / 1024.0;
    qsizetype unit = 0;
    // Move up while the rounded text would reach 1024 ("1024.0 KiB" is "1.0 MiB").
    while (std::round(std::abs(value) * scale) / scale >= 1024.0 && unit + 1 < units.size()) {
        value /= 1024.0;
        ++unit;
    }
    return Locale::GetDoubleString(value, decimals) + QLatin1Char(' ') + units[unit];
}
