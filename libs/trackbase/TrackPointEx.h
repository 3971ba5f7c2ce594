#pragma once

#include "CalcTrackParams.h"
#include "TrackPoint.h"

// A point together with its derived parameters.
class TrackPointEx : public TrackPoint
{
public:
    TrackPointEx() = default;
    explicit TrackPointEx(const TrackPoint& point, const CalcTrackParams& params = CalcTrackParams())
        : TrackPoint(point)
        , m_params(params)
    {
    }

    const CalcTrackParams& GetCalcParams() const { return m_params; }
    void SetCalcParams(const CalcTrackParams& params) { m_params = params; }

private:
    CalcTrackParams m_params;
};
