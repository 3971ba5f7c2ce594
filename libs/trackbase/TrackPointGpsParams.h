#pragma once

#include <cstdint>

enum class PositionFixType : uint8_t {
    Unknown = 0,
    NoFix = 1,
    Fix2D = 2,
    Fix3D = 3,
    Dgps = 4,
    Pps = 5,
};

// Where a temperature was measured (Garmin's atemp and wtemp).
enum class TemperatureType : uint8_t {
    Air = 0,
    Water = 1,
};

// Optional receiver and sensor values of one point. A value that was never
// set reports false from Has and 0 from Get. Values are kept in single
// precision: that holds every digit a receiver writes and keeps a million
// points small. Speed is km/h, azimuth degrees, temperature degrees Celsius.
class TrackPointGpsParams
{
public:
    bool HasHdop() const { return Has(HdopBit); }
    double GetHdop() const { return m_hdop; }
    void SetHdop(double v) { m_hdop = static_cast<float>(v); Mark(HdopBit); }

    bool HasVdop() const { return Has(VdopBit); }
    double GetVdop() const { return m_vdop; }
    void SetVdop(double v) { m_vdop = static_cast<float>(v); Mark(VdopBit); }

    bool HasPdop() const { return Has(PdopBit); }
    double GetPdop() const { return m_pdop; }
    void SetPdop(double v) { m_pdop = static_cast<float>(v); Mark(PdopBit); }

    bool HasSatCount() const { return Has(SatBit); }
    int GetSatCount() const { return m_satCount; }
    void SetSatCount(int v) { m_satCount = static_cast<int16_t>(v); Mark(SatBit); }

    bool HasFixType() const { return Has(FixBit); }
    PositionFixType GetFixType() const { return m_fixType; }
    void SetFixType(PositionFixType v) { m_fixType = v; Mark(FixBit); }

    bool HasGpsSpeed() const { return Has(SpeedBit); }
    double GetGpsSpeed() const { return m_speed; }
    void SetGpsSpeed(double kmh) { m_speed = static_cast<float>(kmh); Mark(SpeedBit); }

    bool HasGpsAzimuth() const { return Has(AzimuthBit); }
    double GetGpsAzimuth() const { return m_azimuth; }
    void SetGpsAzimuth(double degrees) { m_azimuth = static_cast<float>(degrees); Mark(AzimuthBit); }

    bool HasTemperature() const { return Has(TemperatureBit); }
    float GetTemperature() const { return m_temperature; }
    TemperatureType GetTemperatureType() const { return m_temperatureType; }
    void SetTemperature(float celsius, TemperatureType type = TemperatureType::Air)
    {
        m_temperature = celsius;
        m_temperatureType = type;
        Mark(TemperatureBit);
    }

    bool HasCadence() const { return Has(CadenceBit); }
    unsigned char GetCadence() const { return m_cadence; }
    void SetCadence(unsigned char v) { m_cadence = v; Mark(CadenceBit); }

    bool HasHeartRate() const { return Has(HeartRateBit); }
    unsigned char GetHeartRate() const { return m_heartRate; }
    void SetHeartRate(unsigned char v) { m_heartRate = v; Mark(HeartRateBit); }

    bool IsEmpty() const { return m_has == 0; }
    bool operator==(const TrackPointGpsParams&) const = default;

private:
    enum Bit : uint16_t {
        HdopBit = 1 << 0,
        VdopBit = 1 << 1,
        PdopBit = 1 << 2,
        SatBit = 1 << 3,
        FixBit = 1 << 4,
        SpeedBit = 1 << 5,
        AzimuthBit = 1 << 6,
        TemperatureBit = 1 << 7,
        CadenceBit = 1 << 8,
        HeartRateBit = 1 << 9,
    };
    bool Has(Bit bit) const { return (m_has & bit) != 0; }
    void Mark(Bit bit) { m_has = static_cast<uint16_t>(m_has | bit); }

    float m_hdop = 0;
    float m_vdop = 0;
    float m_pdop = 0;
    float m_speed = 0;
    float m_azimuth = 0;
    float m_temperature = 0;
    int16_t m_satCount = 0;
    uint16_t m_has = 0;
    PositionFixType m_fixType = PositionFixType::Unknown;
    TemperatureType m_temperatureType = TemperatureType::Air;
    unsigned char m_cadence = 0;
    unsigned char m_heartRate = 0;
};
