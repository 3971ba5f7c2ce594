#include "IncreaseFrequency.h"

#include "OpenTracksModel.h"
#include "Track.h"
#include "TrackPointMethods.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest whole number of steps that covers the amount; exact for
// amounts that are whole multiples of the step.
long long CeilDiv(int64_t amount, int64_t step)
{
    const int64_t quotient = amount / step;
    return quotient * step < amount ? quotient + 1 : quotient;
}

long long CeilDiv(double amount, double step)
{
    const double quotient = std::trunc(amount / step);
    return static_cast<long long>(quotient * step < amount ? quotient + 1 : quotient);
}

// (a * (k - j) + b * j) / k.
double Mix(double a, double b, long long j, long long k)
{
    return (a * static_cast<double>(k - j) + b * static_cast<double>(j)) / static_cast<double>(k);
}

void MixGpsParams(const TrackPointGpsParams& p, const TrackPointGpsParams& q, long long j, long long k,
                  TrackPointGpsParams& out)
{
    if (p.HasHdop() && q.HasHdop())
        out.SetHdop(Mix(p.GetHdop(), q.GetHdop(), j, k));
    if (p.HasVdop() && q.HasVdop())
        out.SetVdop(Mix(p.GetVdop(), q.GetVdop(), j, k));
    if (p.HasPdop() && q.HasPdop())
        out.SetPdop(Mix(p.GetPdop(), q.GetPdop(), j, k));
    if (p.HasGpsSpeed() && q.HasGpsSpeed())
        out.SetGpsSpeed(Mix(p.GetGpsSpeed(), q.GetGpsSpeed(), j, k));
    // As a plain number, without wrapping at north: the value is only shown.
    if (p.HasGpsAzimuth() && q.HasGpsAzimuth())
        out.SetGpsAzimuth(Mix(p.GetGpsAzimuth(), q.GetGpsAzimuth(), j, k));
    if (p.HasSatCount() && q.HasSatCount())
        out.SetSatCount(static_cast<int>(std::lround(Mix(p.GetSatCount(), q.GetSatCount(), j, k))));
    if (p.HasCadence() && q.HasCadence())
        out.SetCadence(static_cast<unsigned char>(std::lround(Mix(p.GetCadence(), q.GetCadence(), j, k))));
    if (p.HasHeartRate() && q.HasHeartRate())
        out.SetHeartRate(static_cast<unsigned char>(std::lround(Mix(p.GetHeartRate(), q.GetHeartRate(), j, k))));
    if (p.HasTemperature() && q.HasTemperature() && p.GetTemperatureType() == q.GetTemperatureType())
        out.SetTemperature(static_cast<float>(Mix(p.GetTemperature(), q.GetTemperature(), j, k)),
                           p.GetTemperatureType());
}

} // namespace

long long IncreaseFrequency::CountParts(const TrackPoint& p, const TrackPoint& q, TimeSpan timeStep,
                                        double distStepMeters)
{
    if (!p.IsValid() || !q.IsValid())
        return 1;
    long long parts = 1;
    // Zero when either time is missing, negative when q is earlier: both
    // leave the count alone.
    const int64_t dt = (q.GetTime() - p.GetTime()).GetMicroseconds();
    const int64_t step = timeStep.GetMicroseconds();
    if (step > 0 && dt > step)
        parts = CeilDiv(dt, step);
    if (distStepMeters > 0) {
        const double meters = TrackPointMethods::GetRoughDist(p, q) * 1000.0;
        if (meters > distStepMeters)
            parts = std::max(parts, CeilDiv(meters, distStepMeters));
    }
    return parts;
}

unsigned long long IncreaseFrequency::CountPoints(const OpenTracksModel& model, const std::vector<int>& segmentTids,
                                                  TimeSpan timeStep, double distStepMeters)
{
    unsigned long long total = 0;
    for (const int tid : segmentTids) {
        const auto segment = std::dynamic_pointer_cast<Track>(model.GetTrack(tid));
        if (!segment)
            continue;
        const std::vector<TrackPoint>& points = segment->GetTrackDataPtr()->GetPoints();
        total += points.size();
        for (size_t i = 0; i + 1 < points.size() && total <= MaxPoints; ++i) {
            const long long parts = CountParts(points[i], points[i + 1], timeStep, distStepMeters);
            total += static_cast<unsigned long long>(std::min(parts - 1, static_cast<long long>(MaxPoints)));
        }
        if (total > MaxPoints)
            break;
    }
    return total;
}

TrackPoint IncreaseFrequency::Interpolate(const TrackPoint& p, const TrackPoint& q, long long j, long long k)
{
    TrackPoint point;
    point.Set2D({Mix(p.GetLon(), q.GetLon(), j, k), Mix(p.GetLat(), q.GetLat(), j, k)});
    // Height is only invented between two known heights.
    if (p.HasElevation() && q.HasElevation())
        point.SetElevation(Mix(p.GetElevation(), q.GetElevation(), j, k));
    if (!p.GetTime().IsNull() && !q.GetTime().IsNull()) {
        // Whole microseconds, so that no drift builds up over long legs.
        const double span = static_cast<double>((q.GetTime() - p.GetTime()).GetMicroseconds());
        const int64_t offset = std::llround(span * static_cast<double>(j) / static_cast<double>(k));
        point.SetTime(p.GetTime() + TimeSpan::FromMicroseconds(offset));
    }
    MixGpsParams(p.GetGpsParams(), q.GetGpsParams(), j, k, point.GetGpsParams());
    if (p.HasPower() && q.HasPower())
        point.SetPower(Mix(p.GetPower(), q.GetPower(), j, k));
    return point;
}

std::vector<TrackPoint> IncreaseFrequency::Densify(const std::vector<TrackPoint>& points, TimeSpan timeStep,
                                                   double distStepMeters)
{
    if (points.size() < 2)
        return points;
    std::vector<long long> parts(points.size() - 1);
    size_t total = points.size();
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        parts[i] = CountParts(points[i], points[i + 1], timeStep, distStepMeters);
        total += static_cast<size_t>(parts[i] - 1);
    }
    std::vector<TrackPoint> out;
    out.reserve(total);
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        out.push_back(points[i]);
        for (long long j = 1; j < parts[i]; ++j)
            out.push_back(Interpolate(points[i], points[i + 1], j, parts[i]));
    }
    out.push_back(points.back());
    return out;
}

void IncreaseFrequency::Apply(Track& segment, TimeSpan timeStep, double distStepMeters)
{
    std::vector<TrackPoint>& points = segment.GetTrackDataPtr()->GetPoints();
    points = Densify(points, timeStep, distStepMeters);
    segment.Refresh(false);
}

bool IncreaseFrequency::ApplyToSegments(OpenTracksModel& model, const std::vector<int>& segmentTids, TimeSpan timeStep,
                                        double distStepMeters)
{
    if (CountPoints(model, segmentTids, timeStep, distStepMeters) > MaxPoints)
        return false;
    for (int tid : segmentTids) {
        if (auto segment = std::dynamic_pointer_cast<Track>(model.GetTrack(tid)))
            Apply(*segment, timeStep, distStepMeters);
    }
    return true;
}
