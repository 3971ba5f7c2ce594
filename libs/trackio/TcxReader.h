#pragma once

#include "ExpatStreamReader.h"
#include "TrackPoint.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

class TrackData;

// Reads Garmin Training Center XML, v1 (History/Run) and v2 (Activities,
// Courses), into the tree below the file node:
//
//   folder per Activity, named by its Id (a time), or for a v1 run, which has
//   no Id, by its sport and the start of its first lap
//     segment per Lap, "Lap N" (N counts every lap of the activity, so the
//     numbers match the device's). A lap holding several Track elements (the
//     recording was paused or stopped and resumed inside the lap) gives a
//     segment per Track, "Lap N", "Lap N (2)", ...: a segment is one
//     unbroken recording, and the pause between two tracks is a real break.
//   folder per Course, named by its Name
//     segment per Track, named like the course ("Name", "Name (2)", ...)
//
// Per point: Time, Position, AltitudeMeters, HeartRateBpm (v2 Value or v1
// plain number), Cadence, and from the ActivityExtension TPX, Speed (m/s,
// kept as km/h) and RunCadence. DistanceMeters, SensorState and Watts are
// dropped: the distance is recomputed from the positions and there is no
// place for power in a point. A Trackpoint without Position (a heart-rate
// sample while the receiver had no fix) is not a point of the track: it is
// skipped and counted. Laps' summaries, course points, Notes and the
// Creator are not read. Folders and segments that get no point are not made.
class TcxReader : public ExpatStreamReader
{
public:
    explicit TcxReader(LoadContext& context);

    // Trackpoints left out for want of a Position.
    long long GetSkippedPointCount() const { return m_skipped; }

protected:
    void OnStartElement(const Name& name, const char** attributes) override;
    void OnEndElement(const Name& name) override;

private:
    enum class Tag : unsigned char {
        Other,
        Database,
        History,
        Activity,
        Run,
        Course,
        Id,
        Name,
        Lap,
        Track,
        Trackpoint,
        Time,
        Position,
        Latitude,
        Longitude,
        Altitude,
        HeartRate,
        Value,
        Cadence,
        Tpx,
        Speed,
        Watts,
        RunCadence,
    };

    // The Activity, Run or Course being read.
    struct Owner
    {
        bool open = false;
        std::string name;
        std::string sport;
        std::string firstLapStart;
        int folderTid = -1;
        int laps = 0;
        int tracksInLap = 0;
        int tracks = 0;
    };

    static Tag Classify(std::string_view local);
    Tag Parent() const;

    void BeginOwner(std::string sport);
    void BeginTrack(Tag parent);
    void BeginTrackpoint(Tag parent);
    void EndTrackpoint();
    void EndPosition();
    void EndTrack();
    TrackData& Segment();
    int OwnerFolder();
    QString OwnerName() const;

    bool ReadNumber(std::string_view element, double& value);
    // Heart rate and cadence: blank leaves the point as it is, a value
    // beyond 0..255 is not a reading and is left out too.
    bool ReadByte(std::string_view element, unsigned char& value, bool& present);
    void FailValue(std::string_view element, std::string_view reason);

    std::vector<Tag> m_stack;
    std::string m_historySport;
    Owner m_owner;
    QString m_segmentName;
    TrackData* m_segment = nullptr;
    TrackPoint m_point;
    bool m_inTrackpoint = false;
    bool m_hasLatitude = false;
    bool m_hasLongitude = false;
    long long m_skipped = 0;
};
