#include "ParameterFilterImpl.h"

#include "TrackI.h"
#include "TrackPointEx.h"

bool ParameterFilterImpl::Add(int kind, int reasonKey, double limit)
{
    std::unique_ptr<BasicFilter> rule;
    switch (kind) {
    case KindAccBrake:
        rule = std::make_unique<BasicFilterAccBrake>(limit, reasonKey);
        break;
    case KindAccForward:
        rule = std::make_unique<BasicFilterAccForward>(limit, reasonKey);
        break;
    case KindAccRadial:
        rule = std::make_unique<BasicFilterAccRadial>(limit, reasonKey);
        break;
    case KindDist:
        rule = std::make_unique<BasicFilterDist>(limit, reasonKey);
        break;
    case KindHighSpeed:
        rule = std::make_unique<BasicFilterHighSpeed>(limit, reasonKey);
        break;
    case KindLowSpeed:
        rule = std::make_unique<BasicFilterLowSpeed>(limit, reasonKey);
        break;
    default:
        return false;
    }
    m_rules.push_back(std::move(rule));
    return true;
}

Filter::Result ParameterFilterImpl::Apply(const TrackI& track) const
{
    const int count = track.GetPointCount();
    if (count < 3 || m_rules.empty())
        return {};
    TrackPointEx point;
    for (int i = 1; i < count; ++i) {
        track.GetPointEx(i, point);
        for (const std::unique_ptr<BasicFilter>& rule : m_rules) {
            const int verdict = rule->Check(point);
            if (verdict == BasicFilter::Keep)
                continue;
            // Verdicts 1..3 name the previous, this and the next point.
            const int index = i + verdict - BasicFilter::RejectThis;
            if (index >= count)
                break;
            return {index, rule->GetReasonKey()};
        }
    }
    return {};
}
