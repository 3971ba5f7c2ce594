#pragma once

struct LocalRecord;

// Where a moving receiver is expected at a given time between two records,
// judged from them and one record on each side: a cubic Hermite segment in
// time whose tangents are the velocities of the parabola through three
// consecutive records (a Catmull-Rom spline on non-uniform times). Unlike a
// curve in record order it follows changes of speed, so evenly accelerating
// points lie on it. Records without a usable time step fall back to the
// chord between the two middle records.
class TimeCurve
{
public:
    TimeCurve(const LocalRecord& before, const LocalRecord& from, const LocalRecord& to, const LocalRecord& after);

    // The position at seconds, which should lie between the times of from
    // and to.
    void Evaluate(double seconds, double& lon, double& lat) const;

private:
    const LocalRecord& m_before;
    const LocalRecord& m_from;
    const LocalRecord& m_to;
    const LocalRecord& m_after;
};
