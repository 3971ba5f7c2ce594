#include "FitClock.h"

#include "FitMessage.h"
#include "TrackData.h"

namespace {

constexpr int64_t FitEpochUnixSeconds = 631065600;
constexpr uint32_t FirstAbsoluteSeconds = 0x10000000;
constexpr int SystemTimestampField = 1;

} // namespace

Time FitClock::FromFitSeconds(int64_t seconds)
{
    return Time::FromMicroseconds((FitEpochUnixSeconds + seconds) * TimeSpan::MicrosecondsPerSecond);
}

void FitClock::Reset()
{
    m_waiting.clear();
    m_hasOffset = false;
    m_offset = 0;
}

void FitClock::SetTime(uint32_t seconds, TrackData& segment)
{
    const int index = segment.GetPointCount() - 1;
    if (seconds >= FirstAbsoluteSeconds)
        segment.GetTrackPoint(index).SetTime(FromFitSeconds(seconds));
    else if (m_hasOffset)
        segment.GetTrackPoint(index).SetTime(FromFitSeconds(seconds + m_offset));
    else
        m_waiting.push_back({&segment, index, seconds});
}

void FitClock::Correlate(const FitMessage& message)
{
    int64_t utc = 0, system = 0;
    if (!message.GetInteger(FitMessage::TimestampField, utc) || !message.GetInteger(SystemTimestampField, system))
        return;
    m_offset = utc - system;
    m_hasOffset = true;
    for (const Waiting& waiting : m_waiting)
        waiting.segment->GetTrackPoint(waiting.index).SetTime(FromFitSeconds(waiting.seconds + m_offset));
    m_waiting.clear();
}
