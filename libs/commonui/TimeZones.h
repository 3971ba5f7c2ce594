#pragma once

#include "OblOptions.h"
#include "Time.h"

#include <QStringList>
#include <QTimeZone>

#include <boost/signals2/connection.hpp>
#include <boost/signals2/signal.hpp>

#include <functional>

// The user's choice of the zone in which times are shown.
struct TimeZoneSettings
{
    // Stored and shown as these numbers (the options dialog's radio buttons).
    enum Method { Utc = 0, System = 1, Custom = 2 };

    TimeZoneSettings(Method method = System, int index = -1)
        : method(method)
        , index(index)
    {
    }

    bool operator==(const TimeZoneSettings&) const = default;

    Method method;
    // Into TimeZones::GetAllTimeZones; -1 for none. Kept whatever the method,
    // so the zone list still shows the last custom zone.
    int index;
};

// The zone in which every time is shown to the user: UTC, the system's zone
// or a zone picked from the list, with its real daylight-saving rules. The
// choice persists under "Settings\TimeZones"; the zone is kept by name, not
// by index, so an update of the zone database cannot move it to another zone.
class TimeZones
{
public:
    using Slot = std::function<void()>;

    // Reads the stored choice. The program uses the one GetInstance.
    TimeZones();
    static TimeZones& GetInstance();

    // Zone names ("Europe/Berlin"), sorted; the same list for the whole run.
    static const QStringList& GetAllTimeZones();

    // A stored zone that is no longer in the list reads as index -1.
    TimeZoneSettings GetTZSettings() const;
    // Stores the choice; an index outside the list is stored as -1. Returns
    // whether the choice changed, and only then tells the subscribers.
    bool SetTZSettings(const TimeZoneSettings& settings);

    // A UTC time as the wall-clock time of the chosen zone. A custom choice
    // without a valid zone shows UTC.
    Time FromUtc(const Time& utc) const;
    // Chosen zone's time minus UTC at that moment.
    TimeSpan GetUtcOffset(const Time& utc) const;

    // The subscription ends when the returned connection is destroyed.
    [[nodiscard]] boost::signals2::scoped_connection Subscribe(Slot slot);

private:
    class Options : public OblOptionsBase
    {
    public:
        Options();

        OblOptionInt method{TimeZoneSettings::System};
        OblOptionString zoneName;
    };

    void UpdateZone();

    Options m_options;
    QTimeZone m_zone;
    boost::signals2::signal<void()> m_changed;
};
