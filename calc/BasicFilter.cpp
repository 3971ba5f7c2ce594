#include "BasicFilter.h"

#include "TrackPointEx.h"

int BasicFilterDist::Check(const TrackPointEx& point) const
{
    return RejectWhen(point.GetCalcParams().Dist < GetLimit());
}

int BasicFilterHighSpeed::Check(const TrackPointEx& point) const
{
    return RejectWhen(point.GetCalcParams().Speed > GetLimit());
}

int BasicFilterLowSpeed::Check(const TrackPointEx& point) const
{
    return RejectWhen(point.GetCalcParams().Speed < GetLimit());
}

int BasicFilterAccForward::Check(const TrackPointEx& point) const
{
    return RejectWhen(point.GetCalcParams().AccelTang > GetLimit());
}

int BasicFilterAccBrake::Check(const TrackPointEx& point) const
{
    return RejectWhen(point.GetCalcParams().AccelTang < -GetLimit());
}

int BasicFilterAccRadial::Check(const TrackPointEx& point) const
{
    return RejectWhen(point.GetCalcParams().AccelNorm > GetLimit());
}
