#pragma once

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
    virtual int Check(const TrackPointEx& point) const = 0;

    double GetLimit() const { return m_limit; }
    int GetReasonKey() const { return m_reasonKey; }

protected:
    static int RejectWhen(bool test) { return test ? RejectThis : Keep; }

private:
    double m_limit;
    int m_reasonKey;
};

// Distance from the previous point below the limit (reason code 6).
class BasicFilterDist : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    int Check(const TrackPointEx& point) const override;
};

// Speed above the limit (7).
class BasicFilterHighSpeed : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    int Check(const TrackPointEx& point) const override;
};

// Speed below the limit (8).
class BasicFilterLowSpeed : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    int Check(const TrackPointEx& point) const override;
};

// Acceleration along the path above the limit (4).
class BasicFilterAccForward : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    int Check(const TrackPointEx& point) const override;
};

// Braking harder than the limit: acceleration along the path below -limit (3).
class BasicFilterAccBrake : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    int Check(const TrackPointEx& point) const override;
};

// Acceleration across the path above the limit (5).
class BasicFilterAccRadial : public BasicFilter
{
public:
    using BasicFilter::BasicFilter;
    int Check(const TrackPointEx& point) const override;
};
