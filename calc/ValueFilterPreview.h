#pragma once

#include "TrackI.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <typeindex>
#include <typeinfo>
#include <vector>

class BasicFilter;
class FilterWindow;
class ParameterFilterImpl;

// What the filter by value would mark on one segment, worked out without
// changing it, quickly enough to follow a mouse: the values each kind of
// rule compares are sorted once per state of the points, so that the
// points that could break a limit are found by bisection, and the sliding
// window of the filter itself judges only the windows around them. The
// window is kept between limits, so that a move costs what it marks, not
// what the track holds.
class ValueFilterPreview
{
public:
    explicit ValueFilterPreview(TrackPtr track);
    ~ValueFilterPreview();

    // The value a kind of rule compares, for every valid point, ascending,
    // and the positions among the valid points of the points they belong
    // to. For a rule on an acceleration the
    // value is the one that breaks a limit sooner: as measured in the
    // track or, for the last point of a window, without acceleration.
    struct Column
    {
        std::vector<double> values;
        std::vector<int> entries;
    };
    const Column& ColumnOf(const BasicFilter& rule);

    using Clock = std::chrono::steady_clock;

    // Point index -> reason key, exactly as FilterManager::ApplyFilter
    // with these rules would write them into the track now.
    std::map<int, int> Compute(const ParameterFilterImpl& rules);

    // The same in parts, so that a window stays live while a limit inside
    // the bulk of the values marks a large share of a long track: Start
    // forgets the marks of earlier rules, and each Continue works until
    // deadline; true once the marks are complete.
    void Start(std::shared_ptr<const ParameterFilterImpl> rules);
    bool Continue(Clock::time_point deadline);
    bool IsComplete() const { return m_complete; }
    // The marks so far, all of them once complete: Compute's result, and
    // before then some of it.
    const std::map<int, int>& GetMarks() const;

    const TrackPtr& GetTrack() const { return m_track; }
    // False once the track's points changed after the columns were made;
    // they are made again when next asked for.
    bool IsCurrent() const;

private:
    void ForgetStaleColumns();
    // The window rewound and told the suspects of the rules.
    void Prepare();

    TrackPtr m_track;
    uint64_t m_changeCount;
    std::map<std::type_index, Column> m_columns;
    std::unique_ptr<FilterWindow> m_window;
    std::shared_ptr<const ParameterFilterImpl> m_rules;
    bool m_complete = true;
};
