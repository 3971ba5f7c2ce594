#include "ValueFilterPreview.h"

#include "FilterWindow.h"
#include "ParameterFilterImpl.h"
#include "TrackPointEx.h"
#include "TrackPtNavI.h"

#include <algorithm>
#include <cmath>

ValueFilterPreview::ValueFilterPreview(TrackPtr track)
    : m_track(std::move(track))
    , m_changeCount(m_track ? m_track->GetChangeCount() : 0)
{
}

bool ValueFilterPreview::IsCurrent() const
{
    return m_track && m_track->GetChangeCount() == m_changeCount;
}

void ValueFilterPreview::ForgetStaleColumns()
{
    if (IsCurrent() || !m_track)
        return;
    m_columns.clear();
    m_changeCount = m_track->GetChangeCount();
}

const ValueFilterPreview::Column& ValueFilterPreview::ColumnOf(const BasicFilter& rule)
{
    ForgetStaleColumns();
    const std::type_index kind(typeid(rule));
    const auto found = m_columns.find(kind);
    if (found != m_columns.end())
        return found->second;
    std::vector<int> valid;
    if (m_track)
        m_track->GetPtNav().GetValidIndices(valid);
    std::vector<std::pair<double, int>> pairs;
    pairs.reserve(valid.size());
    TrackPointEx point;
    for (const int index : valid) {
        if (!m_track->GetPointEx(index, point))
            continue;
        const CalcTrackParams& measured = point.GetCalcParams();
        CalcTrackParams atWindowEnd = measured;
        atWindowEnd.Accel = atWindowEnd.AccelAbs = atWindowEnd.AccelTang = atWindowEnd.AccelNorm = 0;
        const double a = rule.ValueOf(measured);
        const double b = rule.ValueOf(atWindowEnd);
        // NaN breaks no limit; it leaves the column.
        double value = rule.RejectsAbove() ? std::fmax(a, b) : std::fmin(a, b);
        if (!std::isnan(value))
            pairs.emplace_back(value, index);
    }
    std::sort(pairs.begin(), pairs.end());
    Column& column = m_columns[kind];
    column.values.reserve(pairs.size());
    column.points.reserve(pairs.size());
    for (const auto& [value, index] : pairs) {
        column.values.push_back(value);
        column.points.push_back(index);
    }
    return column;
}

std::map<int, int> ValueFilterPreview::Compute(const ParameterFilterImpl& rules)
{
    if (!m_track || rules.GetRuleCount() == 0)
        return {};
    ForgetStaleColumns();
    m_marks.assign(static_cast<size_t>(m_track->GetPointCount()), 0);
    for (int r = 0; r < rules.GetRuleCount(); ++r) {
        const BasicFilter& rule = rules.GetRule(r);
        const Column& column = ColumnOf(rule);
        // The points beyond the limit: the top of the column for a
        // maximum, the bottom for a minimum (comparisons strict as in the rule).
        const double limit = rule.GetLimit();
        const auto begin = rule.RejectsAbove()
            ? std::upper_bound(column.values.begin(), column.values.end(), limit)
            : column.values.begin();
        const auto end = rule.RejectsAbove() ? column.values.end()
                                             : std::lower_bound(column.values.begin(), column.values.end(), limit);
        for (auto it = begin; it < end; ++it)
            m_marks[static_cast<size_t>(column.points[static_cast<size_t>(it - column.values.begin())])] = 1;
    }
    FilterWindow window(*m_track);
    window.SetSuspects(m_marks);
    window.Run([&rules](const TrackI& track) { return rules.Apply(track); });
    return window.GetRejections();
}
