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

ValueFilterPreview::~ValueFilterPreview() = default;

bool ValueFilterPreview::IsCurrent() const
{
    return m_track && m_track->GetChangeCount() == m_changeCount;
}

void ValueFilterPreview::ForgetStaleColumns()
{
    if (IsCurrent() || !m_track)
        return;
    m_columns.clear();
    m_window.reset();
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
    for (size_t entry = 0; entry < valid.size(); ++entry) {
        if (!m_track->GetPointEx(valid[entry], point))
            continue;
        const CalcTrackParams& measured = point.GetCalcParams();
        CalcTrackParams atWindowEnd = measured;
        atWindowEnd.Accel = atWindowEnd.AccelAbs = atWindowEnd.AccelTang = atWindowEnd.AccelNorm = 0;
        const double a = rule.ValueOf(measured);
        const double b = rule.ValueOf(atWindowEnd);
        // NaN breaks no limit; it leaves the column.
        double value = rule.RejectsAbove() ? std::fmax(a, b) : std::fmin(a, b);
        if (!std::isnan(value))
            pairs.emplace_back(value, static_cast<int>(entry));
    }
    std::sort(pairs.begin(), pairs.end());
    Column& column = m_columns[kind];
    column.values.reserve(pairs.size());
    column.entries.reserve(pairs.size());
    for (const auto& [value, entry] : pairs) {
        column.values.push_back(value);
        column.entries.push_back(entry);
    }
    return column;
}

std::map<int, int> ValueFilterPreview::Compute(const ParameterFilterImpl& rules)
{
    // Borrowed for the call only.
    Start(std::shared_ptr<const ParameterFilterImpl>(&rules, [](const ParameterFilterImpl*) {}));
    Continue(Clock::time_point::max());
    std::map<int, int> marks = GetMarks();
    m_rules.reset();
    return marks;
}

void ValueFilterPreview::Start(std::shared_ptr<const ParameterFilterImpl> rules)
{
    m_rules = std::move(rules);
    Prepare();
}

void ValueFilterPreview::Prepare()
{
    m_complete = !m_track || !m_rules || m_rules->GetRuleCount() == 0;
    if (m_complete) {
        if (m_window)
            m_window->Rewind();
        return;
    }
    ForgetStaleColumns();
    if (m_window)
        m_window->Rewind();
    else
        m_window = std::make_unique<FilterWindow>(*m_track);
    for (int r = 0; r < m_rules->GetRuleCount(); ++r) {
        const BasicFilter& rule = m_rules->GetRule(r);
        const Column& column = ColumnOf(rule);
        // The points beyond the limit: the top of the column for a
        // maximum, the bottom for a minimum (comparisons strict as in the rule).
        const double limit = rule.GetLimit();
        const auto values = column.values.begin();
        const auto begin = rule.RejectsAbove() ? std::upper_bound(values, column.values.end(), limit) : values;
        const auto end
            = rule.RejectsAbove() ? column.values.end() : std::lower_bound(values, column.values.end(), limit);
        m_window->AddSuspects(column.entries.data() + (begin - values), static_cast<size_t>(end - begin));
    }
}

bool ValueFilterPreview::Continue(Clock::time_point deadline)
{
    if (m_complete)
        return true;
    // The points changed since Start: the marks so far no longer hold.
    if (!IsCurrent())
        Prepare();
    if (m_complete)
        return true;
    const ParameterFilterImpl& rules = *m_rules;
    m_complete = m_window->RunUntil([&rules](const TrackI& track) { return rules.Apply(track); }, deadline);
    return m_complete;
}

const std::map<int, int>& ValueFilterPreview::GetMarks() const
{
    static const std::map<int, int> none;
    return m_window && m_rules ? m_window->GetRejections() : none;
}
