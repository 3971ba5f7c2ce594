#pragma once

// Parameters derived from a point and its neighbours (filled by the
// calculated point data of the model): distances in metres, speed in km/h,
// accelerations in m/s², heading in degrees.
struct CalcTrackParams
{
    double Dist = 0;
    double Dist3D = 0;
    float Speed = 0;
    float Accel = 0;
    float AccelAbs = 0;
    float AccelTang = 0;
    float AccelNorm = 0;
    float Heading = 0;
    double DistFromStart = 0;

    bool operator==(const CalcTrackParams&) const = default;
};
