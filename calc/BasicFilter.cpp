#include "BasicFilter.h"

#include "TrackPointEx.h"

int BasicFilter::Check(const TrackPointEx& point) const
{
    return Rejects(ValueOf(point.GetCalcParams())) ? RejectThis : Keep;
}

double BasicFilterDist::ValueOf(const CalcTrackParams& params) const
{
    return params.Dist;
}

double BasicFilterHighSpeed::ValueOf(const CalcTrackParams& params) const
{
    return params.Speed;
}

double BasicFilterLowSpeed::ValueOf(const CalcTrackParams& params) const
{
    return params.Speed;
}

double BasicFilterAccForward::ValueOf(const CalcTrackParams& params) const
{
    return params.AccelTang;
}

// -a > limit is a < -limit for every float a, NaN included (both false).
double BasicFilterAccBrake::ValueOf(const CalcTrackParams& params) const
{
    return -static_cast<double>(params.AccelTang);
}

double BasicFilterAccRadial::ValueOf(const CalcTrackParams& params) const
{
    return params.AccelNorm;
}
