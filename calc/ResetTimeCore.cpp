#include "ResetTimeCore.h"

#include "TimeOrderCheck.h"
#include "TrackData.h"
#include "TrackPointMethods.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinStepKm = 0.001;

TimeSpan Hours(double hours)
{
    return TimeSpan::FromSeconds(hours * 3600.0);
}

} // namespace

ResetTimeCore::TimeState ResetTimeCore::GetTimeState() const
{
    const int count = m_points.GetPointCount();
    const int first = FirstTimed();
    TimeState state;
    if (first < 0) {
        state.timeCase = count == 0 ? AllTimed : NoTimes;
        return state;
    }
    const int last = LastTimed();
    state.inverted = first != last && TimeAt(first) >= TimeAt(last);
    bool all = true;
    for (int i = 0; i < count && all; ++i)
        all = HasTime(i);
    if (all)
        state.timeCase = AllTimed;
    else if (first != 0 || last != count - 1 || state.inverted)
        state.timeCase = SomeTimes;
    else
        state.timeCase = Ordered;
    return state;
}

bool ResetTimeCore::Run(bool force, const Ask& ask)
{
    const TimeState state = GetTimeState();
    TimeCase mode = state.timeCase;
    if (mode == AllTimed) {
        if (state.inverted) {
            mode = SomeTimes;
        } else {
            if (force) {
                DiscardBetween(0, m_points.GetPointCount() - 1);
                FillGaps();
            }
            return true;
        }
    }
    Choice choice;
    if (!ask(mode, choice))
        return false;
    Apply(mode, force || state.inverted, choice);
    return true;
}

void ResetTimeCore::Apply(TimeCase mode, bool discard, const Choice& choice)
{
    const int count = m_points.GetPointCount();
    if (count == 0)
        return;
    if (discard && mode != NoTimes) {
        if (mode == SomeTimes)
            DiscardBetween(FirstTimed(), LastTimed());
        else
            DiscardBetween(0, count - 1);
        const int first = FirstTimed();
        const int last = LastTimed();
        if (first >= 0 && first != last && TimeAt(first) >= TimeAt(last))
            m_points.GetTrackPoint(first).SetTime(Time());
    }
    switch (mode) {
    case NoTimes:
        Regenerate(0, choice.start);
        FillForward(0, count - 1, choice.speedKmh);
        break;
    case SomeTimes: {
        const int first = FirstTimed();
        if (first < 0)
            return;
        FillBackward(first, 0, choice.speedKmh);
        FillForward(LastTimed(), count - 1, choice.speedKmh);
        FillGaps();
        break;
    }
    case AllTimed:
    case Ordered:
        FillGaps();
        break;
    }
}

void ResetTimeCore::ClearTimes()
{
    for (int i = 0; i < m_points.GetPointCount(); ++i)
        m_points.GetTrackPoint(i).SetTime(Time());
}

int ResetTimeCore::FirstTimed() const
{
    for (int i = 0; i < m_points.GetPointCount(); ++i) {
        if (HasTime(i))
            return i;
    }
    return -1;
}

int ResetTimeCore::LastTimed() const
{
    for (int i = m_points.GetPointCount() - 1; i >= 0; --i) {
        if (HasTime(i))
            return i;
    }
    return -1;
}

bool ResetTimeCore::HasTime(int index) const
{
    return !TimeAt(index).IsNull();
}

const Time& ResetTimeCore::TimeAt(int index) const
{
    return m_points.GetTrackPoint(index).GetTime();
}

double ResetTimeCore::Step(int index) const
{
    const double km = TrackPointMethods::GetRoughDist(m_points.GetTrackPoint(index), m_points.GetTrackPoint(index + 1));
    return std::max(km, kMinStepKm);
}

void ResetTimeCore::DiscardBetween(int first, int last)
{
    for (int i = first + 1; i < last; ++i)
        m_points.GetTrackPoint(i).SetTime(Time());
}

void ResetTimeCore::Regenerate(int index, const Time& time)
{
    TrackPoint& point = m_points.GetTrackPoint(index);
    point.SetTime(time);
    ++m_regenerated;
    TrackPointStatus& status = point.GetStatus();
    status.SetMode(TrackPointStatus::TimeRegenerated, true);
    const int reason = status.GetFilterReason() % 100;
    if (!status.IsValid() && !time.IsNull()
        && (reason == TimeOrderCheck::ReasonWrongTime || reason == TimeOrderCheck::ReasonNoTime))
        status.SetValid();
}

void ResetTimeCore::FillForward(int anchor, int last, double speedKmh)
{
    const Time start = TimeAt(anchor);
    double km = 0.0;
    for (int i = anchor + 1; i <= last; ++i) {
        km += Step(i - 1);
        Regenerate(i, start + Hours(km / speedKmh));
    }
}

void ResetTimeCore::FillBackward(int anchor, int first, double speedKmh)
{
    const Time end = TimeAt(anchor);
    double km = 0.0;
    for (int i = anchor - 1; i >= first; --i) {
        km += Step(i);
        Regenerate(i, end - Hours(km / speedKmh));
    }
}

void ResetTimeCore::FillGaps()
{
    int previous = -1;
    for (int i = 0; i < m_points.GetPointCount(); ++i) {
        if (!HasTime(i))
            continue;
        if (previous >= 0 && i > previous + 1)
            Interpolate(previous, i);
        previous = i;
    }
}

void ResetTimeCore::Interpolate(int from, int to)
{
    double total = 0.0;
    for (int i = from; i < to; ++i)
        total += Step(i);
    // The speed over the gap is its length over its duration; applied from
    // the first known time it lands on the second exactly. Written as a
    // fraction of the duration, a gap of zero duration needs no speed.
    const Time start = TimeAt(from);
    const double span = static_cast<double>((TimeAt(to) - start).GetMicroseconds());
    double km = 0.0;
    for (int i = from + 1; i < to; ++i) {
        km += Step(i - 1);
        Regenerate(i, start + TimeSpan::FromMicroseconds(std::llround(span * km / total)));
    }
}
