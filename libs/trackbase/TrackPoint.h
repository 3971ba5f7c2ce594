#pragma once

#include "TVector2.h"
#include "TVector3.h"
#include "Time.h"
#include "TrackPointGpsParams.h"
#include "TrackPointStatus.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The position of a point: x is longitude, y latitude (degrees, WGS 84),
// z elevation in metres.
class TrackPointBase
{
public:
    TrackPointBase() = default;
    explicit TrackPointBase(const TVector3<double>& position) : m_position(position) {}

    const TVector3<double>& Get3D() const { return m_position; }
    TVector2<double> Get2D() const { return {m_position.x, m_position.y}; }
    void Set3D(const TVector3<double>& position) { m_position = position; }
    void Set2D(const TVector2<double>& position)
    {
        m_position.x = position.x;
        m_position.y = position.y;
    }

    double GetLon() const { return m_position.x; }
    double GetLat() const { return m_position.y; }
    double GetElevation() const { return m_position.z; }

protected:
    TVector3<double> m_position;
};

// One recorded point. Elevation is optional: a point read without one keeps
// 0 as its elevation and reports false from HasElevation, so that saving
// does not invent a height.
class TrackPoint : public TrackPointBase
{
public:
    TrackPoint() = default;
    TrackPoint(const TVector3<double>& position, const Time& time)
        : TrackPointBase(position)
        , m_time(time)
        , m_hasElevation(true)
    {
    }

    const Time& GetTime() const { return m_time; }
    void SetTime(const Time& time) { m_time = time; }

    bool HasElevation() const { return m_hasElevation; }
    void SetElevation(double metres)
    {
        m_position.z = metres;
        m_hasElevation = true;
    }
    void ClearElevation()
    {
        m_position.z = 0;
        m_hasElevation = false;
    }

    const TrackPointStatus& GetStatus() const { return m_status; }
    TrackPointStatus& GetStatus() { return m_status; }
    bool IsValid() const { return m_status.IsValid(); }

    const TrackPointGpsParams& GetGpsParams() const { return m_gps; }
    TrackPointGpsParams& GetGpsParams() { return m_gps; }

    // A power meter's reading in watts, where the point carries one. It sits
    // in what would be padding beside the elevation's flag.
    bool HasPower() const { return m_power != NoPower; }
    int GetPower() const { return HasPower() ? m_power : 0; }
    // Rounded to whole watts and held to 0..MaxPower.
    void SetPower(double watts)
    {
        const double held = watts >= 0 ? std::min(watts, static_cast<double>(MaxPower)) : 0.0;
        m_power = static_cast<uint16_t>(std::lround(held));
    }
    void ClearPower() { m_power = NoPower; }
    static constexpr int MaxPower = 0xFFFE;
    // Whether a value read from a file is a reading that SetPower keeps as
    // it is: not negative, not beyond MaxPower, a number.
    static bool IsPowerReading(double watts) { return watts >= 0 && watts <= MaxPower; }

    // Names the markup kept from the file for this point (PointMarkupTable);
    // 0 when there is none. It sits in what would be padding, so it costs
    // no memory, and it moves with the point through every edit.
    uint32_t GetMarkupTag() const { return m_markupTag; }
    void SetMarkupTag(uint32_t tag) { m_markupTag = tag; }

    // The markup tag is an identity, not a value: the same markup read
    // twice gets two tags.
    bool operator==(const TrackPoint& other) const
    {
        return m_position == other.m_position && m_time == other.m_time && m_status == other.m_status
            && m_hasElevation == other.m_hasElevation && m_power == other.m_power && m_gps == other.m_gps;
    }

private:
    static constexpr uint16_t NoPower = 0xFFFF;

    Time m_time;
    TrackPointStatus m_status;
    bool m_hasElevation = false;
    uint16_t m_power = NoPower;
    TrackPointGpsParams m_gps;
    uint32_t m_markupTag = 0;
};

// Millions of points are held at once: they must stay this small.
static_assert(sizeof(TrackPoint) <= 80);
