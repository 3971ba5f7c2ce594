#pragma once

#include "FitClock.h"
#include "PagePrefault.h"
#include "TrackLoaderBase.h"

class FitMessage;
class TrackData;

// FIT activity files (.fit) from sports watches and bike computers, decoded
// by FitDecoder.
// - Every record message with a position is a point: time, elevation
//   (enhanced_altitude, else altitude), speed (enhanced_speed, else speed;
//   kept as km/h), heart rate, cadence, temperature and power. Distance and
//   every other field and message (laps, sessions, devices, developer data)
//   are not read: distances are recomputed from the positions. Times
//   counted from the device's power-on are made UTC by FitClock.
// - A record without a position (indoors, before the first fix) is skipped
//   and counted.
// - The segments lie straight below the file node. Laps and sessions do not
//   break them; a timer stopped and started again does, for the time between
//   is a real pause.
// - Damage (a checksum that does not match, a cut-off end, a message the
//   decoder cannot place) keeps the points before it: status Damaged.
class FitLoader : public TrackLoaderBase
{
public:
    TrackFileType GetFileType() const override { return TrackFileFit; }

    // Record messages of the last read that had no position.
    long long GetSkippedPointCount() const { return m_skipped; }

protected:
    void OnLoadStarting() override;
    bool ReadContent(QIODevice& device, LoadContext& context) override;

private:
    bool OnMessage(const FitMessage& message, LoadContext& context);
    void AddRecord(const FitMessage& message, LoadContext& context);
    void ReserveForRestOfFile(const FitMessage& message);
    void OnEvent(const FitMessage& message);

    TrackData* m_segment = nullptr;
    // Of the points reserved for the segment being read.
    PagePrefault m_prefault;
    const unsigned char* m_bufferEnd = nullptr;
    FitClock m_clock;
    bool m_timerStopped = false;
    bool m_breakPending = false;
    long long m_messages = 0;
    long long m_skipped = 0;
};
