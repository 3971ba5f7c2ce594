#include "LocalWorkState.h"

#include "Median.h"
#include "StopFinder.h"
#include "TimeCurve.h"
#include "TrackI.h"
#include "TrackPoint.h"
#include "TrackPtNavI.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double MaxGapSeconds = 60.0;
constexpr double MinGapKm = 0.01;
// More would let the curve, rather than the recorded points, shape the
// neighbourhood of a long gap.
constexpr int MaxSyntheticPerGap = 4;

// The usual time step between consecutive records, ignoring steps that are
// not forward in time.
double UsualStep(const std::vector<LocalRecord>& records)
{
    std::vector<double> steps;
    steps.reserve(records.size());
    for (size_t i = 1; i < records.size(); ++i) {
        const double step = records[i].seconds - records[i - 1].seconds;
        if (step > 0)
            steps.push_back(step);
    }
    return steps.empty() ? 0 : Median(steps);
}

} // namespace

LocalWorkState::LocalWorkState(std::vector<LocalRecord> records)
    : m_records(std::move(records))
{
}

LocalWorkState LocalWorkState::FromTrack(const TrackI& track)
{
    std::vector<int> valid;
    track.GetPtNav().GetValidIndices(valid);
    std::vector<LocalRecord> records;
    records.reserve(valid.size());
    Time start;
    TrackPoint point;
    for (const int index : valid) {
        track.GetPoint(index, point);
        const Time& time = point.GetTime();
        if (start.IsNull())
            start = time;
        LocalRecord record;
        record.lon = point.GetLon();
        record.lat = point.GetLat();
        record.seconds = time.IsNull() || start.IsNull() ? std::numeric_limits<double>::quiet_NaN()
                                                         : static_cast<double>(time.GetMicroseconds()
                                                                               - start.GetMicroseconds())
                                                               * 1e-6;
        record.index = index;
        records.push_back(record);
    }
    return LocalWorkState(std::move(records));
}

void LocalWorkState::Reject(const LocalRecord& record, int key)
{
    if (!record.IsSynthetic())
        m_rejections[record.index] = key;
}

void LocalWorkState::EvaluateNeighbourhood(double toleranceKm)
{
    if (m_records.size() < 3)
        return;
    std::vector<LocalRecord> kept;
    kept.reserve(m_records.size());
    kept.push_back(m_records.front());
    for (size_t i = 1; i + 1 < m_records.size(); ++i) {
        const LocalRecord& record = m_records[i];
        if (LocalRecord::DistanceKm(kept.back(), record) >= toleranceKm
            || LocalRecord::DistanceKm(record, m_records[i + 1]) >= toleranceKm)
            kept.push_back(record);
        else
            Reject(record, TooCloseReason);
    }
    kept.push_back(m_records.back());
    m_records.swap(kept);
}

void LocalWorkState::EvaluateTime(double spanSeconds)
{
    DropSynthetic();
    const double usual = UsualStep(m_records);
    if (!(usual > 0))
        return;
    std::vector<LocalRecord> filled;
    filled.reserve(m_records.size());
    const size_t count = m_records.size();
    for (size_t i = 0; i < count; ++i) {
        const LocalRecord& a = m_records[i];
        filled.push_back(a);
        if (i + 1 == count)
            break;
        const LocalRecord& b = m_records[i + 1];
        const double gap = b.seconds - a.seconds;
        if (!(gap >= spanSeconds && gap <= MaxGapSeconds) || LocalRecord::DistanceKm(a, b) < MinGapKm)
            continue;
        const int synthetic = std::min(MaxSyntheticPerGap, static_cast<int>(std::ceil(gap / usual)) - 1);
        const TimeCurve curve(m_records[i > 0 ? i - 1 : i], a, b, m_records[std::min(i + 2, count - 1)]);
        for (int k = 1; k <= synthetic; ++k) {
            LocalRecord record;
            record.seconds = a.seconds + gap * k / (synthetic + 1);
            curve.Evaluate(record.seconds, record.lon, record.lat);
            filled.push_back(record);
        }
    }
    m_records.swap(filled);
}

void LocalWorkState::DropSynthetic()
{
    std::erase_if(m_records, [](const LocalRecord& record) { return record.IsSynthetic(); });
}

int LocalWorkState::Select(int limit)
{
    const size_t before = m_records.size();
    std::erase_if(m_records, [this, limit](const LocalRecord& record) {
        if (record.score < limit)
            return false;
        Reject(record, record.score * 1000 + m_code);
        return true;
    });
    return static_cast<int>(before - m_records.size());
}

void LocalWorkState::CollapseStops()
{
    DropSynthetic();
    std::vector<bool> drop(m_records.size(), false);
    for (const StopFinder::Stop& stop : StopFinder::Find(m_records)) {
        for (int i = stop.first; i <= stop.last; ++i)
            drop[static_cast<size_t>(i)] = i != stop.middle;
    }
    // The ends of the track stay, as in every other evaluation.
    if (!drop.empty())
        drop.front() = drop.back() = false;
    std::vector<LocalRecord> kept;
    kept.reserve(m_records.size());
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (drop[i])
            Reject(m_records[i], TooCloseReason);
        else
            kept.push_back(m_records[i]);
    }
    m_records.swap(kept);
}

int LocalWorkState::WriteBack(TrackI& track) const
{
    for (const auto& [index, key] : m_rejections) {
        if (TrackPointStatus* status = track.GetPointStatus(index))
            status->SetFilterReason(key);
    }
    for (const LocalRecord& record : m_records) {
        if (record.IsSynthetic())
            continue;
        if (TrackPointStatus* status = track.GetPointStatus(record.index))
            status->SetPenalty(static_cast<unsigned short>(std::clamp(record.score, 0, 1000)));
    }
    track.Refresh(false);
    return static_cast<int>(m_rejections.size());
}
