#include "TimeZones.h"

#include "ProcessSingleton.h"
#include "TimeConv.h"

#include <algorithm>

namespace {

TimeZoneSettings::Method ValidMethod(int method)
{
    if (method < TimeZoneSettings::Utc || method > TimeZoneSettings::Custom)
        return TimeZoneSettings::System;
    return static_cast<TimeZoneSettings::Method>(method);
}

int IndexOf(const QString& zoneName)
{
    const QStringList& zones = TimeZones::GetAllTimeZones();
    const auto found = std::lower_bound(zones.begin(), zones.end(), zoneName);
    if (zoneName.isEmpty() || found == zones.end() || *found != zoneName)
        return -1;
    return static_cast<int>(found - zones.begin());
}

} // namespace

TimeZones::Options::Options()
    : OblOptionsBase(QStringLiteral("Settings\\TimeZones"))
{
    method.Init(GetOblOptionSectI(), QStringLiteral("Method"));
    zoneName.Init(GetOblOptionSectI(), QStringLiteral("Zone"));
}

TimeZones::TimeZones()
{
    UpdateZone();
}

TimeZones& TimeZones::GetInstance()
{
    return ProcessSingleton<TimeZones>::Instance();
}

const QStringList& TimeZones::GetAllTimeZones()
{
    static const QStringList zones = [] {
        QStringList names;
        for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
            names.append(QString::fromUtf8(id));
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        return names;
    }();
    return zones;
}

TimeZoneSettings TimeZones::GetTZSettings() const
{
    return TimeZoneSettings(ValidMethod(m_options.method.Get()), IndexOf(m_options.zoneName.Get()));
}

bool TimeZones::SetTZSettings(const TimeZoneSettings& settings)
{
    const TimeZoneSettings before = GetTZSettings();
    const QStringList& zones = GetAllTimeZones();
    const bool known = settings.index >= 0 && settings.index < zones.size();
    m_options.zoneName.Set(known ? zones[settings.index] : QString());
    m_options.method.Set(ValidMethod(settings.method));
    UpdateZone();
    if (GetTZSettings() == before)
        return false;
    m_changed();
    return true;
}

Time TimeZones::FromUtc(const Time& utc) const
{
    return TimeConv::UtcToLocal(utc, m_zone);
}

TimeSpan TimeZones::GetUtcOffset(const Time& utc) const
{
    return TimeConv::GetUtcOffset(utc, m_zone);
}

boost::signals2::scoped_connection TimeZones::Subscribe(Slot slot)
{
    return m_changed.connect(std::move(slot));
}

void TimeZones::UpdateZone()
{
    const TimeZoneSettings settings = GetTZSettings();
    if (settings.method == TimeZoneSettings::System)
        m_zone = QTimeZone::systemTimeZone();
    else if (settings.method == TimeZoneSettings::Custom && settings.index >= 0)
        m_zone = QTimeZone(GetAllTimeZones()[settings.index].toUtf8());
    else
        m_zone = QTimeZone::utc();
}
