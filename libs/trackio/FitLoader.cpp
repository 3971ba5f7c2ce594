#include "FitLoader.h"

#include "FitClock.h"
#include "FitDecoder.h"
#include "LoadContext.h"
#include "SpareCapacity.h"
#include "TrackData.h"
#include "WholeDeviceRead.h"

#include <QIODevice>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr long long MessagesPerCancelCheck = 4096;
constexpr double DegreesPerSemicircle = 180.0 / 2147483648.0;
constexpr double KmhPerMetrePerSecond = 3.6;

enum MessageNumber : uint16_t {
    RecordMessage = 20,
    EventMessage = 21,
    TimestampCorrelationMessage = 162,
};

enum RecordField : int {
    Latitude = 0,
    Longitude = 1,
    Altitude = 2,
    HeartRate = 3,
    Cadence = 4,
    Speed = 6,
    Power = 7,
    Temperature = 13,
    EnhancedSpeed = 73,
    EnhancedAltitude = 78,
};

enum EventField : int {
    Event = 0,
    EventType = 1,
};

constexpr int64_t TimerEvent = 0;
constexpr int64_t StartType = 0;
constexpr int64_t StopType = 1;
constexpr int64_t StopAllType = 4;

// Altitudes are stored as (metres + 500) * 5, speeds as mm/s.
constexpr double AltitudeScale = 5.0;
constexpr double AltitudeOffset = 500.0;
constexpr double SpeedScale = 1000.0;

bool ReadFirst(const FitMessage& message, int preferred, int fallback, int64_t& value)
{
    return message.GetInteger(preferred, value) || message.GetInteger(fallback, value);
}

} // namespace

void FitLoader::OnLoadStarting()
{
    m_segment = nullptr;
    m_clock.Reset();
    m_timerStopped = false;
    m_breakPending = false;
    m_messages = 0;
    m_skipped = 0;
}

bool FitLoader::ReadContent(QIODevice& device, LoadContext& context)
{
    QByteArray bytes;
    if (!ReadWholeDevice(device, context, bytes))
        return false;
    m_bufferEnd = reinterpret_cast<const unsigned char*>(bytes.constData()) + bytes.size();
    FitDecoder decoder([&](const FitMessage& message) { return OnMessage(message, context); });
    const QString damage = decoder.Decode(bytes);
    m_prefault.Stop();
    if (m_segment)
        SpareCapacity::Release(*m_segment);
    if (decoder.WasStopped())
        return false;
    if (!damage.isEmpty())
        context.Damage(damage);
    return true;
}

bool FitLoader::OnMessage(const FitMessage& message, LoadContext& context)
{
    if (++m_messages % MessagesPerCancelCheck == 0 && context.IsCancelled())
        return false;
    if (message.GetGlobalNumber() == RecordMessage)
        AddRecord(message, context);
    else if (message.GetGlobalNumber() == EventMessage)
        OnEvent(message);
    else if (message.GetGlobalNumber() == TimestampCorrelationMessage)
        m_clock.Correlate(message);
    return true;
}

void FitLoader::AddRecord(const FitMessage& message, LoadContext& context)
{
    int64_t lat = 0, lon = 0;
    if (!message.GetInteger(Latitude, lat) || !message.GetInteger(Longitude, lon)) {
        ++m_skipped;
        return;
    }
    const double latDegrees = static_cast<double>(lat) * DegreesPerSemicircle;
    const double lonDegrees = static_cast<double>(lon) * DegreesPerSemicircle;
    if (std::abs(latDegrees) > 90.0 || std::abs(lonDegrees) > 180.0) {
        ++m_skipped;
        return;
    }
    TrackPoint point;
    point.Set2D({lonDegrees, latDegrees});
    int64_t value = 0;
    if (ReadFirst(message, EnhancedAltitude, Altitude, value)) {
        // Offset first, in whole units, so that the one rounding is the division.
        point.SetElevation((static_cast<double>(value) - AltitudeOffset * AltitudeScale) / AltitudeScale);
    }
    TrackPointGpsParams& gps = point.GetGpsParams();
    if (ReadFirst(message, EnhancedSpeed, Speed, value))
        gps.SetGpsSpeed(static_cast<double>(value) / SpeedScale * KmhPerMetrePerSecond);
    if (message.GetInteger(HeartRate, value) && value >= 0 && value <= UCHAR_MAX)
        gps.SetHeartRate(static_cast<unsigned char>(value));
    if (message.GetInteger(Cadence, value) && value >= 0 && value <= UCHAR_MAX)
        gps.SetCadence(static_cast<unsigned char>(value));
    if (message.GetInteger(Temperature, value))
        gps.SetTemperature(static_cast<float>(value));
    if (message.GetInteger(Power, value) && TrackPoint::IsPowerReading(static_cast<double>(value)))
        point.SetPower(static_cast<double>(value));

    if (!m_segment || m_breakPending) {
        m_prefault.Stop();
        if (m_segment)
            SpareCapacity::Release(*m_segment);
        m_segment = &context.AddSegment(context.GetFileTid(), QString());
        ReserveForRestOfFile(message);
    }
    m_breakPending = false;
    m_segment->Append(point);
    uint32_t seconds = 0;
    if (message.GetTimestamp(seconds))
        m_clock.SetTime(seconds, *m_segment);
}

void FitLoader::ReserveForRestOfFile(const FitMessage& message)
{
    // As if every message left were a record like this one; what a timer
    // stop or the file's other messages leave unused is released later.
    const auto left = static_cast<size_t>(m_bufferEnd - message.GetData()) / message.GetSizeWithHeader() + 1;
    m_segment->Reserve(static_cast<int>(std::min<size_t>(left, INT_MAX)));
    std::vector<TrackPoint>& points = m_segment->GetPoints();
    m_prefault = PagePrefault(points.data(), points.capacity() * sizeof(TrackPoint));
}

void FitLoader::OnEvent(const FitMessage& message)
{
    int64_t event = 0, type = 0;
    if (!message.GetInteger(Event, event) || event != TimerEvent || !message.GetInteger(EventType, type))
        return;
    if (type == StopType || type == StopAllType) {
        m_timerStopped = true;
    } else if (type == StartType && m_timerStopped) {
        m_timerStopped = false;
        m_breakPending = true;
    }
}
