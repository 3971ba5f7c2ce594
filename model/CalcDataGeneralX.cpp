#include "CalcDataGeneralX.h"

#include <algorithm>

CalcDataGeneralX::CalcDataGeneralX() : m_impl(std::make_shared<CalcDataGeneralXImpl>())
{
}

void CalcDataGeneralX::ResetMembers()
{
    *m_impl = CalcDataGeneralXImpl();
}

void CalcDataGeneralX::AddMember(const CalcDataGeneralI& member, int pointCount)
{
    m_impl->members.push_back(&member);
    m_impl->pointOffsets.push_back(m_impl->pointOffsets.back() + pointCount);
    m_impl->distanceOffsets.push_back(m_impl->distanceOffsets.back() + member.GetTotalDistance());
}

void CalcDataGeneralX::OnTick()
{
    std::vector<double>& offsets = m_impl->distanceOffsets;
    for (size_t i = 0; i < m_impl->members.size(); ++i)
        offsets[i + 1] = offsets[i] + m_impl->members[i]->GetTotalDistance();
}

PointBounds CalcDataGeneralX::GetValidBounds() const
{
    PointBounds bounds;
    for (const CalcDataGeneralI* member : m_impl->members)
        bounds.Add(member->GetValidBounds());
    return bounds;
}

PointBounds CalcDataGeneralX::GetFilteredBounds() const
{
    PointBounds bounds;
    for (const CalcDataGeneralI* member : m_impl->members)
        bounds.Add(member->GetFilteredBounds());
    return bounds;
}

double CalcDataGeneralX::GetMaxSpeed() const
{
    double result = 0.0;
    for (const CalcDataGeneralI* member : m_impl->members)
        result = std::max(result, member->GetMaxSpeed());
    return result;
}

double CalcDataGeneralX::GetMinAccel() const
{
    double result = 0.0;
    for (const CalcDataGeneralI* member : m_impl->members)
        result = std::min(result, member->GetMinAccel());
    return result;
}

double CalcDataGeneralX::GetMaxAccel() const
{
    double result = 0.0;
    for (const CalcDataGeneralI* member : m_impl->members)
        result = std::max(result, member->GetMaxAccel());
    return result;
}

double CalcDataGeneralX::GetTotalDistance() const
{
    return m_impl->distanceOffsets.back();
}

CalcTrackParams CalcDataGeneralX::GetPointParams(int index) const
{
    // Before the first point there is no member to ask.
    if (index < 0)
        return CalcTrackParams();
    const std::vector<int>& offsets = m_impl->pointOffsets;
    const auto above = std::upper_bound(offsets.begin(), offsets.end(), index);
    if (above == offsets.end())
        return CalcTrackParams();
    const size_t member = static_cast<size_t>(above - offsets.begin()) - 1;
    CalcTrackParams params = m_impl->members[member]->GetPointParams(index - offsets[member]);
    params.DistFromStart += m_impl->distanceOffsets[member];
    return params;
}
