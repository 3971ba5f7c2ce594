#include "TrackTimeEdits.h"

#include "ResetTimeCore.h"
#include "TimeShift.h"
#include "TrackI.h"

bool TrackTimeEdits::ShiftToStart(TrackI& track, const Time& start)
{
    const Time oldStart = TimeShift::GetStartTime(track.GetTrackData());
    if (oldStart.IsNull())
        return false;
    ShiftBy(track, start - oldStart);
    return true;
}

void TrackTimeEdits::ShiftBy(TrackI& track, TimeSpan shift)
{
    TimeShift::Apply(track.GetTrackData(), shift);
    track.Refresh(false);
}

bool TrackTimeEdits::Retime(TrackI& track, double speedKmh, const Time& start)
{
    ResetTimeCore core(track.GetTrackData());
    const ResetTimeCore::Choice choice{start, speedKmh};
    if (!start.IsNull()) {
        // The recorded times are dropped: the track runs from the start.
        core.ClearTimes();
        core.Apply(ResetTimeCore::NoTimes, false, choice);
    } else if (!core.Run(true, [&choice](ResetTimeCore::TimeCase mode, ResetTimeCore::Choice& out) {
                   out = choice;
                   return mode != ResetTimeCore::NoTimes;
               })) {
        return false;
    }
    track.Refresh(false);
    return true;
}
