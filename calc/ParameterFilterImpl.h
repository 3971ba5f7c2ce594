#pragma once

#include "BasicFilter.h"
#include "Filter.h"

#include <deque>
#include <memory>

// The rules of one filter-by-value run, asked in the order they were added.
class ParameterFilterImpl
{
public:
    // Reason codes name the kinds of rule.
    enum Kind {
        KindAccBrake = 3,
        KindAccForward = 4,
        KindAccRadial = 5,
        KindDist = 6,
        KindHighSpeed = 7,
        KindLowSpeed = 8,
    };

    // Appends the rule of that kind; false, and nothing added, for a kind
    // that is none of the above.
    bool Add(int kind, int reasonKey, double limit);
    int GetRuleCount() const { return static_cast<int>(m_rules.size()); }
    const BasicFilter& GetRule(int i) const { return *m_rules[static_cast<size_t>(i)]; }

    // The first point that a rule rejects, with that rule's key. The first
    // point of the track is never judged, and a track of fewer than three
    // points is left alone.
    Filter::Result Apply(const TrackI& track) const;

private:
    std::deque<std::unique_ptr<BasicFilter>> m_rules;
};
