#include "PaletteParameter.h"

#include <array>
#include <utility>

namespace PaletteParameter {

Id FromName(const QString& name)
{
    static const std::array<std::pair<const char*, Id>, 10> names{{
        {"speed", Speed},
        {"elevation", Elevation},
        {"steepness", Steepness},
        {"heart_rate", HeartRate},
        {"hr", HeartRate},
        {"cadence", Cadence},
        {"temperature", Temperature},
        {"gps_speed", GpsSpeed},
        {"heading", Heading},
        {"gps_heading", GpsHeading},
    }};
    const QString lower = name.toLower();
    for (const auto& [text, id] : names) {
        if (lower == QLatin1String(text))
            return id;
    }
    return Unknown;
}

Aggregate AggregateFromName(const QString& name)
{
    if (name == QLatin1String("min"))
        return Min;
    if (name == QLatin1String("max"))
        return Max;
    return Avg;
}

} // namespace PaletteParameter
