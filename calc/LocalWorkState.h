#pragma once

#include "LocalRecord.h"

#include <map>
#include <vector>

class TrackI;

// The records that the local-inconsistency passes work on, with what they
// took out so far. Records leave the state for good; their points are only
// marked when the result is written back.
class LocalWorkState
{
public:
    static constexpr int TooCloseReason = 15;

    explicit LocalWorkState(std::vector<LocalRecord> records);
    // One record per valid point of the track, times counted from the first.
    static LocalWorkState FromTrack(const TrackI& track);

    std::vector<LocalRecord>& GetRecords() { return m_records; }
    const std::vector<LocalRecord>& GetRecords() const { return m_records; }
    // Point index -> reason key.
    const std::map<int, int>& GetRejections() const { return m_rejections; }

    // The reason code that the next selection writes into its keys.
    void SetCode(int code) { m_code = code; }
    int GetCode() const { return m_code; }

    // Drops each record, other than the first and the last, that lies
    // within toleranceKm of both the last record kept and the next record;
    // real ones are rejected as too close.
    void EvaluateNeighbourhood(double toleranceKm);
    // Puts synthetic records along the curve into the gaps of spanSeconds to
    // a minute that are longer than the usual step of the track, so that
    // offsets in records stand for similar spans of time on both sides.
    // Synthetic records from an earlier evaluation are replaced.
    void EvaluateTime(double spanSeconds);
    // The pass over the state between evaluations: only real records stay.
    void DropSynthetic();
    // Takes out every record scoring at least limit with the key
    // score * 1000 + the current code; returns how many.
    int Select(int limit);
    // Where the receiver stood still, keeps the record nearest the middle of
    // the stop and rejects the others as too close.
    void CollapseStops();

    // Marks the rejected points, gives the others their score as penalty and
    // refreshes the track; returns the number of points marked.
    int WriteBack(TrackI& track) const;

private:
    void Reject(const LocalRecord& record, int key);

    std::vector<LocalRecord> m_records;
    std::map<int, int> m_rejections;
    int m_code = 0;
};
