#pragma once

struct CalcTrackParams;
class TrackPointEx;

// One threshold rule of the filter by value. The limit is in the program's
// own units (metres, km/h, m/s²); the reason key goes into the points the
// rule rejects. Every comparison is strict: a value exactly at the limit
// passes.
class BasicFilter
{
public:
    enum Verdict {
        Keep = 0,
        RejectPrevious = 1,
        RejectThis = 2,
        RejectNext = 3,
    };

    BasicFilter(double limit, int reasonKey)
        : m_limit(limit)
        , m_reasonKey(reasonKey)
    {
    }
    virtual ~BasicFilter() = default;

    // A Verdict for the point and its derived parameters.
    int Check(const TrackPointEx& point) const;
    // Whether a point of that value breaks the rule.
    bool Rejects(double value) const { return RejectsAbove() ? value > m_limit : value < m_limit; }

    // The value the rule compares with its limit.
    virtual double ValueOf(const CalcTrackParams& params) const = 0;
    // True for a maximum, false for a minimum.
    virtual bool RejectsAbove() const = 0;

    double GetLimit() const { return m_limit; }
    int GetReasonKey() const { return m_reasonKey; }

private:
    double m_limit;
    int m_reasonKey;
};

// Distance from the previous point below the limit (reason code 6).
class BasicFilterDist : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    double ValueOf(const CalcTrackParams& params) const override;
    bool RejectsAbove() const override { return false; }
};

// Speed above the limit (7).
class BasicFilterHighSpeed : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    double ValueOf(const CalcTrackParams& params) const override;
    bool RejectsAbove() const override { return true; }
};

// Speed below the limit (8).
class BasicFilterLowSpeed : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    double ValueOf(const CalcTrackParams& params) const override;
    bool RejectsAbove() const override { return false; }
};

// Acceleration along the path above the limit (4).
class BasicFilterAccForward : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    double ValueOf(const CalcTrackParams& params) const override;
    bool RejectsAbove() const override { return true; }
};

// Braking harder than the limit: acceleration along the path below -limit
// (3). The value compared is the deceleration, so that a larger limit
// lets harder braking pass, as for the other maxima.
class BasicFilterAccBrake : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    double ValueOf(const CalcTrackParams& params) const override;
    bool RejectsAbove() const override { return true; }
};

// Acceleration across the path above the limit (5).
class BasicFilterAccRadial : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    double ValueOf(const CalcTrackParams& params) const override;
    bool RejectsAbove() const override { return true; }
};
