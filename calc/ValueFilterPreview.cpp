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
    m_suspects.clear();
    for (int r = 0; r < rules.GetRuleCount(); ++r) {
        const BasicFilter& rule = rules.GetRule(r);
        const Column& column = ColumnOf(rule);
        // The points beyond the limit: the top of the column for a
        // maximum, the bottom for a minimum (comparisons strict as in the rule).
        const double limit = rule.GetLimit();
        const auto values = column.values.begin();
        const auto begin = rule.RejectsAbove() ? std::upper_bound(values, column.values.end(), limit) : values;
        const auto end
            = rule.RejectsAbove() ? column.values.end() : std::lower_bound(values, column.values.end(), limit);
        m_suspects.insert(m_suspects.end(), column.points.begin() + (begin - values),
                          column.points.begin() + (end - values));
    }
    std::sort(m_suspects.begin(), m_suspects.end());
    m_suspects.erase(std::unique(m_suspects.begin(), m_suspects.end()), m_suspects.end());
    if (m_window)
        m_window->Rewind();
    else
        m_window = std::make_unique<FilterWindow>(*m_track);
    m_window->SetSuspects(m_suspects);
    m_window->Run([&rules](const TrackI& track) { return rules.Apply(track); });
    return m_window->GetRejections();
}
