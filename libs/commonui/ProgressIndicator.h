#pragma once

#include <QtGlobal>

// The status-bar progress of a batch of work, smoothed so that the bar keeps
// moving through long steps and lingers at 100 % briefly when the batch ends.
// Times are milliseconds on any steady clock, passed in by the caller.
class ProgressIndicator
{
public:
    enum State { Inactive = 0, Running = 1, Finishing = 2 };
    // What the caller should do with the status text.
    enum TextChange { KeepText, ShowProcessing, ClearText };

    static constexpr qint64 kStallMs = 500;
    static constexpr qint64 kQuickFinishMs = 100;
    static constexpr qint64 kFinishingMs = 600;

    // Once per tick while work is under way, with the reported percent.
    TextChange SetPercent(double reported, qint64 nowMs);
    // Once per tick while no work is under way.
    TextChange Idle(qint64 nowMs);

    State GetState() const { return m_state; }
    // The percent to show, 0 to 100.
    double GetShown() const { return m_shown; }

private:
    void Reset();

    State m_state = Inactive;
    double m_shown = 0;
    double m_reported = 0;
    qint64 m_startMs = 0;
    qint64 m_lastRiseMs = 0;
};
