#include "PieceValue.h"

#include "TrackI.h"
#include "TrackPointEx.h"
#include "TrackPointMethods.h"

#include <algorithm>

namespace {

using namespace PaletteParameter;
using PieceValue::MinClimbMetres;
using PieceValue::MinHours;
using PieceValue::MinSeconds;
using PieceValue::NoMinimum;

class Piece
{
public:
    Piece(const TrackI& segment, const std::vector<int>& indices)
    {
        m_points.resize(indices.size());
        for (size_t i = 0; i < indices.size(); ++i)
            segment.GetPointEx(indices[i], m_points[i]);
    }

    size_t Size() const { return m_points.size(); }
    const TrackPointEx& At(size_t i) const { return m_points[i]; }
    const TrackPointEx& First() const { return m_points.front(); }
    const TrackPointEx& Last() const { return m_points.back(); }
    double Seconds(size_t from, size_t to) const { return (At(to).GetTime() - At(from).GetTime()).GetInSeconds(); }
    double TotalSeconds() const { return Seconds(0, Size() - 1); }

    // Over the points 2 to n: each carries the leg that ends at it.
    template <typename Get>
    double SumOfLegs(Get get) const
    {
        double sum = 0;
        for (size_t i = 1; i < Size(); ++i)
            sum += get(At(i));
        return sum;
    }
    // Over the points 1 to n - 1: receiver values recorded at the start of
    // each leg.
    template <typename Get>
    double MeanOfStarts(Get get) const
    {
        double sum = 0;
        for (size_t i = 0; i + 1 < Size(); ++i)
            sum += get(At(i));
        return sum / static_cast<double>(Size() - 1);
    }

private:
    std::vector<TrackPointEx> m_points;
};

double SpeedValue(const Piece& piece, Aggregate aggregate)
{
    if (aggregate == Avg) {
        const double km = piece.SumOfLegs([](const TrackPointEx& p) { return p.GetCalcParams().Dist; }) / 1000.0;
        return km / std::max(piece.TotalSeconds() / 3600.0, MinHours);
    }
    double result = aggregate == Min ? NoMinimum : 0.0;
    for (size_t i = 1; i < piece.Size(); ++i) {
        const double speed = piece.At(i).GetCalcParams().Speed;
        result = aggregate == Min ? std::min(result, speed) : std::max(result, speed);
    }
    return result;
}

double GpsSpeedValue(const Piece& piece, Aggregate aggregate)
{
    if (aggregate == Avg) {
        double weighted = 0;
        for (size_t i = 0; i + 1 < piece.Size(); ++i)
            weighted += piece.At(i).GetGpsParams().GetGpsSpeed() * piece.Seconds(i, i + 1) / 3600.0;
        return weighted / std::max(piece.TotalSeconds() / 3600.0, MinHours);
    }
    double result = aggregate == Min ? NoMinimum : 0.0;
    for (size_t i = 0; i + 1 < piece.Size(); ++i) {
        const double speed = piece.At(i).GetGpsParams().GetGpsSpeed();
        result = aggregate == Min ? std::min(result, speed) : std::max(result, speed);
    }
    return result;
}

double ElevationValue(const Piece& piece)
{
    double weighted = 0;
    for (size_t i = 0; i + 1 < piece.Size(); ++i)
        weighted += (piece.At(i).GetElevation() + piece.At(i + 1).GetElevation()) / 2 * piece.Seconds(i, i + 1);
    return weighted / std::max(piece.TotalSeconds(), MinSeconds);
}

double SteepnessValue(const Piece& piece)
{
    const double metres = piece.SumOfLegs([](const TrackPointEx& p) { return p.GetCalcParams().Dist3D; });
    return (piece.Last().GetElevation() - piece.First().GetElevation()) / std::max(metres, MinClimbMetres) * 100.0;
}

double HeadingValue(const Piece& piece)
{
    if (piece.Size() == 2)
        return piece.Last().GetCalcParams().Heading;
    return TrackPointMethods::GetHeading(piece.First(), piece.Last());
}

} // namespace

double PieceValue::Compute(const TrackI& segment, Id parameter, Aggregate aggregate, const std::vector<int>& piece)
{
    if (piece.size() < 2)
        return 0.0;
    const Piece points(segment, piece);
    switch (parameter) {
    case Speed:
        return SpeedValue(points, aggregate);
    case Elevation:
        return ElevationValue(points);
    case Steepness:
        return SteepnessValue(points);
    case HeartRate:
        return points.MeanOfStarts([](const TrackPointEx& p) { return p.GetGpsParams().GetHeartRate(); });
    case Cadence:
        return points.MeanOfStarts([](const TrackPointEx& p) { return p.GetGpsParams().GetCadence(); });
    case Temperature:
        return points.MeanOfStarts([](const TrackPointEx& p) { return p.GetGpsParams().GetTemperature(); });
    case GpsSpeed:
        return GpsSpeedValue(points, aggregate);
    case Heading:
        return HeadingValue(points);
    case GpsHeading:
        return points.Last().GetGpsParams().GetGpsAzimuth();
    default:
        return 0.0;
    }
}
